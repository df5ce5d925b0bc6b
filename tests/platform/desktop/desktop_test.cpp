// Tests of the desktop unit: the document association, the environment expansion, the
// opener and the sounds. The test main points XDG_DATA_HOME and XDG_CONFIG_HOME into a
// temporary folder, so registering touches nothing of the machine's.
#include "platform/desktop/desktop.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include <thread>
#include <vector>

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

}  // namespace

namespace desktop {
void PrintTo(Opened opened, std::ostream* out) {
  *out << (opened == Opened::Yes ? "Yes" : opened == Opened::No ? "No" : "Unknown");
}
}  // namespace desktop

namespace {

using desktop::Opened;

// What an opening of `path` was told, taken as it comes; nothing until it is told.
struct Told {
  std::shared_ptr<std::optional<Opened>> verdict = std::make_shared<std::optional<Opened>>();
  desktop::OpenerVerdict Hear() const {
    return [verdict = verdict](Opened opened) {
      EXPECT_FALSE(verdict->has_value()) << "told twice";
      *verdict = opened;
    };
  }
  std::optional<Opened> operator*() const { return *verdict; }
};

// What the opener said of `path` once it has ended.
std::optional<Opened> Verdict(const std::string& path) {
  const Told told;
  desktop::OpenWithApplication(path, told.Hear());
  EXPECT_TRUE(desktop::testing::WaitForOpeners()) << "an opener hangs";
  return *told;
}

TEST(Opener, AMissingFileOpensNothingAndIsToldAtOnce) {
  for (const std::string& path : {testenv::Folder() + "no such document.qorvex", std::string()}) {
    const Told told;
    desktop::OpenWithApplication(path, told.Hear());
    EXPECT_EQ(*told, std::optional(Opened::No)) << path;
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
  EXPECT_EQ(*told, std::optional(Opened::No));
  EXPECT_TRUE(desktop::testing::OpenersRunning().empty());
}

TEST_F(OpenerTest, TheOpenersEndSaysWhetherTheFileOpened) {
  const std::string asked = testenv::Folder() + "openers/asked";
  struct Case {
    const char* name;
    std::string body;
    Opened opened;
  };
  const Case cases[] = {
      {"opens", "printf '%s' \"$*\" >'" + asked + "'; exit 0", Opened::Yes},
      // What xdg-open does when no application takes the file's type: its message is its own.
      {"finds-none", "echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3",
       Opened::No},
      {"syntax error", "exit 1", Opened::No},
      {"file missing", "exit 2", Opened::No},
      // Without a desktop xdg-open runs the application itself, and says 4 when that
      // application fails or is killed: closing the viewer that way is no failure to open.
      {"application it ran failed", "exit 4", Opened::Unknown},
      // Ended by a signal, as when the user ends it or it closes with its application: it
      // says nothing of the file.
      {"terminated", "kill -TERM $$", Opened::Unknown},
      {"killed", "kill -KILL $$", Opened::Unknown},
      {"crashes", "kill -SEGV $$", Opened::Unknown},
      // A shell's word that the application it ran was interrupted.
      {"application interrupted", "exit 130", Opened::Unknown},
  };
  ::testing::internal::CaptureStderr();
  for (const Case& c : cases) {
    desktop::testing::UseOpener(Opener(c.name, c.body));
    EXPECT_EQ(Verdict(document_), std::optional(c.opened)) << c.name;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Slurp(asked), document_);

  desktop::testing::UseOpener(testenv::Folder() + "openers/no such opener");
  EXPECT_EQ(Verdict(document_), std::optional(Opened::No));
  // A missing file is never handed to the opener.
  std::filesystem::remove(asked);
  desktop::testing::UseOpener(Opener("opens", cases[0].body));
  EXPECT_EQ(Verdict(document_ + ".missing"), std::optional(Opened::No));
  EXPECT_FALSE(std::filesystem::exists(asked));
}

// As on a loaded machine, where xdg-open took seconds to find that nothing takes the file.
TEST_F(OpenerTest, TheVerdictIsToldHoweverLateItComes) {
  struct Case {
    int exitCode;
    int signal;  // when not 0, the opener is ended by it instead, as the user ends it
    Opened opened;
  };
  for (const Case c : {Case{3, 0, Opened::No}, Case{0, 0, Opened::Yes},
                       Case{0, SIGTERM, Opened::Unknown}, Case{0, SIGKILL, Opened::Unknown}}) {
    SCOPED_TRACE(::testing::Message() << c.exitCode << " " << c.signal);
    testopener::HeldOpener opener;
    const Told told;
    desktop::OpenWithApplication(document_, told.Hear());
    QCoreApplication::processEvents();
    EXPECT_FALSE((*told).has_value()) << "told before the opener ended";
    const std::vector<long long> running = desktop::testing::OpenersRunning();
    ASSERT_EQ(running.size(), 1u);
    if (c.signal != 0) {
      ASSERT_TRUE(opener.WaitForAsked(1));
      ASSERT_EQ(kill(static_cast<pid_t>(running[0]), c.signal), 0);
    } else {
      opener.Let(c.exitCode);
    }
    ASSERT_TRUE(desktop::testing::WaitForOpeners());
    EXPECT_EQ(*told, std::optional(c.opened));
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

// What a program run under the tests' home (where fontconfig reads the files the tests write)
// wrote on its standard output, with its exit code; the errors it wrote, for the failures.
struct Run {
  int code = -1;
  std::string out, errors;
};

Run RunUnderTestHome(const std::string& command) {
  const std::string out = testenv::Folder() + "run-out.txt";
  const std::string errors = testenv::Folder() + "run-errors.txt";
  const int status = std::system((command + " >'" + out + "' 2>'" + errors + "'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(errors)};
}

// The family fontconfig gives for a face, as a word processor asks for it.
std::string FamilyFontconfigGives(std::string_view face) {
  const Run run = RunUnderTestHome("fc-match -f '%{family[0]}' '" + std::string(face) + "'");
  EXPECT_EQ(run.code, 0) << run.errors;
  return run.out;
}

// The widths in pixels of texts in a face, measured by the graphic layer in a program started
// afresh, so that it reads the font configuration as it is now.
std::vector<int> WidthsInFace(std::string_view face, const std::vector<std::string>& texts) {
  std::string command = std::string("'") + FACE_WIDTHS + "' '" + std::string(face) + "'";
  for (const std::string& text : texts) command += " '" + text + "'";
  const Run run = RunUnderTestHome(command);
  EXPECT_EQ(run.code, 0) << run.errors;
  std::istringstream lines(run.out);
  std::vector<int> widths;
  for (int width; lines >> width;) widths.push_back(width);
  EXPECT_EQ(widths.size(), texts.size()) << run.out << run.errors;
  return widths;
}

// The record list pads its columns with non-breaking spaces: they line up when these texts are
// as wide in the list's face.
const std::vector<std::string> kColumnTexts = {"iiii", "MMMM", "\xA0\xA0\xA0\xA0"};

// A face that "monospace" stands for on a desktop: DejaVu Sans Mono comes with the program's
// packages; Noto Sans Mono, which Debian's rules prefer, comes with printing on most desktops.
struct MonospaceFace {
  std::string family;
  bool alwaysInstalled;
};

void PrintTo(const MonospaceFace& face, std::ostream* out) { *out << face.family; }

// Makes "monospace" the case's face for fontconfig through a file of the test's own beside the
// list's alias, so that whatever the machine's rules prefer does not count. It is named to be
// read after the alias, which is what adds "monospace" to the list face's families.
class ListFontAliasTest : public ::testing::TestWithParam<MonospaceFace> {
 protected:
  void SetUp() override {
    std::filesystem::remove(desktop::ListFontAliasPath());
    Spit(preference_,
         "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
         "<fontconfig>\n  <match target=\"pattern\">\n"
         "    <test name=\"family\"><string>monospace</string></test>\n"
         "    <edit name=\"family\" mode=\"prepend_first\" binding=\"strong\"><string>" +
             GetParam().family + "</string></edit>\n  </match>\n</fontconfig>\n");
  }
  void TearDown() override {
    std::filesystem::remove(preference_);
    std::filesystem::remove(desktop::ListFontAliasPath());
  }
  const std::string preference_ = ConfigHome() + "/fontconfig/conf.d/90-test-monospace.conf";
};

TEST_P(ListFontAliasTest, MakesTheListsFaceTheFaceMonospaceStandsFor) {
  const std::string& family = GetParam().family;
  if (!GetParam().alwaysInstalled && RunUnderTestHome("fc-list -q '" + family + "'").code != 0)
    GTEST_SKIP() << family << " is not installed";
  EXPECT_EQ(desktop::ListFontAliasPath(), ConfigHome() + "/fontconfig/conf.d/50-veluna-rod.conf");
  ASSERT_EQ(FamilyFontconfigGives("monospace"), family);
  // Without the alias the list's face is the default proportional one.
  EXPECT_NE(FamilyFontconfigGives(desktop::kListFontFace), family);
  const std::vector<int> before = WidthsInFace(desktop::kListFontFace, kColumnTexts);
  ASSERT_EQ(before.size(), kColumnTexts.size());
  EXPECT_NE(before[0], before[1]);

  std::string error;
  ASSERT_TRUE(desktop::InstallListFontAlias(error)) << error;
  EXPECT_EQ(error, "");
  EXPECT_EQ(FamilyFontconfigGives(desktop::kListFontFace), family);
  const std::vector<int> after = WidthsInFace(desktop::kListFontFace, kColumnTexts);
  ASSERT_EQ(after.size(), kColumnTexts.size());
  EXPECT_GT(after[0], 0);
  EXPECT_EQ(after[1], after[0]);
  EXPECT_EQ(after[2], after[0]);
  // Installing again leaves the file as it is.
  const std::string alias = Slurp(desktop::ListFontAliasPath());
  ASSERT_TRUE(desktop::InstallListFontAlias(error)) << error;
  EXPECT_EQ(Slurp(desktop::ListFontAliasPath()), alias);
}

INSTANTIATE_TEST_SUITE_P(Monospace, ListFontAliasTest,
                         ::testing::Values(MonospaceFace{"DejaVu Sans Mono", true},
                                           MonospaceFace{"Noto Sans Mono", false}),
                         [](const ::testing::TestParamInfo<MonospaceFace>& info) {
                           std::string name = info.param.family;
                           std::erase(name, ' ');
                           return name;
                         });

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

// The threads this process runs.
int ThreadCount() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  return -1;
}

// A sound server of the test's own that takes connections and never answers them: a client
// that connects waits for its answer until libpulse gives up, half a minute later.
class SilentSoundServer {
 public:
  explicit SilentSoundServer(const std::string& path) : path_(path), threads_(ThreadCount()) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(listener_, 16), 0);
  }
  // Closing the connections ends the clients' waits; the threads that played are let end
  // before the test does.
  ~SilentSoundServer() {
    for (int client : clients_) close(client);
    close(listener_);
    unlink(path_.c_str());
    for (int tries = 0; tries < 6000 && ThreadCount() > threads_; ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Takes the next connection; false when none comes within a minute.
  bool Take() {
    pollfd ready{listener_, POLLIN, 0};
    if (poll(&ready, 1, 60000) != 1) return false;
    clients_.push_back(accept(listener_, nullptr, nullptr));
    return clients_.back() >= 0;
  }
  // True while every connection taken is open: its client still waits for the answer.
  bool EveryClientWaits() const {
    for (int client : clients_) {
      char bytes[4096];
      ssize_t n;
      while ((n = recv(client, bytes, sizeof bytes, MSG_DONTWAIT)) > 0) {
      }
      if (n == 0 || errno != EAGAIN) return false;
    }
    return true;
  }

 private:
  std::string path_;
  int threads_;
  int listener_ = -1;
  std::vector<int> clients_;
};

TEST(Sounds, PlayingIsRecordedAndNeverWaitsForASoundServer) {
  // A server that never answers: the calls come back while every sound still waits for it.
  const std::string address = testenv::Folder() + "sound-server";
  {
    SilentSoundServer server(address);
    setenv("PULSE_SERVER", ("unix:" + address).c_str(), 1);
    EXPECT_TRUE(desktop::SoundsRequested().empty());
    desktop::PlaySoundResource(150);
    desktop::PlaySoundResource(151);
    desktop::PlaySoundResource(151);
    EXPECT_EQ(desktop::SoundsRequested(), (std::vector<int>{150, 151, 151}));
    for (int sound = 1; sound <= 3; ++sound) ASSERT_TRUE(server.Take()) << "sound " << sound;
    EXPECT_TRUE(server.EveryClientWaits());
  }
  // No server at that address any more: the sound is dropped silently.
  desktop::PlaySoundResource(150);
  EXPECT_EQ(desktop::SoundsRequested().size(), 4u);
}

}  // namespace
