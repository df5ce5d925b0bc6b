#include "dialogs/text_style_controls.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/font_combos.h"
#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

namespace {

void ChooseInto(const TextStyleEditor& e, ui::Window window, gfx::Colour& working, int swatch) {
  if (ChooseSwatchColour(window, swatch, e.customColours, working)) DrawTextStylePreview(e, window);
}

void TakePickedInto(const TextStyleEditor& e, ui::Window window, gfx::Colour& accepted, gfx::Colour& working,
                    int swatch) {
  if (!TakePickedSwatchColour(window, swatch, working)) return;
  if (e.pickedColourAccepted) accepted = working;
  DrawTextStylePreview(e, window);
}

}  // namespace

int32_t StyleFlagsOf(const std::array<int32_t, 5>& bits) {
  constexpr std::array<int32_t, 5> kValues = {kStyleBold, kStyleItalic, kStyleUnderline,
                                              kStyleStrikeOut, kStyleLeading};
  int32_t flags = 0;
  for (size_t i = 0; i < bits.size(); ++i)
    if (bits[i] == 1) flags += kValues[i];
  return flags;
}

void AddTextStyleControls(std::vector<ui::Control>& controls, int base) {
  const int b = base;
  controls.insert(
      controls.end(),
      {
          {ui::Kind::Label, b + 90, "Tipo de Fuente", 8, 8, 312, 16, ui::kCentred},
          {ui::Kind::DropList, b + kTextStyleFace, "", 8, 24, 304, 24, ui::kOwnerDraw | ui::kSorted | ui::kSunken},
          {ui::Kind::Label, b + 110, "Tama\xF1o", 314, 7, 120, 13, ui::kCentred},
          {ui::Kind::DropList, b + kTextStyleSize, "", 314, 24, 120, 24, ui::kExtendedUi},
          {ui::Kind::CheckBox, b + kTextStyleChecks[0], "Negrita", 32, 72, 96, 24},
          {ui::Kind::CheckBox, b + kTextStyleChecks[1], "Italica", 32, 96, 96, 24},
          {ui::Kind::CheckBox, b + kTextStyleChecks[2], "Subrayado", 32, 120, 96, 24},
          {ui::Kind::CheckBox, b + kTextStyleChecks[3], "Tachado", 32, 144, 96, 24},
          {ui::Kind::CheckBox, b + kTextStyleChecks[4], "Leading", 32, 168, 96, 24},
          {ui::Kind::GroupFrame, b + 190, "Estilos", 8, 56, 136, 144},
          {ui::Kind::Graphic, b + kTextStylePreview, "", 152, 64, 280, 136, ui::kBorder},
          {ui::Kind::Label, b + kTextStyleBackLabel, "Color de fondo", 0, 216, 152, 24, 0, "MS Sans Serif", 14},
          {ui::Kind::Button, b + kTextStyleBackChooser, "...", 151, 208, 56, 32, 0, "MS Sans Serif", 18},
          {ui::Kind::Graphic, b + kTextStyleBackSwatch, "", 216, 208, 32, 32, ui::kBorder | ui::kNotify},
          {ui::Kind::Button, b + kTextStyleForeChooser, "...", 151, 249, 56, 32, 0, "MS Sans Serif", 18},
          {ui::Kind::Label, b + 250, "Color de fuente", 0, 257, 152, 24, 0, "MS Sans Serif", 14},
          {ui::Kind::Graphic, b + kTextStyleForeSwatch, "", 216, 249, 32, 32, ui::kBorder | ui::kNotify},
          {ui::Kind::Button, b + kTextStyleCancelar, "Cancelar", 256, 208, 72, 32},
          {ui::Kind::Button, b + kTextStyleAceptar, "Aceptar", 256, 250, 72, 32},
      });
}

void OpenTextStyle(const TextStyleEditor& e, ui::Window window) {
  RevertTextStyle(e);
  const int face = e.base + kTextStyleFace, size = e.base + kTextStyleSize;
  ui::SetItemHeight(window, face, FontComboItemHeight());
  FillFontCombo(window, face);
  SelectFontFace(window, face, e.working.fontName);
  FillFontSizeCombo(window, size, kComboFontSizeHigh);
  PaintSwatch(window, e.base + kTextStyleBackSwatch, e.working.backColour);
  PaintSwatch(window, e.base + kTextStyleForeSwatch, e.working.foreColour);
  for (size_t i = 0; i < kTextStyleChecks.size(); ++i)
    ui::SetCheck(window, e.base + kTextStyleChecks[i], e.accepted.styleBits[i] == 1);
  SelectFontSize(window, size, e.accepted.fontSize);
}

void AcceptTextStyle(const TextStyleEditor& e) {
  // The working face is cut too, so that both copies stay equal.
  if (e.working.fontName.size() > e.fontNameMaxChars) e.working.fontName.resize(e.fontNameMaxChars);
  e.accepted = e.working;
}

void RevertTextStyle(const TextStyleEditor& e) { e.working = e.accepted; }

void DrawTextStylePreview(const TextStyleEditor& e, ui::Window window) {
  const int id = e.base + kTextStylePreview;
  gfx::Surface& s = ui::ControlSurface(window, id);
  gfx::Select(s);
  // A transparent background is no colour to clear to.
  const TextStyle& w = e.working;
  gfx::Clear(s, e.previewOnBackColour && w.backColour >= 0 ? w.backColour : gfx::kWhite);
  gfx::SelectFont(s, MakeSystemFont(w.fontName, w.fontSize, StyleFlagsOf(w.styleBits)));
  gfx::SetForeColour(s, w.foreColour);
  gfx::SetBackColour(s, e.previewOnBackColour ? gfx::kTransparent : w.backColour);
  gfx::MoveTo(s, 4, 4);
  gfx::Print(s, "Prueba");
  ui::Redraw(window, id);
}

bool TextStyleCommand(const TextStyleEditor& e, ui::Window window, int id, intptr_t code) {
  for (size_t i = 0; i < kTextStyleChecks.size(); ++i) {
    if (id == e.base + kTextStyleChecks[i]) {
      e.working.styleBits[i] = ui::Checked(window, id) ? 1 : 0;
      DrawTextStylePreview(e, window);
      return true;
    }
  }
  switch (id - e.base) {
    case kTextStyleFace:
      if (code == ui::kSelChange || code == ui::kSelEndOk)
        e.working.fontName = ui::Text(window, id);
      if (code == ui::kSelEndOk) DrawTextStylePreview(e, window);
      return true;
    case kTextStyleSize:
      if (code != ui::kSelEndOk) return true;
      e.working.fontSize = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, id)));
      DrawTextStylePreview(e, window);
      return true;
    case kTextStyleBackChooser:
      if (IsPressCode(code))
        ChooseInto(e, window, e.working.backColour, e.base + kTextStyleBackSwatch);
      return true;
    case kTextStyleForeChooser:
      if (IsPressCode(code))
        ChooseInto(e, window, e.working.foreColour, e.base + kTextStyleForeSwatch);
      return true;
    case kTextStyleBackSwatch:
      TakePickedInto(e, window, e.accepted.backColour, e.working.backColour, id);
      return true;
    case kTextStyleForeSwatch:
      TakePickedInto(e, window, e.accepted.foreColour, e.working.foreColour, id);
      return true;
    default:
      return false;
  }
}

void DrawTextStyleItem(const TextStyleEditor& e, intptr_t second) {
  const auto* item = reinterpret_cast<const ui::DrawItemInfo*>(second);
  if (item && item->controlId == e.base + kTextStyleFace) DrawFontComboItem(*item);
}
