#include "program/program_variant.h"

#include "page/painter.h"
#include "page/settings.h"
#include "page/start_values.h"

const ProgramVariant* runningProgram = nullptr;

namespace {

StartValues startValues(runningProgram);

}  // namespace

void PaintProgramPage(gfx::Surface& page, int32_t mode) {
  if (runningProgram && runningProgram->paintAllObjects)
    runningProgram->paintAllObjects(page, mode);
  else
    PaintAllObjects(page, mode);
}

std::string SaveProgramSettings() {
  if (runningProgram && runningProgram->loadSaveSettings)
    return runningProgram->loadSaveSettings("save");
  return LoadSaveSettings("save", SettingsKeys::Shared);
}
