// The field fetch of the searches and the value read of the record list. Both scan the linked
// value file forward from one shared cell cursor, which moves on to the last cell of the first
// value completed in each new record, and end at the first cell of a later record in the main
// sequence of ascending records; the criteria and the list's columns therefore come in the order
// in which their fields are defined. A value is gathered from its record's own cells alone
// (database/value_gather.h). A record with strays (database/value_order.h), or a value behind
// the cursor in a record whose fields came out of their order, is read through all of the
// record's cells, as the record browser reads it (ReadFieldFromCursor), and leaves the cursor
// where it was; the scan still passes over the file once, and reads each stray once.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "database/value_cells.h"
#include "search/comparison.h"

// The cell at which the next scan starts. Every search sets it to 1, and so does the record
// list before it reads values.
extern int64_t searchCellCursor;
// The record whose value last moved the cursor; only the scans write it, nothing resets it.
extern int64_t searchCursorRecord;

// How a scan ends besides at the value's last cell and at the first cell of a later record.
struct FieldScanRule {
  // For "=", "*-" and "<>" the value's first character decides when its digit value differs
  // from that of the text's first character (any other character counts 0): the whole value
  // fails "=" and "*-" and meets "<>" just as the empty text does. The fetch then gives the
  // empty text and leaves the cursor on the value's first cell; it decides once the value is
  // whole, as a cell of another field before its end would start it again.
  bool mayStopEarly = false;
  std::string_view text;
};

// The value of a field in a record from the cursor on, moving the cursor as the rules above
// say; "" when the record has no complete value there, or the scan stopped early.
std::string ScanFieldValue(ValueCellFile& cells, std::string_view fieldName, int64_t record,
                           const FieldScanRule& rule);

// The search's fetch: the value of a field in a record, "" when it has none.
std::string ReadFieldValueForSearch(ValueCellFile& cells, std::string_view fieldName,
                                    int64_t record, std::string_view text, ComparisonKind kind);

// Tests only: told of every fetch a search makes, in order.
extern std::function<void(std::string_view fieldName, int64_t record, ComparisonKind kind)>
    onSearchFetch;
