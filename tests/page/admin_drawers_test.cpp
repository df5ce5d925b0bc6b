#include "page/admin_drawers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "page/admin_controls.h"
#include "page/shared_helpers.h"
#include "tests/page/ink.h"

namespace {

constexpr gfx::Colour kBlue = 0xFF0000;    // lines, borders and labels
constexpr gfx::Colour kRed = 0x0000FF;     // fill texts
constexpr gfx::Colour kGreen = 0x00FF00;   // inside of closed cells
constexpr int kX = 20, kY = 80;

// A style's built-in preset at (kX, kY), drawn in recognisable colours.
AdminControlArgs ArgsOf(int style) {
  const AdminStylePreset p = DefaultAdminStylePreset(style);
  AdminControlArgs a;
  a.label = "Nro";
  a.x = kX;
  a.y = kY;
  a.areaWidth = p.labelAreaWidth;
  a.areaHeight = p.labelAreaHeight;
  a.cellWidth = p.cellWidth;
  a.penWidth = p.penWidth;
  a.labelFontSize = 12;
  a.cellCount = p.cellCount;
  a.colour = kBlue;
  a.labelFontName = "Arial";
  a.alignment = kAlignLeft;
  a.cellSpacing = p.cellSpacing;
  a.labelVisible = 1;
  a.fillAlignment = kAlignLeft;
  a.fillFontName = "Arial";
  a.fillFontSize = 12;
  a.fillColour = kRed;
  a.controlBackColor = kGreen;
  a.optionShape = p.optionShape;
  a.optionMarked = 1;
  return a;
}

class AdminDrawersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page = gfx::MakeBitmap(794, 300);
    other = gfx::MakeBitmap(794, 300);
  }
  void TearDown() override {
    gfx::ReleaseBitmap(page);
    gfx::ReleaseBitmap(other);
  }
  void Draw(gfx::Surface& s, int style, const AdminControlArgs& a) {
    ClearGraphicTarget(s);
    DrawAdminStyle(s, style, a);
  }
  // Where the label's ink lies: the control drawn with and without its label.
  ink::Box LabelInk(int style, AdminControlArgs a) {
    Draw(*page, style, a);
    a.label.clear();
    Draw(*other, style, a);
    return ink::DiffBox(*page, *other);
  }
  gfx::Colour At(int x, int y) const { return gfx::Pixel(*page, x, y); }

  gfx::Surface* page = nullptr;
  gfx::Surface* other = nullptr;
};

struct Probe {
  int x, y;
  gfx::Colour colour;
};

