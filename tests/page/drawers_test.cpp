// Tests of the shape, arrow and one-line text drawers, by probing pixels of memory bitmaps.
#include "page/drawers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "page/shared_helpers.h"
#include "tests/platform/gfx/probe.h"

namespace {

using gfx::Colour;
using gfxtest::Bitmap;
using gfxtest::Differences;
using gfxtest::InkBox;

constexpr Colour kRed = gfx::Rgb(255, 0, 0);
constexpr Colour kGreen = gfx::Rgb(0, 255, 0);
constexpr Colour kYellow = gfx::Rgb(255, 255, 0);

// A 100 x 60 box with a black outline and a red inside.
ShapeArgs PlainShape(int32_t type = kShapeSquareOrRectangle) {
  ShapeArgs s;
  s.type = type;
  s.borderColour = gfx::kBlack;
  s.interiorColour = kRed;
  s.width = 100;
  s.height = 60;
  return s;
}

// Putting arguments into an object and reading them back gives the same arguments, each
// field in its own place.
TEST(DrawerArgs, PutAndReadBackAreOneMapping) {
  PageObject o{};
  ShapeArgs shape{.roundedCorners = 1, .type = kShapeCircleOrEllipse, .fillStyle = 4,
                  .lineStyle = 2, .lineWidth = 7, .borderColour = kGreen,
                  .interiorColour = gfx::kTransparent, .roundingPercent = 40, .width = 321,
                  .height = -5};
  PutShapeArgs(o, shape);
  EXPECT_EQ(o.width, 321);
  EXPECT_EQ(o.height, -5);
  EXPECT_EQ(o.backColor, gfx::kTransparent);
  EXPECT_EQ(o.borderColor, kGreen);
  EXPECT_EQ(o.shapeType, kShapeCircleOrEllipse);
  const auto shapeFields = [](const ShapeArgs& s) {
    return std::tuple(s.roundedCorners, s.type, s.fillStyle, s.lineStyle, s.lineWidth,
                      s.borderColour, s.interiorColour, s.roundingPercent, s.width, s.height);
  };
  EXPECT_EQ(shapeFields(ShapeArgsOfObject(o)), shapeFields(shape));

  const ArrowArgs arrow{.direction = kArrowDownLeft, .length = 77, .headSize = 9,
                        .colour = kYellow, .lineWidth = 3, .closedHead = 1, .heads = 2};
  PutArrowArgs(o, arrow);
  EXPECT_EQ(o.arrowLength, 77);
  EXPECT_EQ(o.arrowColor, kYellow);
  EXPECT_EQ(o.arrowDirection, kArrowDownLeft);
  const auto arrowFields = [](const ArrowArgs& a) {
    return std::tuple(a.direction, a.length, a.headSize, a.colour, a.lineWidth, a.closedHead,
                      a.heads);
  };
  EXPECT_EQ(arrowFields(ArrowArgsOfObject(o)), arrowFields(arrow));
  // The shape's fields are the arrow's neighbours, and stay as they were.
  EXPECT_EQ(o.roundingPercent, 40);
}

TEST(ShapeDrawer, SquareIsFilledInsideAndOutlinedAtItsEdges) {
  ShapeArgs s = PlainShape();
  Bitmap b(200, 120);
  gfx::SetPen(*b, 7, gfx::kDash);
  DrawShape(*b, 20, 20, s);
  EXPECT_EQ(gfx::Current(), b.get());
  EXPECT_EQ(gfx::Pixel(*b, 70, 50), kRed);
  EXPECT_EQ(gfx::Pixel(*b, 21, 21), kRed);
  for (auto [x, y] : {std::pair{20, 50}, {120, 50}, {70, 20}, {70, 80}, {20, 20}, {120, 80}})
    EXPECT_EQ(gfx::Pixel(*b, x, y), gfx::kBlack) << x << "," << y;
  for (auto [x, y] : {std::pair{18, 50}, {122, 50}, {70, 18}, {70, 82}})
    EXPECT_EQ(gfx::Pixel(*b, x, y), gfx::kWhite) << x << "," << y;
  // The pen is left solid and one pixel wide for whoever draws next.
  EXPECT_EQ(gfx::PenWidth(*b), 1);
  EXPECT_EQ(gfx::PenStyleOf(*b), gfx::kSolid);
}

TEST(ShapeDrawer, EllipseIsInscribedAndIgnoresRounding) {
  ShapeArgs s = PlainShape(kShapeCircleOrEllipse);
  Bitmap b(200, 120);
  DrawShape(*b, 20, 20, s);
  EXPECT_EQ(gfx::Pixel(*b, 70, 50), kRed);
  EXPECT_EQ(gfx::Pixel(*b, 20, 50), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(*b, 70, 20), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(*b, 23, 23), gfx::kWhite);   // outside the curve, inside the box
  EXPECT_EQ(gfx::Pixel(*b, 117, 77), gfx::kWhite);

  s.roundedCorners = 1;
  s.roundingPercent = 40;
  Bitmap rounded(200, 120);
  DrawShape(*rounded, 20, 20, s);
  EXPECT_EQ(Differences(*b, *rounded), 0);
}

TEST(ShapeDrawer, RoundingIsAPercentOfTheSmallerSideAndOnlyWhenAsked) {
  // A 200 x 100 box: 100 % makes corner arcs 100 pixels across, half circles at the ends.
  auto draw = [](int32_t rounded, int16_t percent) {
    ShapeArgs s = PlainShape();
    s.width = 200;
    s.height = 100;
    s.roundedCorners = rounded;
    s.roundingPercent = percent;
    auto b = std::make_unique<Bitmap>(240, 140);
    DrawShape(**b, 20, 20, s);
    return b;
  };
  auto full = draw(1, 100);
  EXPECT_EQ(gfx::Pixel(**full, 24, 24), gfx::kWhite);      // corner cut away
  EXPECT_EQ(gfx::Pixel(**full, 20, 70), gfx::kBlack);      // the half circle's leftmost point
  EXPECT_EQ(gfx::Pixel(**full, 70, 20), gfx::kBlack);      // the straight top edge starts at 70
  EXPECT_EQ(gfx::Pixel(**full, 45, 45), kRed);
  // A half circle at each end: a point 45 pixels from the arc's centre (70, 70) is inside,
  // one diagonally 60 pixels away is not.
  EXPECT_EQ(gfx::Pixel(**full, 70 - 31, 70 - 31), kRed);
  EXPECT_EQ(gfx::Pixel(**full, 70 - 43, 70 - 43), gfx::kWhite);

  auto small = draw(1, 10);   // 10 pixels across
  EXPECT_EQ(gfx::Pixel(**small, 20, 20), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**small, 24, 24), kRed);
  EXPECT_EQ(gfx::Pixel(**small, 20, 30), gfx::kBlack);

