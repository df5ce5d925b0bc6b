// Tests of the page half of the painter: every object drawn from its own fields with its
// marks, and the page background, by probing pixels of the page bitmap.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "page/painter.h"
#include "platform/gfx/gfx.h"
#include "tests/page/painter_test.h"
#include "tests/page/ink.h"

namespace {

using paintertest::kBlack;
using paintertest::kBlue;
using paintertest::kDarkRed;
using paintertest::kGreen;
using paintertest::kGrey;
using paintertest::kLightGrey;
using paintertest::kRed;
using paintertest::kWhite;
using paintertest::PainterTest;

TEST_F(PainterTest, PageBitmapsHaveThePaperSizeAndStayBoundedForWildPaperSizes) {
  struct Case {
    int16_t widthMm, heightMm;
    int width, height;
  };
  const Case cases[] = {
      {210, 297, 794, 1123},  // A4
      {100, 50, 378, 189},
      {216, 420, 816, 1587},  // longer than A4, as a settings file may say
      {8669, 4, 32765, 15},   // the longest side a bitmap takes
      // No page bitmap can be made at these: the default paper is drawn.
      {30000, 0, 794, 1123},  // beyond what a bitmap takes, and nothing at all
      {-5, 32767, 794, 1123},
      {8000, 8000, 794, 1123},  // each side could be, but not both together
  };
  for (const Case& c : cases) {
    paperWidthMm = c.widthMm;
    paperHeightMm = c.heightMm;
    MakePageBitmaps();
    ASSERT_NE(pageBitmap, nullptr);
    EXPECT_EQ(gfx::Width(*pageBitmap), c.width) << c.widthMm;
    EXPECT_EQ(gfx::Height(*pageBitmap), c.height) << c.heightMm;
    EXPECT_EQ(gfx::Width(*canvasBitmap), 794);
    EXPECT_EQ(gfx::Height(*canvasBitmap), 955);
    EXPECT_EQ(Page(0, 0), kWhite);
    // Every ruler and paper still finishes on such a page.
    for (int f = 0; f < 6; ++f) {
      rulerFlags = {};
      rulerFlags[f] = 1;
      PaintPage();
    }
  }
}

TEST_F(PainterTest, EmptyPageHasTheOutlineAndDottedMarginsOnly) {
  PaintPage();
  // The outline's four sides run along the bitmap's first and last rows and columns.
  EXPECT_EQ(Page(400, 0), kBlack);
  EXPECT_EQ(Page(0, 500), kBlack);
  EXPECT_EQ(Page(793, 500), kBlack);
  EXPECT_EQ(Page(400, 1122), kBlack);
  EXPECT_EQ(Page(792, 500), kWhite);
  EXPECT_EQ(Page(400, 1121), kWhite);

  // Margins 20, 10, 15 and 25 mm: dotted lines at x 76 and 756, y 57 and 1028.
  for (int x : {76, 756}) {
    EXPECT_GT(InColumn(x, 100, 400, kBlack), 100) << x;
    EXPECT_GT(InColumn(x, 100, 400, kWhite), 100) << x;
    EXPECT_EQ(InColumn(x - 1, 100, 400, kWhite), 301) << x;
    EXPECT_EQ(InColumn(x + 1, 100, 400, kWhite), 301) << x;
  }
  for (int y : {57, 1028}) {
    EXPECT_GT(InRow(y, 100, 400, kBlack), 100) << y;
    EXPECT_GT(InRow(y, 100, 400, kWhite), 100) << y;
    EXPECT_EQ(InRow(y - 1, 100, 400, kWhite), 301) << y;
    EXPECT_EQ(InRow(y + 1, 100, 400, kWhite), 301) << y;
  }
  // No ruler, no paper, no ambient colour.
  for (auto [x, y] : {std::pair{38, 5}, {10, 5}, {5, 10}, {20, 602}, {50, 602}, {300, 300}})
    EXPECT_EQ(Page(x, y), kWhite) << x << "," << y;

  // A5: 559 x 794 pixels, its outline closed on all four sides too.
  paperWidthMm = 148;
  paperHeightMm = 210;
  MakePageBitmaps();
  PaintPage();
  ASSERT_EQ(gfx::Width(*pageBitmap), 559);
  ASSERT_EQ(gfx::Height(*pageBitmap), 794);
  EXPECT_EQ(InColumn(558, 0, 793, kBlack), 794);
  EXPECT_EQ(InRow(793, 0, 558, kBlack), 559);
}

TEST_F(PainterTest, OutlineAndMarginsCanBeLeftOut) {
  noMargins = 1;
  PaintPage(1, 0);
  EXPECT_EQ(InRow(0, 0, 793, kWhite), 794);
  EXPECT_EQ(InColumn(0, 0, 1122, kWhite), 1123);
  EXPECT_EQ(InColumn(76, 0, 1122, kWhite), 1123);
  EXPECT_EQ(InRow(57, 0, 793, kWhite), 794);
}

// The margin lines can be asked for whatever the setting says: a print shows the page on the
// canvas without them while the setting stays.
TEST_F(PainterTest, MarginLinesFollowTheCallerWhenItSaysSo) {
  for (const int32_t setting : {0, 1}) {
    SCOPED_TRACE(setting);
    noMargins = setting;
    for (const bool lines : {false, true}) {
      ClearGraphicTarget(*pageBitmap);
      DrawPageBackground(*pageBitmap, 1, lines);
      EXPECT_EQ(InColumn(76, 100, 400, kBlack) > 0, lines) << lines;
      EXPECT_EQ(InRow(57, 100, 400, kBlack) > 0, lines) << lines;
      EXPECT_EQ(Page(0, 500), kBlack) << "the outline";
    }
  }
}

TEST_F(PainterTest, AmbientColourFillsTheAreaInsideTheMargins) {
  const gfx::Colour ambient = 0xF0F8E0;
  ambientColor = ambient;
  ambientColorOn = 1;
  noMargins = 1;
  PaintPage();
  EXPECT_EQ(Page(300, 300), ambient);
  EXPECT_EQ(Page(76, 57), ambient);      // the corners of the margins are inside
  EXPECT_EQ(Page(756, 1028), ambient);
  EXPECT_EQ(Page(75, 300), kWhite);
  EXPECT_EQ(Page(757, 300), kWhite);
  EXPECT_EQ(Page(300, 56), kWhite);
  EXPECT_EQ(Page(300, 1029), kWhite);

  // Objects go over it.
  AddSquare(200, 200, 40, kBlue);
  PaintPage();
  EXPECT_EQ(Page(220, 220), kBlue);
  EXPECT_EQ(Page(300, 300), ambient);

  ambientColorOn = 0;
  PaintPage();
  EXPECT_EQ(Page(300, 300), kWhite);
}

// Probes of one ruler or paper, for the top edge; the left edge draws the same with x and y
// swapped. The coordinates away from the edges lie between the lines of the other edge.
struct Probe {
  int x, y;
  gfx::Colour colour;
};
struct SheetCase {
  RulerFlag flag;
  const char* name;
  std::vector<Probe> probes;
  int labelX1, labelY1, labelX2, labelY2;   // where the top edge's first label is printed
};

TEST_F(PainterTest, EachRulerAndPaperDrawsItsMarksOnBothEdges) {
  noMargins = 1;
  const SheetCase cases[] = {
      {kRulerMm, "millimetre ruler",
       {{38, 0, kRed}, {38, 9, kRed}, {38, 10, kWhite},   // 1 cm: 96 x 10 / 25.4 = 37.8
        {19, 6, kBlack}, {19, 7, kWhite},                  // 5 mm
        {4, 4, kGrey}, {4, 5, kWhite},                     // 1 mm
        {38, 600, kWhite}},
       35, 11, 44, 22},
      {kPaperMm, "millimetre paper",
       {{38, 600, kRed}, {19, 600, kBlack}, {4, 4, kGrey}, {4, 5, kWhite}, {4, 600, kWhite}},
       35, 11, 44, 22},
      {kPaperSuperMm, "super-millimetre paper",
       {{38, 600, kRed}, {19, 600, kBlack}, {4, 600, kLightGrey}, {4, 5, kLightGrey}},
       35, 11, 44, 22},
      {kRulerPx, "pixel ruler",
       {{10, 10, kBlack}, {10, 11, kWhite}, {5, 5, kBlack}, {5, 6, kWhite},
        {50, 0, kRed}, {50, 10, kRed}, {50, 602, kWhite}},
       45, 12, 56, 23},
      {kPaperSquared, "squared paper",
       {{20, 602, kBlack}, {50, 602, kRed}, {25, 5, kBlack}, {25, 6, kWhite}, {25, 602, kWhite}},
       45, 12, 56, 23},
      {kPaperSuperSquared, "super-squared paper",
       {{20, 602, kBlack}, {50, 602, kRed}, {25, 602, kBlack}, {25, 6, kBlack}},
       45, 12, 56, 23},
  };
  for (const SheetCase& c : cases) {
    SCOPED_TRACE(c.name);
    rulerFlags = {};
    rulerFlags[c.flag] = 1;
    PaintPage(1, 0);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(Page(p.x, p.y), p.colour) << "top edge at " << p.x << "," << p.y;
      EXPECT_EQ(Page(p.y, p.x), p.colour) << "left edge at " << p.y << "," << p.x;
    }
    EXPECT_TRUE(Inked(*pageBitmap, c.labelX1, c.labelY1, c.labelX2, c.labelY2)) << "top label";
    // The left edge's labels stand a little further from the edge on the pixel rulers.
    int shift = c.flag >= kRulerPx ? 2 : 0;
    EXPECT_TRUE(Inked(*pageBitmap, c.labelY1 + shift, c.labelX1, c.labelY2 + shift, c.labelX2))
        << "left label";
  }
}

