#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

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
  const std::string three = ValueBytes("A", "ab", 1) + ValueBytes("A", "c", 2);
  struct Case {
    const char* what;
    std::string cells;
    int64_t count;
  };
  const Case cases[] = {
      {"empty file", "", 0},
      {"less than a cell", three.substr(0, 53), 0},
      {"three cells", three, 2},
      {"a partial cell after them", three + three.substr(0, 20), 2},
      // The third cell cannot belong to record 7: it is read as the record before it.
      {"a record its place cannot hold", ValueBytes("A", "ab", 1) + ValueBytes("A", "c", 7), 1},
      // No writer numbers a record two past every record before it: the cell counts nothing.
      {"a record two past every record", ValueBytes("A", "ab", 1) + ValueBytes("A", "c", 3), 1},
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

// The fetch as it reads cell by cell, with the cursor and the cursor record it is given and
// leaves. A value is gathered from its record's own cells: a cell of another field of the
// record starts it again, a cell of another record changes nothing. A record read whole is read
// through all of its cells in the file, and leaves the cursor alone; any other record from the
// cursor on, up to the first cell of a later record in the main sequence. An early stop takes
// effect once the value is whole.
struct CellByCellFetch {
  std::string value;
  int64_t cursor, cursorRecord;
};

CellByCellFetch FetchCellByCell(ValueCellFile& cells, const std::string& field, int64_t record,
                                bool mayStopEarly, const std::string& text, int64_t cursor,
                                int64_t cursorRecord) {
  const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : 0; };
  const uint8_t wanted = cells.NameNumber(field);
  const int textDigit = text.empty() ? 0 : digit(text.front());
  const auto stopsEarly = [&](const std::string& value) {
    return mayStopEarly && digit(value.front()) != textDigit;
  };
  std::string partial;
  int64_t first = 0;
  const bool whole = cells.ReadsWhole(record);
  int64_t i = whole ? 1 : std::max<int64_t>(cursor, 1);
  while (!whole && i <= cells.CellCount() &&
         (cells.Cell(i).record < record || cells.Cell(i).stray))
    ++i;
  for (; i <= cells.CellCount(); ++i) {
    const ScannedCell& cell = cells.Cell(i);
    if (!whole && cell.record > record && !cell.stray) break;
    if (cell.record != record) continue;
    if (cell.name != wanted) {
      partial.clear();
      continue;
    }
    if (partial.empty()) first = i;
    partial.push_back(static_cast<char>(cell.character));
    if (cell.last != 1) continue;
    if (whole) return {stopsEarly(partial) ? "" : partial, cursor, cursorRecord};
    if (stopsEarly(partial)) return {"", first, cursorRecord};
    return {partial, record != cursorRecord ? i : cursor,
            record != cursorRecord ? record : cursorRecord};
  }
  return {"", cursor, cursorRecord};
}

// Files of values of three fields and one nobody asks for, some of a field twice in a record, some
// without a last mark, with damaged record numbers here and there, fetched as the searches and the
// record list fetch: every value, cursor and cursor record as the fetch cell by cell leaves them,
// in blocks of any size.
TEST_F(FetchTest, FetchesAsCellByCellInAnyFile) {
  std::mt19937 random(29);
  const char* names[] = {"A", "B", "C", "Z"};
  const char characters[] = "0123456789ab";
  for (int file = 0; file < 12; ++file) {
    SCOPED_TRACE(file);
    std::string bytes;
    int64_t record = 1;
    for (int value = 0; value < 120; ++value) {
      if (random() % 3 == 0) ++record;
      const char* name = names[random() % 4];
      const int length = 1 + static_cast<int>(random() % 6);
      for (int k = 0; k < length; ++k) {
        const bool damaged = random() % 25 == 0;
        const int64_t stored = damaged ? static_cast<int64_t>(random() % 60) - 5 : record;
        const int32_t last = k + 1 < length ? 0 : random() % 6 == 0 ? 2 : 1;
        bytes += CellBytes(name, characters[random() % 12], stored, last);
      }
    }
    LinkRawDatabase("Model", "", bytes);
    for (int blockCells : {1, 3, 16, 4096}) {
      SCOPED_TRACE(blockCells);
      ValueCellFile cells(LinkedValuePath(), blockCells);
      ValueCellFile plain(LinkedValuePath(), blockCells);
      int64_t cursor = 1, cursorRecord = 0;
      searchCellCursor = cursor;
      searchCursorRecord = cursorRecord;
      for (int64_t r = 0; r <= record + 1; ++r) {
        for (int f = 0; f < 3; ++f) {
          const std::string field = names[random() % 4];
          const std::string text(1, characters[random() % 12]);
          const bool mayStopEarly = random() % 2 == 0;
          const std::string value = ScanFieldValue(cells, field, r, {mayStopEarly, text});
          const CellByCellFetch expected =
              FetchCellByCell(plain, field, r, mayStopEarly, text, cursor, cursorRecord);
          ASSERT_EQ(value, expected.value) << r << " " << field;
          ASSERT_EQ(searchCellCursor, expected.cursor) << r << " " << field;
          ASSERT_EQ(searchCursorRecord, expected.cursorRecord) << r << " " << field;
          cursor = expected.cursor;
          cursorRecord = expected.cursorRecord;
        }
        // Now and then the cursor goes back to the start, as a new search sets it.
        if (random() % 40 == 0) searchCellCursor = cursor = 1;
      }
    }
  }
}

}  // namespace
