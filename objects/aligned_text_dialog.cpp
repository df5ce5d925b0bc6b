#include "objects/aligned_text_dialog.h"

#include <string>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "objects/memo_text.h"
#include "page/aligned_text.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace aligned_text_ids;

AlignedTextSettings alignedTextSettings;
std::string& alignedText = alignedTextSettings.text;
int16_t& alignedTextWidth = alignedTextSettings.width;
int16_t& alignedTextHeight = alignedTextSettings.height;
int16_t& alignedTextAlignment = alignedTextSettings.alignment;
int32_t alignedTextAccepted = 0;
int32_t alignedTextDialogOpen = 0;
int32_t alignLeftChosen = 1;
int32_t alignRightChosen = 0;
int32_t alignCentreChosen = 0;
int32_t alignJustifiedChosen = 0;

namespace {

StartValues startValues(alignedTextSettings, alignedTextAccepted, alignedTextDialogOpen,
                        alignLeftChosen, alignRightChosen, alignCentreChosen,
                        alignJustifiedChosen);


DialogSkeleton skeleton{&alignedTextDialogOpen, &alignedTextAccepted, kCancelar};

int32_t* const kOptionFlags[] = {&alignLeftChosen, &alignRightChosen, &alignCentreChosen, &alignJustifiedChosen};

void Accept(ui::Window window) {
  const std::string typed = ui::Text(window, kText);
  const bool onlyLineBreaks = !typed.empty() && typed.find_first_not_of("\r\n") == std::string::npos;
  // The text is kept even when the sizes are refused, so that the next opening shows it again.
  alignedText = LineBreaksToBlanks(typed.empty() ? MemoFieldNote() : typed).substr(0, kAlignedTextMaxChars);
  const long double w = FieldNumber(window, kWidth);
  const long double h = FieldNumber(window, kHeight);
  if (w < 1 || w > 1200 || h < 1 || h > 900 || onlyLineBreaks) {
    Tell(window, "Datos Incorrectos ...\r\nTama\xF1o demasiado grande o faltan datos ...");
    return;
  }
  alignedTextWidth = static_cast<int16_t>(w);
  alignedTextHeight = static_cast<int16_t>(h);
  alignedTextAlignment = alignLeftChosen == 1      ? kAlignLeft
                         : alignRightChosen == 1   ? kAlignRight
                         : alignCentreChosen == 1  ? kAlignCentre
                                                   : kAlignJustified;
  FinishDialog(skeleton, window, true);
}

void Initialise(ui::Window window) {
  // Longer texts would be drawn at insertion but cut when stored.
  ui::SetTextLimit(window, kText, kAlignedTextMaxChars);
  for (int i = 0; i < 4; ++i)
    if (*kOptionFlags[i] == 1) ui::SetCheck(window, kLeft + i, true);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (id >= kLeft && id <= kJustified) {
    for (int i = 0; i < 4; ++i) *kOptionFlags[i] = kLeft + i == id ? 1 : 0;
  } else if (id == kText && code == ui::kEditChange) {
    const auto count = static_cast<long double>(ui::Text(window, kText).size());
    ui::SetCaption(window, "Escritas " + numbers::FormatWithMask(count, "0000"));
  } else if (IsButtonPress(id, code, kCancelar)) {
    FinishDialog(skeleton, window, false);
  } else if (IsButtonPress(id, code, kAceptar)) {
    Accept(window);
  }
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand};

}  // namespace

int ShowAlignedTextDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Insertar texto alineado";
  t.w = 493;
  t.h = 381;
  t.units = ui::Units::Dialog;
  t.x = 105;
  t.y = 114;
  // The texts go in with the template, so that opening does not count as typing.
  t.controls = {
      {ui::Kind::OptionBox, kLeft, "Alinear a la Izquierda", 24, 24, 232, 24, ui::kGroupStart},
      {ui::Kind::OptionBox, kRight, "Alinear a la Derecha", 24, 48, 232, 24},
      {ui::Kind::OptionBox, kCentre, "Alinear al Centro", 24, 72, 232, 24},
      {ui::Kind::OptionBox, kJustified, "Alinear Justificado", 24, 96, 232, 24},
      {ui::Kind::GroupFrame, 31005, "Alineamiento", 8, 8, 256, 128, 0, "MS Sans Serif", 8},
      {ui::Kind::Label, 31006, "Tama\xF1o area alineamiento", 280, 16, 192, 16},
      {ui::Kind::Label, 31007, "Ancho", 312, 40, 48, 24},
      {ui::Kind::Edit, kWidth, numbers::NumberText(alignedTextWidth), 312, 64, 48, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 31010, "Alto", 384, 40, 48, 24, ui::kCentred},
      {ui::Kind::Edit, kHeight, numbers::NumberText(alignedTextHeight), 384, 64, 48, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 31011, "x", 360, 35, 24, 24, ui::kCentred, "MS Sans Serif", 14},
      {ui::Kind::Label, 31012, "x", 360, 63, 24, 24, ui::kCentred, "MS Sans Serif", 14},
      {ui::Kind::Label, 31016, "pixels", 432, 64, 56, 24, ui::kCentred},
      {ui::Kind::Edit, kText, alignedText, 8, 144, 480, 184, ui::kMultiLine | ui::kVScroll | ui::kBorder},
      {ui::Kind::Button, kCancelar, "Cancelar", 8, 344, 80, 24},
      {ui::Kind::Button, kAceptar, "Aceptar", 408, 344, 80, 24},
  };
  return ui::RunModal(t, parent, AlignedTextDialogProc);
}

intptr_t AlignedTextDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

bool RefuseEmptyAlignedText() {
  if (!alignedText.empty()) return false;
  Tell(nullptr, "Tiene que escribir un texto para poder insertarlo en la imagen ...");
  return true;
}

void DrawAlignedText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                     int32_t y, gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour) {
  DrawTextInArea(target, text, alignment, x, y, alignedTextWidth, font, foreColour, backColour);
}

void ResetAlignedTextDialogState() { startValues.Restore(); }
