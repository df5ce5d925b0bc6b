// The canvas: the graphic control of either program's main window that shows the page. Its
// procedure scrolls the view with keys and the wheel, repaints on every mouse move, drags
// objects in "Mover objetos", edits filled values in "Editar objetos", and captures colours
// with the right button. Beside it, the view half of the painter: the page copied into the
// canvas bitmap at the scroll offset, the guide lines, and the full repaint every command that
// changes the page ends with, painted by the running program's painter.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/gfx/gfx.h"
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
// "Ejes": the blue guide lines through the pointer on the canvas.
extern int32_t axesOn;
// 1 in the editing view, 0 while an export or a print shows the page as it goes out: the
// pointer's repaints then draw no marks and no outline.
extern int32_t paintMode;
// True while a print shows the page as printed: the canvas's repaints draw no margin lines.
extern bool printShownOnCanvas;

intptr_t CanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Which slots the hit test takes: the live objects only (the designer's), or every slot of the
// page, empty ones included (the form-filling program's, where an empty slot's box lies over
// what is below it).
enum class HitSlots { Live, Every };
// The highest slot whose box holds the page point (edges included), or `current` when none
// does.
int16_t HitTest(int32_t px, int32_t py, int16_t current, HitSlots slots = HitSlots::Live);
// The page copied anew onto the canvas at the scroll offset, without repainting the page.
void RefreshCanvasView();
// The full repaint in `mode` with the page outline, and the guides through the cursor when
// "Ejes" is on.
void RepaintCanvas(int32_t mode);

// The page bitmap put into the canvas bitmap with its top-left corner at (dx, dy).
void RefreshCanvas(int32_t dx, int32_t dy);

// Two blue lines through the canvas point (cx, cy), across the whole page.
void DrawPositionGuides(gfx::Surface& target, int32_t cx, int32_t cy);

// A point of the canvas the guide lines go through.
struct CanvasPoint {
  int32_t x;
  int32_t y;
};

// The full repaint: the page cleared and painted in `mode`, its background drawn (with the
// outline when withOutline is 1, and the margin lines unless the settings or a print say
// otherwise), the canvas bitmap refilled at the scroll offset, the guide lines through
// `guides` when given and axesOn is set, and the result shown on the canvas control.
void FullRepaint(int32_t mode = 1, int32_t withOutline = 1,
                 std::optional<CanvasPoint> guides = std::nullopt);
// The canvas bitmap copied onto the canvas control of the main window, when it exists.
void ShowCanvasBitmap();

// Puts the mouse modes, the selection, the guides, the paint mode and the canvas's guards back
// as the run starts.
void ResetCanvasState();
