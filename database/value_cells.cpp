#include "database/value_cells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstddef>
#include <cstring>
#include <limits>
#include <numeric>

#include "database/database_files.h"
#include "database/records.h"
#include "database/value_block_sizes.h"
#include "database/value_cell_bytes.h"
#include "database/value_gather.h"
#include "database/value_scan.h"
#include "page/start_values.h"

using namespace valuecell;

namespace {

// A file that ends in part of a cell is looked at this many times, this many milliseconds
// apart, before the part is taken for the remains of a write that stopped.
constexpr int kPartLooks = 3;
constexpr int kPartLookIntervalMs = 10;

// The file in which a reader last found a part of a cell that stayed while it looked (a desk
// stopped in mid-write), as it was then, by whatever path: read again unchanged, it is read as
// it stands at once.
files::FileStamp stayingPart;
StartValues startValues(stayingPart);

// Every name that has a number, each first whole value by its number.
struct NumberedNames {
  using Key = uint8_t;
  static constexpr bool kByRuns = true;
  std::vector<std::string>& values;
  std::bitset<256> whole;
  size_t left;
  std::string partial;
  uint8_t Of(const ScannedCell& cell, int64_t) const { return cell.name; }
  bool Wants(uint8_t name) const { return name != 0 && !whole[name]; }
  std::string& Partial() { return partial; }
  void Complete(uint8_t name, int64_t, int64_t) {
    values[name] = std::move(partial);
    whole[name] = true;
    --left;
  }
  bool Done() const { return left == 0; }
};

}  // namespace

ValueCellFile::ValueCellFile(std::string_view path, int blockCells, BlockOrder order)
    : path_(path),
      blockCells_(std::clamp(blockCells, 1, int{std::numeric_limits<uint16_t>::max()})),
      order_(order) {
  if (path.empty()) return;
  // A small file is read in one block of its own size.
  const int64_t cells = files::FileLength(path) / kZbdEntryLength;
  if (cells > 0 && cells < blockCells_) blockCells_ = static_cast<int>(cells);
  if (file_.Open(path, kZbdEntryLength) != 0) return;
  // A file that ends in part of a cell is being written (a write becomes visible a page at a
  // time): looked at again a few times, until it ends on a whole cell or the part stays, as
  // the part a stopped write left does.
  length_ = file_.Length();
  files::FileStamp stamp;
  if (length_ % kZbdEntryLength != 0 && !(file_.Stamp(stamp) && stamp == stayingPart)) {
    bool partStays = false;
    length_ = file_.SettledLength(kPartLooks, kPartLookIntervalMs, {}, partStays);
    if (partStays && file_.Stamp(stamp)) stayingPart = stamp;
  }
  cellCount_ = length_ / kZbdEntryLength;
}

uint8_t ValueCellFile::NameNumber(std::string_view fieldName) {
  // Readers ask for their fields in turn, so the name after the last one asked comes first.
  for (size_t n = 0; n < names_.size(); ++n) {
    const size_t k = (lastNamed_ + 1 + n) % names_.size();
    if (names_[k] != fieldName) continue;
    lastNamed_ = k;
    return static_cast<uint8_t>(k + 1);
  }
  if (names_.size() == 255) names_.clear();
  lastNamed_ = names_.size();
  names_.emplace_back(fieldName);
  // Cells already decoded do not know the new name, nor do the names met.
  metNames_.Forget();
  ForgetDecoded();
  return static_cast<uint8_t>(names_.size());
}

void ValueCellFile::ForgetDecoded() {
  for (Block& block : blocks_) block.number = -1;
  hot_ = nullptr;
  hotFirst_ = hotEnd_ = 0;
  window_.clear();
  valuesRecord_ = 0;
}

uint8_t ValueCellFile::NameOf(const char* cell) {
  return metNames_.Of(
      cell, [this](const char* c) { return NameOfRaw(c + offsetof(ZbdEntry, fieldName)); });
}

uint8_t ValueCellFile::NameOfRaw(const char* raw) const {
  const std::string_view name(raw, strnlen(raw, kNameWidth));
  for (size_t k = 0; k < names_.size(); ++k)
    if (names_[k] == name) return static_cast<uint8_t>(k + 1);
  return 0;
}

