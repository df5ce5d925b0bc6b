#include "search/field_fetch.h"

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
  const uint8_t wanted = cells.NameNumber(fieldName);
  const int textDigit = rule.text.empty() ? 0 : DigitValueOf(rule.text.front());
  const int64_t count = cells.CellCount();
  std::string partial;
  // Cells of earlier records met before any cell of this one change nothing, so the scan
  // passes over them at once.
  for (int64_t i = cells.FirstCellOfRecordFrom(searchCellCursor, record); i <= count;) {
    const ScannedCell& cell = cells.Cell(i);
    if (cell.record > record) break;
    // The cells of a run that is not of the field in this record all do what the first does.
    if (cell.name != wanted || cell.record != record) {
      if (cell.name != wanted) partial.clear();
      i += cell.run;
      continue;
    }
    partial.push_back(static_cast<char>(cell.character));
    if (rule.mayStopEarly && DigitValueOf(partial.front()) != textDigit) {
      searchCellCursor = i;
      return {};
    }
    if (cell.last == 1) {
      if (record != searchCursorRecord) {
        searchCellCursor = i;
        searchCursorRecord = record;
      }
      return partial;
    }
    ++i;
  }
  return {};
}

std::string ReadFieldValueForSearch(ValueCellFile& cells, std::string_view fieldName,
                                    int64_t record, std::string_view text, ComparisonKind kind) {
  if (onSearchFetch) onSearchFetch(fieldName, record, kind);
  return ScanFieldValue(cells, fieldName, record, {StopsFetchEarly(kind), text});
}
