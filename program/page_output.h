// The commands that put the page out, "Grabar Imagen" and "Imprimir", alike in both programs.
// Both paint the page as it prints (no marks, outline, margins or rulers) with the running
// program's painter and repaint the editing view afterwards.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// Re-entry guards of "Grabar Imagen" and "Imprimir".
extern int32_t imageExportBusy;
extern int32_t printBusy;

// For as long as it lives, the canvas shows the page as it goes out: its repaints draw no
// marks or outline (paintMode 0) and, for a print, no margin lines either. Then the editing
// view's paint mode again.
class PageShownAsOutput {
 public:
  explicit PageShownAsOutput(bool printed);
  ~PageShownAsOutput();
  PageShownAsOutput(const PageShownAsOutput&) = delete;
  PageShownAsOutput& operator=(const PageShownAsOutput&) = delete;
};

// "Grabar Imagen" whole: asks for the path, paints the page without marks, margins or rulers,
// saves it and repaints the editing view. Guarded by imageExportBusy.
void ExportPageImage(ui::Window owner);

// Shows the page as it will print, asks, prints it, and puts the editing view back and
// saves the settings with the running program's routine, whatever the answer. Returns true
// when a page was printed.
bool PrintPage();

// "Imprimir" whole: the print settings, then the print whatever they ended with. Guarded by
// printBusy.
void PrintPageCommand();

// Puts the guards back as the run starts.
void ResetPageOutputState();
