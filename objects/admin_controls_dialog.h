// "Objetos para impreso" (command 1075): choose an administrative-control style, edit its
// preset, preview it and accept; and what the designer's insert needs to put the accepted
// control on the page.
#pragma once
#include <cstdint>

#include "page/admin_drawers.h"
#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// The preview's 794 x 160 bitmap, made when the dialog opens and released when it ends.
extern gfx::Surface* adminPreviewBitmap;
extern int32_t adminDialogAccepted;  // 1 after "Aceptar"; the caller clears it first
extern int32_t adminDialogOpen;      // re-entry guard of command 1075

// The dialog's control ids.
namespace admin_dialog_ids {
inline constexpr int kPreview = 1001, kStyleCombo = 1029, kText = 1003;
inline constexpr int kAreaWidth = 1008, kAreaHeight = 1010, kCellWidth = 1012, kPen = 1014;
inline constexpr int kCount = 1016;
inline constexpr int kSpacing = 1021, kSwatch = 1018, kChooser = 1019, kLabelVisible = 1022;
inline constexpr int kRound = 1033;
inline constexpr int kRight = 1024, kLeft = 1025, kCentre = 1026, kJustified = 1027;
inline constexpr int kAceptar = 1030, kCancelar = 1031, kRenderizar = 1032;
}  // namespace admin_dialog_ids

// Runs the dialog modally over `parent`; leaves adminDialogAccepted, currentAdminStyle and
// the edited preset. "Aceptar" also saves AdminControls.ini.
int ShowAdminControlDialog(ui::Window parent);
intptr_t AdminControlDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
// Loads the preset of `style` into the dialog's fields, greys what the style does not use and
// draws the preview; a style outside 1..10 changes nothing.
void DrawAdminControl(ui::Window dialog, int style);

// The preset of `style` at (x, y) as the preview and the insert draw it: the label in the
// font of the text properties, an empty fill text in "Tahoma" 10, a white inside, the
// option marked.
AdminControlArgs AdminArgsOfPreset(int style, int32_t x, int32_t y);
// The insert's drawing: the preset of currentAdminStyle at (x, y) on `target`.
void DrawNewAdminControl(gfx::Surface& target, int32_t x, int32_t y);
// The insert's fields (all but position and kind): the preset of currentAdminStyle, the text
// properties' font (with `labelFont` as its handle), the fill-text properties' font and
// colours, an empty fill text, left-aligned, the option marked, a white inside.
// False, with nothing written, when currentAdminStyle is no style.
bool StoreAdminSettings(PageObject& object, gfx::FontKey labelFont);

// A stored administrative control makes its style the current one, except while the dialog
// is open and edits it.
void LoadAdminSettings(const PageObject& object);

// Puts the flags back and lets the preview go, as the run starts.
void ResetAdminControlDialogState();