std::pair<int64_t, int64_t> ValueCellFile::BlockBytes(int64_t number) const {
  const int64_t first = number * blockCells_ + 1;
  const int64_t from = std::max<int64_t>(first - 1, 1);
  // The cell after the last is read too (as an empty cell, or one the file has gained since it
  // was opened), so that every cell of a block has one after it to be compared with.
  return {from, std::min<int64_t>(first + blockCells_, cellCount_ + 1) - from + 1};
}

void ValueCellFile::ReadBlockBytes(int64_t number) {
  const auto [from, count] = BlockBytes(number);
  bytesFirst_ = from;
  // A file cut short since it was opened reads as empty cells.
  if (order_ == BlockOrder::inOrder) {
    // The blocks after the first up to the last whole one read as many cells each.
    const int64_t lastWhole = cellCount_ / blockCells_ - 1;
    files::RunsAhead next;
    if (number < lastWhole)
      next = {BlockBytes(number + 1).first, blockCells_ + 2, blockCells_, lastWhole * blockCells_};
    file_.GetRunReadingAhead(from, count, bytes_, next);
  } else {
    file_.GetRun(from, count, bytes_);
  }
  bytesBlock_ = number;
}

const char* ValueCellFile::RawCell(int64_t i) const {
  return bytes_.data() + static_cast<size_t>(i - bytesFirst_) * kZbdEntryLength;
}

const ValueFileOrder& ValueCellFile::Order() {
  if (!recordOrder_) recordOrder_ = OrderOfValueFile(file_, path_, cellCount_);
  return *recordOrder_;
}

void ValueCellFile::Decode(Block& block, int64_t number) {
  const ValueFileOrder& order = Order();
  ReadBlockBytes(number);
  StepValueScan();
  const int64_t first = number * blockCells_ + 1;
  const size_t count = static_cast<size_t>(std::min<int64_t>(blockCells_, cellCount_ - first + 1));
  block.cells.resize(count);
  const bool strays = order.StraysWithin(first, first + static_cast<int64_t>(count) - 1);
  const bool descends = strays ? (fieldOrderKnown_ ? DecodeCells<true, true>(block, first)
                                                   : DecodeCells<true, false>(block, first))
                               : (fieldOrderKnown_ ? DecodeCells<false, true>(block, first)
                                                   : DecodeCells<false, false>(block, first));
  // Records that ascend from at least 1 to no more than the block's first place are all
  // possible where they stand; only a block where they do not is looked at cell by cell. A
  // block with strays has looked at each cell as it decoded it: it descends only where one
  // is damaged.
  const ScannedCell* const out = block.cells.data();
  bool damaged = strays ? descends : descends || out[0].record < 1 || out[count - 1].record > first;
  if (damaged && !strays) {
    damaged = false;
    for (size_t k = 0; k < count; ++k)
      damaged |= !IsPossibleRecord(out[k].record, first + static_cast<int64_t>(k));
  }
  // A jump is damaged whatever its number, and so is read with its neighbours, which read it
  // as they read a damaged cell.
  damaged |= order.JumpsWithin(first - 1, first + static_cast<int64_t>(count));
  if (damaged) [[unlikely]]
    PlaceRecords(block, first);
  block.number = number;
  highestBlock_ = std::max(highestBlock_, number);
}

