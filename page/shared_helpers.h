// Small things nearly every drawing and file routine uses: the text style bits of a font,
// the text alignment codes, clearing a surface before it is painted, a file-exists test, the
// fields of records, the reach of drawn coordinates, and the font sizes the dialogs offer.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"

// The title of every message box both programs show.
constexpr const char* kMessageTitle = "Vozurivudoz";

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

// The message of a file a reader refuses (a folder, a device, a pipe, one too large for what
// it holds): the reader's own words ("No puedo leer el documento"), the file, and on a second
// line the "Err: " number and text of why.
std::string FileRefusalText(std::string_view what, std::string_view path, int error);

// A font made the way the whole system makes them: face (first 31 characters), size in
// points (0 means 8), TextStyleFlags; character set, pitch and escapement as given.
gfx::FontKey MakeSystemFont(std::string_view face, int points, int32_t styleFlags,
                            int charset = 0, int escapement = 0);

// The fields of the records in the designer's own files: `bytes` (1 to 4) bytes of a value,
// lowest first; and back, a field cut short by the end of the text reading zeros past it.
void PutLittleEndianField(std::string& out, uint32_t value, int bytes);
uint32_t LittleEndianField(std::string_view in, size_t at, int bytes);

// Whatever lies this far off any page is invisible. The drawers hold coordinates within it,
// which keeps every sum within 32 bits and within what the graphic layer rounds safely.
constexpr int32_t kCoordinateReach = 1000000;
inline int32_t HeldCoordinate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, -kCoordinateReach, kCoordinateReach));
}

// The largest font size the size combos offer (they start at 6).
constexpr int kComboFontSizeHigh = 70;

// A fixed text field of a record up to its terminator, or whole when a damaged record has none.
template <size_t N>
std::string_view FixedFieldText(const char (&field)[N]) {
  return {field, strnlen(field, N)};
}

// A text into a fixed field: at most N - 1 characters, zeros after them.
template <size_t N>
void SetFixedField(char (&field)[N], std::string_view value) {
  const size_t n = std::min(value.size(), N - 1);
  // An empty view may hold no bytes at all, which memcpy must never be given.
  if (n > 0) std::memcpy(field, value.data(), n);
  std::memset(field + n, 0, N - n);
}
