#include "tests/support/test_env.h"

#include <cstdlib>
#include <filesystem>

#include "platform/files/files.h"

namespace testenv {
namespace {
std::string folder;
}

std::string Prepare() {
  std::string pattern = (std::filesystem::temp_directory_path() / "veluna-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  folder = std::string(made ? made : "/tmp") + "/";
  std::filesystem::create_directories(folder + "home");
  std::filesystem::create_directories(folder + "config");
  std::filesystem::create_directories(folder + "data");
  std::filesystem::create_directories(folder + "program");
  setenv("HOME", (folder + "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (folder + "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (folder + "data").c_str(), 1);
  files::OverrideDataFolder(folder + "program/");
  return folder;
}

const std::string& Folder() { return folder; }

std::string NewFolder(const std::string& name) {
  std::string f = folder + name + "/";
  std::filesystem::remove_all(f);
  std::filesystem::create_directories(f);
  return f;
}

void Remove() {
  std::error_code error;
  for (int attempt = 0; attempt < 5; ++attempt)
    if (std::filesystem::remove_all(folder, error) != static_cast<std::uintmax_t>(-1) && !error) return;
}

}  // namespace testenv