TEST_F(AdminDrawersTest, EachStyleDrawsItsLabelAndItsFirstAndLastCell) {
  struct Case {
    int style;
    ink::Box label;   // the label's ink lies within this box, starting at its left
    Probe first;      // on the first cell (or mark, or line)
    Probe last;       // on the last cell
    Probe beyond;     // just past the last cell: nothing
    Probe inside;     // inside a cell: its fill, or nothing for open cells and lines
  };
  const Case cases[] = {
      // cells start 2 pixels after the label area: 20 + 110 + 2
      {1, {20, 80, 130, 100}, {132, 90, kBlue}, {432, 90, kBlue}, {434, 90, gfx::kWhite}, {300, 90, kGreen}},
      // open at the top
      {2, {20, 80, 60, 100}, {62, 90, kBlue}, {76, 90, kBlue}, {78, 90, gfx::kWhite}, {69, 80, gfx::kWhite}},
      // 12 cells of 15 with 1 between: the last starts at 162 + 11 x 16
      {3, {20, 80, 160, 100}, {162, 90, kBlue}, {353, 90, kBlue}, {355, 90, gfx::kWhite}, {345, 90, kGreen}},
      // 20 open cells of 15 side by side, the label one pixel lower
      {4, {20, 81, 150, 101}, {152, 90, kBlue}, {452, 90, kBlue}, {454, 90, gfx::kWhite}, {445, 80, gfx::kWhite}},
      // a line of 500 from 20 + 90 + 2, at half the area's height
      {5, {20, 80, 110, 100}, {112, 90, kBlue}, {612, 90, kBlue}, {614, 90, gfx::kWhite}, {300, 89, gfx::kWhite}},
      // a marked square of 15, the label after it
      {6, {37, 80, 134, 95}, {20, 88, kBlue}, {35, 88, kBlue}, {37, 88, gfx::kWhite}, {27, 88, kBlue}},
      // the label inside the box, a pen's width from its corner
      {7, {21, 81, 520, 130}, {20, 105, kBlue}, {520, 105, kBlue}, {522, 105, gfx::kWhite}, {400, 125, kGreen}},
      // the label above the box: 80 - 1 - 12 - 3
      {8, {21, 64, 520, 80}, {20, 100, kBlue}, {520, 100, kBlue}, {522, 100, gfx::kWhite}, {400, 110, kGreen}},
      // the label above the line: 80 - (12 + 2 x 2 + 1 + 1)
      {9, {20, 62, 520, 80}, {20, 80, kBlue}, {520, 80, kBlue}, {522, 80, gfx::kWhite}, {300, 81, gfx::kWhite}},
      // no lines at all
      {10, {20, 80, 130, 100}, {0, 0, gfx::kWhite}, {200, 90, gfx::kWhite}, {434, 90, gfx::kWhite}, {200, 80, gfx::kWhite}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const ink::Box label = LabelInk(c.style, ArgsOf(c.style));
    ASSERT_FALSE(label.Empty());
    EXPECT_GE(label.left, c.label.left);
    EXPECT_LE(label.left, c.label.left + 3);
    EXPECT_GE(label.top, c.label.top);
    EXPECT_LE(label.right, c.label.right);
    EXPECT_LE(label.bottom, c.label.bottom);
    for (const Probe& p : {c.first, c.last, c.beyond, c.inside})
      EXPECT_EQ(At(p.x, p.y), p.colour) << p.x << ", " << p.y;
  }
}

TEST_F(AdminDrawersTest, EachCellOfARowHoldsOneCharacterOfTheFillText) {
  for (int style : {3, 4}) {
    SCOPED_TRACE(style);
    AdminControlArgs a = ArgsOf(style);
    a.fillText = "91";
    const int step = a.cellWidth + a.cellSpacing;
    const int first = kX + a.areaWidth + 2;
    Draw(*page, style, a);
    for (int i = 0; i < a.cellCount; ++i) {
      const int left = first + i * step;
      const int red = ink::CountColour(*page, kRed, left + 1, kY + 1, left + a.cellWidth - 1, kY + 40);
      if (i < 2)
        EXPECT_GT(red, 0) << "cell " << i;
      else
        EXPECT_EQ(red, 0) << "cell " << i;
    }
    // '1' stands in the second cell alone.
    const ink::Box one = ink::InkBox(*page, first + step + 1, kY + 1, first + step + a.cellWidth - 1, kY + 40,
                                     style == 3 ? kGreen : gfx::kWhite);
    EXPECT_FALSE(one.Empty());
  }
}

TEST_F(AdminDrawersTest, AHiddenLabelPutsTheCellAtTheControlsLeftEdge) {
  for (int style : {1, 2, 3, 4}) {
    SCOPED_TRACE(style);
    AdminControlArgs a = ArgsOf(style);
    a.labelVisible = 0;
    EXPECT_TRUE(LabelInk(style, a).Empty());
    EXPECT_EQ(At(kX, kY + 10), kBlue);
    EXPECT_EQ(At(kX - 2, kY + 10), gfx::kWhite);
  }
  // Style 10 then draws nothing at all.
  AdminControlArgs a = ArgsOf(10);
  a.labelVisible = 0;
  a.fillText = "Relleno";
  Draw(*page, 10, a);
  EXPECT_TRUE(ink::InkBox(*page).Empty());
}

TEST_F(AdminDrawersTest, StyleFoursLabelIsOnePixelLowerThanStyleThrees) {
  AdminControlArgs a = ArgsOf(3);
  const ink::Box three = LabelInk(3, a);
  const ink::Box four = LabelInk(4, a);
  ASSERT_FALSE(three.Empty());
  EXPECT_EQ(four.top, three.top + 1);
  EXPECT_EQ(four.left, three.left);
}

TEST_F(AdminDrawersTest, TheOptionMarkIsSquareOrRoundAndFilledOnlyWhenMarked) {
  struct Case {
    int32_t shape, marked;
    gfx::Colour corner, centre;
  };
  // The mark is 15 pixels square at (20, 80); its corner is (20, 80), its centre (27, 87).
  const Case cases[] = {
      {0, 0, kBlue, gfx::kWhite}, {0, 1, kBlue, kBlue}, {1, 0, gfx::kWhite, gfx::kWhite}, {1, 1, gfx::kWhite, kBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shape * 10 + c.marked);
    AdminControlArgs a = ArgsOf(6);
    a.optionShape = c.shape;
    a.optionMarked = c.marked;
    Draw(*page, 6, a);
    EXPECT_EQ(At(kX, kY), c.corner);
    EXPECT_EQ(At(kX + 7, kY + 7), c.centre);
    EXPECT_EQ(At(kX + 7, kY), kBlue);   // the outline's top, in both shapes
    // Inset by 2: the ring between outline and mark stays white.
    EXPECT_EQ(At(kX + 7, kY + 1), gfx::kWhite);
  }
}

TEST_F(AdminDrawersTest, TheBoxStylesDrawNoJustifiedLabelAndNoJustifiedFill) {
  for (int style : {7, 8}) {
    SCOPED_TRACE(style);
    AdminControlArgs a = ArgsOf(style);
    a.alignment = kAlignJustified;
    EXPECT_TRUE(LabelInk(style, a).Empty());
    a = ArgsOf(style);
    a.fillText = "Relleno";
    a.fillAlignment = kAlignJustified;
    Draw(*page, style, a);
    EXPECT_EQ(ink::CountColour(*page, kRed), 0);
    a.fillAlignment = kAlignLeft;
    Draw(*page, style, a);
    EXPECT_GT(ink::CountColour(*page, kRed), 0);
  }
}

TEST_F(AdminDrawersTest, TheFillTextStandsWhereEachStylePutsIt) {
  struct Case {
    int style;
    int left, top, bottom;   // the fill's red ink starts at left and lies within top..bottom
  };
  const Case cases[] = {
      {1, 132, 80, 100},
      {5, 112, 70 - 2, 90},   // lifted above the line by its own size: 90 - 18
      {7, 21, 80 + 1 + 25 - 12, 130},
      {9, 20, 80, 100},
      {10, 128, 80, 100},     // 2 pixels before the label area's right edge
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    AdminControlArgs a = ArgsOf(c.style);
    a.fillText = "Relleno";
    Draw(*page, c.style, a);
    ink::Box red;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 794; ++x)
        if (At(x, y) == kRed) {
          red.left = std::min(red.left, x);
          red.right = std::max(red.right, x);
          red.top = std::min(red.top, y);
          red.bottom = std::max(red.bottom, y);
        }
    ASSERT_FALSE(red.Empty());
    EXPECT_GE(red.left, c.left);
    EXPECT_LE(red.left, c.left + 3);
    EXPECT_GE(red.top, c.top);
    EXPECT_LE(red.bottom, c.bottom);
  }
}

