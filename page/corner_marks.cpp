#include "page/corner_marks.h"

#include <algorithm>

#include "page/admin_controls.h"
#include "page/aligned_text.h"
#include "page/shared_helpers.h"

void DrawCornerMark(gfx::Surface& target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t penWidth,
                    gfx::Colour colour, std::string_view text, std::string_view fontName, int32_t fontSize,
                    int32_t, int16_t alignment, int32_t showText, int32_t showShadow, int32_t showCorners) {
  gfx::Select(target);
  x = HeldCoordinate(x);
  y = HeldCoordinate(y);
  width = HeldCoordinate(width);
  height = HeldCoordinate(height);
  const int32_t a = width / 3;
  const int32_t b = height / 3;
  const double l = x, t = y, r = static_cast<double>(x) + width, bt = static_cast<double>(y) + height;
  if (showCorners != 0) {
    gfx::SetPen(target, penWidth, gfx::kSolid);
    gfx::Line(target, l, t, l + a, t, colour);
    gfx::Line(target, l, t, l, t + b, colour);
    gfx::Line(target, r, t, r - a, t, colour);
    gfx::Line(target, r, t, r, t + b, colour);
    gfx::Line(target, l, bt, l + a, bt, colour);
    gfx::Line(target, l, bt, l, bt - b, colour);
    gfx::Line(target, r, bt, r - a, bt, colour);
    gfx::Line(target, r, bt, r, bt - b, colour);
  }
  if (showShadow != 0) {
    gfx::SetPen(target, 1, gfx::kSolid);
    gfx::Box(target, l + 1, t + 1, r - 1, bt - 1, 0, kCornerShadowOutline, kCornerShadowColour, 0);
  }
  if (showText != 0) {
    const gfx::FontKey font = MakeSystemFont(fontName.empty() ? std::string_view(kCornerMarkFace) : fontName,
                                             fontSize, 0, 0);
    DrawCornerMarkText(target, text, alignment, x, y + b - 3, font, kCornerCaptionColour, width, height);
  }
}

void DrawCornerMarkObject(gfx::Surface& target, const PageObject& object) {
  // At least a 1-pixel pen, and no wider than "Propiedades objetos" lets one be set.
  const int32_t pen = std::clamp(object.penWidth, 1, kAdminMaxPenWidth);
  DrawCornerMark(target, object.x, object.y, object.width, object.height, pen, object.backColor,
                 FixedFieldText(object.text), FixedFieldText(object.fontName),
                 kCornerMarkPoints, 0, kCornerMarkAlignment, object.optionFlag1, object.optionFlag2,
                 object.optionFlag3);
}