  auto notAsked = draw(0, 100);
  EXPECT_EQ(gfx::Pixel(**notAsked, 20, 20), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(**notAsked, 24, 24), kRed);

  // Below 0 and above 100 both draw as 100.
  EXPECT_EQ(Differences(**draw(1, -5), **full), 0);
  EXPECT_EQ(Differences(**draw(1, 150), **full), 0);
}

TEST(ShapeDrawer, TransparentInteriorDrawsOnlyTheOutlineWhateverTheHatch) {
  ShapeArgs s = PlainShape();
  s.interiorColour = gfx::kTransparent;
  s.fillStyle = 5;
  Bitmap b(200, 120);
  gfx::Clear(*b, kGreen);
  DrawShape(*b, 20, 20, s);
  gfxtest::Box green = InkBox(*b, kGreen);
  EXPECT_EQ(green.count, 200 * 120 - InkBox(*b, gfx::kBlack).count);
  EXPECT_EQ(gfx::Pixel(*b, 20, 50), gfx::kBlack);
  EXPECT_EQ(InkBox(*b, kRed).count, 0);
}

TEST(ShapeDrawer, LineStylesAndWidthsChangeTheOutline) {
  auto draw = [](int32_t style, int32_t width) {
    ShapeArgs s = PlainShape();
    s.interiorColour = gfx::kTransparent;
    s.lineStyle = style;
    s.lineWidth = width;
    auto b = std::make_unique<Bitmap>(200, 120);
    DrawShape(**b, 20, 20, s);
    return b;
  };
  auto solid = draw(0, 1);
  // The top edge of a solid outline is unbroken.
  for (int x = 20; x <= 120; ++x) ASSERT_EQ(gfx::Pixel(**solid, x, 20), gfx::kBlack) << x;
  std::vector<std::unique_ptr<Bitmap>> styled;
  for (int style = 1; style <= 4; ++style) {
    styled.push_back(draw(style, 1));
    int gaps = 0;
    for (int x = 20; x <= 120; ++x) gaps += gfx::Pixel(*styled.back()->get(), x, 20) == gfx::kWhite;
    EXPECT_GT(gaps, 5) << "style " << style;
    EXPECT_GT(InkBox(**styled.back(), gfx::kBlack).count, 50) << "style " << style;
  }
  for (size_t i = 0; i < styled.size(); ++i)
    for (size_t j = i + 1; j < styled.size(); ++j)
      EXPECT_GT(Differences(**styled[i], **styled[j]), 0) << i + 1 << " and " << j + 1;
  // Unknown styles draw solid.
  EXPECT_EQ(Differences(**draw(5, 1), **solid), 0);
  EXPECT_EQ(Differences(**draw(-1, 1), **solid), 0);
  // A wider pen covers pixels a thin one leaves alone, on both sides of the edge.
  auto wide = draw(0, 5);
  EXPECT_EQ(gfx::Pixel(**solid, 22, 50), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**wide, 22, 50), gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(**wide, 18, 50), gfx::kBlack);
}

