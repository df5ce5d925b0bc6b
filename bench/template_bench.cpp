// A template script whose record block runs over bench::Records() records, summing a number field and
// joining a text field, from reading the script to its OUT result: once through the template
// database readers over the database's files, and once with the values held in memory, which
// measures the language alone. Then a script that writes one line per record to an output
// file with WOUT, as a member list does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/bench_records.h"
#include "database/template/template_language.h"
#include "tests/database/template/fixture_environment.h"

namespace {

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
// The generated database: bench::Records() records of a number and a name.
const templatetest::FixtureDatabase& Generated() {
  static const templatetest::FixtureDatabase db =
      templatetest::GeneratedDatabase("Grande", static_cast<int>(bench::Records()));
  return db;
}

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
  const std::string folder = bench::Folder("template");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  templatetest::WriteFixtureDatabase(folder, Generated());
  std::ofstream(folder + "suma", std::ios::binary) << kScript;
  std::ofstream(folder + "lista", std::ios::binary) << kWoutScript;
  bench::LetDatabaseSettle();
  return folder;
}

void RunScript(benchmark::State& state, templates::TemplateEnvironment& env) {
  int64_t total = 0;
  for (const auto& record : Generated().records) total += std::stoll(record[0]);
  const std::string expected = std::to_string(total);
  for (auto _ : state) {
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("suma", env);
    if (outcome.result != expected) state.SkipWithError("wrong total");
    benchmark::DoNotOptimize(outcome);
  }
}

void BM_TemplateRecordBlock(benchmark::State& state) {
  const std::string folder = MakeFolder();
  templatetest::FixtureEnvironment env(folder);
  RunScript(state, env);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateRecordBlock)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_TemplateRecordBlockValuesInMemory(benchmark::State& state) {
  const std::string folder = MakeFolder();
  MemoryEnvironment env(folder, Generated());
  RunScript(state, env);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateRecordBlockValuesInMemory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Each run starts from no output file, so every run writes the same 10,000 lines.
void BM_TemplateWoutLines(benchmark::State& state) {
  const std::string folder = MakeFolder();
  MemoryEnvironment env(folder, Generated());
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(folder + "lista.txt");
    state.ResumeTiming();
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("lista", env);
    if (outcome.result != "1") state.SkipWithError(outcome.error.c_str());
    benchmark::DoNotOptimize(outcome);
  }
  // Every record's name, each followed by CR LF.
  uintmax_t expected = 0;
  for (const auto& record : Generated().records) expected += record[1].size() + 2;
  if (std::filesystem::file_size(folder + "lista.txt") != expected) {
    state.SkipWithError("wrong output file");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateWoutLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
