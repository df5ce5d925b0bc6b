#include "database/value_order.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "database/records.h"
#include "database/value_scan.h"
#include "page/start_values.h"
#include "platform/files/files.h"

namespace {

constexpr size_t kNameWidth = sizeof(ZbdEntry::fieldName);
// The pass over a file reads this many cells at a time (some 220 KB), and keeps where it stood
// before each such block, so that it can go on over cells appended later.
constexpr int64_t kPassCells = 4096;
// The orders kept: the linked database's and the template database's, with room to spare.
constexpr size_t kKeptFiles = 4;

int64_t StoredRecord(const char* cell) {
  int64_t record;
  std::memcpy(&record, cell + offsetof(ZbdEntry, recordNumber), sizeof record);
  return record;
}

bool IsLastCharacter(const char* cell) {
  int32_t last;
  std::memcpy(&last, cell + offsetof(ZbdEntry, lastCharacter), sizeof last);
  return last == 1;
}

bool SameName(const char* a, const char* b) {
  const char* x = a + offsetof(ZbdEntry, fieldName);
  const char* y = b + offsetof(ZbdEntry, fieldName);
  return std::string_view(x, strnlen(x, kNameWidth)) == std::string_view(y, strnlen(y, kNameWidth));
}

// Where a pass over a file stood before a cell.
struct PassState {
  int64_t mainRecord = 0;  // the record of the main sequence's last cell so far
  size_t strays = 0;
  int64_t lastStrayEnd = 0;  // the last cell of the last stray so far
  bool mapped = true;
};

struct KeptOrder {
  std::string path;
  files::FileStamp stamp;
  std::shared_ptr<ValueFileOrder> order;
  std::vector<PassState> checkpoints;  // before the first cell of each block of the pass
  PassState tail;                      // before cell tailCell, the last cells but two
  int64_t tailCell = 0;
  std::string lastCell;                // the bytes of the last cell the order was found with
  bool settled = false;                // the stamp was settled once the order was found
  uint64_t used = 0;
};

std::vector<KeptOrder> keptOrders;
uint64_t orderUses = 0;

void AddStray(ValueFileOrder& order, int64_t cell, int64_t record) {
  if (!order.mapped) return;
  if (!order.strays.empty() && order.strays.back().last == cell - 1 &&
      order.strays.back().record == record) {
    order.strays.back().last = cell;
    return;
  }
  if (order.strays.size() == kMaxStrays) {
    order.mapped = false;
    order.strays.clear();
    order.strays.shrink_to_fit();
    return;
  }
  order.strays.push_back({cell, cell, record});
}

// A cell joins the main sequence unless it belongs to no record, to a record before the main
// sequence's last, or to a later record than the two cells after it, the first of which goes on
// with the main sequence (a cell begun early). `next` and `afterNext` are the records of those
// cells, -1 where there is none.
void PlaceCell(ValueFileOrder& order, PassState& state, int64_t cell, int64_t record, int64_t next,
               int64_t afterNext) {
  const bool early = record > state.mainRecord && next >= 1 && next >= state.mainRecord &&
                     next < record && afterNext < record;
  if (record < 1 || record < state.mainRecord || early)
    AddStray(order, cell, record);
  else
    state.mainRecord = record;
}

// Places the cells from cell `fromCell` on, up to cell `cells`, going on from where the pass
// stood before it: the start of the file, the start of a block of the pass, or the kept order's
// last cells but two.
void FollowCells(const files::RecordFile& file, KeptOrder& kept, ValueFileOrder& order,
                 int64_t fromCell, int64_t cells) {
  PassState state;
  const size_t block = static_cast<size_t>((fromCell - 1) / kPassCells);
  if (fromCell > 1) {
    state = fromCell == kept.tailCell ? kept.tail : kept.checkpoints[block];
    kept.checkpoints.resize(block + 1);
  } else {
    kept.checkpoints.clear();
  }
  order.mapped = state.mapped;
  order.strays.resize(state.strays);
  if (!order.strays.empty()) order.strays.back().last = state.lastStrayEnd;
  const auto note = [&order](PassState& at) {
    at.strays = order.strays.size();
    at.lastStrayEnd = order.strays.empty() ? 0 : order.strays.back().last;
    at.mapped = order.mapped;
  };
  // The cells after which the file may grow are placed again then: their state is kept.
  kept.tailCell = std::max<int64_t>(cells - 2, 1);

  std::string bytes;
  for (int64_t first = fromCell; first <= cells;) {
    if ((first - 1) % kPassCells == 0 &&
        static_cast<size_t>((first - 1) / kPassCells) == kept.checkpoints.size()) {
      note(state);
      kept.checkpoints.push_back(state);
    }
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
        note(state);
        kept.tail = state;
      }
      const int64_t afterNext = i + 1 < cells ? recordOf(i + 2) : -1;
      PlaceCell(order, state, i, record, next, afterNext);
      record = next;
      next = afterNext;
    }
    StepValueScan();
    first = last + 1;
  }
  order.cells = cells;
  order.lastRecord = state.mainRecord;
  order.byRecord.clear();
  for (size_t k = 0; k < order.strays.size(); ++k)
    if (order.strays[k].record >= 1) order.byRecord.push_back(static_cast<uint32_t>(k));
  std::sort(order.byRecord.begin(), order.byRecord.end(), [&order](uint32_t a, uint32_t b) {
    return order.strays[a].record < order.strays[b].record ||
           (order.strays[a].record == order.strays[b].record && a < b);
  });
  file.GetRun(cells, 1, kept.lastCell);
}

