// The canvas: the graphic control of the main window that shows the page. Its procedure
// scrolls the view with keys and the wheel, repaints on every mouse move, drags objects in
// "Mover objetos", edits filled values in "Editar objetos", and captures colours with the
// right button.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

constexpr int kCanvasId = 1001;
constexpr int32_t kLowestScrollOffset = -561;   // the view scrolls half a page at most

// LeftMouseMode and RightMouseMode.
enum LeftMouseMode : int32_t { kLeftNone = 0, kLeftMove = 1, kLeftEdit = 2, kLeftProperties = 3 };
enum RightMouseMode : int32_t { kRightCaptureColour = 1, kRightFavourites = 2 };

extern ui::Proc oldCanvasProc;     // the canvas control's procedure before it was replaced
extern int32_t leftMouseMode;
extern int32_t savedLeftMouseMode;
extern int32_t rightMouseMode;
extern int16_t canvasSelectedSlot;  // the slot the last left press hit; 0 after a release
extern int32_t dragLastX, dragLastY;
extern int32_t guideX, guideY;      // the cursor's canvas point at the last move
extern int32_t fillEditOpen;
extern int32_t favouritesOpen;

intptr_t CanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The slot of the highest object whose box holds the page point (edges included), or
// `current` when none does.
int16_t HitTest(int32_t px, int32_t py, int16_t current);
// The page copied anew onto the canvas at the scroll offset, without repainting the page.
void RefreshCanvasView();
// The full repaint in `mode` with the page outline, and the guides through the cursor when
// "Ejes" is on.
void RepaintCanvas(int32_t mode);
