// The designer's way into the linked database: "Vincular", "Navegador" and "Capturar datos" of
// the menu "Bases de Datos", the link test that enables the menu, and the hooks the database
// code calls back into the designer through.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// 1: the linked database passed the link test when it was last made.
extern int32_t databaseLinked;

// Binds the database code to the main window: the link test's menu states, the repaint after
// a record fill, the script runner of "@@" bindings, and the message pump of value scans.
// Then runs the link test of the start.
void ConnectDatabase(ui::Window window, void (*repaint)());
// Runs the link test on the linked database folder and enables "Navegador", "Capturar
// datos", "Buscar .." and "Listar" only when it passes.
void CheckLinkedDatabase(ui::Window window);
// Enables or greys those four items as the last link test found.
void EnableDatabaseMenuItems(ui::Window window);

// Commands "Vincular", "Navegador" and "Capturar datos".
void RunDatabaseCommand(ui::Window window, int commandId);

// Puts the link state back as the run starts.
void ResetDatabaseCommandsState();
