// Tests of the gfx unit: pens, lines, boxes, ellipses, pixels and copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/gfx/gfx.h"
#include "tests/platform/gfx/probe.h"

namespace {

using namespace gfx;
using gfxtest::Bitmap;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 160, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);

// Lengths of the runs of `ink` along row y from x0 to x1.
std::vector<int> InkRuns(const Surface& s, int y, int x0, int x1, Colour ink) {
  std::vector<int> runs;
  int run = 0;
  for (int x = x0; x <= x1; ++x) {
    if (Pixel(s, x, y) == ink) {
      ++run;
    } else if (run) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run) runs.push_back(run);
  return runs;
}

TEST(GfxPen, OnePixelLineCoversBothEndsAndMovesThePen) {
  Bitmap b(40, 30);
  Line(*b, 10, 10, 20, 10, kBlack);
  for (int x = 10; x <= 20; ++x) EXPECT_EQ(Pixel(*b, x, 10), kBlack) << x;
  EXPECT_EQ(Pixel(*b, 9, 10), kWhite);
  EXPECT_EQ(Pixel(*b, 21, 10), kWhite);
  EXPECT_EQ(PenX(*b), 20);
  EXPECT_EQ(PenY(*b), 10);

  LineTo(*b, 20, 25, kRed);   // continues from where the last line ended
  EXPECT_EQ(Pixel(*b, 20, 18), kRed);
  EXPECT_EQ(Pixel(*b, 20, 25), kRed);
  EXPECT_EQ(Pixel(*b, 20, 26), kWhite);

  MoveTo(*b, 3, 3);
  LineTo(*b, 3, 3, kBlue);    // a line of no length is one pixel
  EXPECT_EQ(Pixel(*b, 3, 3), kBlue);
}

TEST(GfxPen, PenPositionKeepsFractionsAndRoundsHalfToEven) {
  Bitmap b(40, 30);
  MoveTo(*b, 10.5, 2);
  EXPECT_DOUBLE_EQ(PenX(*b), 10.5);
  LineTo(*b, 10.5, 6, kBlack);      // 10.5 -> 10
  MoveTo(*b, 11.5, 12);
  LineTo(*b, 11.5, 16, kBlack);     // 11.5 -> 12
  MoveTo(*b, 20.4, 20);
  LineTo(*b, 20.6, 24, kBlack);     // 20.4 -> 20 at the top, 20.6 -> 21 at the bottom
  EXPECT_EQ(Pixel(*b, 10, 4), kBlack);
  EXPECT_EQ(Pixel(*b, 11, 4), kWhite);
  EXPECT_EQ(Pixel(*b, 12, 14), kBlack);
  EXPECT_EQ(Pixel(*b, 11, 14), kWhite);
  EXPECT_EQ(Pixel(*b, 20, 20), kBlack);
  EXPECT_EQ(Pixel(*b, 21, 24), kBlack);
}

TEST(GfxPen, SolidPenOfEveryWidthDrawsUnbroken) {
  for (int width : {1, 2, 4}) {
    Bitmap b(200, 40);
    SetPen(*b, width, kSolid);
    EXPECT_EQ(PenWidth(*b), width);
    Line(*b, 5, 20, 195, 20, kBlack);
    std::vector<int> runs = InkRuns(*b, 20, 0, 199, kBlack);
    ASSERT_EQ(runs.size(), 1u) << width;
    EXPECT_GE(runs[0], 191) << width;
    EXPECT_EQ(Pixel(*b, 100, 20 - (width + 2) / 2 - 1), kWhite) << width;
  }
}

