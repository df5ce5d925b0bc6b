#include "dialogs/font_combos.h"

#include <algorithm>

#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

void DrawComboItemInFace(const ui::DrawItemInfo& item, std::string_view face) {
  if (item.index < 0 || !item.surface) return;
  gfx::Surface& s = *item.surface;
  const gfx::Colour back = ui::SystemColourOf(item.selected ? ui::SystemColour::Highlight : ui::SystemColour::Window);
  const gfx::Colour fore =
      ui::SystemColourOf(item.selected ? ui::SystemColour::HighlightText : ui::SystemColour::WindowText);
  gfx::Select(s);
  gfx::Clear(s, back);
  gfx::SelectFont(s, CreateFontByFaceName(face, 12, 0, false, false));
  gfx::SetForeColour(s, fore);
  gfx::SetBackColour(s, gfx::kTransparent);
  gfx::MoveTo(s, 2, (item.h - gfx::TextHeight(s)) / 2);
  gfx::Print(s, item.text);
  if (item.selected) {
    gfx::SetPen(s, 1, gfx::kDot);
    gfx::Box(s, 0, 0, item.w - 1, item.h - 1, 0, fore, gfx::kTransparent, 0);
    gfx::SetPen(s, 1, gfx::kSolid);
  }
}

std::vector<std::string> InstalledFontFaces() { return gfx::InstalledFaces(); }

void FillFontCombo(ui::Window dialog, int comboId) {
  ui::ListClear(dialog, comboId);
  for (const std::string& face : InstalledFontFaces()) ui::ListAdd(dialog, comboId, face);
}

void FillFontSizeCombo(ui::Window dialog, int comboId, int largest) {
  for (int size = 6; size <= largest; ++size)
    ui::ListAdd(dialog, comboId, numbers::FormatWithMask(size, "00"));
}

void SelectFontSize(ui::Window dialog, int comboId, int size) {
  const int line = size - 6;
  ui::ListSelect(dialog, comboId, line >= 0 && line < ui::ListCount(dialog, comboId) ? line : -1);
}

void SelectFontFace(ui::Window dialog, int comboId, std::string_view face) {
  int found = -1;
  for (int i = 0, n = ui::ListCount(dialog, comboId); i < n && found < 0; ++i)
    if (ui::ListText(dialog, comboId, i) == face) found = i;
  ui::ListSelect(dialog, comboId, found);
}

gfx::FontKey CreateFontByFaceName(std::string_view face, int size, int weight, bool italic, bool underline) {
  const int32_t style = (weight >= 700 ? kStyleBold : 0) | (italic ? kStyleItalic : 0) |
                        (underline ? kStyleUnderline : 0);
  return MakeSystemFont(face, size, style, gfx::FaceCharset(face));
}

void DrawFontComboItem(const ui::DrawItemInfo& item) { DrawComboItemInFace(item, item.text); }

int FontComboItemHeight() {
  gfx::Surface* probe = gfx::MakeBitmap(1, 1);
  gfx::SelectFont(*probe, CreateFontByFaceName("Times New Roman", 12, 0, false, false));
  const int height = gfx::TextHeight(*probe) + 4;
  gfx::ReleaseBitmap(probe);
  return height;
}
