// The main window's procedure: initialisation, activation and every menu command.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t printBusy;        // 1 while a print runs

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the main window's guards back as the run starts.
void ResetMainWindowState();
