#include "database/value_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "database/database_files.h"
#include "database/value_order.h"
#include "tests/database/value_file_model.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

struct WrittenCell {
  ScannedCell cell;
  std::string name;
};

// The records the cells are read as (tests/database/value_file_model.h).
std::vector<int64_t> RecordsRead(const std::vector<WrittenCell>& written) {
  std::vector<valuemodel::Cell> cells;
  for (const WrittenCell& w : written)
    cells.push_back({w.cell.record, w.name, static_cast<char>(w.cell.character), w.cell.last == 1});
  return valuemodel::RecordsRead(cells);
}

using valuemodel::StraysOf;

// The first cell of the main sequence from `from` on of record `record` or a later one, looked
// for cell by cell.
int64_t PlainScan(const std::vector<int64_t>& records, const std::vector<bool>& strays,
                  int64_t from, int64_t record) {
  int64_t i = std::max<int64_t>(from, 1);
  const auto at = [](int64_t k) { return static_cast<size_t>(k - 1); };
  while (i <= static_cast<int64_t>(records.size()) && (strays[at(i)] || records[at(i)] < record))
    ++i;
  return std::min<int64_t>(i, static_cast<int64_t>(records.size()) + 1);
}

// How many cells from cell i on, up to the end of its block, read as its record, carry its
// name and stand where it stands, beside the main sequence or in it.
int64_t RunFrom(const std::vector<WrittenCell>& cells, const std::vector<int64_t>& records,
                const std::vector<bool>& strays, int64_t i, int blockCells) {
  const int64_t blockEnd = std::min<int64_t>((i - 1) / blockCells * blockCells + blockCells,
                                             static_cast<int64_t>(cells.size()));
  const auto at = [](int64_t k) { return static_cast<size_t>(k - 1); };
  int64_t run = 1;
  while (i + run <= blockEnd && records[at(i + run)] == records[at(i)] &&
         cells[at(i + run)].name == cells[at(i)].name && strays[at(i + run)] == strays[at(i)])
    ++run;
  return run;
}

// 300 cells of the names A, B and C and one nobody asks for (Z), of the records `recordOf`
// gives for each cell, written to a value file of their own.
std::vector<WrittenCell> WriteCells(const std::string& path, std::mt19937& random,
                                    const std::function<int64_t(int)>& recordOf) {
  const char* names[] = {"A", "B", "C", "Z"};
  std::vector<WrittenCell> written;
  std::string bytes;
  for (int k = 0; k < 300; ++k) {
    WrittenCell w;
    w.cell.record = recordOf(k);
    w.cell.character = static_cast<uint8_t>(random());
    w.cell.last = random() % 3 == 0;
    const int name = static_cast<int>(random() % 4);
    w.cell.name = static_cast<uint8_t>(name < 3 ? name + 1 : 0);
    w.name = names[name];
    // Only a last mark of 1 counts: 2 is no mark.
    bytes += EncodeValueCell(w.cell.character, 1, w.name, 3, 10, 0, w.cell.record,
                             w.cell.last ? 1 : static_cast<int32_t>(random() % 2) * 2);
    written.push_back(w);
  }
  testfiles::WriteRaw(path, bytes);
  return written;
}

