// Test main for units with windows: offscreen, no display needed, dialogs driven by the
// platform layer's test driver. Built with VELUNA_RESTORE_UNITS for the system's tests, it also
// starts every test from the program's state as a run starts: every unit the test program
// links enrolled its start values, and all of them are put back before each test.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/ui/ui.h"
#include "tests/support/test_env.h"

#ifdef VELUNA_RESTORE_UNITS
#include "page/start_values.h"
#include "platform/files/files.h"
#include "tests/support/test_main.h"

namespace {
void (*afterRestore)() = nullptr;
}  // namespace

void testmain::SetAfterRestore(void (*after)()) { afterRestore = after; }

namespace {
class RestoreBeforeEachTest : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    ui::testing::Begin();
    // The files beside the program (settings, presets, colours, holidays) start absent.
    files::OverrideDataFolder(testenv::NewFolder("program"));
    RestoreEveryStart();
    if (afterRestore) afterRestore();
  }
};
}  // namespace
#endif

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  testenv::Prepare();
  QApplication app(argc, argv);
  ui::testing::Begin();
#ifdef VELUNA_RESTORE_UNITS
  testing::UnitTest::GetInstance()->listeners().Append(new RestoreBeforeEachTest);
#endif
  int result = RUN_ALL_TESTS();
  ui::testing::End();
  testenv::Remove();
  return result;
}
