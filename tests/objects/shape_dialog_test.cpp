#include "objects/shape_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "objects/colours.h"
#include "page/drawers.h"
#include "page/painter.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::AnswerColour;
using ui::testing::ChooseListItem;
using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;

using dialogtest::kMixedSizes;
using dialogtest::kNoSize;
using dialogtest::kSizeTooLarge;

constexpr const char* kCaption = "Insertar cuadrados y circulos";

using namespace shape_ids;

constexpr gfx::Colour kBlue = 0xFF0000;
constexpr gfx::Colour kRed = 0x0000FF;
constexpr gfx::Colour kGreen = 0x00FF00;

// The preview's box runs from (30, 30) to (120, 120); these probe well inside it.
constexpr int kIn0 = 40, kIn1 = 110;

const gfx::Surface& Preview(ui::Window w) { return ui::ControlSurface(w, kPreview); }

class ShapeDialogTest : public dialogtest::DialogTest {
 protected:
  ShapeDialogTest() : DialogTest({&shapeDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    shapeTypeChosen = kShapeSquareOrRectangle;
    shapeRoundedCorners = 0;
    shapeRoundingPercent = 0;
    shapeBorderColour = gfx::kBlack;
    shapeInteriorColour = kBlue;
    shapeTransparentInterior = 0;
    shapeSavedInteriorColour = 0;
    shapeFillStyle = 0;
    shapeLineStyle = 0;
    shapeLineWidth = 1;
    shapeWidth = shapeHeight = 7;
    shapeDialogAccepted = 0;
    pickedColour = -1;
    shapeDialogOpen = 1;
  }
};

// How the interior's colour lies in the probe square.
struct Pattern {
  int fullRows = 0, fullColumns = 0;
  double falling = 0, rising = 0;   // share of coloured pixels whose diagonal neighbour is coloured too
  int coloured = 0, total = 0;
};

Pattern PatternOf(const gfx::Surface& s, gfx::Colour c) {
  Pattern p;
  auto at = [&](int x, int y) { return gfx::Pixel(s, x, y) == c; };
  for (int y = kIn0; y <= kIn1; ++y) {
    bool full = true;
    for (int x = kIn0; x <= kIn1; ++x) full = full && at(x, y);
    p.fullRows += full;
  }
  for (int x = kIn0; x <= kIn1; ++x) {
    bool full = true;
    for (int y = kIn0; y <= kIn1; ++y) full = full && at(x, y);
    p.fullColumns += full;
  }
  int falling = 0, rising = 0;
  for (int y = kIn0; y <= kIn1; ++y)
    for (int x = kIn0; x <= kIn1; ++x) {
      ++p.total;
      if (!at(x, y)) continue;
      ++p.coloured;
      falling += at(x + 1, y + 1);
      rising += at(x + 1, y - 1);
    }
  if (p.coloured > 0) {
    p.falling = static_cast<double>(falling) / p.coloured;
    p.rising = static_cast<double>(rising) / p.coloured;
  }
  return p;
}

TEST_F(ShapeDialogTest, EachFillStyleDrawsItsPatternInTheInteriorColour) {
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::ListCount(w, kFillCombo), 7);
    EXPECT_EQ(ui::ListText(w, kFillCombo, 3), "3 - Lineas Diagonales hacia arriba");
    for (int style = 0; style <= 6; ++style) {
      SCOPED_TRACE(style);
      ChooseListItem(w, kFillCombo, style);
      EXPECT_EQ(shapeFillStyle, style);
      const Pattern p = PatternOf(Preview(w), kBlue);
      if (style == kHatchSolid) {
        EXPECT_EQ(p.coloured, p.total);
        continue;
      }
      // Hatches leave their gaps as the preview was.
      EXPECT_GT(p.coloured, 0);
      EXPECT_LT(p.coloured, p.total / 2);
      EXPECT_EQ(ink::CountColour(Preview(w), gfx::kWhite, kIn0, kIn0, kIn1, kIn1), p.total - p.coloured);
      const bool rows = style == kHatchHorizontal || style == kHatchCross;
      const bool columns = style == kHatchVertical || style == kHatchCross;
      EXPECT_EQ(p.fullRows > 0, rows);
      EXPECT_EQ(p.fullColumns > 0, columns);
      if (style == kHatchForwardDiagonal) {
        EXPECT_GT(p.falling, 0.9);
        EXPECT_LT(p.rising, 0.2);
      } else if (style == kHatchBackwardDiagonal) {
        EXPECT_GT(p.rising, 0.9);
        EXPECT_LT(p.falling, 0.2);
      } else if (style == kHatchDiagonalCross) {
        EXPECT_GT(p.rising, 0.4);
        EXPECT_GT(p.falling, 0.4);
      }
    }
    Click(w, kCancelar);
  });
  ShowShapeDialog(nullptr);
}