// Among the red pixels of the inner area, the share whose neighbour (dx, dy) is red too:
// near 1 along the hatch lines, near 0 across them.
double Continuation(const gfx::Surface& s, int left, int top, int right, int bottom, int dx,
                    int dy) {
  int red = 0, continued = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      if (gfx::Pixel(s, x, y) != kRed) continue;
      ++red;
      continued += gfx::Pixel(s, x + dx, y + dy) == kRed;
    }
  return red == 0 ? 0 : static_cast<double>(continued) / red;
}

TEST(ShapeDrawer, HatchesRunTheirWayInTheInteriorColour) {
  struct Case {
    int32_t style;
    const char* name;
    double horizontal, vertical, falling, rising;   // -1: not checked
  };
  // High means "lines run this way", low "they cross it". Forward diagonals fall from left
  // to right (down as x grows); backward ones rise.
  const Case cases[] = {
      {1, "horizontal", 0.9, 0.1, 0.1, 0.1},
      {2, "vertical", 0.1, 0.9, 0.1, 0.1},
      {3, "forward diagonal", 0.1, 0.1, 0.9, 0.1},
      {4, "backward diagonal", 0.1, 0.1, 0.1, 0.9},
      {5, "cross", 0.4, 0.4, 0.25, 0.25},
      {6, "diagonal cross", 0.25, 0.25, 0.4, 0.4},
  };
  auto check = [](double got, double want, const char* way, const char* name) {
    if (want >= 0.4)
      EXPECT_GE(got, want) << name << " along " << way;
    else
      EXPECT_LE(got, want) << name << " across " << way;
  };
  for (const Case& c : cases) {
    ShapeArgs s = PlainShape();
    s.fillStyle = c.style;
    Bitmap b(200, 120);
    DrawShape(*b, 20, 20, s);
    const int l = 25, t = 25, r = 114, bo = 74;
    int red = InkBox(*b, kRed).count;
    EXPECT_GT(red, 100) << c.name;
    EXPECT_LT(red, 99 * 59 / 2) << c.name;   // hatched, not solid
    EXPECT_EQ(gfx::Pixel(*b, 20, 50), gfx::kBlack) << c.name;
    check(Continuation(*b, l, t, r, bo, 1, 0), c.horizontal, "horizontal", c.name);
    check(Continuation(*b, l, t, r, bo, 0, 1), c.vertical, "vertical", c.name);
    check(Continuation(*b, l, t, r, bo, 1, 1), c.falling, "falling", c.name);
    check(Continuation(*b, l, t, r, bo, 1, -1), c.rising, "rising", c.name);
  }
  // Styles outside 0..6 fill solid.
  for (int32_t style : {7, -1}) {
    ShapeArgs s = PlainShape();
    s.fillStyle = style;
    Bitmap b(200, 120);
    DrawShape(*b, 20, 20, s);
    EXPECT_EQ(InkBox(*b, kRed).count, 99 * 59) << style;
  }
}

// Arrows at (100, 100) on a 200 x 200 bitmap, L = 50, h = 10 unless a test says otherwise.
using ArrowRoutine = void (*)(gfx::Surface&, int32_t, int32_t, int16_t, int16_t, Colour, int16_t,
                              int32_t, uint8_t);
