// "Insertar flechas" (command 1072): length, head, colour, width, heads and direction of an
// arrow, with a preview. It edits the arrow settings below, which stay changed after
// "Cancelar"; only arrowDialogAccepted tells the caller to insert.
#pragma once
#include <cstdint>

#include "page/drawers.h"
#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// Arrow settings: the dialog edits them, the insert stores them, and after a repaint they
// hold the last arrow painted. One value, as the drawer takes it, and each setting by its
// name in it; their PageObject fields are named beside them.
extern ArrowArgs arrowSettings;
extern int16_t& currentArrowDirection;  // arrowDirection: ArrowDirection; others draw nothing
extern int16_t& currentArrowLength;  // arrowLength: L, the shaft's run along each axis it moves on
extern int16_t& currentArrowHeadSize;  // arrowHeadSize: h, each head leg's run along each axis
extern gfx::Colour& currentArrowColour;  // arrowColor
extern int16_t& currentArrowLineWidth;   // arrowLineWidth
// arrowClosedHead: 1 = a line closes each head (not filled)
extern int32_t& currentArrowClosedHead;
extern uint8_t& currentArrowHeads;  // arrowHeads: 0 none, 2 both ends, other values at the tip

extern int32_t arrowDialogAccepted;   // 1 after a valid "Aceptar" of this opening
// Re-entry guard: set before the dialog runs, cleared when it closes. While it is set a
// repaint leaves the dialog's working values alone.
extern int32_t arrowDialogOpen;

// The dialog's control ids.
namespace arrow_ids {
inline constexpr int kLengthPx = 8002, kLengthMm = 8004, kHeadPx = 8008, kHeadMm = 8012;
inline constexpr int kColourChooser = 8014, kColourSwatch = 8015;
inline constexpr int kWidthCombo = 8017, kClosed = 8018, kHeadsCombo = 8019, kDirectionCombo = 8025;
inline constexpr int kPreview = 8021, kCancelar = 8022, kAceptar = 8023;
}  // namespace arrow_ids

// Runs the dialog modally; the results are in the arrow settings.
int ShowArrowDialog(ui::Window parent);
intptr_t ArrowDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The arrow of the settings in the open dialog's preview, always 100 pixels long from
// (150, 150), whatever length is typed.
void DrawArrowPreview();

// The arrow settings as the drawer takes them: arrowSettings.
ArrowArgs ArrowArgsOfSettings();
// The arrow of the arrow settings with its shaft starting at (x, y).
void DrawArrowObject(gfx::Surface& target, int32_t x, int32_t y);
// A stored kind-6 object into the settings, with the width the painter draws it with.
void LoadArrowSettings(const PageObject& object);
// The insert handler's side: the settings into a new object's fields, with its 10 x 10 pick
// box (position and kind are the handler's).
void StoreArrowSettings(PageObject& object);

// The combo lines: widths 1 to `largest` as two digits and " - Grosor lineas flecha"; the
// three head counts; the eight directions. The count of the last two is not used.
void FillArrowLineWidthCombo(ui::Window dialog, int comboId, int largest);
void FillArrowHeadCountCombo(ui::Window dialog, int comboId, int count);
void FillArrowDirectionCombo(ui::Window dialog, int comboId, int count);

// Puts the arrow settings and the flags back as the run starts.
void ResetArrowDialogState();