template <bool kStrays, bool kFields>
bool ValueCellFile::DecodeCells(Block& block, int64_t first) {
  const ValueFileOrder& order = *recordOrder_;
  const size_t count = block.cells.size();
  ScannedCell* const out = block.cells.data();
  ScannedCell* const end = out + count;
  // From the last cell of the block back, so that the cell after, as read, and its run are at
  // hand for every cell. The cell after the block lends its name, and nobody joins its run.
  const char* cell = RawCell(first) + count * kZbdEntryLength;
  uint8_t nextName = NameOf(cell);
  int16_t nextField = kFields ? FieldOf(cell) : -1;
  int64_t nextRecord = 0;
  uint16_t nextRun = 0;
  uint8_t nextStray = 0;
  // Every cell is first read as its stored record, which is the record it belongs to unless it
  // is damaged. Where the block's records do not ascend (it has strays), each cell is looked at
  // for damage: the answer is then whether one is damaged.
  int64_t after = std::numeric_limits<int64_t>::max();
  bool descends = false;
  int64_t i = first + static_cast<int64_t>(count);
  uint64_t strayWord = 0;
  for (ScannedCell* c = end; c != out;) {
    --c;
    cell -= kZbdEntryLength;
    const int64_t stored = StoredRecord(cell);
    if constexpr (kStrays) {
      --i;
      descends |= !IsPossibleRecord(stored, i);
      if (c + 1 == end || i % 64 == 63) strayWord = order.StrayWord(i);
    } else {
      descends |= stored > after;
      after = stored;
    }
    // The cells of one value carry the same name, so most names are the one after; where two
    // desks' cells are interleaved, the one two on, of the same desk.
    const NameWords words = WordsOfName(cell);
    uint8_t name;
    int16_t field = -1;
    if (EqualWords(words, WordsOfName(cell + kZbdEntryLength))) [[likely]] {
      name = nextName;
      field = nextField;
    } else if (kStrays && c + 2 < end && EqualWords(words, WordsOfName(cell + 2 * kZbdEntryLength)))
        [[likely]] {
      name = c[2].name;
      if constexpr (kFields) field = c[2].field;
    } else {
      name = NameOf(cell);
      if constexpr (kFields) field = FieldOf(cell);
    }
    // Until the fields' order is asked for, no one reads a cell's field.
    if constexpr (kFields) c->field = field;
    uint8_t stray = 0;
    if constexpr (kStrays) stray = static_cast<uint8_t>((strayWord >> (i % 64)) & 1);
    const uint16_t run =
        stored == nextRecord && name == nextName && (!kStrays || stray == nextStray)
            ? static_cast<uint16_t>(nextRun + 1)
            : 1;
    c->record = stored;
    c->character = static_cast<uint8_t>(cell[offsetof(ZbdEntry, character)]);
    c->last = IsLastCharacter(cell) ? 1 : 0;
    c->name = name;
    c->stray = stray;
    c->run = run;
    nextName = name;
    nextField = field;
    nextRecord = stored;
    nextRun = run;
    nextStray = stray;
  }
  return descends;
}

void ValueCellFile::PlaceRecords(Block& block, int64_t first) {
  const size_t count = block.cells.size();
  const char* const base = RawCell(first);
  const ValueFileOrder& order = *recordOrder_;
  for (size_t k = 0; k < count; ++k) {
    const int64_t i = first + static_cast<int64_t>(k);
    const char* const cell = base + k * kZbdEntryLength;
    const bool jump = order.IsJump(i);
    if (!jump && IsPossibleRecord(StoredRecord(cell), i)) continue;
    block.cells[k].record = RecordOfCell(
        i > 1 && !order.IsJump(i - 1) ? cell - kZbdEntryLength : nullptr, cell,
        i < cellCount_ && !order.IsJump(i + 1) ? cell + kZbdEntryLength : nullptr, i, jump);
  }
  for (size_t k = count; k-- > 0;) {
    ScannedCell& c = block.cells[k];
    const bool joins = k + 1 < count && block.cells[k + 1].record == c.record &&
                       block.cells[k + 1].name == c.name && block.cells[k + 1].stray == c.stray;
    c.run = joins ? static_cast<uint16_t>(block.cells[k + 1].run + 1) : 1;
  }
}

const ScannedCell& ValueCellFile::LoadCell(int64_t i) {
  static const ScannedCell none;
  if (i < 1 || i > cellCount_) return none;
  const int64_t number = (i - 1) / blockCells_;
  Block& block = blocks_[static_cast<size_t>(number % static_cast<int64_t>(blocks_.size()))];
  if (block.number != number) Decode(block, number);
  hot_ = block.cells.data();
  hotFirst_ = number * blockCells_ + 1;
  hotEnd_ = hotFirst_ + static_cast<int64_t>(block.cells.size());
  return hot_[i - hotFirst_];
}

std::string_view ValueCellFile::CellName(int64_t i) {
  if (i < 1 || i > cellCount_) return {};
  // Only the bytes of the block read last are kept, so that a scan's reads stay in one
  // buffer; the reader that asks for names goes through a record's few blocks in order.
  const int64_t number = (i - 1) / blockCells_;
  if (bytesBlock_ != number) ReadBlockBytes(number);
  return StoredName(RawCell(i));
}

