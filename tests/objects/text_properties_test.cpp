#include "objects/text_properties.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/font_combos.h"
#include "dialogs/text_style_controls.h"
#include "objects/aligned_text_dialog.h"
#include "objects/colours.h"
#include "objects/object_combo_item.h"
#include "page/aligned_text.h"
#include "page/page_store.h"
#include "page/shared_helpers.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::AnswerColour;
using ui::testing::ChooseListItem;
using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;
using namespace text_properties_ids;

constexpr const char* kCaption = "Propiedades Texto";
constexpr gfx::Colour kRed = 0x0000FF;
constexpr gfx::Colour kBlue = 0xFF0000;

int LineOf(ui::Window w, int id, const std::string& text) {
  for (int i = 0; i < ui::ListCount(w, id); ++i)
    if (ui::ListText(w, id, i) == text) return i;
  return -1;
}

class TextPropertiesTest : public dialogtest::DialogTest {
 protected:
  TextPropertiesTest() : DialogTest({&textPropertiesDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    textBackColour = workingTextBackColour = gfx::kWhite;
    textForeColour = workingTextForeColour = gfx::kBlack;
    textFontName = workingTextFontName = "Times New Roman";
    textFontSize = workingTextFontSize = 10;
    acceptedTextStyleBits = textStyleBits = {};
    textBackTransparent = textAngleOn = 0;
    textAngle = 0;
    pickedColour = 0;
    textPropertiesDialogOpen = 1;
  }
};

TEST_F(TextPropertiesTest, CancelarLeavesEveryInsertAsItWas) {
  OnDialog(kCaption, [](ui::Window w) {
    ChooseListItem(w, kStyle.face, LineOf(w, kStyle.face, "Arial"));
    ChooseListItem(w, kStyle.size, LineOf(w, kStyle.size, "24"));
    Click(w, kStyle.bold);
    EXPECT_EQ(workingTextFontName, "Arial");
    EXPECT_EQ(workingTextFontSize, 24);
    EXPECT_EQ(GetTextStyleFlags(), kStyleBold);
    Click(w, kStyle.cancelar);
  });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textFontName, "Times New Roman");
  EXPECT_EQ(workingTextFontName, "Times New Roman");
  EXPECT_EQ(textFontSize, 10);
  EXPECT_EQ(workingTextFontSize, 10);
  EXPECT_EQ(GetTextStyleFlags(), 0);

  textPropertiesDialogOpen = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_FALSE(ui::Checked(w, kStyle.bold));
    EXPECT_EQ(ui::Text(w, kStyle.size), "10");
    EXPECT_EQ(ui::Text(w, kStyle.face), "Times New Roman");
    ui::testing::CloseBox(w);
  });
  ShowTextPropertiesDialog(nullptr);
}

TEST_F(TextPropertiesTest, AceptarAppliesFaceSizeStyleAndColoursToTheNextInsert) {
  OnDialog(kCaption, [](ui::Window w) {
    ChooseListItem(w, kStyle.face, LineOf(w, kStyle.face, "Arial"));
    ChooseListItem(w, kStyle.size, LineOf(w, kStyle.size, "20"));
    Click(w, kStyle.bold);
    Click(w, kStyle.underline);
    AnswerColour(kRed);
    Click(w, kStyle.foreChooser);   // text colour
    // The preview shows the working properties at once.
    EXPECT_GT(ink::CountColour(ui::ControlSurface(w, kStyle.preview), kRed), 0);
    AnswerColour(-1);
    Click(w, kStyle.backChooser);   // background chooser cancelled: no change
    Click(w, kStyle.aceptar);
  });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textFontName, "Arial");
  EXPECT_EQ(textFontSize, 20);
  EXPECT_EQ(GetTextStyleFlags(), kStyleBold | kStyleUnderline);
  EXPECT_EQ(textForeColour, kRed);
  EXPECT_EQ(workingTextForeColour, kRed);
  EXPECT_EQ(textBackColour, gfx::kWhite);

  // An insert makes its font and colours from these.
  gfx::Surface* page = gfx::MakeBitmap(400, 2000);
  const gfx::FontKey font = MakeSystemFont(textFontName, textFontSize, GetTextStyleFlags());
  EXPECT_EQ(gfx::FontOf(font).styleFlags, kStyleBold | kStyleUnderline);
  EXPECT_EQ(gfx::FontOf(font).points, 20);
  alignedTextWidth = 380;
  DrawAlignedText(*page, "Texto", kAlignLeft, 10, 10, font, textForeColour, textBackColour);
  EXPECT_GT(ink::CountColour(*page, kRed), 0);
  gfx::ReleaseBitmap(page);
}

