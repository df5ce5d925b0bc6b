// The record search over a large database: a three-field search of bench::Records() records
// of 7 fields (some 47 MB of value cells at 10,000 records), against reading the same value
// file once with cat.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/bench_records.h"
#include "database/records.h"
#include "page/settings.h"
#include "search/search_engine.h"

namespace {

constexpr int kFields = 7;

std::string FieldName(int f) { return "Campo" + std::to_string(f + 1); }

// A database folder of random values of 5 to 20 characters, linked; returns its value file.
const std::string& LinkLargeDatabase() {
  static const std::string valueFile = [] {
    const std::string folder = bench::Folder("search") + "Grande/";
    std::filesystem::create_directories(folder);
    std::string definitions;
    for (int f = 0; f < kFields; ++f) {
      Z04Record r{};
      r.recordKind = 1;
      std::strncpy(r.fieldName, FieldName(f).c_str(), sizeof r.fieldName - 1);
      r.fieldType = kFieldText;
      definitions.append(reinterpret_cast<const char*>(&r), sizeof r);
    }
    std::ofstream(folder + "Grande.z04", std::ios::binary) << definitions;
    std::mt19937 random(50);
    const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789 ";
    std::string cells;
    for (int64_t record = 1; record <= bench::Records(); ++record) {
      for (int f = 0; f < kFields; ++f) {
        const int length = 5 + static_cast<int>(random() % 16);
        for (int k = 0; k < length; ++k) {
          ZbdEntry e{};
          e.entryKind = 1;
          e.character = static_cast<uint8_t>(letters[random() % (sizeof letters - 1)]);
          std::strncpy(e.fieldName, FieldName(f).c_str(), sizeof e.fieldName - 1);
          e.fieldType = kFieldText;
          e.recordNumber = record;
          e.lastCharacter = k + 1 == length ? 1 : 0;
          cells.append(reinterpret_cast<const char*>(&e), sizeof e);
        }
      }
    }
    std::ofstream(folder + "Grande.zbd", std::ios::binary) << cells;
    linkedDatabaseFolder = folder;
    bench::LetDatabaseSettle();
    return folder + "Grande.zbd";
  }();
  return valueFile;
}

void BM_CatValueFile(benchmark::State& state) {
  const std::string command = "cat '" + LinkLargeDatabase() + "' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(LinkLargeDatabase())));
}
BENCHMARK(BM_CatValueFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every record passes the first criterion and most the second, so most records take all three
// fetches: the first and last fields of the record and one between.
void BM_ThreeFieldSearch(benchmark::State& state) {
  LinkLargeDatabase();
  SearchCriteria criteria;
  criteria.fieldNames = {FieldName(0), FieldName(3), FieldName(6)};
  criteria.kinds = {">=", "<>", "$"};
  criteria.searchTexts = {"0", "zzzz", "ab"};
  criteria.criteriaCount = 3;
  int64_t found = 0;
  for (auto _ : state) found = SearchRecordsThreeFields(criteria, {}).matchCount;
  state.counters["found"] = static_cast<double>(found);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(LinkLargeDatabase())));
}
BENCHMARK(BM_ThreeFieldSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

// A field no record holds (one defined after the records were captured): every fetch looks
// through the record's cells and leaves the cursor where it was.
void BM_SearchOfAFieldNoRecordHolds(benchmark::State& state) {
  LinkLargeDatabase();
  SearchCriteria criteria;
  criteria.fieldNames[0] = "Nuevo";
  criteria.kinds[0] = "<>";
  criteria.searchTexts[0] = "x";
  criteria.criteriaCount = 1;
  for (auto _ : state) SearchRecordsOneField(criteria, {});
}
BENCHMARK(BM_SearchOfAFieldNoRecordHolds)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
