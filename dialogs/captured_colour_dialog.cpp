#include "dialogs/captured_colour_dialog.h"

#include <cstdio>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/picked_colours.h"
#include "page/start_values.h"

using namespace captured_colour_ids;

int32_t capturedColourDialogOpen = 0;

namespace {

StartValues startValues(capturedColourDialogOpen);


DialogSkeleton skeleton{&capturedColourDialogOpen, nullptr, kAceptar};

void Initialise(ui::Window window) { PaintSwatch(window, kSwatch, pickedColour); }

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (IsButtonPress(id, code, kAceptar)) ui::EndDialog(window, ui::kOk);
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand};

}  // namespace

std::string CapturedColourText(gfx::Colour colour) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(static_cast<uint32_t>(colour)));
  return std::string("&H") + hex;
}

int ShowCapturedColourDialog(ui::Window parent) {
  if (capturedColourDialogOpen) return 0;
  ui::DialogTemplate t;
  t.caption = "Color Captado";
  t.w = 302;
  t.h = 170;
  t.units = ui::Units::Dialog;
  // Labels here show their text as it is, so the value needs no doubled "&".
  t.controls = {
      {ui::Kind::Graphic, kSwatch, "", 8, 8, 288, 88, ui::kBorder},
      {ui::Kind::Label, kValue, CapturedColourText(pickedColour), 8, 104, 288, 24, ui::kCentred, "MS Sans Serif", 14},
      {ui::Kind::Button, kAceptar, "Aceptar", 202, 136, 94, 24},
  };
  return ui::RunModal(t, parent, CapturedColourDialogProc);
}

intptr_t CapturedColourDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetCapturedColourDialogState() { startValues.Restore(); }