int64_t ValueCellFile::FirstCellOfRecordFrom(int64_t from, int64_t record) {
  from = std::max<int64_t>(from, 1);
  int64_t i = from;
  // No cell before the last answer, from the last starting cell on, reached the last record,
  // let alone this one.
  if (skipKnown_ && from >= skipFrom_ && record >= skipRecord_) i = std::max(from, skipFound_);
  // The cells of a run read as one record; strays are passed over. Where the runs are short (two
  // desks' cells interleaved), the rest is found in steps.
  for (int steps = 0; i <= cellCount_; ++steps) {
    if (steps == 16) {
      i = FindRecordFrom(i, record);
      break;
    }
    const ScannedCell& cell = Cell(i);
    if (cell.record >= record && cell.stray == 0) break;
    i += cell.run;
  }
  i = std::min(i, cellCount_ + 1);
  skipKnown_ = true;
  skipFrom_ = from;
  skipRecord_ = record;
  skipFound_ = i;
  return i;
}

int64_t ValueCellFile::FindRecordFrom(int64_t from, int64_t record) {
  const ValueFileOrder& order = Order();
  // Whether the first cell of the main sequence from cell p on is of the record or a later one.
  const auto reaches = [&](int64_t p) {
    p = order.MainCellFrom(p);
    return p > cellCount_ || Cell(p).record >= record;
  };
  // The answer lies between low and high: every main cell before low is of an earlier record,
  // and from high on the first main cell is the end or a cell of this record or a later one.
  int64_t low = std::max<int64_t>(from, 1), high = std::max(low, cellCount_ + 1);
  // A block's worth of cells from `from` on is looked at first, in steps that double.
  const int64_t near = std::min(high, low + blockCells_);
  for (int64_t step = 1; low + step - 1 < near; step *= 2) {
    const int64_t probe = low + step - 1;
    if (reaches(probe)) {
      high = probe;
      break;
    }
    low = probe + 1;
  }
  while (low < high) {
    const int64_t middle = low + (high - low) / 2;
    if (!reaches(middle))
      low = middle + 1;
    else
      high = middle;
  }
  return std::min(order.MainCellFrom(low), cellCount_ + 1);
}

void ValueCellFile::LoadStrays(int64_t index, int64_t upTo) {
  const ValueFileOrder& order = Order();
  const int64_t total = static_cast<int64_t>(order.strayCells.size());
  // The record's strays, however many, a window at a time; a block's worth at least, the
  // strays of the records after it, which a reader going on through the records reads next.
  constexpr int64_t kLargestWindow = 65536;
  const int64_t count = std::min(
      total - index, std::max<int64_t>(blockCells_, std::min(upTo - index, kLargestWindow)));
  window_.assign(static_cast<size_t>(std::max<int64_t>(count, 0)), ScannedCell{});
  windowFirst_ = index;
  if (count < 1) return;
  const int64_t* const places = order.strayCells.data() + index;
  // The strays are read in file order, those near one another in one read.
  std::vector<int64_t> byPlace(static_cast<size_t>(count));
  std::iota(byPlace.begin(), byPlace.end(), 0);
  // Most often they are in file order already: the strays of records in turn.
  if (!std::is_sorted(places, places + count))
    std::sort(byPlace.begin(), byPlace.end(),
              [places](int64_t a, int64_t b) { return places[a] < places[b]; });
  constexpr int64_t kNear = 16, kLongestRead = 4096;
  // The record of each stray, by the entry of the record whose strays hold it.
  auto entry = std::upper_bound(order.spread.begin(), order.spread.end(), index,
                                [](int64_t i, const SpreadRecord& s) { return i < s.end; });
  for (int64_t j = 0; j < count; ++j) {
    while (entry->end <= index + j) ++entry;
    window_[static_cast<size_t>(j)].record = entry->record;
  }
  const char* before = nullptr;  // the stray decoded before, while its bytes are at hand
  const ScannedCell* beforeCell = nullptr;
  for (size_t k = 0; k < byPlace.size();) {
    const int64_t from = places[byPlace[k]];
    before = nullptr;
    size_t end = k + 1;
    while (end < byPlace.size() && places[byPlace[end]] - places[byPlace[end - 1]] <= kNear &&
           places[byPlace[end]] - from < kLongestRead)
      ++end;
    file_.GetRun(from, places[byPlace[end - 1]] - from + 1, windowBytes_);
    for (; k < end; ++k) {
      const int64_t j = byPlace[k];
      const char* const raw =
          windowBytes_.data() + static_cast<size_t>(places[j] - from) * kZbdEntryLength;
      ScannedCell& c = window_[static_cast<size_t>(j)];
      c.character = static_cast<uint8_t>(raw[offsetof(ZbdEntry, character)]);
      c.last = IsLastCharacter(raw) ? 1 : 0;
      c.stray = 1;
      // Strays read one after another mostly carry the name of the one before.
      if (before && EqualWords(WordsOfName(raw), WordsOfName(before))) {
        c.name = beforeCell->name;
        c.field = beforeCell->field;
      } else {
        c.name = NameOf(raw);
        if (fieldOrderKnown_) c.field = FieldOf(raw);
      }
      before = raw;
      beforeCell = &c;
    }
  }
  // Runs over strays one after another in the file, of one record and one name.
  for (int64_t j = count - 1; j >= 0; --j) {
    ScannedCell& c = window_[static_cast<size_t>(j)];
    const ScannedCell* after = j + 1 < count ? &window_[static_cast<size_t>(j + 1)] : nullptr;
    const bool joins = after && places[j + 1] == places[j] + 1 && after->record == c.record &&
                       after->name == c.name;
    c.run = joins ? static_cast<uint16_t>(std::min<int>(after->run + 1, UINT16_MAX)) : 1;
  }
  StepValueScan();
}

