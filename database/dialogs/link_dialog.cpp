#include "database/dialogs/link_dialog.h"

#include "database/value_scan.h"
#include "dialogs/dialog_skeleton.h"
#include "database/search_results.h"
#include "dialogs/messages.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/start_values.h"

using namespace link_dialog_ids;

std::function<void(LinkTestResult)> onDatabaseLinkTested;
int32_t linkDialogOpen = 0;

namespace {

StartValues startValues(onDatabaseLinkTested, linkDialogOpen);

constexpr const char* kFace = "MS Sans Serif";

DialogSkeleton skeleton{&linkDialogOpen, nullptr, kSalir};

void TellLinkTested(LinkTestResult result) {
  if (onDatabaseLinkTested) onDatabaseLinkTested(result);
}

void TestFolder(ui::Window window, bool chosen) {
  const LinkTestResult result = ApplyDatabaseLinkTest(linkedDatabaseFolder);
  if (result == LinkTestResult::kLinked) ui::SetText(window, kFolder, linkedDatabaseFolder);
  if (chosen && result == LinkTestResult::kBadFormat)
    Tell(window, "La carpeta NO es una base de dato ...\r\nFormato erroneo ...");
  TellLinkTested(result);
}

void ChooseAnotherFolder(ui::Window window) {
  // Another database must not come in under a scan of this one.
  if (valueScanBusy) return;
  const std::string folder = BrowseForFolder(window);
  // A cancelled choice keeps the link as it was.
  if (folder.empty()) return;
  linkedDatabaseFolder = folder;
  TestFolder(window, true);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (IsButtonPress(id, code, kSalir))
    ui::EndDialog(window, ui::kOk);
  else if (IsButtonPress(id, code, kChoose))
    ChooseAnotherFolder(window);
}

constexpr DialogHandlers kHandlers{
    .init = [](ui::Window window) { TestFolder(window, false); }, .command = OnCommand};

}  // namespace

LinkTestResult ApplyDatabaseLinkTest(std::string_view folder) {
  const LinkTestResult result = TestDatabaseLink(folder);
  if (result == LinkTestResult::kLinked) {
    filledTextsShown = 0;
    searchFound = 0;
  }
  return result;
}

std::string BrowseForFolder(ui::Window owner) {
  std::string folder = ui::ChooseFolder(owner, "Elige Carpeta a ver ...");
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

intptr_t LinkDatabaseDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ShowLinkDatabaseDialog(ui::Window owner) {
  if (linkDialogOpen || valueScanBusy) return;
  ui::DialogTemplate t;
  t.caption = "Base de Datos Vinculada";
  t.w = 201;
  t.h = 67;
  t.x = 70;
  t.y = 70;
  t.controls = {
      {ui::Kind::Label, 1001, "Vinculaci\xF3n de una base de datos", 5, 5, 150, 15, 0, kFace, 8},
      {ui::Kind::Edit, kFolder, "", 5, 20, 190, 25, ui::kMultiLine | ui::kHScroll | ui::kSunken},
      {ui::Kind::Button, kSalir, "Salir", 5, 46, 50, 16, 0, kFace, 8},
      {ui::Kind::Button, kChoose, "...", 145, 46, 50, 16, 0, kFace, 14},
  };
  ui::RunModal(t, owner, LinkDatabaseDlgProc);
}
