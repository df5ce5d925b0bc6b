// Test main for units with windows: offscreen, no display needed, dialogs driven by the
// platform layer's test driver.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "platform/ui/ui.h"
#include "tests/support/test_env.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  std::string folder = testenv::Prepare();
  QApplication app(argc, argv);
  ui::testing::Begin();
  int result = RUN_ALL_TESTS();
  ui::testing::End();
  std::filesystem::remove_all(folder);
  return result;
}
