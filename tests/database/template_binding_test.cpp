// The template language as the designer binds it: an output file that WOUT asks to open goes
// to the desktop's opener, and the user is told when no application opens it.
#include "database/dialogs/template_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "tests/database/database_test.h"
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
    desktop::testing::UseOpener("");
    templateScriptRunner = nullptr;
    DatabaseTest::TearDown();
  }
  // An opener of the test's own that ends with `exitCode`.
  void UseOpenerEnding(int exitCode) {
    const std::string opener = folder_ + "opener";
    testfiles::WriteRaw(opener, "#!/bin/sh\nexit " + std::to_string(exitCode) + "\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    desktop::testing::UseOpener(opener);
  }
  std::string folder_;
};

TEST_F(TemplateBinding, AnOutputFileThatNoApplicationOpensIsNamedInAMessage) {
  UseOpenerEnding(3);
  EXPECT_EQ(templateScriptRunner("Abre salida"), std::optional<std::string>("1"));
  EXPECT_EQ(testfiles::ReadRaw(folder_ + "salida.txt"), "Hola\r\n");
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "No hay ninguna aplicaci\xF3n para abrir el fichero " + folder_ + "salida.txt ...");
  EXPECT_EQ(shown[0].title, "Vozurivudoz");
}

TEST_F(TemplateBinding, AnOutputFileThatOpensSaysNothing) {
  UseOpenerEnding(0);
  EXPECT_EQ(templateScriptRunner("Abre salida"), std::optional<std::string>("1"));
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
}

}  // namespace
