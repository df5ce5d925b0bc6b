#include "database/linked_database.h"

#include <memory>

#include "database/link_test.h"
#include "database/value_append.h"
#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/start_values.h"
#include "platform/files/files.h"

std::vector<std::string> linkedFieldNames(1);
std::vector<int16_t> linkedFieldTypes(1, 0);
std::string templateDatabaseName;
int64_t templateCellCursor = 1;
int64_t cachedRecordNumber = 0;

namespace {

// The template database's value file, kept open from one read to the next: a read from the
// first cell (where a run, a record block and a database statement start) opens it anew, and
// the reads after it go on in the open file while it keeps its path and its length, so that a
// record block passes through the file once instead of opening it for every value.
struct TemplateValueFile {
  std::string path;
  std::unique_ptr<ValueCellFile> cells;
};
TemplateValueFile templateValues;

ValueCellFile& TemplateValueCells() {
  std::string path = TemplateDatabaseFilePath(".zbd");
  if (templateCellCursor <= 1 || !templateValues.cells || path != templateValues.path ||
      !templateValues.cells->KeepsItsLength()) {
    auto cells = std::make_unique<ValueCellFile>(path, kTemplateBlockCells);
    templateValues = {std::move(path), std::move(cells)};
  }
  return *templateValues.cells;
}

std::string ValueOrNoData(std::string value) { return value.empty() ? kNoData : value; }

}  // namespace

std::string LinkedFieldDefinitionPath() { return FieldDefinitionFilePath(linkedDatabaseFolder); }

std::string LinkedValuePath() { return ValueFilePath(linkedDatabaseFolder); }

std::string TemplateDatabaseFilePath(std::string_view extension) {
  if (templateDatabaseName.empty()) return {};
  return files::LocalPath(programFolder + templateDatabaseName + "/" + templateDatabaseName +
                          std::string(extension));
}

int64_t LoadFieldNamesAndTypes() {
  return SetLinkedFieldNamesAndTypes(ReadFieldDefinitions(LinkedFieldDefinitionPath()));
}

int64_t SetLinkedFieldNamesAndTypes(const std::vector<FieldDefinition>& fields) {
  linkedFieldNames.assign(1, {});
  linkedFieldTypes.assign(1, 0);
  for (const FieldDefinition& field : fields) {
    linkedFieldNames.push_back(field.fieldName);
    linkedFieldTypes.push_back(field.fieldType);
  }
  return static_cast<int64_t>(fields.size());
}

int16_t FindLinkedFieldType(std::string_view fieldName) {
  return LastFieldType(ReadFieldDefinitions(LinkedFieldDefinitionPath()), fieldName);
}

int32_t IsCapturableField(std::string_view fieldName) {
  return HasCapturableDefinition(ReadFieldDefinitions(LinkedFieldDefinitionPath()), fieldName) ? 1
                                                                                               : 0;
}

std::string ReadRecordFieldValue(std::string_view fieldName, int64_t record) {
  return ValueOrNoData(ScanRecordFieldValue(LinkedValuePath(), fieldName, record));
}

int64_t GetLastRecordNumber() { return CountValueFileRecords(LinkedValuePath()); }

int64_t GetLastArchivedRecordNumber() { return GetLastRecordNumber(); }

int16_t GetTemplateFieldType(std::string_view fieldName) {
  return LastFieldType(ReadFieldDefinitions(TemplateDatabaseFilePath(".z04")), fieldName);
}

std::string GetTemplateFieldListText(std::string_view fieldName) {
  std::string list;
  for (FieldDefinition& field : ReadFieldDefinitions(TemplateDatabaseFilePath(".z04")))
    if (field.fieldName == fieldName && field.fieldType == kFieldListChoice)
      list = std::move(field.listText);
  return list;
}

std::string ReadTemplateFieldValue(std::string_view fieldName, int64_t record) {
  int64_t first = 0;
  std::string value =
      ScanRecordFieldValue(TemplateValueCells(), fieldName, record, templateCellCursor, &first);
  // A record with strays is read through all of its cells and moves the cursor not at all.
  if (!value.empty() && record != cachedRecordNumber && first > 0) {
    templateCellCursor = first;
    cachedRecordNumber = record;
  }
  return ValueOrNoData(std::move(value));
}

int64_t CountTemplateRecords() { return CountValueFileRecords(TemplateDatabaseFilePath(".zbd")); }

int AppendZbdEntry(uint8_t character, int32_t recordKind, std::string_view fieldName,
                   int16_t fieldType, int16_t maxLength, int16_t spare, int64_t record,
                   int32_t lastCharacter) {
  return AppendValueCells(LinkedValuePath(),
                          EncodeValueCell(character, recordKind, fieldName, fieldType, maxLength,
                                          spare, record, lastCharacter));
}

void ResetDatabaseReaders() {
  linkedFieldNames.assign(1, {});
  linkedFieldTypes.assign(1, 0);
  templateDatabaseName.clear();
  templateCellCursor = 1;
  cachedRecordNumber = 0;
  templateValues = {};
}
const EnrolledStart enrolled(ResetDatabaseReaders);
