#include "search/linked_files.h"

#include "database/link_test.h"
#include "page/settings.h"

std::string LinkedFieldFilePath() {
  if (linkedDatabaseFolder.empty()) return {};
  return FieldDefinitionFilePath(linkedDatabaseFolder);
}

std::string LinkedValueFilePath() {
  std::string path = LinkedFieldFilePath();
  // The value file lies beside the field definitions, with the other extension.
  if (!path.empty()) path.replace(path.size() - 4, 4, ".zbd");
  return path;
}
