#include "page/corner_marks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "objects/colours.h"
#include "objects/corner_marks_dialog.h"
#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::Click;
using ui::testing::OnDialog;

constexpr gfx::Colour kRed = 0x0000FF;
constexpr const char* kCaption = "Etiqueta esquinas";
using namespace corner_mark_ids;

// The mark the dialog previews: 73 x 21 mm (276 x 79 pixels) at (10, 10).
constexpr int kX = 10, kY = 10, kW = 276, kH = 79, kA = kW / 3, kB = kH / 3;

void DrawStyle(gfx::Surface& s, int showText, int showShadow, int showCorners, gfx::Colour colour = kRed,
               const char* face = "Tahoma") {
  ClearGraphicTarget(s);
  DrawCornerMark(s, kX, kY, kW, kH, 1, colour, "C\xF3" "digo de barras", face, 8, 0, 133, showText, showShadow,
                 showCorners);
}

class CornerMarkTest : public ::testing::Test {
 protected:
  void SetUp() override { page = gfx::MakeBitmap(772, 236); }
  void TearDown() override { gfx::ReleaseBitmap(page); }
  gfx::Surface* page = nullptr;
};

TEST_F(CornerMarkTest, CornersRunAThirdOfEachSideInwardFromEachCorner) {
  DrawStyle(*page, 0, 0, 1);
  EXPECT_EQ(kA, 92);
  EXPECT_EQ(kB, 26);
  const int l = kX, t = kY, r = kX + kW, b = kY + kH;
  // Each corner: its horizontal leg a long, its vertical leg b long, nothing past them.
  struct Corner {
    int x, y, dx, dy;
  };
  for (const Corner& c : {Corner{l, t, 1, 1}, Corner{r, t, -1, 1}, Corner{l, b, 1, -1}, Corner{r, b, -1, -1}}) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(gfx::Pixel(*page, c.x, c.y), kRed);
    EXPECT_EQ(gfx::Pixel(*page, c.x + c.dx * kA, c.y), kRed);
    EXPECT_EQ(gfx::Pixel(*page, c.x + c.dx * (kA + 2), c.y), gfx::kWhite);
    EXPECT_EQ(gfx::Pixel(*page, c.x, c.y + c.dy * kB), kRed);
    EXPECT_EQ(gfx::Pixel(*page, c.x, c.y + c.dy * (kB + 2)), gfx::kWhite);
  }
  EXPECT_EQ(ink::CountColour(*page, kRed), 4 * (kA + kB + 1));
}

