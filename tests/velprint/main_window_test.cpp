// Velprint's main window: its menu, its start, and its eight commands.
#include "velprint/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "tests/page/document_test.h"
#include "tests/velprint/velprint_test.h"

namespace {

using pagetest::FirstDifference;
using pagetest::SampleRecord;
using ui::testing::AnswerFile;
using ui::testing::AnswerMessageBox;
using ui::testing::ChooseMenu;
using ui::testing::DialogsOpened;
using velprinttest::AddSquare;
using velprinttest::DocumentBytes;
using velprinttest::kTooLarge;
using velprinttest::kUnknownFormat;
using velprinttest::Messages;
using velprinttest::WithVelprint;

constexpr const char* kOverwrite = "El fichero Existe, Desea Sobrescribir ?";

// A document of `squares` squares written in the current format.
std::string WriteDocument(const std::string& path, int squares) {
  AllocateStore();
  objectCount = 1;
  for (int i = 0; i < squares; ++i) AddSquare(50 + 60 * i, 50, 40, 0xFF0000);
  testfiles::WriteRaw(path, DocumentBytes());
  AllocateStore();
  objectCount = 1;
  return path;
}

TEST(VelprintMainWindow, TheMenuBarIsTwoMenusOfEightCommands) {
  struct Row { size_t menu; const char* text; int id; const char* bitmap; };
  const Row rows[] = {
      {0, "Leer Documento", kCommandOpenDocument, "#316"},        {0, "-", 0, ""},
      {0, "Leer Documento Antiguo", kCommandOpenOldDocument, "#316"}, {0, "-", 0, ""},
      {0, "Grabar Documento", kCommandSaveDocument, "#316"},      {0, "-", 0, ""},
      {0, "Grabar Imagen", kCommandExportImage, "#301"},          {0, "-", 0, ""},
      {0, "Imprimir", kCommandPrint, "#321"},                     {0, "-", 0, ""},
      {0, "Autor", kCommandAbout, "#302"},                        {0, "-", 0, ""},
      {0, "Salir", kCommandExit, "#303"}, {1, "Resetear Rellenos", kCommandResetFills, "#320"},
  };
  std::vector<ui::Menu> bar;
  WithVelprint([&](ui::Window main) { bar = ui::MenuBar(main); });
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].title, "Archivos");
  EXPECT_EQ(bar[1].title, "Modificar");
  std::vector<size_t> position(2, 0);
  for (const Row& r : rows) {
    ASSERT_LT(position[r.menu], bar[r.menu].items.size()) << r.text;
    const ui::MenuItem& item = bar[r.menu].items[position[r.menu]++];
    EXPECT_EQ(item.text, r.text);
    EXPECT_EQ(item.id, r.id) << r.text;
    EXPECT_EQ(item.bitmap, r.bitmap) << r.text;
    EXPECT_TRUE(item.enabled) << r.text;
    EXPECT_FALSE(item.checked) << r.text;
    EXPECT_TRUE(item.submenu.empty()) << r.text;
  }
  EXPECT_EQ(position[0], bar[0].items.size());
  EXPECT_EQ(position[1], bar[1].items.size());
}

TEST(VelprintMainWindow, StartsOnAnEmptyPageFillingWithTheLeftButton) {
  WithVelprint([](ui::Window main) {
    EXPECT_EQ(ui::Caption(main), "Veluna");
    EXPECT_EQ(objectCount, 1);
    EXPECT_EQ(leftMouseMode, kLeftEdit);
    EXPECT_EQ(rightMouseMode, kRightCaptureColour);
    EXPECT_EQ(rulerFlags, (std::array<int32_t, 6>{}));
    EXPECT_EQ(currentAdminStyle, 1);
    EXPECT_EQ(currentObjectIndex, 2);
    EXPECT_EQ(paintMode, 1);
    EXPECT_EQ(gfx::Width(*pageBitmap), 794);
    EXPECT_EQ(gfx::Height(*pageBitmap), 1123);
    // The page outline on the canvas.
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(main, kCanvasId), 0, 500), gfx::kBlack);
  });
}

