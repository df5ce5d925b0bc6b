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

// The dialog's control ids.
namespace record_browser_ids {
inline constexpr int kFirst = 1901, kPrevious = 1902, kNext = 1903, kLast = 1904, kShown = 1905;
inline constexpr int kNumber = 1907, kGoTo = 1908, kWithSearch = 1909;
}  // namespace record_browser_ids

// Shows the browser and returns at once; while it is open already, it comes to the front.
// Does nothing while a value scan runs.
void ShowDatabaseBrowser(ui::Window owner);
// Closes the browser when it is open: the state of program start.
void ResetDatabaseBrowser();
intptr_t DatabaseBrowserDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
