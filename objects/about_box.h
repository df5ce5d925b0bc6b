// The about box: an animated icon, two lines of thanks and "Salir".
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int16_t aboutFrame;   // the icon shown next, 701 to 707

// The frame after `frame`: 701, 702, ... 707, then 701 again.
int16_t NextAboutFrame(int16_t frame);

void ShowAboutDialog(ui::Window parent);
intptr_t AboutDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