struct Direction {
  int16_t value;
  ArrowRoutine routine;
  int dx, dy;
};
const Direction kDirections[] = {
    {kArrowUp, DrawArrowUp, 0, -1},          {kArrowUpRight, DrawArrowUpRight, 1, -1},
    {kArrowRight, DrawArrowRight, 1, 0},     {kArrowDownRight, DrawArrowDownRight, 1, 1},
    {kArrowDown, DrawArrowDown, 0, 1},       {kArrowDownLeft, DrawArrowDownLeft, -1, 1},
    {kArrowLeft, DrawArrowLeft, -1, 0},      {kArrowUpLeft, DrawArrowUpLeft, -1, -1},
};

std::unique_ptr<Bitmap> Arrow(int16_t direction, uint8_t heads, int32_t closed, int16_t L = 50,
                              int16_t h = 10) {
  auto b = std::make_unique<Bitmap>(200, 200);
  DrawArrowFigure(**b, direction, 100, 100, L, h, kRed, 1, closed, heads);
  return b;
}

TEST(ArrowDrawer, EachDirectionHasItsTipWhereItPointsAndNothingBehind) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE("direction " + std::to_string(d.value));
    Bitmap b(200, 200);
    d.routine(*b, 100, 100, 50, 10, kRed, 1, 0, 1);
    const int tx = 100 + 50 * d.dx, ty = 100 + 50 * d.dy;
    EXPECT_EQ(gfx::Pixel(*b, tx, ty), kRed);
    EXPECT_EQ(gfx::Pixel(*b, 100 + 25 * d.dx, 100 + 25 * d.dy), kRed);   // the shaft
    EXPECT_EQ(gfx::Pixel(*b, 100, 100), kRed);
    EXPECT_EQ(gfx::Pixel(*b, 100 - 20 * d.dx, 100 - 20 * d.dy), gfx::kWhite);
    // No ink behind the anchor, and none beyond the tip.
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        if (gfx::Pixel(*b, x, y) != kRed) continue;
        const int along = (x - 100) * d.dx + (y - 100) * d.dy;
        const int reach = 50 * (d.dx * d.dx + d.dy * d.dy);
        ASSERT_GE(along, 0) << x << "," << y;
        ASSERT_LE(along, reach) << x << "," << y;
      }
    // The two legs of the head go back from the tip, one on each side of the shaft.
    int sides[2] = {0, 0};
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        if (gfx::Pixel(*b, x, y) != kRed) continue;
        const int across = (x - 100) * -d.dy + (y - 100) * d.dx;
        if (across > 2) ++sides[0];
        if (across < -2) ++sides[1];
      }
    EXPECT_GE(sides[0], 5);
    EXPECT_GE(sides[1], 5);

    // The page drawer takes the same figure from an arrow's arguments.
    ArrowArgs arrow;
    arrow.direction = d.value;
    arrow.length = 50;
    arrow.headSize = 10;
    arrow.colour = kRed;
    Bitmap page(200, 200);
    DrawArrow(*page, 100, 100, arrow);
    EXPECT_EQ(Differences(*b, *page), 0);
    EXPECT_EQ(Differences(*b, **Arrow(d.value, 1, 0)), 0);
  }
}

TEST(ArrowDrawer, DirectionsOutsideOneToEightDrawNothing) {
  Bitmap blank(200, 200);
  for (int16_t direction : {0, 9, -1}) {
    EXPECT_EQ(Differences(**Arrow(direction, 2, 1), *blank), 0) << direction;
    ArrowArgs arrow;
    arrow.direction = direction;
    Bitmap page(200, 200);
    DrawArrow(*page, 100, 100, arrow);
    EXPECT_EQ(Differences(*page, *blank), 0) << direction;
  }
}

