#include "database/value_cells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>

#include "database/records.h"
#include "database/value_scan.h"

namespace {

constexpr size_t kNameWidth = sizeof(ZbdEntry::fieldName);

template <typename T>
T FieldAt(const char* cell, size_t offset) {
  T value;
  std::memcpy(&value, cell + offset, sizeof value);
  return value;
}

int64_t StoredRecord(const char* cell) {
  return FieldAt<int64_t>(cell, offsetof(ZbdEntry, recordNumber));
}

bool IsLastCharacter(const char* cell) {
  return FieldAt<int32_t>(cell, offsetof(ZbdEntry, lastCharacter)) == 1;
}

// The name field of a cell as four overlapping words, which hold every byte of it: two cells
// carry the same name bytes when their words are equal, which is cheaper to learn than by a call
// to compare 31 bytes, for every cell.
using NameWords = std::array<uint64_t, 4>;
static_assert(kNameWidth > 24 && kNameWidth <= 32);

NameWords WordsOfName(const char* cell) {
  const char* name = cell + offsetof(ZbdEntry, fieldName);
  return {FieldAt<uint64_t>(name, 0), FieldAt<uint64_t>(name, 8), FieldAt<uint64_t>(name, 16),
          FieldAt<uint64_t>(name, kNameWidth - 8)};
}

bool EqualWords(const NameWords& a, const NameWords& b) {
  return ((a[0] ^ b[0]) | (a[1] ^ b[1]) | (a[2] ^ b[2]) | (a[3] ^ b[3])) == 0;
}

bool SameNameBytes(const char* a, const char* b) {
  return EqualWords(WordsOfName(a), WordsOfName(b));
}

std::string_view StoredName(const char* cell) {
  const char* name = cell + offsetof(ZbdEntry, fieldName);
  return std::string_view(name, strnlen(name, kNameWidth));
}

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
  length_ = file_.Length();
  cellCount_ = length_ / kZbdEntryLength;
}

uint8_t ValueCellFile::NameNumber(std::string_view fieldName) {
  for (size_t k = 0; k < names_.size(); ++k)
    if (names_[k] == fieldName) return static_cast<uint8_t>(k + 1);
  if (names_.size() == 255) names_.clear();
  names_.emplace_back(fieldName);
  // Cells already decoded do not know the new name, nor do the names met.
  for (Block& block : blocks_) block.number = -1;
  for (RawName& slot : rawNames_) slot.known = false;
  hot_ = nullptr;
  hotFirst_ = hotEnd_ = 0;
  return static_cast<uint8_t>(names_.size());
}

