// Every dialog gives the focus back to the control that had it when the dialog was left.
#pragma once
#include "platform/ui/ui.h"

inline void KeepFocusAcrossActivation(ui::Window window, ui::Msg msg, ui::Window& remembered) {
  if (msg == ui::Msg::Deactivate) {
    ui::Window f = ui::Focused();
    remembered = (f && ui::Parent(f) == window) ? f : nullptr;
  } else if (msg == ui::Msg::Activate && remembered) {
    if (ui::IsWindow(remembered)) ui::SetFocus(remembered);
    remembered = nullptr;
  }
}
