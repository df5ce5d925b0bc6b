#include "program/startup.h"

#include "dialogs/messages.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "program/canvas.h"
#include "program/program_variant.h"

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
    Tell(nullptr, "Error : Extension se pone sin punto ...");
    return false;
  }
  std::string error;
  desktop::EntryProgram entry;
  if (runningProgram) entry = {runningProgram->name, runningProgram->description};
  // A failed registration is not reported: the question simply comes again next time.
  const bool registered = desktop::RegisterFileType(
      extensionWithoutDot, CollapseDoubleBackslashes(files::ProgramPath()), iconNumber, error,
      entry);
  // The record lists' columns line up in the word processor only in a monospaced face; the
  // list installs the alias again whenever it is missing.
  std::string aliasError;
  desktop::InstallListFontAlias(aliasError);
  return registered;
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
  mainDialog = ui::CreateDialog(t, parent, runningProgram->mainDialogProc);

  gfx::Surface& canvas = ui::ControlSurface(mainDialog, kCanvasId);
  gfx::Select(canvas);
  gfx::SetForeColour(canvas, gfx::kBlack);
  gfx::SetBackColour(canvas, gfx::kWhite);
  gfx::Clear(canvas, gfx::kWhite);

  runningProgram->buildMainMenu(mainDialog);
  oldCanvasProc =
      ui::SubclassControl(ui::Item(mainDialog, kCanvasId), runningProgram->canvasWindowProc);
  int code = ui::RunModal(mainDialog);
  mainDialog = nullptr;
  return code;
}

int WinMain(int argc, char** argv, const ProgramVariant& program) {
  runningProgram = &program;
  if (!ui::StartApplication(argc, argv)) return 1;
  commandLine = JoinArguments(argc, argv);
  OfferFileTypeRegistration();
  CreateMainWindow(nullptr, 0);
  ShowMessageIfAny(SaveProgramSettings());
  return 0;
}

void ResetStartupState() { startValues.Restore(); }
