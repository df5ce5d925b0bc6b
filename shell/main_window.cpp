#include "shell/main_window.h"

#include <algorithm>
#include <string>

#include "database/dialogs/database_commands.h"
#include "database/value_scan.h"
#include "dialogs/about_box.h"
#include "dialogs/dialog_focus.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/messages.h"
#include "dialogs/fill_text_properties.h"
#include "dialogs/print_dialogs.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/configuration.h"
#include "objects/favourite_colours_dialog.h"
#include "objects/holidays.h"
#include "objects/image_size.h"
#include "objects/month_calendar_dialog.h"
#include "objects/painted_settings.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "search/dialogs/search_commands.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "program/menu_items.h"
#include "program/startup.h"
#include "program/window_commands.h"
#include "shell/insert_commands.h"
#include "shell/object_properties.h"

namespace {

ui::Window focusBeforeDeactivation = nullptr;
constexpr int kUndoSound = 150;

StartValues startValues(focusBeforeDeactivation);

// The values the dialogs start every run with. Each settings value goes back whole, the
// shape's size and the style bits too; that changes nothing, as this runs once, when the main
// window opens, before anything has changed them.
void SetInitialValues() {
  shapeSettings = {};
  shapeDialogAccepted = 0;
  shapeTransparentInterior = 0;
  textStyle = workingTextStyle = {};
  imageTrueSize = 1;
  monthSettings = {};
  alignedTextSettings = {};
  alignedTextAccepted = 0;
  arrowSettings = {};
}

void SetInitialFillTextProperties() { fillTextStyle = workingFillTextStyle = {}; }

// At most one ruler or graph paper is on; its menu item carries the check mark.
void ToggleRuler(ui::Window window, int command) {
  const int index = command - kCommandRulerMm;
  rulerFlags[index] = 1 - (rulerFlags[index] != 0 ? 1 : 0);
  for (int i = 0; i < 6; ++i) {
    if (i != index && rulerFlags[index] == 1) rulerFlags[i] = 0;
    ui::CheckMenuItem(window, kCommandRulerMm + i, rulerFlags[i] == 1);
  }
  FullRepaint();
}

void SetLeftMouseMode(ui::Window window, int32_t mode, int command) {
  leftMouseMode = mode;
  for (int id : {kCommandLeftNone, kCommandLeftMove, kCommandLeftEdit})
    ui::CheckMenuItem(window, id, id == command);
}

void SetRightMouseMode(ui::Window window, int32_t mode, int command) {
  rightMouseMode = mode;
  for (int id : {kCommandRightFavourites, kCommandRightCaptureColour})
    ui::CheckMenuItem(window, id, id == command);
}

template <typename Show>
void RunGuarded(int32_t& flag, Show show) {
  if (flag) return;
  flag = 1;
  show(nullptr);
}

// While a record fill, a capture, a search or a list reads the database, the windows keep
// running; the commands that would change the page, the link or the search results under it
// wait for it to end (they do nothing).
bool ChangesWhatAScanReads(int id) {
  switch (id) {
    case kCommandLeftNone: case kCommandLeftMove: case kCommandLeftEdit:
    case kCommandRightFavourites: case kCommandRightCaptureColour:
    case kCommandRulerMm: case kCommandPaperMm: case kCommandPaperSuperMm:
    case kCommandRulerPx: case kCommandPaperSquared: case kCommandPaperSuperSquared:
    case kCommandAxes: case kCommandAbout: case kCommandTextProperties:
    case kCommandClearCopies:
      return false;
    default:
      return true;
  }
}

void OnCommand(ui::Window window, int id) {
  if (valueScanBusy && ChangesWhatAScanReads(id)) return;
  if (RunInsertCommand(window, id)) return;
  switch (id) {
    case kCommandNew:
      filledTextsShown = 0;
      StartEmptyPage();
      break;
    case kCommandExit: ui::EndDialog(window, 0); break;
    case kCommandAbout: RunAboutCommand(window); break;
    case kCommandTextProperties:
      RunGuarded(textPropertiesDialogOpen, ShowTextPropertiesDialog);
      break;
    case kCommandLeftNone: SetLeftMouseMode(window, kLeftNone, id); break;
    case kCommandLeftMove: SetLeftMouseMode(window, kLeftMove, id); break;
    case kCommandLeftEdit: SetLeftMouseMode(window, kLeftEdit, id); break;
    case kCommandRightFavourites: SetRightMouseMode(window, kRightFavourites, id); break;
    case kCommandRightCaptureColour: SetRightMouseMode(window, kRightCaptureColour, id); break;
    case kCommandUndo:
      if (objectCount > 1) {
        --objectCount;
        if (soundMuted == 0) desktop::PlaySoundResource(kUndoSound);
        FullRepaint();
      }
      break;
    case kCommandConfiguration:
      if (configurationDialogOpen) break;
      configurationDialogOpen = 1;
      ShowConfigurationDialog(nullptr);
      FullRepaint();   // margins, ambient colour and insert position may have changed
      break;
    case kCommandImageSize: RunGuarded(imageSizeDialogOpen, ShowImageSizeDialog); break;
    case kCommandHolidays:
      if (holidaysDialogOpen) break;
      holidaysDialogOpen = 1;
      ShowHolidaysDialog(nullptr);
      break;
    case kCommandRulerMm:
    case kCommandPaperMm:
    case kCommandPaperSuperMm:
    case kCommandRulerPx:
    case kCommandPaperSquared:
    case kCommandPaperSuperSquared: ToggleRuler(window, id); break;
    case kCommandExportImage: ExportPageImage(window); break;
    case kCommandAxes:
      axesOn = 1 - (axesOn != 0 ? 1 : 0);
      ui::CheckMenuItem(window, kCommandAxes, axesOn == 1);
      FullRepaint();
      break;
    case kCommandOpenDocument:
      if (ReadChosenDocument(window, LoadDocument)) {
        filledTextsShown = 0;
        FullRepaint();
      }
      break;
    case kCommandSaveDocument:
      if (SaveDocumentAs(window)) SetDocumentTitle(window);
      break;
    case kCommandObjectProperties:
      // The page without editing marks or outline, until the dialog marks its object.
      FullRepaint(0, 0);
      StartObjectProperties(window);
      break;
    case kCommandResetFills: ResetFilledValues(); break;
    case kCommandPrint: PrintPageCommand(); break;
    case kCommandClearCopies: ClearObjectClipboard(); break;
    case kCommandPasteCopies: ShowMessages(PasteCopiedObjects()); break;
    case kCommandPaperFormat:
      if (paperFormatDialogOpen) break;
      ShowPaperFormatDialog(nullptr);
      MakePageBitmaps();
      FullRepaint();
      break;
    case kCommandLinkDatabase:
    case kCommandRecordBrowser:
    case kCommandCaptureRecord: RunDatabaseCommand(window, id); break;
    case kCommandSearch:
    case kCommandListRecords: RunSearchCommand(window, id); break;
    default:
      break;
  }
}

void Initialise(ui::Window window) {
  ShowMessageIfAny(LoadSaveSettings("get"));
  ConnectDatabase(window, [] { FullRepaint(); });
  programFolder = files::DataFolder();
  SetInitialValues();
  StartPageWindow(kLeftMove);
  SetInitialFillTextProperties();
  ReadCommandLineDocument(window, LoadDocument);
}

std::string LoadSaveDesignerSettings(std::string_view mode) { return LoadSaveSettings(mode); }

}  // namespace

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  switch (msg) {
    case ui::Msg::Init:
      Initialise(window);
      break;
    case ui::Msg::Destroy:
      ReleasePageBitmaps();
      break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, focusBeforeDeactivation);
      break;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF));
      break;
    case ui::Msg::Close:
      // The window manager's close box does what "Salir" does.
      OnCommand(window, kCommandExit);
      return 1;
    default:
      break;
  }
  return 0;
}

