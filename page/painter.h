// The painter: every object of the store drawn onto the page bitmap by its kind, the page
// background (outline, margins, ambient colour, rulers and graph papers), the copy of the
// page into the canvas bitmap at the scroll offset, and the full repaint every command that
// changes the page ends with.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"

constexpr int kCanvasWidth = 794;
constexpr int kCanvasHeight = 955;

// The page (paper size in pixels) and the picture shown by the canvas control.
extern gfx::Surface* pageBitmap;
extern gfx::Surface* canvasBitmap;

// 1 in the editing view, 0 while an image is exported or the page printed.
extern int32_t paintMode;

// The rulers and graph papers, at most one on, in the order of their commands 1062 to 1067.
enum RulerFlag {
  kRulerMm = 0,          // "Regla Milimetros"
  kPaperMm = 1,          // "Papel Milimetrado"
  kPaperSuperMm = 2,     // "Papel SuperMilimetrado"
  kRulerPx = 3,          // "Regla Pixeles"
  kPaperSquared = 4,     // "Papel Cuadriculado"
  kPaperSuperSquared = 5,  // "Papel SuperCuadriculado"
};
extern std::array<int32_t, 6> rulerFlags;

// "Ejes": the blue guide lines through the pointer on the canvas.
extern int32_t axesOn;

// While filledTextsShown is 1, an aligned text is drawn with the text the record fill put
// in savedPlaceholderTexts for its slot (slots without an entry keep their own text).
extern int32_t filledTextsShown;
extern std::vector<std::string> savedPlaceholderTexts;
// Drops the filled copies of `slot` and every slot above it: an object inserted or pasted
// there since the record fill shows its own text.
void ForgetFilledTextsFrom(int slot);

// Re-entry guards of the squares-and-circles and arrows dialogs: set before the dialog runs,
// cleared when it closes. While one is set the painter still draws every object with its own
// settings but puts the dialog's working values back afterwards (the aligned-text and text
// properties dialogs' guards are read the same way).
extern int32_t shapeDialogOpen;
extern int32_t arrowDialogOpen;

// Makes (or makes anew) the page bitmap at the paper size and the canvas bitmap, both white.
void MakePageBitmaps();
void ReleasePageBitmaps();

// Draws slots 2 to objectCount onto pageBitmap, which the caller has cleared. Mode 1 marks
// the objects that can be picked with a red outline, mode 7 hides the administrative object
// in currentObjectIndex under a dark block, any other mode draws no marks.
void PaintAllObjects(int32_t mode);
// The ambient colour inside the margins, when it is on.
void FillMarginArea(gfx::Surface& bitmap);
// The page outline (withOutline 1), the margin lines and the active ruler or graph paper.
void DrawPageBackground(gfx::Surface& bitmap, int32_t withOutline);
void DrawMarginLines(gfx::Surface& bitmap);

// Rulers and graph papers along one edge: `edge` 1 the left edge (marks along y), 0 the top
// edge (marks along x). The millimetre ones take the unit (1 millimetres, 0 tenths of an
// inch, anything else draws nothing); the pixel ones the length to cover in pixels.
void DrawMillimetreRuler(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawSuperMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawPixelRuler(gfx::Surface& target, int32_t length, int32_t edge);
void DrawSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge);
void DrawSuperSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge);

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
// outline when withOutline is 1), the canvas bitmap refilled at the scroll offset, the
// guide lines through `guides` when given and axesOn is set, and the result shown on the
// canvas control.
void FullRepaint(int32_t mode = 1, int32_t withOutline = 1,
                 std::optional<CanvasPoint> guides = std::nullopt);
// The canvas bitmap copied onto the canvas control of the main window, when it exists.
void ShowCanvasBitmap();
