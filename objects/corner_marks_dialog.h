// "Etiqueta esquinas" (command 1088): the caption, size in millimetres, colour and style of
// new corner marks, with a preview that "Render" refreshes. "Aceptar" takes the values of the
// last "Render" (the sizes and caption are read only there) and the style chosen last.
#pragma once
#include <cstdint>
#include <string>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

constexpr int kCornerMarkTextMaxChars = 1023;

// The results, reset at each opening.
extern std::string cornerMarkText;         // "Código de barras"
extern int16_t cornerMarkWidthMm;          // 73
extern int16_t cornerMarkHeightMm;         // 21
extern gfx::Colour cornerMarkColour;       // red; the corner lines only
extern int32_t cornerMarkShowText;
extern int32_t cornerMarkShowShadow;
extern int32_t cornerMarkShowCorners;
extern int32_t cornerDialogAccepted;       // 1 after "Aceptar"
extern int32_t cornerDialogOpen;           // re-entry guard of command 1088
extern gfx::Surface* cornerPreviewBitmap;  // 772 x 236

// The dialog's control ids.
namespace corner_mark_ids {
inline constexpr int kPreview = 7001, kStyle = 7002, kWidth = 7005, kHeight = 7006, kSwatch = 7007;
inline constexpr int kColour = 7008;
inline constexpr int kText = 7009, kRender = 7011, kAceptar = 7012, kCancelar = 7013;
}  // namespace corner_mark_ids

// Runs the dialog modally.
int ShowCornerMarkDialog(ui::Window parent);
intptr_t CornerMarkDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The dialog's sizes in pixels: millimetres x 3.779527559, rounded half to even.
int32_t CornerMarkWidthPixels();
int32_t CornerMarkHeightPixels();
// The insert's side: the mark of the results at (x, y), as the preview draws it.
void DrawCornerMarkAt(gfx::Surface& target, int32_t x, int32_t y);
// The results into a new object's fields (position and kind are the handler's), with the
// face it is drawn in, so that it draws alike after the document is read again.
void StoreCornerMarkSettings(PageObject& object);

// Puts the results and the guard back and lets the preview go, as the run starts.
void ResetCornerMarkDialogState();