// Cells read through blocks of any size, in any order, are the cells of the file with their
// names, the records they are read as and their place beside the main sequence or in it; and
// the first cell of a record in the main sequence from a cell on is found, however the questions
// come, as a plain scan finds it: cell by cell, and in steps.
TEST(ValueCells, BlocksDecodeEveryCellAndTheRecordLookupsAgreeWithAPlainScan) {
  std::mt19937 random(15);
  const std::string folder = testenv::NewFolder("cells");
  // Damaged: records not ascending, some negative, some beyond their place.
  const std::vector<WrittenCell> damaged = WriteCells(
      folder + "damaged.zbd", random, [&](int) { return static_cast<int64_t>(random() % 40) - 3; });
  int64_t record = 1;
  const std::vector<WrittenCell> ascending =
      WriteCells(folder + "ascending.zbd", random, [&](int k) {
        // Now and then a record, some after one without cells, as far on as its place allows.
        if (random() % 8 == 0) record = std::min<int64_t>(record + 1 + random() % 2, k + 1);
        return record;
      });

  const std::vector<int64_t> damagedRead = RecordsRead(damaged);
  const std::vector<bool> damagedStrays = StraysOf(damagedRead);
  ASSERT_GT(std::count(damagedStrays.begin(), damagedStrays.end(), true), 50);
  std::vector<int64_t> ascendingWritten;
  for (const WrittenCell& w : ascending) ascendingWritten.push_back(w.cell.record);
  ASSERT_EQ(RecordsRead(ascending), ascendingWritten);
  const std::vector<bool> none(300, false);
  ASSERT_EQ(StraysOf(ascendingWritten), none);

  for (int blockCells : {1, 7, 64, 128, 4096}) {
    for (BlockOrder order : {BlockOrder::jumps, BlockOrder::inOrder}) {
      SCOPED_TRACE(blockCells);
      SCOPED_TRACE(order == BlockOrder::inOrder ? "in order" : "jumps");
      ValueCellFile cells(folder + "damaged.zbd", blockCells, order);
      ASSERT_EQ(cells.CellCount(), 300);
      for (const char* name : {"A", "B", "C"}) cells.NameNumber(name);
      for (int q = 0; q < 2000; ++q) {
        const int64_t i = static_cast<int64_t>(random() % 300) + 1;
        const ScannedCell& c = cells.Cell(i);
        const WrittenCell& e = damaged[static_cast<size_t>(i - 1)];
        ASSERT_EQ(c.record, damagedRead[static_cast<size_t>(i - 1)]) << i;
        ASSERT_EQ(c.stray == 1, damagedStrays[static_cast<size_t>(i - 1)]) << i;
        ASSERT_EQ(c.character, e.cell.character) << i;
        ASSERT_EQ(c.last, e.cell.last) << i;
        ASSERT_EQ(c.name, e.cell.name) << i;
        ASSERT_EQ(cells.CellName(i), e.name) << i;
        ASSERT_EQ(c.run, RunFrom(damaged, damagedRead, damagedStrays, i, blockCells)) << i;
      }
      int64_t from = 1, record = -3;
      for (int q = 0; q < 500; ++q) {
        // Mostly forward, as a search asks, now and then back to the start.
        if (random() % 50 == 0) from = static_cast<int64_t>(random() % 10), record = -3;
        from += static_cast<int64_t>(random() % 5);
        record += static_cast<int64_t>(random() % 2);
        const int64_t plain = PlainScan(damagedRead, damagedStrays, from, record);
        ASSERT_EQ(cells.FirstCellOfRecordFrom(from, record), plain) << from << " " << record;
        ASSERT_EQ(cells.FindRecordFrom(from, record), plain) << from << " " << record;
      }

      ValueCellFile ordered(folder + "ascending.zbd", blockCells, order);
      for (const char* name : {"A", "B", "C"}) ordered.NameNumber(name);
      for (int64_t i = 1; i <= 300; ++i) {
        ASSERT_EQ(ordered.Cell(i).record, ascendingWritten[static_cast<size_t>(i - 1)]) << i;
        ASSERT_EQ(ordered.Cell(i).run, RunFrom(ascending, ascendingWritten, none, i, blockCells))
            << i;
      }
      for (int q = 0; q < 500; ++q) {
        const int64_t from = static_cast<int64_t>(random() % 310) - 3;
        const int64_t record =
            static_cast<int64_t>(random() % (ascending.back().cell.record + 4)) - 2;
        ASSERT_EQ(ordered.FindRecordFrom(from, record),
                  PlainScan(ascendingWritten, none, from, record))
            << from << " " << record;
      }
    }
  }
  // Outside the file: an empty cell and no name.
  ValueCellFile cells(folder + "damaged.zbd", 64);
  EXPECT_EQ(cells.Cell(0).record, 0);
  EXPECT_EQ(cells.Cell(301).record, 0);
  EXPECT_EQ(cells.CellName(301), "");
  EXPECT_EQ(cells.CellName(-1), "");
}

