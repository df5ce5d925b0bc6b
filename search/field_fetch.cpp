#include "search/field_fetch.h"

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
  // Cells of earlier records met before any cell of this one change nothing, so the scan
  // passes over them at once. A record read through all of its cells leaves the cursor where it
  // is, as the records after it are found from there.
  const int64_t mainFirst = cells.FirstCellOfRecordFrom(searchCellCursor, record);
  FieldRead read = ReadFieldFromCursor(cells, cells.NameNumber(fieldName), record, mainFirst);
  if (read.first == 0) return stopsEarly(read.value) ? std::string() : std::move(read.value);
  if (stopsEarly(read.value)) {
    searchCellCursor = read.first;
    return {};
  }
  if (record != searchCursorRecord) {
    searchCellCursor = read.last;
    searchCursorRecord = record;
  }
  return std::move(read.value);
}

std::string ReadFieldValueForSearch(ValueCellFile& cells, std::string_view fieldName,
                                    int64_t record, std::string_view text, ComparisonKind kind) {
  if (onSearchFetch) onSearchFetch(fieldName, record, kind);
  return ScanFieldValue(cells, fieldName, record, {StopsFetchEarly(kind), text});
}
