// The designer run inside a test: `act` runs in its main window, then "Salir".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "tests/support/run_program.h"

inline void WithMainWindow(const std::function<void(ui::Window main)>& act,
                           std::vector<std::string> args = {},
                           const std::function<void()>& prepare = {}) {
  RunProgramWindow(kDesignerProgram, act, std::move(args), prepare);
}
