#include "page/aligned_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "page/shared_helpers.h"
#include "tests/page/ink.h"

namespace {

class TextInAreaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page = gfx::MakeBitmap(600, 2100);
    font = MakeSystemFont("Arial", 12, 0);
    gfx::SelectFont(*page, font);
    line = gfx::LineHeight(*page);
  }
  void TearDown() override { gfx::ReleaseBitmap(page); }

  int Width(const std::string& s) {
    gfx::SelectFont(*page, font);
    return gfx::TextWidth(*page, s);
  }
  // The ink of line `n` (from 0) of a text drawn from y = kTop.
  ink::Box LineInk(int n) { return ink::InkBox(*page, 0, kTop + n * line, 599, kTop + (n + 1) * line - 1); }

  static constexpr int kTop = 5;
  gfx::Surface* page = nullptr;
  gfx::FontKey font = 0;
  int line = 0;
};

TEST_F(TextInAreaTest, EachAlignmentPlacesALineInTheArea) {
  const std::string text = "Hola mundo";
  const int x = 40, W = 400;
  const int w = Width(text);
  struct Case {
    int alignment;
    double penX;   // where the line starts
  };
  const Case cases[] = {
      {kAlignLeft, x},
      {kAlignRight, static_cast<double>(x + W - w - 3)},
      {kAlignCentre, x + (W - w) / 2.0},
      {kAlignJustified, x},   // a single line is the widest: never stretched
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alignment);
    ClearGraphicTarget(*page);
    DrawTextInArea(*page, text, c.alignment, x, kTop, W, font, gfx::kBlack, gfx::kTransparent);
    ink::Box b = LineInk(0);
    ASSERT_FALSE(b.Empty());
    EXPECT_GE(b.left, static_cast<int>(c.penX) - 1);
    EXPECT_LE(b.left, static_cast<int>(c.penX) + 3);
    EXPECT_LE(b.right, static_cast<int>(c.penX) + w + 1);
    EXPECT_GE(b.right, static_cast<int>(c.penX) + w - 4);
    // Nothing below the first line: the 99 empty slots draw nothing.
    EXPECT_TRUE(ink::InkBox(*page, 0, kTop + line, 599, 2099).Empty());
  }
}

TEST_F(TextInAreaTest, AnUnknownAlignmentOrAnEmptyTextDrawsNothing) {
  DrawTextInArea(*page, "Hola mundo", 135, 10, kTop, 300, font, gfx::kBlack, gfx::kWhite);
  DrawTextInArea(*page, "Hola mundo", 130, 10, kTop, 300, font, gfx::kBlack, gfx::kWhite);
  for (int a : {131, 132, 133, 134}) DrawTextInArea(*page, "", a, 10, kTop, 300, font, gfx::kBlack, 0x00FF00);
  EXPECT_TRUE(ink::InkBox(*page).Empty());
}

