// What the record list (and the record fill, for list choices) reads of the linked database:
// a field's value in a record, a field's list of choices, its type and two tests on it, and
// the columns of the list put into the order in which their fields are defined. Each call
// reads its file anew; names compare exactly (bytes, case, length).
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/linked_database.h"
#include "database/value_cells.h"

// One chosen column of the record list.
struct ListFieldEntry {
  char fieldName[31] = {};    // at most 30 characters, zero after them
  int16_t reservedWidth = 0;  // characters reserved for the column
};

// The value of a field in a record, or "No datos" when the record holds none. It scans from
// searchCellCursor, moving it and ending at a later record as the search's fetch does, without
// the early stop: the list sets the cursor to 1 first, then reads the records in ascending
// order and each record's columns in field-definition order.
std::string ReadLinkedFieldValue(std::string_view fieldName, int64_t recordNumber);
// The same read from a value file that the caller keeps open for a whole list.
std::string ReadLinkedFieldValue(ValueCellFile& cells, std::string_view fieldName,
                                 int64_t recordNumber);
// The field's list of choices ("|" between them) without leading and trailing blanks; "" when
// no definition has that name. The last definition of the name decides.
std::string GetLinkedFieldListText(std::string_view fieldName);
// 1 when some definition of the name is of type 4 (yes/no), else 0.
int32_t IsLinkedFieldTypeFour(std::string_view fieldName);
// 1 when some definition of the name is of type 1 or 2 (numbers), else 0.
int32_t IsLinkedFieldTypeOneOrTwo(std::string_view fieldName);

// What the definitions of a field say of it, as the four readers above answer, for several
// fields in one reading of the file: the record list reads it once per list, not per value,
// and the search once per search, to know the fields that store numbers.
struct LinkedFieldFacts {
  int32_t fieldType = 0;       // FindLinkedFieldType
  int32_t typeFour = 0;        // IsLinkedFieldTypeFour
  int32_t typeOneOrTwo = 0;    // IsLinkedFieldTypeOneOrTwo
  std::string listText;        // GetLinkedFieldListText
};
std::vector<LinkedFieldFacts> ReadLinkedFieldFacts(const std::vector<std::string>& fieldNames);

// Puts entries 1 to `count` (fields[0] on) into the order in which their fields are defined,
// each entry once, and returns how many it placed; the entries after them come back with an
// empty name and width 0.
int32_t ReorderListFieldsByFieldOrder(std::span<ListFieldEntry> fields, int16_t count);
