#include "page/start_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int sheetCount = 3;
std::string sheetName = "inicio";
StartValues sheetStart(sheetCount, sheetName);

int routineRuns = 0;
void CountRoutineRun() { ++routineRuns; }
const EnrolledStart routineStart(CountRoutineRun);

TEST(StartValuesTest, RestoringPutsEveryEnrolledUnitBackAtItsStart) {
  sheetCount = 7;
  sheetName = "cambiado";
  const int runs = routineRuns;
  RestoreEveryStart();
  EXPECT_EQ(sheetCount, 3);
  EXPECT_EQ(sheetName, "inicio");
  EXPECT_EQ(routineRuns, runs + 1);
}

// The test main restores every enrolled unit before each test: these two run in this order.
TEST(StartValuesTest, ATestLeavesAUnitChanged) {
  sheetCount = 8;
  sheetName = "dejado";
}

TEST(StartValuesTest, TheNextTestFindsItAtItsStart) {
  EXPECT_EQ(sheetCount, 3);
  EXPECT_EQ(sheetName, "inicio");
}

}  // namespace
