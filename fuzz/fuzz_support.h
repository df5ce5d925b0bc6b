// What every fuzz target shares: an offscreen application in test mode (message boxes are
// recorded, never shown), a data folder of its own, and the input written where the reader
// looks for its file.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace fuzzing {

// The data folder, made once; in memory when the machine has such a folder, so that the
// writers' flushes cost nothing.
inline const std::string& Folder() {
  static const std::string folder = [] {
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "veluna-fuzz-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return std::string(made ? made : "/tmp") + "/";
  }();
  return folder;
}

inline void Prepare() {
  static const bool ready = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    files::OverrideDataFolder(Folder());
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    ui::StartApplication(argc, argv);
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return true;
  }();
  (void)ready;
  // Every input starts with no queued answers and no messages recorded.
  ui::testing::Begin();
}

// Writes the input as the file `name` of the data folder and gives its path.
inline std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = Folder() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
  return path;
}

}  // namespace fuzzing
