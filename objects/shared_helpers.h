// Small things nearly every drawing and file routine uses: the text style bits of a font,
// the text alignment codes, clearing a surface before it is painted, and a file-exists test.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/gfx/gfx.h"

// TextStyleFlags: bits of a font's style, stored in fontStyle and fillFontStyle.
enum TextStyleFlags : int32_t {
  kStyleBold = 1,
  kStyleItalic = 2,
  kStyleUnderline = 4,
  kStyleStrikeOut = 8,
  kStyleLeading = 16,   // the size is the height of the whole character cell
};

// TextAlignment: the alignment codes (the ids of the alignment controls that set them).
enum TextAlignment : int16_t {
  kAlignLeft = 131,
  kAlignRight = 132,
  kAlignCentre = 133,
  kAlignJustified = 134,
};

// Makes the surface the current target and fills it with white.
void ClearGraphicTarget(gfx::Surface& target);

// -1 when the path names an existing file or folder, 0 otherwise (also for an empty path or
// one holding "*" or "?").
int32_t FileExists(std::string_view path);

// A font made the way the whole system makes them: face (first 31 characters), size in
// points (0 means 8), TextStyleFlags; character set, pitch and escapement as given.
gfx::FontKey MakeSystemFont(std::string_view face, int points, int32_t styleFlags,
                            int charset = 0, int escapement = 0);
