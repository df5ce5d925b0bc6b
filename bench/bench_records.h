// How many records the database benchmarks generate: VELUNA_BENCH_RECORDS, 10,000 when it is
// not set, so that one run can show how each cost grows with the database. Each size gets
// folders of its own, so that databases of two sizes never meet.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench {

inline int64_t Records() {
  static const int64_t records = [] {
    constexpr int64_t kDefault = 10000;
    const char* text = std::getenv("VELUNA_BENCH_RECORDS");
    if (!text || !*text) return kDefault;
    char* end = nullptr;
    const long long n = std::strtoll(text, &end, 10);
    if (*end != '\0' || n < 1 || n > 100000000) {
      std::fprintf(stderr, "VELUNA_BENCH_RECORDS=%s is no record count; using %lld\n", text,
                   static_cast<long long>(kDefault));
      return kDefault;
    }
    return static_cast<int64_t>(n);
  }();
  return records;
}

// <temp>/veluna-<name>-bench-<records>/
inline std::string Folder(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("veluna-" + name + "-bench-" + std::to_string(Records())))
             .string() +
         "/";
}

}  // namespace bench
