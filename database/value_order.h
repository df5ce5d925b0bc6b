// Which cells of a value file are damaged and how its records stand. Every writer a database
// folder may have had (this program, an older one without the capture lock, any program that
// appends a cell at a time) numbers a record one past the last cell's record, and every record
// it numbers writes at least one cell; so in every file they write, alone or several at once,
// a cell's record number r satisfies 1 <= r <= the cell's own position in the file (from 1).
// A cell that breaks that rule is damaged. Every other cell belongs to the record it names,
// wherever it stands: two desks capturing into one folder at once interleave their records'
// cells, even a character at a time, and a record's values are gathered from its own cells
// alone, in file order.
#pragma once
#include <cstdint>
#include <memory>
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
// cell and of its neighbours (`before` and `after` are null where there is none). A possible
// number is read as it stands. A damaged cell is read with the neighbours whose numbers are
// possible: as the cell before when it carries the same name and is not the last character of
// its value, else as the cell after when that carries the same name, the damaged cell is not a
// last character and the cell after's record could be this cell's; failing both, as the nearer
// of the two, or the one there is. With no such neighbour, or between two that descend, it
// belongs to no record: 0.
int64_t RecordOfCell(const char* before, const char* cell, const char* after, int64_t position);

// A record with cells beside the main sequence of ascending records (strays: cells written
// late, after cells of a later record, by a desk that captured at the same time as another;
// cells of a record begun early, above the two cells after them), which is read through all of
// its cells in file order rather than through its run in the main sequence.
struct SpreadRecord {
  int64_t record = 0;
  int64_t first = 0, last = 0;  // the first and the last of its strays
  bool operator==(const SpreadRecord&) const = default;
};

// How the records of a value file stand: the main sequence is every cell that is not a stray,
// and its records ascend.
struct ValueFileOrder {
  int64_t cells = 0;  // the whole cells the order was found for
  // The record count: the record of the main sequence's last cell, or a record begun early one
  // past every record before it, whichever is higher.
  int64_t lastRecord = 0;
  // False for a file with more spread records than are worth keeping (one that is damaged
  // throughout): every record is then read through all the cells of the file, slower, alike.
  bool mapped = true;
  // A bit a cell, bit i for cell i, set for a stray, up to the word of the last stray: a file
  // without strays has none.
  std::vector<uint64_t> strays;
  std::vector<SpreadRecord> spread;  // by record

  // The word of `strays` that holds the cell's bit (bit cell % 64), 0 past the last stray.
  uint64_t StrayWord(int64_t cell) const {
    const uint64_t word = static_cast<uint64_t>(cell) / 64;
    return word < strays.size() ? strays[word] : 0;
  }
  // Whether some cell from `first` to `last` is a stray.
  bool StraysWithin(int64_t first, int64_t last) const;
  // The first cell of the main sequence from `cell` on (cells + 1 when there is none).
  int64_t MainCellFrom(int64_t cell) const;
  // The record's entry among the spread ones; null for a record read through its run.
  const SpreadRecord* SpreadOf(int64_t record) const;
  // Whether the record is read through all of its cells in file order.
  bool ReadsWhole(int64_t record) const { return !mapped || SpreadOf(record) != nullptr; }
};

// How many spread records a file of `cells` cells may keep: a few bytes a cell. Two desks that
// interleave all their records, a character at a time, make one spread record for every two
// records, so such a file keeps them all where its records have two cells or more.
inline int64_t SpreadRecordBudget(int64_t cells) { return cells / 4 + 65536; }

// A file whose last change is more recent than this (in milliseconds) when its order is found is
// checked again at the next call, however its stamp stands.
inline constexpr int64_t kValueFileSettledMs = 100;

// The order of the value file open in `file` at `path`, holding `cells` whole cells. It is found
// by one pass over the file and kept for the run: a later call finds it again at the cost of
// looking at the file's stamp while the file is unchanged, and of comparing a few dozen of its
// cells (its last ones and some across the file) with those it was found for while the file
// changes: it is used again where they are the same, followed on over the cells appended
// since, and found anew for a file changed in any other way.
std::shared_ptr<const ValueFileOrder> OrderOfValueFile(const files::RecordFile& file,
                                                       std::string_view path, int64_t cells);

// No order kept, as at program start.
void ForgetValueFileOrders();

// Tests only: how many cells the passes that found or followed orders have placed since the
// process began.
int64_t CellsPlacedByOrderPasses();
