// Tests of the painter a surface keeps open between operations: every drawing comes out pixel
// for pixel as drawn with a painter per operation, and every way of reading, copying, replacing
// or releasing the image ends the painter first.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <utility>

#include "platform/gfx/gfx.h"
#include "platform/gfx/gfx_qt.h"
#include "tests/platform/gfx/probe.h"
#include "tests/support/test_env.h"

namespace {

using namespace gfx;
using gfxtest::Bitmap;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kYellow = Rgb(255, 255, 0);

// Draws with `draw` onto one bitmap with a painter per operation and onto another with painters
// kept open, and counts the pixels where the two differ.
template <class Draw>
int DifferencesBetweenWays(int width, int height, const Draw& draw) {
  Bitmap old(width, height), kept(width, height);
  gfx::testing::SetPaintingPerOperation(true);
  draw(*old);
  gfx::testing::SetPaintingPerOperation(false);
  draw(*kept);
  return gfxtest::Differences(*old, *kept);
}

TEST(GfxPaintingWays, TextsComeOutAlikeInEveryFaceStyleAndPlace) {
  struct Case {
    const char* face;
    int points;
    int style;
    int escapement;
    Colour fore, back;
    int justifyExtra, justifyBreaks;
    const char* text;
    int x, y;
  };
  // Stamped at ten points; at 72 points too wide a room for a stamp, so drawn each time.
  const std::string longText(400, 'W');
  const Case cases[] = {
      {"Arial", 10, 0, 0, kBlack, kTransparent, 0, 0, "Nombre y apellidos", 4, 4},
      {"Arial", 10, kBold | kItalic, 0, kRed, kTransparent, 0, 0, "\xC1rbol \xF1" "and\xFA fj", 2, 8},
      {"Times New Roman", 12, kItalic, 0, kBlack, kTransparent, 0, 0, "ffij Wy", 95, 10},
      {"Courier New", 8, kUnderline | kStrikeOut, 0, kBlue, kTransparent, 0, 0, "a b c", -7, -4},
      {"Symbol", 14, 0, 0, kBlack, kTransparent, 0, 0, "abgdpS\xE5", 3, 20},
      {"MS Sans Serif", 0, 0, 0, kBlack, kYellow, 0, 0, "Texto", 10, 30},
      {"Tahoma", 20, kLeading, 0, kBlack, kTransparent, 0, 0, "Ag", 60, 62},
      {"Arial", 10, kUnderline, 0, kBlack, kTransparent, 0, 0, "   ", 5, 5},
      {"Arial", 9, 0, 0, kBlack, kYellow, 7, 3, "uno dos tres cuatro", 1, 12},
      {"Arial", 9, kUnderline, 0, kRed, kTransparent, -3, 2, "de la casa", 1, 40},
      {"Arial", 10, 0, 450, kBlack, kTransparent, 0, 0, "Fecha", 20, 50},
      {"Arial", 10, 0, -900, kBlack, kYellow, 0, 0, "Girado", 40, 10},
      {"Verdana", 48, 0, 0, kBlack, kTransparent, 0, 0, "W", 70, -20},
      {"Arial", -10, kBold, 0, kBlack, kTransparent, 0, 0, "negativo", 110, 70},
      {"Arial", 10, 0, 0, kBlack, kTransparent, 0, 0, longText.c_str(), -50, 30},
      {"Arial", 72, 0, 0, kBlack, kTransparent, 0, 0, longText.c_str(), -900, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DifferencesBetweenWays(120, 80, [&](Surface& s) {
      SelectFont(s, MakeFont({c.face, c.points, c.style, 0, 0, c.escapement}));
      SetForeColour(s, c.fore);
      SetBackColour(s, c.back);
      SetTextJustification(s, c.justifyExtra, c.justifyBreaks);
      // Twice, the second time from what the first left behind.
      for (int shift : {0, 13}) {
        MoveTo(s, c.x + shift, c.y + shift);
        Print(s, c.text);
      }
      SetTextJustification(s, 0, 0);
    }), 0);
  }
}

TEST(GfxPaintingWays, LinesAndBoxesComeOutAlikeInsideAndAtTheEdges) {
  struct LineCase {
    double x1, y1, x2, y2;
    int width, style;
  };
  const LineCase lines[] = {
      {3, 5, 30, 5, 1, kSolid},      {30, 5, 3, 5, 1, kSolid},     {7, 2, 7, 25, 1, kSolid},
      {9, 9, 9, 9, 1, kSolid},       {2, 3, 30, 20, 1, kSolid},    {-5, 4, 12, 4, 1, kSolid},
      {39, 0, 39, 29, 1, kSolid},    {0, 29, 39, 29, 1, kSolid},   {20, 25, 20, 40, 1, kSolid},
      {-9, -3, -1, -3, 1, kSolid},   {10.5, 3, 10.5, 9, 1, kSolid}, {4, 12, 30, 12, 2, kSolid},
      {4, 14, 30, 14, 1, kDash},     {4, 16, 30, 16, 0, kSolid},   {4, 18, 30, 18, 1, 7},
  };
  for (const LineCase& c : lines) {
    SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
    EXPECT_EQ(DifferencesBetweenWays(40, 30, [&](Surface& s) {
      SetPen(s, c.width, c.style);
      Line(s, c.x1, c.y1, c.x2, c.y2, kRed);
      Line(s, c.y1, c.x1, c.y2, c.x2, kBlue);   // the same mirrored, over the first
    }), 0);
  }

  struct BoxCase {
    double x1, y1, x2, y2;
    int width, style, rounding;
    Colour pen, fill;
    int fillStyle;
  };
  const BoxCase boxes[] = {
      {3, 3, 20, 12, 1, kSolid, 0, kRed, kTransparent, 0},
      {20, 12, 3, 3, 1, kSolid, 0, kForeColour, kTransparent, 0},
      {5, 5, 5, 20, 1, kSolid, 0, kRed, kTransparent, 0},
      {5, 5, 25, 5, 1, kSolid, 0, kRed, kTransparent, 0},
      {0, 0, 39, 29, 1, kSolid, 0, kRed, kTransparent, 0},
      {-4, -4, 10, 10, 1, kSolid, 0, kRed, kTransparent, 0},
      {30, 20, 45, 35, 1, kSolid, 0, kRed, kYellow, 0},
      {2, 2, 30, 25, 1, kSolid, 0, kRed, kBlue, 3},
      {2, 2, 30, 25, 3, kSolid, 0, kRed, kYellow, 5},
      {2, 2, 30, 25, 1, kDashDot, 0, kRed, kTransparent, 0},
      {2, 2, 30, 25, 1, kSolid, 20, kRed, kYellow, 0},
      {2, 2, 30, 25, 2, kDot, 100, kRed, kBlue, 6},
      {2, 2, 30, 25, 1, kSolid, 0, kTransparent, kYellow, 0},
  };
  for (const BoxCase& c : boxes) {
    SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
    EXPECT_EQ(DifferencesBetweenWays(40, 30, [&](Surface& s) {
      SetForeColour(s, kBlue);
      SetPen(s, c.width, c.style);
      Box(s, c.x1, c.y1, c.x2, c.y2, c.rounding, c.pen, c.fill, c.fillStyle);
      Ellipse(s, c.x1 + 4, c.y1 + 2, c.x2 - 4, c.y2 - 2, c.pen, c.fill, c.fillStyle);
    }), 0);
  }
}

// Each operation leaves the open painter as the next one expects it: a turned text, a smoothed
// image, hatches and dashes are followed by plain drawings, pixel writes and copies.
TEST(GfxPaintingWays, OperationsInTurnLeaveNothingBehindForTheNext) {
  std::string folder = testenv::NewFolder("ways"), error;
  Bitmap picture(6, 4);
  Box(*picture, 0, 0, 2, 3, 0, kRed, kRed, 0);
  ASSERT_TRUE(SaveImage(*picture, folder + "p.png", error)) << error;
  ImageKey image = LoadImage(folder + "p.png", error);
  ASSERT_GT(image, 0) << error;
  Bitmap other(30, 20);
  Line(*other, 0, 0, 29, 19, kBlue);   // its painter still open when it is copied from

  EXPECT_EQ(DifferencesBetweenWays(120, 90, [&](Surface& s) {
    SelectFont(s, MakeFont({"Arial", 10, 0, 0, 0, 450}));
    MoveTo(s, 10, 60);
    Print(s, "Girado");
    SelectFont(s, MakeFont({"Arial", 10}));
    MoveTo(s, 10, 60);
    Print(s, "Recto");
    DrawImage(s, image, 50, 5, 37, 23);
    Stretch(s, 0, 70, 40, 15, *other);
    Line(s, 50, 10, 110, 40, kRed);
    SetPen(s, 2, kDash);
    Box(s, 5, 5, 40, 30, 0, kBlue, kYellow, 4);
    SetPen(s, 1, kSolid);
    Ellipse(s, 60, 40, 100, 80, kForeColour, kTransparent, 0);
    SetPixel(s, 3, 3, kRed);
    Line(s, 0, 85, 119, 85, kBlack);
    Copy(s, 8, 9, s, 0, 0, 60, 50);
    Copy(s, 70, 50, *other, 0, 0, -1, -1, Rop::And);
    Stretch(s, 90, 0, 30, 30, s);
    MoveTo(s, 62, 30);
    Print(s, "Final");
  }), 0);
  ReleaseImage(image);
}

TEST(GfxPaintingWays, ReadingReplacingCopyingOrReleasingEndsThePainterFirst) {
  // An image replaced through ImageOf, as a growing control does, is the one drawn on next.
  Bitmap b(20, 10);
  Line(*b, 0, 5, 19, 5, kRed);
  QImage& image = ImageOf(*b);
  EXPECT_EQ(image.pixelColor(10, 5), ToQColor(kRed));
  image = QImage(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  Line(*b, 0, 25, 39, 25, kBlue);
  EXPECT_EQ(Width(*b), 40);
  EXPECT_EQ(Pixel(*b, 35, 25), kBlue);
  EXPECT_EQ(Pixel(*b, 10, 5), kWhite);

  // Copies and moves hold what was drawn before them, and go their own ways after.
  Surface original;
  ImageOf(original) = QImage(10, 10, QImage::Format_RGB32);
  Clear(original, kWhite);
  Line(original, 0, 1, 9, 1, kRed);
  Surface copy(original);
  Line(original, 0, 2, 9, 2, kRed);
  EXPECT_EQ(Pixel(copy, 5, 1), kRed);
  EXPECT_EQ(Pixel(copy, 5, 2), kWhite);
  Line(copy, 0, 3, 9, 3, kBlue);
  EXPECT_EQ(Pixel(original, 5, 3), kWhite);
  Surface assigned;
  assigned = copy;
  EXPECT_EQ(Pixel(assigned, 5, 3), kBlue);
  Line(original, 0, 4, 9, 4, kBlue);
  Surface moved(std::move(original));
  EXPECT_EQ(Pixel(moved, 5, 4), kBlue);
  Line(moved, 0, 5, 9, 5, kRed);
  EXPECT_EQ(Pixel(moved, 5, 5), kRed);
  Line(assigned, 0, 6, 9, 6, kRed);
  assigned = std::move(moved);
  EXPECT_EQ(Pixel(assigned, 5, 5), kRed);
  EXPECT_EQ(Pixel(assigned, 5, 6), kWhite);

  // A bitmap released with its painter open, and one saved, read back whole.
  Surface* released = MakeBitmap(8, 8);
  Line(*released, 0, 0, 7, 7, kRed);
  ReleaseBitmap(released);
  std::string path = testenv::NewFolder("ended") + "b.png", error;
  Line(*b, 0, 0, 39, 0, kRed);
  ASSERT_TRUE(SaveImage(*b, path, error)) << error;
  EXPECT_EQ(QImage(QString::fromStdString(path)).pixelColor(20, 0), ToQColor(kRed));
}

}  // namespace
