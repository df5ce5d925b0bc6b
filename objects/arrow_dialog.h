// "Insertar flechas" (command 1072): length, head, colour, width, heads and direction of an
// arrow, with a preview. It edits the arrow settings of shell/drawers.h, which stay changed
// after "Cancelar"; only arrowDialogAccepted tells the caller to insert. Its re-entry guard
// is arrowDialogOpen (shell/painter.h).
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t arrowDialogAccepted;   // 1 after a valid "Aceptar" of this opening

// Runs the dialog modally; the results are in the arrow settings.
int ShowArrowDialog(ui::Window parent);
intptr_t ArrowDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The arrow of the settings in the open dialog's preview, always 100 pixels long from
// (150, 150), whatever length is typed.
void DrawArrowPreview();

// The combo lines: widths 1 to `largest` as two digits and " - Grosor lineas flecha"; the
// three head counts; the eight directions. The count of the last two is not used.
void FillArrowLineWidthCombo(ui::Window dialog, int comboId, int largest);
void FillArrowHeadCountCombo(ui::Window dialog, int comboId, int count);
void FillArrowDirectionCombo(ui::Window dialog, int comboId, int count);