// Whether the file holds the cells the kept order was found with, and more after them: the
// same file, longer, with the same cell where it ended. A value file is only ever appended to;
// a file changed in any other way is found anew.
bool OnlyAppendedTo(const files::RecordFile& file, const KeptOrder& kept,
                    const files::FileStamp& stamp, int64_t cells) {
  if (kept.stamp.device != stamp.device || kept.stamp.inode != stamp.inode) return false;
  if (kept.order->cells >= cells) return false;
  std::string cell;
  file.GetRun(kept.order->cells, 1, cell);
  return cell == kept.lastCell;
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

const StrayCells* ValueFileOrder::StrayAt(int64_t cell) const {
  const auto after = std::upper_bound(strays.begin(), strays.end(), cell,
                                      [](int64_t c, const StrayCells& s) { return c < s.first; });
  if (after == strays.begin()) return nullptr;
  const StrayCells& stray = *std::prev(after);
  return cell <= stray.last ? &stray : nullptr;
}

size_t ValueFileOrder::FirstStrayEndingFrom(int64_t cell) const {
  const auto at = std::lower_bound(strays.begin(), strays.end(), cell,
                                   [](const StrayCells& s, int64_t c) { return s.last < c; });
  return static_cast<size_t>(at - strays.begin());
}

int64_t ValueFileOrder::MainCellFrom(int64_t cell) const {
  auto at = std::upper_bound(strays.begin(), strays.end(), cell,
                             [](int64_t c, const StrayCells& s) { return c < s.first; });
  if (at != strays.begin() && cell <= std::prev(at)->last) {
    cell = std::prev(at)->last + 1;
    // Strays of other records may follow at once.
    while (at != strays.end() && at->first == cell) cell = (at++)->last + 1;
  }
  return std::min(cell, cells + 1);
}

std::vector<const StrayCells*> ValueFileOrder::StraysOf(int64_t record) const {
  std::vector<const StrayCells*> found;
  auto at = std::lower_bound(byRecord.begin(), byRecord.end(), record,
                             [this](uint32_t k, int64_t r) { return strays[k].record < r; });
  for (; at != byRecord.end() && strays[*at].record == record; ++at) found.push_back(&strays[*at]);
  return found;
}

bool ValueFileOrder::HoldsStraysOf(int64_t record) const {
  if (byRecord.empty()) return false;
  const auto at = std::lower_bound(byRecord.begin(), byRecord.end(), record,
                                   [this](uint32_t k, int64_t r) { return strays[k].record < r; });
  return at != byRecord.end() && strays[*at].record == record;
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
  // The pass works on copies, so that a reader that runs while it lets the windows work finds
  // what was kept before it.
  KeptOrder next;
  auto order = std::make_shared<ValueFileOrder>();
  int64_t fromCell = 1;
  if (found != keptOrders.end() && OnlyAppendedTo(file, *found, stamp, cells)) {
    next = *found;
    *order = *found->order;
    // The last cell kept now has a cell after it, which decides how it and the two cells
    // before it are placed.
    fromCell = found->tailCell;
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

namespace {

const EnrolledStart enrolled(ForgetValueFileOrders);

}  // namespace
