// The program's state as a run starts, for every test: the test main calls ResetProgramState
// before each test, so no test sees what an earlier one left in the globals.
#pragma once

// The test driver started afresh, an empty folder beside the program, and every unit's
// globals put back to their start values.
void ResetProgramState();