// Only fill texts of administrative controls and marks of option cells are cleared; every
// other field and kind stays as it was, and an empty slot stays empty.
TEST(VelprintMainWindow, ResetearRellenosClearsOnlyFilledValues) {
  WithVelprint([](ui::Window main) {
    ChooseMenu(main, kCommandResetFills);
    EXPECT_EQ(objectCount, 1);

    for (int32_t kind = 0; kind <= 12; ++kind) pageObjects[++objectCount] = SampleRecord(kind, kind);
    std::vector<PageObject> before(pageObjects.begin(), pageObjects.begin() + objectCount + 1);
    ChooseMenu(main, kCommandResetFills);
    for (int s = 2; s <= objectCount; ++s) {
      const int32_t kind = pageObjects[s].kind;
      SCOPED_TRACE(kind);
      PageObject expected = before[s];
      if (kind == kAdminControl) std::memset(expected.fillText, 0, sizeof expected.fillText);
      if (kind == kAdminOptionCell) expected.optionMarked = 0;
      // The painter's run-time font is the only other field a repaint touches.
      expected.fontHandle = pageObjects[s].fontHandle;
      EXPECT_EQ(FirstDifference(pageObjects[s], expected), -1);
    }
  });
  EXPECT_TRUE(ui::testing::MessagesShown().size() == 1) << "only the start-up question";
}

TEST(VelprintMainWindow, LeerDocumentoReadsAndTitlesARefusedFileKeepsPageAndTitle) {
  const std::string folder = testenv::NewFolder("docs");
  WithVelprint([&](ui::Window main) {
    WriteDocument(folder + "dos.qorvex", 2);
    AnswerFile(folder + "dos.qorvex");
    ChooseMenu(main, kCommandOpenDocument);
    EXPECT_EQ(objectCount, 3);
    EXPECT_EQ(ui::Caption(main), "dos.qorvex");
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 70, 70), 0xFF0000);

    const PageObject before = pageObjects[3];
    testfiles::WriteRaw(folder + "roto.qorvex", std::string(2086 + 1, 'x'));
    ui::testing::Begin();
    AnswerFile(folder + "roto.qorvex");
    ChooseMenu(main, kCommandOpenDocument);
    EXPECT_EQ(Messages(), std::vector<std::string>{kUnknownFormat});
    EXPECT_EQ(objectCount, 3);
    EXPECT_EQ(FirstDifference(pageObjects[3], before), -1);
    EXPECT_EQ(ui::Caption(main), "dos.qorvex");
    EXPECT_EQ(documentPath, folder + "dos.qorvex");

    AnswerFile("");
    ChooseMenu(main, kCommandOpenDocument);
    EXPECT_EQ(documentPath, folder + "dos.qorvex");
    EXPECT_EQ(objectCount, 3);
  });
}

TEST(VelprintMainWindow, LeerDocumentoAntiguoReadsTheOlderFormatThatLeerDocumentoRefuses) {
  const std::string folder = testenv::NewFolder("docs");
  WithVelprint([&](ui::Window main) {
    AllocateStore();
    objectCount = 1;
    AddSquare(100, 100, 50, 0x00FF00);
    AddSquare(300, 100, 50, 0x0000FF);
    testfiles::WriteRaw(folder + "viejo.qorvex", DocumentBytes(kOldPageObjectLength));
    AllocateStore();
    objectCount = 1;

    ui::testing::Begin();
    AnswerFile(folder + "viejo.qorvex");
    ChooseMenu(main, kCommandOpenDocument);
    EXPECT_EQ(Messages(), std::vector<std::string>{kUnknownFormat});
    EXPECT_EQ(objectCount, 1);

    AnswerFile(folder + "viejo.qorvex");
    ChooseMenu(main, kCommandOpenOldDocument);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(objectCount, 3);
    EXPECT_EQ(ui::Caption(main), "viejo.qorvex");
    EXPECT_EQ(ui::testing::LastFileDialog().filters.front().patterns, "*.qorvex");
    // The page is shown at once.
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(main, kCanvasId), 325, 125), 0x0000FF);

    // An older document it refuses is said so in a box of its own, and changes nothing.
    testfiles::WriteRaw(folder + "largo.qorvex", std::string(500 * kOldPageObjectLength, '\0'));
    ui::testing::Begin();
    AnswerFile(folder + "largo.qorvex");
    ChooseMenu(main, kCommandOpenOldDocument);
    EXPECT_EQ(Messages(), std::vector<std::string>{kTooLarge});
    EXPECT_EQ(ui::testing::MessagesShown()[0].title, "Vozurivudoz");
    EXPECT_EQ(objectCount, 3);
    EXPECT_EQ(ui::Caption(main), "viejo.qorvex");
  });
}

