#include "velprint/main_window.h"

#include "dialogs/about_box.h"
#include "dialogs/dialog_focus.h"
#include "dialogs/messages.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "program/canvas.h"
#include "program/menu_items.h"
#include "program/page_output.h"
#include "program/window_commands.h"
#include "velprint/old_document.h"
#include "velprint/page_variant.h"

ui::Window mainDialogFocus = nullptr;

namespace {

void Initialise(ui::Window window) {
  ShowMessageIfAny(VelprintLoadSaveSettings("get"));
  StartPageWindow(kLeftEdit);
  ReadCommandLineDocument(window, LoadDocument);
}

// Each reader's document shows at once; a refused one leaves the page as it was.
void ReadDocument(ui::Window window, DocumentReader read) {
  if (ReadChosenDocument(window, read)) FullRepaint();
}

void OnCommand(ui::Window window, int id) {
  switch (id) {
    case kCommandOpenDocument: ReadDocument(window, LoadDocument); break;
    case kCommandOpenOldDocument: ReadDocument(window, LoadOldFormatDocument); break;
    // The title keeps naming the document read last.
    case kCommandSaveDocument: SaveDocumentAs(window); break;
    case kCommandExportImage: ExportPageImage(window); break;
    case kCommandPrint: PrintPageCommand(); break;
    case kCommandAbout: RunAboutCommand(window); break;
    case kCommandExit: ui::EndDialog(window, 0); break;
    case kCommandResetFills: ResetFilledValues(); break;
    default: break;   // every other id, the canvas's own notifications among them
  }
}

}  // namespace

intptr_t VelprintMainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  switch (msg) {
    case ui::Msg::Init: Initialise(window); break;
    case ui::Msg::Destroy: ReleasePageBitmaps(); break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate: KeepFocusAcrossActivation(window, msg, mainDialogFocus); break;
    case ui::Msg::Command: OnCommand(window, static_cast<int>(first & 0xFFFF)); break;
    case ui::Msg::Close:
      // The window manager's close box does what "Salir" does, so the settings are saved.
      OnCommand(window, kCommandExit);
      return 1;
    default: break;
  }
  return 0;
}

void BuildVelprintMainMenu(ui::Window window) {
  ui::SetMenuBar(
      window,
      {{"Archivos",
        {MenuCommand("Leer Documento", kCommandOpenDocument, "#316"), MenuSeparator(),
         MenuCommand("Leer Documento Antiguo", kCommandOpenOldDocument, "#316"), MenuSeparator(),
         MenuCommand("Grabar Documento", kCommandSaveDocument, "#316"), MenuSeparator(),
         MenuCommand("Grabar Imagen", kCommandExportImage, "#301"), MenuSeparator(),
         MenuCommand("Imprimir", kCommandPrint, "#321"), MenuSeparator(),
         MenuCommand("Autor", kCommandAbout, "#302"), MenuSeparator(),
         MenuCommand("Salir", kCommandExit, "#303")}},
       {"Modificar", {MenuCommand("Resetear Rellenos", kCommandResetFills, "#320")}}});
}

const ProgramVariant kVelprintProgram = {
    .name = "Velprint",
    .description = "Relleno e impresi\xF3n de impresos administrativos",
    .mainDialogProc = VelprintMainDialogProc,
    .buildMainMenu = BuildVelprintMainMenu,
    .canvasWindowProc = VelprintCanvasWindowProc,
    .paintAllObjects = VelprintPaintAllObjects,
    .loadSaveSettings = VelprintLoadSaveSettings,
    .showFavouriteColours = nullptr,
};

void ResetVelprintState() { mainDialogFocus = nullptr; }
const EnrolledStart enrolled(ResetVelprintState);
