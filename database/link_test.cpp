#include "database/link_test.h"

#include "platform/files/files.h"

std::string GetLastPathComponent(std::string_view folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
    folder.remove_suffix(1);
  return files::LastPathComponent(folder);
}

std::string FieldDefinitionFilePath(std::string_view folder) {
  std::string f(folder);
  if (!f.empty() && f.back() != '\\' && f.back() != '/') f += '/';
  return files::LocalPath(f + GetLastPathComponent(folder) + ".z04");
}

bool IsLinkedDatabaseValid(std::string_view folder) {
  const std::string path = FieldDefinitionFilePath(folder);
  if (!files::FileExists(path)) return false;
  int64_t length = files::FileLength(path);
  return length > 0 && length % kFieldRecordLength == 0;
}
