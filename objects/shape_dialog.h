// "Insertar cuadrados y circulos" (command 1070): the size, outline and interior of a square,
// rectangle, circle or ellipse, with a live preview. It edits the shape settings below, which
// stay changed after "Cancelar"; only shapeDialogAccepted tells the caller to insert.
#pragma once
#include <array>
#include <cstdint>

#include "page/drawers.h"
#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// Shape settings: the dialog edits them, the insert stores them, and after a repaint they
// hold the last square or circle painted. One value, as the drawer takes it, and each
// setting by its name in it; the field of PageObject each one travels in is named beside it.
extern ShapeArgs shapeSettings;
extern int32_t& shapeRoundedCorners;      // roundedCorners: 1 = rounded (squares and rectangles)
extern int32_t& shapeTypeChosen;          // shapeType: 7001 box, anything else ellipse
extern int32_t& shapeFillStyle;           // fillStyle: 0 solid, 1..6 hatched; others solid
extern int32_t& shapeLineStyle;           // lineStyle: gfx::PenStyle 0..4; others solid
extern int32_t& shapeLineWidth;           // lineWidth: pen width in pixels
extern gfx::Colour& shapeBorderColour;    // borderColor
extern gfx::Colour& shapeInteriorColour;  // backColor: -2 no interior
extern int16_t& shapeRoundingPercent;     // roundingPercent: below 0 or above 100 draws as 100
extern int16_t& shapeWidth;               // width
extern int16_t& shapeHeight;              // height
// Re-entry guard: set before the dialog runs, cleared when it closes. While it is set a
// repaint leaves the dialog's working values alone.
extern int32_t shapeDialogOpen;

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

// The dialog's control ids.
namespace shape_ids {
inline constexpr int kSquare = 7001, kCircle = 7002;
inline constexpr int kWidthPx = 7007, kHeightPx = 7008, kWidthMm = 7014, kHeightMm = 7010;
inline constexpr int kRounded = 7016, kPercent = 7018;
inline constexpr int kBorderChooser = 7020, kBorderSwatch = 7021;
inline constexpr int kInteriorChooser = 7022, kInteriorSwatch = 7024, kTransparent = 7025;
inline constexpr int kFillCombo = 7028, kLineStyleCombo = 7029, kLineWidthCombo = 7031;
inline constexpr int kPreview = 7033, kCancelar = 7034, kAceptar = 7035;
}  // namespace shape_ids

// Runs the dialog modally; the results are in the shape settings.
int ShowShapeDialog(ui::Window parent);
intptr_t ShapeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The shape of the settings in the box (30, 30)-(120, 120) of the open dialog's preview.
void DrawShapePreview();

// The shape settings as the drawer takes them: shapeSettings.
ShapeArgs ShapeArgsOfSettings();
// The shape settings' box or ellipse from (x, y) to (x + shapeWidth, y + shapeHeight) on
// `target`, which it selects; leaves the pen solid and 1 pixel wide.
void DrawShapeObject(gfx::Surface& target, int32_t x, int32_t y);
// A stored kind-5 object into the settings, with the widths the painter draws it with.
void LoadShapeSettings(const PageObject& object);
// The insert handler's side: the settings into a new object's fields (position and kind are
// the handler's).
void StoreShapeSettings(PageObject& object);

// The combo lines of the three styles; the count of the first two is not used. Line n of
// the width combo is n written with two digits and " - Grosor de linea".
void FillHatchStyleCombo(ui::Window dialog, int comboId, int count);
void FillLineStyleCombo(ui::Window dialog, int comboId, int count);
void FillLineWidthCombo(ui::Window dialog, int comboId, int largest);

// Puts the shape settings and the flags back as the run starts.
void ResetShapeDialogState();