const std::vector<std::string>& ValueCellFile::RecordValues(int64_t record, int64_t mainFirst) {
  if (record == valuesRecord_ && valuesNames_ == names_.size()) return values_;
  values_.assign(names_.size() + 1, std::string());
  NumberedNames names{values_, {}, names_.size(), {}};
  // Back to the first cell of the record's run, wherever the caller's cursor found it.
  if (mainFirst <= cellCount_ && Cell(mainFirst).record == record)
    mainFirst = RunFirstCell(record, mainFirst);
  GatherRecord(*this, record, mainFirst, names);
  valuesRecord_ = record;
  valuesNames_ = names_.size();
  return values_;
}

int64_t ValueCellFile::RunFirstCell(int64_t record, int64_t cell) {
  if (record == runRecord_ && runFirst_ <= cell) return runFirst_;
  // Back over the record's cells and the strays among them, to the first main cell of another
  // record.
  int64_t first = cell;
  for (int64_t k = cell - 1; k >= 1; --k) {
    const ScannedCell& c = Cell(k);
    if (c.stray) continue;
    if (c.record != record) break;
    first = k;
  }
  runRecord_ = record;
  runFirst_ = first;
  return first;
}

void ValueCellFile::LearnFieldOrder() {
  fieldOrderKnown_ = true;
  constexpr std::string_view kValueExtension = ".zbd";
  if (path_.ends_with(kValueExtension)) {
    int16_t index = 0;
    VisitFieldDefinitions(
        path_.substr(0, path_.size() - kValueExtension.size()) + ".z04",
        [&](const Z04Record& definition) {
          fieldOfName_.emplace(FieldNameOf(definition), index++);
        },
        kMaxFieldDefinitions);
  }
  // The cells decoded so far do not know their fields.
  ForgetDecoded();
}

int16_t ValueCellFile::FieldOf(const char* cell) {
  return metFields_.Of(cell, [this](const char* c) {
    const auto at = fieldOfName_.find(std::string(StoredName(c)));
    return at == fieldOfName_.end() ? int16_t{-1} : at->second;
  });
}

bool ValueCellFile::FieldsInOrder(int64_t record, int64_t cell) {
  if (record == orderedRecord_) return orderedAnswer_;
  if (!fieldOrderKnown_) LearnFieldOrder();
  bool inOrder = true;
  int16_t lastField = -1, field = -1;
  for (int64_t k = RunFirstCell(record, cell); k <= cellCount_ && inOrder;) {
    // The cells of the block from cell k on, one after another.
    const ScannedCell* c = &Cell(k);
    const ScannedCell* const end = hot_ + (hotEnd_ - hotFirst_);
    for (; c != end; ++c, ++k) {
      if (c->record != record) {
        if (c->stray == 0 && c->record > record) break;
        continue;
      }
      // A new stretch of a defined field follows those before it.
      if (c->field < 0 || c->field == field) continue;
      field = c->field;
      if (field <= lastField) {
        inOrder = false;
        break;
      }
      lastField = field;
    }
    if (c != end) break;
  }
  orderedRecord_ = record;
  orderedAnswer_ = inOrder;
  return inOrder;
}
