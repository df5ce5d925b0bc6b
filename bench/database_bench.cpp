// The linked database's hot paths on a generated database of bench::Records() records of 7 fields
// (values of 5 to 20 characters): one step of the record browser to the last record (the fill
// of a page of 20 bound objects; the repaint is the designer's and is left out), the same a
// moment after another desk's capture, the first read of the value file in a run, and the
// capture of one record.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_records.h"
#include "database/capture.h"
#include "database/database_files.h"
#include "database/value_append.h"
#include "database/linked_database.h"
#include "database/value_order.h"
#include "database/record_browsing.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"

namespace {

const char* const kFields[7] = {"Nombre", "Apellidos", "DNI", "Domicilio",
                                "Ciudad", "Telefono", "Importe"};

std::string BenchFolder() { return bench::Folder("database"); }

// The database in a fresh folder, linked.
void MakeDatabase() {
  const std::string folder = BenchFolder() + "Bench/";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::string definitions, cells;
  for (const char* name : kFields) definitions += EncodeFieldDefinition({1, name, 3, 40, 0, ""});
  for (int64_t r = 1; r <= bench::Records(); ++r) {
    for (int f = 0; f < 7; ++f) {
      const size_t length = 5 + static_cast<size_t>((r * 7 + f * 3) % 16);
      for (size_t k = 0; k < length; ++k)
        cells += EncodeValueCell(static_cast<uint8_t>('a' + (r + k) % 26), 1, kFields[f], 3, 40, 0,
                                 r, k + 1 == length ? 1 : 0);
    }
  }
  files::WriteAllAtomically(folder + "Bench.z04", definitions);
  files::WriteAllAtomically(folder + "Bench.zbd", cells);
  linkedDatabaseFolder = folder;
  bench::LetDatabaseSettle();
}

// 20 administrative controls bound to the 7 fields in turn.
void MakeBoundPage(int objects) {
  AllocateStore();
  ResetPageRecord();
  objectCount = 1;
  for (int i = 0; i < objects; ++i) {
    PageObject& o = pageObjects[++objectCount];
    o.kind = kAdminControl;
    SetFixedField(o.databaseField, kFields[i % 7]);
    SetFixedField(o.fillText, "abcdefgh");
  }
}

void BM_BrowserStepToTheLastRecord(benchmark::State& state) {
  MakeDatabase();
  MakeBoundPage(20);
  for (auto _ : state) {
    browserRecordNumber = 0;
    benchmark::DoNotOptimize(ShowBrowserPosition(bench::Records()));
  }
  std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_BrowserStepToTheLastRecord)->Unit(benchmark::kMillisecond);

// The first read of the value file in a run, which finds the order of its records with one
// pass over the file; every later read finds it kept.
void BM_FirstReadOfTheValueFile(benchmark::State& state) {
  MakeDatabase();
  for (auto _ : state) {
    ForgetValueFileOrders();
    benchmark::DoNotOptimize(GetLastRecordNumber());
  }
  std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_FirstReadOfTheValueFile)->Unit(benchmark::kMillisecond);

// A step of the record browser to the last record a moment after another desk captured it:
// the file changed too recently to be told by its stamp from its next change.
void BM_BrowserStepAfterAnotherDesksCapture(benchmark::State& state) {
  MakeDatabase();
  MakeBoundPage(20);
  int64_t record = GetLastRecordNumber();
  const std::string valueFile = LinkedValuePath();
  for (auto _ : state) {
    state.PauseTiming();
    ++record;
    std::string cells;
    for (int f = 0; f < 7; ++f)
      for (size_t k = 0; k < 8; ++k)
        cells += EncodeValueCell('x', 1, kFields[f], 3, 40, 0, record, k + 1 == 8 ? 1 : 0);
    AppendValueCells(valueFile, cells);
    state.ResumeTiming();
    browserRecordNumber = 0;
    benchmark::DoNotOptimize(ShowBrowserPosition(GetLastRecordNumber()));
  }
  std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_BrowserStepAfterAnotherDesksCapture)->Unit(benchmark::kMillisecond);

void BM_CaptureOneRecord(benchmark::State& state) {
  MakeDatabase();
  MakeBoundPage(7);
  for (auto _ : state) {
    const CapturePlan plan = PrepareCapture();
    benchmark::DoNotOptimize(ArchiveCapturedForm(plan.values).recordNumber);
  }
  std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_CaptureOneRecord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
