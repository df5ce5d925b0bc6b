// Test main for units without windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_env.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string folder = testenv::Prepare();
  int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(folder);
  return result;
}
