// The font, size, style and colour controls both "Propiedades Texto" dialogs show: one table
// of controls whose ids count from each dialog's base (10000 for the text properties, 20000
// for the fill text), and one handling of their combos, style checks, choosers, swatches and
// preview over the accepted and working copies the dialog names.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// Ids from the base.
constexpr int kTextStyleFace = 100, kTextStyleSize = 120, kTextStylePreview = 200;
constexpr int kTextStyleBackLabel = 210, kTextStyleBackChooser = 220, kTextStyleBackSwatch = 230;
constexpr int kTextStyleForeChooser = 240, kTextStyleForeSwatch = 260;
constexpr int kTextStyleCancelar = 270, kTextStyleAceptar = 280;
// Bold, italic, underline, strike-out, leading.
constexpr std::array<int, 5> kTextStyleChecks = {130, 140, 150, 160, 180};

// The shared controls' ids in a dialog whose ids count from `base`.
struct TextStyleIds {
  int face, size, preview, backLabel, backChooser, backSwatch, foreChooser, foreSwatch;
  int cancelar, aceptar;
  int bold, italic, underline, strikeOut, leading;
};
constexpr TextStyleIds TextStyleIdsFrom(int base) {
  return {base + kTextStyleFace,        base + kTextStyleSize,       base + kTextStylePreview,
          base + kTextStyleBackLabel,   base + kTextStyleBackChooser, base + kTextStyleBackSwatch,
          base + kTextStyleForeChooser, base + kTextStyleForeSwatch, base + kTextStyleCancelar,
          base + kTextStyleAceptar,     base + kTextStyleChecks[0],  base + kTextStyleChecks[1],
          base + kTextStyleChecks[2],   base + kTextStyleChecks[3],  base + kTextStyleChecks[4]};
}

// One copy of what the controls edit, as both dialogs start the run with it.
struct TextStyle {
  gfx::Colour backColour = gfx::kWhite;  // -2 transparent
  gfx::Colour foreColour = gfx::kBlack;
  std::string fontName = "Times New Roman";
  int16_t fontSize = 10;  // points
  // Bold, italic, underline, strike-out, leading: 1 on, anything else off.
  std::array<int32_t, 5> styleBits{};
};

struct TextStyleEditor {
  int base;
  TextStyle& accepted;
  TextStyle& working;
  std::array<gfx::Colour, 16>& customColours;   // the chooser's table
  size_t fontNameMaxChars;    // the accepted face is cut to this many characters
  bool pickedColourAccepted;  // a swatch's picked colour is accepted at once, not only on "Aceptar"
  // The fill text previews on its own background with no background behind the letters; the
  // text properties preview on white with the background behind the letters.
  bool previewOnBackColour;
};

// TextStyleFlags of five 0/1 flags (bold, italic, underline, strike-out, leading).
int32_t StyleFlagsOf(const std::array<int32_t, 5>& bits);

// The shared controls, from "Tipo de Fuente" to "Aceptar", appended to a dialog's table.
void AddTextStyleControls(std::vector<ui::Control>& controls, int base);
// Opening: the working copies from the accepted ones, the face and size combos filled and
// selected, the swatches painted and the style checks set.
void OpenTextStyle(const TextStyleEditor& e, ui::Window window);
// "Aceptar": the working copies become the accepted ones.
void AcceptTextStyle(const TextStyleEditor& e);
// "Cancelar": the working copies go back to the accepted ones.
void RevertTextStyle(const TextStyleEditor& e);
// "Prueba" in the working face, size, style and colours.
void DrawTextStylePreview(const TextStyleEditor& e, ui::Window window);
// A command of the shared controls other than "Aceptar" and "Cancelar"; false for any other.
bool TextStyleCommand(const TextStyleEditor& e, ui::Window window, int id, intptr_t code);
// Owner drawing of the face combo's lines.
void DrawTextStyleItem(const TextStyleEditor& e, intptr_t second);
// The dialog's other messages: a line of the face combo drawn (1), nothing else taken (0).
template <const TextStyleEditor& e>
intptr_t DrawTextStyleLines(ui::Window, ui::Msg msg, intptr_t, intptr_t second) {
  if (msg != ui::Msg::DrawItem) return 0;
  DrawTextStyleItem(e, second);
  return 1;
}
