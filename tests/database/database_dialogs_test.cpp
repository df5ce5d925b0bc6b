#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "database/dialogs/link_dialog.h"
#include "database/dialogs/record_browser.h"
#include "database/dialogs/template_binding.h"
#include "database/value_order.h"
#include "platform/files/files.h"
#include "tests/database/database_test.h"
#include "tests/support/test_files.h"

namespace {

using namespace record_browser_ids;

TEST(BrowserMoves, WhereEachStepLeads) {
  struct Case {
    BrowserMove move;
    int64_t position, positions;
    const char* typed;
    int64_t to;
  };
  const Case cases[] = {
      {BrowserMove::kFirst, 3, 5, "", 1},     {BrowserMove::kFirst, 0, 0, "", 0},
      {BrowserMove::kPrevious, 3, 5, "", 2},  {BrowserMove::kPrevious, 1, 5, "", 0},
      {BrowserMove::kNext, 3, 5, "", 4},      {BrowserMove::kNext, 5, 5, "", 0},
      {BrowserMove::kNext, 0, 5, "", 1},      {BrowserMove::kLast, 1, 5, "", 5},
      {BrowserMove::kLast, 1, 0, "", 0},      {BrowserMove::kGoTo, 1, 5, "4", 4},
      {BrowserMove::kGoTo, 1, 5, "7", 0},     {BrowserMove::kGoTo, 1, 5, "", 0},
      {BrowserMove::kGoTo, 1, 5, "0", 0},     {BrowserMove::kGoTo, 1, 5, "-2", 0},
      {BrowserMove::kGoTo, 1, 5, "0.4", 0},   {BrowserMove::kGoTo, 1, 5, "2.5", 2},
      {BrowserMove::kGoTo, 1, 5, "4.6", 5},   {BrowserMove::kGoTo, 1, 5, "abc", 0},
      {BrowserMove::kGoTo, 1, 5, "99999999999999999999", 0},
      // A position left outside a database that shrank steps back into it only from its end.
      {BrowserMove::kPrevious, 9, 5, "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PositionAfterMove(c.move, c.position, c.positions, c.typed), c.to)
        << static_cast<int>(c.move) << " from " << c.position << " of " << c.positions << " '"
        << c.typed << "'";
  }
}

class Browser : public databasetest::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    name = &Add(kAdminControl, "Nombre");
    SetFixedField(name->fillText, "antes");
  }
  void TearDown() override {
    if (databaseBrowserWindow) ui::testing::CloseBox(databaseBrowserWindow);
    EXPECT_EQ(databaseBrowserWindow, nullptr);
    DatabaseTest::TearDown();
  }
  ui::Window Open() {
    ShowDatabaseBrowser(nullptr);
    return databaseBrowserWindow;
  }
  std::string Shown() { return ui::Text(databaseBrowserWindow, kShown); }
  std::string Name() { return std::string(FixedFieldText(name->fillText)); }
  PageObject* name = nullptr;
};

TEST_F(Browser, StepsThroughTheRecords) {
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Shown(), "1");
  EXPECT_EQ(Name(), "Ana");
  EXPECT_FALSE(ui::Enabled(w, kWithSearch));   // no search has found records
  EXPECT_TRUE(ui::Enabled(w, kGoTo));

  ui::testing::Click(w, kNext);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(Name(), "Jos\xE9");
  ui::testing::Click(w, kLast);
  EXPECT_EQ(Shown(), "3");
  EXPECT_EQ(Name(), "Eva");
  ui::testing::Click(w, kNext);   // at the end: nothing changes
  EXPECT_EQ(Shown(), "3");
  ui::testing::Click(w, kFirst);
  EXPECT_EQ(Name(), "Ana");
  SetFixedField(name->fillText, "tocado");
  ui::testing::Click(w, kPrevious);   // at the start: nothing is filled again
  EXPECT_EQ(Name(), "tocado");

  ui::testing::TypeText(w, kNumber, "3");
  ui::testing::Click(w, kGoTo);
  EXPECT_EQ(Shown(), "3");
  for (const char* outside : {"7", "0", ""}) {
    ui::testing::TypeText(w, kNumber, outside);
    ui::testing::Click(w, kGoTo);
    EXPECT_EQ(Shown(), "3") << outside;
  }
  EXPECT_EQ(BrowserShownRecord(), 3);

  // "Navegador" again brings the open browser forward; it opens no second one.
  ShowDatabaseBrowser(nullptr);
  EXPECT_EQ(databaseBrowserWindow, w);
}