uint8_t ValueCellFile::NameOf(const char* cell) {
  const NameWords words = WordsOfName(cell);
  const uint64_t mixed = (words[0] ^ std::rotl(words[1], 17) ^ std::rotl(words[2], 31) ^
                          std::rotl(words[3], 47)) *
                         0x9E3779B97F4A7C15ull;
  RawName& slot = rawNames_[static_cast<size_t>(mixed >> 60) % rawNames_.size()];
  if (!slot.known || !EqualWords(slot.words, words)) {
    slot.words = words;
    slot.number = NameOfRaw(cell + offsetof(ZbdEntry, fieldName));
    slot.known = true;
  }
  return slot.number;
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
  // Only a block that held strays has marks to clear.
  if (block.strayMarks) [[unlikely]] {
    for (ScannedCell& c : block.cells) c.stray = 0;
    block.strayMarks = false;
  }
  ScannedCell* const out = block.cells.data();
  const char* const base = RawCell(first);
  // From the last cell of the block back, so that the cell after, as read, and its run are at
  // hand for every cell. The cell after the block lends its name, and nobody joins its run.
  const char* cell = base + count * kZbdEntryLength;
  uint8_t nextName = NameOf(cell);
  int64_t nextRecord = 0;
  uint16_t nextRun = 0;
  // Every cell is first read as its stored record, which is the record it belongs to unless it
  // is damaged or a stray.
  int64_t after = std::numeric_limits<int64_t>::max();
  bool descends = false;
  for (ScannedCell* c = out + count; c != out;) {
    --c;
    const char* const afterCell = cell;
    cell -= kZbdEntryLength;
    const int64_t stored = StoredRecord(cell);
    descends |= stored > after;
    after = stored;
    // The cells of one value carry the same name, so most names are the one after.
    const uint8_t name = SameNameBytes(cell, afterCell) ? nextName : NameOf(cell);
    const uint16_t run =
        stored == nextRecord && name == nextName ? static_cast<uint16_t>(nextRun + 1) : 1;
    c->record = stored;
    c->character = static_cast<uint8_t>(cell[offsetof(ZbdEntry, character)]);
    c->last = IsLastCharacter(cell) ? 1 : 0;
    c->name = name;
    c->run = run;
    nextName = name;
    nextRecord = stored;
    nextRun = run;
  }
  // Records that ascend from at least 1 to no more than the block's first place are all
  // possible where they stand; only a block where they do not is looked at cell by cell.
  bool damaged = descends || out[0].record < 1 || out[count - 1].record > first;
  if (damaged) {
    damaged = false;
    for (size_t k = 0; k < count; ++k)
      damaged |= !IsPossibleRecord(out[k].record, first + static_cast<int64_t>(k));
  }
  const size_t stray = order.FirstStrayEndingFrom(first);
  const bool meetsStrays =
      stray < order.strays.size() && order.strays[stray].first < first + static_cast<int64_t>(count);
  if (damaged || meetsStrays) [[unlikely]]
    PlaceRecords(block, first);
  block.number = number;
}

void ValueCellFile::PlaceRecords(Block& block, int64_t first) {
  const size_t count = block.cells.size();
  const int64_t end = first + static_cast<int64_t>(count);
  const char* const base = RawCell(first);
  for (size_t k = 0; k < count; ++k) {
    const int64_t i = first + static_cast<int64_t>(k);
    const char* const cell = base + k * kZbdEntryLength;
    if (IsPossibleRecord(StoredRecord(cell), i)) continue;
    block.cells[k].record = RecordOfCell(i > 1 ? cell - kZbdEntryLength : nullptr, cell,
                                         i < cellCount_ ? cell + kZbdEntryLength : nullptr, i);
  }
  const ValueFileOrder& order = Order();
  for (size_t s = order.FirstStrayEndingFrom(first);
       s < order.strays.size() && order.strays[s].first < end; ++s)
    for (int64_t i = std::max(order.strays[s].first, first); i <= order.strays[s].last && i < end;
         ++i)
      block.cells[static_cast<size_t>(i - first)].stray = block.strayMarks = true;
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
  // The cells of a run read as one record; strays are passed over.
  while (i <= cellCount_) {
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
  const bool strays = order.HasStrays();
  // Whether the first cell of the main sequence from cell p on is of the record or a later one.
  const auto reaches = [&](int64_t p) {
    if (strays) p = order.MainCellFrom(p);
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
  if (strays) low = order.MainCellFrom(low);
  return std::min(low, cellCount_ + 1);
}

std::vector<std::pair<int64_t, int64_t>> ValueCellFile::CellsOfRecord(int64_t record) {
  std::vector<std::pair<int64_t, int64_t>> stretches;
  if (record < 1 || record > cellCount_) return stretches;
  const int64_t first = FindRecordFrom(1, record);
  if (first <= cellCount_ && Cell(first).record == record)
    stretches.emplace_back(first, FindRecordFrom(first, record + 1) - 1);
  for (const StrayCells* stray : Order().StraysOf(record))
    stretches.emplace_back(stray->first, stray->last);
  std::sort(stretches.begin(), stretches.end());
  // The main run may take in strays of its own record that lie inside it.
  std::vector<std::pair<int64_t, int64_t>> apart;
  for (const auto& stretch : stretches) {
    if (!apart.empty() && stretch.first <= apart.back().second + 1)
      apart.back().second = std::max(apart.back().second, stretch.second);
    else
      apart.push_back(stretch);
  }
  return apart;
}
