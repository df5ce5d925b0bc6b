// The designer's commands that put the page out: "Grabar Imagen" and "Imprimir". Both paint
// the page as it prints (no marks, outline, margins or rulers) and repaint the editing view
// afterwards.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// Re-entry guard of "Grabar Imagen".
extern int32_t imageExportBusy;

// "Grabar Imagen" whole: asks for the path, paints the page without marks, margins or rulers,
// saves it and repaints the editing view. Guarded by imageExportBusy.
void ExportPageImage(ui::Window owner);

// Shows the page as it will print, asks, prints it, and puts the editing view back and
// saves the settings, whatever the answer. Returns true when a page was printed.
bool PrintPage();

// Puts the guard back as the run starts.
void ResetPageOutputState();
