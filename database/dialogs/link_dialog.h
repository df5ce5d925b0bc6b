// "Base de Datos Vinculada": shows the linked database folder, lets the user choose another one,
// tests it and tells the designer whether the database commands can be used.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "database/link_test.h"
#include "platform/ui/ui.h"

// The link test of the main window's start and of the link dialog. A passing test also
// clears what belonged to the database linked before: the filled aligned texts and the
// search results.
LinkTestResult ApplyDatabaseLinkTest(std::string_view folder);

// Set by the designer: takes the result of a link test into databaseLinked and enables or
// greys the menu items 1091 to 1094 (DatabaseLinkedAfter tells the new state).
extern std::function<void(LinkTestResult)> onDatabaseLinkTested;
// 1 while the dialog is open.
extern int32_t linkDialogOpen;

// The dialog's control ids.
namespace link_dialog_ids {
inline constexpr int kFolder = 1002, kSalir = 1003, kChoose = 1004;
}  // namespace link_dialog_ids

// Runs the dialog modally; does nothing while it is open already or a value scan runs.
void ShowLinkDatabaseDialog(ui::Window owner);
intptr_t LinkDatabaseDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
// The folder picker: a folder of the file system with a trailing separator, "" when cancelled.
std::string BrowseForFolder(ui::Window owner);