TEST(GfxPen, DashedAndDottedStylesAtEveryWidthLeaveTransparentGaps) {
  struct Case {
    int style;
    int longestMin, longestMax;   // longest run of ink, in pen widths
    int shortestMax;              // shortest run, in pen widths
  };
  const Case cases[] = {
      {kDash, 3, 18, 18},
      {kDot, 1, 3, 3},
      {kDashDot, 3, 9, 3},
      {kDashDotDot, 3, 9, 3},
  };
  for (int width : {1, 3}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "style " << c.style << " width " << width);
      Bitmap b(400, 40);
      Clear(*b, kGreen);
      SetPen(*b, width, c.style);
      EXPECT_EQ(PenStyleOf(*b), c.style);
      Line(*b, 5, 20, 395, 20, kBlack);
      std::vector<int> runs = InkRuns(*b, 20, 5, 395, kBlack);
      ASSERT_GE(runs.size(), 4u);
      int longest = *std::max_element(runs.begin(), runs.end());
      int shortest = *std::min_element(runs.begin() + 1, runs.end() - 1);
      EXPECT_GE(longest, c.longestMin * width);
      EXPECT_LE(longest, c.longestMax * width + 1);
      EXPECT_LE(shortest, c.shortestMax * width + 1);
      // The gaps show what was under the line, not the back colour.
      int inkOrGreen = 0;
      for (int x = 5; x <= 395; ++x) inkOrGreen += Pixel(*b, x, 20) == kBlack || Pixel(*b, x, 20) == kGreen;
      EXPECT_EQ(inkOrGreen, 391);
      // The pattern runs across the whole width of the pen.
      if (width > 1) {
        EXPECT_EQ(InkRuns(*b, 21, 5, 395, kBlack), runs);
      }
    }
  }
}

TEST(GfxPen, DashDotDotHasTwoDotsForEachDash) {
  Bitmap b(400, 20);
  SetPen(*b, 1, kDashDotDot);
  Line(*b, 0, 10, 399, 10, kBlack);
  std::vector<int> runs = InkRuns(*b, 10, 0, 399, kBlack);
  int dashes = 0, dots = 0;
  for (size_t i = 1; i + 1 < runs.size(); ++i) (runs[i] > 5 ? dashes : dots)++;
  EXPECT_GT(dashes, 5);
  EXPECT_NEAR(dots, 2 * dashes, 2);
}

TEST(GfxPixels, SetPixelAndPixelStayInsideTheSurface) {
  Bitmap b(10, 8);
  SetPixel(*b, 3, 4, kRed);
  EXPECT_EQ(Pixel(*b, 3, 4), kRed);
  SetForeColour(*b, kBlue);
  SetPixel(*b, 5, 5, kForeColour);
  EXPECT_EQ(Pixel(*b, 5, 5), kBlue);
  SetPixel(*b, -1, 0, kRed);   // outside: nothing happens
  SetPixel(*b, 10, 0, kRed);
  EXPECT_EQ(Pixel(*b, -1, 0), -1);
  EXPECT_EQ(Pixel(*b, 0, 8), -1);
  EXPECT_EQ(Pixel(*b, 9, 7), kWhite);
}

TEST(GfxBox, CornersAreInsideTheOutlineAndNoFillKeepsTheInside) {
  Bitmap b(50, 40);
  Clear(*b, kGreen);
  Box(*b, 10, 10, 30, 20, 0, kBlack, kTransparent, 5);
  for (auto [x, y] : {std::pair{10, 10}, {30, 10}, {10, 20}, {30, 20}, {20, 10}, {20, 20}, {10, 15}, {30, 15}})
    EXPECT_EQ(Pixel(*b, x, y), kBlack) << x << "," << y;
  for (auto [x, y] : {std::pair{9, 10}, {31, 10}, {10, 9}, {30, 21}})
    EXPECT_EQ(Pixel(*b, x, y), kGreen) << x << "," << y;
  for (int x = 11; x < 30; ++x)
    for (int y = 11; y < 20; ++y) ASSERT_EQ(Pixel(*b, x, y), kGreen) << x << "," << y;
}

TEST(GfxBox, CornersGivenInAnyOrderDrawTheSameBox) {
  Bitmap a(50, 40), b(50, 40);
  Box(*a, 10, 10, 30, 20, 0, kBlack, kRed, 0);
  Box(*b, 30, 20, 10, 10, 0, kBlack, kRed, 0);
  EXPECT_EQ(gfxtest::Differences(*a, *b), 0);
}

