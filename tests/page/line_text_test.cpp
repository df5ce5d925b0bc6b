// Tests of the line-text renderer's placing of each line, by probing pixels.
#include "page/line_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "page/drawers.h"
#include "page/shared_helpers.h"
#include "tests/platform/gfx/probe.h"
#include "tests/support/test_files.h"

namespace {

using gfxtest::Bitmap;
using gfxtest::Differences;
using gfxtest::InkBox;

// The renderer. Lines are 12-point Arial, but the step between rows is the fontSize argument:
// 40 keeps each line in a band of its own.
constexpr int kStep = 40;
constexpr gfx::Colour kInk = gfx::kBlack;

gfx::FontKey LineFont() { return MakeSystemFont("Arial", 12, 0); }

std::unique_ptr<Bitmap> DrawLines(std::string_view text, int x, int y, int16_t alignment,
                                  gfx::Colour back = gfx::kTransparent) {
  auto b = std::make_unique<Bitmap>(400, 300);
  DrawLineTextObject(**b, text, x, y, LineFont(), kInk, back, kStep, alignment);
  return b;
}

// The ink of the row whose top is at `top`.
gfxtest::Box BandInk(const gfx::Surface& s, int top) {
  gfxtest::Box box;
  for (int y = top; y < top + kStep && y < gfx::Height(s); ++y)
    for (int x = 0; x < gfx::Width(s); ++x) {
      if (gfx::Pixel(s, x, y) != kInk) continue;
      ++box.count;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  return box;
}

// A line printed on its own with its top-left corner at (x, y).
void OneLine(gfx::Surface& s, std::string_view line, int x, int y) {
  DrawTextAtPosition(s, x, y, kInk, gfx::kTransparent, line, LineFont());
}

int Width(std::string_view line) {
  Bitmap b(10, 10);
  gfx::SelectFont(*b, LineFont());
  return gfx::TextWidth(*b, line);
}

TEST(LineTextDrawer, LeftLinesStartAtTheAnchorOneStepApart) {
  auto b = DrawLines("MMMM\r\n\r\nMW\r\n", 100, 20, kAlignLeft);
  // Rows at 20 + 40, + 80 (empty), + 120, and an empty last row at + 160.
  gfxtest::Box first = BandInk(**b, 60), empty = BandInk(**b, 100), third = BandInk(**b, 140);
  ASSERT_FALSE(first.Empty());
  ASSERT_FALSE(third.Empty());
  EXPECT_TRUE(empty.Empty());
  EXPECT_TRUE(BandInk(**b, 180).Empty());
  EXPECT_TRUE(BandInk(**b, 0).Empty());
  for (const gfxtest::Box& line : {first, third}) {
    EXPECT_GE(line.left, 100);
    EXPECT_LE(line.left, 103);
  }
  EXPECT_GT(first.right, third.right);
  EXPECT_EQ(gfx::Current(), b->get());
}

TEST(LineTextDrawer, RightLinesEndAtTheAnchor) {
  auto b = DrawLines("M\r\nMMMMMMM", 300, 0, kAlignRight);
  gfxtest::Box shortLine = BandInk(**b, 40), longLine = BandInk(**b, 80);
  ASSERT_FALSE(shortLine.Empty());
  ASSERT_FALSE(longLine.Empty());
  EXPECT_LE(shortLine.right, 300);
  EXPECT_GE(shortLine.right, 296);
  EXPECT_LE(longLine.right, 300);
  EXPECT_GE(longLine.right, 296);
  EXPECT_LT(longLine.left, shortLine.left - 40);
  // Exactly where a line measured and printed on its own at x - width lands.
  Bitmap both(400, 300);
  OneLine(*both, "M", 300 - Width("M"), 40);
  OneLine(*both, "MMMMMMM", 300 - Width("MMMMMMM"), 80);
  EXPECT_EQ(Differences(**b, *both), 0);
}

TEST(LineTextDrawer, CentredLinesShareTheCentreOfABlockStartingAtTheAnchor) {
  auto b = DrawLines("MM\r\nMMMMMMMM", 200, 0, kAlignCentre);
  gfxtest::Box narrow = BandInk(**b, 40), wide = BandInk(**b, 80);
  ASSERT_FALSE(narrow.Empty());
  ASSERT_FALSE(wide.Empty());
  EXPECT_GE(wide.left, 200);
  EXPECT_LE(wide.left, 203);
  EXPECT_NEAR((narrow.left + narrow.right) / 2.0, (wide.left + wide.right) / 2.0, 1.5);
  EXPECT_GT(narrow.left, wide.left + 20);

  const int w = Width("MM"), W = Width("MMMMMMMM");
  Bitmap both(400, 300);
  const int narrowLeft = 200 + static_cast<int>(std::nearbyint((W - w) / 2.0));
  OneLine(*both, "MM", narrowLeft, 40);
  OneLine(*both, "MMMMMMMM", 200, 80);
  EXPECT_EQ(Differences(**b, *both), 0);
}

TEST(LineTextDrawer, OtherAlignmentsDrawNothing) {
  Bitmap blank(400, 300);
  for (int16_t alignment : {0, 130, 134, -1})
    EXPECT_EQ(Differences(**DrawLines("MMMM\r\nMMMM", 100, 20, alignment), *blank), 0)
        << alignment;
}

TEST(LineTextDrawer, LoneLineEndsAndBytesAfterTheZeroArePrintedAsNothing) {
  auto plain = DrawLines("MM\r\nWW", 100, 20, kAlignLeft);
  // A cut between CR and LF leaves a lone CR at the end of the last line.
  EXPECT_EQ(Differences(**DrawLines("MM\r\nWW\r", 100, 20, kAlignLeft), **plain), 0);
  EXPECT_EQ(Differences(**DrawLines(std::string_view("MM\r\nWW\0XX\r\nXX", 13), 100, 20,
                                    kAlignLeft),
                        **plain),
            0);
}

TEST(LineTextDrawer, AnOpaqueBackgroundFillsEachPrintedLine) {
  constexpr gfx::Colour kYellow = gfx::Rgb(255, 255, 0);
  auto b = DrawLines("MMMM\r\nMM", 100, 20, kAlignLeft, kYellow);
  gfxtest::Box back = InkBox(**b, kYellow);
  ASSERT_FALSE(back.Empty());
  EXPECT_EQ(back.left, 100);
  EXPECT_EQ(back.top, 60);
  EXPECT_GE(back.bottom, 100);
}

}  // namespace
