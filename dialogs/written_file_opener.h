// Opening a file the program has just written (a record list, a template's output file) with
// the desktop's application for it, and telling the user when none opens it, so that the file
// can still be found.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/desktop/desktop.h"
#include "platform/ui/ui.h"

// What the user is told when no application opened the file at `path`.
std::string NoApplicationText(std::string_view path);

// Starts opening the file at `path` and tells `told` later, or at once, whether it opened.
using FileOpener = std::function<void(std::string_view path, desktop::OpenerVerdict told)>;

// Opens the file with `opener` (empty: the desktop's application for it) without waiting for
// it; when the opener says that nothing could open it, however late, says so in a message box
// that names the file's path, over `owner` while that window is still there. An opener that
// ends without a word on the file (killed by a signal) ends quietly.
void OpenWrittenFile(ui::Window owner, std::string_view path, const FileOpener& opener = {});
