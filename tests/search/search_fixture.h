// What the search tests share: a linked database folder written from a list of fields and the
// values of each record, raw value cells for the damaged files, and a fixture that starts each
// test on a program that has not searched yet.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "database/search_results.h"
#include "platform/ui/ui.h"
#include "search/dialogs/search_dialog.h"
#include "search/field_fetch.h"
#include "search/search_engine.h"
#include "page/settings.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace searchtest {

struct Field {
  Field(std::string name, int16_t type = kFieldText, int32_t recordKind = 1,
        std::string listText = {})
      : name(std::move(name)), type(type), recordKind(recordKind), listText(std::move(listText)) {}
  std::string name;
  int16_t type;
  int32_t recordKind;
  std::string listText;
};

// Each record's values, one a field in field order; "" stores no cell.
using Records = std::vector<std::vector<std::string>>;

inline std::string DefinitionBytes(const std::vector<Field>& fields) {
  std::string bytes;
  for (const Field& f : fields) {
    Z04Record r{};
    r.recordKind = f.recordKind;
    std::strncpy(r.fieldName, f.name.c_str(), sizeof r.fieldName - 1);
    r.fieldType = f.type;
    r.maxLength = 40;
    std::strncpy(r.listText, f.listText.c_str(), sizeof r.listText - 1);
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  return bytes;
}

inline std::string CellBytes(std::string_view field, char character, int64_t record, int32_t last) {
  ZbdEntry e{};
  e.entryKind = 1;
  e.character = static_cast<uint8_t>(character);
  std::memcpy(e.fieldName, field.data(), std::min(field.size(), sizeof e.fieldName));
  e.fieldType = kFieldText;
  e.recordNumber = record;
  e.lastCharacter = last;
  return std::string(reinterpret_cast<const char*>(&e), sizeof e);
}

// The cells of a value, the last one marked.
inline std::string ValueBytes(std::string_view field, std::string_view value, int64_t record) {
  std::string bytes;
  for (size_t k = 0; k < value.size(); ++k)
    bytes += CellBytes(field, value[k], record, k + 1 == value.size());
  return bytes;
}

inline std::string CellsOf(const std::vector<Field>& fields, const Records& records) {
  std::string bytes;
  for (size_t r = 0; r < records.size(); ++r)
    for (size_t f = 0; f < fields.size() && f < records[r].size(); ++f)
      bytes += ValueBytes(fields[f].name, records[r][f], static_cast<int64_t>(r + 1));
  return bytes;
}

// A database folder named `name` with these two files, linked.
inline std::string LinkRawDatabase(const std::string& name, const std::string& definitions,
                                   const std::string& cells) {
  const std::string folder = testenv::NewFolder(name);
  testfiles::WriteRaw(folder + name + ".z04", definitions);
  testfiles::WriteRaw(folder + name + ".zbd", cells);
  linkedDatabaseFolder = folder;
  return folder;
}

inline std::string LinkDatabase(const std::string& name, const std::vector<Field>& fields,
                                const Records& records) {
  return LinkRawDatabase(name, DefinitionBytes(fields), CellsOf(fields, records));
}

inline std::vector<int64_t> Found() {
  return std::vector<int64_t>(foundRecords.begin() + 1, foundRecords.begin() + 1 + foundCount);
}

inline SearchCriteria Criteria(std::vector<std::string> names, std::vector<std::string> kinds,
                               std::vector<std::string> texts) {
  SearchCriteria c;
  for (size_t i = 0; i < names.size() && i < 3; ++i) {
    c.fieldNames[i] = names[i];
    c.kinds[i] = kinds[i];
    c.searchTexts[i] = texts[i];
  }
  c.criteriaCount = static_cast<int16_t>(names.size());
  return c;
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    ResetSearchState();
    ResetSearchDialogState();
    onSearchFetch = nullptr;
  }
  void TearDown() override {
    EXPECT_TRUE(ui::testing::Unexpected().empty());
    onSearchFetch = nullptr;
    linkedDatabaseFolder.clear();
  }
};

}  // namespace searchtest