TEST_F(AdminDrawersTest, TheYOptionMovesTheFillTextOnlyInCellAndBoxStyles) {
  for (int style : {1, 2, 3, 4, 5, 7, 8, 9, 10}) {
    SCOPED_TRACE(style);
    AdminControlArgs a = ArgsOf(style);
    a.fillText = "R";
    Draw(*other, style, a);
    a.fillUseY = 1;
    a.fillY = 60;
    Draw(*page, style, a);
    const bool moves = style <= 4 || style == 7 || style == 8;
    if (!moves) {
      EXPECT_TRUE(ink::SamePixels(*page, *other));
      continue;
    }
    const int top = style == 7 || style == 8 ? kY + 1 + a.areaHeight / 2 - a.fillFontSize : kY;
    // The fill text's first line now starts at its y plus 60.
    EXPECT_EQ(ink::CountColour(*page, kRed, 0, 0, 793, top + 59), 0);
    EXPECT_GT(ink::CountColour(*page, kRed, 0, top + 60, 793, 299), 0);
  }
}

TEST_F(AdminDrawersTest, ACountOfNoneDrawsTheLabelOnly) {
  for (int style : {3, 4}) {
    for (int32_t count : {0, -3}) {
      SCOPED_TRACE(style * 100 + count);
      AdminControlArgs a = ArgsOf(style);
      a.cellCount = count;
      a.fillText = "12";
      const ink::Box label = LabelInk(style, a);
      EXPECT_FALSE(label.Empty());
      EXPECT_TRUE(ink::InkBox(*page, label.right + 1, 0, 793, 299).Empty());
    }
  }
}

TEST_F(AdminDrawersTest, AHugeCountStopsAtTheTargetsEdgeWithTheSamePicture) {
  struct Case {
    int32_t cellWidth;
    int16_t spacing;
  };
  // Rows that run right, that stand still and that run left.
  const Case cases[] = {{15, 1}, {1, 0}, {0, 0}, {20, -25}, {-10, 0}};
  for (const Case& c : cases) {
    for (int style : {3, 4}) {
      SCOPED_TRACE(std::to_string(style) + ": " + std::to_string(c.cellWidth) + " + " + std::to_string(c.spacing));
      AdminControlArgs a = ArgsOf(style);
      a.cellWidth = c.cellWidth;
      a.cellSpacing = c.spacing;
      a.fillText = "123";
      a.cellCount = INT32_MAX;
      Draw(*page, style, a);
      // Enough cells to run well past either edge.
      a.cellCount = 2000;
      Draw(*other, style, a);
      EXPECT_TRUE(ink::SamePixels(*page, *other));
    }
  }
}

