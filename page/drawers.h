// The drawers of squares and circles (kind 5), arrows (kind 6) and one-line texts (kinds 4
// and 10). They draw from their arguments; a stored object gives them its own fields.
#pragma once
#include <cstdint>
#include <string_view>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"

// shapeType: the id of the "square or rectangle" option; any other value is an ellipse.
constexpr int32_t kShapeSquareOrRectangle = 7001;
constexpr int32_t kShapeCircleOrEllipse = 7002;

// What a square or circle is drawn with; the PageObject field of each is named beside it.
struct ShapeArgs {
  int32_t roundedCorners = 0;              // roundedCorners: 1 = rounded (boxes only)
  int32_t type = kShapeSquareOrRectangle;  // shapeType: 7001 box, anything else ellipse
  int32_t fillStyle = 0;                   // fillStyle: 0 solid, 1..6 hatched; others solid
  int32_t lineStyle = 0;                   // lineStyle: gfx::PenStyle 0..4; others solid
  int32_t lineWidth = 1;                   // lineWidth: pen width in pixels
  gfx::Colour borderColour = 0;            // borderColor
  gfx::Colour interiorColour = 0xFF0000;   // backColor: -2 no interior
  int16_t roundingPercent = 0;             // roundingPercent: below 0 or above 100 is 100
  int16_t width = 0;                       // width
  int16_t height = 0;                      // height
};

// ArrowDirection: clockwise from straight up in 45-degree steps.
enum ArrowDirection : int16_t {
  kArrowUp = 1,
  kArrowUpRight = 2,
  kArrowRight = 3,
  kArrowDownRight = 4,
  kArrowDown = 5,
  kArrowDownLeft = 6,
  kArrowLeft = 7,
  kArrowUpLeft = 8,
};

// What an arrow is drawn with, with its PageObject fields.
struct ArrowArgs {
  int16_t direction = kArrowUp;  // arrowDirection: ArrowDirection; others draw nothing
  int16_t length = 100;          // arrowLength: L, the shaft's run along each axis it moves on
  int16_t headSize = 10;         // arrowHeadSize: h, each head leg's run along each axis
  gfx::Colour colour = 0;        // arrowColor
  int16_t lineWidth = 1;         // arrowLineWidth
  int32_t closedHead = 0;        // arrowClosedHead: 1 = a line closes each head (not filled)
  uint8_t heads = 1;             // arrowHeads: 0 none, 2 both ends, other values at the tip
};

// A stored kind-5 or kind-6 object as the painter draws it. Widths a document holds beyond
// what the dialogs offer (1..15 for shapes, 1..30 for arrows) are brought back into that
// range, so a damaged file cannot make the page unpaintable.
ShapeArgs ShapeArgsOfObject(const PageObject& object);
ArrowArgs ArrowArgsOfObject(const PageObject& object);
// The way back: the arguments into an object's fields, as they are (size included for a
// shape; an arrow's pick box, position and kind are the caller's).
void PutShapeArgs(PageObject& object, const ShapeArgs& shape);
void PutArrowArgs(PageObject& object, const ArrowArgs& arrow);

// The box or ellipse from (x, y) to (x + width, y + height) on `target`, which it selects;
// leaves the pen solid and 1 pixel wide.
void DrawShape(gfx::Surface& target, int32_t x, int32_t y, const ShapeArgs& shape);

// The arrow with its shaft starting at (x, y).
void DrawArrow(gfx::Surface& target, int32_t x, int32_t y, const ArrowArgs& arrow);

// One arrow figure: the shaft from A = (x, y) along `direction` (L on each axis it moves on),
// a head at the far end when heads > 0, another at A when heads is 2, each head closed by a
// line between its leg ends when closed is 1. Solid lines of `lineWidth`; the pen keeps that
// width afterwards. A direction outside 1..8 draws nothing.
void DrawArrowFigure(gfx::Surface& target, int16_t direction, int32_t x, int32_t y, int16_t L,
                     int16_t h, gfx::Colour colour, int16_t lineWidth, int32_t closed,
                     uint8_t heads);
// The same, one routine a direction.
void DrawArrowUp(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                 gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowUpRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                      gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                    gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowDownRight(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                        gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowDown(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                   gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowDownLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                       gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                   gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);
void DrawArrowUpLeft(gfx::Surface& target, int32_t x, int32_t y, int16_t L, int16_t h,
                     gfx::Colour colour, int16_t lineWidth, int32_t closed, uint8_t heads);

// A text as one line with its top-left corner at (x, y), in `font` (rotated about (x, y)
// when the font has an escapement), on `backColour` unless that is -2. The text ends at its
// first zero byte, so an object's whole text field may be passed. The first serves angled
// texts, the second maths characters in the face "Symbol"; they draw alike.
void DrawTextAtPosition(gfx::Surface& target, int32_t x, int32_t y, gfx::Colour foreColour,
                        gfx::Colour backColour, std::string_view text, gfx::FontKey font);
void DrawSymbolTextAtPosition(gfx::Surface& target, int32_t x, int32_t y,
                              gfx::Colour foreColour, gfx::Colour backColour,
                              std::string_view text, gfx::FontKey font);
// Drawn as DrawTextAtPosition. The graphic layer keeps one font per description for the
// whole run, so there is nothing to free and the object's key stays valid.
void DrawTextAtPositionAndFreeFont(gfx::Surface& target, int32_t x, int32_t y,
                                   gfx::Colour foreColour, gfx::Colour backColour,
                                   std::string_view text, gfx::FontKey font);
