// Every test starts on a program that has not searched: the guard the search, the list and the
// record browser share is open and no fetch is watched, whatever the test before left. These
// two run in this order.
#include <gtest/gtest.h>

#include "search/field_fetch.h"
#include "search/search_results.h"

namespace {

TEST(SearchStartState, ATestLeavesTheGuardHeldAndAFetchWatched) {
  searchBusy = 1;
  onSearchFetch = [](std::string_view, int64_t, ComparisonKind) {};
}

TEST(SearchStartState, TheNextTestFindsTheGuardOpenAndNoFetchWatched) {
  EXPECT_EQ(searchBusy, 0);
  EXPECT_FALSE(onSearchFetch);
}

}  // namespace
