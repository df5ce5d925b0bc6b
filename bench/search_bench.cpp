// The record search over a large database: a three-field search of bench::Records() records
// of 7 fields (some 47 MB of value cells at 10,000 records), against reading the same value
// file once with cat; and one-field searches of the same records written by one desk or by two
// at once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_records.h"
#include "database/records.h"
#include "page/settings.h"
#include "search/search_engine.h"

namespace {

constexpr int kFields = 7;

std::string FieldName(int f) { return "Campo" + std::to_string(f + 1); }

// A database folder of random values of 5 to 20 characters, written as one desk writes its
// records one after another or, `interleaved`, as two desks write every pair of records at once,
// a character each in turn; returns its value file.
std::string MakeDatabase(const std::string& name, bool interleaved) {
  const std::string folder = bench::Folder("search") + name + "/";
  std::filesystem::create_directories(folder);
  std::string definitions;
  for (int f = 0; f < kFields; ++f) {
    Z04Record r{};
    r.recordKind = 1;
    std::strncpy(r.fieldName, FieldName(f).c_str(), sizeof r.fieldName - 1);
    r.fieldType = kFieldText;
    definitions.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  std::ofstream(folder + name + ".z04", std::ios::binary) << definitions;
  std::mt19937 random(50);
  const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789 ";
  const auto recordCells = [&](int64_t record) {
    std::vector<std::string> cells;
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
        cells.emplace_back(reinterpret_cast<const char*>(&e), sizeof e);
      }
    }
    return cells;
  };
  std::string cells;
  for (int64_t record = 1; record <= bench::Records(); ++record) {
    const std::vector<std::string> a = recordCells(record);
    if (!interleaved || record == bench::Records()) {
      for (const std::string& c : a) cells += c;
      continue;
    }
    const std::vector<std::string> b = recordCells(++record);
    for (size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
      if (k < a.size()) cells += a[k];
      if (k < b.size()) cells += b[k];
    }
  }
  std::ofstream(folder + name + ".zbd", std::ios::binary) << cells;
  bench::LetDatabaseSettle();
  return folder + name + ".zbd";
}

const std::string& LinkLargeDatabase() {
  static const std::string valueFile = MakeDatabase("Grande", false);
  linkedDatabaseFolder = std::filesystem::path(valueFile).parent_path().string() + "/";
  return valueFile;
}

const std::string& LinkInterleavedDatabase() {
  static const std::string valueFile = MakeDatabase("Pares", true);
  linkedDatabaseFolder = std::filesystem::path(valueFile).parent_path().string() + "/";
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
void ThreeFieldSearch(benchmark::State& state, const std::string& (*link)()) {
  link();
  SearchCriteria criteria;
  criteria.fieldNames = {FieldName(0), FieldName(3), FieldName(6)};
  criteria.kinds = {">=", "<>", "$"};
  criteria.searchTexts = {"0", "zzzz", "ab"};
  criteria.criteriaCount = 3;
  int64_t found = 0;
  for (auto _ : state) found = SearchRecordsThreeFields(criteria, {}).matchCount;
  state.counters["found"] = static_cast<double>(found);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(link())));
}
void BM_ThreeFieldSearch(benchmark::State& state) { ThreeFieldSearch(state, LinkLargeDatabase); }
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

// A one-field "=" search of the same records (the same random values), written by one desk or
// by two desks interleaving every pair of records a character at a time.
void OneFieldSearch(benchmark::State& state, const std::string& (*link)()) {
  link();
  SearchCriteria criteria;
  criteria.fieldNames[0] = FieldName(3);
  criteria.kinds[0] = "=";
  criteria.searchTexts[0] = "abcde";
  criteria.criteriaCount = 1;
  for (auto _ : state) SearchRecordsOneField(criteria, {});
}
void BM_OneFieldSearchAscending(benchmark::State& state) {
  OneFieldSearch(state, LinkLargeDatabase);
}
BENCHMARK(BM_OneFieldSearchAscending)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_OneFieldSearchInterleaved(benchmark::State& state) {
  OneFieldSearch(state, LinkInterleavedDatabase);
}
BENCHMARK(BM_OneFieldSearchInterleaved)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThreeFieldSearchInterleaved(benchmark::State& state) {
  ThreeFieldSearch(state, LinkInterleavedDatabase);
}
BENCHMARK(BM_ThreeFieldSearchInterleaved)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
