#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <sys/wait.h>
#include <filesystem>

#include "database/dialogs/database_commands.h"
#include "dialogs/about_box.h"
#include "page/command_ids.h"
#include "page/settings.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "program/canvas.h"
#include "program/startup.h"
#include "shell/main_window.h"
#include "tests/support/test_env.h"

namespace {

using ui::testing::AnswerMessageBox;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

const char* kQuestionStart = "Entendiendo que este programa necesita registrarse";

int RunProgram(std::vector<std::string> args = {}) {
  args.insert(args.begin(), "Veluna");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  int argc = static_cast<int>(argv.size());
  return WinMain(argc, argv.data(), kDesignerProgram);
}

bool QuestionAsked() {
  for (const auto& m : MessagesShown())
    if (m.text.rfind(kQuestionStart, 0) == 0) return true;
  return false;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    std::filesystem::remove_all(testenv::Folder() + "data");
    std::filesystem::remove_all(testenv::Folder() + "config");
  }
  void TearDown() override {
    EXPECT_TRUE(ui::testing::Unexpected().empty()) << ui::testing::Unexpected().front();
  }
};

TEST_F(StartupTest, AnsweringNoRegistersNothingAndAsksAgainNextTime) {
  AnswerMessageBox(ui::Answer::No);
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  EXPECT_EQ(RunProgram(), 0);
  ASSERT_TRUE(QuestionAsked());
  const auto& question = MessagesShown().front();
  EXPECT_EQ(question.title, "...");
  EXPECT_EQ(question.text,
            "Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
            "Quiere registrar el programa en la ubicaci\xF3n actual ?\r\n"
            "Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
            "Si no acepta, puede mover la carpeta con el programa a una ubicaci\xF3n mejor para "
            "registrar ...");
  EXPECT_EQ(GetAssociatedOpenCommand(".qorvex"), "");
  EXPECT_FALSE(files::FileExists(desktop::ListFontAliasPath()));

  ui::testing::Begin();
  AnswerMessageBox(ui::Answer::No);
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  RunProgram();
  EXPECT_TRUE(QuestionAsked());
}

TEST_F(StartupTest, AnsweringYesRegistersThisProgramAndIsNotAskedAgain) {
  AnswerMessageBox(ui::Answer::Yes);
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  RunProgram();
  ASSERT_TRUE(QuestionAsked());
  std::string command = GetAssociatedOpenCommand(".qorvex");
  EXPECT_NE(command.find(files::ProgramPath()), std::string::npos) << command;
  EXPECT_NE(command.find("%f"), std::string::npos) << command;
  // With the type, the face of the record lists becomes a monospaced one for fontconfig.
  EXPECT_TRUE(files::FileExists(desktop::ListFontAliasPath()));

  ui::testing::Begin();
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  RunProgram();
  EXPECT_FALSE(QuestionAsked());
}

TEST_F(StartupTest, AnyRegisteredCommandMeansNoQuestion) {
  std::string error;
  ASSERT_TRUE(desktop::RegisterFileType("qorvex", "/usr/bin/otro programa", 1, error)) << error;
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  RunProgram();
  EXPECT_FALSE(QuestionAsked());
}

TEST_F(StartupTest, AnExtensionWithADotIsRefused) {
  EXPECT_FALSE(RegisterDocumentFileType(".qorvex", 1));
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Error : Extension se pone sin punto ...");
  EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(GetAssociatedOpenCommand(".qorvex"), "");
}

TEST(CollapseDoubleBackslashes, KeepsANetworkPathsLeadingPair) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"C:\\\\Programas\\\\Veluna.exe", "C:\\Programas\\Veluna.exe"},
      {"C:\\a\\\\\\b", "C:\\a\\b"},
      {"\\\\servidor\\\\compartido\\prog", "\\\\servidor\\compartido\\prog"},
      {"/usr/local/bin/Veluna", "/usr/local/bin/Veluna"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CollapseDoubleBackslashes(c.in), c.out) << c.in;
}

