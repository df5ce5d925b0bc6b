// Corner marks (kind 11): L-shaped lines at the four corners of a rectangle, a faint shadow
// filling it and a grey caption, marking where a photo, stamp, bar code or signature goes.
#pragma once
#include <cstdint>
#include <string_view>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"

// CornerMarkStyle: the dialog's combo; an object keeps it as its three flags.
enum CornerMarkStyle : int32_t {
  kCornerComplete = 1,      // caption, shadow and corners
  kCornerTextOnly = 2,      // caption and corners
  kCornerShadowOnly = 3,    // shadow and corners
  kCornerShadowAndText = 4, // caption and shadow
};

// The face corner marks are drawn in, and the one a stored mark without a face takes.
constexpr const char* kCornerMarkFace = "Tahoma";
constexpr int32_t kCornerMarkPoints = 8;
constexpr int16_t kCornerMarkAlignment = 133;   // centred
constexpr gfx::Colour kCornerShadowColour = gfx::Rgb(247, 247, 247);
constexpr gfx::Colour kCornerShadowOutline = 0xFFFFFE;
constexpr gfx::Colour kCornerCaptionColour = gfx::Rgb(202, 202, 202);

// On `target`, which it selects, each part only when its flag is not 0, with a = width \ 3
// and b = height \ 3: the corners, two lines a and b long from each corner along its edges,
// in `colour` and `penWidth`; the shadow, a box (x + 1, y + 1)-(x + width - 1,
// y + height - 1) filled light grey with a near-white outline and a 1-pixel pen; the
// caption in the text-in-area renderer across the width from (x, y + b - 3), always light
// grey, in `fontName` (empty: Tahoma) at `fontSize` points. The argument after the size is
// not read.
void DrawCornerMark(gfx::Surface& target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t penWidth,
                    gfx::Colour colour, std::string_view text, std::string_view fontName, int32_t fontSize,
                    int32_t unused, int16_t alignment, int32_t showText, int32_t showShadow,
                    int32_t showCorners);

// The painter's side: a stored mark drawn with its own fields, Tahoma 8 and centred.
void DrawCornerMarkObject(gfx::Surface& target, const PageObject& object);
