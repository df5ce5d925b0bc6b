#include "search/search_results.h"

std::vector<int64_t> foundRecords(1, 0);
int64_t foundCount = 0;
int32_t searchFound = 0;
int32_t searchBusy = 0;

void ClearSearchResults() {
  foundRecords.assign(1, 0);
  foundCount = 0;
  searchFound = 0;
}
