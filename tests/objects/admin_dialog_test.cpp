#include "objects/admin_controls_dialog.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "dialogs/fill_text_properties.h"
#include "objects/colours.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;

constexpr const char* kCaption = "Objetos para impreso";
using namespace admin_dialog_ids;

class AdminDialogTest : public dialogtest::DialogTest {
 protected:
  AdminDialogTest() : DialogTest({&adminDialogOpen}, &adminPreviewBitmap) {}
  void SetUp() override {
    DialogTest::SetUp();
    files::DeleteFile(AdminControlsPath());
    for (int s = 1; s <= kAdminStyleCount; ++s) adminStylePresets[s] = DefaultAdminStylePreset(s);
    currentAdminStyle = 1;
    textFontName = workingTextFontName = "Arial";
    textFontSize = workingTextFontSize = 12;
    pickedColour = -1;
    adminDialogOpen = 0;
    adminDialogAccepted = 0;
  }
  // As the insert handler opens it.
  static int Run() {
    adminDialogOpen = 1;
    return ShowAdminControlDialog(nullptr);
  }
};

TEST_F(AdminDialogTest, EachStyleGreysTheFieldsItDoesNotUse) {
  const int ids[] = {kText, kAreaWidth, kAreaHeight, kCellWidth, kPen, kCount, kSpacing, kLabelVisible, kRound, kJustified};
  // E enabled, - greyed, in the order of `ids`.
  const char* rows[] = {
      "EEEEE--E-E",   // 01 Etiqueta Celda Cerrada
      "EEEEE--E-E",   // 02 Etiqueta Celda Abierta
      "EEEEEEEE-E",   // 03 Etiqueta Celdillas Cerradas
      "EEEEEEEE-E",   // 04 Etiqueta Celdillas Abiertas
      "EEEEE----E",   // 05 Etiqueta Linea
      "EEE-----EE",   // 06 Etiqueta Celda Opcion
      "EEE-E-----",   // 07 Etiqueta Interior Celda Cerrada
      "EEE-E-----",   // 08 Etiqueta Exterior Celda Cerrada
      "E--EE----E",   // 09 Linea Etiqueta
      "EEEEE--E-E",   // 10 Etiqueta Texto
  };
  OnDialog(kCaption, [&](ui::Window w) {
    ASSERT_EQ(ui::ListCount(w, kStyleCombo), 10);
    // From the last style back to the first, so every step changes the combo's choice.
    for (int style = 10; style >= 1; --style) {
      SCOPED_TRACE(style);
      ui::testing::ChooseListItem(w, kStyleCombo, style - 1);
      EXPECT_EQ(currentAdminStyle, style);
      EXPECT_EQ(ui::Text(w, kText), AdminPresetText(adminStylePresets[style]));
      for (size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(ui::Enabled(w, ids[i]), rows[style - 1][i] == 'E') << ids[i];
    }
    Click(w, kCancelar);
  });
  Run();
}

TEST_F(AdminDialogTest, TheDialogOpensOnTheCurrentStyleWithItsPresetAndPreview) {
  currentAdminStyle = 7;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(adminDialogOpen, 1);
    EXPECT_EQ(ui::Text(w, kStyleCombo), "07 - Etiqueta Interior Celda Cerrada");
    EXPECT_EQ(ui::Text(w, kText), "Apellidos Cliente");
    EXPECT_EQ(ui::Text(w, kAreaWidth), " 500");
    EXPECT_EQ(ui::Text(w, kAreaHeight), " 50");
    // Style 7 is left-aligned: opening on "Derecha" does not change it.
    EXPECT_TRUE(ui::Checked(w, kLeft));
    EXPECT_FALSE(ui::Checked(w, kRight));
    EXPECT_EQ(adminStylePresets[7].alignment, kAlignLeft);
    EXPECT_TRUE(ui::Checked(w, kLabelVisible));
    // The preview: the box from (5, 25) to (505, 75) in the preset's black.
    const gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_EQ(gfx::Width(preview), 794);
    EXPECT_EQ(gfx::Height(preview), 160);
    EXPECT_EQ(gfx::Pixel(preview, 5, 50), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(preview, 505, 50), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(preview, 300, 70), gfx::kWhite);
    Click(w, kCancelar);
  });
  Run();
  EXPECT_EQ(adminDialogAccepted, 0);
}

