// Value files whose records desks capturing at once spread over the file, against the same
// records one after another: a one-field "=" search, the record count and a run of record
// browser reads. Each file holds 10 x bench::Records() cells (VELUNA_BENCH_RECORDS=10000 gives
// 10^5 cells, 100000 gives 10^6) of one-character values:
// - two desks' one-cell records, one desk always a write behind the other (records 1, 2, 1, 3,
//   2, 4, 3, ...: each record twice, as two old desks that gave one number write it);
// - three desks a character at a time, two one-character fields;
// - three one-character fields, the file holding every record's first field, then every
//   record's second, then every third;
// and a hostile file of VELUNA_BENCH_HOSTILE_MB megabytes (100 when unset) of records one
// after another, each followed far later by three cells of its own among those of others.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "bench/bench_records.h"
#include "database/linked_database.h"
#include "database/records.h"
#include "database/value_order.h"
#include "page/settings.h"
#include "search/search_engine.h"

namespace {

const char* const kNames[] = {"Cliente", "Importe", "Pagado"};

std::string OneCell(int field, char character, int64_t record) {
  ZbdEntry e{};
  e.entryKind = 1;
  e.character = static_cast<uint8_t>(character);
  std::strncpy(e.fieldName, kNames[field], sizeof e.fieldName - 1);
  e.fieldType = kFieldText;
  e.recordNumber = record;
  e.lastCharacter = 1;
  return std::string(reinterpret_cast<const char*>(&e), sizeof e);
}

char Letter(int64_t record, int field) {
  return static_cast<char>('a' + (record * 7 + field) % 26);
}

int64_t Cells() { return 10 * bench::Records(); }

// A database folder `name` whose value file `write` fills; returns the folder.
std::string MakeDatabase(const std::string& name,
                         const std::function<void(std::ofstream& out)>& write) {
  const std::string folder = bench::Folder("spread") + name + "/";
  if (std::filesystem::exists(folder + name + ".zbd")) return folder;
  std::filesystem::create_directories(folder);
  std::string definitions;
  for (const char* field : kNames) {
    Z04Record r{};
    r.recordKind = 1;
    std::strncpy(r.fieldName, field, sizeof r.fieldName - 1);
    r.fieldType = kFieldText;
    r.maxLength = 10;
    definitions.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  std::ofstream(folder + name + ".z04", std::ios::binary) << definitions;
  std::ofstream out(folder + name + ".zbd", std::ios::binary);
  write(out);
  out.close();
  bench::LetDatabaseSettle();
  return folder;
}

// The records of `fields` one-character fields, one after another, `records` of them.
void Ascending(std::ofstream& out, int64_t records, int fields) {
  for (int64_t r = 1; r <= records; ++r)
    for (int f = 0; f < fields; ++f) out << OneCell(f, Letter(r, f), r);
}

std::string OneBehind() {
  return MakeDatabase("Detras", [](std::ofstream& out) {
    const int64_t records = Cells() / 2;
    out << OneCell(0, Letter(1, 0), 1);
    for (int64_t r = 2; r <= records; ++r)
      out << OneCell(0, Letter(r, 0), r) << OneCell(0, 'Z', r - 1);
    out << OneCell(0, 'Z', records);
  });
}

std::string OneBehindAscending() {
  return MakeDatabase("DetrasOrden", [](std::ofstream& out) {
    for (int64_t r = 1; r <= Cells() / 2; ++r)
      out << OneCell(0, Letter(r, 0), r) << OneCell(0, 'Z', r);
  });
}

std::string ThreeDesks() {
  return MakeDatabase("TresPuestos", [](std::ofstream& out) {
    for (int64_t r = 1; r + 2 <= Cells() / 2; r += 3)
      for (int f = 0; f < 2; ++f)
        for (int64_t d = 0; d < 3; ++d) out << OneCell(f, Letter(r + d, f), r + d);
  });
}

std::string TwoFieldsAscending() {
  return MakeDatabase("DosOrden", [](std::ofstream& out) { Ascending(out, Cells() / 6 * 3, 2); });
}

std::string ByField() {
  return MakeDatabase("PorCampo", [](std::ofstream& out) {
    for (int f = 0; f < 3; ++f)
      for (int64_t r = 1; r <= Cells() / 3; ++r) out << OneCell(f, Letter(r, f), r);
  });
}

std::string ThreeFieldsAscending() {
  return MakeDatabase("TresOrden", [](std::ofstream& out) { Ascending(out, Cells() / 3, 3); });
}

int64_t HostileRecords() {
  const char* text = std::getenv("VELUNA_BENCH_HOSTILE_MB");
  const int64_t megabytes = text && *text ? std::atoll(text) : 100;
  return std::max<int64_t>(megabytes, 1) * 1000 * 1000 / kZbdEntryLength / 4;
}

std::string Hostile() {
  return MakeDatabase("Hostil" + std::to_string(HostileRecords()), [](std::ofstream& out) {
    const int64_t records = HostileRecords();
    for (int64_t r = 1; r <= records; ++r) out << OneCell(0, Letter(r, 0), r);
    std::string block;
    for (int64_t k = 0; k < 3 * records; ++k) {
      block += OneCell(1 + static_cast<int>(k % 2), 'x', 1 + (k * 7919) % records);
      if (block.size() > (1 << 20)) {
        out << block;
        block.clear();
      }
    }
    out << block;
  });
}

void Link(const std::string& folder) { linkedDatabaseFolder = folder; }

void Search(benchmark::State& state, std::string (*make)(), const char* kind) {
  const std::string folder = make();
  Link(folder);
  SearchCriteria criteria;
  criteria.fieldNames[0] = kNames[0];
  criteria.kinds[0] = kind;
  criteria.searchTexts[0] = "b";
  criteria.criteriaCount = 1;
  int64_t found = 0;
  for (auto _ : state) found = SearchRecordsOneField(criteria, {}).matchCount;
  state.counters["found"] = static_cast<double>(found);
  state.counters["records"] = static_cast<double>(GetLastRecordNumber());
}

#define SEARCH(name, make)                                                    \
  void BM_Search##name(benchmark::State& state) { Search(state, make, "="); } \
  BENCHMARK(BM_Search##name)->Unit(benchmark::kMillisecond)->UseRealTime();

SEARCH(OneBehind, OneBehind)
SEARCH(OneBehindAscending, OneBehindAscending)
SEARCH(ThreeDesks, ThreeDesks)
SEARCH(ThreeDesksAscending, TwoFieldsAscending)
SEARCH(ByField, ByField)
SEARCH(ByFieldAscending, ThreeFieldsAscending)

// The count of the hostile file as a run first reads it (its order found with one pass), and
// a "<>" search of it.
void BM_HostileFirstCount(benchmark::State& state) {
  Link(Hostile());
  int64_t count = 0;
  for (auto _ : state) {
    ForgetValueFileOrders();
    count = GetLastRecordNumber();
  }
  state.counters["records"] = static_cast<double>(count);
}
BENCHMARK(BM_HostileFirstCount)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_HostileSearch(benchmark::State& state) { Search(state, Hostile, "<>"); }
BENCHMARK(BM_HostileSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A browser's read of every 97th record of the file where every field is spread.
void BM_BrowserReadsByField(benchmark::State& state) {
  Link(ByField());
  const int64_t records = GetLastRecordNumber();
  for (auto _ : state)
    for (int64_t r = 1; r <= records; r += 97)
      benchmark::DoNotOptimize(ReadRecordFieldValue(kNames[2], r));
}
BENCHMARK(BM_BrowserReadsByField)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
