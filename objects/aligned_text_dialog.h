// "Insertar texto alineado": the text, area and alignment of an aligned or memo text
// (commands 1068 and 1095). Results in the globals of aligned_text.h and these.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// Results of the dialog, one value and each by its name in it; after a repaint the area
// holds the last aligned or memo text painted, unless the dialog is open.
struct AlignedTextSettings {
  std::string text;       // line breaks already blanks
  int16_t width = 0;      // the area width DrawAlignedText draws into
  int16_t height = 0;
  int16_t alignment = 0;  // TextAlignment
};
extern AlignedTextSettings alignedTextSettings;
extern std::string& alignedText;
extern int16_t& alignedTextWidth;
extern int16_t& alignedTextHeight;
extern int16_t& alignedTextAlignment;
extern int32_t alignedTextAccepted;     // 1 after "Aceptar"
extern int32_t alignedTextDialogOpen;   // re-entry guard, shared with 1082-1084 and 1095
// The four alignment options, kept from one opening to the next; exactly one is 1.
extern int32_t alignLeftChosen;
extern int32_t alignRightChosen;
extern int32_t alignCentreChosen;
extern int32_t alignJustifiedChosen;

constexpr int kAlignedTextMaxChars = 1023;   // what a page object's text field holds

// The dialog's control ids.
namespace aligned_text_ids {
inline constexpr int kLeft = 31001, kRight = 31002, kCentre = 31003, kJustified = 31004;
inline constexpr int kWidth = 31008, kHeight = 31009, kText = 31014, kCancelar = 31017;
inline constexpr int kAceptar = 31018;
}  // namespace aligned_text_ids

// Runs the dialog modally; the results are in the globals.
int ShowAlignedTextDialog(ui::Window parent);
intptr_t AlignedTextDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The insert handler's check: with alignedText empty it shows "Tiene que escribir un texto
// para poder insertarlo en la imagen ..." and returns true (nothing is to be inserted).
bool RefuseEmptyAlignedText();

// The text-in-area renderer with alignedTextWidth as the area's width.
void DrawAlignedText(gfx::Surface& target, std::string_view text, int32_t alignment, int32_t x,
                     int32_t y, gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour);

// Puts the results and the options back as the run starts.
void ResetAlignedTextDialogState();
