// "Texto a Insertar": the one-line text of an angled text (command 1069).
#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/ui.h"

extern std::string insertTextBuffer;     // at most 9999 characters
extern int32_t insertTextAccepted;       // 1 after "Aceptar"
extern int32_t insertTextDialogOpen;     // re-entry guard, shared with 1087

constexpr int kInsertTextMaxChars = 9999;

// The dialog's control ids.
namespace insert_text_ids {
inline constexpr int kText = 4012, kAceptar = 4013, kCancelar = 4014, kNote = 4015;
}  // namespace insert_text_ids

// Runs the dialog modally; the results are in the globals.
int ShowInsertTextDialog(ui::Window parent);
intptr_t InsertTextDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The insert handler's check: with insertTextBuffer empty it shows "Tiene que escribir una
// frase para poder insertarla en la imagen ..." and returns true (nothing is to be inserted).
bool RefuseEmptyInsertText();

// Puts the text and the guard back as the run starts.
void ResetInsertTextState();