TEST(ArrowDrawer, HeadCountsPutHeadsAtTheTipOrBothEnds) {
  // Rightwards, h = 20: tip legs end at (130, 80) and (130, 120), tail legs at (120, 80)
  // and (120, 120).
  auto none = Arrow(kArrowRight, 0, 1, 50, 20);
  auto one = Arrow(kArrowRight, 1, 0, 50, 20);
  auto both = Arrow(kArrowRight, 2, 0, 50, 20);
  const std::pair<int, int> tipLeg{140, 90}, tailLeg{110, 90};
  EXPECT_EQ(gfx::Pixel(**none, 150, 100), kRed);
  EXPECT_EQ(gfx::Pixel(**none, tipLeg.first, tipLeg.second), gfx::kWhite);
  EXPECT_EQ(InkBox(**none, kRed).top, 100);   // a bare shaft, even with closed heads asked
  EXPECT_EQ(InkBox(**none, kRed).bottom, 100);

  EXPECT_EQ(gfx::Pixel(**one, tipLeg.first, tipLeg.second), kRed);
  EXPECT_EQ(gfx::Pixel(**one, 140, 110), kRed);
  EXPECT_EQ(gfx::Pixel(**one, tailLeg.first, tailLeg.second), gfx::kWhite);

  EXPECT_EQ(gfx::Pixel(**both, tipLeg.first, tipLeg.second), kRed);
  EXPECT_EQ(gfx::Pixel(**both, tailLeg.first, tailLeg.second), kRed);
  EXPECT_EQ(gfx::Pixel(**both, 110, 110), kRed);

  // Any other non-zero count is one head at the tip.
  EXPECT_EQ(Differences(**Arrow(kArrowRight, 3, 0, 50, 20), **one), 0);
  EXPECT_EQ(Differences(**Arrow(kArrowRight, 255, 0, 50, 20), **one), 0);
}

TEST(ArrowDrawer, ClosedHeadsAreTriangleOutlinesNotFilled) {
  auto open = Arrow(kArrowRight, 2, 0, 50, 20);
  auto closed = Arrow(kArrowRight, 2, 1, 50, 20);
  // The tip's closing line runs along x = 130, the tail's along x = 120.
  EXPECT_EQ(gfx::Pixel(**open, 130, 85), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**closed, 130, 85), kRed);
  EXPECT_EQ(gfx::Pixel(**closed, 130, 115), kRed);
  EXPECT_EQ(gfx::Pixel(**open, 120, 85), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**closed, 120, 85), kRed);
  // Inside each triangle stays as it was.
  EXPECT_EQ(gfx::Pixel(**closed, 138, 93), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**closed, 112, 93), gfx::kWhite);

  // A diagonal arrow: up and right, L 50, h 10 from (100, 100). The shaft ends at (150, 50),
  // the legs at (140, 50) and (150, 60), and the closing line joins those two.
  auto diagonal = Arrow(kArrowUpRight, 1, 1);
  for (auto [x, y] : {std::pair{150, 50}, {125, 75}, {140, 50}, {145, 50}, {150, 60}, {150, 55},
                      {142, 52}, {148, 58}})
    EXPECT_EQ(gfx::Pixel(**diagonal, x, y), kRed) << x << "," << y;
  EXPECT_EQ(gfx::Pixel(**Arrow(kArrowUpRight, 1, 0), 142, 52), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(**diagonal, 146, 52), gfx::kWhite);   // inside the head, off the shaft
}

TEST(ArrowDrawer, LinesAreSolidInTheirWidthWhateverThePenWas) {
  Bitmap b(200, 200);
  gfx::SetPen(*b, 1, gfx::kDot);
  DrawArrowFigure(*b, kArrowRight, 20, 100, 150, 10, kRed, 5, 0, 0);
  for (int x = 20; x <= 170; ++x) ASSERT_EQ(gfx::Pixel(*b, x, 100), kRed) << x;
  EXPECT_EQ(gfx::Pixel(*b, 60, 98), kRed);   // five pixels wide
  EXPECT_EQ(gfx::Pixel(*b, 60, 102), kRed);
  EXPECT_EQ(gfx::Pixel(*b, 60, 105), gfx::kWhite);
  EXPECT_EQ(gfx::PenWidth(*b), 5);
  EXPECT_EQ(gfx::Current(), b.get());
}

gfx::FontKey TextFont(int escapement = 0) {
  return MakeSystemFont("Arial", 20, kStyleBold, escapement == 0 ? 0 : 1, escapement);
}

