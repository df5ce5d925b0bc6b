// The cells of a value file as every scan reads them (the record fill, the readers of the
// linked and the template database, the search and the record list): read from the file in
// blocks and decoded once into the little each scan looks at, so that a scan costs no file call
// per cell. Only whole cells are read; what a cell holds is never trusted beyond being compared
// (a damaged name ends at the end of its field).
#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/value_cell_bytes.h"
#include "database/value_order.h"
#include "platform/files/files.h"

// The record a cell belongs to, as every reader reads it: the number it holds where that is
// possible at its place, the record its neighbours give a damaged cell (RecordOfCell,
// database/value_order.h). Where the file's records do not ascend (two desks captured at once,
// or a cell begun early), the cells beside the main sequence of ascending records are strays
// (ValueFileOrder): the jumps and the scans in order pass over them, and a record that has some
// is read through its run in the main sequence and its own strays, in file order, whatever lies
// between them, so that reading a record costs its own cells and those among its run. Only the
// cells as stored decide, never a neighbour as read, so a cell reads the same in whatever block
// it is read.
//
// One cell, decoded.
struct ScannedCell {
  int64_t record = 0;  // the record the cell is read as belonging to, 0 for none
  uint8_t character = 0;
  uint8_t last = 0;   // 1 on the last character of a value
  uint8_t name = 0;   // which of the names asked for the cell carries, from 1; 0 for any other
  uint8_t stray = 0;  // 1 for a cell beside the main sequence
  // How many cells from this one on, to the end of its block (or of the strays read with it
  // that follow one another in the file), read as the same record, carry the same name number
  // and are strays alike: a scan that wants none of them passes over them in one step.
  uint16_t run = 1;
  // The first definition of the cell's name among the fields defined beside the file, from 0;
  // -1 for a name no definition has, and for every cell until the fields' order is asked for
  // (FieldsInOrder).
  int16_t field = -1;
};

// What a visitor of a record's cells (ValueCellFile::VisitRecordCells) asks for next.
enum class CellWalk { goOn, endRun, stop };

// Whether a reader passes through the file in order, so that the blocks after the one it reads
// are read ahead while it works on that one (the cells it gets are the same either way).
enum class BlockOrder { jumps, inOrder };

class ValueCellFile {
 public:
  // Opens the value file for reading; `blockCells` cells are read at a time, and the windows
  // run once a block. A missing or unreadable file, or an empty path, has no cells.
  ValueCellFile(std::string_view path, int blockCells, BlockOrder order = BlockOrder::jumps);
  ValueCellFile(const ValueCellFile&) = delete;
  ValueCellFile& operator=(const ValueCellFile&) = delete;

  int64_t CellCount() const { return cellCount_; }
  // False once the file is longer or shorter than when it was opened.
  bool KeepsItsLength() const { return file_.Length() == length_; }
  // The number by which the cells that carry this field name are known (ScannedCell::name).
  // A name not asked for before makes the blocks read so far be decoded anew.
  uint8_t NameNumber(std::string_view fieldName);
  // Cell i, from 1 to CellCount(); an empty cell for any other i.
  const ScannedCell& Cell(int64_t i) {
    if (i >= hotFirst_ && i < hotEnd_) return hot_[i - hotFirst_];
    return LoadCell(i);
  }
  // The cells from cell i on to the end of its block, one after another; none outside the file.
  std::span<const ScannedCell> CellsFrom(int64_t i) {
    if (i < 1 || i > cellCount_) return {};
    const ScannedCell& cell = Cell(i);
    return {&cell, static_cast<size_t>(hotEnd_ - i)};
  }
  // How many names have numbers (NameNumber).
  size_t NameCount() const { return names_.size(); }
  // The field name cell i carries: up to its zero byte, or the whole field without one.
  std::string_view CellName(int64_t i);

  // How the file's records stand, found when first asked (value_order.h).
  const ValueFileOrder& Order();

