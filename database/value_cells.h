// The cells of a value file as every scan reads them (the record fill, the readers of the
// linked and the template database, the search and the record list): read from the file in
// blocks and decoded once into the little each scan looks at, so that a scan costs no file call
// per cell. Only whole cells are read; what a cell holds is never trusted beyond being compared
// (a damaged name ends at the end of its field).
#pragma once
#include <array>
#include <cstdint>
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
// (ValueFileOrder): the jumps and the scans in order pass over them, and a record that has some,
// or whose fields came out of order, is read through all of its cells in file order, from the
// first of them to the last. Only the cells as stored decide, never a neighbour as read, so a
// cell reads the same in whatever block it is read.
//
// One cell, decoded.
struct ScannedCell {
  int64_t record = 0;  // the record the cell is read as belonging to, 0 for none
  uint8_t character = 0;
  uint8_t last = 0;   // 1 on the last character of a value
  uint8_t name = 0;   // which of the names asked for the cell carries, from 1; 0 for any other
  uint8_t stray = 0;  // 1 for a cell beside the main sequence
  // How many cells from this one on, to the end of its block, read as the same record, carry
  // the same name number and are strays alike: a scan that wants none of them passes over them
  // in one step.
  uint16_t run = 1;
  // The first definition of the cell's name among the fields defined beside the file, from 0;
  // -1 for a name no definition has, and for every cell until the fields' order is asked for
  // (FieldsInOrder).
  int16_t field = -1;
};

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
  // The run of cell i: the cells from i on that ScannedCell::run counts, one after another.
  std::span<const ScannedCell> Run(int64_t i) {
    const ScannedCell& cell = Cell(i);
    return {&cell, cell.run};
  }
  // The cells from cell i on to the end of its block, one after another; none outside the file.
  std::span<const ScannedCell> CellsFrom(int64_t i) {
    if (i < 1 || i > cellCount_) return {};
    const ScannedCell& cell = Cell(i);
    return {&cell, static_cast<size_t>(hotEnd_ - i)};
  }
  // How many names have numbers (NameNumber).
  size_t NameCount() const { return names_.size(); }
  // What a reader made of the last record it read whole, for readers that take several of its
  // fields one after another: kept for them, and no use once another name is numbered.
  struct RecordMemo {
    int64_t record = 0;
    size_t names = 0;
    std::vector<std::string> values;
  };
  RecordMemo& Memo() { return memo_; }
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
  // Whether the record is read through all of its cells in file order (SpanOfRecord), not
  // through its run in the main sequence.
  bool ReadsWhole(int64_t record) { return Order().ReadsWhole(record); }
  // The cells from the first of a record read whole to its last: its run in the main sequence
  // and its strays, with cells of other records among them. `mainFirst` is the first cell of the
  // main sequence of the record or a later one, where the caller has found it (0: found here).
  // Every cell of the file for a file whose order is not mapped.
  struct Span {
    int64_t first = 1, last = 0;
  };
  Span SpanOfRecord(int64_t record, int64_t mainFirst = 0);
  // Whether cells `first` to `last` are in the blocks this reader holds, or in the block after
  // them: read here, they cost no jump back and no block read ahead is lost.
  bool Holds(int64_t first, int64_t last) const;
  // A second reader of the same file, with the same order and cells, for cells far from those
  // this one reads, so that reading them leaves this one's blocks and reads ahead as they are.
  ValueCellFile& Apart();

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
  // A reader of the cells of `other`, with its order and cell count.
  ValueCellFile(const ValueCellFile& other, int blockCells);

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
  std::unique_ptr<ValueCellFile> apart_;
  // The fields defined beside the file by name, each its first definition, once asked for;
  // and the definitions of the name fields met lately, by their bytes.
  bool fieldOrderKnown_ = false;
  std::unordered_map<std::string, int16_t> fieldOfName_;
  valuecell::MetNames<int16_t> metFields_;
  RecordMemo memo_;
  int64_t runRecord_ = 0, runFirst_ = 0;  // the last record RunFirstCell answered for
  int64_t orderedRecord_ = 0;  // the last record FieldsInOrder answered for, and its answer
  bool orderedAnswer_ = true;
};
