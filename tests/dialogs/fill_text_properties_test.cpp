#include "dialogs/fill_text_properties.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/picked_colours.h"
#include "dialogs/text_style_controls.h"
#include "page/admin_controls.h"
#include "page/shared_helpers.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::AnswerColour;
using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;
using namespace fill_text_ids;

constexpr const char* kCaption = "Propiedades Texto";
constexpr gfx::Colour kRed = 0x0000FF;

class FillTextPropertiesTest : public dialogtest::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    fillTextBackColour = workingFillTextBackColour = gfx::kWhite;
    fillTextForeColour = workingFillTextForeColour = gfx::kBlack;
    fillTextFontName = workingFillTextFontName = "Times New Roman";
    fillTextFontSize = workingFillTextFontSize = 10;
    acceptedFillStyleBits = fillStyleBits = {};
    fillTextBuffer.clear();
    fillTextUseY = 0;
    fillTextY = 0;
    fillAlignLeftChosen = 1;
    fillAlignRightChosen = fillAlignCentreChosen = 0;
    fillTextAccepted = 1;
    currentAdminStyle = 1;
    pickedColour = 0;
  }
};

TEST(FillTextTest, LineBreaksBecomeBlanksWithinTheField) {
  struct Case {
    std::string typed;
    std::string stored;
  };
  const Case cases[] = {
      {"a\r\nb", "a b"},
      {"a\rb\nc", "a b c"},
      {"\r\n\r\n", "  "},
      {"\r\r\n", "  "},
      {std::string(300, 'z'), std::string(273, 'z')},
      {std::string(272, 'z') + "\r\nx", std::string(272, 'z') + " "},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseFillText(c.typed), c.stored);
}

TEST_F(FillTextPropertiesTest, TheFixedYIsOfferedOnlyForStylesWithCellsAndLines) {
  for (int16_t style = 1; style <= 10; ++style) {
    SCOPED_TRACE(style);
    const bool offered = style <= 4 || style == 7 || style == 8;
    currentAdminStyle = style;
    fillTextUseY = 1;
    fillTextY = 12;
    OnDialog(kCaption, [&](ui::Window w) {
      for (int id : {kUseY, kY, kYLabel}) {
        EXPECT_EQ(ui::Visible(w, id), offered) << id;
        EXPECT_EQ(ui::Enabled(w, id), offered) << id;
      }
      if (offered) {
        EXPECT_EQ(ui::Text(w, kY), " 12");
      }
      Click(w, kStyle.aceptar);
    });
    ShowFillTextPropertiesDialog(nullptr);
    EXPECT_EQ(fillTextAccepted, 1);
    EXPECT_EQ(fillTextY, offered ? 12 : 0);
  }
}

TEST_F(FillTextPropertiesTest, AceptarStoresTextYAlignmentAndTheWorkingProperties) {
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(fillTextAccepted, 0);   // reset at opening
    EXPECT_FALSE(ui::Enabled(w, kY));
    Click(w, kUseY);
    EXPECT_TRUE(ui::Enabled(w, kY));
    TypeText(w, kY, "99999");
    TypeText(w, kText, "uno\r\ndos");
    Click(w, kCentre);
    Click(w, kStyle.italic);
    AnswerColour(kRed);
    Click(w, kStyle.foreChooser);
    EXPECT_GT(ink::CountColour(ui::ControlSurface(w, kStyle.preview), kRed), 0);
    Click(w, kStyle.aceptar);
  });
  ShowFillTextPropertiesDialog(nullptr);
  EXPECT_EQ(fillTextAccepted, 1);
  EXPECT_EQ(fillTextUseY, 1);
  EXPECT_EQ(fillTextY, 32767);   // clamped, not wrapped
  EXPECT_EQ(fillTextBuffer, "uno dos");
  EXPECT_EQ(fillAlignCentreChosen, 1);
  EXPECT_EQ(fillAlignLeftChosen, 0);
  EXPECT_EQ(GetFillTextStyleFlags(), kStyleItalic);
  EXPECT_EQ(StyleFlagsOf(acceptedFillStyleBits), kStyleItalic);
  EXPECT_EQ(fillTextForeColour, kRed);
}

TEST_F(FillTextPropertiesTest, CancelarAndTheCloseBoxLeaveTheObjectAlone) {
  for (bool closeBox : {false, true}) {
    fillTextAccepted = 1;
    OnDialog(kCaption, [&](ui::Window w) {
      TypeText(w, kText, "otro");
      if (closeBox) ui::testing::CloseBox(w);
      else Click(w, kStyle.cancelar);
    });
    ShowFillTextPropertiesDialog(nullptr);
    EXPECT_EQ(fillTextAccepted, 0);
    EXPECT_EQ(fillTextBuffer, "");
  }
}

TEST_F(FillTextPropertiesTest, ATransparentBackgroundPreviewsOnWhiteAndSwatchesTakeOnlyRealColours) {
  fillTextBackColour = gfx::kTransparent;
  pickedColour = -1;
  OnDialog(kCaption, [](ui::Window w) {
    gfx::Surface& preview = ui::ControlSurface(w, kStyle.preview);
    EXPECT_EQ(gfx::Pixel(preview, gfx::Width(preview) - 3, gfx::Height(preview) - 3), gfx::kWhite);
    Click(w, kStyle.backSwatch);
    EXPECT_EQ(workingFillTextBackColour, gfx::kTransparent);
    pickedColour = kRed;
    Click(w, kStyle.backSwatch);
    EXPECT_EQ(workingFillTextBackColour, kRed);
    EXPECT_EQ(fillTextBackColour, kRed);   // a swatch sets both copies
    EXPECT_EQ(gfx::Pixel(preview, gfx::Width(preview) - 3, gfx::Height(preview) - 3), kRed);
    Click(w, kStyle.cancelar);
  });
  ShowFillTextPropertiesDialog(nullptr);
}

}  // namespace
