#include "database/value_order.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <string>

#include "database/records.h"
#include "database/value_cell_bytes.h"
#include "database/value_scan.h"
#include "page/start_values.h"
#include "platform/files/files.h"

namespace {

using namespace valuecell;

// The pass over a file reads this many cells at a time (some 220 KB).
constexpr int64_t kPassCells = 4096;
// The orders kept: the linked database's and the template database's, with room to spare.
constexpr size_t kKeptFiles = 4;
// A kept order is used again for a file that has changed only where this many of its last cells,
// and half as many spread over the file when it was first passed over, are still the cells it
// was found for.
constexpr int64_t kCheckedCells = 32;

std::atomic<int64_t> cellsPlaced{0};

// Where a pass over a file stood before a cell.
struct PassState {
  int64_t mainRecord = 0;  // the record of the main sequence's last cell so far
  int64_t highest = 0;     // the record count so far
};

SpreadRecord Union(const SpreadRecord& a, const SpreadRecord& b) {
  return {a.record, std::min(a.first, b.first), std::max(a.last, b.last)};
}

// Folds the records met since the last fold into the spread records, keeping them by record.
void Fold(ValueFileOrder& order, std::vector<SpreadRecord>& fresh) {
  if (fresh.empty()) return;
  std::sort(fresh.begin(), fresh.end(),
            [](const SpreadRecord& a, const SpreadRecord& b) { return a.record < b.record; });
  std::vector<SpreadRecord> merged;
  merged.reserve(order.spread.size() + fresh.size());
  size_t a = 0, b = 0;
  while (a < order.spread.size() || b < fresh.size()) {
    const bool takeKept =
        b == fresh.size() || (a < order.spread.size() && order.spread[a].record <= fresh[b].record);
    const SpreadRecord next = takeKept ? order.spread[a++] : fresh[b++];
    if (!merged.empty() && merged.back().record == next.record)
      merged.back() = Union(merged.back(), next);
    else
      merged.push_back(next);
  }
  order.spread = std::move(merged);
  fresh.clear();
}

struct KeptOrder {
  std::string path;
  files::FileStamp stamp;
  std::shared_ptr<ValueFileOrder> order;
  // Before cell tailCell, the last cells but two, whose places the cells appended after them
  // decide: where the pass stood, and the spread records then.
  int64_t tailCell = 0;
  PassState tail;
  std::vector<SpreadRecord> tailSpread;
  bool tailMapped = true;
  // The cells compared before the order is used again for a file that has changed: some spread
  // over the file, chosen by the pass from its first cell, which the cells appended since leave
  // as they were; and the last ones.
  std::vector<int64_t> sampled;
  std::string sampledBytes;
  int64_t lastFrom = 0;
  std::string lastBytes;
  bool settled = false;  // the stamp was settled once the order was found or checked
  uint64_t used = 0;
};

std::vector<KeptOrder> keptOrders;
uint64_t orderUses = 0;

// Some cells spread over a file of `cells` cells.
std::vector<int64_t> CellsToSample(int64_t cells) {
  std::vector<int64_t> at;
  for (int64_t k = 1; k <= kCheckedCells / 2; ++k)
    at.push_back(k * cells / (kCheckedCells / 2 + 1) + 1);
  at.erase(std::unique(at.begin(), at.end()), at.end());
  return at;
}

std::string BytesOfCells(const files::RecordFile& file, const std::vector<int64_t>& at) {
  std::string bytes, cell;
  for (const int64_t i : at) {
    file.GetRun(i, 1, cell);
    bytes += cell;
  }
  return bytes;
}

// Places the cells from cell `fromCell` on, up to cell `cells`, going on from where the pass
// stood before it: the start of the file, or the kept order's last cells but two.
void FollowCells(const files::RecordFile& file, KeptOrder& kept, ValueFileOrder& order,
                 int64_t fromCell, int64_t cells) {
  PassState state = fromCell > 1 ? kept.tail : PassState{};
  std::vector<SpreadRecord> fresh;
  const int64_t budget = SpreadRecordBudget(cells);
  const auto fold = [&] {
    Fold(order, fresh);
    if (order.mapped && static_cast<int64_t>(order.spread.size()) > budget) {
      order.mapped = false;
      order.spread.clear();
      order.spread.shrink_to_fit();
    }
  };
  // The record is read whole; `cell` is a stray of it.
  const auto spread = [&](int64_t record, int64_t cell) {
    if (!order.mapped) return;
    if (!fresh.empty() && fresh.back().record == record) {
      fresh.back() = Union(fresh.back(), {record, cell, cell});
      return;
    }
    fresh.push_back({record, cell, cell});
    if (fresh.size() > 2 * order.spread.size() + 4096) fold();
  };
  // The cells after which the file may grow are placed again then: where the pass stood before
  // them is kept.
  kept.tailCell = std::max<int64_t>(cells - 2, 1);

  std::string bytes;
  for (int64_t first = fromCell; first <= cells;) {
    const int64_t last = std::min((first - 1) / kPassCells * kPassCells + kPassCells, cells);
    // Each cell is read with its neighbours, and placed knowing the records of the two after.
    const int64_t from = std::max<int64_t>(first - 1, 1), to = std::min(last + 3, cells);
    file.GetRun(from, to - from + 1, bytes);
    const auto raw = [&](int64_t i) -> const char* {
      if (i < from || i > to) return nullptr;
      return bytes.data() + static_cast<size_t>(i - from) * kZbdEntryLength;
    };
    const auto recordOf = [&](int64_t i) {
      const char* cell = bytes.data() + static_cast<size_t>(i - from) * kZbdEntryLength;
      // Most cells hold a record their place can: their neighbours are not needed.
      if (const int64_t stored = StoredRecord(cell); IsPossibleRecord(stored, i)) [[likely]]
        return stored;
      return RecordOfCell(raw(i - 1), cell, raw(i + 1), i);
    };
    int64_t record = recordOf(first);
    int64_t next = first < cells ? recordOf(first + 1) : -1;
    for (int64_t i = first; i <= last; ++i) {
      if (i == kept.tailCell) {
        fold();
        kept.tail = state;
        kept.tailSpread = order.spread;
        kept.tailMapped = order.mapped;
      }
      const int64_t afterNext = i + 1 < cells ? recordOf(i + 2) : -1;
      // A cell joins the main sequence unless it belongs to no record, to a record before the
      // main sequence's last, or to a later record than the two cells after it, the first of
      // which goes on with the main sequence (a cell begun early). A cell begun early one past
      // every record so far begins a record, which counts.
      const bool early = record > state.mainRecord && next >= 1 && next >= state.mainRecord &&
                         next < record && afterNext < record;
      if (record < 1 || record < state.mainRecord || early) [[unlikely]] {
        const size_t word = static_cast<size_t>(i / 64);
        if (word >= order.strays.size()) order.strays.resize(word + 1, 0);
        order.strays[word] |= uint64_t{1} << (i % 64);
        if (early && record == state.highest + 1) state.highest = record;
        if (record >= 1) spread(record, i);
      } else {
        state.mainRecord = record;
        state.highest = std::max(state.highest, record);
      }
      record = next;
      next = afterNext;
    }
    cellsPlaced += last - first + 1;
    StepValueScan();
    first = last + 1;
  }
  fold();
  // The bits end with the word of the last stray, however the strays came.
  while (!order.strays.empty() && order.strays.back() == 0) order.strays.pop_back();
  order.cells = cells;
  order.lastRecord = state.highest;
  if (fromCell == 1) {
    kept.sampled = CellsToSample(cells);
    kept.sampledBytes = BytesOfCells(file, kept.sampled);
  }
  kept.lastFrom = std::max<int64_t>(cells - kCheckedCells + 1, 1);
  file.GetRun(kept.lastFrom, cells - kept.lastFrom + 1, kept.lastBytes);
}

// Whether the cells the kept order was checked by are the file's cells still.
bool StillHoldsItsCells(const files::RecordFile& file, const KeptOrder& kept) {
  std::string last;
  file.GetRun(kept.lastFrom, kept.order->cells - kept.lastFrom + 1, last);
  return last == kept.lastBytes && BytesOfCells(file, kept.sampled) == kept.sampledBytes;
}

}  // namespace