// Saving keeps the title of the document read last: "Veluna" while none was read.
TEST(VelprintMainWindow, GrabarDocumentoAsksBeforeOverwritingAndKeepsTheTitle) {
  const std::string folder = testenv::NewFolder("docs");
  const std::string target = folder + "salida.qorvex";
  WithVelprint([&](ui::Window main) {
    AddSquare(10, 10, 20, 0);
    pageObjects[++objectCount] = PageObject{};   // an empty slot is not written
    AddSquare(40, 10, 20, 0);
    testfiles::WriteRaw(target, "anterior");

    ui::testing::Begin();
    AnswerFile(target);
    AnswerMessageBox(ui::Answer::No);
    ChooseMenu(main, kCommandSaveDocument);
    EXPECT_EQ(Messages(), std::vector<std::string>{kOverwrite});
    EXPECT_EQ(testfiles::ReadRaw(target), "anterior");

    AnswerFile(target);
    AnswerMessageBox(ui::Answer::Yes);
    ChooseMenu(main, kCommandSaveDocument);
    EXPECT_EQ(files::FileLength(target), 2 * 2086);
    EXPECT_EQ(ui::Caption(main), "Veluna");

    AnswerFile(folder + "nueva.qorvex");
    ChooseMenu(main, kCommandSaveDocument);
    EXPECT_EQ(Messages().size(), 2u) << "no question for a new file";
    EXPECT_EQ(testfiles::ReadRaw(folder + "nueva.qorvex"), testfiles::ReadRaw(target));
    EXPECT_EQ(ui::Caption(main), "Veluna");
  });
}

TEST(VelprintMainWindow, TheCommandLineOpensADocumentWholeAndIgnoresAMissingOne) {
  const std::string folder = testenv::NewFolder("con espacios");
  const std::string path = WriteDocument(folder + "doc.qorvex", 1);
  WithVelprint(
      [](ui::Window main) {
        EXPECT_EQ(ui::Caption(main), "doc.qorvex");
        EXPECT_EQ(objectCount, 2);
      },
      {"\"" + folder + "doc.qorvex\""});

  WithVelprint(
      [&](ui::Window main) {
        EXPECT_EQ(ui::Caption(main), "Veluna");
        EXPECT_EQ(objectCount, 1);
        EXPECT_EQ(documentPath, folder + "falta.qorvex");
      },
      {folder + "falta.qorvex"});

  // A path longer than 259 characters whose first 259 name another document opens itself.
  std::string deep = folder;
  while (deep.size() < 240) deep += "carpeta/";
  std::filesystem::create_directories(deep);
  std::string longPath = deep + std::string(300 - deep.size(), 'x') + ".qorvex";
  WriteDocument(longPath, 3);
  WriteDocument(longPath.substr(0, 259), 1);
  WithVelprint([](ui::Window main) { EXPECT_EQ(objectCount, 4) << ui::Caption(main); },
               {longPath});
}

