// The record search over a hostile database folder: the field-definition file and the value
// file hold whatever the input gives; the fetch of the criteria's fields, in the order of their
// definitions, gives each record's values as the record browser reads them. Input: one byte for
// the number of criteria, three for their kinds and texts, two for the length of the
// field-definition file, its bytes, and the value file's bytes after them.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_files.h"
#include "database/records.h"
#include "page/settings.h"
#include "search/comparison.h"
#include "search/field_definitions.h"
#include "search/field_fetch.h"
#include "search/linked_fields.h"
#include "search/search_criteria.h"
#include "search/search_engine.h"

namespace {

const char* const kTexts[] = {"5",    "a",  "A", "12",   "05", "x",   "-1",  "&H10",
                              "12.5", "ab", " ", "\xE1", "0",  "Ana", "1e3", "zz"};

const std::string& Folder() {
  static const std::string folder = [] {
    const auto path = std::filesystem::temp_directory_path() /
                      ("veluna-search-fuzz-" + std::to_string(getpid())) / "Fuzz";
    std::filesystem::create_directories(path);
    return path.string() + "/";
  }();
  return folder;
}

void Write(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t definitionLength = std::min<size_t>(data[4] | (data[5] << 8), size - 6);
  const std::string_view definitions = input.substr(6, definitionLength);
  Write(Folder() + "Fuzz.z04", definitions);
  Write(Folder() + "Fuzz.zbd", input.substr(6 + definitionLength));
  linkedDatabaseFolder = Folder();

  // Criteria on the fields the file defines first, or on names the cells may carry.
  SearchCriteria criteria;
  criteria.criteriaCount = static_cast<int16_t>(1 + data[0] % 3);
  const char* const names[] = {"A", "B", "C"};
  for (size_t i = 0; i < 3; ++i) {
    criteria.fieldNames[i] = names[i];
    if (definitions.size() >= (i + 1) * sizeof(Z04Record)) {
      Z04Record record;
      std::memcpy(&record, definitions.data() + i * sizeof record, sizeof record);
      criteria.fieldNames[i] = std::string(FieldNameOf(record));
    }
    // Each kind's symbol, or none: a criterion with no kind.
    constexpr size_t kKinds = kComparisonKinds.size();
    const uint8_t pick = data[1 + i];
    const size_t kind = pick % (kKinds + 1);
    criteria.kinds[i] = kind < kKinds ? kComparisonKinds[kind].symbol : "";
    criteria.searchTexts[i] = kTexts[pick >> 4];
  }
  const SearchCriteria given = criteria;
  ReorderCriteriaByFieldOrder(criteria, criteria.criteriaCount);
  SearchRecordsOneField(given, {});
  SearchRecordsTwoFields(given, {});
  SearchRecordsThreeFields(criteria,
                           [](int64_t record, int64_t last) { SearchProgressText(record, last); });
  const int64_t count = CountSearchDatabaseRecords();

  // Fetched from the cursor in the order of their definitions, distinct fields give what a read
  // of the record gives.
  std::vector<std::string> fields;
  for (int16_t i = 0; i < criteria.criteriaCount; ++i)
    if (std::find(fields.begin(), fields.end(), criteria.fieldNames[i]) == fields.end())
      fields.push_back(criteria.fieldNames[i]);
  const std::vector<size_t> order =
      OrderByFieldDefinitions(linkedDatabaseFolder + "Fuzz.z04", fields);
  searchCellCursor = 1;
  {
    ValueCellFile cells(linkedDatabaseFolder + "Fuzz.zbd", 16, BlockOrder::inOrder);
    for (int64_t record = 1; record <= std::min<int64_t>(count, 64); ++record)
      for (const size_t k : order)
        if (ScanFieldValue(cells, fields[k], record, {}) !=
            ScanRecordFieldValue(linkedDatabaseFolder + "Fuzz.zbd", fields[k], record))
          __builtin_trap();
  }

  searchCellCursor = 1;
  for (int64_t record = 1; record <= 3; ++record)
    for (const std::string& name : criteria.fieldNames) ReadLinkedFieldValue(name, record);
  std::array<ListFieldEntry, 3> columns{};
  for (size_t i = 0; i < 3; ++i)
    std::strncpy(columns[i].fieldName, given.fieldNames[i].c_str(), 30);
  ReorderListFieldsByFieldOrder(columns, 3);
  for (const std::string& name : given.fieldNames) {
    GetLinkedFieldListText(name);
    FindLinkedFieldType(name);
    IsLinkedFieldTypeFour(name);
    IsLinkedFieldTypeOneOrTwo(name);
  }
  return 0;
}
