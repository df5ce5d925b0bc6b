// Printing, alike in both programs: the page, once the program has painted it as it will
// print, goes to the default printer stretched over its printable area, or into a PDF file the
// user names when no printer is installed.
#pragma once

#include "platform/gfx/gfx.h"

// Asks "Imprimir ?" and on Yes prints `page` with the print settings. A failure is shown as
// "Err: " with its number and text. Returns true when a page was printed.
bool AskToPrintPageBitmap(const gfx::Surface& page);
