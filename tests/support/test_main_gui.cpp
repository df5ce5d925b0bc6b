// Test main for units with windows: offscreen, no display needed, dialogs driven by the
// platform layer's test driver. Built with VELUNA_RESET_PROGRAM_STATE for the system's tests,
// it also starts every test from the program's state as a run starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/ui/ui.h"
#include "tests/support/test_env.h"

#ifdef VELUNA_RESET_PROGRAM_STATE
#include "tests/support/program_state.h"

namespace {
class ResetBeforeEachTest : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { ResetProgramState(); }
};
}  // namespace
#endif

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  testenv::Prepare();
  QApplication app(argc, argv);
  ui::testing::Begin();
#ifdef VELUNA_RESET_PROGRAM_STATE
  testing::UnitTest::GetInstance()->listeners().Append(new ResetBeforeEachTest);
#endif
  int result = RUN_ALL_TESTS();
  ui::testing::End();
  testenv::Remove();
  return result;
}
