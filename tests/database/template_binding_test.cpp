// The template language as the designer binds it: an output file that WOUT asks to open goes
// to the desktop's opener, and the user is told when no application opens it, however late
// the opener finds that out; the message of a script that fails names it once.
#include "database/dialogs/template_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/template/template_tokens.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "tests/database/database_test.h"
#include "tests/support/held_opener.h"
#include "tests/support/test_files.h"

namespace {

class TemplateBinding : public databasetest::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    folder_ = testenv::NewFolder("binding");
    files::OverrideDataFolder(folder_);
    // Every script names its database, a folder of the data folder.
    std::filesystem::copy(databasetest::FixtureFolder("Clientes"), folder_ + "Clientes");
    testfiles::WriteRaw(folder_ + "Abre salida",
                        "[Clientes] ;\r\n&f := ~salida.txt ;\r\n&t := ~Hola ;\r\n&c := 1 ;\r\n"
                        "&r := %WOUT &f &t &c ;\r\nOUT &r ;\r\n");
    InstallTemplateRunner();
  }
  void TearDown() override {
    templateScriptRunner = nullptr;
    DatabaseTest::TearDown();
  }
  std::string folder_;
  // Ends only when a test lets it, long after the run that started it, as on a loaded machine.
  testopener::HeldOpener opener_;
};

TEST_F(TemplateBinding, AnOutputFileThatNoApplicationOpensIsNamedInAMessage) {
  EXPECT_EQ(templateScriptRunner("Abre salida"), std::optional<std::string>("1"));
  EXPECT_EQ(testfiles::ReadRaw(folder_ + "salida.txt"), "Hola\r\n");
  // The run is over and the opener still runs: nothing is known yet.
  EXPECT_EQ(desktop::testing::OpenersRunning().size(), 1u);
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
  opener_.Let(3);
  ASSERT_TRUE(desktop::testing::WaitForOpeners());
  EXPECT_EQ(opener_.Asked(), std::vector<std::string>{folder_ + "salida.txt"});
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "No hay ninguna aplicaci\xF3n para abrir el fichero " + folder_ + "salida.txt ...");
  EXPECT_EQ(shown[0].title, "Vozurivudoz");
}

// As a missing script is named once, in its message, a script too large is named once, on
// the line above its message.
TEST_F(TemplateBinding, AScriptTooLargeIsNamedOnce) {
  const std::string path = folder_ + "Grande";
  testfiles::WriteRaw(path, "");
  std::filesystem::resize_file(path, templates::kMaxTemplateScriptBytes + 1);
  EXPECT_EQ(templateScriptRunner("Grande"), std::nullopt);
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Grande\r\nEl fichero es demasiado grande para una plantilla ..");
}

TEST_F(TemplateBinding, AnOutputFileThatOpensSaysNothing) {
  EXPECT_EQ(templateScriptRunner("Abre salida"), std::optional<std::string>("1"));
  opener_.Let(0);
  ASSERT_TRUE(desktop::testing::WaitForOpeners());
  EXPECT_EQ(opener_.Asked(), std::vector<std::string>{folder_ + "salida.txt"});
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
}

}  // namespace
