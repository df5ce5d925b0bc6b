// The text-in-area renderer: a text word-wrapped into 100 line slots across an area's width
// and drawn left, right, centred or justified. Aligned and memo texts draw through it;
// captions, administrative labels and corner-mark texts through its forms.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"

constexpr int kLineSlots = 100;
using LineSlots = std::array<std::string, kLineSlots>;

// The text broken into the 100 line slots for an area `areaWidth` wide, in the surface's
// selected font: the first line for the width less 5, the later ones for the whole width.
LineSlots SplitTextIntoLineSlots(gfx::Surface& target, std::string_view text, int areaWidth);

// The renderer every form shares: selects the target, font and colours (back -2: no text
// background), and draws the slots from (x, y) down, one line each, empty slots included.
// An alignment other than 131 to 134 draws nothing.
void DrawTextInArea(gfx::Surface& target, std::string_view text, int alignment, double x, double y,
                    int areaWidth, gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour);

// The full-width form (palette captions): the target's whole width, no text background.
void DrawFullWidthText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                       int32_t y, gfx::FontKey font, gfx::Colour colour);
// The label form (administrative controls): the area width given, no text background, and
// the first line at y + yOffset when useY is 1. Only the width affects the layout.
void DrawLabelText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                   int32_t y, gfx::FontKey font, gfx::Colour colour, int32_t useY, int16_t yOffset,
                   int32_t areaWidth, int32_t areaHeight);
// The corner-mark form: the label form without its y option.
void DrawCornerMarkText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                        int32_t y, gfx::FontKey font, gfx::Colour colour, int32_t areaWidth,
                        int32_t areaHeight);
