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
// Whether a cell is a jump is known from the two cells after it; how a cell is read, from the
// cells on either side; whether it is a stray, from how the two cells after it are read. So the
// placing of this many last cells waits for the cells that may be appended after them.
constexpr int64_t kTailCells = 5;

std::atomic<int64_t> cellsPlaced{0};

// Where a pass over a file stood before a cell.
struct PassState {
  int64_t mainRecord = 0;  // the record of the main sequence's last cell so far
  int64_t highest = 0;     // the record count so far
};

// Where the look for jumps stood before a cell: the highest number of a cell that is no jump
// and that its place can hold.
struct JumpState {
  int64_t highest = 0;
};

// A stray of a record, as the pass meets it.
struct Stray {
  int64_t record = 0, cell = 0;
};

void SetBit(std::vector<uint64_t>& bits, int64_t cell) {
  const size_t word = static_cast<size_t>(cell / 64);
  if (word >= bits.size()) bits.resize(word + 1, 0);
  bits[word] |= uint64_t{1} << (cell % 64);
}

// Clears the bits of the cells from `cell` on, and the words left without a bit.
void ClearBitsFrom(std::vector<uint64_t>& bits, int64_t cell) {
  const size_t word = static_cast<size_t>(cell / 64);
  if (word < bits.size()) {
    bits[word] &= (uint64_t{1} << (cell % 64)) - 1;
    bits.resize(word + 1);
  }
  while (!bits.empty() && bits.back() == 0) bits.pop_back();
}

// Whether a bit is set from `first` to `last`.
bool AnyBitWithin(const std::vector<uint64_t>& bits, int64_t first, int64_t last) {
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, static_cast<int64_t>(bits.size()) * 64 - 1);
  for (int64_t i = first; i <= last;) {
    const int64_t span = std::min(64 - i % 64, last - i + 1);
    const uint64_t mask = span == 64 ? ~uint64_t{0} : (uint64_t{1} << span) - 1;
    if (((bits[static_cast<size_t>(i / 64)] >> (i % 64)) & mask) != 0) return true;
    i += span;
  }
  return false;
}

// Adds strays met since the last fold to the records' places of strays. Those are all further
// on in the file than the strays already kept, so a record's places stay in file order. The
// entries are merged in place from the back, so that only those from the lowest record among
// the new strays on move, and nothing is copied aside.
void Fold(ValueFileOrder& order, std::vector<Stray>& fresh) {
  if (fresh.empty()) return;
  std::stable_sort(fresh.begin(), fresh.end(),
                   [](const Stray& a, const Stray& b) { return a.record < b.record; });
  std::vector<SpreadRecord>& spread = order.spread;
  std::vector<int64_t>& places = order.strayCells;
  // How many of their records have no entry yet, walking both in record order.
  size_t newRecords = 0;
  auto kept = std::lower_bound(spread.begin(), spread.end(), fresh.front().record,
                               [](const SpreadRecord& s, int64_t r) { return s.record < r; });
  for (size_t b = 0; b < fresh.size(); ++b) {
    if (b > 0 && fresh[b].record == fresh[b - 1].record) continue;
    while (kept != spread.end() && kept->record < fresh[b].record) ++kept;
    newRecords += kept == spread.end() || kept->record != fresh[b].record;
  }
  size_t a = spread.size(), b = fresh.size();
  size_t outRecords = spread.size() + newRecords;
  int64_t outPlaces = static_cast<int64_t>(places.size() + fresh.size());
  // Grown to the size they take, not to twice it: the places are most of an order's memory.
  spread.reserve(outRecords);
  places.reserve(static_cast<size_t>(outPlaces));
  spread.resize(outRecords);
  places.resize(static_cast<size_t>(outPlaces));
  // From the last record back: each record's new places after its kept ones.
  while (b > 0) {
    const bool kept = a > 0 && spread[a - 1].record >= fresh[b - 1].record;
    const int64_t record = kept ? spread[a - 1].record : fresh[b - 1].record;
    const int64_t end = outPlaces;
    for (; b > 0 && fresh[b - 1].record == record; --b)
      places[static_cast<size_t>(--outPlaces)] = fresh[b - 1].cell;
    if (kept) {
      const int64_t keptEnd = spread[a - 1].end;
      const int64_t keptBegin = a > 1 ? spread[a - 2].end : 0;
      for (int64_t k = keptEnd; k > keptBegin;)
        places[static_cast<size_t>(--outPlaces)] = places[static_cast<size_t>(--k)];
      --a;
    }
    spread[--outRecords] = {record, end};
  }
  fresh.clear();
}

