// The template environment the tests, the fuzz target and the benchmark run scripts in: the
// template database readers over real database folders written into a data folder of their
// own, a fixed date and browser record, and a record of what the run showed and opened.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "database/database_files.h"
#include "database/linked_database.h"
#include "database/template/template_language.h"
#include "database/template_database.h"
#include "page/page_store.h"

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

// Writes the database as <folder><name>/<name>.z04 and .zbd.
inline void WriteFixtureDatabase(const std::string& folder, const FixtureDatabase& db) {
  std::string definitions;
  std::string cells;
  for (const FixtureField& f : db.fields) {
    definitions += EncodeFieldDefinition({1, f.name, f.type, 100, 0, f.listText});
  }
  for (size_t r = 0; r < db.records.size(); ++r) {
    for (size_t k = 0; k < db.fields.size() && k < db.records[r].size(); ++k) {
      const std::string& value = db.records[r][k];
      for (size_t c = 0; c < value.size(); ++c) {
        cells += EncodeValueCell(static_cast<uint8_t>(value[c]), 1, db.fields[k].name,
                                 db.fields[k].type, 100, 0, static_cast<int64_t>(r + 1),
                                 c + 1 == value.size() ? 1 : 0);
      }
    }
  }
  std::filesystem::create_directories(folder + db.name);
  const std::string base = folder + db.name + "/" + db.name;
  std::ofstream(base + ".z04", std::ios::binary) << definitions;
  std::ofstream(base + ".zbd", std::ios::binary) << cells;
}

// The environment as the designer binds it, with the template database readers; the data
// folder is where the readers find template databases (the program folder they use).
class FixtureEnvironment : public TemplateDatabaseEnvironment {
 public:
  explicit FixtureEnvironment(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {
    ResetDatabaseReaders();
    programFolder = dataFolder_;
  }

  templates::TemplateDate Today() override { return today; }
  std::string DataFolder() override { return dataFolder_; }
  int64_t BrowserRecord() override { return browserRecord; }
  int AppendOutputLine(const std::string& path, const std::string& line, bool& partLeft) override {
    return templates::AppendTemplateOutputLine(path, line, &partLeft);
  }
  void OpenOutputFile(const std::string& path) override { opened.push_back(path); }
  void ShowError(const std::string& message, bool scriptMissing) override {
    shown.push_back(message);
    if (scriptMissing) missingScripts.push_back(message);
  }

  templates::TemplateDate today{2024, 5, 20};
  int64_t browserRecord = 2;
  std::vector<std::string> opened;
  std::vector<std::string> shown;
  std::vector<std::string> missingScripts;  // of the messages shown, those of a missing script

 private:
  std::string dataFolder_;
};

}  // namespace templatetest
