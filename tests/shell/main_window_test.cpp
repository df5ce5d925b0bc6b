#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "database/dialogs/database_commands.h"
#include "dialogs/about_box.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/configuration.h"
#include "objects/image_size.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/desktop/desktop.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "shell/main_window.h"
#include "tests/shell/designer_window.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::ChooseMenu;
using ui::testing::DialogsOpened;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

bool Opened(const std::string& caption) {
  const auto& d = DialogsOpened();
  return std::find(d.begin(), d.end(), caption) != d.end();
}

PageObject& AddShape(int x, int y) {
  ++objectCount;
  PageObject& o = pageObjects[objectCount];
  o = PageObject{};
  o.kind = kSquareOrCircle;
  o.x = x;
  o.y = y;
  o.width = 40;
  o.height = 30;
  o.backColor = 0xFF0000;
  o.shapeType = 7001;
  o.lineWidth = 1;
  return o;
}

// Each guarded command does nothing while its dialog's flag is set.
TEST(MainWindow, GuardedCommandsDoNothingWhileTheirDialogIsOpen) {
  struct Case { int32_t* flag; int command; const char* caption; };
  const Case cases[] = {
      {&aboutBusy, kCommandAbout, "Autor"},
      {&textPropertiesDialogOpen, kCommandTextProperties, "Propiedades Texto"},
      {&configurationDialogOpen, kCommandConfiguration, "Configuracion"},
      {&imageSizeDialogOpen, kCommandImageSize, "Tama\xF1o Imagenes"},
      {&alignedTextDialogOpen, kCommandInsertAlignedText, "Insertar texto alineado"},
      {&alignedTextDialogOpen, kCommandInsertMemoText, "Insertar texto alineado"},
  };
  for (const Case& c : cases) {
    WithMainWindow([&](ui::Window w) {
      *c.flag = 1;
      ChooseMenu(w, c.command);
      *c.flag = 0;
    });
    EXPECT_FALSE(Opened(c.caption)) << c.command;
  }
}

TEST(MainWindow, NuevoEmptiesThePageAndKeepsTheTitle) {
  WithMainWindow([](ui::Window w) {
    AddShape(100, 100);
    ui::SetCaption(w, "a.qorvex");
    documentPath = "/docs/a.qorvex";
    filledTextsShown = 1;
    scrollOffset() = -200;
    ChooseMenu(w, kCommandNew);
    EXPECT_EQ(filledTextsShown, 0);
    EXPECT_EQ(documentPath, "/docs/a.qorvex");
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 400, 0), 0) << "the page outline is drawn";
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kCanvasId), 0, 400), 0) << "and shown";
    EXPECT_EQ(objectCount, 1);
    EXPECT_EQ(pageObjects[2].kind, 0);
    EXPECT_EQ(scrollOffset(), 0);
    EXPECT_EQ(pageObjects[1].width, 794);
    EXPECT_EQ(pageObjects[1].height, 1122);
    EXPECT_EQ(ui::Caption(w), "a.qorvex");
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 120, 115), gfx::kWhite);
  });
}

TEST(MainWindow, DeshacerDropsTheLastObjectAndDoesNothingOnAnEmptyPage) {
  WithMainWindow([](ui::Window w) {
    soundMuted = 0;
    const size_t soundsBefore = desktop::SoundsRequested().size();
    ChooseMenu(w, kCommandUndo);
    EXPECT_EQ(objectCount, 1);
    EXPECT_EQ(desktop::SoundsRequested().size(), soundsBefore);
    AddShape(100, 100);
    FullRepaint();
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 120, 115), 0xFF0000);
    ChooseMenu(w, kCommandUndo);
    EXPECT_EQ(objectCount, 1);
    EXPECT_NE(gfx::Pixel(*pageBitmap, 120, 115), 0xFF0000) << "the dropped object is not drawn";
    ASSERT_EQ(desktop::SoundsRequested().size(), soundsBefore + 1);
    EXPECT_EQ(desktop::SoundsRequested().back(), 150);
  });
}

TEST(MainWindow, OneRulerOrPaperAtATime) {
  WithMainWindow([](ui::Window w) {
    ChooseMenu(w, kCommandRulerMm);
    EXPECT_EQ(rulerFlags[0], 1);
    EXPECT_TRUE(ui::MenuItemChecked(w, kCommandRulerMm));
    ChooseMenu(w, kCommandPaperSquared);
    EXPECT_EQ(rulerFlags[0], 0);
    EXPECT_EQ(rulerFlags[4], 1);
    EXPECT_FALSE(ui::MenuItemChecked(w, kCommandRulerMm));
    EXPECT_TRUE(ui::MenuItemChecked(w, kCommandPaperSquared));
    ChooseMenu(w, kCommandPaperSquared);
    for (int32_t f : rulerFlags) EXPECT_EQ(f, 0);
    EXPECT_FALSE(ui::MenuItemChecked(w, kCommandPaperSquared));
  });
}

TEST(MainWindow, MouseModesMoveTheirCheckMarks) {
  WithMainWindow([](ui::Window w) {
    ChooseMenu(w, kCommandLeftEdit);
    EXPECT_EQ(leftMouseMode, kLeftEdit);
    EXPECT_TRUE(ui::MenuItemChecked(w, kCommandLeftEdit));
    EXPECT_FALSE(ui::MenuItemChecked(w, kCommandLeftMove));
    ChooseMenu(w, kCommandRightFavourites);
    EXPECT_EQ(rightMouseMode, kRightFavourites);
    EXPECT_TRUE(ui::MenuItemChecked(w, kCommandRightFavourites));
    EXPECT_FALSE(ui::MenuItemChecked(w, kCommandRightCaptureColour));
    ui::SendMessage(w, ui::Msg::Command, kCommandLeftNone, 0);
    EXPECT_EQ(leftMouseMode, kLeftNone);
    EXPECT_FALSE(ui::MenuItemChecked(w, kCommandLeftEdit));
  });
}

