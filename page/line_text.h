// Line texts (kind 9): a block of lines printed one line per row, left-aligned,
// right-aligned or centred at an anchor point.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/gfx/gfx.h"

// Prints `text`, lines separated by CR LF (up to its first zero byte), line i (from 1) with
// its top at y + i x fontSize: alignment 131 starting at x, 132 ending at x, 133 centred in a
// block as wide as the widest line starting at x. Other alignments draw nothing.
void DrawLineTextObject(gfx::Surface& target, std::string_view text, int32_t x, int32_t y,
                        gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour,
                        int16_t fontSize, int16_t alignment);
