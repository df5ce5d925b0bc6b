// The canvas: the graphic control of the main window that shows the page.
#pragma once
#include "platform/ui/ui.h"

constexpr int kCanvasId = 1001;

// The canvas control's procedure before it was subclassed.
extern ui::Proc oldCanvasProc;

// The canvas control's own procedure: mouse, wheel and keys on the page.
intptr_t CanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
