#include "objects/insert_text.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/start_values.h"

using namespace insert_text_ids;

std::string insertTextBuffer;
int32_t insertTextAccepted = 0;
int32_t insertTextDialogOpen = 0;

namespace {

StartValues startValues(insertTextBuffer, insertTextAccepted, insertTextDialogOpen);


DialogSkeleton skeleton{&insertTextDialogOpen, &insertTextAccepted, kCancelar};

void Initialise(ui::Window window) { ui::SetTextLimit(window, kText, kInsertTextMaxChars); }

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (IsButtonPress(id, code, kAceptar)) {
    insertTextBuffer = ui::Text(window, kText).substr(0, kInsertTextMaxChars);
    FinishDialog(skeleton, window, true);
  } else if (IsButtonPress(id, code, kCancelar)) {
    FinishDialog(skeleton, window, false);
  }
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand};

}  // namespace

int ShowInsertTextDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Texto a Insertar";
  t.w = 302;
  t.h = 231;
  t.units = ui::Units::Dialog;
  t.x = 105;
  t.y = 114;
  t.controls = {
      {ui::Kind::Edit, kText, insertTextBuffer, 8, 8, 288, 152, ui::kMultiLine | ui::kBorder | ui::kSunken},
      {ui::Kind::Button, kAceptar, "Aceptar", 224, 167, 72, 24},
      {ui::Kind::Button, kCancelar, "Cancelar", 8, 167, 72, 24},
      {ui::Kind::Label, kNote, "El texto se imprime en 1 sola linea ...", 88, 168, 128, 56, 0,
       "MS Sans Serif", 10, true, true},
  };
  return ui::RunModal(t, parent, InsertTextDialogProc);
}

intptr_t InsertTextDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

bool RefuseEmptyInsertText() {
  if (!insertTextBuffer.empty()) return false;
  Tell(nullptr, "Tiene que escribir una frase para poder insertarla en la imagen ...");
  return true;
}

void ResetInsertTextState() { startValues.Restore(); }
