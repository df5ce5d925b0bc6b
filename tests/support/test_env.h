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
}  // namespace testenv
