// A value file as the scan from its first cell reads it, worked out cell by cell apart from the
// readers, so that every reader can be held against it: the record each cell is read as, the
// cells beside the main sequence of ascending records, and the value of a field in a record.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "database/records.h"

namespace valuemodel {

struct Cell {
  int64_t stored = 0;
  std::string name;
  char character = 0;
  bool last = false;
};

inline std::vector<Cell> CellsOf(const std::string& bytes) {
  std::vector<Cell> cells;
  for (size_t at = 0; at + kZbdEntryLength <= bytes.size(); at += kZbdEntryLength) {
    ZbdEntry e;
    std::memcpy(&e, bytes.data() + at, sizeof e);
    cells.push_back({e.recordNumber, std::string(e.fieldName, strnlen(e.fieldName, 31)),
                     static_cast<char>(e.character), e.lastCharacter == 1});
  }
  return cells;
}

// Which cells are jumps: a cell whose place can hold its number, a number more than one past
// that of every cell before it whose place holds it and that is no jump, where neither of the
// two cells after it holds its number or the next one (with places that can hold them).
inline std::vector<bool> JumpsOf(const std::vector<Cell>& cells) {
  const auto possible = [&](size_t k) {
    return k < cells.size() && cells[k].stored >= 1 &&
           cells[k].stored <= static_cast<int64_t>(k + 1);
  };
  std::vector<bool> jumps(cells.size(), false);
  int64_t highest = 0;
  for (size_t k = 0; k < cells.size(); ++k) {
    if (!possible(k)) continue;
    const int64_t r = cells[k].stored;
    bool goesOn = false;
    for (size_t j = k + 1; j <= k + 2; ++j)
      goesOn |= possible(j) && (cells[j].stored == r || cells[j].stored == r + 1);
    jumps[k] = r > highest + 1 && !goesOn;
    if (!jumps[k]) highest = std::max(highest, r);
  }
  return jumps;
}

// The record a cell names where its place can hold it and it is no jump; else, of the
// neighbours whose records their places can hold and that are no jumps, the one before when
// the cell continues its value, the one after when the cell goes on into it and this place can
// hold that record, else the nearer one or the one there is; with none, or between two that
// descend, no record (0).
inline std::vector<int64_t> RecordsRead(const std::vector<Cell>& cells) {
  const std::vector<bool> jumps = JumpsOf(cells);
  const auto sound = [&](size_t k, size_t place) {
    return cells[k].stored >= 1 && cells[k].stored <= static_cast<int64_t>(place) && !jumps[k];
  };
  std::vector<int64_t> read;
  for (size_t k = 0; k < cells.size(); ++k) {
    const Cell& c = cells[k];
    const size_t place = k + 1;
    if (sound(k, place)) {
      read.push_back(c.stored);
      continue;
    }
    const Cell* before = k > 0 && sound(k - 1, place - 1) ? &cells[k - 1] : nullptr;
    const Cell* after = k + 1 < cells.size() && sound(k + 1, place + 1) &&
                                cells[k + 1].stored <= static_cast<int64_t>(place)
                            ? &cells[k + 1]
                            : nullptr;
    int64_t record = 0;
    if (before && !before->last && before->name == c.name)
      record = before->stored;
    else if (after && !c.last && after->name == c.name)
      record = after->stored;
    else if (before && after)
      record = before->stored > after->stored ? 0 : c.stored < 1 ? before->stored : after->stored;
    else if (before || after)
      record = (before ? before : after)->stored;
    read.push_back(record);
  }
  return read;
}

// Which cells stand beside the main sequence: a cell of no record, of a record below the main
// sequence's last, or of a record above it that the next two cells stand below, the first going
// on with the main sequence.
inline std::vector<bool> StraysOf(const std::vector<int64_t>& records) {
  std::vector<bool> strays;
  int64_t main = 0;
  const auto recordAt = [&](size_t k) { return k < records.size() ? records[k] : -1; };
  for (size_t k = 0; k < records.size(); ++k) {
    const int64_t r = records[k], next = recordAt(k + 1), afterNext = recordAt(k + 2);
    const bool stray =
        r < 1 || r < main || (r > main && next >= 1 && next >= main && next < r && afterNext < r);
    if (!stray) main = r;
    strays.push_back(stray);
  }
  return strays;
}

// The first whole value of a field in a record, from the cells read as the record alone, in file
// order from the first: a cell of another field of the record starts it again, and a cell of
// another record, whatever its name, changes nothing; "" when there is none.
inline std::string ValueOf(const std::vector<Cell>& cells, const std::vector<int64_t>& records,
                           const std::string& name, int64_t record) {
  std::string partial;
  for (size_t k = 0; k < cells.size(); ++k) {
    if (records[k] != record) continue;
    if (cells[k].name != name) {
      partial.clear();
      continue;
    }
    partial += cells[k].character;
    if (cells[k].last) return partial;
  }
  return {};
}

}  // namespace valuemodel
