// Opening a file the program has just written (a record list, a template's output file) with
// the desktop's application for it, and telling the user when none opens it, so that the file
// can still be found.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"

// What the user is told when no application opened the file at `path`.
std::string NoApplicationText(std::string_view path);

// Opens the file with `opener` (empty: the desktop's application for it); when it does not
// open, says so in a message box that names the file's path. Returns whether it opened.
bool OpenWrittenFile(ui::Window owner, std::string_view path,
                     const std::function<bool(std::string_view)>& opener = {});