// Ascending records with damaged cells here and there (no two within two cells of each other)
// naming records far off, low, negative or anywhere: a cell whose place cannot hold its record
// joins the record it continues, so the main sequence ascends with the damaged cells in it, and
// a cell that names a record its place could hold stands apart from it; the scan in order and
// the jump find the same cell for every question, in blocks of any size.
TEST(ValueCells, IsolatedDamagedCellsLeaveTheMainSequenceAscending) {
  std::mt19937 random(62);
  const std::string folder = testenv::NewFolder("isolated");
  const int64_t far[] = {int64_t{1} << 62, -(int64_t{1} << 62), INT64_MAX, INT64_MIN, 0, 1};
  for (int file = 0; file < 10; ++file) {
    SCOPED_TRACE(file);
    int64_t record = 1;
    int64_t lastDamaged = -10;
    std::vector<int> damagedAt;
    const std::vector<WrittenCell> written =
        WriteCells(folder + "isolated.zbd", random, [&](int k) -> int64_t {
          if (random() % 6 == 0 && record <= k) ++record;
          if (k - lastDamaged < 3 || random() % 15 != 0) return record;
          lastDamaged = k;
          damagedAt.push_back(k);
          return random() % 2 ? far[random() % 6] : static_cast<int64_t>(random() % 80);
        });
    const std::vector<int64_t> read = RecordsRead(written);
    const std::vector<bool> strays = StraysOf(read);
    std::vector<int64_t> main;
    for (size_t k = 0; k < read.size(); ++k) {
      if (!strays[k]) main.push_back(read[k]);
      // Only damaged cells stand apart.
      if (strays[k]) {
        ASSERT_NE(std::find(damagedAt.begin(), damagedAt.end(), k), damagedAt.end()) << k;
      }
    }
    ASSERT_TRUE(std::is_sorted(main.begin(), main.end()));
    for (int blockCells : {1, 2, 7, 128}) {
      SCOPED_TRACE(blockCells);
      ValueCellFile inOrder(folder + "isolated.zbd", blockCells, BlockOrder::inOrder);
      ValueCellFile jumps(folder + "isolated.zbd", blockCells);
      for (const char* name : {"A", "B", "C"}) inOrder.NameNumber(name);
      for (int64_t i = 1; i <= 300; ++i) {
        ASSERT_EQ(inOrder.Cell(i).record, read[static_cast<size_t>(i - 1)]) << i;
        ASSERT_EQ(inOrder.Cell(i).run, RunFrom(written, read, strays, i, blockCells)) << i;
      }
      int64_t from = 1, wanted = 0;
      for (int q = 0; q < 300; ++q) {
        from += static_cast<int64_t>(random() % 4);
        wanted += static_cast<int64_t>(random() % 2);
        const int64_t plain = PlainScan(read, strays, from, wanted);
        ASSERT_EQ(inOrder.FirstCellOfRecordFrom(from, wanted), plain) << from << " " << wanted;
        ASSERT_EQ(jumps.FindRecordFrom(from, wanted), plain) << from << " " << wanted;
        ASSERT_EQ(jumps.FindRecordFrom(1, wanted), PlainScan(read, strays, 1, wanted)) << wanted;
      }
    }
  }
}

// A file appended to a few cells at a time, some of them damaged, some numbered past every
// record, some of records written late or early, across the blocks the order is found in: after every append the order followed on
// over the new cells is the order found anew from the first cell.
TEST(ValueCells, TheOrderFollowedOverAppendedCellsIsTheOrderFoundAnew) {
  std::mt19937 random(7);
  const std::string path = testenv::NewFolder("appended") + "v.zbd";
  std::string bytes;
  int64_t record = 0, cells = 0;
  while (cells < 9500) {
    const int64_t add = 1 + static_cast<int64_t>(random() % 900);
    for (int64_t k = 0; k < add; ++k) {
      ++cells;
      if (random() % 5 == 0 && record < cells) ++record;
      int64_t stored = record;
      if (random() % 40 == 0) stored = random() % 2 ? cells + 5 : 0;  // damaged
      if (random() % 40 == 0) stored = std::max<int64_t>(record - 1, 1);  // written late
      // Numbered past every record: a jump, unless the cells after it go on from its number.
      if (random() % 60 == 0) stored = std::min<int64_t>(cells, record + 2 + random() % 3);
      bytes += EncodeValueCell('a', 1, random() % 2 ? "A" : "B", 3, 10, 0, stored,
                               random() % 3 == 0 ? 1 : 0);
    }
    // The last cells of a step are often damaged, so the cells after them change how they read.
    if (random() % 3 == 0) {
      const size_t at = bytes.size() - kZbdEntryLength + 40;
      for (int b = 0; b < 8; ++b) bytes[at + b] = 0;
    }
    std::ofstream(path, std::ios::binary | std::ios::app)
        << bytes.substr(static_cast<size_t>(cells - add) * kZbdEntryLength);
    ValueCellFile followed(path, 64);
    const ValueFileOrder kept = followed.Order();
    ForgetValueFileOrders();
    ValueCellFile anew(path, 64);
    const ValueFileOrder& found = anew.Order();
    ASSERT_EQ(kept.cells, cells);
    ASSERT_EQ(kept.lastRecord, found.lastRecord) << cells;
    ASSERT_EQ(kept.strays, found.strays) << cells;
    ASSERT_EQ(kept.jumps, found.jumps) << cells;
    ASSERT_EQ(kept.spread, found.spread) << cells;
    ASSERT_EQ(kept.strayCells, found.strayCells) << cells;
    // The order just found is the one the next append follows on from.
  }
}

}  // namespace
