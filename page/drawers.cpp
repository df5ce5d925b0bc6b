#include "page/drawers.h"

#include <algorithm>
#include <array>

#include "platform/numbers/numbers.h"

namespace {

constexpr int kMaxShapeLineWidth = 15;
constexpr int kMaxArrowLineWidth = 30;

// A point of an arrow figure: (x + lx * L + hx * h, y + ly * L + hy * h).
struct Offset {
  int lx, ly, hx, hy;
};
struct ArrowShape {
  Offset tip;                 // the far end T
  Offset tipLeg1, tipLeg2;    // ends of the legs from T
  Offset tailLeg1, tailLeg2;  // ends of the legs from the anchor
};

// Straight arrows put the leg ends h back along the shaft and h to either side; diagonal
// ones h back along each axis on its own. The tail mirrors the tip at the anchor.
constexpr std::array<ArrowShape, 8> kArrowShapes = {{
    {{0, -1, 0, 0}, {0, -1, -1, 1}, {0, -1, 1, 1}, {0, 0, 1, -1}, {0, 0, -1, -1}},      // up
    {{1, -1, 0, 0}, {1, -1, -1, 0}, {1, -1, 0, 1}, {0, 0, 0, -1}, {0, 0, 1, 0}},        // up right
    {{1, 0, 0, 0}, {1, 0, -1, -1}, {1, 0, -1, 1}, {0, 0, 1, -1}, {0, 0, 1, 1}},         // right
    {{1, 1, 0, 0}, {1, 1, 0, -1}, {1, 1, -1, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}},           // down right
    {{0, 1, 0, 0}, {0, 1, -1, -1}, {0, 1, 1, -1}, {0, 0, 1, 1}, {0, 0, -1, 1}},         // down
    {{-1, 1, 0, 0}, {-1, 1, 0, -1}, {-1, 1, 1, 0}, {0, 0, -1, 0}, {0, 0, 0, 1}},        // down left
    {{-1, 0, 0, 0}, {-1, 0, 1, 1}, {-1, 0, 1, -1}, {0, 0, -1, -1}, {0, 0, -1, 1}},      // left
    {{-1, -1, 0, 0}, {-1, -1, 0, 1}, {-1, -1, 1, 0}, {0, 0, 0, -1}, {0, 0, -1, 0}},     // up left
}};

struct Point {
  double x, y;
};

Point At(const Offset& o, int32_t x, int32_t y, int L, int h) {
  return {static_cast<double>(x) + o.lx * L + o.hx * h, static_cast<double>(y) + o.ly * L + o.hy * h};
}

void Segment(gfx::Surface& s, Point a, Point b, gfx::Colour colour) {
  gfx::Line(s, a.x, a.y, b.x, b.y, colour);
}

// A text field ends at its first zero byte.
std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

ShapeArgs ShapeArgsOfObject(const PageObject& object) {
  ShapeArgs shape;
  shape.roundedCorners = object.roundedCorners;
  shape.type = object.shapeType;
  shape.fillStyle = object.fillStyle;
  shape.lineStyle = object.lineStyle;
  shape.lineWidth = std::clamp(object.lineWidth, 1, kMaxShapeLineWidth);
  shape.borderColour = object.borderColor;
  shape.interiorColour = object.backColor;
  shape.roundingPercent = object.roundingPercent;
  shape.width = numbers::NarrowToInt16(object.width);
  shape.height = numbers::NarrowToInt16(object.height);
  return shape;
}

ArrowArgs ArrowArgsOfObject(const PageObject& object) {
  ArrowArgs arrow;
  arrow.length = object.arrowLength;
  arrow.colour = object.arrowColor;
  arrow.heads = object.arrowHeads;
  arrow.lineWidth =
      static_cast<int16_t>(std::clamp<int>(object.arrowLineWidth, 1, kMaxArrowLineWidth));
  arrow.direction = object.arrowDirection;
  arrow.closedHead = object.arrowClosedHead;
  arrow.headSize = object.arrowHeadSize;
  return arrow;
}

void PutShapeArgs(PageObject& object, const ShapeArgs& shape) {
  object.width = shape.width;
  object.height = shape.height;
  object.backColor = shape.interiorColour;
  object.borderColor = shape.borderColour;
  object.roundedCorners = shape.roundedCorners;
  object.shapeType = shape.type;
  object.fillStyle = shape.fillStyle;
  object.lineStyle = shape.lineStyle;
  object.lineWidth = shape.lineWidth;
  object.roundingPercent = shape.roundingPercent;
}

void PutArrowArgs(PageObject& object, const ArrowArgs& arrow) {
  object.arrowLength = arrow.length;
  object.arrowColor = arrow.colour;
  object.arrowHeads = arrow.heads;
  object.arrowLineWidth = arrow.lineWidth;
  object.arrowDirection = arrow.direction;
  object.arrowClosedHead = arrow.closedHead;
  object.arrowHeadSize = arrow.headSize;
}

void DrawShape(gfx::Surface& target, int32_t x, int32_t y, const ShapeArgs& shape) {
  gfx::Select(target);
  const int lineStyle = shape.lineStyle >= gfx::kSolid && shape.lineStyle <= gfx::kDashDotDot
                            ? shape.lineStyle
                            : gfx::kSolid;
  const int fillStyle = shape.fillStyle >= 0 && shape.fillStyle <= 6 ? shape.fillStyle : 0;
  gfx::SetPen(target, shape.lineWidth, lineStyle);
  const double right = static_cast<double>(x) + shape.width;
  const double bottom = static_cast<double>(y) + shape.height;
  if (shape.type == kShapeSquareOrRectangle) {
    const int rounding = shape.roundedCorners == 1 ? shape.roundingPercent : 0;
    gfx::Box(target, x, y, right, bottom, rounding, shape.borderColour, shape.interiorColour,
             fillStyle);
  } else {
    gfx::Ellipse(target, x, y, right, bottom, shape.borderColour, shape.interiorColour, fillStyle);
  }
  gfx::SetPen(target, 1, gfx::kSolid);
}

void DrawArrow(gfx::Surface& target, int32_t x, int32_t y, const ArrowArgs& arrow) {
  DrawArrowFigure(target, arrow.direction, x, y, arrow.length, arrow.headSize, arrow.colour,
                  arrow.lineWidth, arrow.closedHead, arrow.heads);
}

void DrawArrowFigure(gfx::Surface& target, int16_t direction, int32_t x, int32_t y, int16_t L,
                     int16_t h, gfx::Colour colour, int16_t lineWidth, int32_t closed,
                     uint8_t heads) {
  if (direction < kArrowUp || direction > kArrowUpLeft) return;
  const ArrowShape& shape = kArrowShapes[direction - 1];
  gfx::Select(target);
  // Every line is solid whatever a shape before it left in the pen.
  gfx::SetPen(target, lineWidth, gfx::kSolid);
  const Point anchor{static_cast<double>(x), static_cast<double>(y)};
  const Point tip = At(shape.tip, x, y, L, h);
  Segment(target, anchor, tip, colour);
  if (heads == 0) return;
  const Point leg1 = At(shape.tipLeg1, x, y, L, h), leg2 = At(shape.tipLeg2, x, y, L, h);
  Segment(target, tip, leg1, colour);
  Segment(target, tip, leg2, colour);
  if (closed == 1) Segment(target, leg1, leg2, colour);
  if (heads != 2) return;
  const Point tail1 = At(shape.tailLeg1, x, y, L, h), tail2 = At(shape.tailLeg2, x, y, L, h);
  Segment(target, anchor, tail1, colour);
  Segment(target, anchor, tail2, colour);
  if (closed == 1) Segment(target, tail1, tail2, colour);
}

void DrawArrowUp(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                 gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowUp, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowUpRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                      gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowUpRight, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                    gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowRight, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowDownRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                        gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowDownRight, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowDown(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                   gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowDown, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowDownLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                       gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowDownLeft, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                   gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowLeft, x, y, L, h, colour, lineWidth, closed, heads);
}
void DrawArrowUpLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                     gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads) {
  DrawArrowFigure(target, kArrowUpLeft, x, y, L, h, colour, lineWidth, closed, heads);
}

void DrawTextAtPosition(gfx::Surface& target, int32_t x, int32_t y, gfx::Colour foreColour,
                        gfx::Colour backColour, std::string_view text, gfx::FontKey font) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::MoveTo(target, x, y);
  gfx::SetForeColour(target, foreColour);
  gfx::SetBackColour(target, backColour);
  gfx::Print(target, UpToZero(text));
}

void DrawSymbolTextAtPosition(gfx::Surface& target, int32_t x, int32_t y,
                              gfx::Colour foreColour, gfx::Colour backColour,
                              std::string_view text, gfx::FontKey font) {
  DrawTextAtPosition(target, x, y, foreColour, backColour, text, font);
}

void DrawTextAtPositionAndFreeFont(gfx::Surface& target, int32_t x, int32_t y,
                                   gfx::Colour foreColour, gfx::Colour backColour,
                                   std::string_view text, gfx::FontKey font) {
  DrawTextAtPosition(target, x, y, foreColour, backColour, text, font);
}