  // Two ways to the first cell of the main sequence from cell `from` on whose record is
  // `record` or a later one (CellCount() + 1 when there is none). Both find it, and so agree,
  // as the main sequence's records ascend.
  //
  // Cell by cell, for a scan that goes through the file in order: asked with a cell and a
  // record no lower than the last time, it goes on from where it stopped then, so a whole
  // search passes over the file once.
  int64_t FirstCellOfRecordFrom(int64_t from, int64_t record);
  // For a read that jumps: among the next block's worth of cells from `from` on in steps that
  // double, then by halving the rest, so that a record near `from` costs a block and one
  // anywhere in the file a few dozen cells.
  int64_t FindRecordFrom(int64_t from, int64_t record);
  // Whether the record has strays, and so is read through them as well as its run.
  bool ReadsWhole(int64_t record) { return SpreadIndex(record) >= 0; }
  // Calls `visit(first, cells)` with the cells of a record in file order, a stretch of cells
  // that follow one another in the file at a time (`first` is the place of the first): its
  // strays before its run in the main sequence, the run from cell `mainFirst` on (the first cell
  // of the main sequence of the record or a later one, as the caller found it), which goes on
  // to the end of the file, then its strays after it. Cells of other records lie among those
  // of the run; the visitor passes over them, ends the run at the first cell of a later record
  // in the main sequence (CellWalk::endRun), and ends the walk once it has what it wants
  // (CellWalk::stop). Strays among the cells the reader holds, or in the block it reads next,
  // are read there; the others a window at a time: those of the record and those of the records
  // after it, a block's worth of them, so that a reader going through the records in order
  // reads each stray once, in few reads.
  template <typename Visit>
  void VisitRecordCells(int64_t record, int64_t mainFirst, Visit&& visit);
  // The first whole value of every field whose name has a number (NameNumber), by that number
  // (entry 0 unused, "" where there is none), gathered in one walk over the record's cells
  // (`mainFirst` as for VisitRecordCells, or any cell of its run from there on); the answer
  // for the last record asked is kept until another name is numbered, for readers that take
  // several fields of a record one after another.
  const std::vector<std::string>& RecordValues(int64_t record, int64_t mainFirst);

  // The first cell of the record's run in the main sequence, found back from `cell`, one of its
  // cells there; the answer for the last record asked is kept.
  int64_t RunFirstCell(int64_t record, int64_t cell);
  // Whether the fields of the record's run in the main sequence (`cell` is one of its cells
  // there) come in the order in which they are defined beside the file (the field definitions
  // of the same name with ".z04"; a name's first definition decides), each in one stretch;
  // names no definition has are passed over. Then a read of the record's fields in that order
  // from a cursor inside the record gives what a read of the whole record gives; two desks that
  // gave their records one number, or a desk that wrote fields out of their order, make records
  // whose fields do not. The answer for the last record asked is kept.
  bool FieldsInOrder(int64_t record, int64_t cell);

  // The record count (ValueFileOrder::lastRecord); 0 for a file without cells.
  int64_t LastRecordNumber() { return Order().lastRecord; }

 private:
  struct Block {
    int64_t number = -1;  // -1: holds nothing
    std::vector<ScannedCell> cells;
  };
  const ScannedCell& LoadCell(int64_t i);
  void Decode(Block& block, int64_t number);
  // Decodes the cells of a block as stored, marking the strays where the block has some (and
  // their fields once the fields' order is known). Returns, for a block without strays, whether
  // its records descend anywhere; for one with strays, whether a cell's record is damaged.
  template <bool kStrays, bool kFields>
  bool DecodeCells(Block& block, int64_t first);
  // The definition of the name a cell carries (ScannedCell::field), through the names met
  // lately.
  int16_t FieldOf(const char* cell);
  // Reads the fields defined beside the file, and decodes the blocks read so far anew.
  void LearnFieldOrder();
  // Reads the damaged cells of a block by their neighbours, then counts the runs anew.
  void PlaceRecords(Block& block, int64_t first);
  // The record's entry among the spread ones (ValueFileOrder::SpreadIndexOf), the one after the
  // last found looked at first, as readers go through the records in order.
  int64_t SpreadIndex(int64_t record) {
    const int64_t index = Order().SpreadIndexOf(record, spreadHint_);
    if (index >= 0) spreadHint_ = index;
    return index;
  }
  // Whether cell i is in a block this reader holds decoded, or in the block after the highest
  // it has decoded, which a reader going through the file in order reads next.
  bool HoldsNear(int64_t i) const {
    const int64_t number = (i - 1) / blockCells_;
    return blocks_[static_cast<size_t>(number % static_cast<int64_t>(blocks_.size()))].number ==
               number ||
           number == highestBlock_ + 1;
  }
  // Decodes strayCells[index ..] into the window: at least up to strayCells[upTo - 1] where
  // that is not far, and a block's worth of strays where there are as many.
  void LoadStrays(int64_t index, int64_t upTo);
  // Forgets every cell decoded (a name numbered, the fields' order learnt).
  void ForgetDecoded();
  // Reads the cells of block `number` and the cell on either side of it into bytes_.
  void ReadBlockBytes(int64_t number);
  // Those cells: the first and how many.
  std::pair<int64_t, int64_t> BlockBytes(int64_t number) const;
  const char* RawCell(int64_t i) const;
  uint8_t NameOfRaw(const char* raw) const;
  // The name number of a cell, through the names met lately.
  uint8_t NameOf(const char* cell);

