// Test main for units without windows.
#include <gtest/gtest.h>

#include "tests/support/test_env.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testenv::Prepare();
  int result = RUN_ALL_TESTS();
  testenv::Remove();
  return result;
}
