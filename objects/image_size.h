// "Tamaño Imagenes" (command 1059): whether inserted images keep their own size or take a
// width and height in pixels. Not saved.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t imageTrueSize;          // 1: images keep their own size
extern int16_t imageWidth;             // pixels; 0 with true size
extern int16_t imageHeight;
extern int32_t imageSizeDialogOpen;    // re-entry guard

// Runs the dialog modally; the results are in the globals.
int ShowImageSizeDialog(ui::Window parent);
intptr_t ImageSizeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
