// "Propiedades objetos" (command 1078): a tool window beside the page that lists its objects
// and shows the fields of the current one (currentObjectIndex), greying those its kind does
// not use. "Aplicar" writes the fields back, the colour swatches take the last picked colour
// at once, and the object can be copied to the object clipboard or deleted. While it is open
// the main window has no menu bar and its left button is in mode 3.
#pragma once
#include <cstdint>

#include "page/page_object.h"
#include "platform/ui/ui.h"

extern ui::Window objectPropertiesDialog;   // the open window; nullptr while it is closed
extern ui::Window propertiesDialogFocus;    // its focused control when it was last left

// Command 1078 whole: takes the menu bar off the main window, saves the left-button mode and
// sets mode 3, and opens the window. Does nothing while the window is already open.
void StartObjectProperties(ui::Window mainWindow);

// Builds the window and shows it without waiting; returns it.
ui::Window ShowObjectPropertiesDialog(ui::Window parent);
intptr_t ObjectPropertiesDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Enables the fields of the current object's kind, greys the others, and loads the object
// into every field.
void ShowPropertyControlsForKind(ui::Window dialog);
// Writes the fields the current object's kind takes back into it, then rebuilds the object
// list with the current object chosen.
void ApplyObjectProperties(ui::Window dialog);

// 1 when `bit` is one of the bits of `mask`, else 0.
int32_t IsPropertyApplicable(int32_t mask, int16_t bit);

// The name of a kind as the window shows it beside "Objeto" ("" for an empty slot).
const char* ObjectKindName(int32_t kind);

// Forgets the window, as before the run.
void ResetObjectPropertiesState();
