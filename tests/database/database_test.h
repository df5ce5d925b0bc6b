// What the database tests share: the fixture database folders, a fresh page and database state
// for every test, and objects bound to fields.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "database/date_arithmetic.h"
#include "database/link_test.h"
#include "database/linked_database.h"
#include "database/record_browsing.h"
#include "database/record_fill.h"
#include "database/search_results.h"
#include "database/value_scan.h"
#include "page/shared_helpers.h"
#include "platform/ui/ui.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "tests/support/test_env.h"

namespace databasetest {

// A fixture folder of tests/database/, ending with "/".
inline std::string FixtureFolder(const std::string& name) {
  return std::string(VELUNA_SOURCE_DIR) + "/tests/database/" + name + "/";
}

// A copy of a database folder (ending with "/") that a test may write to, ending with "/".
inline std::string CopyOfFolder(const std::string& folder) {
  const std::string copy = testenv::NewFolder("copies") + GetLastPathComponent(folder) + "/";
  std::filesystem::copy(folder, copy);
  return copy;
}

inline std::string CopyOfFixture(const std::string& name) {
  return CopyOfFolder(FixtureFolder(name));
}

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    linkedDatabaseFolder = FixtureFolder("Clientes");
    programFolder = std::string(VELUNA_SOURCE_DIR) + "/tests/database/";
    ResetDatabaseReaders();
    ResetRecordBrowsing();
    ClearSearchResults();
    savedPlaceholderTexts.clear();
    filledTextsShown = 0;
    valueScanBusy = 0;
    repaintAfterFill = nullptr;
    templateScriptRunner = nullptr;
    todaysDate = [] { return CalendarDate{2024, 5, 20}; };
  }
  void TearDown() override {
    EXPECT_TRUE(ui::testing::Unexpected().empty());
    EXPECT_EQ(valueScanBusy, 0);
    ResetTodaysDate();
  }

  // A new object of that kind in the next slot, bound to `binding`.
  PageObject& Add(int32_t kind, std::string_view binding = "", std::string_view text = "") {
    PageObject& o = pageObjects[++objectCount];
    o.kind = kind;
    SetFixedField(o.databaseField, binding);
    SetFixedField(o.text, text);
    return o;
  }
};

}  // namespace databasetest
