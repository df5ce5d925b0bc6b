// Which cells of a value file are damaged and how its records stand. Every writer a database
// folder may have had (this program, an older one without the capture lock, any program that
// appends a cell at a time) numbers a record one past the last cell's record, and every record
// it numbers writes at least one cell; so in every file they write, alone or several at once,
// a cell's record number r satisfies 1 <= r <= the cell's own position in the file (from 1).
// A cell that breaks that rule is damaged. Every other cell belongs to the record it names,
// wherever it stands: two desks capturing into one folder at once interleave their records'
// cells, and the scans read them as they stand.
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

// Cells that stand beside the file's main sequence of ascending records: the cells of a record
// written late, after cells of a later one (a desk that captured at the same time as another),
// a cell above the two after it, and damaged cells of no record (record 0).
struct StrayCells {
  int64_t first = 0, last = 0;  // cells first to last, all read as `record`
  int64_t record = 0;
};

// How the records of a value file stand: the main sequence is every cell that is not a stray,
// and its records ascend; a record's cells are its run of main cells and its strays.
struct ValueFileOrder {
  int64_t cells = 0;       // the whole cells the order was found for
  int64_t lastRecord = 0;  // the record count: the record of the main sequence's last cell
  // False for a file with more strays than are worth keeping (one that is damaged throughout):
  // it then has none, and its readers read it as though its records ascended.
  bool mapped = true;
  std::vector<StrayCells> strays;  // in file order
  // The strays of records from 1 on (indices into strays), by record and then place.
  std::vector<uint32_t> byRecord;

  bool HasStrays() const { return !strays.empty(); }
  // The stray holding the cell, or null for a cell of the main sequence.
  const StrayCells* StrayAt(int64_t cell) const;
  // The first stray that ends at `cell` or after it (strays.size() when there is none).
  size_t FirstStrayEndingFrom(int64_t cell) const;
  // The first cell of the main sequence from `cell` on (cells + 1 when there is none).
  int64_t MainCellFrom(int64_t cell) const;
  // The strays of a record, in file order.
  std::vector<const StrayCells*> StraysOf(int64_t record) const;
  bool HoldsStraysOf(int64_t record) const;
};

// A file whose last change is more recent than this (in milliseconds) when its order is found is
// looked at again at the next call, however its stamp stands.
inline constexpr int64_t kValueFileSettledMs = 100;

// At most this many strays are kept for a file.
inline constexpr size_t kMaxStrays = size_t{1} << 18;

// The order of the value file open in `file` at `path`, holding `cells` whole cells. It is
// found by one pass over the file and kept for the run: a later call finds it again at the cost
// of looking at the file's stamp while the file is unchanged, goes on over the cells appended
// to it since, and starts anew for a file changed in any other way.
std::shared_ptr<const ValueFileOrder> OrderOfValueFile(const files::RecordFile& file,
                                                       std::string_view path, int64_t cells);

// No order kept, as at program start.
void ForgetValueFileOrders();
