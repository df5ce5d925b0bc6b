#include "page/drawers.h"

#include <algorithm>
#include <array>

#include "platform/numbers/numbers.h"

int32_t shapeRoundedCorners = 0;
int32_t shapeTypeChosen = kShapeSquareOrRectangle;
int32_t shapeFillStyle = 0;
int32_t shapeLineStyle = 0;
int32_t shapeLineWidth = 1;
gfx::Colour shapeBorderColour = 0;
gfx::Colour shapeInteriorColour = 0xFF0000;
int16_t shapeRoundingPercent = 0;
int16_t shapeWidth = 0;
int16_t shapeHeight = 0;

int16_t currentArrowDirection = kArrowUp;
int16_t currentArrowLength = 100;
int16_t currentArrowHeadSize = 10;
gfx::Colour currentArrowColour = 0;
int16_t currentArrowLineWidth = 1;
int32_t currentArrowClosedHead = 0;
uint8_t currentArrowHeads = 1;

namespace {

constexpr int kMaxShapeLineWidth = 15;
constexpr int kMaxArrowLineWidth = 30;
constexpr int kArrowPickBox = 10;

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

void LoadShapeSettings(const PageObject& object) {
  shapeRoundedCorners = object.roundedCorners;
  shapeTypeChosen = object.shapeType;
  shapeFillStyle = object.fillStyle;
  shapeLineStyle = object.lineStyle;
  shapeLineWidth = std::clamp(object.lineWidth, 1, kMaxShapeLineWidth);
  shapeBorderColour = object.borderColor;
  shapeInteriorColour = object.backColor;
  shapeRoundingPercent = object.roundingPercent;
  shapeWidth = numbers::NarrowToInt16(object.width);
  shapeHeight = numbers::NarrowToInt16(object.height);
}

void LoadArrowSettings(const PageObject& object) {
  currentArrowLength = object.arrowLength;
  currentArrowColour = object.arrowColor;
  currentArrowHeads = object.arrowHeads;
  currentArrowLineWidth =
      static_cast<int16_t>(std::clamp<int>(object.arrowLineWidth, 1, kMaxArrowLineWidth));
  currentArrowDirection = object.arrowDirection;
  currentArrowClosedHead = object.arrowClosedHead;
  currentArrowHeadSize = object.arrowHeadSize;
}

void StoreShapeSettings(PageObject& object) {
  object.width = shapeWidth;
  object.height = shapeHeight;
  object.backColor = shapeInteriorColour;
  object.borderColor = shapeBorderColour;
  object.roundedCorners = shapeRoundedCorners;
  object.shapeType = shapeTypeChosen;
  object.fillStyle = shapeFillStyle;
  object.lineStyle = shapeLineStyle;
  object.lineWidth = shapeLineWidth;
  object.roundingPercent = shapeRoundingPercent;
}

void StoreArrowSettings(PageObject& object) {
  object.width = kArrowPickBox;
  object.height = kArrowPickBox;
  object.arrowLength = currentArrowLength;
  object.arrowColor = currentArrowColour;
  object.arrowHeads = currentArrowHeads;
  object.arrowLineWidth = currentArrowLineWidth;
  object.arrowDirection = currentArrowDirection;
  object.arrowClosedHead = currentArrowClosedHead;
  object.arrowHeadSize = currentArrowHeadSize;
}

void DrawShapeObject(gfx::Surface& target, int32_t x, int32_t y) {
  gfx::Select(target);
  const int lineStyle = shapeLineStyle >= gfx::kSolid && shapeLineStyle <= gfx::kDashDotDot
                            ? shapeLineStyle
                            : gfx::kSolid;
  const int fillStyle = shapeFillStyle >= 0 && shapeFillStyle <= 6 ? shapeFillStyle : 0;
  gfx::SetPen(target, shapeLineWidth, lineStyle);
  const double right = static_cast<double>(x) + shapeWidth;
  const double bottom = static_cast<double>(y) + shapeHeight;
  if (shapeTypeChosen == kShapeSquareOrRectangle) {
    const int rounding = shapeRoundedCorners == 1 ? shapeRoundingPercent : 0;
    gfx::Box(target, x, y, right, bottom, rounding, shapeBorderColour, shapeInteriorColour,
             fillStyle);
  } else {
    gfx::Ellipse(target, x, y, right, bottom, shapeBorderColour, shapeInteriorColour, fillStyle);
  }
  gfx::SetPen(target, 1, gfx::kSolid);
}

void DrawArrowObject(gfx::Surface& target, int32_t x, int32_t y) {
  DrawArrowFigure(target, currentArrowDirection, x, y, currentArrowLength, currentArrowHeadSize,
                  currentArrowColour, currentArrowLineWidth, currentArrowClosedHead,
                  currentArrowHeads);
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
