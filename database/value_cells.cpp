#include "database/value_cells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>

#include "database/records.h"
#include "database/value_block_sizes.h"
#include "database/value_cell_bytes.h"
#include "database/value_scan.h"

using namespace valuecell;

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

ValueCellFile::ValueCellFile(const ValueCellFile& other, int blockCells)
    : path_(other.path_),
      recordOrder_(other.recordOrder_),
      blockCells_(static_cast<int>(
          std::clamp<int64_t>(blockCells, 1, std::max<int64_t>(other.cellCount_, 1)))),
      order_(BlockOrder::jumps) {
  if (other.cellCount_ < 1 || file_.Open(path_, kZbdEntryLength) != 0) return;
  // The cells the other reader has, whatever the file has become since.
  length_ = other.length_;
  cellCount_ = other.cellCount_;
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
  ScannedCell* const out = block.cells.data();
  const char* const base = RawCell(first);
  const bool strays = order.StraysWithin(first, first + static_cast<int64_t>(count) - 1);
  // From the last cell of the block back, so that the cell after, as read, and its run are at
  // hand for every cell. The cell after the block lends its name, and nobody joins its run.
  const char* cell = base + count * kZbdEntryLength;
  uint8_t nextName = NameOf(cell);
  int64_t nextRecord = 0;
  uint16_t nextRun = 0;
  uint8_t nextStray = 0;
  // Every cell is first read as its stored record, which is the record it belongs to unless it
  // is damaged.
  bool damaged = false;
  int64_t i = first + static_cast<int64_t>(count);
  for (ScannedCell* c = out + count; c != out;) {
    --c;
    --i;
    const char* const afterCell = cell;
    cell -= kZbdEntryLength;
    const int64_t stored = StoredRecord(cell);
    damaged |= !IsPossibleRecord(stored, i);
    // The cells of one value carry the same name, so most names are the one after.
    const uint8_t name =
        EqualWords(WordsOfName(cell), WordsOfName(afterCell)) ? nextName : NameOf(cell);
    const uint8_t stray = strays && order.IsStray(i) ? 1 : 0;
    const uint16_t run = stored == nextRecord && name == nextName && stray == nextStray
                             ? static_cast<uint16_t>(nextRun + 1)
                             : 1;
    c->record = stored;
    c->character = static_cast<uint8_t>(cell[offsetof(ZbdEntry, character)]);
    c->last = IsLastCharacter(cell) ? 1 : 0;
    c->name = name;
    c->stray = stray;
    c->run = run;
    nextName = name;
    nextRecord = stored;
    nextRun = run;
    nextStray = stray;
  }
  if (damaged) [[unlikely]]
    PlaceRecords(block, first);
  block.number = number;
  highestBlock_ = std::max(highestBlock_, number);
}

void ValueCellFile::PlaceRecords(Block& block, int64_t first) {
  const size_t count = block.cells.size();
  const char* const base = RawCell(first);
  for (size_t k = 0; k < count; ++k) {
    const int64_t i = first + static_cast<int64_t>(k);
    const char* const cell = base + k * kZbdEntryLength;
    if (IsPossibleRecord(StoredRecord(cell), i)) continue;
    block.cells[k].record = RecordOfCell(i > 1 ? cell - kZbdEntryLength : nullptr, cell,
                                         i < cellCount_ ? cell + kZbdEntryLength : nullptr, i);
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

ValueCellFile::Span ValueCellFile::SpanOfRecord(int64_t record, int64_t mainFirst) {
  const ValueFileOrder& order = Order();
  if (!order.mapped) return {1, cellCount_};
  Span span{cellCount_ + 1, 0};
  if (record < 1 || record > cellCount_) return span;
  if (mainFirst < 1) mainFirst = FindRecordFrom(1, record);
  if (mainFirst <= cellCount_ && Cell(mainFirst).record == record)
    span = {mainFirst, FindRecordFrom(mainFirst, record + 1) - 1};
  if (const SpreadRecord* spread = order.SpreadOf(record); spread && spread->first > 0)
    span = {std::min(span.first, spread->first), std::max(span.last, spread->last)};
  return span;
}

bool ValueCellFile::Holds(int64_t first, int64_t last) const {
  if (first > last) return true;
  if (first < 1 || last > cellCount_ || highestBlock_ < 0) return false;
  const int64_t from = (first - 1) / blockCells_, to = (last - 1) / blockCells_;
  // The block after the highest takes the place of the lowest of the four.
  const int64_t lowest = highestBlock_ - static_cast<int64_t>(blocks_.size()) + (to > highestBlock_ ? 2 : 1);
  if (from < lowest || to > highestBlock_ + 1) return false;
  for (int64_t n = from; n <= std::min(to, highestBlock_); ++n)
    if (blocks_[static_cast<size_t>(n % static_cast<int64_t>(blocks_.size()))].number != n)
      return false;
  return true;
}

ValueCellFile& ValueCellFile::Apart() {
  if (!apart_) apart_.reset(new ValueCellFile(*this, kRecordBlockCells));
  return *apart_;
}