TEST_F(PainterTest, PixelRulersEndAtTheLastMarkWithinThePage) {
  rulerFlags[kRulerPx] = 1;
  noMargins = 1;
  PaintPage(1, 0);
  // A4 gives 1123 down the left edge and 794 along the top.
  EXPECT_EQ(Page(5, 1120), kBlack);
  EXPECT_EQ(Page(5, 1100), kRed);
  EXPECT_TRUE(Inked(*pageBitmap, 14, 1095, 30, 1106));   // label 1100
  EXPECT_EQ(Page(790, 5), kBlack);
  EXPECT_EQ(Page(750, 5), kRed);
  EXPECT_TRUE(Inked(*pageBitmap, 745, 12, 760, 23));     // label 750

  // On a wider target the top edge's marks stop at 790 as well.
  gfx::Surface* wide = gfx::MakeBitmap(900, 100);
  DrawPixelRuler(*wide, 794, 0);
  EXPECT_EQ(gfx::Pixel(*wide, 790, 5), kBlack);
  EXPECT_FALSE(Inked(*wide, 791, 0, 899, 99));
  // A length from a damaged file neither overflows nor runs on.
  gfx::Clear(*wide, kWhite);
  DrawSuperSquaredPaper(*wide, INT32_MAX, 1);
  EXPECT_EQ(gfx::Pixel(*wide, 600, 95), kBlack);
  gfx::Clear(*wide, kWhite);
  DrawPixelRuler(*wide, -5, 0);
  EXPECT_FALSE(Inked(*wide, 0, 0, 899, 99));
  gfx::ReleaseBitmap(wide);
}

