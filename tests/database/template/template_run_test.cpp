// The run as its caller sees it: where scripts are found, what a failed run leaves, and the
// output file's writer.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "database/template/template_language.h"
#include "database/template/template_tokens.h"
#include "platform/files/files.h"
#include "tests/database/template/fixture_environment.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using templatetest::FixtureEnvironment;

class TemplateRunTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const auto& db : templatetest::FixtureDatabases()) {
      templatetest::WriteFixtureDatabase(data, db);
    }
  }
  templates::TemplateOutcome Run(const std::string& name, const std::string& script) {
    testfiles::WriteRaw(data + name, script);
    return templates::RunTemplateScript(name, env);
  }
  void ExpectStopped(const templates::TemplateOutcome& outcome, const std::string& message) {
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.error, message);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(env.shown, std::vector<std::string>{message});
    EXPECT_TRUE(env.missingScripts.empty());
  }

  std::string data = testenv::NewFolder("run");
  FixtureEnvironment env{data};
};

// The message names the script, so the caller is told it is that of a missing script.
TEST_F(TemplateRunTest, MissingScriptIsReportedAndTheRunEnds) {
  const templates::TemplateOutcome outcome = templates::RunTemplateScript("Carta aviso", env);
  const std::string message = "El fichero " + data + "Carta aviso\r\nNo existe ..";
  EXPECT_FALSE(outcome.done);
  EXPECT_EQ(outcome.error, message);
  EXPECT_EQ(env.shown, std::vector<std::string>{message});
  EXPECT_EQ(env.missingScripts, std::vector<std::string>{message});
}

TEST_F(TemplateRunTest, ScriptsAreFoundInTheDataFolderOrByTheirFullPath) {
  EXPECT_EQ(Run("Carta aviso", "[Socios] ; &a := ~dentro ; OUT &a ;").result, "dentro");
  const std::string elsewhere = testenv::NewFolder("elsewhere") + "guion";
  testfiles::WriteRaw(elsewhere, "[Socios] ; &a := ~fuera ; OUT &a ;");
  EXPECT_EQ(templates::RunTemplateScript(elsewhere, env).result, "fuera");
  EXPECT_TRUE(env.shown.empty());
}

TEST_F(TemplateRunTest, AFolderIsNoScript) {
  ExpectStopped(templates::RunTemplateScript("Socios", env), files::ErrorText(EISDIR));
}

// The script is there: the caller names it on the line above the message, as for any other
// error of a script.
TEST_F(TemplateRunTest, ScriptLargerThanTheTokenListCanHoldIsRefused) {
  const std::string path = data + "grande";
  testfiles::WriteRaw(path, "");
  std::filesystem::resize_file(path, templates::kMaxTemplateScriptBytes + 1);
  ExpectStopped(templates::RunTemplateScript("grande", env),
                "El fichero es demasiado grande para una plantilla ..");
}

TEST_F(TemplateRunTest, EveryRunStartsClean) {
  EXPECT_EQ(Run("uno", "[Socios] ; &a := ~x ; @b := ~y ; OUT &a ;").result, "x");
  EXPECT_EQ(Run("dos", "[Socios] ; OUT &a ;").result, "");
  EXPECT_EQ(Run("tres", "[Socios] ; OUT @b ;").result, "");
  ExpectStopped(Run("cuatro", "[Socios] ; &a := ~x ; OUT &a"),
                "El c\xF3" "digo debe terminar en ;");
}

TEST_F(TemplateRunTest, MoreStatementsThanA16BitCountHolds) {
  std::string script = "[Socios] ;";
  for (int i = 0; i < 40000; ++i) script += " 'c ;";
  EXPECT_EQ(Run("largo", script + " &a := 1 ; OUT &a ;").result, "1");
}

TEST_F(TemplateRunTest, ResultIsCutToItsField) {
  // Each block over the 3 records doubles the text three times: "ab" becomes 65536 long.
  std::string script = "[Socios] ; &s := ~ab ;";
  for (int block = 0; block < 5; ++block) script += " R^ ; &s := &s + &s ; ^R ;";
  const auto outcome = Run("largo", script + " OUT &s ;");
  std::string expected;
  while (expected.size() < 10239) expected += "ab";
  EXPECT_TRUE(outcome.done);
  EXPECT_EQ(outcome.result, expected.substr(0, 10239));
}

TEST_F(TemplateRunTest, OutputWriteFailureStopsTheRunAndKeepsTheFile) {
  struct Case {
    files::testing::Step step;
    int64_t afterBytes;
    bool cutBackFails;
    bool partLeft;  // the first byte of the line stays at the file's end
  };
  // The file cannot be opened, the disk is full at once, or it fills up within the line; a
  // line cut short that cannot be cut back is said to be left at the file's end.
  for (const Case& c : {Case{files::testing::Step::Create, 0, false, false},
                        Case{files::testing::Step::Write, 0, false, false},
                        Case{files::testing::Step::Write, 1, false, false},
                        Case{files::testing::Step::Write, 0, true, false},
                        Case{files::testing::Step::Write, 1, true, true}}) {
    SCOPED_TRACE(testing::Message() << c.afterBytes << " " << c.cutBackFails);
    testfiles::WriteRaw(data + "salida.txt", "antes\r\n");
    env.shown.clear();
    files::testing::FailureScope full(c.step, ENOSPC, c.afterBytes);
    if (c.cutBackFails) files::testing::ArmFailure(files::testing::Step::Truncate, EIO);
    const std::string partLeft = "\r\nEl fichero de salida " + data +
                                 "salida.txt puede terminar ahora en una l\xEDnea incompleta ...";
    ExpectStopped(Run("salida", "[Socios] ; &f := ~salida.txt ; &t := ~x ; &c := 1 ;"
                                " &r := %WOUT &f &t &c ; OUT &r ;"),
                  files::ErrorText(ENOSPC) + (c.partLeft ? partLeft : ""));
    EXPECT_EQ(testfiles::ReadRaw(data + "salida.txt"), c.partLeft ? "antes\r\nx" : "antes\r\n");
    EXPECT_TRUE(env.opened.empty());
  }
}

TEST_F(TemplateRunTest, OutputIntoAFolderStopsTheRun) {
  ExpectStopped(Run("salida", "[Socios] ; &f := ~Socios ; &t := ~x ; &c := 0 ;"
                              " &r := %WOUT &f &t &c ; OUT &r ;"),
                files::ErrorText(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(data + "Socios"));
}

TEST(TemplateOutputFile, LinesAreAppendedWithCrLf) {
  const std::string path = testenv::NewFolder("output") + "salida.txt";
  EXPECT_EQ(templates::AppendTemplateOutputLine(path, "Hola"), 0);
  files::FileStamp first;
  ASSERT_TRUE(files::StampOf(path, first));
  const int64_t reads = files::testing::WholeFileReads();
  EXPECT_EQ(templates::AppendTemplateOutputLine(path, "Adi\xF3s"), 0);
  // The line went onto the end of the same file, which was not read to write it.
  EXPECT_EQ(files::testing::WholeFileReads(), reads);
  files::FileStamp second;
  ASSERT_TRUE(files::StampOf(path, second));
  EXPECT_EQ(second.inode, first.inode);
  EXPECT_EQ(testfiles::ReadRaw(path), "Hola\r\nAdi\xF3s\r\n");
}

}  // namespace