TEST_F(AdminDialogTest, RenderizarReadsTheFieldsIntoTheChosenStyleAndRedraws) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::testing::ChooseListItem(w, kStyleCombo, 2);
    TypeText(w, kText, "Tel\xE9" "fono m\xF3vil");
    TypeText(w, kAreaWidth, "100");
    TypeText(w, kAreaHeight, "");
    TypeText(w, kCellWidth, "20");
    TypeText(w, kPen, "2");
    TypeText(w, kCount, "99999999999");
    TypeText(w, kSpacing, "99999");
    Click(w, kLabelVisible);
    Click(w, kRound);   // greyed for this style: no effect
    Click(w, kRenderizar);
    const AdminStylePreset& p = adminStylePresets[3];
    EXPECT_EQ(AdminPresetText(p), "Tel\xE9" "fono m\xF3vil");
    EXPECT_EQ(p.labelAreaWidth, 100);
    EXPECT_EQ(p.labelAreaHeight, 0);   // an empty field stores 0
    EXPECT_EQ(p.cellWidth, 20);
    EXPECT_EQ(p.penWidth, 2);
    EXPECT_EQ(p.cellCount, kAdminMaxCellCount);
    EXPECT_EQ(p.cellSpacing, kAdminMaxSize);
    EXPECT_EQ(p.labelVisible, 0);
    EXPECT_EQ(p.optionShape, 0);
    EXPECT_EQ(ui::Text(w, kCount), " 10000");
    // No label now: the first cell starts at the preview's x of 5.
    const gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_EQ(gfx::Pixel(preview, 5, 25), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(preview, 25, 25), gfx::kBlack);
    Click(w, kCancelar);
  });
  Run();
  // Nothing reached the file.
  EXPECT_FALSE(files::FileExists(AdminControlsPath()));
}

TEST_F(AdminDialogTest, AceptarSavesThePresetsAndTellsTheCallerToInsert) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::testing::ChooseListItem(w, kStyleCombo, 5);
    TypeText(w, kText, "Casado");
    Click(w, kCentre);
    Click(w, kAceptar);
  });
  EXPECT_EQ(Run(), ui::kOk);
  EXPECT_EQ(adminDialogAccepted, 1);
  EXPECT_EQ(currentAdminStyle, 6);
  EXPECT_EQ(AdminObjectKind(currentAdminStyle), kAdminOptionCell);
  EXPECT_EQ(AdminPresetText(adminStylePresets[6]), "Casado");
  for (int s = 1; s <= kAdminStyleCount; ++s) adminStylePresets[s] = DefaultAdminStylePreset(s);
  LoadSaveAdminStylePresets("get");
  EXPECT_EQ(AdminPresetText(adminStylePresets[6]), "Casado");
  EXPECT_EQ(adminStylePresets[6].alignment, kAlignCentre);
}

TEST_F(AdminDialogTest, AFailedSaveOnAceptarIsShownAndKeepsTheFile) {
  ASSERT_EQ(InitAdminStylePresets(), "");
  const std::string before = testfiles::ReadRaw(AdminControlsPath());
  OnDialog(kCaption, [](ui::Window w) {
    TypeText(w, kText, "Casado");
    files::testing::FailureScope full(files::testing::Step::Write, ENOSPC, 100);
    Click(w, kAceptar);
  });
  EXPECT_EQ(Run(), ui::kOk);
  ASSERT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(ui::testing::MessagesShown()[0].text, files::ErrorText(ENOSPC));
  EXPECT_EQ(ui::testing::MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(testfiles::ReadRaw(AdminControlsPath()), before);
  EXPECT_EQ(AdminPresetText(adminStylePresets[1]), "Casado") << "kept in memory";
}

TEST_F(AdminDialogTest, CancelarKeepsAnAlignmentInMemoryButNotInTheFile) {
  InitAdminStylePresets();
  const std::string before = testfiles::ReadRaw(AdminControlsPath());
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, kCentre);
    TypeText(w, kText, "no se guarda");
    Click(w, kCancelar);
  });
  EXPECT_EQ(Run(), ui::kCancel);
  EXPECT_EQ(adminDialogAccepted, 0);
  EXPECT_EQ(adminStylePresets[1].alignment, kAlignCentre);
  EXPECT_EQ(AdminPresetText(adminStylePresets[1]), "Apellidos Cliente");
  EXPECT_EQ(testfiles::ReadRaw(AdminControlsPath()), before);
}

TEST_F(AdminDialogTest, TheCloseBoxCancelsAndFreesTheCommand) {
  OnDialog(kCaption, [](ui::Window w) { ui::testing::CloseBox(w); });
  Run();
  EXPECT_EQ(adminDialogAccepted, 0);
  // A stale accepted flag never inserts twice.
  adminDialogAccepted = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(adminDialogAccepted, 0);
    ui::testing::CloseBox(w);
  });
  Run();
  EXPECT_EQ(adminDialogAccepted, 0);
}

TEST_F(AdminDialogTest, TheColourComesFromThePickedColourOrTheChooser) {
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, kSwatch);   // nothing picked yet
    EXPECT_EQ(adminStylePresets[1].colour, 0);
    pickedColour = 0x00FF00;
    Click(w, kSwatch);
    EXPECT_EQ(adminStylePresets[1].colour, 0x00FF00);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kSwatch), 5, 5), 0x00FF00);
    ui::testing::AnswerColour(-1);
    Click(w, kChooser);
    EXPECT_EQ(adminStylePresets[1].colour, 0x00FF00);
    ui::testing::AnswerColour(0x0000FF);
    Click(w, kChooser);
    EXPECT_EQ(adminStylePresets[1].colour, 0x0000FF);
    Click(w, kRenderizar);
    // The label and the box are drawn in it.
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kPreview), 117, 35), 0x0000FF);
    Click(w, kCancelar);
  });
  Run();
}

