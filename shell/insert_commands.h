// The designer's inserts: each command of "Modificar" that puts a new object on the page
// (and the month calendar and arrow commands, which have no menu item). Every insert refuses
// a full store, runs its kind's dialog or file choice, draws the new object onto the page,
// shows it with the page background, plays the insert sound and gives it the next slot.
#pragma once
#include "platform/ui/ui.h"

// Runs the insert of a command and returns true; any other command does nothing and gives
// false.
bool RunInsertCommand(ui::Window window, int commandId);
