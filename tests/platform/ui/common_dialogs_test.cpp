// Message boxes and the common dialogs, answered by the test driver, and as they are shown.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "platform/ui/ui_internal.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

TEST_F(UiTest, MessageBoxesAreAnsweredAndRecorded) {
  ui::testing::AnswerMessageBox(ui::Answer::Yes);
  EXPECT_EQ(ui::MessageBox(nullptr, "Desea grabar?", "Vozurivudoz", ui::Buttons::YesNo), ui::Answer::Yes);
  // With nothing queued: OK boxes say Ok, Yes/No boxes No.
  EXPECT_EQ(ui::MessageBox(nullptr, "Fichero borrado ...", "Vozurivudoz", ui::Buttons::Ok), ui::Answer::Ok);
  EXPECT_EQ(ui::MessageBox(nullptr, "Ha realizado cambios\r\nDesea grabar los cambios ?", "Vozurivudoz",
                           ui::Buttons::YesNo),
            ui::Answer::No);
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Desea grabar?");
  EXPECT_EQ(shown[0].title, "Vozurivudoz");
  EXPECT_EQ(shown[2].text, "Ha realizado cambios\r\nDesea grabar los cambios ?");
  ui::MessageBox(nullptr, "Tama\xF1o", "\xBF?", ui::Buttons::Ok);
  EXPECT_EQ(shown.back().text, "Tama\xF1o");
  EXPECT_EQ(shown.back().title, "\xBF?");
}

TEST_F(UiTest, FileDialogAnswersAndWhatItWasAskedWith) {
  ui::FileDialogSpec spec;
  spec.save = true;
  spec.title = "Grabar Imagen";
  spec.initialFolder = "/tmp/";
  spec.filters = {{"Imagenes", "*.png;*.jpg"}};
  spec.defaultExtension = "png";
  struct Case { std::string answer; std::string expected; };
  const Case cases[] = {
      {"/tmp/informe", "/tmp/informe.png"},     // no extension: the default one is added
      {"/tmp/informe.jpg", "/tmp/informe.jpg"},
      {"/tmp/v1.0/informe", "/tmp/v1.0/informe.png"},
      {"", ""},                                 // cancelled
  };
  for (const Case& c : cases) {
    ui::testing::AnswerFile(c.answer);
    EXPECT_EQ(ui::ChooseFile(nullptr, spec), c.expected);
  }
  EXPECT_EQ(ui::ChooseFile(nullptr, spec), "");  // nothing queued: cancelled
  EXPECT_EQ(ui::testing::LastFileDialog().title, "Grabar Imagen");
  ASSERT_EQ(ui::testing::LastFileDialog().filters.size(), 1u);
  EXPECT_EQ(ui::testing::LastFileDialog().filters[0].patterns, "*.png;*.jpg");

  // Opening never adds an extension.
  spec.save = false;
  spec.mustExist = true;
  ui::testing::AnswerFile("/tmp/plantilla");
  EXPECT_EQ(ui::ChooseFile(nullptr, spec), "/tmp/plantilla");
  EXPECT_TRUE(ui::testing::LastFileDialog().mustExist);
}

TEST_F(UiTest, ColourFolderAndFontAnswers) {
  std::array<gfx::Colour, 16> custom{};
  custom[3] = gfx::Rgb(1, 2, 3);
  ui::testing::AnswerColour(gfx::Rgb(0, 139, 0));
  EXPECT_EQ(ui::ChooseColour(nullptr, 0x808080, custom), gfx::Rgb(0, 139, 0));
  ui::testing::AnswerColour(-1);
  EXPECT_EQ(ui::ChooseColour(nullptr, 0x808080, custom), -1);
  EXPECT_EQ(ui::ChooseColour(nullptr, 0x808080, custom), -1);
  EXPECT_EQ(custom[3], gfx::Rgb(1, 2, 3));

  ui::testing::AnswerFolder("/home/plantillas");
  ui::testing::AnswerFolder("/home/otras/");
  EXPECT_EQ(ui::ChooseFolder(nullptr, "Carpeta"), "/home/plantillas/");
  EXPECT_EQ(ui::ChooseFolder(nullptr, "Carpeta"), "/home/otras/");
  EXPECT_EQ(ui::ChooseFolder(nullptr, "Carpeta"), "");

  ui::FontChoice choice{"Arial", 10, 0, 0};
  ui::testing::AnswerFont(true, {"Times New Roman", 14, gfx::kBold, 0});
  ui::testing::AnswerFont(false);
  EXPECT_TRUE(ui::ChooseFont(nullptr, choice));
  EXPECT_EQ(choice.face, "Times New Roman");
  EXPECT_EQ(choice.points, 14);
  EXPECT_EQ(choice.styleFlags, gfx::kBold);
  EXPECT_FALSE(ui::ChooseFont(nullptr, choice));
  EXPECT_EQ(choice.face, "Times New Roman");  // cancelled: unchanged
}