TEST_F(Browser, AFillThatRunsOutOfMemorySaysSoAndTheBrowserGoesOn) {
  ui::Window w = Open();
  ASSERT_EQ(Shown(), "1");
  Add(kAdminControl, "@@Informe");
  templateScriptRunner = [](const std::string&) -> std::optional<std::string> {
    throw std::bad_alloc();
  };
  ui::testing::Click(w, kNext);
  ASSERT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(ui::testing::MessagesShown()[0].text,
            "No hay memoria suficiente para mostrar el registro ...");
  EXPECT_EQ(ui::testing::MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(Shown(), "1");
  EXPECT_EQ(BrowserShownRecord(), 1);
  EXPECT_EQ(valueScanBusy, 0);
  EXPECT_TRUE(ui::Enabled(w, kNext));

  templateScriptRunner = nullptr;
  ui::testing::Click(w, kNext);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(Name(), "Jos\xE9");
}

TEST_F(Browser, AnEmptyDatabaseChangesNoObject) {
  const std::string folder = testenv::NewFolder("Vacia");
  std::filesystem::copy_file(databasetest::FixtureFolder("Clientes") + "Clientes.z04",
                             folder + "Vacia.z04");
  linkedDatabaseFolder = folder;
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Shown(), "");
  for (int step : {kFirst, kPrevious, kNext, kLast}) ui::testing::Click(w, step);
  ui::testing::TypeText(w, kNumber, "1");
  ui::testing::Click(w, kGoTo);
  EXPECT_EQ(Name(), "antes");
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(BrowserShownRecord(), 0);
}

TEST_F(Browser, StepsThroughTheSearchResults) {
  foundRecords = {0, 3, 1, 2};
  foundCount = 3;
  searchFound = 1;
  browseWithSearch = 1;
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(ui::Checked(w, kWithSearch));
  EXPECT_FALSE(ui::Enabled(w, kGoTo));
  EXPECT_FALSE(ui::Enabled(w, kNumber));
  EXPECT_EQ(Shown(), "3");   // the record number, not the position
  EXPECT_EQ(Name(), "Eva");

  ui::testing::Click(w, kLast);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(browserRecordNumber, 3);
  ui::testing::Click(w, kNext);
  EXPECT_EQ(Shown(), "2");
  ui::testing::Click(w, kPrevious);
  EXPECT_EQ(Shown(), "1");
  EXPECT_EQ(BrowserShownRecord(), 1);

  // Back to plain mode from the first record.
  ui::testing::Click(w, kWithSearch);
  EXPECT_EQ(browseWithSearch, 0);
  EXPECT_TRUE(ui::Enabled(w, kGoTo));
  EXPECT_EQ(Shown(), "1");
  ui::testing::Click(w, kLast);
  EXPECT_EQ(Shown(), "3");
}

TEST_F(Browser, SearchResultsThatShrankOrGrewNeverReadOutsideThemselves) {
  foundRecords = {0, 2};
  foundCount = 5;   // a search still filling the results
  searchFound = 1;
  browseWithSearch = 1;
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Shown(), "2");
  ui::testing::Click(w, kLast);
  EXPECT_EQ(Shown(), "2");
  ui::testing::Click(w, kNext);
  EXPECT_EQ(Shown(), "2");

  foundRecords = {0};
  foundCount = 0;
  ui::testing::Click(w, kFirst);
  ui::testing::Click(w, kLast);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(BrowserShownRecord(), 0);
}

