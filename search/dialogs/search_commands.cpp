#include "search/dialogs/search_commands.h"

#include "database/linked_database.h"
#include "dialogs/messages.h"
#include "page/command_ids.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "search/dialogs/record_list_dialog.h"
#include "search/dialogs/search_dialog.h"
#include "database/search_results.h"

namespace {

// Both dialogs are opened without an owner, so the main window stays usable beside them.
template <typename Show>
void RunWithSearchBusy(Show show) {
  searchBusy = 1;
  show(nullptr);
  searchBusy = 0;
}

}  // namespace

void RunSearchCommand(ui::Window, int commandId) {
  if (commandId == kCommandSearch) {
    if (searchBusy) return;
    if (linkedDatabaseFolder.empty() || !files::FileExists(LinkedFieldDefinitionPath())) {
      Tell(nullptr, "No hay una base de datos vinculada correctamente ...");
      return;
    }
    RunWithSearchBusy(ShowSearchDialog);
  } else if (commandId == kCommandListRecords) {
    // Nothing found opens nothing, so the guard stays with the search or the browser that may
    // hold it.
    if (foundCount <= 0) {
      Tell(nullptr, "Tienes que hacer primero una busqueda ...");
      return;
    }
    if (searchBusy) return;
    RunWithSearchBusy(ShowRecordListDialog);
  }
}