TEST(GfxBox, ForeColourOutlineAndSolidFill) {
  Bitmap b(50, 40);
  SetForeColour(*b, kBlue);
  Box(*b, 5, 5, 25, 25, 0, kForeColour, kRed, 0);
  EXPECT_EQ(Pixel(*b, 5, 5), kBlue);
  EXPECT_EQ(Pixel(*b, 25, 15), kBlue);
  EXPECT_EQ(Pixel(*b, 6, 6), kRed);
  EXPECT_EQ(Pixel(*b, 24, 24), kRed);
  EXPECT_EQ(Pixel(*b, 26, 15), kWhite);
  // A fill above the hatch styles is solid.
  Box(*b, 30, 5, 45, 20, 0, kBlack, kGreen, 9);
  for (int x = 31; x < 45; ++x) EXPECT_EQ(Pixel(*b, x, 12), kGreen) << x;
}

TEST(GfxBox, WidePenIsCentredOnTheEdge) {
  Bitmap b(80, 80);
  SetPen(*b, 5, kSolid);
  Box(*b, 20, 20, 60, 60, 0, kBlack, kTransparent, 0);
  for (int x = 18; x <= 22; ++x) EXPECT_EQ(Pixel(*b, x, 40), kBlack) << x;
  for (int x = 58; x <= 62; ++x) EXPECT_EQ(Pixel(*b, x, 40), kBlack) << x;
  EXPECT_EQ(Pixel(*b, 16, 40), kWhite);
  EXPECT_EQ(Pixel(*b, 24, 40), kWhite);
  EXPECT_EQ(Pixel(*b, 64, 40), kWhite);
  EXPECT_EQ(Pixel(*b, 18, 18), kBlack);   // square corners
}

TEST(GfxBox, DashedOutlineHasGaps) {
  Bitmap b(120, 60);
  SetPen(*b, 1, kDash);
  Box(*b, 5, 5, 115, 50, 0, kBlack, kTransparent, 0);
  std::vector<int> runs = InkRuns(*b, 5, 5, 115, kBlack);
  EXPECT_GE(runs.size(), 3u);
}

TEST(GfxBox, RoundingIsAPercentOfTheSmallerSide) {
  struct Case {
    int percent;
    bool cornerWhite;
  };
  for (Case c : {Case{0, false}, {100, true}, {50, true}, {-5, true}, {150, true}}) {
    SCOPED_TRACE(c.percent);
    Bitmap b(60, 60);
    Box(*b, 10, 10, 50, 50, c.percent, kBlack, kTransparent, 0);
    EXPECT_EQ(Pixel(*b, 10, 10) == kWhite, c.cornerWhite);
    EXPECT_EQ(Pixel(*b, 30, 10), kBlack);   // the middle of each side is on the outline
    EXPECT_EQ(Pixel(*b, 10, 30), kBlack);
    EXPECT_EQ(Pixel(*b, 50, 30), kBlack);
    EXPECT_EQ(Pixel(*b, 30, 50), kBlack);
  }
}

TEST(GfxBox, FullRoundingOfASquareIsACircleAndOfALongBoxHalfCircles) {
  Bitmap square(60, 60), circle(60, 60);
  Box(*square, 10, 10, 50, 50, 100, kBlack, kRed, 0);
  Ellipse(*circle, 10, 10, 50, 50, kBlack, kRed, 0);
  EXPECT_EQ(gfxtest::Differences(*square, *circle), 0);
  EXPECT_EQ(Pixel(*square, 14, 14), kWhite);

  // 200 x 100 at 100 %: corners of 100 x 100, so the ends are half circles.
  Bitmap b(220, 120);
  Box(*b, 10, 10, 210, 110, 100, kBlack, kTransparent, 0);
  EXPECT_EQ(Pixel(*b, 10, 60), kBlack);    // the middle of the round end
  EXPECT_EQ(Pixel(*b, 10, 30), kWhite);    // no straight side left
  EXPECT_EQ(Pixel(*b, 60, 10), kBlack);    // the straight top starts 50 pixels in
  EXPECT_EQ(Pixel(*b, 160, 110), kBlack);
  EXPECT_EQ(Pixel(*b, 30, 10), kWhite);
}

