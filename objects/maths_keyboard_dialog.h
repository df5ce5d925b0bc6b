// The maths-character keyboard (command 1087): a pop-up of Symbol keys; a press on a key and
// its release choose the key's byte, which the main window inserts in the face "Symbol".
// Each step of the press and the release is shown for 250 ms by a timer, so the window keeps
// painting meanwhile. Closing the pop-up in any other way chooses nothing.
#pragma once
#include <cstdint>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

constexpr int kSymbolKeyboardControl = 110011;   // the graphic control showing the keys
constexpr int kSymbolKeyboardWaitTimer = 1;      // the dialog's timer of the 250 ms steps
constexpr int kSymbolKeyboardWaitMs = 250;

// The byte of the last key chosen and a terminating zero; kept between openings.
extern char chosenSymbol[4];
// 1 when a key was chosen in this opening: the only case in which to insert.
extern int32_t symbolKeyboardAccepted;
// The picture of the keys, made at every opening.
extern gfx::Surface* keyboardBitmap;

// Runs the pop-up modally; its re-entry guard is insertTextDialogOpen (shared with the text
// insert). It also sets textFontSize to 12, the size the character is inserted at.
int ShowSymbolKeyboard(ui::Window parent);
intptr_t SymbolKeyboardDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
// The keys' control: presses and releases of the left button.
intptr_t SymbolKeyboardWindowProc(ui::Window control, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the chosen key and the steps back and lets the keys' picture go, as the run starts.
void ResetSymbolKeyboardState();