TEST_F(PainterTest, MillimetreDrawersReachTheFirstMarkBeyondTheTargetAndKnowTwoUnits) {
  // 113 pixels wide: the 3 cm mark at 113 is the first at or beyond the edge; it is drawn,
  // so its label shows from x 110.
  gfx::Surface* strip = gfx::MakeBitmap(113, 40);
  DrawMillimetreRuler(*strip, 1, 0);
  EXPECT_TRUE(Inked(*strip, 110, 11, 112, 25));
  gfx::ReleaseBitmap(strip);

  gfx::Surface* target = gfx::MakeBitmap(300, 300);
  // Tenths of an inch: the inch mark at 96.
  DrawMillimetreRuler(*target, 0, 0);
  EXPECT_EQ(gfx::Pixel(*target, 96, 9), kRed);
  EXPECT_EQ(gfx::Pixel(*target, 48, 6), kBlack);
  EXPECT_TRUE(Inked(*target, 93, 11, 103, 22));
  // Any other unit draws nothing.
  gfx::Clear(*target, kWhite);
  for (int32_t unit : {2, -1})
    for (auto drawer : {DrawMillimetreRuler, DrawMillimetrePaper, DrawSuperMillimetrePaper})
      drawer(*target, unit, 0);
  EXPECT_FALSE(Inked(*target, 0, 0, 299, 299));
  gfx::ReleaseBitmap(target);
}

