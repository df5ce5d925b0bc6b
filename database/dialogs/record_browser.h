// "Registros Base Datos": the record browser, a small topmost tool window beside the main
// window that steps through the records of the linked database, or through the records the
// last search found, and fills the page from the record it shows.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/ui/ui.h"

// The open browser, nullptr while it is closed.
extern ui::Window databaseBrowserWindow;

// Set by the designer: called when the browser has closed, however it closed.
extern std::function<void()> onDatabaseBrowserClosed;

// Shows the browser and returns at once; while it is open already, it comes to the front.
// Does nothing while a value scan runs.
void ShowDatabaseBrowser(ui::Window owner);
// Closes the browser when it is open: the state of program start.
void ResetDatabaseBrowser();
intptr_t DatabaseBrowserDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