TEST(GfxEllipse, InscribedInTheBoxWithFill) {
  Bitmap b(60, 40);
  Ellipse(*b, 10, 10, 50, 30, kBlack, kRed, 0);
  for (auto [x, y] : {std::pair{30, 10}, {30, 30}, {10, 20}, {50, 20}})
    EXPECT_EQ(Pixel(*b, x, y), kBlack) << x << "," << y;
  EXPECT_EQ(Pixel(*b, 30, 20), kRed);
  EXPECT_EQ(Pixel(*b, 11, 11), kWhite);
  EXPECT_EQ(Pixel(*b, 49, 29), kWhite);
  EXPECT_EQ(Pixel(*b, 51, 20), kWhite);

  Bitmap c(60, 40);
  Clear(*c, kGreen);
  SetForeColour(*c, kBlue);
  Ellipse(*c, 10, 10, 50, 30, kForeColour, kTransparent, 0);
  EXPECT_EQ(Pixel(*c, 30, 10), kBlue);
  EXPECT_EQ(Pixel(*c, 30, 20), kGreen);
}

// Hatches: probed inside a 100 x 100 box on a green surface.
struct Hatch {
  int rowsFull = 0, rowsEmpty = 0, colsFull = 0, falling = 0, rising = 0, ink = 0, green = 0;
};

Hatch ProbeHatch(int fillStyle) {
  Bitmap b(120, 120);
  Clear(*b, kGreen);
  Box(*b, 10, 10, 110, 110, 0, kBlack, kBlue, fillStyle);
  Hatch h;
  auto ink = [&](int x, int y) { return Pixel(*b, x, y) == kBlue; };
  for (int y = 20; y < 100; ++y) {
    int n = 0;
    for (int x = 20; x < 100; ++x) n += ink(x, y);
    h.rowsFull += n == 80;
    h.rowsEmpty += n == 0;
  }
  for (int x = 20; x < 100; ++x) {
    int n = 0;
    for (int y = 20; y < 100; ++y) n += ink(x, y);
    h.colsFull += n == 80;
  }
  for (int y = 20; y < 100; ++y)
    for (int x = 20; x < 100; ++x) {
      h.ink += ink(x, y);
      h.green += Pixel(*b, x, y) == kGreen;
      if (ink(x, y) && !ink(x + 1, y) && !ink(x, y + 1)) {
        h.falling += ink(x + 1, y + 1);
        h.rising += ink(x + 1, y - 1);
      }
    }
  return h;
}

TEST(GfxBox, HatchStylesDrawTheirLinesOnWhatWasThere) {
  {
    SCOPED_TRACE("horizontal");
    Hatch h = ProbeHatch(1);
    EXPECT_EQ(h.rowsFull, 10);   // every 8th row of 80
    EXPECT_EQ(h.rowsEmpty, 70);
    EXPECT_EQ(h.colsFull, 0);
    EXPECT_EQ(h.ink + h.green, 6400);
  }
  {
    SCOPED_TRACE("vertical");
    Hatch h = ProbeHatch(2);
    EXPECT_EQ(h.colsFull, 10);
    EXPECT_EQ(h.rowsFull, 0);
    EXPECT_EQ(h.ink, 800);
  }
  {
    SCOPED_TRACE("forward diagonal");
    Hatch h = ProbeHatch(3);
    EXPECT_GT(h.falling, 50);
    EXPECT_EQ(h.rising, 0);
    EXPECT_EQ(h.ink, 800);
    EXPECT_EQ(h.ink + h.green, 6400);
  }
  {
    SCOPED_TRACE("backward diagonal");
    Hatch h = ProbeHatch(4);
    EXPECT_GT(h.rising, 50);
    EXPECT_EQ(h.falling, 0);
  }
  {
    SCOPED_TRACE("cross");
    Hatch h = ProbeHatch(5);
    EXPECT_EQ(h.rowsFull, 10);
    EXPECT_EQ(h.colsFull, 10);
    EXPECT_GT(h.green, 4000);
  }
  {
    SCOPED_TRACE("diagonal cross");
    Hatch h = ProbeHatch(6);
    EXPECT_GT(h.falling, 20);
    EXPECT_GT(h.rising, 20);
    EXPECT_EQ(h.rowsFull, 0);
    EXPECT_GT(h.green, 4000);
  }
  for (int solid : {0, 7}) {
    SCOPED_TRACE(solid);
    EXPECT_EQ(ProbeHatch(solid).ink, 6400);
  }
}