TEST_F(Browser, ControlsAreGreyedAndCloseWaitsWhileThePageFills) {
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  std::vector<bool> enabled;
  repaintAfterFill = [&] {
    for (int id : {kFirst, kPrevious, kNext, kLast, kNumber, kGoTo})
      enabled.push_back(ui::Enabled(w, id));
    // A click and the close box that come in while the windows run during the fill.
    ui::SendMessage(w, ui::Msg::Command, kLast, ui::kClicked);
    ui::testing::CloseBox(w);
    EXPECT_EQ(databaseBrowserWindow, w);
  };
  ui::testing::Click(w, kNext);
  EXPECT_EQ(enabled, std::vector<bool>(6, false));
  EXPECT_EQ(Name(), "Jos\xE9");
  EXPECT_EQ(browserRecordNumber, 2);
  EXPECT_EQ(databaseBrowserWindow, nullptr);
}

TEST_F(Browser, AClickWhileAStepReadsTheRecordCountIsDropped) {
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  int steps = 0;
  valueScanStep = [&] {
    // The first pass of the windows comes while the step reads the record count, which it finds
    // by a pass over the value file, since the order of its records was forgotten.
    if (++steps == 1) ui::SendMessage(w, ui::Msg::Command, kLast, ui::kClicked);
  };
  ForgetValueFileOrders();
  ui::testing::Click(w, kNext);
  valueScanStep = nullptr;
  EXPECT_GT(steps, 1);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(Name(), "Jos\xE9");
}

// A script that fails empties its object, whatever an earlier record filled in, and its
// message names the script on a line of its own (a missing one in the message itself); the
// fill goes on with the other objects.
TEST_F(Browser, AScriptThatFailsEmptiesItsObjectAndIsNamed) {
  InstallTemplateRunner();
  // The template database is the linked one, beside the program.
  const std::string data = files::DataFolder();
  std::filesystem::copy(databasetest::FixtureFolder("Clientes"), data + "Clientes");
  programFolder = data;
  // Fails at run time on record 2 only, where the name matches and OUT stands in the @IF part.
  testfiles::WriteRaw(data + "Saludo",
                      "[Clientes] ; &b := ~Jos\xE9 ; R^.. ; &n := #Nombre ; ^R ;"
                      " @IF &n == &b ; OUT &n ; @ENDIF ; &s := ~Hola_ + &n ; OUT &s ;");
  testfiles::WriteRaw(data + "Roto", "[Clientes] ; &a := ~x ; OUT &a");
  PageObject& greeting = Add(kAdminControl, "@@Saludo");
  PageObject& broken = Add(kAdminControl, "@@Roto");
  PageObject& missing = Add(kAdminControl, "@@No_existe");
  SetFixedField(broken.fillText, "antes");
  SetFixedField(missing.fillText, "antes");
  auto fill = [](const PageObject& o) { return std::string(FixedFieldText(o.fillText)); };

  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(fill(greeting), "Hola Ana");
  EXPECT_EQ(fill(broken), "");
  EXPECT_EQ(fill(missing), "");
  ui::testing::Click(w, kNext);
  EXPECT_EQ(Name(), "Jos\xE9");
  EXPECT_EQ(fill(greeting), "");

  const std::string structure = "Roto\r\nEl c\xF3" "digo debe terminar en ;";
  // The message of a missing script names it once, with the path it was looked for at.
  const std::string absent = "El fichero " + data + "No existe\r\nNo existe ..";
  const std::string runtime = "Saludo\r\nOUT&\r\nInstrucci\xF3n Desconocida ...";
  std::vector<std::string> shown;
  for (const ui::testing::Shown& m : ui::testing::MessagesShown()) {
    EXPECT_EQ(m.title, "Vozurivudoz");
    shown.push_back(m.text);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{structure, absent, runtime, structure, absent}));
  templateScriptRunner = nullptr;
}

