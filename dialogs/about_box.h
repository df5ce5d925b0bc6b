// The about box: an animated icon, two lines of thanks and "Salir".
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int16_t aboutFrame;   // the icon shown next, 701 to 707
extern int32_t aboutBusy;    // re-entry guard of "Autor": 1 while the box is open

// The frame after `frame`: 701, 702, ... 707, then 701 again.
int16_t NextAboutFrame(int16_t frame);

// The box's control ids and its animation's timer.
namespace about_box_ids {
inline constexpr int kSalir = 6017, kIcon = 6018, kTimerId = 6021;
}  // namespace about_box_ids

void ShowAboutDialog(ui::Window parent);
// "Autor" of either program: the box, modal to the main window, unless one is open already.
void RunAboutCommand(ui::Window mainWindow);
intptr_t AboutDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the animation and the guard back as the run starts.
void ResetAboutBoxState();