TEST(GfxCopy, PlainCopyOfARectangleIsClippedToBothSurfaces) {
  Bitmap from(20, 20), to(30, 30);
  Clear(*from, kRed);
  SetPixel(*from, 5, 5, kBlue);
  Copy(*to, 10, 10, *from, 5, 5, 4, 3);
  EXPECT_EQ(Pixel(*to, 10, 10), kBlue);
  EXPECT_EQ(Pixel(*to, 13, 12), kRed);
  EXPECT_EQ(Pixel(*to, 14, 12), kWhite);
  EXPECT_EQ(Pixel(*to, 13, 13), kWhite);

  Copy(*to, 25, -5, *from);   // all of `from`, hanging over two edges
  EXPECT_EQ(Pixel(*to, 25, 0), kRed);
  EXPECT_EQ(Pixel(*to, 29, 14), kRed);
  EXPECT_EQ(Pixel(*to, 29, 15), kWhite);
  EXPECT_EQ(Pixel(*to, 24, 0), kWhite);
}

TEST(GfxCopy, AndCombinesTheColourBits) {
  Bitmap from(4, 4), to(4, 4);
  Clear(*from, Rgb(0x3C, 0xFF, 0x0F));
  Clear(*to, Rgb(0xF0, 0x0F, 0xFF));
  SetPixel(*from, 1, 1, kWhite);
  Copy(*to, 0, 0, *from, 0, 0, -1, -1, Rop::And);
  EXPECT_EQ(Pixel(*to, 0, 0), Rgb(0x30, 0x0F, 0x0F));
  EXPECT_EQ(Pixel(*to, 1, 1), Rgb(0xF0, 0x0F, 0xFF));   // white keeps what was there
}

TEST(GfxCopy, StretchScalesTheWholeSource) {
  Bitmap from(2, 2), to(40, 40);
  SetPixel(*from, 0, 0, kRed);
  SetPixel(*from, 1, 0, kGreen);
  SetPixel(*from, 0, 1, kBlue);
  SetPixel(*from, 1, 1, kBlack);
  Stretch(*to, 10, 10, 20, 20, *from);
  EXPECT_EQ(Pixel(*to, 12, 12), kRed);
  EXPECT_EQ(Pixel(*to, 27, 12), kGreen);
  EXPECT_EQ(Pixel(*to, 12, 27), kBlue);
  EXPECT_EQ(Pixel(*to, 27, 27), kBlack);
  EXPECT_EQ(Pixel(*to, 9, 9), kWhite);
  EXPECT_EQ(Pixel(*to, 30, 30), kWhite);
}

TEST(GfxSurface, BitmapsClearAndSelect) {
  Bitmap b(7, 5);
  EXPECT_EQ(Width(*b), 7);
  EXPECT_EQ(Height(*b), 5);
  EXPECT_EQ(PixelsPerInch(*b), 96);
  EXPECT_EQ(Pixel(*b, 6, 4), kWhite);
  MoveTo(*b, 3, 3);
  Clear(*b, kRed);
  EXPECT_EQ(Pixel(*b, 0, 0), kRed);
  EXPECT_EQ(PenX(*b), 0);
  Select(*b);
  EXPECT_EQ(Current(), b.get());
}

}  // namespace
