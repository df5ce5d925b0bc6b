// "Registros Base Datos": the record browser, a small topmost tool window beside the main
// window that steps through the records of the linked database, or through the records the
// last search found, and fills the page from the record it shows.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// The open browser, nullptr while it is closed.
extern ui::Window databaseBrowserWindow;

// Shows the browser and returns at once; while it is open already, it comes to the front.
// Does nothing while a value scan runs.
void ShowDatabaseBrowser(ui::Window owner);
intptr_t DatabaseBrowserDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
