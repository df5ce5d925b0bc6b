// How many records the database benchmarks generate: VELUNA_BENCH_RECORDS, 10,000 when it is
// not set, so that one run can show how each cost grows with the database. Each size gets
// folders of its own, so that databases of two sizes never meet.
#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "database/value_order.h"

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

// Waits until a database just written has settled, as a user's has: the order of a value file
// changed a moment ago is found anew at every read (database/value_order.h).
inline void LetDatabaseSettle() {
  std::this_thread::sleep_for(std::chrono::milliseconds(kValueFileSettledMs + 20));
}

}  // namespace bench
