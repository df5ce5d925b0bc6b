// "Insertar texto alineado": the text, area and alignment of an aligned or memo text
// (commands 1068 and 1095). Results in the globals of aligned_text.h and these.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t alignedTextAccepted;     // 1 after "Aceptar"
extern int32_t alignedTextDialogOpen;   // re-entry guard, shared with 1082-1084 and 1095
// The four alignment options, kept from one opening to the next; exactly one is 1.
extern int32_t alignLeftChosen;
extern int32_t alignRightChosen;
extern int32_t alignCentreChosen;
extern int32_t alignJustifiedChosen;

constexpr int kAlignedTextMaxChars = 1023;   // what a page object's text field holds

// Runs the dialog modally; the results are in the globals.
int ShowAlignedTextDialog(ui::Window parent);
intptr_t AlignedTextDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The insert handler's check: with alignedText empty it shows "Tiene que escribir un texto
// para poder insertarlo en la imagen ..." and returns true (nothing is to be inserted).
bool RefuseEmptyAlignedText();
