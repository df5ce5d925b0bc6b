// The names a folder holds, sorted: what a writer left behind.
#pragma once
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace filestest {

inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace filestest
