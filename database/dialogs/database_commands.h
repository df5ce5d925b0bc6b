// The designer's way into the linked database: the menu "Bases de Datos" (commands 1090 to
// 1094) and the link test that enables it.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// 1: the linked database passed the link test when it was last made.
extern int32_t databaseLinked;

// Runs the link test on the linked database folder and enables "Navegador", "Capturar
// datos", "Buscar .." and "Listar" only when it passes.
void CheckLinkedDatabase(ui::Window window);
// Enables or greys those four items as the last link test found.
void EnableDatabaseMenuItems(ui::Window window);

// Commands 1090 to 1094 of the menu "Bases de Datos". For now only "Buscar .." does
// something: it says when no database is linked.
void RunDatabaseCommand(ui::Window window, int commandId);

// Puts the link state back as the run starts.
void ResetDatabaseCommandsState();
