#include <gtest/gtest.h>

#include <filesystem>

#include "database/linked_database.h"
#include "database/value_cells.h"
#include "search/field_fetch.h"
#include "tests/search/search_fixture.h"

namespace {

using namespace searchtest;
using K = ComparisonKind;

class FetchTest : public SearchTest {};

// Cells 1-3 A "Ana" and 4-5 B "75" of record 1; 6-9 A "Luis" and 10 B "5" of record 2; 11 B "x"
// of record 3; 12-13 A "Ev" of record 4 without a last mark, 14 B "9".
std::string FetchCells() {
  return ValueBytes("A", "Ana", 1) + ValueBytes("B", "75", 1) + ValueBytes("A", "Luis", 2) +
         ValueBytes("B", "5", 2) + ValueBytes("B", "x", 3) + CellBytes("A", 'E', 4, 0) +
         CellBytes("A", 'v', 4, 0) + ValueBytes("B", "9", 4);
}

TEST_F(FetchTest, ValueCursorAndEarlyStop) {
  struct Case {
    const char* what;
    int64_t cursor, cursorRecord;
    const char* field;
    int64_t record;
    const char* text;
    K kind;
    const char* value;
    int64_t cursorAfter, cursorRecordAfter;
  };
  const Case cases[] = {
      {"whole value, cursor to its last cell", 1, 0, "A", 1, "Ana", K::equal, "Ana", 3, 1},
      {"a later field of the record", 1, 0, "B", 1, "9", K::contains, "75", 5, 1},
      {"'7' against '5' stops \"=\" at the first cell", 1, 0, "B", 1, "5", K::equal, "", 4, 0},
      {"and \"*-\"", 1, 0, "B", 1, "5", K::startsWith, "", 4, 0},
      {"and \"<>\"", 1, 0, "B", 1, "5", K::notEqual, "", 4, 0},
      {"a digit against a letter counts 7 against 0", 1, 0, "B", 1, "a", K::equal, "", 4, 0},
      {"\">\" never stops early", 1, 0, "B", 1, "5", K::greater, "75", 5, 1},
      {"\"-*\" neither", 1, 0, "B", 1, "5", K::endsWith, "75", 5, 1},
      {"letters count 0 and do not stop", 1, 0, "A", 1, "Bob", K::equal, "Ana", 3, 1},
      {"earlier records are passed over", 1, 0, "A", 2, "Ana", K::equal, "Luis", 9, 2},
      {"no cells of the field: stops at the next record", 1, 0, "A", 3, "x", K::contains, "", 1, 0},
      {"no last mark before another field", 1, 0, "A", 4, "E", K::contains, "", 1, 0},
      {"the cursor past the field", 5, 1, "A", 1, "Ana", K::equal, "", 5, 1},
      {"the cursor record: the cursor stays", 1, 1, "B", 1, "7", K::equal, "75", 1, 1},
      {"a stale cursor record from a search before", 1, 9, "A", 1, "Ana", K::equal, "Ana", 3, 1},
      {"a cursor before cell 1", -7, 0, "A", 1, "Ana", K::equal, "Ana", 3, 1},
      {"a cursor past the end", 99, 0, "A", 1, "Ana", K::equal, "", 99, 0},
      {"the last record", 1, 0, "B", 4, "9", K::equal, "9", 14, 4},
      {"names compare exactly", 1, 0, "a", 1, "Ana", K::contains, "", 1, 0},
  };
  LinkRawDatabase("Fetch", "", FetchCells());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ValueCellFile cells(LinkedValuePath(), 4);
    searchCellCursor = c.cursor;
    searchCursorRecord = c.cursorRecord;
    EXPECT_EQ(ReadFieldValueForSearch(cells, c.field, c.record, c.text, c.kind), c.value);
    EXPECT_EQ(searchCellCursor, c.cursorAfter);
    EXPECT_EQ(searchCursorRecord, c.cursorRecordAfter);
  }
}

TEST_F(FetchTest, AFieldDefinedTwiceGivesOnlyTheLastCharacterOnTheSecondFetch) {
  // Both definitions of A received the value of the record.
  LinkRawDatabase("Twice", "", ValueBytes("A", "ab", 1) + ValueBytes("A", "cd", 1));
  ValueCellFile cells(LinkedValuePath(), 4096);
  EXPECT_EQ(ReadFieldValueForSearch(cells, "A", 1, "x", K::contains), "ab");
  EXPECT_EQ(ReadFieldValueForSearch(cells, "A", 1, "x", K::contains), "b");
}

TEST_F(FetchTest, RecordCountIsTheLastWholeCellsRecord) {
  const std::string three = ValueBytes("A", "ab", 1) + ValueBytes("A", "c", 7);
  struct Case {
    const char* what;
    std::string cells;
    int64_t count;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"less than a cell", three.substr(0, 53), 0},
      {"three cells", three, 7},
      {"a partial cell after them", three + three.substr(0, 20), 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LinkRawDatabase("Count", "", c.cells);
    EXPECT_EQ(CountSearchDatabaseRecords(), c.count);
  }
  std::filesystem::remove(linkedDatabaseFolder + "Count.zbd");
  EXPECT_EQ(CountSearchDatabaseRecords(), 0);
  linkedDatabaseFolder.clear();
  EXPECT_EQ(LinkedValuePath(), "");
  EXPECT_EQ(CountSearchDatabaseRecords(), 0);
}

}  // namespace
