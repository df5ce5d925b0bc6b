#include "page/line_text.h"

#include <algorithm>
#include <vector>

#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A cut of the text in the middle of a CR LF leaves a lone CR (or LF) that would print as a
// glyph.
std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

std::vector<std::string_view> SplitAtCrLf(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t end = text.find(kCrLf);
    if (end == std::string_view::npos) break;
    fields.push_back(WithoutLineEnd(text.substr(0, end)));
    text.remove_prefix(end + kCrLf.size());
  }
  fields.push_back(WithoutLineEnd(text));
  return fields;
}

}  // namespace

void DrawLineTextObject(gfx::Surface& target, std::string_view text, int32_t x, int32_t y,
                        gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour,
                        int16_t fontSize, int16_t alignment) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, foreColour);
  gfx::SetBackColour(target, backColour);
  if (alignment != kAlignLeft && alignment != kAlignRight && alignment != kAlignCentre) return;

  const std::vector<std::string_view> lines = SplitAtCrLf(text.substr(0, text.find('\0')));
  int widest = 0;
  if (alignment == kAlignCentre)
    for (std::string_view line : lines) widest = std::max(widest, gfx::TextWidth(target, line));

  for (size_t i = 0; i < lines.size(); ++i) {
    // The step is the point size taken as pixels, whatever the font's real height.
    const double top = static_cast<double>(y) + static_cast<double>(i + 1) * fontSize;
    double left = x;
    if (alignment == kAlignRight) {
      left = static_cast<double>(x) - gfx::TextWidth(target, lines[i]);
    } else if (alignment == kAlignCentre) {
      const double offset = (widest - gfx::TextWidth(target, lines[i])) / 2.0;
      left = static_cast<double>(x) + static_cast<double>(numbers::RoundHalfEven(offset));
    }
    gfx::MoveTo(target, left, top);
    gfx::Print(target, lines[i]);
  }
}
