// A value file with one damaged cell in the middle reads the same through every reader: the
// record browser's fill, the linked reader, the search's fetch, the template database and the
// record list's reads, each the way it goes through the file (the fill, the linked reader and
// the template reads jump to each record, the search and the list scan forward from their
// cursor). The cell joins the record its neighbours place it in, so every record reads as it was
// written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "search/field_fetch.h"
#include "search/linked_fields.h"
#include "search/search_engine.h"
#include "tests/database/database_test.h"
#include "tests/support/test_files.h"

namespace {

constexpr int64_t kRecords = 300;
const char* const kFields[] = {"Nombre", "Importe", "Pagado", "Ciudad"};

// Record r's value of field f as written; "" writes no cell. Every record starts and ends with
// a value of several characters (Nombre, Ciudad); some have no Importe.
std::string WrittenValue(int64_t r, int f) {
  switch (f) {
    case 0: return "Socio " + std::to_string(r);
    case 1: return r % 7 == 0 ? "" : std::to_string(r * 37 % 1000) + "'5";
    case 2: return r % 2 ? "1" : "0";
    default: return r % 3 ? "Madrid" : "Le\xF3n";
  }
}

std::string ShownValue(int64_t r, int f) {
  const std::string value = WrittenValue(r, f);
  return value.empty() ? kNoData : value;
}

// The cells of every record in order; `firstCells` receives the index of each record's first
// cell (from 1).
std::string WrittenCells(std::vector<int64_t>& firstCells) {
  std::string cells;
  firstCells.assign(1, 0);
  for (int64_t r = 1; r <= kRecords; ++r) {
    firstCells.push_back(static_cast<int64_t>(cells.size()) / kZbdEntryLength + 1);
    for (int f = 0; f < 4; ++f) {
      const std::string value = WrittenValue(r, f);
      for (size_t k = 0; k < value.size(); ++k)
        cells += EncodeValueCell(static_cast<uint8_t>(value[k]), 1, kFields[f], kFieldText, 40, 0,
                                 r, k + 1 == value.size() ? 1 : 0);
    }
  }
  return cells;
}

class DamagedValueFile : public databasetest::DatabaseTest {
 protected:
  void Link(const std::string& cells) {
    const std::string folder = testenv::NewFolder("damaged/Socios");
    std::string definitions;
    for (const char* name : kFields) {
      FieldDefinition field;
      field.fieldName = name;
      field.fieldType = kFieldText;
      field.maxLength = 40;
      definitions += EncodeFieldDefinition(field);
    }
    testfiles::WriteRaw(folder + "Socios.z04", definitions);
    testfiles::WriteRaw(folder + "Socios.zbd", cells);
    linkedDatabaseFolder = folder;
    programFolder = folder + "../";
    templateDatabaseName = "Socios";
  }

  // What a reader gives for every record, fields in definition order, records ascending.
  template <typename Read>
  std::vector<std::string> ReadAll(const Read& read) {
    std::vector<std::string> values;
    for (int64_t r = 1; r <= kRecords; ++r)
      for (int f = 0; f < 4; ++f) {
        const std::string value = read(r, f);
        values.push_back(value.empty() ? kNoData : value);
      }
    return values;
  }

