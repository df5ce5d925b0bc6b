// Every test starts on a program that has not searched: no fetch is watched, whatever the test
// before left. These two run in this order.
#include <gtest/gtest.h>

#include "search/field_fetch.h"

namespace {

TEST(SearchStartState, ATestLeavesAFetchWatched) {
  onSearchFetch = [](std::string_view, int64_t, ComparisonKind) {};
}

TEST(SearchStartState, TheNextTestFindsNoFetchWatched) { EXPECT_FALSE(onSearchFetch); }

}  // namespace
