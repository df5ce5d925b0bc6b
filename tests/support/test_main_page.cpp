// Test main for the page library's tests: the graphic layer alone, offscreen, with no widgets,
// as the page library shows nothing. Every test starts from the program's state as a run
// starts: every unit the test program links enrolled its start values, and all of them are put
// back before each test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/gfx/start.h"
#include "tests/support/test_env.h"

namespace {
class RestoreBeforeEachTest : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    // The files beside the program (settings, presets) start absent.
    files::OverrideDataFolder(testenv::NewFolder("program"));
    RestoreEveryStart();
  }
};
}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  testenv::Prepare();
  if (!gfx::StartGraphics(argc, argv)) return 1;
  testing::UnitTest::GetInstance()->listeners().Append(new RestoreBeforeEachTest);
  int result = RUN_ALL_TESTS();
  testenv::Remove();
  return result;
}
