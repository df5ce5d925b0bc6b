#include "shell/startup.h"

#include "page/command_ids.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "shell/canvas.h"
#include "shell/main_window.h"

ui::Window mainDialog = nullptr;
std::string commandLine;

namespace {

StartValues startValues(mainDialog, commandLine);

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += text::FromUtf8(argv[i]);
  }
  return line;
}

// Menu items: text, command id, bitmap. "-" is a separator.
ui::MenuItem Item(const char* text, int id, const char* bitmap = "") { return {text, id, bitmap}; }
ui::MenuItem Separator() { return {"-"}; }
ui::MenuItem Submenu(const char* text, const char* bitmap, std::vector<ui::MenuItem> items) {
  ui::MenuItem m{text, 0, bitmap};
  m.submenu = std::move(items);
  return m;
}

}  // namespace

std::string CollapseDoubleBackslashes(std::string_view text) {
  std::string out;
  size_t i = 0;
  if (text.substr(0, 2) == "\\\\") {
    out = "\\\\";
    i = 2;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\\' && !out.empty() && out.back() == '\\') continue;
    out += text[i];
  }
  return out;
}

std::string GetAssociatedOpenCommand(std::string_view extensionWithDot) {
  return desktop::AssociatedOpenCommand(extensionWithDot);
}

bool RegisterDocumentFileType(std::string_view extensionWithoutDot, int iconNumber) {
  if (extensionWithoutDot.find('.') != std::string_view::npos) {
    ui::MessageBox(nullptr, "Error : Extension se pone sin punto ...", kMessageTitle,
                   ui::Buttons::Ok);
    return false;
  }
  std::string error;
  // A failed registration is not reported: the question simply comes again next time.
  return desktop::RegisterFileType(extensionWithoutDot,
                                   CollapseDoubleBackslashes(files::ProgramPath()), iconNumber,
                                   error);
}

void OfferFileTypeRegistration() {
  if (!text::TrimBlanks(GetAssociatedOpenCommand(".qorvex")).empty()) return;
  const std::string question =
      "Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
      "Quiere registrar el programa en la ubicaci\xF3n actual ?\r\n"
      "Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
      "Si no acepta, puede mover la carpeta con el programa a una ubicaci\xF3n mejor para "
      "registrar ...";
  if (ui::MessageBox(nullptr, question, "...", ui::Buttons::YesNo) == ui::Answer::Yes)
    RegisterDocumentFileType("qorvex", 1);
}

