// A field-definition file (.z04) of any content: its definitions, the lookups by name, the
// link test and the capture's reading of it never crash, hang or allocate from its counts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "database/capture.h"
#include "database/database_files.h"
#include "database/link_test.h"
#include "database/linked_database.h"
#include "fuzz/database_fuzz.h"
#include "page/page_store.h"
#include "page/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = DatabaseFuzzFolder("Campos");
  WriteFuzzFile(folder + "Campos.z04", std::string_view(reinterpret_cast<const char*>(data), size));
  linkedDatabaseFolder = folder;
  programFolder = folder + "../";
  templateDatabaseName = "Campos";

  const std::vector<FieldDefinition> fields = ReadFieldDefinitions(folder + "Campos.z04");
  IsLinkedDatabaseValid(folder);
  LoadFieldNamesAndTypes();
  for (const FieldDefinition& field : fields) {
    FindLinkedFieldType(field.fieldName);
    IsCapturableField(field.fieldName);
    GetTemplateFieldType(field.fieldName);
    GetTemplateFieldListText(field.fieldName);
  }
  objectCount = 1;
  PrepareCapture();
  return 0;
}