// Takes the stray of `record` at `cell`, the last of its strays, out of the order.
void Unfold(ValueFileOrder& order, int64_t record, int64_t cell) {
  const int64_t index = order.SpreadIndexOf(record);
  if (index < 0) return;
  const size_t k = static_cast<size_t>(index);
  const int64_t last = order.spread[k].end - 1;
  if (order.strayCells[static_cast<size_t>(last)] != cell) return;
  order.strayCells.erase(order.strayCells.begin() + last);
  for (size_t j = k; j < order.spread.size(); ++j) --order.spread[j].end;
  const int64_t begin = k == 0 ? 0 : order.spread[k - 1].end;
  if (order.spread[k].end == begin) order.spread.erase(order.spread.begin() + index);
}

struct KeptOrder {
  std::string path;
  files::FileStamp stamp;
  std::shared_ptr<ValueFileOrder> order;
  // From cell tailCell on, the last cells, whose places the cells appended after them decide:
  // where the pass and the look for jumps stood before it, and the strays placed from it on.
  int64_t tailCell = 0;
  PassState tail;
  JumpState tailJumps;
  std::vector<Stray> tailStrays;
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

// Takes the last cells' places out of a kept order, so that the pass can place them again with
// the cells appended after them.
void ForgetTail(KeptOrder& kept, ValueFileOrder& order) {
  for (auto s = kept.tailStrays.rbegin(); s != kept.tailStrays.rend(); ++s)
    Unfold(order, s->record, s->cell);
  kept.tailStrays.clear();
  ClearBitsFrom(order.strays, kept.tailCell);
  ClearBitsFrom(order.jumps, kept.tailCell);
}

// Places the cells from cell `fromCell` on, up to cell `cells`, going on from where the pass
// stood before it: the start of the file, or the kept order's tail.
void FollowCells(const files::RecordFile& file, KeptOrder& kept, ValueFileOrder& order,
                 int64_t fromCell, int64_t cells) {
  PassState state = fromCell > 1 ? kept.tail : PassState{};
  JumpState jumps = fromCell > 1 ? kept.tailJumps : JumpState{};
  int64_t jumpsKnown = fromCell - 1;  // the last cell known to be a jump or not
  std::vector<Stray> fresh;
  const int64_t tailCell = std::max<int64_t>(cells - kTailCells + 1, 1);
  kept.tailCell = tailCell;
  kept.tailStrays.clear();

  std::string bytes;
  for (int64_t first = fromCell; first <= cells;) {
    const int64_t last = std::min((first - 1) / kPassCells * kPassCells + kPassCells, cells);
    // Each cell is placed knowing how the two after it are read, each of those read with its
    // neighbours, each of which is a jump or not by the two cells after it.
    const int64_t from = std::max<int64_t>(first - 1, 1), to = std::min(last + 5, cells);
    file.GetRun(from, to - from + 1, bytes);
    // A cell among the bytes read; raw() gives none for a cell outside them.
    const auto at = [&](int64_t i) {
      return bytes.data() + static_cast<size_t>(i - from) * kZbdEntryLength;
    };
    const auto raw = [&](int64_t i) -> const char* { return i < from || i > to ? nullptr : at(i); };
    const auto possibleAt = [&](int64_t i) {
      return i <= to && IsPossibleRecord(StoredRecord(raw(i)), i);
    };
    // A stretch whose numbers go on from where the pass stood by one at the most, as one desk
    // writes its records, up to the cells its last ones are placed by, holds no jump, damaged
    // cell or stray: every cell is its own record's, in the main sequence.
    if (const int64_t through = std::min(last + 3, cells);
        through < tailCell && !AnyBitWithin(order.jumps, first - 1, jumpsKnown)) {
      int64_t before = state.mainRecord, highest = jumps.highest;
      int64_t k = first;
      for (; k <= through; ++k) {
        const int64_t stored = StoredRecord(at(k));
        if (stored < std::max<int64_t>(before, 1) || stored > highest + 1) break;
        before = stored;
        if (k > jumpsKnown) highest = std::max(highest, stored);
      }
      if (k > through) {
        jumpsKnown = through;
        jumps.highest = highest;
        state.mainRecord = StoredRecord(at(last));
        state.highest = std::max(state.highest, state.mainRecord);
        cellsPlaced += last - first + 1;
        StepValueScan();
        first = last + 1;
        continue;
      }
    }
    // A cell numbered more than one past every record before it is a jump unless one of the
    // two cells after it goes on from its number.
    for (const int64_t decideTo = std::min(last + 3, cells); jumpsKnown < decideTo;) {
      const int64_t i = ++jumpsKnown;
      if (i == tailCell) kept.tailJumps = jumps;
      const int64_t stored = StoredRecord(at(i));
      // At most one past every record before it, which its place can always hold.
      if (stored >= 1 && stored <= jumps.highest + 1) [[likely]] {
        jumps.highest = std::max(jumps.highest, stored);
        continue;
      }
      if (!IsPossibleRecord(stored, i)) continue;
      bool jump = true;
      for (int64_t k = i + 1; jump && k <= std::min(i + 2, cells); ++k)
        if (possibleAt(k) && StoredRecord(raw(k)) - stored >= 0 &&
            StoredRecord(raw(k)) - stored <= 1)
          jump = false;
      if (jump)
        SetBit(order.jumps, i);
      else
        jumps.highest = stored;
    }
    const bool jumpsHere = AnyBitWithin(order.jumps, first - 1, last + 3);
    const auto isJump = [&](int64_t i) { return jumpsHere && order.IsJump(i); };
    const auto recordOf = [&](int64_t i) {
      const char* cell = at(i);
      const bool jump = isJump(i);
      // Most cells hold a record their place can: their neighbours are not needed.
      if (const int64_t stored = StoredRecord(cell); !jump && IsPossibleRecord(stored, i))
          [[likely]]
        return stored;
      return RecordOfCell(isJump(i - 1) ? nullptr : raw(i - 1), cell,
                          i < cells && !isJump(i + 1) ? raw(i + 1) : nullptr, i, jump);
    };
    int64_t record = recordOf(first);
    int64_t next = first < cells ? recordOf(first + 1) : -1;
    for (int64_t i = first; i <= last; ++i) {
      if (i == tailCell) kept.tail = state;
      const int64_t afterNext = i + 1 < cells ? recordOf(i + 2) : -1;
      // A cell joins the main sequence unless it belongs to no record, to a record before the
      // main sequence's last, or to a later record than the two cells after it, the first of
      // which goes on with the main sequence (a cell begun early). A cell begun early one past
      // every record so far begins a record, which counts.
      const bool early = record > state.mainRecord && next >= 1 && next >= state.mainRecord &&
                         next < record && afterNext < record;
      if (record < 1 || record < state.mainRecord || early) [[unlikely]] {
        SetBit(order.strays, i);
        if (early && record == state.highest + 1) state.highest = record;
        if (record >= 1) {
          fresh.push_back({record, i});
          if (i >= tailCell) kept.tailStrays.push_back({record, i});
          if (fresh.size() > order.strayCells.size() / 4 + 4096) Fold(order, fresh);
        }
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
  Fold(order, fresh);
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

int64_t RecordOfCell(const char* before, const char* cell, const char* after, int64_t position,
                     bool jump) {
  const int64_t stored = StoredRecord(cell);
  if (!jump && IsPossibleRecord(stored, position)) return stored;
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
  return AnyBitWithin(strays, std::max<int64_t>(first, 1), std::min(last, cells));
}

bool ValueFileOrder::JumpsWithin(int64_t first, int64_t last) const {
  return AnyBitWithin(jumps, std::max<int64_t>(first, 1), std::min(last, cells));
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

int64_t ValueFileOrder::SpreadIndexOf(int64_t record, int64_t hint) const {
  if (spread.empty()) return -1;
  const int64_t size = static_cast<int64_t>(spread.size());
  if (hint >= 0 && hint < size && spread[static_cast<size_t>(hint)].record <= record) {
    // Readers that go through the records in order ask for the hint's record or a later one.
    if (spread[static_cast<size_t>(hint)].record == record) return hint;
    if (hint + 1 == size || spread[static_cast<size_t>(hint + 1)].record > record) return -1;
    if (spread[static_cast<size_t>(hint + 1)].record == record) return hint + 1;
  }
  const auto at = std::lower_bound(spread.begin(), spread.end(), record,
                                   [](const SpreadRecord& s, int64_t r) { return s.record < r; });
  return at != spread.end() && at->record == record ? at - spread.begin() : -1;
}

ValueFileOrder::StrayRange ValueFileOrder::StraysAt(int64_t index) const {
  if (index < 0 || index >= static_cast<int64_t>(spread.size())) return {};
  return {index == 0 ? 0 : spread[static_cast<size_t>(index - 1)].end,
          spread[static_cast<size_t>(index)].end};
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
  KeptOrder next;
  std::shared_ptr<ValueFileOrder> order;
  int64_t fromCell = 1;
  if (sameCells) {
    // Only appended to: the last cells kept now have cells after them, which decide how they
    // are placed. The order is followed on in place, out of the list while the pass lets the
    // windows work, so that a reader running then finds none; one that a reader still holds is
    // followed on in a copy.
    fromCell = found->tailCell;
    if (found->order.use_count() == 1) {
      next = std::move(*found);
      keptOrders.erase(found);
      order = next.order;
    } else {
      next = *found;
      order = std::make_shared<ValueFileOrder>(*found->order);
    }
    ForgetTail(next, *order);
  } else {
    order = std::make_shared<ValueFileOrder>();
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
