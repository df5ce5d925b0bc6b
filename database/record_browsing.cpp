#include "database/record_browsing.h"

#include <algorithm>

#include "database/linked_database.h"
#include "database/record_fill.h"
#include "database/search_results.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

int64_t browserRecordNumber = 0;
int32_t browseWithSearch = 0;

bool IsBrowsingWithSearch() { return searchFound == 1 && browseWithSearch == 1; }

int64_t BrowsablePositions() {
  if (!IsBrowsingWithSearch()) return GetLastRecordNumber();
  // A search fills the results while the browser is open: only what is kept counts.
  const int64_t kept = static_cast<int64_t>(foundRecords.size()) - 1;
  return std::clamp<int64_t>(foundCount, 0, std::max<int64_t>(kept, 0));
}

int64_t RecordAtPosition(int64_t position) {
  if (position < 1 || position > BrowsablePositions()) return 0;
  if (!IsBrowsingWithSearch()) return position;
  return std::max<int64_t>(foundRecords[static_cast<size_t>(position)], 0);
}

int64_t BrowserShownRecord() { return RecordAtPosition(browserRecordNumber); }

int64_t PositionAfterMove(BrowserMove move, int64_t position, int64_t positions,
                          std::string_view typed) {
  if (positions < 1) return 0;
  int64_t next = 0;
  switch (move) {
    case BrowserMove::kFirst: next = 1; break;
    case BrowserMove::kPrevious: next = position > 1 ? position - 1 : 0; break;
    case BrowserMove::kNext: next = position < positions ? position + 1 : 0; break;
    case BrowserMove::kLast: next = positions; break;
    case BrowserMove::kGoTo:
      if (!typed.empty()) next = numbers::ToInt64(numbers::NumericValueOfText(typed));
      break;
  }
  return next >= 1 && next <= positions ? next : 0;
}

int64_t ShowBrowserPosition(int64_t position) {
  const int64_t record = RecordAtPosition(position);
  if (record < 1) return 0;
  // The scripts the fill runs read the record shown ("R^.."): the new one.
  const int64_t before = browserRecordNumber;
  browserRecordNumber = position;
  bool filled = false;
  try {
    filled = FillObjectsFromRecord(record);
  } catch (...) {
    browserRecordNumber = before;
    throw;
  }
  if (!filled) {
    browserRecordNumber = before;
    return 0;
  }
  return record;
}

void ResetRecordBrowsing() {
  browserRecordNumber = 0;
  browseWithSearch = 0;
}
const EnrolledStart enrolled(ResetRecordBrowsing);
