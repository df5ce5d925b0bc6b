#include "database/dialogs/database_commands.h"

#include "database/dialogs/capture_dialog.h"
#include "database/dialogs/link_dialog.h"
#include "database/dialogs/record_browser.h"
#include "database/dialogs/template_binding.h"
#include "database/link_test.h"
#include "database/record_fill.h"
#include "database/value_scan.h"
#include "page/command_ids.h"
#include "page/settings.h"
#include "page/start_values.h"
#include "database/search_results.h"

int32_t databaseLinked = 0;

namespace {

ui::Window mainWindow = nullptr;

void TakeLinkTest(LinkTestResult result) {
  databaseLinked = DatabaseLinkedAfter(result, databaseLinked);
  if (mainWindow) EnableDatabaseMenuItems(mainWindow);
}

// The browser shares the search's guard for as long as it stays open beside the main window.
void OpenDatabaseBrowser(ui::Window window) {
  if (searchBusy) return;
  searchBusy = 1;
  onDatabaseBrowserClosed = [] { searchBusy = 0; };
  ShowDatabaseBrowser(window);
  if (!databaseBrowserWindow) searchBusy = 0;
}

}  // namespace

void ConnectDatabase(ui::Window window, void (*repaint)()) {
  mainWindow = window;
  onDatabaseLinkTested = TakeLinkTest;
  repaintAfterFill = repaint;
  valueScanStep = ui::PumpMessages;
  InstallTemplateRunner();
  CheckLinkedDatabase(window);
}

void CheckLinkedDatabase(ui::Window window) {
  mainWindow = window;
  // A hand-edited setting without a trailing separator still names the folder.
  linkedDatabaseFolder = DatabaseFolderText(linkedDatabaseFolder);
  databaseLinked = DatabaseLinkedAfter(ApplyDatabaseLinkTest(linkedDatabaseFolder), 0);
  EnableDatabaseMenuItems(window);
}

void EnableDatabaseMenuItems(ui::Window window) {
  for (int id = kCommandRecordBrowser; id <= kCommandListRecords; ++id)
    ui::EnableMenuItem(window, id, databaseLinked == 1);
}

void RunDatabaseCommand(ui::Window window, int commandId) {
  switch (commandId) {
    case kCommandLinkDatabase: ShowLinkDatabaseDialog(window); break;
    case kCommandRecordBrowser: OpenDatabaseBrowser(window); break;
    case kCommandCaptureRecord: CaptureFormData(); break;
    default: break;
  }
}

void ResetDatabaseCommandsState() {
  databaseLinked = 0;
  mainWindow = nullptr;
}
const EnrolledStart enrolled(ResetDatabaseCommandsState);
