// Every test starts on a program that has linked no database: no scan runs, the guard the
// search, the list and the record browser share is open and none of the hooks the designer's
// window sets is set, whatever the test before left. These two run in this order, in a test
// program without the designer's window.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "database/dialogs/link_dialog.h"
#include "database/dialogs/record_browser.h"
#include "database/record_fill.h"
#include "database/search_results.h"
#include "database/value_scan.h"

namespace {

TEST(DatabaseStartState, ATestLeavesAScanRunningAndTheHooksSet) {
  valueScanBusy = 1;
  valueScanStep = [] {};
  searchBusy = 1;
  repaintAfterFill = [] {};
  templateScriptRunner = [](const std::string&) { return std::optional<std::string>(); };
  linkDialogOpen = 1;
  onDatabaseLinkTested = [](LinkTestResult) {};
  onDatabaseBrowserClosed = [] {};
}

TEST(DatabaseStartState, TheNextTestFindsNoScanAndNoHook) {
  EXPECT_EQ(valueScanBusy, 0);
  EXPECT_FALSE(valueScanStep);
  EXPECT_EQ(searchBusy, 0);
  EXPECT_FALSE(repaintAfterFill);
  EXPECT_FALSE(templateScriptRunner);
  EXPECT_EQ(linkDialogOpen, 0);
  EXPECT_FALSE(onDatabaseLinkTested);
  EXPECT_FALSE(onDatabaseBrowserClosed);
}

}  // namespace