// The lengths of the runs of outline colour along the top edge, without the two at its ends
// (they may be cut short by the corners).
std::vector<int> InnerRunsOfTopEdge(const gfx::Surface& s) {
  std::vector<int> runs;
  int run = 0;
  for (int x = 30; x <= 121; ++x) {
    if (x <= 120 && gfx::Pixel(s, x, 30) == gfx::kBlack) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (runs.size() <= 2) return runs;
  return {runs.begin() + 1, runs.end() - 1};
}

TEST_F(ShapeDialogTest, EachLineStyleBreaksTheOutlineItsOwnWay) {
  OnDialog(kCaption, [](ui::Window w) {
    ChooseListItem(w, kFillCombo, 0);
    for (int style = 0; style <= 4; ++style) {
      SCOPED_TRACE(style);
      ChooseListItem(w, kLineStyleCombo, style);
      EXPECT_EQ(shapeLineStyle, style);
      const std::vector<int> runs = InnerRunsOfTopEdge(Preview(w));
      if (style == kLineSolid) {
        EXPECT_EQ(ink::CountColour(Preview(w), gfx::kBlack, 30, 30, 120, 30), 91);
        continue;
      }
      ASSERT_GE(runs.size(), 2u);
      int dashes = 0, dots = 0;
      for (int r : runs) (r >= 7 ? dashes : dots) += 1;
      switch (style) {
        case kLineDash:
          EXPECT_EQ(dots, 0);
          break;
        case kLineDot:
          EXPECT_EQ(dashes, 0);
          break;
        case kLineDashDot:
          EXPECT_GT(dashes, 0);
          EXPECT_LE(std::abs(dots - dashes), 1);
          break;
        case kLineDashDotDot:
          EXPECT_GT(dashes, 0);
          EXPECT_GE(dots, 2 * dashes - 1);
          break;
        default:
          break;
      }
    }
    // A wide pen thickens the outline inwards and outwards.
    ChooseListItem(w, kLineStyleCombo, 0);
    ChooseListItem(w, kLineWidthCombo, 14);
    EXPECT_EQ(shapeLineWidth, 15);
    EXPECT_EQ(gfx::Pixel(Preview(w), 75, 36), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(Preview(w), 75, 24), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(Preview(w), 75, 45), kBlue);
    Click(w, kCancelar);
  });
  ShowShapeDialog(nullptr);
}

TEST_F(ShapeDialogTest, RoundingIsAPercentOfTheSmallerSideAndCirclesIgnoreIt) {
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_FALSE(ui::Enabled(w, kPercent));
    const gfx::Surface& s = Preview(w);
    EXPECT_EQ(gfx::Pixel(s, 31, 31), kBlue);   // square corners
    Click(w, kRounded);
    EXPECT_TRUE(ui::Enabled(w, kPercent));
    TypeText(w, kPercent, "50");
    EXPECT_EQ(shapeRoundingPercent, 50);
    // Arcs 45 pixels wide: the corner is left white, the middle of each side drawn.
    EXPECT_EQ(gfx::Pixel(s, 33, 33), gfx::kWhite);
    EXPECT_EQ(gfx::Pixel(s, 75, 30), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(s, 30, 75), gfx::kBlack);
    TypeText(w, kPercent, "100");
    std::vector<gfx::Colour> full;
    for (int y = 28; y <= 122; ++y)
      for (int x = 28; x <= 122; ++x) full.push_back(gfx::Pixel(s, x, y));
    // 100 on a square box is its inscribed circle: the diagonal's corners stay white.
    EXPECT_EQ(gfx::Pixel(s, 40, 40), gfx::kWhite);
    EXPECT_EQ(gfx::Pixel(s, 75, 75), kBlue);
    // Beyond 100, even past 16 bits, draws as 100.
    for (const char* beyond : {"150", "99999999999"}) {
      SCOPED_TRACE(beyond);
      TypeText(w, kPercent, beyond);
      std::vector<gfx::Colour> again;
      for (int y = 28; y <= 122; ++y)
        for (int x = 28; x <= 122; ++x) again.push_back(gfx::Pixel(s, x, y));
      EXPECT_EQ(again, full);
    }
    EXPECT_EQ(shapeRoundingPercent, 32767);
    // A negative percent, which only a document can bring, draws as 100 too.
    shapeRoundingPercent = -5;
    DrawShapePreview();
    std::vector<gfx::Colour> negative;
    for (int y = 28; y <= 122; ++y)
      for (int x = 28; x <= 122; ++x) negative.push_back(gfx::Pixel(s, x, y));
    EXPECT_EQ(negative, full);

    TypeText(w, kPercent, "0");
    Click(w, kCircle);
    EXPECT_EQ(shapeTypeChosen, kShapeCircleOrEllipse);
    EXPECT_FALSE(ui::Enabled(w, kRounded));
    EXPECT_FALSE(ui::Enabled(w, kPercent));
    // Rounding 0 would give square corners; the ellipse has none.
    EXPECT_EQ(gfx::Pixel(s, 33, 33), gfx::kWhite);
    EXPECT_EQ(gfx::Pixel(s, 75, 30), gfx::kBlack);
    EXPECT_EQ(gfx::Pixel(s, 75, 75), kBlue);
    Click(w, kSquare);
    EXPECT_TRUE(ui::Enabled(w, kRounded));
    EXPECT_TRUE(ui::Enabled(w, kPercent));
    Click(w, kCancelar);
  });
  ShowShapeDialog(nullptr);
  EXPECT_EQ(shapeDialogAccepted, 0);
  // "Cancelar" leaves what was changed.
  EXPECT_EQ(shapeTypeChosen, kShapeSquareOrRectangle);
  EXPECT_EQ(shapeRoundedCorners, 1);
}