TEST_F(StartupTest, SalirEndsTheProgramAndTheSettingsAreSaved) {
  AnswerMessageBox(ui::Answer::No);
  OnDialog("Veluna", [](ui::Window w) { ui::testing::ChooseMenu(w, kCommandExit); });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(files::FileExists(SettingsFilePath()));
  EXPECT_EQ(mainDialog, nullptr);
}

TEST_F(StartupTest, TheCloseBoxEndsTheProgramAsSalirDoes) {
  AnswerMessageBox(ui::Answer::No);
  OnDialog("Veluna", [](ui::Window w) { ui::testing::CloseBox(w); });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(files::FileExists(SettingsFilePath()));
}

TEST_F(StartupTest, TheMenuBarHasEveryItemInPlace) {
  AnswerMessageBox(ui::Answer::No);
  std::vector<ui::Menu> bar;
  OnDialog("Veluna", [&](ui::Window w) {
    bar = ui::MenuBar(w);
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  RunProgram();
  ASSERT_EQ(bar.size(), 7u);
  const char* titles[] = {"Archivos", "Editar", "Personalizar", "Milimetrados", "Raton",
                          "Modificar", "Bases de Datos"};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(bar[i].title, titles[i]);

  // Positions count separators: "Salir" is 12 of "Archivos", "Memotext" 16 of "Modificar".
  ASSERT_EQ(bar[0].items.size(), 13u);
  EXPECT_EQ(bar[0].items[12].id, kCommandExit);
  EXPECT_EQ(bar[0].items[12].bitmap, "#303");
  EXPECT_EQ(bar[0].items[1].text, "-");
  ASSERT_EQ(bar[5].items.size(), 17u);
  EXPECT_EQ(bar[5].items[16].id, kCommandInsertMemoText);
  EXPECT_EQ(bar[5].items[16].text, "Insertar Control Memotext");
  EXPECT_EQ(bar[5].items[6].text, "Insertar Texto Lineado");
  EXPECT_EQ(bar[5].items[6].submenu.size(), 3u);
  EXPECT_EQ(bar[2].items[2].text, "Tama\xF1o imagenes");
  EXPECT_EQ(bar[3].items[8].bitmap, "#308");

  const auto& raton = bar[4].items;
  ASSERT_EQ(raton.size(), 2u);
  EXPECT_TRUE(raton[0].submenu[0].checked);   // "Mover objetos"
  EXPECT_FALSE(raton[0].submenu[1].checked);
  EXPECT_TRUE(raton[1].submenu[0].checked);   // "Captar Color"
  EXPECT_FALSE(raton[1].submenu[1].checked);

  // With no linked database the database commands are greyed; "Vincular" is not.
  const auto& db = bar[6].items;
  ASSERT_EQ(db.size(), 9u);
  EXPECT_TRUE(db[0].enabled);
  for (int i = 2; i <= 8; i += 2) EXPECT_FALSE(db[i].enabled) << db[i].text;
}

TEST_F(StartupTest, ALinkedDatabaseEnablesItsCommands) {
  std::string folder = testenv::NewFolder("clientes");
  ASSERT_EQ(files::WriteAllAtomically(folder + "clientes.z04", std::string(12042, '\0')), 0);
  linkedDatabaseFolder = folder;
  ASSERT_EQ(LoadSaveSettings("save"), "");
  AnswerMessageBox(ui::Answer::No);
  bool enabled[4] = {};
  OnDialog("Veluna", [&](ui::Window w) {
    for (int i = 0; i < 4; ++i) enabled[i] = ui::MenuItemEnabled(w, kCommandRecordBrowser + i);
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  RunProgram();
  for (bool e : enabled) EXPECT_TRUE(e);
  EXPECT_EQ(databaseLinked, 1);
}

TEST_F(StartupTest, AutorOpensTheBoxWhoseIconCyclesThroughSevenFrames) {
  AnswerMessageBox(ui::Answer::No);
  std::vector<std::string> frames;
  bool timerStoppedAfterClose = false;
  ui::Window box = nullptr;
  ui::Window main = nullptr;
  OnDialog("Autor", [&](ui::Window w) {
    box = w;
    EXPECT_EQ(ui::Parent(w), main) << "modal to the main window";
    EXPECT_EQ(ui::ImageName(w, about_box_ids::kIcon), "#701");
    EXPECT_TRUE(ui::testing::Grab(w, testenv::NewFolder("grab") + "about-box.png"));
    for (int i = 0; i < 8; ++i) {
      ASSERT_TRUE(ui::testing::FireTimer(w, about_box_ids::kTimerId));
      frames.push_back(ui::ImageName(w, about_box_ids::kIcon));
    }
    ui::testing::Click(w, about_box_ids::kSalir);
  });
  OnDialog("Veluna", [&](ui::Window w) {
    main = w;
    ui::testing::ChooseMenu(w, kCommandAbout);
    timerStoppedAfterClose = !ui::IsWindow(box);
    EXPECT_EQ(aboutBusy, 0);
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  RunProgram();
  EXPECT_EQ(frames, (std::vector<std::string>{"#701", "#702", "#703", "#704", "#705", "#706",
                                               "#707", "#701"}));
  EXPECT_TRUE(timerStoppedAfterClose);
}

TEST_F(StartupTest, EscOnTheAboutBoxClosesItAndFreesTheCommand) {
  AnswerMessageBox(ui::Answer::No);
  int opened = 0;
  OnDialog("Autor", [&](ui::Window w) { ++opened; ui::testing::CloseBox(w); });
  OnDialog("Autor", [&](ui::Window w) { ++opened; ui::testing::Click(w, about_box_ids::kSalir); });
  OnDialog("Veluna", [&](ui::Window w) {
    ui::testing::ChooseMenu(w, kCommandAbout);
    ui::testing::ChooseMenu(w, kCommandAbout);
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  RunProgram();
  EXPECT_EQ(opened, 2);
}

TEST(AboutFrames, RunFrom701To707AndStartAgain) {
  EXPECT_EQ(NextAboutFrame(701), 702);
  EXPECT_EQ(NextAboutFrame(706), 707);
  EXPECT_EQ(NextAboutFrame(707), 701);
  EXPECT_EQ(NextAboutFrame(0), 701);
}

TEST_F(StartupTest, TheMainWindowShowsTheCanvasAndTheMenuBar) {
  AnswerMessageBox(ui::Answer::No);
  std::string png = testenv::Folder() + "main-window.png";
  OnDialog("Veluna", [&](ui::Window w) {
    EXPECT_EQ(ui::Caption(w), "Veluna");
    gfx::Surface& canvas = ui::ControlSurface(w, kCanvasId);
    EXPECT_EQ(gfx::Width(canvas), 794);
    EXPECT_EQ(gfx::Height(canvas), 955);
    EXPECT_EQ(gfx::Pixel(canvas, 400, 400), gfx::kWhite);
    EXPECT_TRUE(ui::testing::Grab(w, png));
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  RunProgram();
  QImage shot(QString::fromStdString(png));
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.width(), 804);
  EXPECT_GE(shot.height(), 985);
  // The canvas is white inside its frame.
  QColor inside = shot.pixelColor(400, shot.height() - 500);
  EXPECT_EQ(inside, QColor(Qt::white));
}

}  // namespace

namespace {

// With a display that cannot be opened the program says so and ends with code 1.
TEST(StartupWithoutDisplay, SaysSoAndEndsWithCodeOne) {
  const std::string command = std::string("env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:97 '") +
                              VELUNA_BINARY + "' > '" + testenv::Folder() + "out.txt' 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::string said;
  files::ReadWholeFile(testenv::Folder() + "out.txt", 1 << 20, said);
  EXPECT_NE(said.find("Veluna: no se puede abrir la pantalla"), std::string::npos) << said;
}

}  // namespace
