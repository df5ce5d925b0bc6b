#include "page/aligned_text.h"

#include <algorithm>
#include <climits>
#include <tuple>
#include <utility>

#include "page/shared_helpers.h"

namespace {

// The part of `text` that fits within `extent` pixels, broken at a blank, and the rest
// (which keeps the blank it was broken at). A word wider than the extent on its own fits
// nothing, so it is handed on whole.
std::pair<std::string, std::string> SplitAtWord(gfx::Surface& target, const std::string& text, int extent) {
  size_t n = static_cast<size_t>(std::max(0, gfx::FitCount(target, text, extent)));
  if (n >= text.size()) return {text, std::string()};
  while (n > 0 && text[n] != ' ') --n;
  return {text.substr(0, n), text.substr(n)};
}

void DropLeadingBlanks(std::string& s) { s.erase(0, std::min(s.size(), s.find_first_not_of(' '))); }

int CountBlanks(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), ' ')); }

}  // namespace

LineSlots SplitTextIntoLineSlots(gfx::Surface& target, std::string_view text, int areaWidth) {
  LineSlots slots;
  // Any width a damaged object holds, however negative, simply fits nothing.
  const int firstExtent = areaWidth < INT_MIN + 5 ? INT_MIN : areaWidth - 5;
  std::tie(slots[0], slots[1]) = SplitAtWord(target, std::string(text), firstExtent);
  // A rest no longer (in characters) than the line above it is taken to fit; stored
  // documents were laid out by this rule, wide lines and all.
  for (int i = 1; i < kLineSlots - 1; ++i) {
    if (slots[i].size() <= slots[i - 1].size()) continue;
    std::string whole = std::move(slots[i]);
    std::tie(slots[i], slots[i + 1]) = SplitAtWord(target, whole, areaWidth);
    DropLeadingBlanks(slots[i]);
    DropLeadingBlanks(slots[i + 1]);
  }
  return slots;
}

void DrawTextInArea(gfx::Surface& target, std::string_view text, int alignment, double x, double y,
                    int areaWidth, gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, foreColour);
  gfx::SetBackColour(target, backColour);
  gfx::SetTextJustification(target, 0, 0);
  gfx::MoveTo(target, x, y);
  if (alignment < kAlignLeft || alignment > kAlignJustified) return;

  const LineSlots slots = SplitTextIntoLineSlots(target, text, areaWidth);
  const double W = areaWidth;
  int widest = 0;
  if (alignment == kAlignJustified)
    for (const std::string& s : slots) widest = std::max(widest, gfx::TextWidth(target, s));

  for (const std::string& slot : slots) {
    const double penY = gfx::PenY(target);
    const int w = gfx::TextWidth(target, slot);
    switch (alignment) {
      case kAlignLeft:
        gfx::MoveTo(target, x, penY);
        gfx::Print(target, slot);
        break;
      case kAlignRight:
        gfx::MoveTo(target, x + W - w - 3, penY);
        gfx::Print(target, slot);
        break;
      case kAlignCentre:
        // The half pixel stays in the pen; the drawing layer rounds it.
        gfx::MoveTo(target, x + (W - w) / 2, penY);
        gfx::Print(target, slot);
        break;
      case kAlignJustified: {
        gfx::MoveTo(target, x, penY);
        // 0.8 as a single-precision number, so a line of exactly four fifths stays as it is.
        int blanks = 0;
        if (w < widest && w >= 0.800000011920929 * widest) {
          blanks = CountBlanks(slot);
          gfx::SetTextJustification(target, widest - w, blanks);
        }
        gfx::Print(target, slot);
        if (blanks != 0) gfx::SetTextJustification(target, 0, 0);
        break;
      }
    }
  }
}

void DrawFullWidthText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                       int32_t y, gfx::FontKey font, gfx::Colour colour) {
  DrawTextInArea(target, text, alignment, x, y, gfx::Width(target), font, colour, gfx::kTransparent);
}

void DrawLabelText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                   int32_t y, gfx::FontKey font, gfx::Colour colour, int32_t useY, int16_t yOffset,
                   int32_t areaWidth, int32_t) {
  const double top = useY == 1 ? static_cast<double>(y) + yOffset : y;
  DrawTextInArea(target, text, alignment, x, top, areaWidth, font, colour, gfx::kTransparent);
}

void DrawCornerMarkText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                        int32_t y, gfx::FontKey font, gfx::Colour colour, int32_t areaWidth, int32_t) {
  DrawTextInArea(target, text, alignment, x, y, areaWidth, font, colour, gfx::kTransparent);
}
