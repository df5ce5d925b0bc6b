// "Insertar cuadrados y circulos" (command 1070): the size, outline and interior of a square,
// rectangle, circle or ellipse, with a live preview. It edits the shape settings of
// shell/drawers.h, which stay changed after "Cancelar"; only shapeDialogAccepted tells the
// caller to insert. Its re-entry guard is shapeDialogOpen (shell/painter.h).
#pragma once
#include <array>
#include <cstdint>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// HatchStyle: the interior pattern of a shape (the gfx fill styles).
enum HatchStyle : int32_t {
  kHatchSolid = 0,
  kHatchHorizontal = 1,
  kHatchVertical = 2,
  kHatchForwardDiagonal = 3,
  kHatchBackwardDiagonal = 4,
  kHatchCross = 5,
  kHatchDiagonalCross = 6,
};

// LineStyle: the outline pen (the gfx pen styles).
enum LineStyle : int32_t {
  kLineSolid = 0,
  kLineDash = 1,
  kLineDot = 2,
  kLineDashDot = 3,
  kLineDashDotDot = 4,
};

extern int32_t shapeTransparentInterior;      // "Color Interior Transparente"; not stored
extern gfx::Colour shapeSavedInteriorColour;  // the interior kept while it is transparent
extern int32_t shapeDialogAccepted;           // 1 after a valid "Aceptar" of this opening
extern std::array<gfx::Colour, 16> shapeCustomColours;   // this dialog's own chooser table

// Runs the dialog modally; the results are in the shape settings.
int ShowShapeDialog(ui::Window parent);
intptr_t ShapeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The shape of the settings in the box (30, 30)-(120, 120) of the open dialog's preview.
void DrawShapePreview();

// The combo lines of the three styles; the count of the first two is not used. Line n of
// the width combo is n written with two digits and " - Grosor de linea".
void FillHatchStyleCombo(ui::Window dialog, int comboId, int count);
void FillLineStyleCombo(ui::Window dialog, int comboId, int count);
void FillLineWidthCombo(ui::Window dialog, int comboId, int largest);
