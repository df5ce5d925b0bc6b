// Tests of the desktop unit: the document association, the environment expansion, the
// opener and the sounds. The test main points XDG_DATA_HOME and XDG_CONFIG_HOME into a
// temporary folder, so registering touches nothing of the machine's.
#include "platform/desktop/desktop.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <QCoreApplication>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/held_opener.h"
#include "tests/support/test_env.h"

namespace {

std::string DataHome() { return std::getenv("XDG_DATA_HOME"); }
std::string ConfigHome() { return std::getenv("XDG_CONFIG_HOME"); }
std::string EntryPath() { return DataHome() + "/applications/veluna-qorvex.desktop"; }
std::string ListPath() { return ConfigHome() + "/mimeapps.list"; }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Spit(const std::string& path, const std::string& data) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

size_t Occurrences(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + 1))
    ++n;
  return n;
}

std::string Register(const std::string& program) {
  std::string error;
  EXPECT_TRUE(desktop::RegisterFileType("qorvex", program, 1, error)) << error;
  EXPECT_EQ(error, "");
  return error;
}

TEST(Association, NothingRegisteredGivesAnEmptyCommand) {
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");
  EXPECT_EQ(desktop::AssociatedOpenCommand(""), "");
}

TEST(Association, RegisteringWritesTheFreedesktopFilesAndReadsBackTheCommand) {
  const std::string program = testenv::Folder() + "program/veluna";
  Register(program);

  std::string package = Slurp(DataHome() + "/mime/packages/x-qorvex.xml");
  EXPECT_NE(package.find("type=\"application/x-qorvex\""), std::string::npos) << package;
  EXPECT_NE(package.find("pattern=\"*.qorvex\""), std::string::npos) << package;
  EXPECT_NE(package.find("<comment>"), std::string::npos) << package;

  std::string entry = Slurp(EntryPath());
  EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nName=Veluna\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nExec=\"" + program + "\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=application/x-qorvex;\n"), std::string::npos) << entry;
  const std::string icon = DataHome() + "/icons/hicolor/48x48/apps/veluna.png";
  EXPECT_NE(entry.find("\nIcon=" + icon + "\n"), std::string::npos) << entry;
  QImage iconImage(QString::fromStdString(icon));
  EXPECT_EQ(iconImage.size(), QSize(48, 48));

  EXPECT_NE(
      Slurp(ListPath()).find("[Default Applications]\napplication/x-qorvex=veluna-qorvex.desktop;"),
      std::string::npos);

  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "\"" + program + "\" %f");
  // Globs of shared-mime-info match without regard to case.
  EXPECT_EQ(desktop::AssociatedOpenCommand(".QORVEX"), "\"" + program + "\" %f");
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvexx"), "");
}

TEST(Association, ProgramPathsAreQuotedForTheExecLine) {
  struct Case {
    std::string program;  // 1252
    std::string command;  // what reads back, 1252
  };
  const Case cases[] = {
      {"/opt/Mis Programas/veluna", "\"/opt/Mis Programas/veluna\" %f"},
      {"/opt/Dise\xF1o/veluna", "\"/opt/Dise\xF1o/veluna\" %f"},
      {"/opt/100%/veluna", "\"/opt/100%%/veluna\" %f"},
      {"/opt/a$HOME/veluna", "\"/opt/a\\$HOME/veluna\" %f"},
      {"/opt/say \"hi\"/veluna", "\"/opt/say \\\"hi\\\"/veluna\" %f"},
  };
  for (const Case& c : cases) {
    Register(c.program);
    EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), c.command) << c.program;
  }
  // The file itself holds UTF-8 and doubles the backslash once more, as key files escape it.
  Register("/opt/back\\slash/veluna");
  EXPECT_NE(Slurp(EntryPath()).find("Exec=\"/opt/back\\\\\\\\slash/veluna\" %f\n"),
            std::string::npos)
      << Slurp(EntryPath());
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "\"/opt/back\\\\slash/veluna\" %f");
  Register("/opt/Dise\xF1o/veluna");
  EXPECT_NE(Slurp(EntryPath()).find("Exec=\"/opt/Dise\xC3\xB1o/veluna\" %f"), std::string::npos);
}