int64_t RecordOfCell(const char* before, const char* cell, const char* after, int64_t position) {
  const int64_t stored = StoredRecord(cell);
  if (IsPossibleRecord(stored, position)) return stored;
  const bool low = before && IsPossibleRecord(StoredRecord(before), position - 1);
  // The cell after lends its record only where this cell could hold it.
  const bool high = after && IsPossibleRecord(StoredRecord(after), position);
  const int64_t lowRecord = low ? StoredRecord(before) : 0;
  const int64_t highRecord = high ? StoredRecord(after) : 0;
  if (low && !IsLastCharacter(before) && SameName(before, cell)) return lowRecord;
  if (high && !IsLastCharacter(cell) && SameName(after, cell)) return highRecord;
  if (low && high) {
    if (lowRecord > highRecord) return 0;
    return stored < 1 ? lowRecord : highRecord;
  }
  return low ? lowRecord : highRecord;
}

bool ValueFileOrder::StraysWithin(int64_t first, int64_t last) const {
  first = std::max<int64_t>(first, 1);
  last = std::min(last, cells);
  last = std::min<int64_t>(last, static_cast<int64_t>(strays.size()) * 64 - 1);
  for (int64_t i = first; i <= last;) {
    const size_t word = static_cast<size_t>(i / 64);
    const uint64_t bits = strays[word] >> (i % 64);
    const int64_t left = 64 - i % 64;
    const int64_t span = std::min(left, last - i + 1);
    const uint64_t mask = span == 64 ? ~uint64_t{0} : (uint64_t{1} << span) - 1;
    if ((bits & mask) != 0) return true;
    i += span;
  }
  return false;
}

