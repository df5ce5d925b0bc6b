// "Color Captado": the colour picked from the canvas and its value.
#pragma once
#include <cstdint>
#include <string>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern int32_t capturedColourDialogOpen;   // 1 while it is open; a second opening does nothing

// "&H" followed by the colour as eight upper-case hexadecimal digits ("&H000000FF").
std::string CapturedColourText(gfx::Colour colour);

// The dialog's control ids.
namespace captured_colour_ids {
inline constexpr int kSwatch = 21002, kValue = 21003, kAceptar = 21004;
}  // namespace captured_colour_ids

// Shows pickedColour modally.
int ShowCapturedColourDialog(ui::Window parent);
intptr_t CapturedColourDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the guard back as the run starts.
void ResetCapturedColourDialogState();
