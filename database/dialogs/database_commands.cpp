#include "database/dialogs/database_commands.h"

#include "database/link_test.h"
#include "page/command_ids.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"

int32_t databaseLinked = 0;

void CheckLinkedDatabase(ui::Window window) {
  databaseLinked = !linkedDatabaseFolder.empty() && IsLinkedDatabaseValid(linkedDatabaseFolder);
  if (databaseLinked == 1) filledTextsShown = 0;
  EnableDatabaseMenuItems(window);
}

void EnableDatabaseMenuItems(ui::Window window) {
  for (int id = kCommandRecordBrowser; id <= kCommandListRecords; ++id)
    ui::EnableMenuItem(window, id, databaseLinked == 1);
}

void RunDatabaseCommand(ui::Window, int commandId) {
  // "Vincular", "Navegador", "Capturar datos" and "Listar" wait for the database dialogs and
  // the search, and do nothing until then.
  if (commandId != kCommandSearch) return;
  // The search needs a database whose field definitions are where the link says.
  if (linkedDatabaseFolder.empty() ||
      !files::FileExists(FieldDefinitionFilePath(linkedDatabaseFolder)))
    ui::MessageBox(nullptr, "No hay una base de datos vinculada correctamente ...", kMessageTitle,
                   ui::Buttons::Ok);
}

void ResetDatabaseCommandsState() { databaseLinked = 0; }
