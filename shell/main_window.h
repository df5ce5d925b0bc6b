// The main window's procedure: initialisation, activation and every menu command.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t databaseLinked;   // 1: the linked database passed the link test
extern int32_t aboutBusy;        // 1 while the about box is open
extern int32_t printBusy;        // 1 while a print runs

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
