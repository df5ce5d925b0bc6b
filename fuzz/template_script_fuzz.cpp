// A hostile template script (the bytes of the input) run against the small fixture databases:
// the run ends with a result or a message, never a crash, a hang or unbounded memory.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "database/template/template_language.h"
#include "tests/database/template/fixture_environment.h"

namespace {

// Output files are kept in memory, so that a long fuzzing run leaves no files behind.
class FuzzEnvironment : public templatetest::FixtureEnvironment {
 public:
  using FixtureEnvironment::FixtureEnvironment;
  int AppendOutputLine(const std::string&, const std::string&, bool&) override { return 0; }
};

struct FuzzFolder {
  FuzzFolder()
      : path((std::filesystem::temp_directory_path() /
              ("veluna-template-fuzz-" + std::to_string(std::random_device{}())))
                 .string() +
             "/") {
    std::filesystem::create_directories(path);
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzFolder folder;
  static FuzzEnvironment env(folder.path);
  static const bool ready = [] {
    for (const auto& db : templatetest::FixtureDatabases()) {
      templatetest::WriteFixtureDatabase(folder.path, db);
    }
    return true;
  }();
  (void)ready;
  std::ofstream(folder.path + "script", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  env.shown.clear();
  env.opened.clear();
  const templates::TemplateOutcome outcome = templates::RunTemplateScript("script", env);
  // A run ends one way or the other, and says so once when it stops.
  if (outcome.done == !env.shown.empty()) __builtin_trap();
  return 0;
}
