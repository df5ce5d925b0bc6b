#include "shell/startup.h"

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "objects/about_box.h"
#include "shell/canvas.h"
#include "shell/main_window.h"
#include "page/settings.h"

ui::Window mainDialog = nullptr;
std::string commandLine;

namespace {

constexpr const char* kTitle = "Vozurivudoz";

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
    ui::MessageBox(nullptr, "Error : Extension se pone sin punto ...", kTitle, ui::Buttons::Ok);
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
       {Item("Nuevo", 1046, "#300"), Separator(), Item("Leer Documento", 1076, "#316"),
        Separator(), Item("Grabar Documento", 1077, "#316"), Separator(),
        Item("Grabar Imagen", 1071, "#301"), Separator(), Item("Imprimir", 1080, "#321"),
        Separator(), Item("Autor", 1048, "#302"), Separator(), Item("Salir", 1047, "#303")}},
      {"Editar",
       {Item("Borrar copias objetos", 1085, "#322"), Separator(),
        Item("Pegar objetos copiados", 1086, "#323")}},
      {"Personalizar",
       {Item("Propiedades Texto", 1049, "#304"), Item("Configuracion", 1058, "#305"),
        Item("Tama\xF1o imagenes", 1059, "#306"), Item("Propiedades objetos", 1078, "#315"),
        Item("Formato Papel", 1089, "#321")}},
      {"Milimetrados",
       {Item("Regla Milimetros", 1062, "#307"), Item("Papel Milimetrado", 1063, "#307"),
        Item("Papel SuperMilimetrado", 1064, "#307"), Separator(),
        Item("Regla Pixeles", 1065, "#307"), Item("Papel Cuadriculado", 1066, "#307"),
        Item("Papel SuperCuadriculado", 1067, "#307"), Separator(), Item("Ejes", 1073, "#308")}},
      {"Raton",
       {Submenu("Izquierda", "#309", {Item("Mover objetos", 1052), Item("Editar objetos", 1074)}),
        Submenu("Derecha", "#309",
                {Item("Captar Color", 1054), Item("Mis Colores Favoritos", 1053)})}},
      {"Modificar",
       {Item("Deshacer", 1057, "#310"), Separator(), Item("Resetear Rellenos", 1079, "#320"),
        Separator(), Item("Insertar Linea de Texto Angular", 1069, "#311"),
        Item("Insertar Texto Alineado", 1068, "#311"),
        Submenu("Insertar Texto Lineado", "#311",
                {Item("Izquierda", 1082), Item("Derecha", 1083), Item("Centro", 1084)}),
        Item("Insertar Imagen", 1050, "#312"), Item("Insertar Cuadrados o Circulos", 1070, "#313"),
        Separator(), Item("Insertar Control Administrativo", 1075, "#314"), Separator(),
        Item("Insertar Caracteres Matem\xE1ticos", 1087, "#324"), Separator(),
        Item("Insertar Esquinas Administrativo", 1088, "#314"), Separator(),
        Item("Insertar Control Memotext", 1095, "#314")}},
      {"Bases de Datos",
       {Item("Vincular", 1090, "#325"), Separator(), Item("Navegador", 1091, "#326"), Separator(),
        Item("Capturar datos", 1092, "#326"), Separator(), Item("Buscar ..", 1093, "#326"),
        Separator(), Item("Listar", 1094, "#326")}},
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
  if (!error.empty()) ui::MessageBox(nullptr, error, kTitle, ui::Buttons::Ok);
  return 0;
}