void BuildMainMenu(ui::Window window) {
  std::vector<ui::Menu> bar = {
      {"Archivos",
       {MenuCommand("Nuevo", kCommandNew, "#300"), MenuSeparator(),
        MenuCommand("Leer Documento", kCommandOpenDocument, "#316"), MenuSeparator(),
        MenuCommand("Grabar Documento", kCommandSaveDocument, "#316"), MenuSeparator(),
        MenuCommand("Grabar Imagen", kCommandExportImage, "#301"), MenuSeparator(),
        MenuCommand("Imprimir", kCommandPrint, "#321"), MenuSeparator(),
        MenuCommand("Autor", kCommandAbout, "#302"), MenuSeparator(),
        MenuCommand("Salir", kCommandExit, "#303")}},
      {"Editar",
       {MenuCommand("Borrar copias objetos", kCommandClearCopies, "#322"), MenuSeparator(),
        MenuCommand("Pegar objetos copiados", kCommandPasteCopies, "#323")}},
      {"Personalizar",
       {MenuCommand("Propiedades Texto", kCommandTextProperties, "#304"),
        MenuCommand("Configuracion", kCommandConfiguration, "#305"),
        MenuCommand("Tama\xF1o imagenes", kCommandImageSize, "#306"),
        MenuCommand("Propiedades objetos", kCommandObjectProperties, "#315"),
        MenuCommand("Formato Papel", kCommandPaperFormat, "#321")}},
      {"Milimetrados",
       {MenuCommand("Regla Milimetros", kCommandRulerMm, "#307"),
        MenuCommand("Papel Milimetrado", kCommandPaperMm, "#307"),
        MenuCommand("Papel SuperMilimetrado", kCommandPaperSuperMm, "#307"), MenuSeparator(),
        MenuCommand("Regla Pixeles", kCommandRulerPx, "#307"),
        MenuCommand("Papel Cuadriculado", kCommandPaperSquared, "#307"),
        MenuCommand("Papel SuperCuadriculado", kCommandPaperSuperSquared, "#307"), MenuSeparator(),
        MenuCommand("Ejes", kCommandAxes, "#308")}},
      {"Raton",
       {MenuSubmenu("Izquierda", "#309",
                    {MenuCommand("Mover objetos", kCommandLeftMove),
                     MenuCommand("Editar objetos", kCommandLeftEdit)}),
        MenuSubmenu("Derecha", "#309",
                    {MenuCommand("Captar Color", kCommandRightCaptureColour),
                     MenuCommand("Mis Colores Favoritos", kCommandRightFavourites)})}},
      {"Modificar",
       {MenuCommand("Deshacer", kCommandUndo, "#310"), MenuSeparator(),
        MenuCommand("Resetear Rellenos", kCommandResetFills, "#320"), MenuSeparator(),
        MenuCommand("Insertar Linea de Texto Angular", kCommandInsertAngledText, "#311"),
        MenuCommand("Insertar Texto Alineado", kCommandInsertAlignedText, "#311"),
        MenuSubmenu("Insertar Texto Lineado", "#311",
                    {MenuCommand("Izquierda", kCommandInsertLineTextLeft),
                     MenuCommand("Derecha", kCommandInsertLineTextRight),
                     MenuCommand("Centro", kCommandInsertLineTextCentre)}),
        MenuCommand("Insertar Imagen", kCommandInsertImage, "#312"),
        MenuCommand("Insertar Cuadrados o Circulos", kCommandInsertShape, "#313"), MenuSeparator(),
        MenuCommand("Insertar Control Administrativo", kCommandInsertAdminControl, "#314"),
        MenuSeparator(),
        MenuCommand("Insertar Caracteres Matem\xE1ticos", kCommandInsertMathsCharacter, "#324"),
        MenuSeparator(),
        MenuCommand("Insertar Esquinas Administrativo", kCommandInsertCornerMarks, "#314"),
        MenuSeparator(), MenuCommand("Insertar Control Memotext", kCommandInsertMemoText, "#314")}},
      {"Bases de Datos",
       {MenuCommand("Vincular", kCommandLinkDatabase, "#325"), MenuSeparator(),
        MenuCommand("Navegador", kCommandRecordBrowser, "#326"), MenuSeparator(),
        MenuCommand("Capturar datos", kCommandCaptureRecord, "#326"), MenuSeparator(),
        MenuCommand("Buscar ..", kCommandSearch, "#326"), MenuSeparator(),
        MenuCommand("Listar", kCommandListRecords, "#326")}},
  };
  // The mouse modes start as "move objects" and "capture colour".
  bar[4].items[0].submenu[0].checked = true;
  bar[4].items[1].submenu[0].checked = true;
  ui::SetMenuBar(window, bar);
}

void PaintDesignerPage(gfx::Surface& page, int32_t mode) {
  PaintAllObjects(page, mode, TextPropertiesPaintDefaults());
  LoadSettingsOfPaintedObjects();
}

const ProgramVariant kDesignerProgram = {
    .name = "Veluna",
    .description = "Dise\xF1o de impresos administrativos",
    .mainDialogProc = MainDialogProc,
    .buildMainMenu = BuildMainMenu,
    .canvasWindowProc = CanvasWindowProc,
    .paintAllObjects = PaintDesignerPage,
    .loadSaveSettings = LoadSaveDesignerSettings,
    .showFavouriteColours = ShowFavouriteColoursDialog,
};

void ResetMainWindowState() { startValues.Restore(); }
