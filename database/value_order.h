// Which cells of a value file are damaged and how its records stand. Every writer a database
// folder may have had (this program, an older one without the capture lock, any program that
// appends a cell at a time) numbers a record one past the record count it read, and every
// record it numbers writes at least one cell; so in every file they write, alone or several at
// once, a cell's record number r satisfies 1 <= r <= the cell's own position in the file (from
// 1), and r is at most one past every record before it. A cell that breaks either rule is
// damaged: a cell numbered more than one past every record before it counts nothing, unless
// one of the two cells after it goes on from its number (the file's records then go on from
// there, as in a file some of whose cells were lost). Every other cell belongs to the record it
// names, wherever it stands: two desks capturing into one folder at once interleave their
// records' cells, even a character at a time, and a record's values are gathered from its own
// cells alone, in file order.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace files {
class RecordFile;
}

// Whether a cell at `position` (from 1) can belong to `record`.
inline bool IsPossibleRecord(int64_t record, int64_t position) {
  return record >= 1 && record <= position;
}

// The record the cell at `position` (from 1) is read as belonging to, from the 54 bytes of the
// cell and of its neighbours (`before` and `after` are null where there is none, or where that
// neighbour is damaged by its number alone: see ValueFileOrder::jumps). A cell whose number is
// possible and that is no jump (`jump` false) is read as it stands. A damaged cell is read with
// the neighbours whose numbers are possible: as the cell before when it carries the same name
// and is not the last character of its value, else as the cell after when that carries the
// same name, the damaged cell is not a last character and the cell after's record could be
// this cell's; failing both, as the nearer of the two, or the one there is. With no such
// neighbour, or between two that descend, it belongs to no record: 0.
int64_t RecordOfCell(const char* before, const char* cell, const char* after, int64_t position,
                     bool jump = false);

// A record with cells beside the main sequence of ascending records (its strays: cells written
// late, after cells of a later record, by a desk that captured at the same time as another;
// cells of a record begun early, above the two cells after them). Such a record is read through
// its run in the main sequence and its own strays, in file order.
struct SpreadRecord {
  int64_t record = 0;
  int64_t end = 0;  // its strays are strayCells[end of the entry before .. end)
  bool operator==(const SpreadRecord&) const = default;
};

// How the records of a value file stand: the main sequence is every cell that is not a stray,
// and its records ascend.
struct ValueFileOrder {
  int64_t cells = 0;  // the whole cells the order was found for
  // The record count: the record of the main sequence's last cell, or a record begun early one
  // past every record before it, whichever is higher.
  int64_t lastRecord = 0;
  // A bit a cell, bit i for cell i, set for a stray, up to the word of the last stray: a file
  // without strays has none.
  std::vector<uint64_t> strays;
  // The same for the cells numbered more than one past every record before them that no cell
  // after goes on from: they are read as damaged cells are.
  std::vector<uint64_t> jumps;
  // The records with strays, by record, and the places of their strays, a record's together in
  // file order.
  std::vector<SpreadRecord> spread;
  std::vector<int64_t> strayCells;

  // The word of `bits` that holds the cell's bit (bit cell % 64), 0 past its last word.
  static uint64_t WordOf(const std::vector<uint64_t>& bits, int64_t cell) {
    const uint64_t word = static_cast<uint64_t>(cell) / 64;
    return cell >= 0 && word < bits.size() ? bits[word] : 0;
  }
  uint64_t StrayWord(int64_t cell) const { return WordOf(strays, cell); }
  bool IsJump(int64_t cell) const {
    return cell >= 0 && ((WordOf(jumps, cell) >> (cell % 64)) & 1) != 0;
  }
  // Whether some cell from `first` to `last` is a stray; a jump.
  bool StraysWithin(int64_t first, int64_t last) const;
  bool JumpsWithin(int64_t first, int64_t last) const;
  // The first cell of the main sequence from `cell` on (cells + 1 when there is none).
  int64_t MainCellFrom(int64_t cell) const;
  // The record's entry among the spread ones, as an index into `spread`; -1 for a record that
  // has no strays. The entry `hint` and the one after it are looked at first.
  int64_t SpreadIndexOf(int64_t record, int64_t hint = -1) const;
  // The places of the strays of the record of entry `index` (none for -1) in file order:
  // indexes `first` to `last` - 1 of strayCells.
  struct StrayRange {
    int64_t first = 0, last = 0;
  };
  StrayRange StraysAt(int64_t index) const;
};

// A file whose last change is more recent than this (in milliseconds) when its order is found is
// checked again at the next call, however its stamp stands.
inline constexpr int64_t kValueFileSettledMs = 100;

// The order of the value file open in `file` at `path`, holding `cells` whole cells. It is found
// by one pass over the file and kept for the run: a later call finds it again at the cost of
// looking at the file's stamp while the file is unchanged, and of comparing a few dozen of its
// cells (its last ones and some across the file) with those it was found for while the file
// changes: it is used again where they are the same, followed on in place over the cells
// appended since, and found anew for a file changed in any other way. Its memory grows with
// the strays, a few bytes each, and with the records that have some.
std::shared_ptr<const ValueFileOrder> OrderOfValueFile(const files::RecordFile& file,
                                                       std::string_view path, int64_t cells);

// No order kept, as at program start.
void ForgetValueFileOrders();

// Tests only: how many cells the passes that found or followed orders have placed since the
// process began.
int64_t CellsPlacedByOrderPasses();