TEST_F(Browser, AnotherScanGreysTheControls) {
  ui::Window w = Open();
  ASSERT_NE(w, nullptr);
  {
    ValueScanGuard search;
    ASSERT_TRUE(ui::testing::FireTimer(w, 1));
    EXPECT_FALSE(ui::Enabled(w, kNext));
    ui::SendMessage(w, ui::Msg::Command, kNext, ui::kClicked);
    EXPECT_EQ(Shown(), "1");
    ui::testing::CloseBox(w);
    EXPECT_EQ(databaseBrowserWindow, w);
  }
  ASSERT_TRUE(ui::testing::FireTimer(w, 1));
  EXPECT_EQ(databaseBrowserWindow, nullptr);
}

class LinkDialog : public databasetest::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    onDatabaseLinkTested = [this](LinkTestResult r) { results.push_back(r); };
  }
  void TearDown() override {
    onDatabaseLinkTested = nullptr;
    EXPECT_EQ(linkDialogOpen, 0);
    DatabaseTest::TearDown();
  }
  // Opens the dialog, presses "..." for each folder the picker gives, then "Salir"; returns
  // what the folder field showed at the end.
  std::string Run(const std::vector<std::string>& chosen) {
    std::string shown;
    ui::testing::OnDialog("Base de Datos Vinculada", [&](ui::Window w) {
      for (const std::string& folder : chosen) {
        ui::testing::AnswerFolder(folder);
        ui::testing::Click(w, link_dialog_ids::kChoose);
      }
      shown = ui::Text(w, link_dialog_ids::kFolder);
      ui::testing::Click(w, link_dialog_ids::kSalir);
    });
    ShowLinkDatabaseDialog(nullptr);
    return shown;
  }
  std::vector<LinkTestResult> results;
};

TEST_F(LinkDialog, TestsTheLinkedFolderOnOpening) {
  searchFound = 1;
  EXPECT_EQ(Run({}), linkedDatabaseFolder);
  EXPECT_EQ(results, std::vector<LinkTestResult>{LinkTestResult::kLinked});
  EXPECT_EQ(searchFound, 0);

  results.clear();
  linkedDatabaseFolder.clear();
  EXPECT_EQ(Run({}), "");
  EXPECT_EQ(results, std::vector<LinkTestResult>{LinkTestResult::kNoFolder});
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
}

TEST_F(LinkDialog, ChoosesAndTestsAnotherFolder) {
  const std::string bad = testenv::NewFolder("Mala");
  testfiles::WriteRaw(bad + "Mala.z04", std::string(12041, 'x'));
  const std::string none = testenv::NewFolder("Ninguna");
  const std::string good = databasetest::FixtureFolder("Pedidos");
  linkedDatabaseFolder.clear();
  filledTextsShown = 1;

  EXPECT_EQ(Run({bad, none, "", good}), good);
  EXPECT_EQ(results, (std::vector<LinkTestResult>{LinkTestResult::kNoFolder,
                                                   LinkTestResult::kBadFormat,
                                                   LinkTestResult::kMissing,
                                                   LinkTestResult::kLinked}));
  EXPECT_EQ(linkedDatabaseFolder, good);
  EXPECT_EQ(filledTextsShown, 0);
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);   // only the bad format speaks
  EXPECT_EQ(shown[0].text, "La carpeta NO es una base de dato ...\r\nFormato erroneo ...");
  EXPECT_EQ(shown[0].title, "Vozurivudoz");

  // A cancelled choice keeps the link.
  results.clear();
  Run({""});
  EXPECT_EQ(linkedDatabaseFolder, good);
  EXPECT_EQ(results, std::vector<LinkTestResult>{LinkTestResult::kLinked});
}

TEST_F(LinkDialog, NoOtherDatabaseComesInUnderAScan) {
  ValueScanGuard fill;
  ShowLinkDatabaseDialog(nullptr);
  EXPECT_TRUE(ui::testing::DialogsOpened().empty());
  EXPECT_TRUE(results.empty());
}

}  // namespace