TEST_F(UiTest, StartApplicationWithAnApplicationRunning) {
  int argc = 1;
  char name[] = "ui_tests";
  char* argv[] = {name, nullptr};
  EXPECT_TRUE(ui::StartApplication(argc, argv));
}

TEST_F(UiTest, SystemColoursAreColours) {
  for (ui::SystemColour c : {ui::SystemColour::Highlight, ui::SystemColour::HighlightText, ui::SystemColour::Window,
                             ui::SystemColour::WindowText, ui::SystemColour::ButtonFace}) {
    gfx::Colour v = ui::SystemColourOf(c);
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 0xFFFFFF);
  }
  EXPECT_NE(ui::SystemColourOf(ui::SystemColour::Highlight), ui::SystemColourOf(ui::SystemColour::Window));
}

// Shown for real, each message box and chooser is kept above the window it belongs to: its
// owner's, or the main window's when it has no owner.
TEST_F(UiTest, MessageBoxesAndChoosersAreKeptAboveTheWindowTheyBelongTo) {
  ui::testing::End();
  ui::DialogTemplate mainTemplate = SampleTemplate("Veluna");
  mainTemplate.minimiseBox = true;
  ui::Window main = ui::ShowModeless(mainTemplate, nullptr, RecordingProc);
  ui::Window dialog = ui::ShowModeless(SampleTemplate("Etiqueta esquinas"), nullptr, RecordingProc);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(dialog, nullptr);
  std::array<gfx::Colour, 16> custom{};
  ui::FontChoice font;
  ui::FileDialogSpec spec;
  spec.title = "Leer Documento";
  struct Case {
    const char* name;
    std::function<void(ui::Window owner)> show;
  };
  const Case cases[] = {
      {"message box",
       [](ui::Window owner) { ui::MessageBox(owner, "Fichero borrado ...", "Vozurivudoz", ui::Buttons::Ok); }},
      {"file", [&](ui::Window owner) { ui::ChooseFile(owner, spec); }},
      {"colour", [&](ui::Window owner) { ui::ChooseColour(owner, 0x808080, custom); }},
      {"folder", [](ui::Window owner) { ui::ChooseFolder(owner, "Carpeta"); }},
      {"font", [&](ui::Window owner) { ui::ChooseFont(owner, font); }},
  };
  for (const Case& c : cases) {
    for (ui::Window owner : {dialog, static_cast<ui::Window>(nullptr)}) {
      SCOPED_TRACE(std::string(c.name) + (owner ? " with owner" : " without owner"));
      QWindow* above = nullptr;
      bool shown = false;
      // Runs inside the chooser's own loop, once it is shown, and cancels it.
      QTimer::singleShot(0, [&] {
        auto* shownDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!shownDialog) return;
        shown = true;
        above = shownDialog->windowHandle() ? shownDialog->windowHandle()->transientParent() : nullptr;
        shownDialog->reject();
      });
      c.show(owner);
      EXPECT_TRUE(shown);
      EXPECT_EQ(above, (owner ? dialog : main)->widget->windowHandle());
    }
  }
  ui::DestroyWindow(dialog);
  ui::DestroyWindow(main);
}
