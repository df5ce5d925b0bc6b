#include "database/search_results.h"

#include "page/start_values.h"

std::vector<int64_t> foundRecords(1, 0);
int64_t foundCount = 0;
int32_t searchFound = 0;
int32_t searchBusy = 0;

namespace {

StartValues startValues(foundRecords, foundCount, searchFound, searchBusy);

}  // namespace

void ClearSearchResults() {
  // The memory of a large result set goes back too: a search that ran out of it clears them.
  std::vector<int64_t>().swap(foundRecords);
  foundRecords.push_back(0);
  foundCount = 0;
  searchFound = 0;
}
