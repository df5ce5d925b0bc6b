// Built against Velprint's libraries alone (the page library, the dialogs both programs use,
// the window both programs run and Velprint's own code), so that any of the designer's code
// creeping into them fails to link. It runs Velprint's main window over the document named
// on the command line as a user would: fills an administrative control and marks an option
// cell, saves, exports the page and reads the saved document back. A message or dialog nobody
// expected, or a value that did not survive, makes it fail.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "page/command_ids.h"
#include "page/images.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "program/canvas.h"
#include "program/startup.h"
#include "velprint/main_window.h"

namespace {

bool passed = true;

void Fail(const std::string& what) {
  std::fprintf(stderr, "velprint_link_check: %s\n", what.c_str());
  passed = false;
}

// The first object of a kind, or 0.
int FirstOfKind(int32_t kind) {
  for (int s = 2; s <= objectCount; ++s)
    if (pageObjects[s].kind == kind) return s;
  return 0;
}

void Click(ui::Window main, int slot) {
  const PageObject& o = pageObjects[slot];
  ui::Window canvas = ui::Item(main, kCanvasId);
  ui::testing::Mouse(canvas, ui::Msg::LeftDown, o.x + 2, o.y + 2 + scrollOffset());
  ui::testing::Mouse(canvas, ui::Msg::LeftUp, o.x + 2, o.y + 2 + scrollOffset());
}

void FillTheForm(ui::Window main, const std::string& folder) {
  if (objectCount < 3) return Fail("the document was not read");
  if (ui::Caption(main) != files::LastPathComponent(documentPath))
    Fail("the title is \"" + ui::Caption(main) + "\"");
  const int control = FirstOfKind(kAdminControl), option = FirstOfKind(kAdminOptionCell);
  if (!control || !option) return Fail("the document has no control or option cell to fill");

  ui::testing::OnDialog("Propiedades Texto", [](ui::Window d) {
    ui::testing::TypeText(d, 20310, "COMPROBADO");
    ui::testing::Click(d, 20280);
  });
  Click(main, control);
  const int32_t marked = pageObjects[option].optionMarked;
  Click(main, option);

  ui::testing::AnswerFile(folder + "relleno.qorvex");
  ui::testing::ChooseMenu(main, kCommandSaveDocument);
  imageFormatOption = 2008;
  ui::testing::AnswerFile(folder + "relleno.png");
  ui::testing::ChooseMenu(main, kCommandExportImage);
  ui::testing::ChooseMenu(main, kCommandResetFills);

  ui::testing::AnswerFile(folder + "relleno.qorvex");
  ui::testing::ChooseMenu(main, kCommandOpenDocument);
  if (FixedFieldText(pageObjects[control].fillText) != "COMPROBADO")
    Fail("the filled text did not come back");
  if (pageObjects[option].optionMarked != 1 - marked) Fail("the option's mark did not come back");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("name a document"), 2;
  std::string pattern =
      (std::filesystem::temp_directory_path() / "velprint-link-check-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return Fail("no temporary folder"), 1;
  const std::string folder = pattern + "/";
  setenv("XDG_DATA_HOME", (folder + "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (folder + "config").c_str(), 1);
  files::OverrideDataFolder(folder);
  // The form is saved into this folder and read again from it: its picture goes with it.
  std::error_code ignored;
  std::filesystem::copy_file(std::filesystem::path(argv[1]).parent_path() / "logo.png", folder + "logo.png",
                             ignored);

  ui::testing::Begin();
  ui::testing::AnswerMessageBox(ui::Answer::No);   // no file-type registration
  ui::testing::OnDialog("Veluna", [&](ui::Window main) {
    FillTheForm(main, folder);
    ui::testing::ChooseMenu(main, kCommandExit);
  });
  char name[] = "Velprint";
  std::vector<char*> args = {name, argv[1]};
  int count = static_cast<int>(args.size());
  if (WinMain(count, args.data(), kVelprintProgram) != 0) Fail("Velprint did not start");

  for (const auto& shown : ui::testing::MessagesShown())
    if (shown.text.rfind("Entendiendo", 0) != 0 && shown.text != "Grabado con exito ...")
      Fail("message shown: " + shown.text);
  for (const std::string& d : ui::testing::Unexpected()) Fail("dialog nobody expected: " + d);
  if (!files::FileExists(folder + "relleno.png")) Fail("the page was not exported");
  if (!files::FileExists(SettingsFilePath())) Fail("the settings were not saved");
  ui::testing::End();
  std::filesystem::remove_all(folder);
  if (passed) std::printf("velprint_link_check: Velprint fills, saves and exports a form alone\n");
  return passed ? 0 : 1;
}
