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
  // passes over them at once.
  const int64_t mainFirst = cells.FirstCellOfRecordFrom(searchCellCursor, record);
  if (cells.ReadsWhole(record)) {
    // Read through all of its cells, as the readers that jump read it; the cursor stays, as the
    // records after it are found from where it stands. Cells far from those this scan reads go
    // through a reader of their own, so that the scan still passes over the file once.
    const ValueCellFile::Span span = cells.SpanOfRecord(record, mainFirst);
    ValueCellFile& reader = cells.Holds(span.first, span.last) ? cells : cells.Apart();
    // The record's fields are gathered in one walk over its cells, for every field asked of it.
    const uint8_t wanted = reader.NameNumber(fieldName);
    ValueCellFile::RecordMemo& memo = reader.Memo();
    if (memo.record != record || memo.names != reader.NameCount()) {
      memo.values = GatherRecordValues(reader, record, span.first, span.last);
      memo.record = record;
      memo.names = reader.NameCount();
    }
    const std::string& value = memo.values[wanted];
    return stopsEarly(value) ? std::string() : value;
  }
  const uint8_t wanted = cells.NameNumber(fieldName);
  if (mainFirst <= cells.CellCount() && cells.Cell(mainFirst).record == record) {
    // With the cursor inside the record, a value of the field that ends before it, or on it, is
    // one the scan from the cursor passes by: where the record's fields are out of their order
    // (two desks gave it one number), that value is the record's, and the cursor stays.
    const int64_t runFirst = cells.RunFirstCell(record, mainFirst);
    if (runFirst < mainFirst) {
      std::string before = GatherRecordFieldValue(cells, wanted, record, runFirst, mainFirst, true);
      if (!before.empty() && !cells.FieldsInOrder(record, runFirst))
        return stopsEarly(before) ? std::string() : before;
    }
  }
  int64_t valueFirst = 0, valueLast = 0;
  std::string value = GatherRecordFieldValue(cells, wanted, record, mainFirst, cells.CellCount(),
                                             true, &valueFirst, &valueLast);
  if (value.empty()) return value;
  if (stopsEarly(value)) {
    searchCellCursor = valueFirst;
    return {};
  }
  if (record != searchCursorRecord) {
    searchCellCursor = valueLast;
    searchCursorRecord = record;
  }
  return value;
}

std::string ReadFieldValueForSearch(ValueCellFile& cells, std::string_view fieldName,
                                    int64_t record, std::string_view text, ComparisonKind kind) {
  if (onSearchFetch) onSearchFetch(fieldName, record, kind);
  return ScanFieldValue(cells, fieldName, record, {StopsFetchEarly(kind), text});
}
