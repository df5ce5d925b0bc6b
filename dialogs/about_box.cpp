#include "dialogs/about_box.h"

#include <string>

#include "dialogs/dialog_focus.h"
#include "page/start_values.h"

int16_t aboutFrame = 701;
int32_t aboutBusy = 0;

using namespace about_box_ids;

namespace {
ui::Window focusBeforeDeactivation = nullptr;

StartValues startValues(aboutFrame, aboutBusy, focusBeforeDeactivation);
}  // namespace

int16_t NextAboutFrame(int16_t frame) { return frame >= 707 || frame < 701 ? 701 : frame + 1; }

void ShowAboutDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Autor";
  t.w = 201;
  t.h = 121;
  t.units = ui::Units::Dialog;
  t.controls = {
      {ui::Kind::Icon, kIcon, "#701", 12, 12, 30, 30},
      {ui::Kind::Label, 6019, "Brevin te da las Gracias por usar este programa.", 52, 14, 140, 26,
       0, "MS Sans Serif", 10, true},
      {ui::Kind::Label, 6020,
       "Gracias a todos los que lo usan para hacer sus impresos: que les sirva bien.", 12, 48,
       180, 30, 0, "MS Sans Serif", 10, true},
      {ui::Kind::Button, kSalir, "Salir", 70, 88, 60, 22, 0, "MS Sans Serif", 14, true},
  };
  ui::RunModal(t, parent, AboutDialogProc);
}

void RunAboutCommand(ui::Window mainWindow) {
  if (aboutBusy != 0) return;
  aboutBusy = 1;
  ShowAboutDialog(mainWindow);
  aboutBusy = 0;
}

intptr_t AboutDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  switch (msg) {
    case ui::Msg::Init:
      ui::SetTimer(window, kTimerId, 100);
      aboutFrame = 701;
      break;
    case ui::Msg::Timer:
      if (first == kTimerId) {
        ui::SetImage(window, kIcon, "#" + std::to_string(aboutFrame));
        aboutFrame = NextAboutFrame(aboutFrame);
      }
      break;
    case ui::Msg::Command:
      if ((first & 0xFFFF) == kSalir && (second == ui::kClicked || second == ui::kDoubleClicked))
        ui::EndDialog(window, 0);
      break;
    case ui::Msg::Close:
      // Esc and the close box end the box as "Salir" does.
      ui::EndDialog(window, 0);
      return 1;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, focusBeforeDeactivation);
      break;
    case ui::Msg::Destroy:
      ui::KillTimer(window, kTimerId);
      aboutBusy = 0;
      break;
    default:
      break;
  }
  return 0;
}

void ResetAboutBoxState() { startValues.Restore(); }