TEST_F(CornerMarkTest, TheFourStylesDrawTheirParts) {
  const gfx::Colour shadow = gfx::Rgb(247, 247, 247), caption = gfx::Rgb(202, 202, 202);
  struct Case {
    int style, text, shadow, corners;
  };
  const Case cases[] = {{1, 1, 1, 1}, {2, 1, 0, 1}, {3, 0, 1, 1}, {4, 1, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    DrawStyle(*page, c.text, c.shadow, c.corners);
    EXPECT_EQ(gfx::Pixel(*page, kX, kY) == kRed, c.corners == 1);
    EXPECT_EQ(gfx::Pixel(*page, kX + kW, kY + kH) == kRed, c.corners == 1);
    // The shadow fills inside a near-white outline one pixel in.
    EXPECT_EQ(gfx::Pixel(*page, kX + 5, kY + kH - 5) == shadow, c.shadow == 1);
    EXPECT_EQ(gfx::Pixel(*page, kX + kW / 2, kY + 1) == 0xFFFFFE, c.shadow == 1);
    EXPECT_EQ(ink::CountColour(*page, caption) > 20, c.text == 1);
    // Nothing outside the rectangle.
    EXPECT_TRUE(ink::InkBox(*page, kX + kW + 1, 0, 771, 235).Empty());
    EXPECT_TRUE(ink::InkBox(*page, 0, kY + kH + 1, 771, 235).Empty());
  }
}

TEST_F(CornerMarkTest, TheCaptionIsCentredGreyWithItsTopAThirdDownLessThree) {
  DrawStyle(*page, 1, 0, 0, gfx::Rgb(0, 160, 0));
  const gfx::Colour caption = gfx::Rgb(202, 202, 202);
  const ink::Box text = ink::InkBox(*page);
  ASSERT_FALSE(text.Empty());
  EXPECT_GE(text.top, kY + kB - 3);
  EXPECT_LE(text.top, kY + kB - 3 + 6);
  EXPECT_NEAR((text.left + text.right) / 2.0, kX + kW / 2.0, 4);
  EXPECT_GT(ink::CountColour(*page, caption), 20);
  // The chosen colour reaches only the corner lines.
  EXPECT_EQ(ink::CountColour(*page, gfx::Rgb(0, 160, 0)), 0);
  DrawStyle(*page, 1, 1, 1, gfx::Rgb(0, 160, 0));
  EXPECT_EQ(ink::CountColour(*page, gfx::Rgb(0, 160, 0)), 4 * (kA + kB + 1));
}

TEST_F(CornerMarkTest, DegenerateSizesDrawWithoutHarm) {
  ClearGraphicTarget(*page);
  DrawCornerMark(*page, 50, 50, 0, 0, 1, kRed, "x", "Tahoma", 8, 0, 133, 1, 1, 1);
  DrawCornerMark(*page, 50, 50, -40, 2000000000, 1, kRed, "", "", 8, 0, 133, 1, 1, 1);
  DrawCornerMark(*page, 2147483647, 2147483647, 2147483647, 2147483647, 1, kRed, "y", "Tahoma", 0, 0, 133, 1, 1, 1);
  SUCCEED();
}

// A mark read back from a document draws as it was inserted; one from before the face was
// kept (an empty face) draws in the same face.
TEST_F(CornerMarkTest, AStoredMarkDrawsAsInserted) {
  cornerMarkText = "Firma";
  cornerMarkWidthMm = 50;
  cornerMarkHeightMm = 30;
  cornerMarkColour = gfx::Rgb(0, 0, 128);
  cornerMarkShowText = 1;
  cornerMarkShowShadow = 0;
  cornerMarkShowCorners = 1;
  ClearGraphicTarget(*page);
  DrawCornerMarkAt(*page, 20, 30);
  PageObject o{};
  o.x = 20;
  o.y = 30;
  o.kind = kCornerMarks;
  StoreCornerMarkSettings(o);
  EXPECT_EQ(o.width, 189);
  EXPECT_EQ(o.height, 113);
  EXPECT_EQ(o.penWidth, 1);
  EXPECT_EQ(o.backColor, gfx::Rgb(0, 0, 128));
  EXPECT_STREQ(o.text, "Firma");
  EXPECT_STREQ(o.fontName, "Tahoma");
  EXPECT_EQ(o.optionFlag1, 1);
  EXPECT_EQ(o.optionFlag2, 0);
  EXPECT_EQ(o.optionFlag3, 1);

  gfx::Surface* painted = gfx::MakeBitmap(772, 236);
  for (bool emptyFace : {false, true}) {
    SCOPED_TRACE(emptyFace);
    if (emptyFace) std::memset(o.fontName, 0, sizeof o.fontName);
    ClearGraphicTarget(*painted);
    DrawCornerMarkObject(*painted, o);
    EXPECT_TRUE(ink::SamePixels(*page, *painted));
  }
  gfx::ReleaseBitmap(painted);
}

class CornerMarkDialogTest : public dialogtest::DialogTest {
 protected:
  CornerMarkDialogTest() : DialogTest({&cornerDialogOpen}, &cornerPreviewBitmap) {}
  void SetUp() override {
    DialogTest::SetUp();
    cornerDialogOpen = 1;
    cornerDialogAccepted = 1;   // a stale 1 from an earlier run
    cornerMarkText = "viejo";
    cornerMarkWidthMm = 5;
    cornerMarkShowShadow = 0;
    pickedColour = -1;
  }
};

TEST_F(CornerMarkDialogTest, OpensOnTheStartValuesWithTheirPreview) {
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::ListCount(w, kStyle), 4);
    EXPECT_EQ(ui::Text(w, kStyle), "01 - Esquina completa");
    EXPECT_EQ(ui::Text(w, kText), "C\xF3" "digo de barras");
    EXPECT_EQ(numbers::NumericValueOfText(ui::Text(w, kWidth)), 73);
    EXPECT_EQ(numbers::NumericValueOfText(ui::Text(w, kHeight)), 21);
    gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_EQ(gfx::Pixel(preview, kX, kY), kRed);
    EXPECT_EQ(gfx::Pixel(preview, kX + kW, kY + kH), kRed);
    EXPECT_EQ(gfx::Pixel(preview, kX + kW + 3, kY + kH), gfx::kWhite);
    EXPECT_GT(ink::CountColour(preview, gfx::Rgb(202, 202, 202)), 20);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kSwatch), 5, 5), kRed);
    ui::testing::CloseBox(w);
  });
  ShowCornerMarkDialog(nullptr);
  // Esc and the close box are "Cancelar", whatever an earlier opening left.
  EXPECT_EQ(cornerDialogAccepted, 0);
  EXPECT_EQ(cornerMarkText, "C\xF3" "digo de barras");
  EXPECT_EQ(cornerMarkWidthMm, 73);
  EXPECT_EQ(cornerMarkHeightMm, 21);
  EXPECT_EQ(cornerMarkShowShadow, 1);
}

