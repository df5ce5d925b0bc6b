// A template script whose record block runs over 10,000 records, summing a number field and
// joining a text field, from reading the script to its OUT result: once through the template
// database readers over the database's files, and once with the values held in memory, which
// measures the language alone. Then a script that writes one line per record to an output
// file with WOUT, as a member list does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "database/template/template_language.h"
#include "tests/database/template/fixture_environment.h"

namespace {

constexpr int kRecords = 10000;

constexpr const char* kScript =
    "[Grande] ;\n"
    "&total := 0 ;\n"
    "&nombres := ~Socios:_ ;\n"
    "R^ ;\n"
    "&importe := #Importe ;\n"
    "&total := &total + &importe ;\n"
    "&nombre := #Nombre ;\n"
    "&nombres := &nombres + &nombre ;\n"
    "^R ;\n"
    "OUT &total ;\n";

constexpr const char* kWoutScript =
    "[Grande] ;\n"
    "&fichero := ~lista.txt ;\n"
    "&abrir := 0 ;\n"
    "R^ ;\n"
    "&nombre := #Nombre ;\n"
    "&hecho := %WOUT &fichero &nombre &abrir ;\n"
    "^R ;\n"
    "OUT &hecho ;\n";

// The generated database's values straight from memory, read in the order the script reads
// them.
class MemoryEnvironment : public templatetest::FixtureEnvironment {
 public:
  MemoryEnvironment(std::string folder, templatetest::FixtureDatabase db)
      : FixtureEnvironment(std::move(folder)), db_(std::move(db)) {}
  int16_t FieldType(const std::string& field) override {
    for (const auto& f : db_.fields) {
      if (f.name == field) return f.type;
    }
    return 0;
  }
  std::string FieldValue(const std::string& field, int64_t record) override {
    if (record < 1 || record > static_cast<int64_t>(db_.records.size())) return "No datos";
    return db_.records[static_cast<size_t>(record - 1)][field == "Importe" ? 0 : 1];
  }
  int64_t RecordCount() override { return static_cast<int64_t>(db_.records.size()); }

 private:
  templatetest::FixtureDatabase db_;
};

std::string MakeFolder() {
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("veluna-template-bench-" + std::to_string(std::random_device{}())))
                                 .string() +
                             "/";
  std::filesystem::create_directories(folder);
  templatetest::WriteFixtureDatabase(folder,
                                     templatetest::GeneratedDatabase("Grande", kRecords));
  std::ofstream(folder + "suma", std::ios::binary) << kScript;
  std::ofstream(folder + "lista", std::ios::binary) << kWoutScript;
  return folder;
}

void RunScript(benchmark::State& state, templates::TemplateEnvironment& env) {
  for (auto _ : state) {
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("suma", env);
    // Each of the values 0..999 comes ten times.
    if (outcome.result != "4995000") state.SkipWithError("wrong total");
    benchmark::DoNotOptimize(outcome);
  }
}

void BM_TemplateRecordBlock10000(benchmark::State& state) {
  const std::string folder = MakeFolder();
  templatetest::FixtureEnvironment env(folder);
  RunScript(state, env);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateRecordBlock10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_TemplateRecordBlock10000ValuesInMemory(benchmark::State& state) {
  const std::string folder = MakeFolder();
  MemoryEnvironment env(folder, templatetest::GeneratedDatabase("Grande", kRecords));
  RunScript(state, env);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateRecordBlock10000ValuesInMemory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Each run starts from no output file, so every run writes the same 10,000 lines.
void BM_TemplateWoutLines10000(benchmark::State& state) {
  const std::string folder = MakeFolder();
  MemoryEnvironment env(folder, templatetest::GeneratedDatabase("Grande", kRecords));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(folder + "lista.txt");
    state.ResumeTiming();
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("lista", env);
    if (outcome.result != "1") state.SkipWithError(outcome.error.c_str());
    benchmark::DoNotOptimize(outcome);
  }
  // "Socio1" to "Socio10000", each followed by CR LF.
  if (std::filesystem::file_size(folder + "lista.txt") != 108894) {
    state.SkipWithError("wrong output file");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateWoutLines10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
