// The readers and the writer of the two databases in use: the linked one (the folder of
// linkedDatabaseFolder), which serves the record browser, the fill and the capture; and the
// template one (a folder named templateDatabaseName inside the program folder), which serves
// the template language's field reads.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_files.h"

// The names and types of the linked database's fields in file order, entries 1 to n (entry 0
// is unused), loaded by LoadFieldNamesAndTypes for each fill.
extern std::vector<std::string> linkedFieldNames;
extern std::vector<int16_t> linkedFieldTypes;

// The template database's name: the last database token a template script compiled.
extern std::string templateDatabaseName;
// Where ReadTemplateFieldValue starts scanning (a cell index, from 1) and the record for which
// it last moved. The template interpreter sets the cursor back to 1 where a run, a record
// block or a database statement starts.
extern int64_t templateCellCursor;
extern int64_t cachedRecordNumber;

// The linked database's files.
std::string LinkedFieldDefinitionPath();
std::string LinkedValuePath();
// The template database's files: <program folder><name>/<name><extension>.
std::string TemplateDatabaseFilePath(std::string_view extension);

// Refills linkedFieldNames and linkedFieldTypes; returns the field count n.
int64_t LoadFieldNamesAndTypes();
// The same from field definitions already read.
int64_t SetLinkedFieldNamesAndTypes(const std::vector<FieldDefinition>& fields);
// The fieldType of the last linked field definition with that name; 0 when none.
int16_t FindLinkedFieldType(std::string_view fieldName);
// 1 when some linked field definition with that name has a fieldType of at most 4 (negative
// types included), else 0.
int32_t IsCapturableField(std::string_view fieldName);
// The field's value in that record of the linked database; "No datos" when it has none.
std::string ReadRecordFieldValue(std::string_view fieldName, int64_t record);
// The record count of the linked database (the count rule of the value file).
int64_t GetLastRecordNumber();
// The same count, as the writer asks for it.
int64_t GetLastArchivedRecordNumber();

// As FindLinkedFieldType, on the template database.
int16_t GetTemplateFieldType(std::string_view fieldName);
// The listText of the last template field definition with that name and fieldType 9,
// untrimmed; "" when none.
std::string GetTemplateFieldListText(std::string_view fieldName);
// As ReadRecordFieldValue, on the template database, scanning from templateCellCursor. The
// first value read for a record other than cachedRecordNumber moves the cursor to the value's
// first cell, so that reads of that record start there: a field read twice gives its whole
// value both times, and a field stored before the first one read gives "No datos". The value
// file stays open from one read to the next; a read with the cursor at 1 opens it anew, as does
// one that finds it at another path or of another length.
std::string ReadTemplateFieldValue(std::string_view fieldName, int64_t record);
// The record count of the template database.
int64_t CountTemplateRecords();

// Appends one cell to the linked value file at cell (length \ 54) + 1, creating the file when
// missing. Returns 0 or the errno.
int AppendZbdEntry(uint8_t character, int32_t recordKind, std::string_view fieldName,
                   int16_t fieldType, int16_t maxLength, int16_t spare, int64_t record,
                   int32_t lastCharacter);

// The readers' state as at program start: no fields loaded, the template cursor at 1, no
// template value file open.
void ResetDatabaseReaders();