TEST_F(ShapeDialogTest, SizesInPixelsOrMillimetresAreCheckedBeforeTheyNarrow) {
  struct Case {
    const char* widthPx;
    const char* heightPx;
    const char* widthMm;
    const char* heightMm;
    std::vector<const char*> messages;
    bool accepted;
    int16_t width, height;   // the size left in the settings
  };
  const Case cases[] = {
      {"100", "100", "", "", {}, true, 100, 100},
      {"", "", "50", "30", {}, true, 189, 113},
      {"", "", "8669", "1", {}, true, 32765, 4},
      {"32767", "1", "", "", {}, true, 32767, 1},
      // Sizes taken though the dialog stays open.
      {"100", "100", "5", "", {kMixedSizes}, false, 100, 100},
      {"100", "100", "50", "30", {kMixedSizes, kMixedSizes}, false, 189, 113},
      {"100", "", "", "", {kNoSize}, false, 7, 7},
      {"", "", "", "", {kNoSize}, false, 7, 7},
      {"", "", "10000", "10", {kSizeTooLarge}, false, 7, 7},
      {"40000", "10", "", "", {kSizeTooLarge}, false, 7, 7},
      {"99999999999", "10", "", "", {kSizeTooLarge}, false, 7, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.widthPx) + " x " + c.heightPx + " px, " + c.widthMm + " x " + c.heightMm + " mm");
    ui::testing::Begin();
    shapeDialogOpen = 1;
    shapeWidth = shapeHeight = 7;
    OnDialog(kCaption, [&](ui::Window w) {
      TypeText(w, kWidthPx, c.widthPx);
      TypeText(w, kHeightPx, c.heightPx);
      TypeText(w, kWidthMm, c.widthMm);
      TypeText(w, kHeightMm, c.heightMm);
      Click(w, kAceptar);
    });
    // A refused size leaves the dialog open, which the test driver then ends with -1.
    EXPECT_EQ(ShowShapeDialog(nullptr), c.accepted ? ui::kOk : -1);
    EXPECT_EQ(ui::testing::Unexpected().size(), c.accepted ? 0u : 1u);
    EXPECT_EQ(shapeDialogAccepted, c.accepted ? 1 : 0);
    EXPECT_EQ(shapeWidth, c.width);
    EXPECT_EQ(shapeHeight, c.height);
    ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(c.messages));
  }
  ui::testing::Begin();
}

