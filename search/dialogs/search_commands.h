// The designer's way into the record search: "Buscar .." and "Listar" of the menu "Bases de
// Datos".
#pragma once

#include "platform/ui/ui.h"

// "Buscar .." opens the search dialog when the linked database's field definitions are there,
// else says that no database is linked; "Listar" opens the record-list dialog once a search
// found records, else says that a search comes first. Neither opens while searchBusy is set.
void RunSearchCommand(ui::Window window, int commandId);
