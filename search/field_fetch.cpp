#include "search/field_fetch.h"

#include <algorithm>
#include <span>

#include "database/database_files.h"
#include "page/start_values.h"

int64_t searchCellCursor = 1;
int64_t searchCursorRecord = 0;
std::function<void(std::string_view, int64_t, ComparisonKind)> onSearchFetch;

namespace {

StartValues startValues(searchCellCursor, searchCursorRecord, onSearchFetch);

int DigitValueOf(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

std::string ScanFieldValue(ValueCellFile& cells, std::string_view fieldName, int64_t record,
                           const FieldScanRule& rule) {
  const int textDigit = rule.text.empty() ? 0 : DigitValueOf(rule.text.front());
  // The value's first character decides the early stop, once the value is known to be the
  // one the record holds: whole, and not started again by a cell of another field.
  const auto stopsEarly = [&](const std::string& value) {
    return rule.mayStopEarly && !value.empty() && DigitValueOf(value.front()) != textDigit;
  };
  if (cells.HasStraysOf(record)) {
    // Read through all of its cells, as the readers that jump read it; the cursor stays, as the
    // records after it are found from where it stands.
    std::string value = ScanRecordFieldValue(cells, fieldName, record, 1);
    return stopsEarly(value) ? std::string() : value;
  }
  const uint8_t wanted = cells.NameNumber(fieldName);
  const int64_t count = cells.CellCount();
  std::string partial;
  int64_t valueFirst = 0;
  // Cells of earlier records met before any cell of this one change nothing, so the scan
  // passes over them at once.
  for (int64_t i = cells.FirstCellOfRecordFrom(searchCellCursor, record); i <= count;) {
    // The cells of a run all do what the first does, up to the first last character.
    const std::span<const ScannedCell> run = cells.Run(i);
    const ScannedCell& cell = run.front();
    if (cell.record > record && cell.stray == 0) break;
    if (cell.name != wanted || cell.record != record) {
      if (cell.name != wanted) partial.clear();
      i += static_cast<int64_t>(run.size());
      continue;
    }
    size_t last = 0;
    while (last < run.size() && run[last].last != 1) ++last;
    const size_t taken = std::min(last + 1, run.size()), before = partial.size();
    if (before == 0) valueFirst = i;
    partial.resize(before + taken);
    for (size_t k = 0; k < taken; ++k) partial[before + k] = static_cast<char>(run[k].character);
    if (last < run.size()) {
      if (stopsEarly(partial)) {
        searchCellCursor = valueFirst;
        return {};
      }
      if (record != searchCursorRecord) {
        searchCellCursor = i + static_cast<int64_t>(last);
        searchCursorRecord = record;
      }
      return partial;
    }
    i += static_cast<int64_t>(run.size());
  }
  return {};
}

std::string ReadFieldValueForSearch(ValueCellFile& cells, std::string_view fieldName,
                                    int64_t record, std::string_view text, ComparisonKind kind) {
  if (onSearchFetch) onSearchFetch(fieldName, record, kind);
  return ScanFieldValue(cells, fieldName, record, {StopsFetchEarly(kind), text});
}
