// A template script whose record block runs over 10,000 records, summing a number field and
// joining a text field, from reading the script to its OUT result.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "database/template/template_language.h"
#include "tests/database/template/table_environment.h"

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

void BM_TemplateRecordBlock10000(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("veluna-template-bench-" + std::to_string(getpid())))
                                 .string() +
                             "/";
  std::filesystem::create_directories(folder);
  templatetest::TableEnvironment env(folder);
  env.AddDatabase(templatetest::GeneratedDatabase("Grande", 10000));
  std::ofstream(folder + "suma", std::ios::binary) << kScript;
  for (auto _ : state) {
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("suma", env);
    // Each hundred of the 10,000 values 0..999 comes ten times.
    if (outcome.result != "4995000") state.SkipWithError("wrong total");
    benchmark::DoNotOptimize(outcome);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TemplateRecordBlock10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