  files::RecordFile file_;
  std::string path_;
  std::shared_ptr<const ValueFileOrder> recordOrder_;
  int blockCells_;
  BlockOrder order_;
  int64_t length_ = 0;
  int64_t cellCount_ = 0;
  std::vector<std::string> names_;
  size_t lastNamed_ = 0;                   // the index of the name NameNumber answered last
  int64_t spreadHint_ = -1;                // the spread entry SpreadIndex found last
  valuecell::MetNames<uint8_t> metNames_;  // the name numbers of the names met lately
  std::array<Block, 4> blocks_;            // block n is kept in blocks_[n % 4]
  std::string bytes_;  // cells bytesFirst_ on: block bytesBlock_ and its neighbours, as last read
  int64_t bytesBlock_ = -1;
  int64_t bytesFirst_ = 1;
  const ScannedCell* hot_ = nullptr;
  int64_t hotFirst_ = 0, hotEnd_ = 0;  // the cells hot_ holds: hotFirst_ <= i < hotEnd_
  bool skipKnown_ = false;
  int64_t skipFrom_ = 0, skipRecord_ = 0, skipFound_ = 0;
  int64_t highestBlock_ = -1;  // the highest block decoded
  // The fields defined beside the file by name, each its first definition, once asked for;
  // and the definitions of the name fields met lately, by their bytes.
  bool fieldOrderKnown_ = false;
  std::unordered_map<std::string, int16_t> fieldOfName_;
  valuecell::MetNames<int16_t> metFields_;
  // The strays of strayCells[windowFirst_ ..] decoded, in the order of strayCells.
  std::vector<ScannedCell> window_;
  int64_t windowFirst_ = 0;
  std::string windowBytes_;
  // The values RecordValues gave last: of which record, with how many names numbered.
  int64_t valuesRecord_ = 0;
  size_t valuesNames_ = 0;
  std::vector<std::string> values_;
  int64_t runRecord_ = 0, runFirst_ = 0;  // the last record RunFirstCell answered for
  int64_t orderedRecord_ = 0;  // the last record FieldsInOrder answered for, and its answer
  bool orderedAnswer_ = true;
};

template <typename Visit>
void ValueCellFile::VisitRecordCells(int64_t record, int64_t mainFirst, Visit&& visit) {
  const ValueFileOrder& order = Order();
  const ValueFileOrder::StrayRange strays = order.StraysAt(SpreadIndex(record));
  int64_t next = strays.first;
  // The record's strays before cell `before`, a stretch of cells one after another at a time.
  const auto visitStrays = [&](int64_t before) {
    while (next < strays.last && order.strayCells[static_cast<size_t>(next)] < before) {
      // The strays one after another in the file from this one on.
      const int64_t first = order.strayCells[static_cast<size_t>(next)];
      int64_t count = 1;
      while (next + count < strays.last &&
             order.strayCells[static_cast<size_t>(next + count)] == first + count &&
             first + count < before)
        ++count;
      std::span<const ScannedCell> cells;
      if (HoldsNear(first)) {
        // Among the cells this reader holds, or in the block it reads next: read there.
        cells = CellsFrom(first);
        cells = cells.first(std::min(cells.size(), static_cast<size_t>(count)));
      } else {
        if (next < windowFirst_ || next >= windowFirst_ + static_cast<int64_t>(window_.size()))
          LoadStrays(next, strays.last);
        const int64_t inWindow = windowFirst_ + static_cast<int64_t>(window_.size()) - next;
        cells = {window_.data() + (next - windowFirst_),
                 static_cast<size_t>(std::min(count, inWindow))};
      }
      next += static_cast<int64_t>(cells.size());
      if (visit(first, cells) == CellWalk::stop) return false;
    }
    return true;
  };
  if (!visitStrays(mainFirst)) return;
  if (mainFirst <= cellCount_ && Cell(mainFirst).record == record) {
    for (int64_t k = mainFirst; k <= cellCount_;) {
      const std::span<const ScannedCell> cells = CellsFrom(k);
      const CellWalk walk = visit(k, cells);
      if (walk == CellWalk::stop) return;
      if (walk == CellWalk::endRun) break;
      k += static_cast<int64_t>(cells.size());
    }
  }
  visitStrays(std::numeric_limits<int64_t>::max());
}
