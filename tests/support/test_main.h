// What a test program adds to the test main's start of every test.
#pragma once

namespace testmain {
// Runs before each test, after every enrolled unit is back at its start. Set at static
// initialisation by the test program that needs it (the designer's tests make the designer the
// running program).
void SetAfterRestore(void (*after)());
}  // namespace testmain