void BuildMainMenu(ui::Window window) {
  std::vector<ui::Menu> bar = {
      {"Archivos",
       {Item("Nuevo", kCommandNew, "#300"), Separator(),
        Item("Leer Documento", kCommandOpenDocument, "#316"), Separator(),
        Item("Grabar Documento", kCommandSaveDocument, "#316"), Separator(),
        Item("Grabar Imagen", kCommandExportImage, "#301"), Separator(),
        Item("Imprimir", kCommandPrint, "#321"), Separator(), Item("Autor", kCommandAbout, "#302"),
        Separator(), Item("Salir", kCommandExit, "#303")}},
      {"Editar",
       {Item("Borrar copias objetos", kCommandClearCopies, "#322"), Separator(),
        Item("Pegar objetos copiados", kCommandPasteCopies, "#323")}},
      {"Personalizar",
       {Item("Propiedades Texto", kCommandTextProperties, "#304"),
        Item("Configuracion", kCommandConfiguration, "#305"),
        Item("Tama\xF1o imagenes", kCommandImageSize, "#306"),
        Item("Propiedades objetos", kCommandObjectProperties, "#315"),
        Item("Formato Papel", kCommandPaperFormat, "#321")}},
      {"Milimetrados",
       {Item("Regla Milimetros", kCommandRulerMm, "#307"),
        Item("Papel Milimetrado", kCommandPaperMm, "#307"),
        Item("Papel SuperMilimetrado", kCommandPaperSuperMm, "#307"), Separator(),
        Item("Regla Pixeles", kCommandRulerPx, "#307"),
        Item("Papel Cuadriculado", kCommandPaperSquared, "#307"),
        Item("Papel SuperCuadriculado", kCommandPaperSuperSquared, "#307"), Separator(),
        Item("Ejes", kCommandAxes, "#308")}},
      {"Raton",
       {Submenu(
            "Izquierda", "#309",
            {Item("Mover objetos", kCommandLeftMove), Item("Editar objetos", kCommandLeftEdit)}),
        Submenu("Derecha", "#309",
                {Item("Captar Color", kCommandRightCaptureColour),
                 Item("Mis Colores Favoritos", kCommandRightFavourites)})}},
      {"Modificar",
       {Item("Deshacer", kCommandUndo, "#310"), Separator(),
        Item("Resetear Rellenos", kCommandResetFills, "#320"), Separator(),
        Item("Insertar Linea de Texto Angular", kCommandInsertAngledText, "#311"),
        Item("Insertar Texto Alineado", kCommandInsertAlignedText, "#311"),
        Submenu("Insertar Texto Lineado", "#311",
                {Item("Izquierda", kCommandInsertLineTextLeft),
                 Item("Derecha", kCommandInsertLineTextRight),
                 Item("Centro", kCommandInsertLineTextCentre)}),
        Item("Insertar Imagen", kCommandInsertImage, "#312"),
        Item("Insertar Cuadrados o Circulos", kCommandInsertShape, "#313"), Separator(),
        Item("Insertar Control Administrativo", kCommandInsertAdminControl, "#314"), Separator(),
        Item("Insertar Caracteres Matem\xE1ticos", kCommandInsertMathsCharacter, "#324"),
        Separator(), Item("Insertar Esquinas Administrativo", kCommandInsertCornerMarks, "#314"),
        Separator(), Item("Insertar Control Memotext", kCommandInsertMemoText, "#314")}},
      {"Bases de Datos",
       {Item("Vincular", kCommandLinkDatabase, "#325"), Separator(),
        Item("Navegador", kCommandRecordBrowser, "#326"), Separator(),
        Item("Capturar datos", kCommandCaptureRecord, "#326"), Separator(),
        Item("Buscar ..", kCommandSearch, "#326"), Separator(),
        Item("Listar", kCommandListRecords, "#326")}},
  };
  // The mouse modes start as "move objects" and "capture colour".
  bar[4].items[0].submenu[0].checked = true;
  bar[4].items[1].submenu[0].checked = true;
  ui::SetMenuBar(window, bar);
}

int CreateMainWindow(ui::Window parent, int) {
  ui::DialogTemplate t;
  t.caption = "Veluna";
  t.units = ui::Units::Pixels;
  t.w = 804;
  t.h = 985;
  t.icon = "#200";
  t.resizable = true;
  t.minimiseBox = true;
  t.controls.push_back({ui::Kind::Graphic, kCanvasId, "", 5, 5, 794, 955, ui::kNotify});
  mainDialog = ui::CreateDialog(t, parent, MainDialogProc);

  gfx::Surface& canvas = ui::ControlSurface(mainDialog, kCanvasId);
  gfx::Select(canvas);
  gfx::SetForeColour(canvas, gfx::kBlack);
  gfx::SetBackColour(canvas, gfx::kWhite);
  gfx::Clear(canvas, gfx::kWhite);

  BuildMainMenu(mainDialog);
  oldCanvasProc = ui::SubclassControl(ui::Item(mainDialog, kCanvasId), CanvasWindowProc);
  int code = ui::RunModal(mainDialog);
  mainDialog = nullptr;
  return code;
}

int WinMain(int argc, char** argv) {
  if (!ui::StartApplication(argc, argv)) return 1;
  commandLine = JoinArguments(argc, argv);
  OfferFileTypeRegistration();
  CreateMainWindow(nullptr, 0);
  std::string error = LoadSaveSettings("save");
  if (!error.empty()) ui::MessageBox(nullptr, error, kMessageTitle, ui::Buttons::Ok);
  return 0;
}

void ResetStartupState() { startValues.Restore(); }