TEST_F(CornerMarkDialogTest, AceptarTakesTheLastRenderAndTheLastStyle) {
  ui::testing::AnswerColour(gfx::Rgb(0, 128, 0));
  OnDialog(kCaption, [](ui::Window w) {
    ui::testing::TypeText(w, kText, "Sello");
    ui::testing::TypeText(w, kWidth, "40");
    ui::testing::TypeText(w, kHeight, "20");
    Click(w, kRender);
    gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    const int w40 = numbers::MillimetresToPixels(40);
    EXPECT_EQ(gfx::Pixel(preview, kX + w40, kY), kRed);
    EXPECT_EQ(gfx::Pixel(preview, kX + kW, kY), gfx::kWhite);
    // Typed but not rendered: not taken.
    ui::testing::TypeText(w, kText, "Otro");
    ui::testing::TypeText(w, kWidth, "90");
    // The style takes effect without a render, and without redrawing the preview.
    ui::testing::ChooseListItem(w, kStyle, 3);
    EXPECT_EQ(gfx::Pixel(preview, kX, kY), kRed);
    Click(w, kColour);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kSwatch), 5, 5), gfx::Rgb(0, 128, 0));
    Click(w, kAceptar);
  });
  ShowCornerMarkDialog(nullptr);
  EXPECT_EQ(cornerDialogAccepted, 1);
  EXPECT_EQ(cornerMarkText, "Sello");
  EXPECT_EQ(cornerMarkWidthMm, 40);
  EXPECT_EQ(cornerMarkHeightMm, 20);
  EXPECT_EQ(cornerMarkColour, gfx::Rgb(0, 128, 0));
  EXPECT_EQ(cornerMarkShowText, 1);
  EXPECT_EQ(cornerMarkShowShadow, 1);
  EXPECT_EQ(cornerMarkShowCorners, 0);
}

TEST_F(CornerMarkDialogTest, OversizedMillimetresSaturate) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::testing::TypeText(w, kWidth, "99999999999");
    ui::testing::TypeText(w, kHeight, "");
    pickedColour = 0x00A0A0;
    Click(w, kSwatch);
    Click(w, kRender);
    Click(w, kCancelar);
  });
  ShowCornerMarkDialog(nullptr);
  EXPECT_EQ(cornerDialogAccepted, 0);
  EXPECT_EQ(cornerMarkWidthMm, 32767);
  EXPECT_EQ(cornerMarkHeightMm, 0);
  EXPECT_EQ(CornerMarkWidthPixels(), 32767);
  EXPECT_EQ(CornerMarkHeightPixels(), 0);
  EXPECT_EQ(cornerMarkColour, 0x00A0A0);
}

}  // namespace