  void ExpectEveryReaderReadsAsWritten() {
    std::vector<std::string> written;
    for (int64_t r = 1; r <= kRecords; ++r)
      for (int f = 0; f < 4; ++f) written.push_back(ShownValue(r, f));

    objectCount = 1;
    std::vector<PageObject*> boxes;
    for (const char* name : kFields) boxes.push_back(&Add(kAdminControl, name));
    const auto browser = ReadAll([&](int64_t r, int f) {
      if (f == 0) {
        for (PageObject* box : boxes) SetFixedField(box->fillText, "");
        EXPECT_EQ(ShowBrowserPosition(r), r);
      }
      return std::string(FixedFieldText(boxes[static_cast<size_t>(f)]->fillText));
    });
    const auto linked =
        ReadAll([](int64_t r, int f) { return ReadRecordFieldValue(kFields[f], r); });
    // The search and the list read the file in blocks of their own; a linked field read too.
    searchCellCursor = 1;
    ValueCellFile searchCells(LinkedValuePath(), kSearchBlockCells);
    const auto search = ReadAll([&](int64_t r, int f) {
      return ReadFieldValueForSearch(searchCells, kFields[f], r, "x", ComparisonKind::contains);
    });
    templateCellCursor = 1;
    const auto templates =
        ReadAll([](int64_t r, int f) { return ReadTemplateFieldValue(kFields[f], r); });
    std::vector<std::vector<std::string>> lists;
    for (int blockCells : {kRecordListBlockCells, kLinkedFieldBlockCells}) {
      searchCellCursor = 1;
      ValueCellFile listCells(LinkedValuePath(), blockCells);
      lists.push_back(ReadAll(
          [&](int64_t r, int f) { return ReadLinkedFieldValue(listCells, kFields[f], r); }));
    }

    struct Reader {
      const char* name;
      const std::vector<std::string>& values;
    };
    for (const Reader& reader : {Reader{"browser", browser}, Reader{"linked reader", linked},
                                 Reader{"search", search}, Reader{"template", templates},
                                 Reader{"list", lists[0]},
                                 Reader{"list in linked field blocks", lists[1]}}) {
      int wrong = 0;
      std::string first;
      for (size_t k = 0; k < written.size(); ++k) {
        if (reader.values[k] == written[k]) continue;
        if (wrong++ == 0)
          first = "record " + std::to_string(k / 4 + 1) + " " + kFields[k % 4] + " reads '" +
                  reader.values[k] + "', written '" + written[k] + "'";
      }
      EXPECT_EQ(wrong, 0) << reader.name << ", the first: " << first;
    }

    // A search for a record after the damaged cell finds it, and it alone.
    SearchCriteria criteria;
    criteria.fieldNames[0] = "Nombre";
    criteria.kinds[0] = "=";
    criteria.searchTexts[0] = WrittenValue(kRecords - 1, 0);
    criteria.criteriaCount = 1;
    EXPECT_EQ(SearchRecordsOneField(criteria, {}).matchCount, 1);
    EXPECT_EQ(foundRecords.back(), kRecords - 1);
  }
};

TEST_F(DamagedValueFile, OneBadRecordNumberLeavesEveryRecordReadingAsWritten) {
  std::vector<int64_t> first;
  const std::string good = WrittenCells(first);
  const int64_t middle = kRecords / 2;
  struct Case {
    const char* what;
    int64_t cell;
    int64_t record;
  };
  const Case cases[] = {
      {"a cell inside a value naming 2^62", first[middle] + 2, int64_t{1} << 62},
      {"a cell inside a value naming record 1", first[middle] + 2, 1},
      {"a record's last cell naming 2^62", first[middle + 1] - 1, int64_t{1} << 62},
      {"a record's first cell naming 2^62", first[middle], int64_t{1} << 62},
      {"a record's first cell naming record 1", first[middle], 1},
      {"a record's last cell naming record 1", first[middle + 1] - 1, 1},
      {"a negative record", first[middle] + 5, -(int64_t{1} << 62)},
      // The cells on either side of the blocks the readers read.
      {"the last cell of a search's block", kSearchBlockCells, int64_t{1} << 62},
      {"the first cell of a search's second block", kSearchBlockCells + 1, int64_t{1} << 62},
      {"the last cell of a linked field read's third block", 3 * kLinkedFieldBlockCells, 1},
      {"the first cell of a record read's sixth block", 5 * kRecordBlockCells + 1, 1},
      {"the first cell of the file", 1, int64_t{1} << 62},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string damaged = good;
    const size_t at = static_cast<size_t>(c.cell - 1) * kZbdEntryLength + 40;
    for (int b = 0; b < 8; ++b) damaged[at + b] = static_cast<char>((c.record >> (8 * b)) & 0xFF);
    Link(damaged);
    ASSERT_EQ(GetLastRecordNumber(), kRecords);
    ExpectEveryReaderReadsAsWritten();
  }
}

}  // namespace
