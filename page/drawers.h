// The drawers of squares and circles (kind 5), arrows (kind 6) and one-line texts (kinds 4
// and 10). Shapes and arrows take their position as arguments and everything else from the
// shape and arrow settings below, which the dialogs leave after "Aceptar" and the painter
// loads from each stored object before drawing it.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "page/page_object.h"

// shapeTypeChosen: the id of the "square or rectangle" option; any other value is an ellipse.
constexpr int32_t kShapeSquareOrRectangle = 7001;
constexpr int32_t kShapeCircleOrEllipse = 7002;

// Shape settings. The field of PageObject each one travels in is named beside it.
extern int32_t shapeRoundedCorners;    // roundedCorners: 1 = rounded (squares and rectangles)
extern int32_t shapeTypeChosen;        // shapeType: 7001 box, anything else ellipse
extern int32_t shapeFillStyle;         // fillStyle: 0 solid, 1..6 hatched; others solid
extern int32_t shapeLineStyle;         // lineStyle: gfx::PenStyle 0..4; others solid
extern int32_t shapeLineWidth;         // lineWidth: pen width in pixels
extern gfx::Colour shapeBorderColour;  // borderColor
extern gfx::Colour shapeInteriorColour;   // backColor: -2 no interior
extern int16_t shapeRoundingPercent;   // roundingPercent: below 0 or above 100 draws as 100
extern int16_t shapeWidth;             // width
extern int16_t shapeHeight;            // height

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

// Arrow settings, with their PageObject fields.
extern int16_t currentArrowDirection;  // arrowDirection: ArrowDirection; others draw nothing
extern int16_t currentArrowLength;     // arrowLength: L, the shaft's run along each axis it moves on
extern int16_t currentArrowHeadSize;   // arrowHeadSize: h, each head leg's run along each axis
extern gfx::Colour currentArrowColour;  // arrowColor
extern int16_t currentArrowLineWidth;  // arrowLineWidth
extern int32_t currentArrowClosedHead;  // arrowClosedHead: 1 = a line closes each head (not filled)
extern uint8_t currentArrowHeads;      // arrowHeads: 0 none, 2 both ends, other values at the tip

// The painter's side: a stored kind-5 or kind-6 object into the settings. Widths a document
// holds beyond what the dialogs offer (1..15 for shapes, 1..30 for arrows) are brought back
// into that range, so a damaged file cannot make the page unpaintable.
void LoadShapeSettings(const PageObject& object);
void LoadArrowSettings(const PageObject& object);
// The insert handler's side: the settings into a new object's fields (position and kind are
// the handler's; arrows also get their 10 x 10 pick box).
void StoreShapeSettings(PageObject& object);
void StoreArrowSettings(PageObject& object);

// The shape settings' box or ellipse from (x, y) to (x + shapeWidth, y + shapeHeight) on
// `target`, which it selects; leaves the pen solid and 1 pixel wide.
void DrawShapeObject(gfx::Surface& target, int32_t x, int32_t y);

// The arrow of the arrow settings with its shaft starting at (x, y).
void DrawArrowObject(gfx::Surface& target, int32_t x, int32_t y);

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