TEST_F(AdminDrawersTest, ARowStartingFarOffTheTargetReachesItAtOnce) {
  struct Case {
    int32_t x;
    int32_t cellWidth;   // with no spacing, the step of the row
    int32_t nearX;       // a start near the target, on the same steps, from which the row covers it alike
  };
  const Case cases[] = {{-2000000000, 1, -10}, {2000000000, -1, 810}, {INT32_MIN, 3, -29}, {INT32_MAX, -3, 829}};
  for (const Case& c : cases) {
    for (int style : {3, 4}) {
      SCOPED_TRACE(std::to_string(style) + " from " + std::to_string(c.x));
      AdminControlArgs a = ArgsOf(style);
      a.labelVisible = 0;
      a.cellWidth = c.cellWidth;
      a.cellSpacing = 0;
      a.x = c.x;
      a.cellCount = INT32_MAX;
      Draw(*page, style, a);
      EXPECT_FALSE(ink::InkBox(*page).Empty());
      a.x = c.nearX;
      a.cellCount = 2000;
      Draw(*other, style, a);
      EXPECT_TRUE(ink::SamePixels(*page, *other));
    }
  }
}

TEST_F(AdminDrawersTest, ThePainterDrawsEachKindOnlyWithItsOwnStyles) {
  PageObject o{};
  o.x = kX;
  o.y = kY;
  o.width = 110;
  o.height = 20;
  o.cellWidth = 300;
  o.penWidth = 1;
  o.cellCount = 1;
  o.foreColor = kBlue;
  o.fontSize = 12;
  std::strcpy(o.fontName, "Arial");
  std::strcpy(o.text, "Nombre");
  o.alignment = kAlignLeft;
  o.labelVisible = 1;
  std::strcpy(o.fillText, "Relleno");
  std::strcpy(o.fillFontName, "Arial");
  o.fillFontSize = 12;
  o.fillForeColor = kRed;
  o.fillAlignment = kAlignLeft;
  o.controlBackColor = kGreen;
  o.optionMarked = 1;
  struct Case {
    int32_t kind;
    int16_t style;
    bool draws;
  };
  const Case cases[] = {{7, 1, true}, {7, 10, true}, {7, 6, false}, {7, 0, false}, {7, 11, false},
                        {8, 6, true}, {8, 1, false}, {3, 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind * 100 + c.style);
    o.kind = c.kind;
    o.adminStyle = c.style;
    ClearGraphicTarget(*page);
    DrawAdminObject(*page, o);
    EXPECT_EQ(!ink::InkBox(*page).Empty(), c.draws);
  }
  // A kind-7 control shows the value filled into it.
  o.kind = kAdminControl;
  o.adminStyle = 1;
  ClearGraphicTarget(*page);
  DrawAdminObject(*page, o);
  EXPECT_GT(ink::CountColour(*page, kRed, 133, kY, 431, kY + 20), 0);
}

TEST_F(AdminDrawersTest, ADamagedObjectIsDrawnWithinBounds) {
  PageObject o{};
  o.kind = kAdminControl;
  o.x = INT32_MAX;
  o.y = INT32_MIN;
  o.width = -40;
  o.height = INT32_MAX;
  o.cellWidth = INT32_MIN;
  o.penWidth = INT32_MAX;
  o.cellCount = INT32_MAX;
  o.cellSpacing = INT16_MIN;
  o.fontSize = -4;
  o.fillFontSize = INT16_MAX;
  std::memset(o.text, 'x', sizeof o.text);        // no terminator anywhere
  std::memset(o.fillText, '9', sizeof o.fillText);
  std::memset(o.fontName, 'A', sizeof o.fontName);
  o.alignment = kAlignLeft;
  o.labelVisible = 1;
  for (int16_t style = 1; style <= 10; ++style) {
    o.adminStyle = style;
    o.kind = style == 6 ? kAdminOptionCell : kAdminControl;
    DrawAdminObject(*page, o);
  }
  const AdminControlArgs a = AdminArgsOfObject(o);
  EXPECT_EQ(a.label.size(), sizeof o.text);
  EXPECT_EQ(a.areaWidth, 0);
  EXPECT_EQ(a.areaHeight, kAdminMaxSize);
  EXPECT_EQ(a.penWidth, kAdminMaxPenWidth);
  EXPECT_EQ(a.cellCount, kAdminMaxCellCount);
  EXPECT_EQ(a.cellSpacing, 0);
  // Fonts are drawn at any size their fields hold.
  EXPECT_EQ(a.labelFontSize, -4);
  EXPECT_EQ(a.fillFontSize, 32767);
}

}  // namespace
