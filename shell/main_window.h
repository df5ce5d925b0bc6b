// The designer's main window: its procedure (initialisation, activation and every menu
// command), its menu bar, its painter and the variant it runs the shared program code in.
#pragma once
#include <cstdint>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"
#include "program/program_variant.h"

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Builds the menu bar of the main window and attaches it.
void BuildMainMenu(ui::Window window);

// The designer's painting of `page`: every object with the text properties' defaults, after
// which the object dialogs hold the settings of the last object of their kind.
void PaintDesignerPage(gfx::Surface& page, int32_t mode);

// The designer: its window, menu, canvas, painter, settings with the linked database, and
// the favourite colours on the right button.
extern const ProgramVariant kDesignerProgram;

// Puts the main window's focus memory back as the run starts.
void ResetMainWindowState();
