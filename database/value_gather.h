// How every reader of a value file gathers a record's values from its cells: the record
// browser's fill, the linked and template readers, the search's fetch and the record list.
#pragma once
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "database/database_files.h"
#include "database/value_cells.h"

// The first whole value of each field a reader wants among the cells of one record, given in
// file order a stretch at a time (ValueCellFile::VisitRecordCells): a value completes on its
// cell with lastCharacter 1, a cell of another field of the record starts it again, and a cell
// of another record, whatever its name, changes nothing. With `untilLaterRecord` the first cell
// of a later record in the main sequence ends the record's run. Values are cut at
// kMaxValueLength characters.
//
// `Names` says what is a cell's name (`Of(cell, place)`, a Key), whether the cells of a run
// (ScannedCell::run) share their name, which names are wanted (`Wants`), where the value being
// gathered grows (`Partial()`), what becomes of it once whole (`Complete(name, firstPlace,
// lastPlace)`) and when nothing more is wanted (`Done`).
template <typename Names>
class ValueGather {
 public:
  ValueGather(int64_t record, bool untilLaterRecord, Names& names)
      : record_(record), untilLaterRecord_(untilLaterRecord), names_(names) {}

  CellWalk Take(int64_t first, std::span<const ScannedCell> cells) {
    const ScannedCell* const start = cells.data();
    const ScannedCell* const end = start + cells.size();
    for (const ScannedCell* c = start; c != end;) {
      const ScannedCell* const next =
          Names::kByRuns ? c + std::min<ptrdiff_t>(c->run, end - c) : c + 1;
      if (c->record != record_) {
        if (untilLaterRecord_ && c->record > record_ && c->stray == 0) return CellWalk::endRun;
        c = next;
        continue;
      }
      const int64_t place = first + (c - start);
      auto name = names_.Of(*c, place);
      std::string& partial = names_.Partial();
      if (!named_ || name != name_) {
        name_ = std::move(name);
        named_ = true;
        partial.clear();
      }
      if (!names_.Wants(name_)) {
        c = next;
        continue;
      }
      // The run's characters up to its first last character, if it has one, in one pass.
      if (partial.empty()) valueFirst_ = place;
      const size_t before = partial.size();
      const size_t room = kMaxValueLength - std::min(before, kMaxValueLength);
      partial.resize(before + std::min(static_cast<size_t>(next - c), room));
      char* const out = partial.data() + before;
      const ScannedCell* stop = c;
      size_t taken = 0;
      for (; stop != next && stop->last != 1; ++stop)
        if (taken < room) out[taken++] = static_cast<char>(stop->character);
      const bool whole = stop != next;
      if (whole && taken < room) out[taken++] = static_cast<char>(stop->character);
      partial.resize(before + taken);
      if (!whole) {
        c = next;
        continue;
      }
      names_.Complete(name_, valueFirst_, first + (stop - start));
      if (names_.Done()) return CellWalk::stop;
      names_.Partial().clear();
      c = stop + 1;
    }
    return CellWalk::goOn;
  }

 private:
  int64_t record_;
  bool untilLaterRecord_;
  Names& names_;
  typename Names::Key name_{};
  bool named_ = false;
  int64_t valueFirst_ = 0;
};

// Gathers the record's values into `names` in one walk over its cells (VisitRecordCells) from
// its run's cell `mainFirst` on.
template <typename Names>
void GatherRecord(ValueCellFile& cells, int64_t record, int64_t mainFirst, Names& names) {
  if (record < 1) return;
  ValueGather<Names> gather(record, true, names);
  cells.VisitRecordCells(record, mainFirst, [&](int64_t first, std::span<const ScannedCell> run) {
    return gather.Take(first, run);
  });
}

// The value of one field, known by its name's number, gathered into `value`, with the places of
// its first and last cells.
struct OneFieldName {
  using Key = uint8_t;
  static constexpr bool kByRuns = true;
  uint8_t wanted = 0;
  std::string& value;
  int64_t first = 0, last = 0;
  bool whole = false;

  uint8_t Of(const ScannedCell& cell, int64_t) const { return cell.name; }
  bool Wants(uint8_t name) const { return !whole && name == wanted; }
  std::string& Partial() { return value; }
  void Complete(uint8_t, int64_t firstPlace, int64_t lastPlace) {
    first = firstPlace;
    last = lastPlace;
    whole = true;
  }
  bool Done() const { return whole; }
};
