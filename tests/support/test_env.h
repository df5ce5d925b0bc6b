// The environment every test runs in: a temporary home and data folder of its own.
#pragma once
#include <string>

namespace testenv {
// Creates a fresh temporary folder, points HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and the
// program's data folder into it, and returns it (ending with "/").
std::string Prepare();
// The folder Prepare made.
const std::string& Folder();
// A fresh empty folder inside it.
std::string NewFolder(const std::string& name);
// Removes the folder Prepare made. A file that a library's own thread writes there while it
// is being removed is tried again; what still cannot go stays, and never fails a run.
void Remove();
}  // namespace testenv
