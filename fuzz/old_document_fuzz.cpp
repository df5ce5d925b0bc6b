// The older document reader over a hostile file: the input is the file, read as records of
// 2080 bytes, and what it gives is painted by Velprint's painter, as the program shows it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "velprint/old_document.h"
#include "velprint/page_variant.h"

namespace {

const std::string& Folder() {
  static const std::string folder = [] {
    const auto path =
        std::filesystem::temp_directory_path() / ("velprint-old-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string() + "/";
  }();
  return folder;
}

// Drawing needs the application; messages are answered by the test driver, never shown.
void StartOnce() {
  static bool started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "old_document_fuzz";
    static char* argv[] = {name, nullptr};
    ui::StartApplication(argc, argv);
    files::OverrideDataFolder(Folder());
    onDocumentStoreReplaced = MakePageBitmaps;
    return true;
  }();
  (void)started;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartOnce();
  ui::testing::Begin();
  documentPath = Folder() + "antiguo.qorvex";
  std::ofstream(documentPath, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  AllocateStore();
  ResetPageRecord();
  objectCount = 1;
  if (LoadOldFormatDocument().done) {
    for (int32_t mode : {1, 0}) {
      ClearGraphicTarget(*pageBitmap);
      VelprintPaintAllObjects(*pageBitmap, mode);
      DrawPageBackground(*pageBitmap, mode);
    }
  }
  return 0;
}
