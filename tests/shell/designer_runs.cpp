// The designer's tests start with the designer as the running program, as its run does: its
// painter and its settings serve the page output they call outside the main window.
#include "program/program_variant.h"
#include "shell/main_window.h"
#include "tests/support/test_main.h"

namespace {

const bool designerRuns = [] {
  testmain::SetAfterRestore([] { runningProgram = &kDesignerProgram; });
  return true;
}();

}  // namespace
