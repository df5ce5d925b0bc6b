// What the database fuzz targets share: a database folder of their own for the run, and the
// input written into its files as they stand.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

// The folder of a run, removed when the run ends.
struct FuzzRunFolder {
  std::string path;
  ~FuzzRunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

// <temp>/veluna-fuzz-<random>/<name>/, made once a run; ends with "/".
inline std::string DatabaseFuzzFolder(const std::string& name) {
  static const FuzzRunFolder run{[] {
    std::random_device random;
    return (std::filesystem::temp_directory_path() / ("veluna-fuzz-" + std::to_string(random())))
        .string();
  }()};
  const std::string folder = run.path + "/" + name + "/";
  std::filesystem::create_directories(folder);
  return folder;
}

inline void WriteFuzzFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