TEST(Association, OtherLinesOfMimeAppsListAreKept) {
  Spit(ListPath(),
       "# my choices\n"
       "[Added Associations]\n"
       "image/png=viewer.desktop;\n"
       "\n"
       "[Default Applications]\n"
       "text/plain=editor.desktop;\n"
       "application/x-qorvex=someone-else.desktop;\n"
       "image/gif=viewer.desktop;\n"
       "\n"
       "[Removed Associations]\n"
       "text/html=browser.desktop;\n");
  Register("/opt/veluna/veluna");
  const std::string list = Slurp(ListPath());
  for (const char* kept : {"# my choices\n", "[Added Associations]\nimage/png=viewer.desktop;\n",
                           "text/plain=editor.desktop;\n", "image/gif=viewer.desktop;\n",
                           "[Removed Associations]\ntext/html=browser.desktop;\n"})
    EXPECT_NE(list.find(kept), std::string::npos) << kept << "\n---\n" << list;
  EXPECT_EQ(Occurrences(list, "application/x-qorvex="), 1u) << list;
  EXPECT_NE(list.find("application/x-qorvex=veluna-qorvex.desktop;"), std::string::npos) << list;
  EXPECT_EQ(list.find("someone-else"), std::string::npos) << list;
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "\"/opt/veluna/veluna\" %f");
}

TEST(Association, AListWithoutTheDefaultGroupGetsOne) {
  Spit(ListPath(), "[Added Associations]\nimage/png=viewer.desktop;\n");
  Register("/opt/veluna/veluna");
  EXPECT_EQ(Slurp(ListPath()),
            "[Added Associations]\nimage/png=viewer.desktop;\n\n"
            "[Default Applications]\napplication/x-qorvex=veluna-qorvex.desktop;\n");
}

TEST(Association, TheDefaultApplicationIsWhateverTheListNames) {
  Register("/opt/veluna/veluna");
  // Another program took the type over: its command is the answer, variables expanded.
  Spit(DataHome() + "/applications/otro.desktop",
       "[Desktop Entry]\nType=Application\nName=Otro\nExec=$HOME/bin/otro %f\n"
       "[Desktop Action nuevo]\nExec=ignored\n");
  Spit(ListPath(), "[Default Applications]\napplication/x-qorvex=missing.desktop;otro.desktop;\n");
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"),
            std::string(std::getenv("HOME")) + "/bin/otro %f");
}

TEST(Association, MissingOrBlankPiecesGiveAnEmptyCommand) {
  Register("/opt/veluna/veluna");
  ASSERT_NE(desktop::AssociatedOpenCommand(".qorvex"), "");

  Spit(EntryPath(), "[Desktop Entry]\nType=Application\nName=Veluna\nExec=   \n");
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");
  Spit(EntryPath(), "[Desktop Entry]\nType=Application\nName=Veluna\n");
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");
  std::filesystem::remove(EntryPath());
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");

  Register("/opt/veluna/veluna");
  std::filesystem::remove(ListPath());
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");
}

TEST(Association, AnExtensionWithADotIsRefusedAndNothingIsWritten) {
  // Whatever the tests before left registered.
  std::filesystem::remove(EntryPath());
  std::filesystem::remove(ListPath());
  std::string error;
  EXPECT_FALSE(desktop::RegisterFileType(".qorvex", "/opt/veluna/veluna", 1, error));
  EXPECT_EQ(error, "Error : Extension se pone sin punto ...");
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  EXPECT_FALSE(std::filesystem::exists(ListPath()));
  EXPECT_EQ(desktop::AssociatedOpenCommand(".qorvex"), "");

  error.clear();
  EXPECT_FALSE(desktop::RegisterFileType("", "/opt/veluna/veluna", 1, error));
  EXPECT_NE(error, "");
}

TEST(Association, AnUnwritableFolderIsReported) {
  // XDG_DATA_HOME naming a file: nothing can be created below it.
  const std::string blocker = testenv::Folder() + "blocker";
  Spit(blocker, "x");
  setenv("XDG_DATA_HOME", blocker.c_str(), 1);
  std::string error;
  EXPECT_FALSE(desktop::RegisterFileType("qorvex", "/opt/veluna/veluna", 1, error));
  EXPECT_NE(error, "");
}

