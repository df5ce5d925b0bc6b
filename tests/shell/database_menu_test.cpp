// The menu "Bases de Datos" of the main window over a real database folder: each command
// reaches its dialog, the search's guard keeps the search, the list and the record browser one
// at a time, a record fill runs the scripts of "@@" bindings, and nothing changes the page
// while a scan reads the database.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "database/dialogs/database_commands.h"
#include "database/dialogs/record_browser.h"
#include "database/value_scan.h"
#include "page/command_ids.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "database/search_results.h"
#include "tests/shell/designer_window.h"

namespace {

using ui::testing::ChooseMenu;
using ui::testing::DialogsOpened;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

constexpr const char* kSearchCaption = "Buscar";
constexpr const char* kListCaption = "Configuraci\xF3n listar para tipo de letra monoespaciado";

int TimesOpened(const std::string& caption) {
  const auto& d = DialogsOpened();
  return static_cast<int>(std::count(d.begin(), d.end(), caption));
}

// The fixture database "Clientes" (record 1: Nombre "Ana"), linked in the settings the
// program reads when it starts.
std::string LinkFixtureDatabase() {
  const std::string folder = testenv::NewFolder("bases") + "Clientes/";
  std::filesystem::copy(std::string(VELUNA_SOURCE_DIR) + "/tests/database/Clientes", folder);
  linkedDatabaseFolder = folder;
  EXPECT_EQ(LoadSaveSettings("save"), "");
  return folder;
}

PageObject& AddBound(int32_t kind, std::string_view binding) {
  PageObject& o = pageObjects[++objectCount];
  o = PageObject{};
  o.kind = kind;
  o.x = 20;
  o.y = 20 * objectCount;
  o.width = 200;
  o.height = 20;
  SetFixedField(o.databaseField, binding);
  return o;
}

TEST(DatabaseMenu, EachCommandReachesItsDialog) {
  WithMainWindow(
      [](ui::Window w) {
        ASSERT_EQ(databaseLinked, 1);
        OnDialog("Base de Datos Vinculada", [](ui::Window d) { ui::EndDialog(d, 0); });
        ChooseMenu(w, kCommandLinkDatabase);
        // The search and the list open without an owner, under the search's guard.
        int32_t busyInside = 0;
        OnDialog(kSearchCaption, [&](ui::Window d) {
          busyInside = searchBusy;
          ui::EndDialog(d, 0);
        });
        ChooseMenu(w, kCommandSearch);
        EXPECT_EQ(busyInside, 1);
        EXPECT_EQ(searchBusy, 0);
        // No search found anything yet: "Listar" says a search comes first.
        ChooseMenu(w, kCommandListRecords);
        ASSERT_FALSE(MessagesShown().empty());
        EXPECT_EQ(MessagesShown().back().text, "Tienes que hacer primero una busqueda ...");
        EXPECT_EQ(MessagesShown().back().title, "Vozurivudoz");
        foundRecords = {0, 1, 3};
        foundCount = 2;
        searchFound = 1;
        OnDialog(kListCaption, [](ui::Window d) { ui::EndDialog(d, 0); });
        ChooseMenu(w, kCommandListRecords);
      },
      {}, [] { LinkFixtureDatabase(); });
  EXPECT_EQ(TimesOpened("Base de Datos Vinculada"), 1);
  EXPECT_EQ(TimesOpened(kSearchCaption), 1);
  EXPECT_EQ(TimesOpened(kListCaption), 1);
}

// The record browser stays open beside the main window, holding the guard the search and the
// list share until it closes; it fills the page from the record it shows.
TEST(DatabaseMenu, TheBrowserFillsThePageAndHoldsTheSearchGuardWhileOpen) {
  WithMainWindow(
      [](ui::Window w) {
        PageObject& name = AddBound(kAdminControl, "Nombre");
        ChooseMenu(w, kCommandRecordBrowser);
        ASSERT_NE(databaseBrowserWindow, nullptr);
        EXPECT_EQ(FixedFieldText(name.fillText), "Ana");
        EXPECT_EQ(searchBusy, 1);
        ChooseMenu(w, kCommandSearch);
        EXPECT_EQ(TimesOpened(kSearchCaption), 0);
        ui::testing::CloseBox(databaseBrowserWindow);
        EXPECT_EQ(databaseBrowserWindow, nullptr);
        EXPECT_EQ(searchBusy, 0);
        OnDialog(kSearchCaption, [](ui::Window d) { ui::EndDialog(d, 0); });
        ChooseMenu(w, kCommandSearch);
        EXPECT_EQ(TimesOpened(kSearchCaption), 1);
      },
      {}, [] { LinkFixtureDatabase(); });
}

// An object bound to "@@" and a script name gets what the script gives out; a script that is
// missing says so, with the path it was looked for at, in a message box and leaves the object
// empty.
TEST(DatabaseMenu, ARecordFillRunsTheScriptsOfItsBindings) {
  WithMainWindow(
      [](ui::Window w) {
        PageObject& greeting = AddBound(kAdminControl, "@@Saludo_breve");
        PageObject& broken = AddBound(kAdminControl, "@@Roto");
        SetFixedField(broken.fillText, "antes");
        ChooseMenu(w, kCommandRecordBrowser);
        ASSERT_NE(databaseBrowserWindow, nullptr);
        EXPECT_EQ(FixedFieldText(greeting.fillText), "Hola Ana");
        EXPECT_EQ(FixedFieldText(broken.fillText), "");
        const auto& shown = MessagesShown();
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const ui::testing::Shown& m) {
          return m.title == "Vozurivudoz" && m.text.starts_with("El fichero ") &&
                 m.text.find("Roto\r\nNo existe ..") != std::string::npos;
        }));
        ui::testing::CloseBox(databaseBrowserWindow);
      },
      {},
      [] {
        const std::string folder = LinkFixtureDatabase();
        // The template database is the linked one, copied beside the program.
        std::filesystem::copy(folder, files::DataFolder() + "Clientes");
        ASSERT_EQ(files::WriteAllAtomically(files::DataFolder() + "Saludo breve",
                                            "[Clientes] ; R^.. ; &n := #Nombre ; ^R ; "
                                            "&s := ~Hola_ + &n ; OUT &s ;"),
                  0);
      });
}

// While a fill, a capture, a search or a list reads the database, the windows keep running:
// the commands that would change the page, the link or the results under it do nothing.
TEST(DatabaseMenu, CommandsThatChangeThePageWaitForAScan) {
  WithMainWindow(
      [](ui::Window w) {
        AddBound(kAdminControl, "Nombre");
        valueScanBusy = 1;
        ChooseMenu(w, kCommandNew);
        ChooseMenu(w, kCommandUndo);
        ChooseMenu(w, kCommandLinkDatabase);
        ChooseMenu(w, kCommandRecordBrowser);
        EXPECT_EQ(objectCount, 2);
        EXPECT_EQ(databaseBrowserWindow, nullptr);
        // Views of the page go on.
        ChooseMenu(w, kCommandAxes);
        EXPECT_TRUE(ui::MenuItemChecked(w, kCommandAxes));
        valueScanBusy = 0;
        ChooseMenu(w, kCommandUndo);
        EXPECT_EQ(objectCount, 1);
      },
      {}, [] { LinkFixtureDatabase(); });
  EXPECT_EQ(TimesOpened("Base de Datos Vinculada"), 0);
}

}  // namespace