TEST_F(ShapeDialogTest, TransparentInteriorDrawsOnlyTheOutlineAndGivesTheColourBack) {
  shapeFillStyle = kHatchCross;
  OnDialog(kCaption, [](ui::Window w) {
    const gfx::Surface& s = Preview(w);
    EXPECT_GT(ink::CountColour(s, kBlue, kIn0, kIn0, kIn1, kIn1), 0);
    Click(w, kTransparent);
    EXPECT_EQ(shapeInteriorColour, gfx::kTransparent);
    EXPECT_FALSE(ui::Enabled(w, kInteriorChooser));
    EXPECT_EQ(ink::CountColour(s, gfx::kWhite, kIn0, kIn0, kIn1, kIn1), 71 * 71);
    EXPECT_EQ(gfx::Pixel(s, 75, 30), gfx::kBlack);
    // A colour picked into the swatch fills the interior again; the check box keeps its state.
    pickedColour = kGreen;
    Click(w, kInteriorSwatch);
    EXPECT_EQ(shapeInteriorColour, kGreen);
    EXPECT_TRUE(ui::Checked(w, kTransparent));
    EXPECT_GT(ink::CountColour(s, kGreen, kIn0, kIn0, kIn1, kIn1), 0);
    Click(w, kTransparent);
    EXPECT_EQ(shapeInteriorColour, kBlue);
    EXPECT_TRUE(ui::Enabled(w, kInteriorChooser));
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kInteriorSwatch), 4, 4), kBlue);
    EXPECT_GT(ink::CountColour(s, kBlue, kIn0, kIn0, kIn1, kIn1), 0);
    Click(w, kCancelar);
  });
  ShowShapeDialog(nullptr);
}

TEST_F(ShapeDialogTest, AfterPaintingATransparentShapeTheDialogOpensTransparent) {
  // The painter brings the interior back as -2; the check box is not stored.
  shapeInteriorColour = gfx::kTransparent;
  shapeSavedInteriorColour = kGreen;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_TRUE(ui::Checked(w, kTransparent));
    EXPECT_FALSE(ui::Enabled(w, kInteriorChooser));
    EXPECT_EQ(ink::CountColour(Preview(w), gfx::kWhite, kIn0, kIn0, kIn1, kIn1), 71 * 71);
    Click(w, kTransparent);
    EXPECT_EQ(shapeInteriorColour, kGreen);
    Click(w, kCancelar);
  });
  ShowShapeDialog(nullptr);
  EXPECT_EQ(shapeTransparentInterior, 0);
}

