#include "program/program_variant.h"

#include "page/painter.h"
#include "page/settings.h"

const ProgramVariant* runningProgram = nullptr;

void PaintProgramPage(int32_t mode) {
  if (runningProgram && runningProgram->paintAllObjects)
    runningProgram->paintAllObjects(mode);
  else
    PaintAllObjects(mode);
}

std::string SaveProgramSettings() {
  if (runningProgram && runningProgram->loadSaveSettings)
    return runningProgram->loadSaveSettings("save");
  return LoadSaveSettings("save", SettingsKeys::Shared);
}