TEST_F(TextInAreaTest, EmptySlotsStillMoveThePenDown) {
  DrawTextInArea(*page, "Hola", kAlignLeft, 10, kTop, 300, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_DOUBLE_EQ(gfx::PenY(*page), kTop + 100.0 * line);
}

TEST_F(TextInAreaTest, TheFirstLineBreaksForTheWidthLessFiveAndLaterLinesForTheWholeWidth) {
  const std::string word = "mmmm";
  // Two words fit the whole width but not the width less 5.
  const int W = Width(word + " " + word) + 3;
  LineSlots slots = SplitTextIntoLineSlots(*page, "mmmm mmmm mmmm mmmm mmmm mmmm", W);
  EXPECT_EQ(slots[0], "mmmm");
  // A rest is split with its leading blank, which keeps the second word out of line 2.
  EXPECT_EQ(slots[1], "mmmm");
  EXPECT_EQ(slots[2], "mmmm mmmm");
  EXPECT_EQ(slots[3], "mmmm mmmm");
  for (int i = 4; i < kLineSlots; ++i) EXPECT_EQ(slots[i], "") << i;

  // Right-aligned, every line ends 3 pixels inside the area.
  const int x = 20;
  DrawTextInArea(*page, "mmmm mmmm mmmm mmmm mmmm mmmm", kAlignRight, x, kTop, W, font, gfx::kBlack,
                 gfx::kTransparent);
  for (int n = 0; n < 4; ++n) {
    ink::Box b = LineInk(n);
    ASSERT_FALSE(b.Empty()) << n;
    EXPECT_LE(b.right, x + W - 3) << n;
    EXPECT_GE(b.right, x + W - 3 - 4) << n;
  }
}

TEST_F(TextInAreaTest, ARestNoLongerThanTheLineAboveKeepsItsLeadingBlank) {
  const int W = Width("primera") + 5 + 2;
  LineSlots slots = SplitTextIntoLineSlots(*page, "primera otra", W);
  EXPECT_EQ(slots[0], "primera");
  EXPECT_EQ(slots[1], " otra");
  // Drawn left, the second line starts one blank to the right of x.
  DrawTextInArea(*page, "primera otra", kAlignLeft, 10, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_GE(LineInk(1).left, 10 + Width(" ") - 1);
}

TEST_F(TextInAreaTest, AWordWiderThanTheAreaIsDrawnWholeAsTheHundredthLine) {
  const std::string word = "Anticonstitucionalmente";
  const int W = Width(word) / 2;
  LineSlots slots = SplitTextIntoLineSlots(*page, word, W);
  for (int i = 0; i < kLineSlots - 1; ++i) EXPECT_EQ(slots[i], "") << i;
  EXPECT_EQ(slots[99], word);

  DrawTextInArea(*page, word, kAlignLeft, 10, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_TRUE(ink::InkBox(*page, 0, 0, 599, kTop + 99 * line - 1).Empty());
  ink::Box last = LineInk(99);
  ASSERT_FALSE(last.Empty());
  EXPECT_GT(last.right, 10 + W);   // nothing is clipped
}

TEST_F(TextInAreaTest, TheHundredthLineTakesWhateverIsLeft) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += (i ? " " : "") + std::string("palabra") + std::to_string(i);
  const int W = Width("palabra100") + 10;
  LineSlots slots = SplitTextIntoLineSlots(*page, text, W);
  EXPECT_NE(slots[98].find("palabra98"), std::string::npos);
  EXPECT_EQ(slots[99].rfind("palabra99", 0), 0u) << slots[99];
  EXPECT_NE(slots[99].find("palabra149"), std::string::npos);

  DrawTextInArea(*page, text, kAlignLeft, 10, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_GT(LineInk(99).right, 10 + W);
}

TEST_F(TextInAreaTest, TinyOrNegativeAreasDoNotBreakTheSplit) {
  for (int W : {INT_MIN, -20, 0, 1, 5}) {
    SCOPED_TRACE(W);
    LineSlots slots = SplitTextIntoLineSlots(*page, "dos palabras", W);
    for (int i = 0; i < kLineSlots - 1; ++i) EXPECT_EQ(slots[i], "") << i;
    EXPECT_EQ(slots[99], "dos palabras");
    DrawTextInArea(*page, "dos palabras", kAlignCentre, 10, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  }
}

TEST_F(TextInAreaTest, ARestShorterInCharactersIsNotSplitAgainHoweverWide) {
  const std::string narrow(12, 'i');
  const int W = Width(narrow) + 5;
  const std::string text = narrow + " mmmm mmmm";
  ASSERT_GT(Width(" mmmm mmmm"), W);
  LineSlots slots = SplitTextIntoLineSlots(*page, text, W);
  EXPECT_EQ(slots[0], narrow);
  EXPECT_EQ(slots[1], " mmmm mmmm");   // fewer characters than the line above: taken to fit
  for (int i = 2; i < kLineSlots; ++i) EXPECT_EQ(slots[i], "") << i;
  DrawTextInArea(*page, text, kAlignLeft, 10, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_GT(LineInk(1).right, 10 + W);
}

TEST_F(TextInAreaTest, CentredLinesKeepTheHalfPixel) {
  const std::string text = "Hola";
  const int w = Width(text);
  const int W = w + 21;   // (W - w) / 2 = 10.5
  const int x = 11;       // the pen at 21.5, which the layer takes to the even 22
  DrawTextInArea(*page, text, kAlignCentre, x, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  gfx::Surface* expected = gfx::MakeBitmap(600, 2100);
  for (int penX : {22, 21}) {
    ClearGraphicTarget(*expected);
    gfx::SelectFont(*expected, font);
    gfx::SetForeColour(*expected, gfx::kBlack);
    gfx::SetBackColour(*expected, gfx::kTransparent);
    gfx::MoveTo(*expected, penX, kTop);
    gfx::Print(*expected, text);
    EXPECT_EQ(ink::SamePixels(*page, *expected), penX == 22) << penX;
  }
  gfx::ReleaseBitmap(expected);
}

TEST_F(TextInAreaTest, ALineOfExactlyFourFifthsOfTheWidestIsNotStretched) {
  // Lines built from wide and narrow letters until the second is exactly 4/5 of the first.
  std::string first, second;
  for (int narrow = 0; narrow < 5 && second.empty(); ++narrow) {
    first = std::string(10, 'm') + std::string(narrow, 'i');
    const int M = Width(first);
    if (M % 5 != 0) continue;
    for (int wide = 1; wide < 10 && second.empty(); ++wide)
      for (int thin = 0; thin < 60 && second.empty(); ++thin) {
        const std::string candidate = std::string(wide, 'm') + " " + std::string(thin, 'i');
        if (Width(candidate) == M / 5 * 4) second = candidate;
      }
  }
  if (second.empty()) GTEST_SKIP() << "no such pair of lines in this machine's font";
  const int M = Width(first);
  const std::string third = "mmm";
  const std::string text = first + " " + second + " " + third;
  const int W = M + 5;
  LineSlots slots = SplitTextIntoLineSlots(*page, text, W);
  ASSERT_EQ(slots[0], first);
  ASSERT_EQ(slots[1], second);
  ASSERT_EQ(slots[2], third);

  const int x = 30;
  DrawTextInArea(*page, text, kAlignJustified, x, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_NEAR(LineInk(1).right, x + Width(second), 3);
  EXPECT_LT(LineInk(1).right, x + M - 10);
}

TEST_F(TextInAreaTest, JustifiedStretchesOnlyLinesNearTheWidestThatHoldBlanks) {
  std::string first, second;
  for (int i = 0; i < 10; ++i) first += (i ? " " : "") + std::string("mmmm");
  for (int i = 0; i < 9; ++i) second += (i ? " " : "") + std::string("mmmm");
  const std::string third = "mmmmmmmmmmmmmmmmmmmmmm mm mm";
  const int M = Width(first);
  const int W = M + 5;
  const std::string text = first + " " + second + " " + third;
  LineSlots slots = SplitTextIntoLineSlots(*page, text, W);
  ASSERT_EQ(slots[0], first);
  ASSERT_EQ(slots[1], second);
  ASSERT_EQ(slots[2], third);
  ASSERT_GE(Width(second), 0.8 * M);
  ASSERT_LT(Width(third), 0.8 * M);

  const int x = 30;
  DrawTextInArea(*page, text, kAlignJustified, x, kTop, W, font, gfx::kBlack, gfx::kTransparent);
  EXPECT_NEAR(LineInk(0).right, x + M, 3);
  EXPECT_NEAR(LineInk(1).right, x + M, 3);                  // stretched to the widest
  EXPECT_NEAR(LineInk(2).right, x + Width(third), 3);       // too short: left as it is
  EXPECT_NEAR(LineInk(1).left, x, 3);
}

TEST_F(TextInAreaTest, AnOpaqueBackgroundFillsOnlyTheTextCells) {
  const gfx::Colour green = gfx::Rgb(0, 200, 0);
  DrawTextInArea(*page, "Hola", kAlignLeft, 10, kTop, 500, font, gfx::kBlack, green);
  EXPECT_GT(ink::CountColour(*page, green, 0, kTop, 599, kTop + line - 1), 0);
  EXPECT_EQ(ink::CountColour(*page, green, 10 + Width("Hola") + 2, 0, 599, 2099), 0);
  EXPECT_EQ(ink::CountColour(*page, green, 0, kTop + line, 599, 2099), 0);
}

TEST_F(TextInAreaTest, TheFormsDifferInWidthBackgroundAndStart) {
  const int w = Width("Hola");

  DrawFullWidthText(*page, "Hola", kAlignCentre, 0, kTop, font, gfx::kBlack);
  ink::Box full = LineInk(0);
  EXPECT_NEAR((full.left + full.right) / 2.0, 300, 3);   // centred on the whole surface

  ClearGraphicTarget(*page);
  DrawLabelText(*page, "Hola", kAlignLeft, 10, kTop, font, gfx::kBlack, 1, 40, 200, 20);
  ink::Box label = ink::InkBox(*page);
  EXPECT_GE(label.top, kTop + 40);
  EXPECT_LT(label.top, kTop + 40 + line);

  ClearGraphicTarget(*page);
  DrawLabelText(*page, "Hola", kAlignRight, 10, kTop, font, gfx::kBlack, 0, 40, 200, 20);
  ink::Box labelNoY = ink::InkBox(*page);
  EXPECT_LT(labelNoY.top, kTop + line);
  EXPECT_NEAR(labelNoY.right, 10 + 200 - 3, 4);

  ClearGraphicTarget(*page);
  DrawCornerMarkText(*page, "Hola", kAlignCentre, 10, kTop, font, gfx::kBlack, 100, 500);
  ink::Box mark = ink::InkBox(*page);
  EXPECT_NEAR(mark.left, 10 + (100 - w) / 2.0, 3);
  EXPECT_LT(mark.top, kTop + line);
}

}  // namespace