TEST(Environment, ExpandsTheThreeForms) {
  setenv("VELUNA_T", "valor", 1);
  setenv("VELUNA_ACCENT", "Dise\xC3\xB1o", 1);  // the environment holds UTF-8
  unsetenv("VELUNA_NONE");
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"%VELUNA_T%", "valor"},
      {"a%VELUNA_T%b", "avalorb"},
      {"$VELUNA_T/x", "valor/x"},
      {"${VELUNA_T}x", "valorx"},
      {"$VELUNA_Tx", ""},
      {"%VELUNA_ACCENT%", "Dise\xF1o"},
      {"[%VELUNA_NONE%][$VELUNA_NONE][${VELUNA_NONE}]", "[][][]"},
      {"\"/opt/veluna\" %f", "\"/opt/veluna\" %f"},
      {"100% sure %", "100% sure %"},
      {"%%", "%%"},
      {"50%", "50%"},
      {"$", "$"},
      {"$1 $ x", "$1 $ x"},
      {"${", "${"},
      {"${}", "${}"},
      {"${VELUNA_T", "${VELUNA_T"},
      {"\\$VELUNA_T", "\\$VELUNA_T"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(desktop::ExpandEnvironment(c.in), c.out) << c.in;
}

// What an opening of `path` was told, taken as it comes; nothing until it is told.
struct Told {
  std::shared_ptr<std::optional<bool>> verdict = std::make_shared<std::optional<bool>>();
  desktop::OpenerVerdict Hear() const {
    return [verdict = verdict](bool opened) {
      EXPECT_FALSE(verdict->has_value()) << "told twice";
      *verdict = opened;
    };
  }
  std::optional<bool> operator*() const { return *verdict; }
};

// What the opener said of `path` once it has ended.
std::optional<bool> Verdict(const std::string& path) {
  const Told told;
  desktop::OpenWithApplication(path, told.Hear());
  EXPECT_TRUE(desktop::testing::WaitForOpeners()) << "an opener hangs";
  return *told;
}

TEST(Opener, AMissingFileOpensNothingAndIsToldAtOnce) {
  for (const std::string& path : {testenv::Folder() + "no such document.qorvex", std::string()}) {
    const Told told;
    desktop::OpenWithApplication(path, told.Hear());
    EXPECT_EQ(*told, std::optional<bool>(false)) << path;
    desktop::OpenWithApplication(path, {});  // nobody to tell
  }
}

// An opener of the tests' own in place of the desktop's: a shell script.
std::string Opener(const std::string& name, const std::string& body) {
  const std::string path = testenv::Folder() + "openers/" + name;
  Spit(path, "#!/bin/sh\n" + body + "\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

class OpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document_ = testenv::NewFolder("opened") + "Lista 01-02-2026 - 003E800.rtf";
    Spit(document_, "{\\rtf1 }");
  }
  void TearDown() override { desktop::testing::UseOpener(""); }
  std::string document_;
};

TEST_F(OpenerTest, WithoutADesktopNothingOpensAndNothingIsSaidOnTheConsole) {
  // The tests run on the offscreen platform: no desktop to open a file on.
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  const Told told;
  desktop::OpenWithApplication(document_, told.Hear());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(*told, std::optional<bool>(false));
  EXPECT_TRUE(desktop::testing::OpenersRunning().empty());
}

TEST_F(OpenerTest, TheOpenersExitCodeSaysWhetherTheFileOpened) {
  const std::string asked = testenv::Folder() + "openers/asked";
  desktop::testing::UseOpener(Opener("opens", "printf '%s' \"$*\" >'" + asked + "'; exit 0"));
  EXPECT_EQ(Verdict(document_), std::optional<bool>(true));
  EXPECT_EQ(Slurp(asked), document_);

  // What xdg-open does when no application takes the file's type: its message is its own.
  ::testing::internal::CaptureStderr();
  desktop::testing::UseOpener(
      Opener("finds-none", "echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3"));
  const std::optional<bool> verdict = Verdict(document_);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(verdict, std::optional<bool>(false));

  desktop::testing::UseOpener(Opener("crashes", "kill -SEGV $$"));
  EXPECT_EQ(Verdict(document_), std::optional<bool>(false));
  desktop::testing::UseOpener(testenv::Folder() + "openers/no such opener");
  EXPECT_EQ(Verdict(document_), std::optional<bool>(false));
  // A missing file is never handed to the opener.
  std::filesystem::remove(asked);
  desktop::testing::UseOpener(Opener("opens", "printf '%s' \"$*\" >'" + asked + "'; exit 0"));
  EXPECT_EQ(Verdict(document_ + ".missing"), std::optional<bool>(false));
  EXPECT_FALSE(std::filesystem::exists(asked));
}