TEST_F(PainterTest, OnlyLiveSlotsUpToTheObjectCountAreDrawn) {
  AddSquare(100, 100, 50, kBlue);
  AddSquare(200, 100, 50, kBlue).kind = kEmptySlot;
  AddSquare(300, 100, 50, kBlue).kind = 13;   // no such kind
  AddSquare(400, 100, 50, kBlue).kind = -1;
  AddSquare(500, 100, 50, kBlue);
  --objectCount;   // the last one dropped by "Deshacer"
  PaintPage();
  EXPECT_EQ(Page(125, 125), kBlue);
  for (int x : {225, 325, 425, 525}) EXPECT_EQ(Page(x, 125), kWhite) << x;
  EXPECT_EQ(Page(200, 100), kWhite);
}

TEST_F(PainterTest, LaterSlotsAreDrawnOverEarlierOnes) {
  AddSquare(100, 100, 50, kBlue);
  AddSquare(120, 120, 50, kGreen, kGreen);
  PaintPage();
  EXPECT_EQ(Page(110, 110), kBlue);
  EXPECT_EQ(Page(140, 140), kGreen);
}

TEST_F(PainterTest, EditingMarksOutlineTheTextsAndArrowsOnly) {
  struct Case {
    int32_t kind;
    bool outlined;
  };
  const Case cases[] = {
      {kAngledText, true},  {kLineText, true},     {kMathsCharacter, true},
      {kAlignedText, false}, {kMemoText, false},   {kSquareOrCircle, false},
      {kAdminControl, false}, {kCornerMarks, false}, {kMonthCalendar, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    objectCount = 1;
    PageObject& o = AddText(c.kind, 300, 300, 120, 60, "");
    o.borderColor = kGreen;
    o.backColor = -2;
    o.lineWidth = 1;
    o.shapeType = kShapeSquareOrRectangle;
    for (int32_t mode : {1, 0, 7}) {
      PaintPage(mode);
      bool red = Page(300, 330) == kRed && Page(420, 330) == kRed && Page(360, 300) == kRed &&
                 Page(360, 360) == kRed;
      EXPECT_EQ(red, c.outlined && mode == 1) << "mode " << mode;
    }
  }
}

// An arrow leaves a pen up to 30 pixels wide; the marks after it and the ambient colour of
// the next pass (an export paints no background to reset it) keep to their thin lines.
TEST_F(PainterTest, MarksAndTheAmbientColourKeepAThinPenAfterAWideArrow) {
  PageObject& arrow = Add(kArrow, 500, 800, 10, 10);
  arrow.arrowDirection = kArrowRight;
  arrow.arrowLength = 50;
  arrow.arrowLineWidth = 30;
  AddText(kMathsCharacter, 300, 300, 20, 20, "");
  PaintPage(1);
  EXPECT_EQ(Page(300, 310), kRed);
  EXPECT_EQ(Page(298, 310), kWhite);
  EXPECT_EQ(Page(310, 298), kWhite);

  ambientColorOn = 1;
  ambientColor = kGreen;
  for (int pass = 0; pass < 2; ++pass) {
    ClearGraphicTarget(*pageBitmap);
    PaintAllObjects(*pageBitmap, 0);
  }
  EXPECT_EQ(Page(100, 500), kGreen);
  EXPECT_EQ(Page(70, 500), kWhite);   // the left margin lies at x 76
}

TEST_F(PainterTest, ArrowOutlineIsTheSquareAtItsAnchorUnderTheArrow) {
  PageObject& o = Add(kArrow, 200, 300, 10, 10);
  o.arrowDirection = kArrowRight;
  o.arrowLength = 100;
  o.arrowHeadSize = 10;
  o.arrowColor = kBlue;
  o.arrowLineWidth = 1;
  o.arrowHeads = 1;
  PaintPage(1);
  EXPECT_EQ(Page(200, 305), kRed);
  EXPECT_EQ(Page(210, 305), kRed);
  EXPECT_EQ(Page(205, 310), kRed);
  EXPECT_EQ(Page(205, 300), kBlue);   // the shaft runs along the box's top side, over it
  EXPECT_EQ(Page(250, 300), kBlue);
  PaintPage(0);
  EXPECT_EQ(Page(200, 305), kWhite);
  EXPECT_EQ(Page(250, 300), kBlue);
}

TEST_F(PainterTest, PropertiesModeHidesTheChosenAdministrativeObjectUnderADarkBlock) {
  struct Case {
    int32_t kind;
    bool blocked;
  };
  const Case cases[] = {
      {kAdminControl, true}, {kAdminOptionCell, true}, {kCornerMarks, true},
      {kAlignedText, false}, {kAngledText, false},      {kSquareOrCircle, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    objectCount = 1;
    PageObject& chosen = AddText(c.kind, 100, 100, 80, 40, "");
    chosen.backColor = -2;
    chosen.borderColor = kGreen;
    chosen.lineWidth = 1;
    PageObject& other = AddText(c.kind, 300, 100, 80, 40, "");
    other.backColor = -2;
    other.lineWidth = 1;
    currentObjectIndex = 2;
    PaintPage(7);
    EXPECT_EQ(Page(140, 120) == kDarkRed, c.blocked);
    EXPECT_EQ(Page(100, 120) == kBlack, c.blocked);   // the block's border
    EXPECT_NE(Page(340, 120), kDarkRed);
    PaintPage(1);
    EXPECT_NE(Page(140, 120), kDarkRed);
  }
}

TEST_F(PainterTest, TextObjectsGetTheirFontsAgainOnEveryPass) {
  PageObject& angled = AddText(kAngledText, 100, 100, 50, 20, "Texto");
  PageObject& turned = AddText(kAngledText, 100, 300, 50, 20, "Texto");
  turned.angle = 450;
  PageObject& maths = AddText(kMathsCharacter, 300, 100, 20, 20, "p");
  std::strcpy(maths.fontName, "Symbol");
  PaintPage();
  ASSERT_NE(angled.fontHandle, 0);
  EXPECT_NE(turned.fontHandle, angled.fontHandle);
  EXPECT_EQ(gfx::FontOf(turned.fontHandle).escapement, 450);
  EXPECT_EQ(gfx::FontOf(turned.fontHandle).charset, 1);
  EXPECT_EQ(gfx::FontOf(angled.fontHandle).face, "Times New Roman");
  EXPECT_EQ(gfx::FontOf(angled.fontHandle).points, 12);
  EXPECT_EQ(gfx::FontOf(maths.fontHandle).face, "Symbol");
  EXPECT_TRUE(Inked(*pageBitmap, 101, 101, 149, 119));
  EXPECT_TRUE(Inked(*pageBitmap, 301, 101, 319, 119));

  const int32_t first = angled.fontHandle;
  angled.fontHandle = 0;
  PaintPage();
  EXPECT_EQ(angled.fontHandle, first);
}

// "Propiedades objetos" sets any font size; the page draws the text at that size.
TEST_F(PainterTest, TextsAreDrawnAtTheirOwnSizeBeyondTheSizeCombos) {
  PageObject& big = AddText(kAngledText, 100, 100, 20, 20, "H");
  big.fontSize = 100;
  PageObject& lines = AddText(kLineText, 400, 100, 20, 20, "H\r\nH");
  lines.fontSize = 90;
  PaintPage(0);
  EXPECT_EQ(gfx::FontOf(big.fontHandle).points, 100);
  // A capital of 100 points stands some 90 pixels tall; one of 70 points, about 62.
  const ink::Box h = ink::InkBox(*pageBitmap, 100, 100, 300, 400);
  ASSERT_FALSE(h.Empty());
  EXPECT_GT(h.bottom - h.top, 80);
  // Line texts step down by their size: the second line starts 90 pixels below the first.
  std::vector<int> tops;   // the first row of each run of inked rows
  for (int y = 100, inkedBefore = 0; y < 600; ++y) {
    const int inked = Inked(*pageBitmap, 400, y, 600, y);
    if (inked && !inkedBefore) tops.push_back(y);
    inkedBefore = inked;
  }
  ASSERT_EQ(tops.size(), 2u);
  EXPECT_EQ(tops[1] - tops[0], 90);
}

// A stored calendar keeps no colour for its name and may keep no face: the program says.
TEST_F(PainterTest, MonthCalendarsTakeTheNameColourAndFaceTheProgramGives) {
  PageObject& month = Add(kMonthCalendar, 100, 100, 0, 0);
  month.calendarYear = 2024;
  month.calendarMonth = 3;
  month.fontSize = 12;
  month.alignment = 1;   // the name at the left
  const auto greenInNameRow = [] {
    int n = 0;
    for (int y = 100; y < 124; ++y) n += InRow(y, 90, 400, kGreen);
    return n;
  };
  ClearGraphicTarget(*pageBitmap);
  PaintAllObjects(*pageBitmap, 0, PaintDefaults{kGreen, "Arial"});
  EXPECT_GT(greenInNameRow(), 10);
  EXPECT_EQ(gfx::FontOf(month.fontHandle).face, "Arial");

  PaintPage(0);
  EXPECT_EQ(greenInNameRow(), 0);
  EXPECT_EQ(gfx::FontOf(month.fontHandle).face, "Times New Roman");
}

TEST_F(PainterTest, LineAndAlignedTextsAreDrawnInTheirPlaces) {
  AddText(kLineText, 100, 100, 60, 40, "AB\r\nCD");
  AddText(kAlignedText, 100, 300, 200, 60, "Texto alineado");
  AddText(kMemoText, 100, 500, 200, 60, "Texto memo");
  PaintPage(0);
  // A line text's first line stands one size step below its y.
  EXPECT_FALSE(Inked(*pageBitmap, 100, 90, 160, 110));
  EXPECT_TRUE(Inked(*pageBitmap, 100, 112, 160, 140));
  EXPECT_TRUE(Inked(*pageBitmap, 100, 300, 300, 330));
  EXPECT_TRUE(Inked(*pageBitmap, 100, 500, 300, 530));
}

TEST_F(PainterTest, FilledAlignedTextsShowTheirCopyOnlyWhereTheFillMadeOne) {
  AddText(kAlignedText, 100, 100, 200, 40, "");           // slot 2: filled copy below
  AddText(kAlignedText, 100, 200, 200, 40, "Propio");     // slot 3: inserted after the fill
  AddText(kMemoText, 100, 300, 200, 40, "");              // slot 4: memo texts show their own
  savedPlaceholderTexts = {"", "", "Relleno"};
  filledTextsShown = 1;
  PaintPage(0);
  EXPECT_TRUE(Inked(*pageBitmap, 100, 100, 300, 139));
  EXPECT_TRUE(Inked(*pageBitmap, 100, 200, 300, 239));

  savedPlaceholderTexts.resize(5, "Relleno");
  PaintPage(0);
  EXPECT_FALSE(Inked(*pageBitmap, 100, 300, 300, 339));

  filledTextsShown = 0;
  PaintPage(0);
  EXPECT_FALSE(Inked(*pageBitmap, 100, 100, 300, 139));
  EXPECT_TRUE(Inked(*pageBitmap, 100, 200, 300, 239));
}

TEST_F(PainterTest, DamagedObjectsNeitherCrashNorHang) {
  PageObject& huge = AddSquare(INT32_MAX - 5, INT32_MIN + 5, 0, kBlue);
  huge.width = INT32_MAX;
  huge.height = INT32_MIN;
  huge.lineWidth = INT32_MAX;
  PageObject& text = AddText(kAngledText, 50, 50, INT32_MAX, INT32_MAX, "");
  std::memset(text.text, 'W', sizeof text.text);           // no terminator anywhere
  std::memset(text.fontName, 'F', sizeof text.fontName);
  text.fontSize = INT16_MAX;
  PageObject& maths = AddText(kMathsCharacter, -INT32_MAX, 50, 10, 10, "a");
  maths.fontSize = INT16_MIN;
  PageObject& lines = AddText(kLineText, 50, 50, 10, 10, "");
  std::memset(lines.text, '\n', sizeof lines.text);
  lines.alignment = kAlignCentre;
  PageObject& aligned = AddText(kAlignedText, 50, 50, -7, -7, "");
  std::memset(aligned.text, 'M', sizeof aligned.text);
  PageObject& arrow = Add(kArrow, 400, 400, 10, 10);
  arrow.arrowDirection = kArrowDownRight;
  arrow.arrowLength = INT16_MAX;
  arrow.arrowHeadSize = INT16_MIN;
  arrow.arrowLineWidth = INT16_MAX;
  arrow.arrowHeads = 255;
  PaintPage(1);
  EXPECT_EQ(gfx::FontOf(text.fontHandle).points, INT16_MAX);
  EXPECT_EQ(gfx::FontOf(maths.fontHandle).points, INT16_MIN);

  // A count beyond the store reads no further than its last slot.
  objectCount = INT32_MAX;
  PaintPage(1);
  objectCount = INT32_MIN;
  PaintPage(1);
}

}  // namespace
