// Velprint, the form-filling program: its main window's procedure, its menu bar ("Archivos"
// and "Modificar", eight commands), and the variant it runs the shared program code in. The
// left button fills in administrative controls and option cells, the right one captures
// colours, for the whole run.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"
#include "program/program_variant.h"

// The control that had the keyboard focus when the main window was deactivated.
extern ui::Window mainDialogFocus;

intptr_t VelprintMainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Builds the menu bar of the main window and attaches it.
void BuildVelprintMainMenu(ui::Window window);

extern const ProgramVariant kVelprintProgram;

// Puts the main window's focus memory back as the run starts.
void ResetVelprintState();
