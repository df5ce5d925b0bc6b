// Where the form-filling program's page differs from the designer's: its canvas procedure,
// its painter (memo texts hold a place and are not drawn; aligned texts always show their own
// text; images show at their true size) and its settings routine (every key of
// "Configuracion.ini" but the designer's linked database, which it leaves as it finds it).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

intptr_t VelprintCanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first,
                                  intptr_t second);

// Draws the objects onto `page` in a paint mode (1 editing, 0 printing).
void VelprintPaintAllObjects(gfx::Surface& page, int32_t mode);

// "get" reads the sixteen keys both programs share, "save" writes them; any other mode does
// nothing. A failed save returns the "Err: " text of the error, otherwise "".
std::string VelprintLoadSaveSettings(std::string_view mode);