TEST_F(AdminDialogTest, ADamagedCurrentStyleOpensOnTheFirst) {
  currentAdminStyle = 42;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::ListSelection(w, kStyleCombo), 0);
    Click(w, kAceptar);
  });
  Run();
  EXPECT_EQ(currentAdminStyle, 1);
}

TEST_F(AdminDialogTest, TheInsertTakesThePresetAndTheTextAndFillProperties) {
  currentAdminStyle = 3;
  SetAdminPresetText(adminStylePresets[3], "Tel\xE9" "fono");
  adminStylePresets[3].colour = 0x123456;
  textFontName = "Times New Roman";
  textFontSize = 14;
  acceptedTextStyleBits = textStyleBits = {1, 0, 0, 0, 0};
  fillTextFontName = std::string(60, 'F');
  fillTextFontSize = 11;
  fillTextForeColour = 0x0000FF;
  fillTextBackColour = 0x00FFFF;
  PageObject o{};
  std::memset(&o, 0x5A, sizeof o);   // an undone object's leftovers
  ASSERT_TRUE(StoreAdminSettings(o, 77));
  EXPECT_EQ(o.width, 140);
  EXPECT_EQ(o.height, 20);
  EXPECT_EQ(o.cellWidth, 15);
  EXPECT_EQ(o.penWidth, 1);
  EXPECT_EQ(o.cellCount, 12);
  EXPECT_EQ(o.cellSpacing, 1);
  EXPECT_EQ(o.alignment, kAlignRight);
  EXPECT_EQ(o.labelVisible, 1);
  EXPECT_EQ(o.optionShape, 0);
  EXPECT_EQ(o.foreColor, 0x123456);
  EXPECT_EQ(o.backColor, -2);
  EXPECT_EQ(o.fontHandle, 77);
  EXPECT_EQ(o.fontSize, 14);
  EXPECT_STREQ(o.fontName, "Times New Roman");
  EXPECT_EQ(o.fontStyle, kStyleBold);
  EXPECT_STREQ(o.text, "Tel\xE9" "fono");
  EXPECT_STREQ(o.fillText, "");
  EXPECT_EQ(o.adminStyle, 3);
  EXPECT_EQ(o.fillBackColor, 0x00FFFF);
  EXPECT_EQ(o.fillForeColor, 0x0000FF);
  EXPECT_EQ(std::string(o.fillFontName), std::string(49, 'F'));
  EXPECT_EQ(o.fillFontSize, 11);
  EXPECT_EQ(o.fillBold + o.fillItalic + o.fillUnderline + o.fillStrikeout + o.fillLeading, 0);
  EXPECT_EQ(o.fillAlignment, kAlignLeft);
  EXPECT_EQ(o.fillFontStyle, 0);
  EXPECT_EQ(o.optionMarked, 1);
  EXPECT_EQ(o.controlBackColor, gfx::kWhite);
  currentAdminStyle = 0;
  EXPECT_FALSE(StoreAdminSettings(o, 77));
}

TEST_F(AdminDialogTest, TheInsertDrawsThePresetWhereTheObjectGoes) {
  gfx::Surface* page = gfx::MakeBitmap(794, 300);
  currentAdminStyle = 3;
  DrawNewAdminControl(*page, 40, 100);
  // Twelve cells from 40 + 140 + 2, 16 apart.
  EXPECT_EQ(gfx::Pixel(*page, 182, 110), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(*page, 182 + 11 * 16 + 15, 110), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(*page, 182 + 12 * 16 + 2, 110), gfx::kWhite);
  EXPECT_FALSE(ink::InkBox(*page, 40, 100, 179, 120).Empty());
  // What the painter draws from the stored object is what the insert drew.
  gfx::Surface* again = gfx::MakeBitmap(794, 300);
  PageObject o{};
  o.kind = AdminObjectKind(currentAdminStyle);
  o.x = 40;
  o.y = 100;
  ASSERT_TRUE(StoreAdminSettings(o, 0));
  DrawAdminObject(*again, o);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 794; ++x) ASSERT_EQ(gfx::Pixel(*page, x, y), gfx::Pixel(*again, x, y)) << x << ", " << y;
  gfx::ReleaseBitmap(page);
  gfx::ReleaseBitmap(again);
}

TEST(AdminSettingsTest, ThePainterMakesAStoredStyleCurrentUnlessTheDialogIsOpen) {
  PageObject o{};
  o.kind = kAdminControl;
  o.adminStyle = 9;
  currentAdminStyle = 1;
  adminDialogOpen = 1;
  LoadAdminSettings(o);
  EXPECT_EQ(currentAdminStyle, 1);
  adminDialogOpen = 0;
  LoadAdminSettings(o);
  EXPECT_EQ(currentAdminStyle, 9);
}

}  // namespace
