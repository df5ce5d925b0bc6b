// Runs a program inside a test: the start-up question answered No, `act` run inside the main
// window, then "Salir". `prepare` runs once the program's data folder is in place, before the
// program starts (to write its settings, for example).
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "page/command_ids.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "program/program_variant.h"
#include "program/startup.h"
#include "tests/support/test_env.h"

inline void RunProgramWindow(const ProgramVariant& program,
                             const std::function<void(ui::Window main)>& act,
                             std::vector<std::string> args = {},
                             const std::function<void()>& prepare = {}) {
  ui::testing::Begin();
  files::OverrideDataFolder(testenv::NewFolder("program"));
  if (prepare) prepare();
  ui::testing::AnswerMessageBox(ui::Answer::No);
  ui::testing::OnDialog("Veluna", [&](ui::Window w) {
    act(w);
    ui::testing::ChooseMenu(w, kCommandExit);
  });
  args.insert(args.begin(), std::string(program.name));
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  WinMain(static_cast<int>(argv.size()), argv.data(), program);
  EXPECT_TRUE(ui::testing::Unexpected().empty()) << ui::testing::Unexpected().front();
}
