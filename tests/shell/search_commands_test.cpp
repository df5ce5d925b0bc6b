// "Buscar .." and "Listar" from the main window's menu: the guard that the search, the list and
// the record browser share holds for as long as one of them is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "database/dialogs/record_browser.h"
#include "page/command_ids.h"
#include "page/settings.h"
#include "platform/ui/ui.h"
#include "database/search_results.h"
#include "tests/search/search_fixture.h"
#include "tests/shell/designer_window.h"

namespace {

using namespace searchtest;
using ui::testing::ChooseMenu;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

constexpr const char* kNoSearch = "Tienes que hacer primero una busqueda ...";

int TimesOpened(const std::string& caption) {
  const auto& d = ui::testing::DialogsOpened();
  return static_cast<int>(std::count(d.begin(), d.end(), caption));
}

void LinkForTheProgram() {
  LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}, {"Luis"}});
  EXPECT_EQ(LoadSaveSettings("save"), "");
}

// "Listar" with nothing found says so, and a second "Buscar" stays shut while the first runs.
TEST(SearchCommands, ListingWithNothingFoundKeepsTheGuardOfAnOpenSearch) {
  WithMainWindow(
      [](ui::Window w) {
        ASSERT_EQ(foundCount, 0);
        OnDialog("Buscar", [w](ui::Window d) {
          ChooseMenu(w, kCommandListRecords);
          ASSERT_FALSE(MessagesShown().empty());
          EXPECT_EQ(MessagesShown().back().text, kNoSearch);
          EXPECT_EQ(MessagesShown().back().title, "Vozurivudoz");
          EXPECT_EQ(searchBusy, 1);
          ChooseMenu(w, kCommandSearch);
          EXPECT_EQ(TimesOpened("Buscar"), 1);
          ui::EndDialog(d, 0);
        });
        ChooseMenu(w, kCommandSearch);
        EXPECT_EQ(searchBusy, 0);
      },
      {}, LinkForTheProgram);
  EXPECT_EQ(TimesOpened("Buscar"), 1);
}

TEST(SearchCommands, ListingWithNothingFoundKeepsTheGuardOfTheOpenBrowser) {
  WithMainWindow(
      [](ui::Window w) {
        ChooseMenu(w, kCommandRecordBrowser);
        ASSERT_NE(databaseBrowserWindow, nullptr);
        const size_t shown = MessagesShown().size();
        ChooseMenu(w, kCommandListRecords);
        ASSERT_EQ(MessagesShown().size(), shown + 1);
        EXPECT_EQ(MessagesShown().back().text, kNoSearch);
        EXPECT_EQ(searchBusy, 1);
        ChooseMenu(w, kCommandSearch);
        EXPECT_EQ(TimesOpened("Buscar"), 0);
        ui::testing::CloseBox(databaseBrowserWindow);
        EXPECT_EQ(searchBusy, 0);
      },
      {}, LinkForTheProgram);
}

}  // namespace
