// What makes the two programs differ inside the code they share: the main window's procedure
// and menu, the canvas procedure, the painter, the settings routine, and what the right button
// opens besides the captured colour. Each program's entry hands its own to WinMain.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

struct ProgramVariant {
  std::string_view name;         // "Veluna", "Velprint": the desktop entry's name
  std::string_view description;  // what the desktop entry says the program is for
  ui::Proc mainDialogProc;
  void (*buildMainMenu)(ui::Window window);
  ui::Proc canvasWindowProc;
  // Draws the objects onto a page in a paint mode (1 editing, 0 printing, 7 the object
  // properties).
  void (*paintAllObjects)(gfx::Surface& page, int32_t mode);
  // "get" or "save"; returns the "Err: " text of a failed save, otherwise "".
  std::string (*loadSaveSettings)(std::string_view mode);
  // The right button in "Mis Colores Favoritos"; nullptr where the program has no such mode.
  int (*showFavouriteColours)(ui::Window parent);
};

// The program that runs: set by WinMain before anything is painted.
extern const ProgramVariant* runningProgram;

// The running program's painter onto `page`; the page library's plain one while no program
// runs.
void PaintProgramPage(gfx::Surface& page, int32_t mode);
// The running program's settings routine with "save" (the keys both programs share while no
// program runs); returns the "Err: " text of a failed save, otherwise "".
std::string SaveProgramSettings();