TEST_F(TextPropertiesTest, FacesLongerThanTheFieldAreCutOnAcceptance) {
  textFontName = workingTextFontName = std::string(300, 'F');
  OnDialog(kCaption, [](ui::Window w) { Click(w, kStyle.aceptar); });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textFontName, std::string(259, 'F'));
}

TEST_F(TextPropertiesTest, TransparentOffGivesWhiteAndOnGreysTheWholeBackgroundRow) {
  textBackColour = kBlue;
  pickedColour = kRed;
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, kTransparent);
    EXPECT_EQ(workingTextBackColour, gfx::kTransparent);
    for (int id : {kStyle.backLabel, kStyle.backChooser, kStyle.backSwatch})
      EXPECT_FALSE(ui::Enabled(w, id)) << id;
    // Greyed: a picked colour cannot make the background opaque again.
    Click(w, kStyle.backSwatch);
    EXPECT_EQ(workingTextBackColour, gfx::kTransparent);
    Click(w, kTransparent);
    EXPECT_EQ(workingTextBackColour, gfx::kWhite);
    for (int id : {kStyle.backLabel, kStyle.backChooser, kStyle.backSwatch})
      EXPECT_TRUE(ui::Enabled(w, id)) << id;
    Click(w, kStyle.aceptar);
  });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textBackColour, gfx::kWhite);
  EXPECT_EQ(textBackTransparent, 0);
}

TEST_F(TextPropertiesTest, SwatchesTakeThePickedColour) {
  pickedColour = kBlue;
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, kStyle.backSwatch);
    Click(w, kStyle.aceptar);
  });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textBackColour, kBlue);
}

TEST_F(TextPropertiesTest, TheAngleIsReadOnAcceptanceAndClamped) {
  struct Case {
    const char* typed;
    bool on;
    int16_t angle;
  };
  const Case cases[] = {{"45", true, 45}, {"", true, 0}, {"70000", true, 32767}, {"45", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    textAngleOn = 0;
    textAngle = 0;
    textPropertiesDialogOpen = 1;
    OnDialog(kCaption, [&](ui::Window w) {
      EXPECT_FALSE(ui::Enabled(w, kAngle));
      Click(w, kAngleOn);
      TypeText(w, kAngle, c.typed);
      if (!c.on) {
        Click(w, kAngleOn);
        EXPECT_EQ(ui::Text(w, kAngle), "");
      }
      Click(w, kStyle.aceptar);
    });
    ShowTextPropertiesDialog(nullptr);
    EXPECT_EQ(textAngleOn, c.on ? 1 : 0);
    EXPECT_EQ(textAngle, c.angle);
  }
}

TEST_F(TextPropertiesTest, CancelarAlsoGivesBackTheTransparencyAndAngleSwitches) {
  textAngleOn = 1;
  textAngle = 30;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kAngle), "30");
    Click(w, kTransparent);
    Click(w, kAngleOn);
    EXPECT_EQ(textAngle, 0);
    Click(w, kStyle.cancelar);
  });
  ShowTextPropertiesDialog(nullptr);
  EXPECT_EQ(textBackTransparent, 0);
  EXPECT_EQ(textAngleOn, 1);
  EXPECT_EQ(textAngle, 30);
  EXPECT_EQ(workingTextBackColour, gfx::kWhite);
}

TEST_F(TextPropertiesTest, TheSizeComboRunsFromSixToSeventy) {
  struct Case {
    int16_t size;
    int line;
  };
  for (Case c : {Case{10, 4}, Case{6, 0}, Case{70, 64}, Case{0, -1}, Case{71, -1}}) {
    SCOPED_TRACE(c.size);
    textFontSize = c.size;
    textPropertiesDialogOpen = 1;
    OnDialog(kCaption, [&](ui::Window w) {
      ASSERT_EQ(ui::ListCount(w, kStyle.size), 65);
      EXPECT_EQ(ui::ListText(w, kStyle.size, 0), "06");
      EXPECT_EQ(ui::ListText(w, kStyle.size, 3), "09");
      EXPECT_EQ(ui::ListText(w, kStyle.size, 64), "70");
      EXPECT_EQ(ui::ListSelection(w, kStyle.size), c.line);
      Click(w, kStyle.cancelar);
    });
    ShowTextPropertiesDialog(nullptr);
  }
}