TEST(MainWindow, SavingOverAnExistingFileAsksFirst) {
  const std::string folder = testenv::NewFolder("docs");
  const std::string path = folder + "forma.qorvex";
  ASSERT_EQ(files::WriteAllAtomically(path, std::string("viejo")), 0);
  WithMainWindow([&](ui::Window w) {
    AddShape(10, 10);
    ui::testing::AnswerFile(path);
    ui::testing::AnswerMessageBox(ui::Answer::No);
    ChooseMenu(w, kCommandSaveDocument);
    std::string data;
    files::ReadWholeFile(path, 1 << 20, data);
    EXPECT_EQ(data, "viejo");
    EXPECT_EQ(ui::Caption(w), "Veluna");

    ui::testing::AnswerFile(path);
    ui::testing::AnswerMessageBox(ui::Answer::Yes);
    ChooseMenu(w, kCommandSaveDocument);
    files::ReadWholeFile(path, 1 << 20, data);
    EXPECT_EQ(data.size(), sizeof(PageObject));
    EXPECT_EQ(ui::Caption(w), "forma.qorvex");
  });
  int asked = 0;
  for (const auto& m : MessagesShown())
    if (m.text == "El fichero Existe, Desea Sobrescribir ?") ++asked;
  EXPECT_EQ(asked, 2);
}

TEST(MainWindow, ADocumentSavedAndReadBackDrawsTheSame) {
  const std::string path = testenv::NewFolder("docs") + "dos.qorvex";
  WithMainWindow([&](ui::Window w) {
    AddShape(100, 200);
    AddShape(300, 400).backColor = 0x00FF00;
    ui::testing::AnswerFile(path);
    ChooseMenu(w, kCommandSaveDocument);
    ChooseMenu(w, kCommandNew);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 320, 415), gfx::kWhite);
    ui::testing::AnswerFile(path);
    ChooseMenu(w, kCommandOpenDocument);
    EXPECT_EQ(objectCount, 3);
    EXPECT_EQ(ui::Caption(w), "dos.qorvex");
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 120, 215), 0xFF0000);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 320, 415), 0x00FF00);
  });
}

TEST(MainWindow, ADocumentNamedOnTheCommandLineOpens) {
  const std::string folder = testenv::NewFolder("docs with blanks");
  const std::string path = folder + "inicio.qorvex";
  PageObject o{};
  o.kind = kSquareOrCircle;
  o.x = 50; o.y = 60; o.width = 20; o.height = 20;
  o.backColor = 0x0000FF; o.shapeType = 7001; o.lineWidth = 1;
  ASSERT_EQ(files::WriteAllAtomically(path, std::string(reinterpret_cast<const char*>(&o), sizeof o)), 0);
  WithMainWindow([&](ui::Window w) {
    EXPECT_EQ(objectCount, 2);
    EXPECT_EQ(ui::Caption(w), "inicio.qorvex");
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 60, 70), 0x0000FF);
  }, {"\"" + path + "\""});
  WithMainWindow([&](ui::Window) { EXPECT_EQ(objectCount, 1); }, {folder + "falta.qorvex"});
}

TEST(MainWindow, ResetFillsEmptiesFillTextsAndOptionMarks) {
  WithMainWindow([](ui::Window w) {
    PageObject& control = AddShape(10, 10);
    control.kind = kAdminControl;
    std::strcpy(control.fillText, "Ana");
    PageObject& cell = AddShape(100, 10);
    cell.kind = kAdminOptionCell;
    cell.optionMarked = 1;
    ChooseMenu(w, kCommandResetFills);
    EXPECT_STREQ(control.fillText, "");
    EXPECT_EQ(cell.optionMarked, 0);
  });
}

TEST(MainWindow, AFullStoreRefusesInsertions) {
  WithMainWindow([](ui::Window w) {
    objectCount = 500;
    ChooseMenu(w, kCommandInsertAlignedText);
    EXPECT_FALSE(Opened("Insertar texto alineado"));
    ASSERT_FALSE(MessagesShown().empty());
    EXPECT_EQ(MessagesShown().back().text, "No puedo insertar mas objetos ...");
    objectCount = 1;
  });
}