TEST(TextDrawer, PrintsOneLineFromItsTopLeftCornerWithOrWithoutBackground) {
  Bitmap clear(300, 100);
  gfx::Clear(*clear, kGreen);
  DrawTextAtPosition(*clear, 40, 30, gfx::kBlack, gfx::kTransparent, "MWMW", TextFont());
  EXPECT_EQ(gfx::Current(), clear.get());
  gfxtest::Box ink = InkBox(*clear, gfx::kBlack);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 40);
  EXPECT_LE(ink.left, 44);
  EXPECT_GE(ink.top, 30);
  EXPECT_LE(ink.bottom, 30 + 30);
  EXPECT_GT(ink.right, 40 + 40);
  EXPECT_EQ(InkBox(*clear, kGreen).count + ink.count, 300 * 100);   // nothing but ink

  Bitmap opaque(300, 100);
  gfx::Clear(*opaque, kGreen);
  DrawTextAtPosition(*opaque, 40, 30, gfx::kBlack, kYellow, "MWMW", TextFont());
  gfxtest::Box back = InkBox(*opaque, kYellow);
  ASSERT_FALSE(back.Empty());
  EXPECT_EQ(back.left, 40);
  EXPECT_EQ(back.top, 30);
  EXPECT_GE(back.right, ink.right - 1);
  EXPECT_GE(back.bottom, ink.bottom - 1);
  EXPECT_EQ(InkBox(*opaque, gfx::kBlack).count, ink.count);
}

TEST(TextDrawer, AnAngledFontTurnsTheLineAboutItsCorner) {
  // Counter-clockwise: at 90 degrees the line climbs from (100, 150); at 45 it runs up and
  // to the right.
  Bitmap upright(300, 300), climbing(300, 300), slanted(300, 300);
  DrawTextAtPosition(*upright, 100, 150, gfx::kBlack, gfx::kTransparent, "MWMWMW", TextFont());
  DrawTextAtPositionAndFreeFont(*climbing, 100, 150, gfx::kBlack, gfx::kTransparent, "MWMWMW",
                                TextFont(900));
  DrawTextAtPositionAndFreeFont(*slanted, 100, 150, gfx::kBlack, gfx::kTransparent, "MWMWMW",
                                TextFont(450));
  gfxtest::Box flat = InkBox(*upright, gfx::kBlack);
  EXPECT_GE(flat.top, 150);
  EXPECT_GT(flat.right - flat.left, 2 * (flat.bottom - flat.top));

  gfxtest::Box up = InkBox(*climbing, gfx::kBlack);
  ASSERT_FALSE(up.Empty());
  EXPECT_LE(up.bottom, 152);
  EXPECT_LT(up.top, 150 - 60);
  EXPECT_GE(up.left, 98);
  EXPECT_GT(up.bottom - up.top, 2 * (up.right - up.left));

  gfxtest::Box diagonal = InkBox(*slanted, gfx::kBlack);
  ASSERT_FALSE(diagonal.Empty());
  EXPECT_LT(diagonal.top, 150 - 40);
  EXPECT_GT(diagonal.right, 100 + 40);
  EXPECT_GE(diagonal.left, 98);

  // The font stays usable after the drawer that "frees" it.
  Bitmap again(300, 300);
  DrawTextAtPosition(*again, 100, 150, gfx::kBlack, gfx::kTransparent, "MWMWMW", TextFont(900));
  EXPECT_EQ(Differences(*again, *climbing), 0);
}

TEST(TextDrawer, TextFieldsEndAtTheirZeroByteAndSymbolTextDrawsAlike) {
  char field[1024];
  std::memset(field, 'X', sizeof field);
  std::memcpy(field, "AB\0", 3);
  Bitmap whole(200, 60), plain(200, 60);
  DrawTextAtPosition(*whole, 10, 10, gfx::kBlack, gfx::kTransparent,
                     std::string_view(field, sizeof field), TextFont());
  DrawTextAtPosition(*plain, 10, 10, gfx::kBlack, gfx::kTransparent, "AB", TextFont());
  EXPECT_EQ(Differences(*whole, *plain), 0);

  const gfx::FontKey symbol = MakeSystemFont("Symbol", 20, 0);
  Bitmap viaSymbol(200, 60), viaText(200, 60);
  DrawSymbolTextAtPosition(*viaSymbol, 10, 10, kRed, gfx::kTransparent, "p", symbol);
  DrawTextAtPosition(*viaText, 10, 10, kRed, gfx::kTransparent, "p", symbol);
  EXPECT_GT(InkBox(*viaSymbol, kRed).count, 10);
  EXPECT_EQ(Differences(*viaSymbol, *viaText), 0);
}

}  // namespace
