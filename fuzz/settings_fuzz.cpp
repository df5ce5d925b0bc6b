// The settings files on any bytes: "Configuracion.ini" and "AdminControls.ini" read as at
// start-up, the page made and its background painted at the paper and margins read, and one
// value written back into each.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "page/admin_controls.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/profile/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::Prepare();
  fuzzing::WriteInput("Configuracion.ini", data, size);
  fuzzing::WriteInput("AdminControls.ini", data, size);
  LoadSaveSettings("get");
  LoadSaveAdminStylePresets("get");
  MakePageBitmaps();
  FillMarginArea(*pageBitmap);
  DrawPageBackground(*pageBitmap, 1);
  ReleasePageBitmaps();
  profile::WriteString("Margenes", "izquierdo", " 10", SettingsFilePath());
  profile::WriteString(AdminStyleSection(1), "texto", "Nombre", AdminControlsPath());
  return 0;
}