TEST(TextStyleFlagsTest, OnlyFlagsThatAreExactlyOneCount) {
  struct Case {
    std::array<int32_t, 5> bits;
    int32_t flags;
  };
  const Case cases[] = {
      {{1, 0, 0, 0, 0}, 1}, {{0, 1, 0, 0, 0}, 2}, {{0, 0, 1, 0, 0}, 4}, {{0, 0, 0, 1, 0}, 8},
      {{0, 0, 0, 0, 1}, 16}, {{1, 1, 1, 1, 1}, 31}, {{2, 1, -1, 0, 0}, 2}, {{0, 0, 0, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StyleFlagsOf(c.bits), c.flags);
    textStyleBits = c.bits;
    EXPECT_EQ(GetTextStyleFlags(), c.flags);
  }
  textStyleBits = {};
}

TEST(FontComboTest, EachFaceIsDrawnInItsOwnFaceAndTheSelectionHighlighted) {
  gfx::Surface* s = gfx::MakeBitmap(200, 24);
  ui::DrawItemInfo item{kStyle.face, 0, false, false, s, 200, 24, "Arial"};
  DrawFontComboItem(item);
  const gfx::Colour window = ui::SystemColourOf(ui::SystemColour::Window);
  EXPECT_FALSE(ink::InkBox(*s, 0, 0, 199, 23, window).Empty());
  EXPECT_EQ(gfx::FontOf(gfx::SelectedFont(*s)).face, "Arial");
  EXPECT_EQ(gfx::FontOf(gfx::SelectedFont(*s)).points, 12);

  item.selected = true;
  DrawFontComboItem(item);
  EXPECT_GT(ink::CountColour(*s, ui::SystemColourOf(ui::SystemColour::Highlight)), 200 * 24 / 2);

  gfx::Clear(*s, gfx::kWhite);
  item.index = -1;
  DrawFontComboItem(item);
  EXPECT_TRUE(ink::InkBox(*s).Empty());
  gfx::ReleaseBitmap(s);
}

TEST_F(TextPropertiesTest, TheFaceComboOffersEveryInstalledFace) {
  OnDialog(kCaption, [](ui::Window w) {
    const std::vector<std::string> faces = gfx::InstalledFaces();
    ASSERT_EQ(ui::ListCount(w, kStyle.face), static_cast<int>(faces.size()));
    for (const std::string& face : faces) EXPECT_GE(LineOf(w, kStyle.face, face), 0) << face;
    EXPECT_GE(LineOf(w, kStyle.face, "Times New Roman"), 0);
    Click(w, kStyle.cancelar);
  });
  ShowTextPropertiesDialog(nullptr);
  // A face's fonts take its character set.
  EXPECT_EQ(gfx::FontOf(CreateFontByFaceName("Symbol", 12, 0, false, false)).charset, 2);
  const gfx::FontSpec arial = gfx::FontOf(CreateFontByFaceName("Arial", 12, 700, true, true));
  EXPECT_EQ(arial.charset, 0);
  EXPECT_EQ(arial.styleFlags, kStyleBold | kStyleItalic | kStyleUnderline);
}

TEST(FontComboTest, ObjectLinesAreDrawnInTheFontOfTheSlotTheyName) {
  // Slot 3 was deleted, so the list's second line is slot 4.
  pageObjects = {};
  pageObjects[2].kind = kAlignedText;
  std::snprintf(pageObjects[2].fontName, sizeof pageObjects[2].fontName, "Arial");
  pageObjects[4].kind = kAlignedText;
  std::snprintf(pageObjects[4].fontName, sizeof pageObjects[4].fontName, "Courier New");
  gfx::Surface* s = gfx::MakeBitmap(200, 24);
  struct Case {
    const char* line;
    const char* face;
  };
  for (Case c : {Case{"004 - segundo ...", "Courier New"}, Case{"002 - primero ...", "Arial"},
                 Case{"003 - borrado ...", "MS Sans Serif"}, Case{"999 - fuera ...", "MS Sans Serif"}}) {
    ui::DrawItemInfo item{7701, 1, false, false, s, 200, 24, c.line};
    DrawObjectComboItem(item);
    EXPECT_EQ(gfx::FontOf(gfx::SelectedFont(*s)).face, c.face) << c.line;
  }
  gfx::ReleaseBitmap(s);
  pageObjects = {};
}

}  // namespace