TEST_F(ShapeDialogTest, OpensWithTheSettingsAndTakesColoursFromChooserAndSwatches) {
  shapeTypeChosen = kShapeCircleOrEllipse;
  shapeRoundingPercent = 40;
  shapeFillStyle = 4;
  shapeLineStyle = 2;
  shapeLineWidth = 9;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_TRUE(ui::Checked(w, kCircle));
    EXPECT_FALSE(ui::Enabled(w, kRounded));
    EXPECT_EQ(ui::Text(w, kPercent), "40");
    EXPECT_EQ(ui::Text(w, kFillCombo), "4 - Lineas Diagonales hacia abajo");
    EXPECT_EQ(ui::Text(w, kLineStyleCombo), "2 - Punto");
    EXPECT_EQ(ui::Text(w, kLineWidthCombo), "09 - Grosor de linea");
    EXPECT_EQ(ui::ListCount(w, kLineWidthCombo), 15);
    EXPECT_EQ(ui::Text(w, kWidthPx), "");

    AnswerColour(kRed);
    Click(w, kBorderChooser);
    EXPECT_EQ(shapeBorderColour, kRed);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kBorderSwatch), 4, 4), kRed);
    EXPECT_GT(ink::CountColour(Preview(w), kRed), 0);
    AnswerColour(-1);
    Click(w, kBorderChooser);
    EXPECT_EQ(shapeBorderColour, kRed);

    AnswerColour(kGreen);
    Click(w, kInteriorChooser);
    EXPECT_EQ(shapeInteriorColour, kGreen);
    EXPECT_EQ(shapeSavedInteriorColour, kGreen);

    // A swatch takes the colour picked on the canvas, none while nothing was picked.
    Click(w, kBorderSwatch);
    EXPECT_EQ(shapeBorderColour, kRed);
    pickedColour = kBlue;
    Click(w, kBorderSwatch);
    EXPECT_EQ(shapeBorderColour, kBlue);
    Click(w, kInteriorSwatch);
    EXPECT_EQ(shapeInteriorColour, kBlue);
    ui::testing::CloseBox(w);
  });
  ShowShapeDialog(nullptr);
  EXPECT_EQ(shapeDialogAccepted, 0);
  EXPECT_EQ(shapeBorderColour, kBlue);
}

// A 100 x 60 box at (20, 20) with a black outline and a red inside.
void SetPlainShape(int32_t type = kShapeSquareOrRectangle) {
  shapeTypeChosen = type;
  shapeRoundedCorners = 0;
  shapeRoundingPercent = 0;
  shapeFillStyle = 0;
  shapeLineStyle = 0;
  shapeLineWidth = 1;
  shapeBorderColour = gfx::kBlack;
  shapeInteriorColour = kRed;
  shapeWidth = 100;
  shapeHeight = 60;
}

TEST(ShapeDrawer, SettingsTravelThroughTheObjectAndWidthsAreBounded) {
  SetPlainShape(kShapeCircleOrEllipse);
  shapeRoundedCorners = 1;
  shapeRoundingPercent = 33;
  shapeFillStyle = 4;
  shapeLineStyle = 2;
  shapeLineWidth = 9;
  shapeBorderColour = gfx::Rgb(255, 255, 0);
  PageObject o{};
  StoreShapeSettings(o);
  EXPECT_EQ(o.width, 100);
  EXPECT_EQ(o.height, 60);
  EXPECT_EQ(o.backColor, kRed);
  EXPECT_EQ(o.borderColor, gfx::Rgb(255, 255, 0));
  EXPECT_EQ(o.shapeType, kShapeCircleOrEllipse);
  EXPECT_EQ(o.lineWidth, 9);

  SetPlainShape();
  LoadShapeSettings(o);
  EXPECT_EQ(shapeTypeChosen, kShapeCircleOrEllipse);
  EXPECT_EQ(shapeRoundedCorners, 1);
  EXPECT_EQ(shapeRoundingPercent, 33);
  EXPECT_EQ(shapeFillStyle, 4);
  EXPECT_EQ(shapeLineStyle, 2);
  EXPECT_EQ(shapeLineWidth, 9);
  EXPECT_EQ(shapeBorderColour, gfx::Rgb(255, 255, 0));
  EXPECT_EQ(shapeInteriorColour, kRed);

  // A damaged record cannot ask for absurd pens or overflow the 16-bit sizes.
  o.lineWidth = 100000;
  o.width = 1 << 20;
  o.height = -(1 << 20);
  LoadShapeSettings(o);
  EXPECT_EQ(shapeLineWidth, 15);
  EXPECT_EQ(shapeWidth, 32767);
  EXPECT_EQ(shapeHeight, -32768);
  o.lineWidth = -3;
  LoadShapeSettings(o);
  EXPECT_EQ(shapeLineWidth, 1);
}

}  // namespace