// As on a loaded machine, where xdg-open took seconds to find that nothing takes the file.
TEST_F(OpenerTest, TheVerdictIsToldHoweverLateItComes) {
  struct Case {
    int exitCode;
    bool opened;
  };
  for (const Case c : {Case{3, false}, Case{0, true}}) {
    testopener::HeldOpener opener;
    const Told told;
    desktop::OpenWithApplication(document_, told.Hear());
    QCoreApplication::processEvents();
    EXPECT_FALSE((*told).has_value()) << "told before the opener ended";
    EXPECT_EQ(desktop::testing::OpenersRunning().size(), 1u);
    opener.Let(c.exitCode);
    ASSERT_TRUE(desktop::testing::WaitForOpeners());
    EXPECT_EQ(*told, std::optional<bool>(c.opened)) << c.exitCode;
    EXPECT_EQ(opener.Asked(), std::vector<std::string>{document_});
  }
}

TEST_F(OpenerTest, AnOpenerStillRunningIsLeftRunningAndTellsNothing) {
  // Without a desktop environment xdg-open runs the application itself until it is closed.
  testopener::HeldOpener opener;
  const Told told;
  desktop::OpenWithApplication(document_, told.Hear());
  const std::vector<long long> running = desktop::testing::OpenersRunning();
  ASSERT_EQ(running.size(), 1u);
  QCoreApplication::processEvents();
  EXPECT_EQ(kill(static_cast<pid_t>(running[0]), 0), 0) << "the opener was stopped";
  EXPECT_EQ(desktop::testing::OpenersRunning(), running);
  EXPECT_FALSE((*told).has_value());
}

// The face fontconfig gives for the record list's face under the tests' home, as
// "family:spacing" (spacing 100 is a monospaced face); "" without fc-match.
std::string MatchOfListFace() {
  const std::string out = testenv::Folder() + "fc-match.txt";
  std::filesystem::remove(out);
  const std::string command = "HOME='" + std::string(std::getenv("HOME")) +
                              "' XDG_CONFIG_HOME='" + ConfigHome() +
                              "' fc-match -f '%{family[0]}:%{spacing}' '" +
                              std::string(desktop::kListFontFace) + "' >'" + out + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return Slurp(out);
}

TEST(ListFontAlias, MakesTheListsFaceAMonospacedOneForFontconfig) {
  if (std::system("command -v fc-match >/dev/null") != 0) GTEST_SKIP() << "fc-match is missing";
  EXPECT_EQ(desktop::ListFontAliasPath(), ConfigHome() + "/fontconfig/conf.d/50-veluna-rod.conf");
  std::filesystem::remove(desktop::ListFontAliasPath());
  const std::string before = MatchOfListFace();
  EXPECT_EQ(before.find(":100"), std::string::npos) << before;
  std::string error;
  ASSERT_TRUE(desktop::InstallListFontAlias(error)) << error;
  EXPECT_EQ(error, "");
  const std::string after = MatchOfListFace();
  EXPECT_NE(after.find(":100"), std::string::npos) << after;
  // Installing again leaves the file as it is.
  const std::string alias = Slurp(desktop::ListFontAliasPath());
  ASSERT_TRUE(desktop::InstallListFontAlias(error)) << error;
  EXPECT_EQ(Slurp(desktop::ListFontAliasPath()), alias);
}

TEST(ListFontAlias, AFileOfThatNameIsNeverRewritten) {
  const std::string mine =
      "<?xml version=\"1.0\"?>\n<fontconfig><!-- m\xC3\xADo --></fontconfig>\n";
  Spit(desktop::ListFontAliasPath(), mine);
  std::string error;
  EXPECT_TRUE(desktop::InstallListFontAlias(error)) << error;
  EXPECT_EQ(Slurp(desktop::ListFontAliasPath()), mine);
  std::filesystem::remove(desktop::ListFontAliasPath());
  // A configuration folder that cannot be made is said so.
  const std::string blocker = testenv::Folder() + "config-blocker";
  Spit(blocker, "x");
  const std::string config = ConfigHome();
  setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
  EXPECT_FALSE(desktop::InstallListFontAlias(error));
  EXPECT_NE(error, "");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

TEST(Sounds, PlayingIsRecordedAndNeverWaitsForASoundServer) {
  // A server address that cannot answer: the sound must be dropped silently.
  setenv("PULSE_SERVER", "unix:/nonexistent/veluna-test-socket", 1);
  EXPECT_TRUE(desktop::SoundsRequested().empty());
  auto start = std::chrono::steady_clock::now();
  desktop::PlaySoundResource(150);
  desktop::PlaySoundResource(151);
  desktop::PlaySoundResource(151);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(desktop::SoundsRequested(), (std::vector<int>{150, 151, 151}));
  // Two 120 ms sounds played in line would take longer than this.
  EXPECT_LT(took, std::chrono::milliseconds(100));
}

}  // namespace