int64_t ValueFileOrder::MainCellFrom(int64_t cell) const {
  cell = std::max<int64_t>(cell, 1);
  while (cell <= cells) {
    const size_t word = static_cast<size_t>(cell / 64);
    // The cells after the last word are all of the main sequence.
    if (word >= strays.size()) return cell;
    // The cells from this one on in its word that are not strays.
    const uint64_t main = ~strays[word] >> (cell % 64);
    if (main != 0) return std::min(cell + std::countr_zero(main), cells + 1);
    cell = static_cast<int64_t>(word + 1) * 64;
  }
  return cells + 1;
}

const SpreadRecord* ValueFileOrder::SpreadOf(int64_t record) const {
  const auto at = std::lower_bound(spread.begin(), spread.end(), record,
                                   [](const SpreadRecord& s, int64_t r) { return s.record < r; });
  return at != spread.end() && at->record == record ? &*at : nullptr;
}

std::shared_ptr<const ValueFileOrder> OrderOfValueFile(const files::RecordFile& file,
                                                       std::string_view path, int64_t cells) {
  if (cells < 1) return std::make_shared<const ValueFileOrder>();
  files::FileStamp stamp;
  if (!file.Stamp(stamp)) {
    // Not to be told from another state of the file later: found, and not kept.
    KeptOrder once;
    auto order = std::make_shared<ValueFileOrder>();
    FollowCells(file, once, *order, 1, cells);
    return order;
  }
  auto found = std::find_if(keptOrders.begin(), keptOrders.end(),
                            [path](const KeptOrder& k) { return k.path == path; });
  if (found != keptOrders.end() && found->stamp == stamp && found->settled &&
      found->order->cells == cells) {
    found->used = ++orderUses;
    return found->order;
  }
  // A file that has changed, or whose last change was too recent to tell the next one by its
  // stamp, is the same file still where it holds the cells the order was found for.
  const bool sameCells = found != keptOrders.end() && found->stamp.device == stamp.device &&
                         found->stamp.inode == stamp.inode && found->order->cells <= cells &&
                         StillHoldsItsCells(file, *found);
  if (sameCells && found->order->cells == cells) {
    found->stamp = stamp;
    found->settled = files::IsSettled(stamp, kValueFileSettledMs);
    found->used = ++orderUses;
    return found->order;
  }
  // The pass works on copies, so that a reader that runs while it lets the windows work finds
  // what was kept before it.
  KeptOrder next;
  auto order = std::make_shared<ValueFileOrder>();
  int64_t fromCell = 1;
  if (sameCells) {
    // Only appended to: the last cells kept now have cells after them, which decide how they
    // are placed.
    next = *found;
    fromCell = found->tailCell;
    order->strays = found->order->strays;
    for (int64_t i = fromCell; i <= found->order->cells; ++i)
      if (static_cast<size_t>(i / 64) < order->strays.size())
        order->strays[static_cast<size_t>(i / 64)] &= ~(uint64_t{1} << (i % 64));
    order->spread = found->tailSpread;
    order->mapped = found->tailMapped;
  }
  next.path = std::string(path);
  FollowCells(file, next, *order, fromCell, cells);
  next.stamp = stamp;
  // A value file changes by appends, which its length tells; the stamp guards against any
  // other change, and the local file systems' clocks step in a few milliseconds.
  next.settled = files::IsSettled(stamp, kValueFileSettledMs);
  next.order = order;
  next.used = ++orderUses;
  found = std::find_if(keptOrders.begin(), keptOrders.end(),
                       [path](const KeptOrder& k) { return k.path == path; });
  if (found == keptOrders.end() && keptOrders.size() == kKeptFiles)
    found =
        std::min_element(keptOrders.begin(), keptOrders.end(),
                         [](const KeptOrder& a, const KeptOrder& b) { return a.used < b.used; });
  if (found == keptOrders.end())
    keptOrders.push_back(std::move(next));
  else
    *found = std::move(next);
  return order;
}

void ForgetValueFileOrders() {
  keptOrders.clear();
  orderUses = 0;
}

int64_t CellsPlacedByOrderPasses() { return cellsPlaced; }

namespace {

const EnrolledStart enrolled(ForgetValueFileOrders);

}  // namespace
