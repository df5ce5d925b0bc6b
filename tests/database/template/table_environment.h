// A template environment over small databases held in memory, for the tests, the fuzz target
// and the benchmark: field reads follow the template cell cursor as the template database
// reader does (a read starts at the cursor; the first completed read of a new record leaves
// the cursor on that value's first cell), and each database is also written as its two files
// into the data folder, where a script's database statement looks for it.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "database/records.h"
#include "database/template/template_language.h"

namespace templatetest {

struct FixtureField {
  FixtureField(std::string n, int16_t t, std::string list = "")
      : name(std::move(n)), type(t), listText(std::move(list)) {}
  std::string name;
  int16_t type;
  std::string listText;
};

struct FixtureDatabase {
  std::string name;
  std::vector<FixtureField> fields;
  std::vector<std::vector<std::string>> records;  // one value per field, "" for none
};

// The databases every case finds in its data folder. Texts are 1252.
inline std::vector<FixtureDatabase> FixtureDatabases() {
  FixtureDatabase socios{"Socios",
                         {{"Nombre", 3},
                          {"Apellido", 3},
                          {"Importe", 1},
                          {"Cuota", 2},
                          {"Activo", 4},
                          {"Notas", 5},
                          {"Alta", 8},
                          {"Color", 9, " rojo|verde|azul "},
                          {"Fonetico", 0},
                          {"Codigo", 6},
                          {"Ciudad natal", 3}},
                         {}};
  socios.records = {
      {"Ana", "P\xE9rez", "1.234'5", "10", "1", "Socia fundadora", "15/03/1980", "101", "ana",
       "A1", "Sevilla"},
      {"Luis", "G\xF3mez", "250", "20", "0", "", "01/02/1990", "100", "luis", "B2", "C\xE1" "diz"},
      {"Eva", "", "3'25", "30", "1", "Nueva", "29/02/2000", "102", "eva", "C3", "Madrid Centro"},
  };
  FixtureDatabase empty{"Vacia", {{"Nombre", 3}, {"Importe", 1}}, {}};
  FixtureDatabase other{"Otra base", {{"Titulo", 3}}, {{"Primero"}, {"Segundo"}}};
  return {socios, empty, other};
}

// A database of `records` records, a whole number field and a text field, for the benchmark.
inline FixtureDatabase GeneratedDatabase(const std::string& name, int records) {
  FixtureDatabase db{name, {{"Importe", 1}, {"Nombre", 3}}, {}};
  for (int r = 1; r <= records; ++r) {
    db.records.push_back({std::to_string(r % 1000), "Socio" + std::to_string(r)});
  }
  return db;
}

class TableEnvironment : public templates::TemplateEnvironment {
 public:
  struct Cell {
    const std::string* field;
    int64_t record;
    char character;
    bool last;
  };

  explicit TableEnvironment(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}

  // Holds the database in memory and writes its files into the data folder.
  void AddDatabase(const FixtureDatabase& db) {
    Table& table = tables_[db.name];
    table.fields = db.fields;
    table.cells.clear();
    std::string z04;
    for (const FixtureField& f : db.fields) z04 += FieldRecordBytes(f);
    std::string zbd;
    for (size_t r = 0; r < db.records.size(); ++r) {
      for (size_t k = 0; k < db.fields.size() && k < db.records[r].size(); ++k) {
        const std::string& value = db.records[r][k];
        for (size_t c = 0; c < value.size(); ++c) {
          const bool last = c + 1 == value.size();
          const int64_t record = static_cast<int64_t>(r + 1);
          table.cells.push_back({&table.fields[k].name, record, value[c], last});
          zbd += CellBytes(table.fields[k], value[c], record, last);
        }
      }
    }
    const std::string folder = dataFolder_ + db.name + "/";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + db.name + ".z04", std::ios::binary) << z04;
    std::ofstream(folder + db.name + ".zbd", std::ios::binary) << zbd;
  }

  void UseDatabase(const std::string& name) override { current_ = name; }

  int16_t FieldType(const std::string& field) override {
    int16_t type = 0;
    for (const FixtureField& f : Fields()) {
      if (f.name == field) type = f.type;
    }
    return type;
  }

  std::string FieldListText(const std::string& field) override {
    std::string list;
    for (const FixtureField& f : Fields()) {
      if (f.name == field && f.type == 9) list = f.listText;
    }
    return list;
  }

  std::string FieldValue(const std::string& field, int64_t record) override {
    ++fieldReads;
    const std::vector<Cell>& cells = Cells();
    std::string partial;
    int64_t first = 0;
    for (int64_t k = cursor; k >= 1 && k <= static_cast<int64_t>(cells.size()); ++k) {
      const Cell& cell = cells[static_cast<size_t>(k - 1)];
      if (*cell.field == field && cell.record == record) {
        if (partial.empty()) first = k;
        partial += cell.character;
        if (!cell.last) continue;
        if (record != cachedRecord) {
          cursor = first;
          cachedRecord = record;
        }
        return partial;
      }
      if (*cell.field != field) partial.clear();
    }
    return "No datos";
  }

  int64_t RecordCount() override {
    const std::vector<Cell>& cells = Cells();
    return cells.empty() ? 0 : cells.back().record;
  }

  void ResetCellCursor() override { cursor = 1; }
  templates::TemplateDate Today() override { return today; }
  std::string DataFolder() override { return dataFolder_; }
  int64_t BrowserRecord() override { return browserRecord; }

  int AppendOutputLine(const std::string& path, const std::string& line) override {
    return templates::AppendTemplateOutputLine(path, line);
  }
  void OpenOutputFile(const std::string& path) override { opened.push_back(path); }
  void ShowError(const std::string& message) override { shown.push_back(message); }

  templates::TemplateDate today{2024, 5, 20};
  int64_t browserRecord = 2;
  int64_t cursor = 1;
  int64_t cachedRecord = 0;
  int64_t fieldReads = 0;
  std::vector<std::string> opened;
  std::vector<std::string> shown;

 private:
  struct Table {
    std::vector<FixtureField> fields;
    std::vector<Cell> cells;
  };

  const std::vector<FixtureField>& Fields() const {
    static const std::vector<FixtureField> none;
    const auto it = tables_.find(current_);
    return it == tables_.end() ? none : it->second.fields;
  }
  const std::vector<Cell>& Cells() const {
    static const std::vector<Cell> none;
    const auto it = tables_.find(current_);
    return it == tables_.end() ? none : it->second.cells;
  }

  template <size_t N>
  static void CopyText(char (&to)[N], const std::string& from) {
    std::memset(to, 0, N);
    std::memcpy(to, from.data(), std::min(from.size(), N - 1));
  }

  static std::string FieldRecordBytes(const FixtureField& f) {
    Z04Record record{};
    CopyText(record.fieldName, f.name);
    record.fieldType = f.type;
    record.maxLength = 100;
    CopyText(record.listText, f.listText);
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
  }

  static std::string CellBytes(const FixtureField& f, char c, int64_t record, bool last) {
    ZbdEntry cell{};
    cell.character = static_cast<uint8_t>(c);
    CopyText(cell.fieldName, f.name);
    cell.fieldType = f.type;
    cell.maxLength = 100;
    cell.recordNumber = record;
    cell.lastCharacter = last ? 1 : 0;
    return std::string(reinterpret_cast<const char*>(&cell), sizeof cell);
  }

  std::string dataFolder_;
  std::string current_;
  std::map<std::string, Table> tables_;
};

}  // namespace templatetest