TEST(VelprintMainWindow, TheCloseBoxActsAsSalirAndTheSettingsAreSaved) {
  ui::testing::Begin();
  files::OverrideDataFolder(testenv::NewFolder("program"));
  AnswerMessageBox(ui::Answer::No);
  ui::testing::OnDialog("Veluna", [](ui::Window w) { ui::testing::CloseBox(w); });
  char name[] = "Velprint";
  char* argv[] = {name};
  EXPECT_EQ(WinMain(1, argv, kVelprintProgram), 0);
  EXPECT_EQ(mainDialog, nullptr);
  EXPECT_TRUE(files::FileExists(SettingsFilePath()));
  EXPECT_TRUE(ui::testing::Unexpected().empty());
}

// Registered on its first start, Velprint opens documents through a desktop entry of its own,
// leaving the designer's in place.
TEST(VelprintMainWindow, RegistrationWritesVelprintsOwnDesktopEntry) {
  const std::string applications = testenv::Folder() + "data/applications/";
  std::filesystem::remove_all(testenv::Folder() + "data");
  std::filesystem::remove_all(testenv::Folder() + "config");
  std::string error;
  ASSERT_TRUE(desktop::RegisterFileType("qorvex", "/opt/veluna/Veluna", 1, error)) << error;
  std::filesystem::remove(testenv::Folder() + "config/mimeapps.list");
  ui::testing::Begin();
  AnswerMessageBox(ui::Answer::Yes);
  ui::testing::OnDialog("Veluna", [](ui::Window w) { ChooseMenu(w, kCommandExit); });
  char name[] = "Velprint";
  char* argv[] = {name};
  WinMain(1, argv, kVelprintProgram);

  const std::string entry = testfiles::ReadRaw(applications + "velprint-qorvex.desktop");
  EXPECT_NE(entry.find("\nName=Velprint\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find(files::ProgramPath()), std::string::npos) << entry;
  EXPECT_NE(testfiles::ReadRaw(applications + "veluna-qorvex.desktop").find("Name=Veluna"),
            std::string::npos);
  EXPECT_NE(GetAssociatedOpenCommand(".qorvex").find(files::ProgramPath()), std::string::npos);
  // The next runs are asked again, as every other test expects.
  std::filesystem::remove_all(testenv::Folder() + "data");
  std::filesystem::remove_all(testenv::Folder() + "config");
}

// The designer's other commands reach no handler here, and a guarded command does nothing
// while its guard is set.
TEST(VelprintMainWindow, OtherCommandsAndGuardedOnesDoNothing) {
  WithVelprint([](ui::Window main) {
    AddSquare(100, 100, 30, 0xFF0000);
    ui::testing::Begin();
    for (int id : std::initializer_list<int>{kCommandNew, kCommandConfiguration,
                                             kCommandObjectProperties, kCommandUndo,
                                             kCommandPaperFormat, kCommandSearch, kCanvasId, 0})
      ui::SendMessage(main, ui::Msg::Command, id, 0);
    imageExportBusy = 1;
    ChooseMenu(main, kCommandExportImage);
    imageExportBusy = 0;
    printBusy = 1;
    ChooseMenu(main, kCommandPrint);
    printBusy = 0;
    aboutBusy = 1;
    ChooseMenu(main, kCommandAbout);
    aboutBusy = 0;
    EXPECT_EQ(objectCount, 2);
    EXPECT_TRUE(DialogsOpened().empty());
    EXPECT_TRUE(ui::testing::MessagesShown().empty());
  });
}

TEST(VelprintMainWindow, AutorShowsTheAboutBoxOnceAtATimeOverTheMainWindow) {
  WithVelprint([](ui::Window main) {
    ui::testing::OnDialog("Autor", [main](ui::Window box) {
      EXPECT_EQ(ui::Parent(box), main) << "modal to the main window";
      EXPECT_EQ(aboutBusy, 1);
      ChooseMenu(main, kCommandAbout);   // a second box does not open
      ui::testing::CloseBox(box);
    });
    ChooseMenu(main, kCommandAbout);
    EXPECT_EQ(aboutBusy, 0);
    EXPECT_EQ(std::count(DialogsOpened().begin(), DialogsOpened().end(), "Autor"), 1);
  });
}

}  // namespace