TEST(MainWindow, AnAlignedTextIsInsertedAtTheInsertPosition) {
  WithMainWindow([](ui::Window w) {
    insertX = 40;
    insertY = 50;
    soundMuted = 0;
    OnDialog("Insertar texto alineado", [](ui::Window d) {
      ui::testing::TypeText(d, aligned_text_ids::kText, "Hola mundo");
      ui::testing::TypeText(d, aligned_text_ids::kWidth, "200");
      ui::testing::TypeText(d, aligned_text_ids::kHeight, "60");
      ui::testing::Click(d, aligned_text_ids::kLeft);
      ui::testing::Click(d, aligned_text_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertAlignedText);
    ASSERT_EQ(objectCount, 2);
    const PageObject& o = pageObjects[2];
    EXPECT_EQ(o.kind, kAlignedText);
    EXPECT_EQ(o.x, 40);
    EXPECT_EQ(o.y, 50);
    EXPECT_STREQ(o.text, "Hola mundo");
    EXPECT_EQ(o.alignment, 131);
    ASSERT_FALSE(desktop::SoundsRequested().empty());
    EXPECT_EQ(desktop::SoundsRequested().back(), 151);
    bool ink = false;
    for (int x = 40; x < 140 && !ink; ++x)
      for (int y = 50; y < 70 && !ink; ++y) ink = gfx::Pixel(*pageBitmap, x, y) != gfx::kWhite;
    EXPECT_TRUE(ink);
  });
}

TEST(MainWindow, AnInsertAfterUndoDoesNotInheritTheDroppedObject) {
  WithMainWindow([](ui::Window w) {
    PageObject& dropped = AddShape(10, 10);
    std::strcpy(dropped.databaseField, "nombre");
    ChooseMenu(w, kCommandUndo);
    OnDialog("Insertar texto alineado", [](ui::Window d) {
      ui::testing::TypeText(d, aligned_text_ids::kText, "Otro");
      ui::testing::TypeText(d, aligned_text_ids::kWidth, "100");
      ui::testing::TypeText(d, aligned_text_ids::kHeight, "30");
      ui::testing::Click(d, aligned_text_ids::kLeft);
      ui::testing::Click(d, aligned_text_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertAlignedText);
    ASSERT_EQ(objectCount, 2);
    EXPECT_STREQ(pageObjects[2].databaseField, "");
  });
}

}  // namespace

namespace {

// A square inserted through its dialog lands at the insert position, is drawn, and keeps the
// dialog's settings; a second page read from disk draws it the same.
TEST(MainWindow, ASquareIsInsertedDrawnAndSavedWithItsSettings) {
  const std::string path = testenv::NewFolder("docs") + "cuadro.qorvex";
  WithMainWindow([&](ui::Window w) {
    insertX = 200;
    insertY = 300;
    OnDialog("Insertar cuadrados y circulos", [](ui::Window d) {
      ui::testing::Click(d, shape_ids::kSquare);
      ui::testing::TypeText(d, shape_ids::kWidthPx, "80");
      ui::testing::TypeText(d, shape_ids::kHeightPx, "40");
      ui::testing::Click(d, shape_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertShape);
    ASSERT_EQ(objectCount, 2);
    const PageObject& o = pageObjects[2];
    EXPECT_EQ(o.kind, kSquareOrCircle);
    EXPECT_EQ(o.x, 200);
    EXPECT_EQ(o.width, 80);
    EXPECT_EQ(o.height, 40);
    EXPECT_EQ(o.shapeType, 7001);
    const gfx::Colour inside = gfx::Pixel(*pageBitmap, 240, 320);
    EXPECT_EQ(inside, o.backColor);
    ui::testing::AnswerFile(path);
    ChooseMenu(w, kCommandSaveDocument);
    ChooseMenu(w, kCommandNew);
    ui::testing::AnswerFile(path);
    ChooseMenu(w, kCommandOpenDocument);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 240, 320), inside);
  });
}

TEST(MainWindow, ClosingTheInsertDialogsInsertsNothing) {
  struct Case { int command; const char* caption; };
  const Case cases[] = {
      {kCommandInsertMonthCalendar, "Configurador de mes"},
      {kCommandInsertShape, "Insertar cuadrados y circulos"},
      {kCommandInsertArrow, "Insertar flechas"},
      {kCommandInsertMathsCharacter, "keyboard"},
      {kCommandInsertCornerMarks, "Etiqueta esquinas"},
      {kCommandInsertAlignedText, "Insertar texto alineado"},
      {kCommandInsertAngledText, "Texto a Insertar"},
  };
  for (const Case& c : cases) {
    WithMainWindow([&](ui::Window w) {
      for (int i = 0; i < 2; ++i)
        OnDialog(c.caption, [](ui::Window d) { ui::testing::CloseBox(d); });
      // 1061 and 1072 have no menu item: their command ids still reach the window.
      ui::SendMessage(w, ui::Msg::Command, c.command, 0);
      EXPECT_EQ(objectCount, 1) << c.caption;
      ui::SendMessage(w, ui::Msg::Command, c.command, 0);   // the guard was cleared
    });
    int opened = 0;
    for (const auto& d : DialogsOpened()) opened += d == c.caption;
    EXPECT_EQ(opened, 2) << c.caption;
  }
}

}  // namespace

#include "dialogs/fill_text_properties.h"
#include "dialogs/print_dialogs.h"
#include "objects/admin_controls_dialog.h"
#include "objects/corner_marks_dialog.h"
#include "objects/holidays.h"
#include "objects/insert_text.h"
#include "objects/maths_keyboard_dialog.h"
#include "objects/memo_text.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "page/admin_controls.h"
#include "page/aligned_text.h"
#include "page/drawers.h"
#include "page/images.h"
#include "page/month_calendar.h"
#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

namespace {

constexpr gfx::Colour kRedMark = 0x0000FF;

std::string WriteTextFile(const std::string& name, const std::string& bytes) {
  const std::string path = testenv::NewFolder("textos " + name) + name;
  EXPECT_EQ(files::WriteAllAtomically(path, bytes), 0);
  return path;
}

// The hollow red box over the object's rectangle: its four sides are red at their middles.
bool RedBoxAround(const PageObject& o) {
  const int midX = o.x + o.width / 2, midY = o.y + o.height / 2;
  return gfx::Pixel(*pageBitmap, o.x, midY) == kRedMark &&
         gfx::Pixel(*pageBitmap, o.x + o.width, midY) == kRedMark &&
         gfx::Pixel(*pageBitmap, midX, o.y + o.height) == kRedMark;
}

// Every run starts the mouse modes, rulers and dialogs from the same values, whatever the
// globals held before.
TEST(MainWindow, InitialisationGivesTheDialogsTheirStartingValues) {
  leftMouseMode = kLeftEdit;
  rightMouseMode = kRightFavourites;
  rulerFlags = {0, 0, 1, 0, 0, 0};
  shapeDialogAccepted = 1;
  shapeTypeChosen = 7002;
  shapeRoundedCorners = shapeFillStyle = shapeLineStyle = 3;
  shapeLineWidth = 9;
  shapeTransparentInterior = 1;
  shapeBorderColour = 0x123456;
  shapeInteriorColour = -2;
  shapeRoundingPercent = 50;
  textBackColour = workingTextBackColour = 0x111111;
  textForeColour = workingTextForeColour = 0x222222;
  textFontSize = workingTextFontSize = 30;
  textFontName = workingTextFontName = "Arial";
  imageTrueSize = 0;
  monthBackColour = 0x333333;
  monthBorderColour = 0x444444;
  monthNamePosition = 3;
  monthIncludeHolidays = monthTransparentBackground = monthColouredBackground = 1;
  alignedText = "viejo";
  alignedTextWidth = alignedTextHeight = 77;
  alignedTextAlignment = 133;
  alignedTextAccepted = 1;
  currentArrowLength = 5;
  currentArrowColour = 0x555555;
  currentArrowHeads = 2;
  currentArrowLineWidth = 7;
  currentArrowDirection = 6;
  currentArrowClosedHead = 1;
  currentArrowHeadSize = 3;
  fillTextBackColour = workingFillTextBackColour = 0x666666;
  fillTextForeColour = workingFillTextForeColour = 0x777777;
  fillTextFontSize = workingFillTextFontSize = 40;
  fillTextFontName = workingFillTextFontName = "Courier";
  paintMode = 0;
  currentObjectIndex = 9;
  printBusy = 1;
  currentAdminStyle = 4;

  WithMainWindow([](ui::Window) {
    EXPECT_EQ(leftMouseMode, kLeftMove);
    EXPECT_EQ(rightMouseMode, kRightCaptureColour);
    for (int32_t f : rulerFlags) EXPECT_EQ(f, 0);
    EXPECT_EQ(shapeDialogAccepted, 0);
    EXPECT_EQ(shapeTypeChosen, 7001);
    EXPECT_EQ(shapeRoundedCorners, 0);
    EXPECT_EQ(shapeFillStyle, 0);
    EXPECT_EQ(shapeLineStyle, 0);
    EXPECT_EQ(shapeLineWidth, 1);
    EXPECT_EQ(shapeTransparentInterior, 0);
    EXPECT_EQ(shapeBorderColour, 0);
    EXPECT_EQ(shapeInteriorColour, 0xFF0000);
    EXPECT_EQ(shapeRoundingPercent, 0);
    for (gfx::Colour c : {textBackColour, workingTextBackColour}) EXPECT_EQ(c, 0xFFFFFF);
    for (gfx::Colour c : {textForeColour, workingTextForeColour}) EXPECT_EQ(c, 0);
    EXPECT_EQ(textFontSize, 10);
    EXPECT_EQ(workingTextFontSize, 10);
    EXPECT_EQ(textFontName, "Times New Roman");
    EXPECT_EQ(workingTextFontName, "Times New Roman");
    EXPECT_EQ(imageTrueSize, 1);
    EXPECT_EQ(monthBackColour, 0xFFFFFF);
    EXPECT_EQ(monthBorderColour, 0);
    EXPECT_EQ(monthNamePosition, 1);
    EXPECT_EQ(monthIncludeHolidays + monthTransparentBackground + monthColouredBackground, 0);
    EXPECT_EQ(alignedText, "");
    EXPECT_EQ(alignedTextWidth, 0);
    EXPECT_EQ(alignedTextHeight, 0);
    EXPECT_EQ(alignedTextAlignment, 0);
    EXPECT_EQ(alignedTextAccepted, 0);
    EXPECT_EQ(currentArrowLength, 100);
    EXPECT_EQ(currentArrowColour, 0);
    EXPECT_EQ(currentArrowHeads, 1);
    EXPECT_EQ(currentArrowLineWidth, 1);
    EXPECT_EQ(currentArrowDirection, 1);
    EXPECT_EQ(currentArrowClosedHead, 0);
    EXPECT_EQ(currentArrowHeadSize, 10);
    for (gfx::Colour c : {fillTextBackColour, workingFillTextBackColour}) EXPECT_EQ(c, 0xFFFFFF);
    for (gfx::Colour c : {fillTextForeColour, workingFillTextForeColour}) EXPECT_EQ(c, 0);
    EXPECT_EQ(fillTextFontSize, 10);
    EXPECT_EQ(workingFillTextFontSize, 10);
    EXPECT_EQ(fillTextFontName, "Times New Roman");
    EXPECT_EQ(workingFillTextFontName, "Times New Roman");
    EXPECT_EQ(objectCount, 1);
    EXPECT_EQ(paintMode, 1);
    EXPECT_EQ(currentObjectIndex, 2);
    EXPECT_EQ(printBusy, 0);
    EXPECT_EQ(currentAdminStyle, 1);
    // The page record of a fresh page, and the page drawn with its outline.
    EXPECT_EQ(pageObjects[1].width, 794);
    EXPECT_EQ(pageObjects[1].height, 1122);
    EXPECT_EQ(pageObjects[1].backColor, 0xFFFFFF);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 400, 0), 0);
  });
}

// The guards of the remaining dialogs and of the shared flags: while a flag is set its
// commands open nothing and insert nothing.
TEST(MainWindow, EveryGuardedCommandWaitsForItsFlag) {
  struct Case { int32_t* flag; int command; const char* caption; };
  const Case cases[] = {
      {&holidaysDialogOpen, kCommandHolidays, "Fiestas"},
      {&monthDialogOpen, kCommandInsertMonthCalendar, "Configurador de mes"},
      {&insertTextDialogOpen, kCommandInsertAngledText, "Texto a Insertar"},
      {&shapeDialogOpen, kCommandInsertShape, "Insertar cuadrados y circulos"},
      {&arrowDialogOpen, kCommandInsertArrow, "Insertar flechas"},
      {&adminDialogOpen, kCommandInsertAdminControl, "Objetos para impreso"},
      {&insertTextDialogOpen, kCommandInsertMathsCharacter, "keyboard"},
      {&cornerDialogOpen, kCommandInsertCornerMarks, "Etiqueta esquinas"},
      {&printBusy, kCommandPrint, "Configura la impresi\xF3n"},
      {&paperFormatDialogOpen, kCommandPaperFormat, "Formato Papel"},
  };
  for (const Case& c : cases) {
    WithMainWindow([&](ui::Window w) {
      const size_t messages = MessagesShown().size();
      *c.flag = 1;
      ui::SendMessage(w, ui::Msg::Command, c.command, 0);
      *c.flag = 0;
      EXPECT_EQ(objectCount, 1) << c.command;
      EXPECT_EQ(MessagesShown().size(), messages) << c.command;
    });
    EXPECT_FALSE(Opened(c.caption)) << c.command;
  }

  // "Grabar Imagen" asks for no file while its export runs.
  WithMainWindow([](ui::Window w) {
    ui::testing::AnswerFile("");
    imageExportBusy = 1;
    ChooseMenu(w, kCommandExportImage);
    imageExportBusy = 0;
    ChooseMenu(w, kCommandExportImage);  // takes the answer queued above
  });

  // The line texts share the aligned text's flag: 1082 asks for no file while it is set.
  const std::string file = WriteTextFile("dos.txt", "uno\r\ndos\r\n");
  WithMainWindow([&](ui::Window w) {
    ui::testing::AnswerFile(file);
    alignedTextDialogOpen = 1;
    ChooseMenu(w, kCommandInsertLineTextLeft);
    EXPECT_EQ(objectCount, 1);
    alignedTextDialogOpen = 0;
    ChooseMenu(w, kCommandInsertLineTextLeft);
    EXPECT_EQ(objectCount, 2) << "the answer was still waiting";
    EXPECT_EQ(alignedTextDialogOpen, 0) << "the handler clears the flag";
  });
}

// (An empty aligned text never reaches the handler: its dialog puts the memo note in.)
TEST(MainWindow, AnEmptyAngledTextIsRefusedAndAnEmptyMemoSaysWhatItIsFor) {
  WithMainWindow([](ui::Window w) {
    OnDialog("Texto a Insertar",
             [](ui::Window d) { ui::testing::Click(d, insert_text_ids::kAceptar); });
    ChooseMenu(w, kCommandInsertAngledText);
    EXPECT_EQ(objectCount, 1);
    ASSERT_FALSE(MessagesShown().empty());
    EXPECT_EQ(MessagesShown().back().text,
              "Tiene que escribir una frase para poder insertarla en la imagen ...");

    const size_t messages = MessagesShown().size();
    OnDialog("Insertar texto alineado", [](ui::Window d) {
      ui::testing::TypeText(d, aligned_text_ids::kWidth, "300");
      ui::testing::TypeText(d, aligned_text_ids::kHeight, "60");
      ui::testing::Click(d, aligned_text_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertMemoText);
    ASSERT_EQ(objectCount, 2);
    EXPECT_EQ(MessagesShown().size(), messages);
    EXPECT_EQ(pageObjects[2].kind, kMemoText);
    EXPECT_EQ(FixedFieldText(pageObjects[2].text), MemoFieldNote());
    EXPECT_EQ(FixedFieldText(pageObjects[2].text).rfind(
                  "Este objeto hace de contenedor para el campo memotext de las bases de datos. ", 0),
              0u);
  });
}

TEST(MainWindow, AnArrowIsInsertedOverItsRedPickBox) {
  WithMainWindow([](ui::Window w) {
    insertX = 100;
    insertY = 300;
    OnDialog("Insertar flechas", [](ui::Window d) {
      ui::testing::TypeText(d, arrow_ids::kLengthPx, "100");
      ui::testing::TypeText(d, arrow_ids::kHeadPx, "10");
      ui::testing::Click(d, arrow_ids::kAceptar);
    });
    ui::SendMessage(w, ui::Msg::Command, kCommandInsertArrow, 0);
    ASSERT_EQ(objectCount, 2);
    const PageObject& o = pageObjects[2];
    EXPECT_EQ(o.kind, kArrow);
    EXPECT_EQ(o.x, 100);
    EXPECT_EQ(o.y, 300);
    EXPECT_EQ(o.width, 10);
    EXPECT_EQ(o.height, 10);
    EXPECT_EQ(o.arrowLength, 100);
    EXPECT_EQ(o.arrowHeadSize, 10);
    EXPECT_EQ(o.arrowDirection, 1);
    EXPECT_EQ(o.arrowHeads, 1);
    EXPECT_EQ(o.arrowLineWidth, 1);
    EXPECT_EQ(o.arrowClosedHead, 0);
    EXPECT_EQ(o.arrowColor, 0);
    // The box's left, right and bottom sides, and the shaft going up from the anchor.
    EXPECT_TRUE(RedBoxAround(o));
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 100, 250), 0);
  });
}

TEST(MainWindow, CornerMarksKeepTheirMillimetresAsPixels) {
  WithMainWindow([](ui::Window w) {
    insertX = 50;
    insertY = 60;
    OnDialog("Etiqueta esquinas", [](ui::Window d) {
      ui::testing::TypeText(d, corner_mark_ids::kText, "Sello");
      ui::testing::TypeText(d, corner_mark_ids::kWidth, "40");
      ui::testing::TypeText(d, corner_mark_ids::kHeight, "21");
      ui::testing::Click(d, corner_mark_ids::kRender);
      ui::testing::Click(d, corner_mark_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertCornerMarks);
    ASSERT_EQ(objectCount, 2);
    const PageObject& o = pageObjects[2];
    EXPECT_EQ(o.kind, kCornerMarks);
    EXPECT_EQ(o.width, 151);    // 40 x 3.779527559 = 151.18
    EXPECT_EQ(o.height, 79);    // 21 x 3.779527559 = 79.37
    EXPECT_EQ(o.penWidth, 1);
    EXPECT_STREQ(o.text, "Sello");
    EXPECT_EQ(o.backColor, cornerMarkColour);
    EXPECT_EQ(o.optionFlag1, cornerMarkShowText);
    EXPECT_EQ(o.optionFlag2, cornerMarkShowShadow);
    EXPECT_EQ(o.optionFlag3, cornerMarkShowCorners);
    EXPECT_EQ(cornerDialogOpen, 0);
  });
}

// Styles 1 to 5 and 7 to 10 make kind 7, style 6 kind 8; both take the preset and the
// insertion constants.
TEST(MainWindow, AdministrativeControlsTakeTheirPresetAndTheInsertionConstants) {
  struct Case { int comboLine; int16_t style; int32_t kind; };
  for (const Case c : {Case{0, 1, kAdminControl}, Case{5, 6, kAdminOptionCell}}) {
    WithMainWindow([&](ui::Window w) {
      insertX = 30;
      insertY = 40;
      OnDialog("Objetos para impreso", [&](ui::Window d) {
        ui::testing::ChooseListItem(d, admin_dialog_ids::kStyleCombo, c.comboLine);
        ui::testing::Click(d, admin_dialog_ids::kAceptar);
      });
      ChooseMenu(w, kCommandInsertAdminControl);
      ASSERT_EQ(objectCount, 2);
      const PageObject& o = pageObjects[2];
      const AdminStylePreset& p = adminStylePresets[c.style];
      EXPECT_EQ(o.kind, c.kind);
      EXPECT_EQ(o.adminStyle, c.style);
      EXPECT_EQ(o.x, 30);
      EXPECT_EQ(o.width, p.labelAreaWidth);
      EXPECT_EQ(o.height, p.labelAreaHeight);
      EXPECT_EQ(o.cellWidth, p.cellWidth);
      EXPECT_EQ(o.penWidth, p.penWidth);
      EXPECT_EQ(o.cellCount, p.cellCount);
      EXPECT_EQ(o.cellSpacing, p.cellSpacing);
      EXPECT_EQ(o.alignment, p.alignment);
      EXPECT_EQ(o.labelVisible, p.labelVisible);
      EXPECT_EQ(o.optionShape, p.optionShape);
      EXPECT_EQ(o.foreColor, p.colour);
      EXPECT_EQ(FixedFieldText(o.text), AdminPresetText(p));
      EXPECT_EQ(o.backColor, -2);
      EXPECT_EQ(FixedFieldText(o.fontName), textFontName);
      EXPECT_EQ(o.fontSize, textFontSize);
      EXPECT_STREQ(o.fillText, "");
      EXPECT_EQ(FixedFieldText(o.fillFontName), fillTextFontName);
      EXPECT_EQ(o.fillFontSize, fillTextFontSize);
      EXPECT_EQ(o.fillBackColor, fillTextBackColour);
      EXPECT_EQ(o.fillForeColor, fillTextForeColour);
      EXPECT_EQ(o.fillBold + o.fillItalic + o.fillUnderline + o.fillStrikeout + o.fillLeading, 0);
      EXPECT_EQ(o.fillAlignment, 131);
      EXPECT_EQ(o.fillFontStyle, 0);
      EXPECT_EQ(o.optionMarked, 1);
      EXPECT_EQ(o.controlBackColor, 0xFFFFFF);
    });
  }
}

// Line texts: the file's lines joined by CR LF and cut to what the field keeps, the alignment
// of the command, the accepted text colours, one character cell marked in red.
TEST(MainWindow, LineTextsKeepTheFileAndTheAlignmentOfTheirCommand) {
  std::string longText;
  for (int i = 0; i < 100; ++i) longText += "linea de texto " + std::to_string(100 + i) + "\n";
  const std::string shortFile = WriteTextFile("corto.txt", "uno\ndos");
  const std::string longFile = WriteTextFile("largo.txt", longText);
  WithMainWindow([&](ui::Window w) {
    insertX = 200;
    insertY = 100;
    textForeColour = 0x0000AA;
    workingTextForeColour = 0x00AA00;
    ui::testing::AnswerFile(shortFile);
    ChooseMenu(w, kCommandInsertLineTextRight);
    ASSERT_EQ(objectCount, 2);
    const PageObject& o = pageObjects[2];
    EXPECT_EQ(o.kind, kLineText);
    EXPECT_EQ(o.alignment, 132);
    EXPECT_STREQ(o.text, "uno\r\ndos\r\n");
    EXPECT_EQ(o.foreColor, 0x0000AA);
    EXPECT_GT(o.width, 0);
    EXPECT_GT(o.height, 0);
    EXPECT_TRUE(RedBoxAround(o));

    ui::testing::AnswerFile(longFile);
    ChooseMenu(w, kCommandInsertLineTextCentre);
    ASSERT_EQ(objectCount, 3);
    EXPECT_EQ(pageObjects[3].alignment, 133);
    EXPECT_EQ(strnlen(pageObjects[3].text, sizeof pageObjects[3].text), 1023u);
    EXPECT_EQ(std::string(pageObjects[3].text, 17), "linea de texto 10");
  });
}

// Angled texts and maths characters keep ten times the angle of the text properties and the
// size of one character cell, marked in red.
TEST(MainWindow, AngledTextsAndMathsCharactersKeepTheirAngleAndCell) {
  WithMainWindow([](ui::Window w) {
    insertX = 300;
    insertY = 400;
    textAngleOn = 1;
    textAngle = 45;
    OnDialog("Texto a Insertar", [](ui::Window d) {
      ui::testing::TypeText(d, insert_text_ids::kText, "Inclinado");
      ui::testing::Click(d, insert_text_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertAngledText);
    ASSERT_EQ(objectCount, 2);
    const PageObject& text = pageObjects[2];
    EXPECT_EQ(text.kind, kAngledText);
    EXPECT_EQ(text.angle, 450);
    EXPECT_STREQ(text.text, "Inclinado");
    EXPECT_EQ(FixedFieldText(text.fontName), "Times New Roman");
    EXPECT_GT(text.width, 0);
    EXPECT_GT(text.height, 0);
    EXPECT_TRUE(RedBoxAround(text));
    EXPECT_NE(gfx::FontOf(text.fontHandle).escapement, 0) << "the stored key names the angled font";

    insertX = 500;
    OnDialog("keyboard", [](ui::Window d) {
      ui::Window keys = ui::Item(d, kSymbolKeyboardControl);
      ui::testing::Mouse(keys, ui::Msg::LeftDown, 381, 101, ui::kMouseLeft);   // the key "P"
      ui::testing::FireTimer(d, kSymbolKeyboardWaitTimer);
      ui::testing::Mouse(keys, ui::Msg::LeftUp, 381, 101);
      ui::testing::FireTimer(d, kSymbolKeyboardWaitTimer);
    });
    ChooseMenu(w, kCommandInsertMathsCharacter);
    ASSERT_EQ(objectCount, 3);
    const PageObject& symbol = pageObjects[3];
    EXPECT_EQ(symbol.kind, kMathsCharacter);
    EXPECT_STREQ(symbol.text, "P");
    EXPECT_EQ(FixedFieldText(symbol.fontName), "Symbol");
    EXPECT_EQ(symbol.angle, 450);
    EXPECT_EQ(symbol.x, 500);
    EXPECT_TRUE(RedBoxAround(symbol));
    EXPECT_EQ(insertTextDialogOpen, 0);
  });
}

// An object inserted while the page shows filled texts shows its own text, not a copy the
// fill made for another object of that slot.
TEST(MainWindow, AnInsertWhileFilledTextsShowKeepsItsOwnText) {
  WithMainWindow([](ui::Window w) {
    insertX = 100;
    insertY = 100;
    savedPlaceholderTexts.assign(10, "");
    filledTextsShown = 1;
    OnDialog("Insertar texto alineado", [](ui::Window d) {
      ui::testing::TypeText(d, aligned_text_ids::kText, "Hola mundo");
      ui::testing::TypeText(d, aligned_text_ids::kWidth, "200");
      ui::testing::TypeText(d, aligned_text_ids::kHeight, "60");
      ui::testing::Click(d, aligned_text_ids::kAceptar);
    });
    ChooseMenu(w, kCommandInsertAlignedText);
    ASSERT_EQ(objectCount, 2);
    FullRepaint();
    bool ink = false;
    for (int x = 100; x < 300 && !ink; ++x)
      for (int y = 100; y < 125 && !ink; ++y) ink = gfx::Pixel(*pageBitmap, x, y) != gfx::kWhite;
    EXPECT_TRUE(ink);
    filledTextsShown = 0;
  });
}

TEST(MainWindow, SearchWithoutALinkedDatabaseSaysSo) {
  WithMainWindow([](ui::Window w) {
    const size_t messages = MessagesShown().size();
    linkedDatabaseFolder.clear();
    ui::SendMessage(w, ui::Msg::Command, kCommandSearch, 0);
    linkedDatabaseFolder = testenv::NewFolder("datos");   // a folder without its .z04
    ui::SendMessage(w, ui::Msg::Command, kCommandSearch, 0);
    linkedDatabaseFolder.clear();
    ASSERT_EQ(MessagesShown().size(), messages + 2);
    for (size_t i = messages; i < messages + 2; ++i) {
      EXPECT_EQ(MessagesShown()[i].text, "No hay una base de datos vinculada correctamente ...");
      EXPECT_EQ(MessagesShown()[i].title, "Vozurivudoz");
    }
  });
}

// Settings and presets files that cannot be read are reported as the window opens, which
// goes on with the defaults.
TEST(MainWindow, SettingsAndPresetsThatCannotBeReadAreReportedAtStart) {
  std::vector<std::string> shown;
  WithMainWindow([&](ui::Window) {
    for (const auto& m : MessagesShown()) shown.push_back(m.text);
    EXPECT_EQ(marginLeft, 10);
    EXPECT_EQ(adminStylePresets[1].labelAreaWidth, DefaultAdminStylePreset(1).labelAreaWidth);
  }, {}, [] {
    std::filesystem::create_directory(SettingsFilePath());
    std::filesystem::create_symlink("/dev/zero", AdminControlsPath());
  });
  ASSERT_EQ(shown.size(), 3u);   // the start-up question first
  EXPECT_EQ(shown[1], "No puedo leer la configuraci\xF3n <" + SettingsFilePath() + "> ...\r\n" +
                          files::ErrorText(EISDIR));
  EXPECT_EQ(shown[2], "No puedo leer los controles administrativos <" + AdminControlsPath() +
                          "> ...\r\n" + files::ErrorText(files::kNotRegularFile));
}

// What is no document named on the command line (a folder, a device, a pipe) is reported
// and leaves an empty page: the window opens, and no read waits or runs for ever.
TEST(MainWindow, WhatIsNoFileOnTheCommandLineIsReportedAndLeavesAnEmptyPage) {
  const std::string folder = testenv::NewFolder("carpeta.qorvex");
  const std::string links = testenv::NewFolder("enlaces");
  std::filesystem::create_symlink("/dev/zero", links + "cero.qorvex");
  ASSERT_EQ(mkfifo((links + "tuberia.qorvex").c_str(), 0600), 0);
  const std::pair<std::string, int> cases[] = {{folder, EISDIR},
                                               {links + "cero.qorvex", files::kNotRegularFile},
                                               {links + "tuberia.qorvex", files::kNotRegularFile}};
  for (const auto& refused : cases) {
    const std::string& path = refused.first;
    const int error = refused.second;
    SCOPED_TRACE(path);
    WithMainWindow([&](ui::Window w) {
      EXPECT_EQ(objectCount, 1);
      EXPECT_EQ(ui::Caption(w), "Veluna");
      ASSERT_EQ(MessagesShown().size(), 2u);   // the start-up question, then the refusal
      EXPECT_EQ(MessagesShown().back().text,
                "No puedo leer el documento <" + path + "> ...\r\n" + files::ErrorText(error));
      EXPECT_EQ(MessagesShown().back().title, "Vozurivudoz");
    }, {path});
  }
}

// What the page library reports comes up in a box of its own, titled "Vozurivudoz", as the
// command that gets it ends: a document it refuses, the pictures a document read lacks, the
// pictures a paste cannot find and the count pasted, and a save that fails.
TEST(MainWindow, WhatThePageLibraryReportsIsShownInABoxOfItsOwn) {
  const std::string folder = testenv::NewFolder("informes");
  PageObject image{};
  image.kind = kImage;
  image.x = image.y = 20;
  image.width = image.height = 30;
  SetFixedField(image.imagePath, folder + "foto.png");
  testfiles::WriteRaw(folder + "sin foto.qorvex",
                      std::string(reinterpret_cast<const char*>(&image), sizeof image));
  testfiles::WriteRaw(folder + "roto.qorvex", std::string(sizeof(PageObject) + 1, 'x'));
  WithMainWindow([&](ui::Window w) {
    size_t from = MessagesShown().size();
    const auto expectShown = [&](const std::vector<std::string>& prefixes) {
      ASSERT_EQ(MessagesShown().size(), from + prefixes.size());
      for (size_t k = 0; k < prefixes.size(); ++k) {
        const ui::testing::Shown& shown = MessagesShown()[from + k];
        EXPECT_EQ(shown.text.rfind(prefixes[k], 0), 0u) << shown.text;
        EXPECT_EQ(shown.title, "Vozurivudoz");
      }
      from = MessagesShown().size();
    };
    ui::testing::AnswerFile(folder + "roto.qorvex");
    ChooseMenu(w, kCommandOpenDocument);
    expectShown({"Fichero con formato desconocido !!!"});
    EXPECT_EQ(MessagesShown().back().text, "Fichero con formato desconocido !!!");
    EXPECT_EQ(ui::Caption(w), "Veluna");

    ui::testing::AnswerFile(folder + "sin foto.qorvex");
    ChooseMenu(w, kCommandOpenDocument);
    expectShown({"No puedo leer 1 imagen del documento ...\r\n"});
    EXPECT_EQ(ui::Caption(w), "sin foto.qorvex");

    currentObjectIndex = 2;
    CopyCurrentObjectToClipboard();
    ChooseMenu(w, kCommandPasteCopies);
    expectShown({"[GraphicLoadImageFileToBitmap] called on <" + folder + "foto.png> Missing file",
                 "Pegados 1 de 1\r\n"});
    EXPECT_EQ(objectCount, 3);

    ui::testing::AnswerFile(folder + "no existe/copia.qorvex");
    ChooseMenu(w, kCommandSaveDocument);
    expectShown({"Err: "});
    EXPECT_EQ(ui::Caption(w), "sin foto.qorvex");
  });
}

}  // namespace

namespace {

// The database commands are usable only when the linked folder's field definitions hold a
// whole number of field records, at least one.
TEST(MainWindow, TheDatabaseMenuFollowsTheLinkTest) {
  struct Case { long long length; bool linked; };
  const Case cases[] = {{0, false}, {12042, true}, {24084, true}, {12043, false}, {-1, false}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string folder = testenv::NewFolder("base" + std::to_string(++n));
    const std::string z04 = folder + "base" + std::to_string(n) + ".z04";
    if (c.length >= 0) {
      ASSERT_EQ(files::WriteAllAtomically(z04, std::string(static_cast<size_t>(c.length), '\0')), 0);
    }
    bool enabled[4] = {};
    WithMainWindow(
        [&](ui::Window w) {
          for (int i = 0; i < 4; ++i)
            enabled[i] = ui::MenuItemEnabled(w, kCommandRecordBrowser + i);
        },
        {},
        [&] {
          linkedDatabaseFolder = folder;
          ASSERT_EQ(LoadSaveSettings("save"), "");
        });
    EXPECT_EQ(databaseLinked, c.linked ? 1 : 0);
    for (bool e : enabled) EXPECT_EQ(e, c.linked);
  }
}

}  // namespace
