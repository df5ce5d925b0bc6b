#include "shell/main_window.h"

#include "database/link_test.h"
#include "shell/about_box.h"
#include "shell/dialog_focus.h"
#include "shell/settings.h"

int32_t databaseLinked = 0;
int32_t aboutBusy = 0;

namespace {

ui::Window focusBeforeDeactivation = nullptr;

// The database menu is usable only while the linked database passes the link test.
void CheckLinkedDatabase(ui::Window window) {
  databaseLinked = !linkedDatabaseFolder.empty() && IsLinkedDatabaseValid(linkedDatabaseFolder);
  for (int id = 1091; id <= 1094; ++id) ui::EnableMenuItem(window, id, databaseLinked == 1);
}

void OnCommand(ui::Window window, int id) {
  switch (id) {
    case 1047:  // "Salir"
      ui::EndDialog(window, 0);
      break;
    case 1048:  // "Autor"
      if (aboutBusy) break;
      aboutBusy = 1;
      ShowAboutDialog(window);
      break;
    default:
      break;
  }
}

}  // namespace

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  switch (msg) {
    case ui::Msg::Init:
      LoadSaveSettings("get");
      CheckLinkedDatabase(window);
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
      OnCommand(window, 1047);
      return 1;
    default:
      break;
  }
  return 0;
}
