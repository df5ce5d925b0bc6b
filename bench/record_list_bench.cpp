// The record list of a large search result: bench::Records() found records of 7 fields written to the
// list file, the columns read from a generated database of values of 5 to 20 characters; then
// the same list with one record in ten lacking one of its values.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_records.h"
#include "database/records.h"
#include "database/search_results.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "search/record_list_file.h"

namespace {

struct BenchField {
  const char* name;
  int16_t type;
};
constexpr BenchField kFields[] = {{"Nombre", kFieldText},    {"Apellidos", kFieldText},
                                  {"Importe", kFieldNumber}, {"Ciudad", kFieldTextOther},
                                  {"Socio", kFieldYesNo},    {"Zona", kFieldListChoice},
                                  {"Notas", kFieldTextThird}};

// The value of a field in a record: 5 to 20 characters, as each type stores them.
std::string ValueOf(int field, int record) {
  switch (kFields[field].type) {
    case kFieldNumber:
      return std::to_string(1 + record % 900) + "." + std::to_string(100 + record % 900) + "'" +
             std::to_string(record % 10);
    case kFieldYesNo:
      return "00000" + std::to_string(record % 2);
    case kFieldListChoice:
      return "0000" + std::to_string(100 + record % 3);
    default:
      return std::string(5 + (record * 7 + field) % 16,
                         static_cast<char>('a' + (record + field) % 26));
  }
}

// The database folder Clientes/ in the benchmark's folder, linked. With `missingEvery`, every
// record whose number is a multiple of it has no value of the fourth field.
std::string MakeDatabase(int missingEvery) {
  const std::string folder = bench::Folder("list") + "Clientes/";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::ofstream definitions(folder + "Clientes.z04", std::ios::binary);
  for (const BenchField& f : kFields) {
    Z04Record r{};
    r.recordKind = 1;
    std::strncpy(r.fieldName, f.name, sizeof r.fieldName - 1);
    r.fieldType = f.type;
    r.maxLength = 20;
    std::strcpy(r.listText, "Norte|Sur|Este");
    definitions.write(reinterpret_cast<const char*>(&r), sizeof r);
  }
  std::ofstream cells(folder + "Clientes.zbd", std::ios::binary);
  for (int record = 1; record <= bench::Records(); ++record) {
    for (int field = 0; field < 7; ++field) {
      if (missingEvery > 0 && record % missingEvery == 0 && field == 3) continue;
      const std::string value = ValueOf(field, record);
      for (size_t i = 0; i < value.size(); ++i) {
        ZbdEntry e{};
        e.entryKind = 1;
        e.character = static_cast<uint8_t>(value[i]);
        std::strncpy(e.fieldName, kFields[field].name, sizeof e.fieldName - 1);
        e.fieldType = kFields[field].type;
        e.recordNumber = record;
        e.lastCharacter = i + 1 == value.size();
        cells.write(reinterpret_cast<const char*>(&e), sizeof e);
      }
    }
  }
  cells.close();
  linkedDatabaseFolder = folder;
  bench::LetDatabaseSettle();
  return folder;
}

void ListEveryRecord(benchmark::State& state, int missingEvery) {
  const std::string folder = MakeDatabase(missingEvery);
  const std::string lists = folder + "../lists/";
  std::filesystem::create_directories(lists);
  files::OverrideDataFolder(lists);
  foundRecords.assign(1, 0);
  for (int record = 1; record <= bench::Records(); ++record) foundRecords.push_back(record);
  foundCount = bench::Records();
  RecordListHooks hooks;
  hooks.open = [](std::string_view) {};
  for (auto _ : state) {
    state.PauseTiming();
    // The dialog's columns in the order they were applied; the list puts them in field order.
    listFieldNames.assign(8, ListFieldEntry{});
    listFieldCount = 7;
    for (int j = 1; j <= 7; ++j) {
      std::strcpy(listFieldNames[j].fieldName, kFields[7 - j].name);
      listFieldNames[j].reservedWidth = 12;
    }
    listFontSize = 8;
    listUpperCase = 1;
    listWithTotals = 1;
    state.ResumeTiming();
    const RecordListOutcome outcome = WriteRecordListRtf(hooks);
    state.PauseTiming();
    if (outcome.error != 0) state.SkipWithError("the list was not written");
    std::filesystem::remove(outcome.path);
    state.ResumeTiming();
  }
  std::filesystem::remove_all(bench::Folder("list"));
}

void BM_ListEveryRecordOfSevenFields(benchmark::State& state) { ListEveryRecord(state, 0); }
BENCHMARK(BM_ListEveryRecordOfSevenFields)->Unit(benchmark::kMillisecond);

// Each value a record lacks is looked for from the cursor on.
void BM_ListWithOneRecordInTenLackingAValue(benchmark::State& state) {
  ListEveryRecord(state, 10);
}
BENCHMARK(BM_ListWithOneRecordInTenLackingAValue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
