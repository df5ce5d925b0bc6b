#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "search/field_fetch.h"
#include "search/linked_files.h"
#include "search/value_cells.h"
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
    ValueCellFile cells(LinkedValueFilePath(), 4);
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
  ValueCellFile cells(LinkedValueFilePath(), 4096);
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
  EXPECT_EQ(LinkedValueFilePath(), "");
  EXPECT_EQ(CountSearchDatabaseRecords(), 0);
}

// Cells read through blocks of any size, in any order, are the cells of the file, and the
// first cell of a record from a cell on is found however the questions come.
TEST_F(FetchTest, BlocksDecodeEveryCellAndTheRecordSkipAgreesWithAPlainScan) {
  std::mt19937 random(15);
  std::string bytes;
  std::vector<ValueCell> expected;
  const char* names[] = {"A", "B", "C"};
  for (int k = 0; k < 300; ++k) {
    ValueCell c;
    c.record = static_cast<int64_t>(random() % 40) - 3;  // damaged: not ascending, some negative
    c.character = static_cast<uint8_t>(random());
    c.last = random() % 3 == 0;
    const int name = static_cast<int>(random() % 4);  // 3: a name nobody asks for
    c.name = static_cast<uint8_t>(name < 3 ? name + 1 : 0);
    bytes += CellBytes(name < 3 ? names[name] : "Z", static_cast<char>(c.character), c.record,
                       c.last ? 1 : static_cast<int32_t>(random() % 2) * 2);
    expected.push_back(c);
  }
  LinkRawDatabase("Blocks", "", bytes);
  for (int blockCells : {1, 7, 64, 4096}) {
    SCOPED_TRACE(blockCells);
    ValueCellFile cells(LinkedValueFilePath(), blockCells);
    ASSERT_EQ(cells.CellCount(), 300);
    for (const char* name : names) cells.NameNumber(name);
    for (int q = 0; q < 2000; ++q) {
      const int64_t i = static_cast<int64_t>(random() % 300) + 1;
      const ValueCell& c = cells.Cell(i);
      const ValueCell& e = expected[static_cast<size_t>(i - 1)];
      ASSERT_EQ(c.record, e.record) << i;
      ASSERT_EQ(c.character, e.character) << i;
      ASSERT_EQ(c.last, e.last) << i;
      ASSERT_EQ(c.name, e.name) << i;
    }
    int64_t from = 1, record = -3;
    for (int q = 0; q < 500; ++q) {
      // Mostly forward, as a search asks, now and then back to the start.
      if (random() % 50 == 0) from = static_cast<int64_t>(random() % 10), record = -3;
      from += static_cast<int64_t>(random() % 5);
      record += static_cast<int64_t>(random() % 2);
      int64_t plain = std::max<int64_t>(from, 1);
      while (plain <= 300 && expected[static_cast<size_t>(plain - 1)].record < record) ++plain;
      ASSERT_EQ(cells.FirstCellOfRecordFrom(from, record), std::min<int64_t>(plain, 301))
          << from << " " << record;
    }
  }
}

}  // namespace
