#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "objects/aligned_text_dialog.h"
#include "objects/configuration.h"
#include "objects/image_size.h"
#include "objects/text_properties.h"
#include "platform/desktop/desktop.h"
#include "shell/about_box.h"
#include "shell/canvas.h"
#include "shell/document_file.h"
#include "shell/main_window.h"
#include "shell/page_store.h"
#include "shell/painter.h"
#include "shell/settings.h"
#include "tests/shell/run_program.h"

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
      {&aboutBusy, 1048, "Autor"},
      {&textPropertiesDialogOpen, 1049, "Propiedades Texto"},
      {&configurationDialogOpen, 1058, "Configuracion"},
      {&imageSizeDialogOpen, 1059, "Tama\xF1o Imagenes"},
      {&alignedTextDialogOpen, 1068, "Insertar texto alineado"},
      {&alignedTextDialogOpen, 1095, "Insertar texto alineado"},
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
    scrollOffset() = -200;
    ChooseMenu(w, 1046);
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
    ChooseMenu(w, 1057);
    EXPECT_EQ(objectCount, 1);
    EXPECT_EQ(desktop::SoundsRequested().size(), soundsBefore);
    AddShape(100, 100);
    FullRepaint();
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 120, 115), 0xFF0000);
    ChooseMenu(w, 1057);
    EXPECT_EQ(objectCount, 1);
    EXPECT_NE(gfx::Pixel(*pageBitmap, 120, 115), 0xFF0000) << "the dropped object is not drawn";
    ASSERT_EQ(desktop::SoundsRequested().size(), soundsBefore + 1);
    EXPECT_EQ(desktop::SoundsRequested().back(), 150);
  });
}

TEST(MainWindow, OneRulerOrPaperAtATime) {
  WithMainWindow([](ui::Window w) {
    ChooseMenu(w, 1062);
    EXPECT_EQ(rulerFlags[0], 1);
    EXPECT_TRUE(ui::MenuItemChecked(w, 1062));
    ChooseMenu(w, 1066);
    EXPECT_EQ(rulerFlags[0], 0);
    EXPECT_EQ(rulerFlags[4], 1);
    EXPECT_FALSE(ui::MenuItemChecked(w, 1062));
    EXPECT_TRUE(ui::MenuItemChecked(w, 1066));
    ChooseMenu(w, 1066);
    for (int32_t f : rulerFlags) EXPECT_EQ(f, 0);
    EXPECT_FALSE(ui::MenuItemChecked(w, 1066));
  });
}

TEST(MainWindow, MouseModesMoveTheirCheckMarks) {
  WithMainWindow([](ui::Window w) {
    ChooseMenu(w, 1074);
    EXPECT_EQ(leftMouseMode, kLeftEdit);
    EXPECT_TRUE(ui::MenuItemChecked(w, 1074));
    EXPECT_FALSE(ui::MenuItemChecked(w, 1052));
    ChooseMenu(w, 1053);
    EXPECT_EQ(rightMouseMode, kRightFavourites);
    EXPECT_TRUE(ui::MenuItemChecked(w, 1053));
    EXPECT_FALSE(ui::MenuItemChecked(w, 1054));
    ui::SendMessage(w, ui::Msg::Command, 1051, 0);
    EXPECT_EQ(leftMouseMode, kLeftNone);
    EXPECT_FALSE(ui::MenuItemChecked(w, 1074));
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
    ChooseMenu(w, 1077);
    std::string data;
    files::ReadAll(path, data);
    EXPECT_EQ(data, "viejo");
    EXPECT_EQ(ui::Caption(w), "Veluna");

    ui::testing::AnswerFile(path);
    ui::testing::AnswerMessageBox(ui::Answer::Yes);
    ChooseMenu(w, 1077);
    files::ReadAll(path, data);
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
    ChooseMenu(w, 1077);
    ChooseMenu(w, 1046);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 320, 415), gfx::kWhite);
    ui::testing::AnswerFile(path);
    ChooseMenu(w, 1076);
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
    ChooseMenu(w, 1079);
    EXPECT_STREQ(control.fillText, "");
    EXPECT_EQ(cell.optionMarked, 0);
  });
}

TEST(MainWindow, AFullStoreRefusesInsertions) {
  WithMainWindow([](ui::Window w) {
    objectCount = 500;
    ChooseMenu(w, 1068);
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
      ui::testing::TypeText(d, 31014, "Hola mundo");
      ui::testing::TypeText(d, 31008, "200");
      ui::testing::TypeText(d, 31009, "60");
      ui::testing::Click(d, 31001);
      ui::testing::Click(d, 31018);
    });
    ChooseMenu(w, 1068);
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
    ChooseMenu(w, 1057);
    OnDialog("Insertar texto alineado", [](ui::Window d) {
      ui::testing::TypeText(d, 31014, "Otro");
      ui::testing::TypeText(d, 31008, "100");
      ui::testing::TypeText(d, 31009, "30");
      ui::testing::Click(d, 31001);
      ui::testing::Click(d, 31018);
    });
    ChooseMenu(w, 1068);
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
      ui::testing::Click(d, 7001);
      ui::testing::TypeText(d, 7007, "80");
      ui::testing::TypeText(d, 7008, "40");
      ui::testing::Click(d, 7035);
    });
    ChooseMenu(w, 1070);
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
    ChooseMenu(w, 1077);
    ChooseMenu(w, 1046);
    ui::testing::AnswerFile(path);
    ChooseMenu(w, 1076);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 240, 320), inside);
  });
}

TEST(MainWindow, ClosingTheInsertDialogsInsertsNothing) {
  struct Case { int command; const char* caption; };
  const Case cases[] = {
      {1061, "Configurador de mes"}, {1070, "Insertar cuadrados y circulos"},
      {1072, "Insertar flechas"},    {1087, "keyboard"},
      {1088, "Etiqueta esquinas"},   {1068, "Insertar texto alineado"},
      {1069, "Texto a Insertar"},
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
