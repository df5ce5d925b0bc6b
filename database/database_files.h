// The two files of a database folder as records: the codecs of the field definition and the
// value cell, the readers (every length and count taken from a file is bounded before it
// drives a loop or an allocation), the record-count rule, and the appender of new cells.
// Every call opens the file it needs and closes it before it returns. The value file's cells
// are read through ValueCellFile (database/value_cells.h), the search's and the list's too.
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/records.h"
#include "database/template/template_functions.h"

class ValueCellFile;

// A field-definition file is read for its first 1024 fields: more than a page could ever
// bind (a capture needs one object per field), and it bounds what a damaged file costs.
constexpr int64_t kMaxFieldDefinitions = 1024;
// A value read back is cut at the longest value a field can take (maxLength is 16-bit).
constexpr size_t kMaxValueLength = 32767;

// What readers return for a field without a value in a record.
constexpr const char* kNoData = "No datos";

// A field definition with its texts up to their terminator, or whole when a file made
// elsewhere has none.
struct FieldDefinition {
  int32_t recordKind = 0;
  std::string fieldName;
  int16_t fieldType = 0;
  int16_t maxLength = 0;
  int16_t spare = 0;
  std::string listText;
};

// A value cell with the fields the readers use.
struct ValueCell {
  uint8_t character = 0;
  std::string fieldName;
  int64_t recordNumber = 0;
  int32_t lastCharacter = 0;
};

// The 12042 bytes of a field definition: texts cut to their width less one and zero-padded.
std::string EncodeFieldDefinition(const FieldDefinition& field);
// A field definition from up to 12042 bytes; missing bytes read as zeros.
FieldDefinition DecodeFieldDefinition(std::string_view bytes);
FieldDefinition DecodeFieldDefinition(const Z04Record& record);
// A definition's field name: the text before its zero byte, or the whole field without one.
std::string_view FieldNameOf(const Z04Record& record);
// The 54 bytes of a value cell: the name cut to 30 characters and zero-padded.
std::string EncodeValueCell(uint8_t character, int32_t recordKind, std::string_view fieldName,
                            int16_t fieldType, int16_t maxLength, int16_t spare,
                            int64_t recordNumber, int32_t lastCharacter);
// A value cell from up to 54 bytes; missing bytes read as zeros.
ValueCell DecodeValueCell(std::string_view bytes);

// Calls `visit` for the field definitions of a file in file order, the first `limit` of them,
// each copied out of the file before it is looked at; none for a missing or unreadable file or
// an empty path. A file that shrinks while it is read ends where it ends then.
void VisitFieldDefinitions(std::string_view path,
                           const std::function<void(const Z04Record&)>& visit,
                           int64_t limit = std::numeric_limits<int64_t>::max());
// Every field definition of a file in file order (at most kMaxFieldDefinitions); none for a
// missing or unreadable file.
std::vector<FieldDefinition> ReadFieldDefinitions(std::string_view path);

// Field lookups by exact name (case and blanks count). The scans never stop early, so the
// last definition of a name decides: its fieldType (0 when none), its listText.
int16_t LastFieldType(const std::vector<FieldDefinition>& fields, std::string_view fieldName);
const FieldDefinition* LastFieldDefinition(const std::vector<FieldDefinition>& fields,
                                           std::string_view fieldName);
// True when some definition of the name has a fieldType of at most 4 (negative ones too):
// the values a capture may take.
bool HasCapturableDefinition(const std::vector<FieldDefinition>& fields,
                             std::string_view fieldName);

// The record count of a value file: the record of the last cell of its main sequence of
// ascending records (database/value_order.h), 0 for an empty or missing file: the record number
// of the last whole cell, in a file written by one desk at a time and whole. A count is never
// above the number of cells (every record has at least one) nor below 0, whatever the cells
// hold.
int64_t CountValueFileRecords(std::string_view path);

// What a reader with a cursor reads of a field in a record: the value ("" when the record has
// no whole value of the field) and, where it was read from the cursor on, the places of its
// first and last cells (0 where the record was read from its first cell, and the cursor stays).
struct FieldRead {
  std::string value;
  int64_t first = 0, last = 0;
};
// The value of the field whose name has the number `wanted` in `cells`
// (ValueCellFile::NameNumber) in a record, as the readers with a cursor read it, the cursor at
// `mainFirst` (the first cell of the main sequence from the cursor on whose record is `record`
// or a later one). A record with strays is read through all of its cells (the value gathered
// from the record's own cells in file order, database/value_gather.h); so is the value of a
// field whose value lies behind the cursor in a record whose fields came out of their order;
// any other from the cursor on, up to the first cell of a later record in the main sequence.
FieldRead ReadFieldFromCursor(ValueCellFile& cells, uint8_t wanted, int64_t record,
                              int64_t mainFirst);

// The first complete value of a field in a record ("" when there is none), read as
// ReadFieldFromCursor reads it with the cursor at cell `fromCell` (from 1): the record's run in
// the main sequence of ascending records is found from `fromCell` on in a few steps
// (ValueCellFile::FindRecordFrom) instead of reading every cell before it. `valueFirstCell`,
// when given, receives the index of the value's first cell where it was read from the cursor,
// and is left as it was where the record was read through all of its cells. Read from a path,
// a record that grew while it was read (a capture under way) is read again.
std::string ScanRecordFieldValue(std::string_view path, std::string_view fieldName, int64_t record,
                                 int64_t fromCell = 1, int64_t* valueFirstCell = nullptr);
// The same scan of a value file the caller keeps open.
std::string ScanRecordFieldValue(ValueCellFile& cells, std::string_view fieldName, int64_t record,
                                 int64_t fromCell, int64_t* valueFirstCell = nullptr);
// The first complete value of every field of a record, in the order they complete, read in
// one walk over the record's cells, as every field's scan from the first cell finds it; read
// again when the file grew while it was read.
std::vector<std::pair<std::string, std::string>> ReadRecordValues(std::string_view path,
                                                                  int64_t record);

// A stored number as a number text: every "." dropped, every "'" made "." ("1.234'5" gives
// "1234.5"). One conversion serves the readers, the record list and the template language's
// field reads: the template language's own, as it links the platform alone and the database
// core hosts it.
using templates::ApostropheToDecimalPoint;
