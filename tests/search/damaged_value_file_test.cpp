// Value files as desks capturing at once and damage leave them, read through every reader: the
// record browser's fill, the linked reader, the search's fetch, the template database and the
// record list's reads, each the way it goes through the file (the fill, the linked reader and
// the template reads jump to each record, the search and the list scan forward from their
// cursor). Every reader gives what the scan from the file's first cell gives
// (tests/database/value_file_model.h), the search finds the records that scan finds, and a
// capture afterwards takes the number after the record count and reads back whole.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "database/capture.h"
#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "platform/files/files.h"
#include "search/field_fetch.h"
#include "search/linked_fields.h"
#include "search/search_engine.h"
#include "tests/database/database_test.h"
#include "tests/database/value_file_model.h"
#include "tests/support/test_files.h"

namespace {

const std::vector<std::string> kFields = {"Nombre", "Importe", "Pagado", "Ciudad"};

// Record r's value of field f as a desk writes it; "" writes no cell. Every record starts and
// ends with a value of several characters (Nombre, Ciudad); some have no Importe.
std::string WrittenValue(int64_t r, size_t f) {
  switch (f) {
    case 0: return "Socio " + std::to_string(r);
    case 1: return r % 7 == 0 ? "" : std::to_string(r * 37 % 1000) + "'5";
    case 2: return r % 2 ? "1" : "0";
    default: return r % 3 ? "Madrid" : "Le\xF3n";
  }
}

std::string Cell(const std::string& name, char c, int64_t record, bool last) {
  return EncodeValueCell(static_cast<uint8_t>(c), 1, name, kFieldText, 40, 0, record, last ? 1 : 0);
}

// The cells of one value, each a cell of its own.
std::vector<std::string> ValueCells(const std::string& name, const std::string& value,
                                    int64_t record) {
  std::vector<std::string> cells;
  for (size_t k = 0; k < value.size(); ++k)
    cells.push_back(Cell(name, value[k], record, k + 1 == value.size()));
  return cells;
}

// The cells of record r as one desk writes them, in field order.
std::vector<std::string> RecordCells(int64_t r) {
  std::vector<std::string> cells;
  for (size_t f = 0; f < kFields.size(); ++f)
    for (std::string& c : ValueCells(kFields[f], WrittenValue(r, f), r)) cells.push_back(c);
  return cells;
}

// The cells of record `written`'s values as a desk that numbered them `number` writes them.
std::vector<std::string> RecordCellsNumbered(int64_t written, int64_t number) {
  std::vector<std::string> cells;
  for (size_t f = 0; f < kFields.size(); ++f)
    for (std::string& c : ValueCells(kFields[f], WrittenValue(written, f), number))
      cells.push_back(c);
  return cells;
}

// What a reader gives for records 1 to `records`, fields in definition order.
std::vector<std::string> ReadAll(int64_t records,
                                 const std::function<std::string(int64_t, size_t)>& read) {
  std::vector<std::string> values;
  for (int64_t r = 1; r <= records; ++r)
    for (size_t f = 0; f < kFields.size(); ++f) {
      const std::string value = read(r, f);
      values.push_back(value.empty() ? kNoData : value);
    }
  return values;
}

// What the record browser shows of records 1 to n as written, fields in definition order.
std::vector<std::string> WrittenRecords(int64_t n) { return ReadAll(n, WrittenValue); }

std::string Join(const std::vector<std::string>& cells) {
  std::string bytes;
  for (const std::string& c : cells) bytes += c;
  return bytes;
}

// Records 1 to n, one after another; `firstCells` receives the index of each record's first cell.
std::string Records(int64_t n, std::vector<int64_t>* firstCells = nullptr) {
  std::string bytes;
  if (firstCells) firstCells->assign(1, 0);
  for (int64_t r = 1; r <= n; ++r) {
    if (firstCells) firstCells->push_back(static_cast<int64_t>(bytes.size()) / kZbdEntryLength + 1);
    bytes += Join(RecordCells(r));
  }
  return bytes;
}

// Two desks writing at once, a cell each in turn, as long as both have cells.
std::string Interleaved(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::string bytes;
  for (size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
    if (k < a.size()) bytes += a[k];
    if (k < b.size()) bytes += b[k];
  }
  return bytes;
}

// The record number of cell `cell` (from 1) set to `record`.
std::string WithRecord(std::string bytes, int64_t cell, int64_t record) {
  const size_t at = static_cast<size_t>(cell - 1) * kZbdEntryLength + 40;
  for (int b = 0; b < 8; ++b) bytes[at + b] = static_cast<char>((record >> (8 * b)) & 0xFF);
  return bytes;
}

std::string Zeros(int cells) {
  return std::string(static_cast<size_t>(cells) * kZbdEntryLength, '\0');
}

class ValueFileReaders : public databasetest::DatabaseTest {
 protected:
  void Link(const std::string& cells) {
    const std::string folder = testenv::NewFolder("damaged/Socios");
    std::string definitions;
    for (const std::string& name : kFields) {
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

  // Every reader against the model of the file linked, whose record count is `count`; returns
  // the model's values.
  std::vector<std::string> ExpectEveryReaderReadsAsTheModel(const std::string& bytes,
                                                            int64_t count) {
    const std::vector<valuemodel::Cell> cells = valuemodel::CellsOf(bytes);
    const std::vector<int64_t> records = valuemodel::RecordsRead(cells);
    EXPECT_EQ(GetLastRecordNumber(), count);
    EXPECT_EQ(CountSearchDatabaseRecords(), count);
    EXPECT_EQ(CountTemplateRecords(), count);
    const std::vector<std::string> model = ReadAll(count, [&](int64_t r, size_t f) {
      return valuemodel::ValueOf(cells, records, kFields[f], r);
    });

    objectCount = 1;
    std::vector<PageObject*> boxes;
    for (const std::string& name : kFields) boxes.push_back(&Add(kAdminControl, name.c_str()));
    const auto browser = ReadAll(count, [&](int64_t r, size_t f) {
      if (f == 0) {
        for (PageObject* box : boxes) SetFixedField(box->fillText, "");
        EXPECT_EQ(ShowBrowserPosition(r), r);
      }
      return std::string(FixedFieldText(boxes[f]->fillText));
    });
    const auto linked =
        ReadAll(count, [](int64_t r, size_t f) { return ReadRecordFieldValue(kFields[f], r); });
    // The search and the list read the file in blocks of their own; a linked field read too.
    searchCellCursor = 1;
    ValueCellFile searchCells(LinkedValuePath(), kSearchBlockCells, BlockOrder::inOrder);
    const auto search = ReadAll(count, [&](int64_t r, size_t f) {
      return ReadFieldValueForSearch(searchCells, kFields[f], r, "x", ComparisonKind::contains);
    });
    templateCellCursor = 1;
    cachedRecordNumber = 0;
    const auto templates =
        ReadAll(count, [](int64_t r, size_t f) { return ReadTemplateFieldValue(kFields[f], r); });
    std::vector<std::vector<std::string>> lists;
    for (int blockCells : {kRecordListBlockCells, kLinkedFieldBlockCells}) {
      searchCellCursor = 1;
      ValueCellFile listCells(LinkedValuePath(), blockCells);
      lists.push_back(ReadAll(count, [&](int64_t r, size_t f) {
        return ReadLinkedFieldValue(listCells, kFields[f], r);
      }));
    }

    struct Reader {
      const char* name;
      const std::vector<std::string>& values;
    };
    for (const Reader& reader :
         {Reader{"browser", browser}, Reader{"linked reader", linked}, Reader{"search", search},
          Reader{"template", templates}, Reader{"list", lists[0]},
          Reader{"list in linked field blocks", lists[1]}}) {
      int wrong = 0;
      std::string first;
      for (size_t k = 0; k < model.size(); ++k) {
        if (reader.values[k] == model[k]) continue;
        if (wrong++ == 0)
          first = "record " + std::to_string(k / kFields.size() + 1) + " " +
                  kFields[k % kFields.size()] + " reads '" + reader.values[k] + "', the scan '" +
                  model[k] + "'";
      }
      EXPECT_EQ(wrong, 0) << reader.name << ", the first: " << first;
    }

    ExpectTheSearchesFindTheModelsValues(model, count);
    return model;
  }

  // The searches of one, two and three fields, each "=" with a record's values, find the records
  // whose values the model gives: every record's in a small file, else the first, the middle
  // and the last record's.
  void ExpectTheSearchesFindTheModelsValues(const std::vector<std::string>& model, int64_t count) {
    const auto valueOf = [&](int64_t r, size_t f) {
      return model[static_cast<size_t>(r - 1) * kFields.size() + f];
    };
    std::vector<int64_t> asked;
    for (int64_t r = 1; r <= count; ++r)
      if (count <= 12 || r == 1 || r == count / 2 || r == count) asked.push_back(r);
    for (const int64_t r : asked) {
      std::vector<size_t> fields;  // the record's fields with a value, in field order
      for (size_t f = 0; f < kFields.size() && fields.size() < 3; ++f)
        if (valueOf(r, f) != kNoData) fields.push_back(f);
      for (size_t n = 1; n <= fields.size(); ++n) {
        SearchCriteria criteria;
        for (size_t k = 0; k < n; ++k) {
          criteria.fieldNames[k] = kFields[fields[k]];
          criteria.kinds[k] = "=";
          criteria.searchTexts[k] = valueOf(r, fields[k]);
        }
        criteria.criteriaCount = static_cast<int16_t>(n);
        std::vector<int64_t> expected;
        for (int64_t q = 1; q <= count; ++q) {
          bool meets = true;
          for (size_t k = 0; k < n; ++k) meets &= valueOf(q, fields[k]) == valueOf(r, fields[k]);
          if (meets) expected.push_back(q);
        }
        if (n == 1) SearchRecordsOneField(criteria, {});
        if (n == 2) SearchRecordsTwoFields(criteria, {});
        if (n == 3) SearchRecordsThreeFields(criteria, {});
        EXPECT_EQ(std::vector<int64_t>(foundRecords.begin() + 1, foundRecords.end()), expected)
            << "record " << r << ", " << n << " fields";
      }
    }
  }

  // A capture after it takes the number after the count and reads back whole.
  void ExpectACaptureTakesTheNextNumber() {
    const int64_t count = GetLastRecordNumber();
    std::vector<CapturedValue> values;
    for (size_t f = 0; f < kFields.size(); ++f)
      values.push_back({kFields[f], "Nueva" + std::to_string(f)});
    const ArchiveResult archived = ArchiveCapturedForm(values);
    ASSERT_TRUE(archived.written) << archived.message;
    EXPECT_EQ(archived.recordNumber, count + 1);
    EXPECT_EQ(GetLastRecordNumber(), count + 1);
    for (size_t f = 0; f < kFields.size(); ++f)
      EXPECT_EQ(ReadRecordFieldValue(kFields[f], count + 1), "Nueva" + std::to_string(f));
  }
};

TEST_F(ValueFileReaders, DesksThatCapturedAtOnceAndDamagedCellsReadAsTheScanFromTheFirstCell) {
  const std::string records = Records(300);
  const int64_t lastCell = static_cast<int64_t>(records.size()) / kZbdEntryLength;
  // Two desks, each writing a whole value at a time, or a character at a time, into the file
  // after a record of its own.
  std::string byField = Records(1);
  std::string byCharacter = Records(1);
  std::string lagging = Records(1);
  {
    std::vector<std::vector<std::string>> a, b;
    for (size_t f = 0; f < kFields.size(); ++f) {
      a.push_back(ValueCells(kFields[f], WrittenValue(2, f), 2));
      b.push_back(ValueCells(kFields[f], WrittenValue(3, f), 3));
    }
    for (size_t f = 0; f < kFields.size(); ++f) byField += Join(a[f]) + Join(b[f]);
    byCharacter += Interleaved(RecordCells(2), RecordCells(3));
    // The second desk writes three records while the first writes one.
    std::vector<std::string> later;
    for (int64_t r = 3; r <= 5; ++r)
      for (std::string& c : RecordCells(r)) later.push_back(c);
    lagging += Interleaved(RecordCells(2), later);
  }
  // Two desks that took the same number: the one writes its record's values while the other
  // writes its own, a character each in turn.
  const std::string oneNumber =
      Join(RecordCells(1)) + Interleaved(RecordCellsNumbered(2, 2), RecordCellsNumbered(3, 2));
  // A desk begins record 5 after the first cell of another desk's record 4, and writes one cell.
  std::string begunEarly = Records(3);
  {
    const std::vector<std::string> four = RecordCells(4);
    begunEarly += four[0] + Cell("Pagado", '1', 5, true);
    for (size_t k = 1; k < four.size(); ++k) begunEarly += four[k];
  }
  // Many pairs of records, each pair two desks' written a character each in turn.
  std::string pairs = Records(1);
  for (int64_t r = 2; r < 60; r += 2) pairs += Interleaved(RecordCells(r), RecordCells(r + 1));
  struct Case {
    const char* what;
    std::string cells;
    int64_t count;
    // Every value as its desk wrote it: the records 1 to `count` of WrittenRecords.
    bool readsAsWritten;
  };
  const Case cases[] = {
      {"two desks, a value each in turn", byField, 3, true},
      {"two desks, a character each in turn", byCharacter, 3, true},
      {"a desk that writes three records while another writes one", lagging, 5, true},
      {"many pairs of records of two desks, a character each in turn", pairs, 59, true},
      {"two desks that gave one number, a character each in turn", oneNumber, 2, false},
      {"a record begun while another was written", begunEarly, 5, false},
      {"the last cell naming record 0", WithRecord(records, lastCell, 0), 300, false},
      {"the last cell naming record 1", WithRecord(records, lastCell, 1), 300, false},
      {"the last cell naming record 2^62", WithRecord(records, lastCell, int64_t{1} << 62), 300,
       false},
      // Cells inside values of records 100 and 200 naming records far past every record.
      {"two cells numbered far past every record",
       WithRecord(WithRecord(records, lastCell / 3 + 2, lastCell / 3), 2 * lastCell / 3 + 2,
                  2 * lastCell / 3),
       300, true},
      {"zero cells before the records", Zeros(20) + Records(5), 5, true},
      {"zero cells ending in a cell naming record 2^62",
       WithRecord(Zeros(2000), 2000, int64_t{1} << 62), 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Link(c.cells);
    ASSERT_EQ(GetLastRecordNumber(), c.count);
    const std::vector<std::string> model = ExpectEveryReaderReadsAsTheModel(c.cells, c.count);
    if (c.readsAsWritten) {
      EXPECT_EQ(model, WrittenRecords(c.count));
    }
    ExpectACaptureTakesTheNextNumber();
  }
}

// Records that two desks gave one number, or whose fields a desk wrote out of their order, read
// the same in every reader as in the record browser; a record begun while another was being
// written counts, so the next capture takes a number of its own.
TEST_F(ValueFileReaders, RecordsOfOneNumberAndFieldsOutOfOrderReadAsTheBrowserShowsThem) {
  struct Case {
    const char* what;
    std::string cells;
    int64_t count;
    std::vector<std::string> shown;  // records 1 to count, fields in definition order
  };
  const std::string none = kNoData;
  const Case cases[] = {
      {"a desk writes Importe q of record 2, another Nombre n and Importe l of record 2",
       Join(RecordCells(1)) + Join(ValueCells("Importe", "q", 2)) +
           Join(ValueCells("Nombre", "n", 2)) + Join(ValueCells("Importe", "l", 2)),
       2,
       {"Socio 1", "37'5", "1", "Madrid", "n", "q", none, none}},
      {"Importe 5, Pagado 1 and Nombre AB of record 1",
       Join(ValueCells("Importe", "5", 1)) + Join(ValueCells("Pagado", "1", 1)) +
           Join(ValueCells("Nombre", "AB", 1)),
       1,
       {"AB", "5", "1", none}},
      {"Nombre A of record 1, Importe 5 of record 2, Pagado 1 of record 1",
       Join(ValueCells("Nombre", "A", 1)) + Join(ValueCells("Importe", "5", 2)) +
           Join(ValueCells("Pagado", "1", 1)),
       2,
       {"A", none, "1", none, none, "5", none, none}},
      // No writer numbers a record more than one past every record before it: the cell of
      // record 5 counts nothing, and reads as a damaged cell does, here as no record's.
      {"Nombre ABC of record 1, Nombre D and Importe 5 of 2, Pagado 1 of 5, Pagado 1 of 1",
       Join(ValueCells("Nombre", "ABC", 1)) + Join(ValueCells("Nombre", "D", 2)) +
           Join(ValueCells("Importe", "5", 2)) + Join(ValueCells("Pagado", "1", 5)) +
           Join(ValueCells("Pagado", "1", 1)),
       2,
       {"ABC", none, "1", none, "D", "5", none, none}},
      // Records that go on from the higher number read as they stand.
      {"records 1 and 2, then records 5, 6 and 7",
       Join(RecordCells(1)) + Join(RecordCells(2)) + Join(RecordCells(5)) + Join(RecordCells(6)) +
           Join(RecordCells(7)),
       7,
       [] {
         std::vector<std::string> shown = WrittenRecords(7);
         std::fill(shown.begin() + 2 * 4, shown.begin() + 4 * 4, kNoData);
         return shown;
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Link(c.cells);
    EXPECT_EQ(ExpectEveryReaderReadsAsTheModel(c.cells, c.count), c.shown);
    ExpectACaptureTakesTheNextNumber();
  }
}

TEST_F(ValueFileReaders, TheExamplesReadAsTheirDesksWroteThem) {
  // Nombre "A" of record 1, Nombre "C" of record 2, Ciudad "B" of record 1, Ciudad "D" of 2.
  Link(Cell("Nombre", 'A', 1, true) + Cell("Nombre", 'C', 2, true) + Cell("Ciudad", 'B', 1, true) +
       Cell("Ciudad", 'D', 2, true));
  EXPECT_EQ(GetLastRecordNumber(), 2);
  const std::pair<int64_t, const char*> expected[] = {{1, "B"}, {2, "D"}};
  for (const auto& [record, ciudad] : expected) {
    EXPECT_EQ(ReadRecordFieldValue("Ciudad", record), ciudad);
    std::string filled;
    for (const auto& [name, value] : ReadRecordValues(LinkedValuePath(), record))
      if (name == "Ciudad") filled = value;
    EXPECT_EQ(filled, ciudad);
  }
  ExpectEveryReaderReadsAsTheModel(Cell("Nombre", 'A', 1, true) + Cell("Nombre", 'C', 2, true) +
                                       Cell("Ciudad", 'B', 1, true) + Cell("Ciudad", 'D', 2, true),
                                   2);

  // The last record's last cell naming record 0: the 300 records stay, the last one whole.
  const std::string records = Records(300);
  const int64_t lastCell = static_cast<int64_t>(records.size()) / kZbdEntryLength;
  Link(WithRecord(records, lastCell, 0));
  EXPECT_EQ(GetLastRecordNumber(), 300);
  EXPECT_EQ(ReadRecordFieldValue("Ciudad", 300), WrittenValue(300, 3));
  ExpectACaptureTakesTheNextNumber();
}

TEST_F(ValueFileReaders, ACellOfAnotherNameInAValueStartsItAgainForEveryReader) {
  // The cell "2" of "A266" carries a damaged name: every reader reads "66", and so does the
  // search, whatever its early stop would have made of the "A".
  std::string cells = Join(RecordCells(1));
  for (const std::string& c : {Cell("Nombre", 'A', 2, false), Cell("Nxmbre", '2', 2, false),
                               Cell("Nombre", '6', 2, false), Cell("Nombre", '6', 2, true)})
    cells += c;
  cells += Join(ValueCells("Ciudad", "Lugo", 2));
  Link(cells);
  const std::vector<std::string> model = ExpectEveryReaderReadsAsTheModel(cells, 2);
  EXPECT_EQ(model[kFields.size()], "66");
  struct Search {
    const char* kind;
    std::vector<int64_t> found;
  };
  for (const Search& s : {Search{"=", {2}}, Search{"*-", {2}}, Search{"<>", {1}}}) {
    SCOPED_TRACE(s.kind);
    SearchCriteria criteria;
    criteria.fieldNames[0] = "Nombre";
    criteria.kinds[0] = s.kind;
    criteria.searchTexts[0] = "66";
    criteria.criteriaCount = 1;
    SearchRecordsOneField(criteria, {});
    EXPECT_EQ(std::vector<int64_t>(foundRecords.begin() + 1, foundRecords.end()), s.found);
  }
}

TEST_F(ValueFileReaders, OneBadRecordNumberAnywhereReadsAsTheScanFromTheFirstCell) {
  std::vector<int64_t> first;
  const std::string good = Records(300, &first);
  const int64_t middle = 150;
  struct Case {
    const char* what;
    int64_t cell;
    int64_t record;
  };
  // A number its place cannot hold is damage, and the record reads as written; one it could
  // hold belongs to that record, as the scan reads it.
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
  const std::vector<std::string> written = WrittenRecords(300);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string damaged = WithRecord(good, c.cell, c.record);
    Link(damaged);
    ASSERT_EQ(GetLastRecordNumber(), 300);
    const std::vector<std::string> model = ExpectEveryReaderReadsAsTheModel(damaged, 300);
    if (c.record < 1 || c.record > c.cell) {
      EXPECT_EQ(model, written);
    }
  }
}

// Two desks that interleaved every pair of records a character at a time, over a file far
// larger than a few hundred thousand cells: sampled records read whole in every reader that
// jumps, and the search, which passes over the file once, finds them.
TEST_F(ValueFileReaders, AFileOfManyInterleavedRecordsReadsAsRightAsOneOfFew) {
  constexpr int64_t kRecords = 25001;
  std::string bytes = Records(1);
  for (int64_t r = 2; r < kRecords; r += 2)
    bytes += Interleaved(RecordCells(r), RecordCells(r + 1));
  ASSERT_GT(bytes.size() / kZbdEntryLength, 500000u);
  Link(bytes);
  EXPECT_EQ(GetLastRecordNumber(), kRecords);
  std::vector<std::pair<std::string, std::string>> written;
  for (const int64_t r : {int64_t{1}, int64_t{2}, int64_t{3}, int64_t{12344}, int64_t{12345},
                          kRecords - 1, kRecords}) {
    SCOPED_TRACE(r);
    written.clear();
    for (size_t f = 0; f < kFields.size(); ++f) {
      const std::string value = WrittenValue(r, f);
      EXPECT_EQ(ReadRecordFieldValue(kFields[f], r), value.empty() ? kNoData : value);
      if (!value.empty()) written.emplace_back(kFields[f], value);
    }
    EXPECT_EQ(ReadRecordValues(LinkedValuePath(), r), written);
  }
  // "Socio 12345" is the name of that record alone; every record's Ciudad either name.
  SearchCriteria criteria;
  criteria.fieldNames = {"Nombre", "Ciudad"};
  criteria.kinds = {"=", "$"};
  criteria.searchTexts = {"Socio 12345", "n"};
  criteria.criteriaCount = 2;
  SearchRecordsTwoFields(criteria, {});
  EXPECT_EQ(std::vector<int64_t>(foundRecords.begin() + 1, foundRecords.end()),
            std::vector<int64_t>{12345});
  criteria.fieldNames[0] = "Pagado";
  criteria.searchTexts[0] = "1";
  criteria.criteriaCount = 1;
  SearchRecordsOneField(criteria, {});
  EXPECT_EQ(foundCount, (kRecords + 1) / 2);
}

// The shapes in which desks that capture at once leave their records, and a hostile one, at
// two sizes: every reader reads the file in a number of bytes that grows with its cells, as it
// does for the same records one after another, and reads every value as the scan from the first
// cell does.
TEST_F(ValueFileReaders, EveryReaderReadsAFileInBytesThatGrowWithItsCells) {
  const auto one = [](const std::string& name, char c, int64_t record) {
    return Cell(name, c, record, true);
  };
  const auto letter = [](int64_t r) { return static_cast<char>('a' + r % 26); };
  struct Shape {
    const char* what;
    std::function<std::string(int64_t records)> cells;
  };
  const Shape shapes[] = {
      {"one-cell records of two desks, one a write behind the other",
       [&](int64_t n) {
         std::string bytes = one("Nombre", letter(1), 1);
         for (int64_t r = 2; r <= n; ++r)
           bytes += one("Nombre", letter(r), r) + one("Nombre", 'Z', r - 1);
         return bytes + one("Nombre", 'Z', n);
       }},
      {"three desks a character at a time, two one-character fields",
       [&](int64_t n) {
         std::string bytes;
         for (int64_t r = 1; r + 2 <= n; r += 3) {
           for (int64_t d = 0; d < 3; ++d) bytes += one("Nombre", letter(r + d), r + d);
           for (int64_t d = 0; d < 3; ++d) bytes += one("Importe", '5', r + d);
         }
         return bytes;
       }},
      {"every record's first field, then every record's second, then every third",
       [&](int64_t n) {
         std::string bytes;
         for (const char* name : {"Nombre", "Importe", "Pagado"})
           for (int64_t r = 1; r <= n; ++r) bytes += one(name, letter(r), r);
         return bytes;
       }},
      {"records one after another, then cells of them all over again",
       [&](int64_t n) {
         std::string bytes;
         for (int64_t r = 1; r <= n; ++r) bytes += one("Nombre", letter(r), r);
         for (int64_t k = 0; k < 3 * n; ++k)
           bytes += one(k % 2 ? "Importe" : "Pagado", 'x', 1 + (k * 7919) % n);
         return bytes;
       }},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.what);
    // Every value as the model reads it, in a small file.
    const std::string small = shape.cells(60);
    Link(small);
    ExpectEveryReaderReadsAsTheModel(small, 60);

    struct Read {
      int64_t search = 0, list = 0, browser = 0;
    };
    const auto bytesRead = [&](int64_t records) {
      const std::string bytes = shape.cells(records);
      Link(bytes);
      ForgetValueFileOrders();
      EXPECT_EQ(GetLastRecordNumber(), records);
      Read read;
      int64_t before = files::testing::RecordBytesRead();
      SearchCriteria criteria;
      criteria.fieldNames[0] = "Nombre";
      criteria.kinds[0] = "=";
      criteria.searchTexts[0] = "b";
      criteria.criteriaCount = 1;
      EXPECT_EQ(SearchRecordsOneField(criteria, {}).matchCount, (records + 24) / 26);
      read.search = files::testing::RecordBytesRead() - before;
      before = files::testing::RecordBytesRead();
      searchCellCursor = 1;
      ValueCellFile listCells(LinkedValuePath(), kRecordListBlockCells);
      for (int64_t r = 1; r <= records; ++r)
        for (const char* name : {"Nombre", "Importe", "Pagado"})
          ReadLinkedFieldValue(listCells, name, r);
      read.list = files::testing::RecordBytesRead() - before;
      before = files::testing::RecordBytesRead();
      for (int64_t r = 1; r <= records; r += 7) ShowBrowserPosition(r);
      read.browser = (files::testing::RecordBytesRead() - before) / ((records + 6) / 7);
      return std::pair(read, static_cast<int64_t>(bytes.size()));
    };
    const auto [smaller, smallerBytes] = bytesRead(3000);
    const auto [larger, largerBytes] = bytesRead(12000);
    // The search and the list read the file a few times at most, whatever its size; a browser
    // step reads some blocks of cells.
    EXPECT_LT(larger.search, 6 * largerBytes);
    EXPECT_LT(larger.list, 6 * largerBytes);
    EXPECT_LT(larger.search, 6 * smaller.search);
    EXPECT_LT(larger.list, 6 * smaller.list);
    EXPECT_LT(larger.browser, 2 * smaller.browser + 64 * 1024);
    EXPECT_LT(larger.browser, 256 * 1024);
  }
}

// A value file that ends in part of a cell is being written: a reader waits a few moments for
// the rest of it, and reads a part that stays (a desk stopped in mid-write) as it stands.
TEST_F(ValueFileReaders, AFileEndingInPartOfACellIsReadOnceTheCellIsWhole) {
  const std::string four = Join(RecordCells(4));
  const std::string written = Records(3) + four.substr(0, 4 * kZbdEntryLength + 50);
  const std::string rest = four.substr(written.size() - Records(3).size());
  std::vector<std::pair<std::string, std::string>> whole;
  for (size_t f = 0; f < kFields.size(); ++f)
    if (!WrittenValue(4, f).empty()) whole.emplace_back(kFields[f], WrittenValue(4, f));
  Link(written);
  int looks = 0;
  files::testing::BetweenLengthLooks([&] {
    if (looks++ == 0) std::ofstream(LinkedValuePath(), std::ios::binary | std::ios::app) << rest;
  });
  EXPECT_EQ(ReadRecordValues(LinkedValuePath(), 4), whole);
  EXPECT_EQ(looks, 1);

  // A part that stays is looked at a few times, then read as it stands, and at once by the
  // readers after while the file stays as it is.
  Link(Records(3) + four.substr(0, 50));
  looks = 0;
  files::testing::BetweenLengthLooks([&] { ++looks; });
  EXPECT_EQ(GetLastRecordNumber(), 3);
  EXPECT_GE(looks, 1);
  EXPECT_LE(looks, 4);
  const int looked = looks;
  EXPECT_EQ(ReadRecordFieldValue("Ciudad", 3), WrittenValue(3, 3));
  EXPECT_EQ(ReadRecordValues(LinkedValuePath(), 4),
            (std::vector<std::pair<std::string, std::string>>{}));
  EXPECT_EQ(looks, looked);
  files::testing::ResetFailures();
}

// A record read while its capture is still arriving (the one write becomes visible a page at a
// time) is read again once the file has grown: the reader never shows it half written.
TEST_F(ValueFileReaders, ARecordThatGrowsWhileItIsReadIsReadAgain) {
  const std::vector<std::string> four = RecordCells(4);
  const size_t half = four.size() / 2;
  std::string first = Records(3), rest;
  for (size_t k = 0; k < four.size(); ++k) (k < half ? first : rest) += four[k];
  std::vector<std::pair<std::string, std::string>> whole;
  for (size_t f = 0; f < kFields.size(); ++f)
    if (!WrittenValue(4, f).empty()) whole.emplace_back(kFields[f], WrittenValue(4, f));
  struct Read {
    const char* what;
    std::function<void()> read;
  };
  const Read reads[] = {
      {"the record's values", [&] { EXPECT_EQ(ReadRecordValues(LinkedValuePath(), 4), whole); }},
      {"its last field", [&] { EXPECT_EQ(ReadRecordFieldValue("Ciudad", 4), WrittenValue(4, 3)); }},
  };
  for (const Read& r : reads) {
    SCOPED_TRACE(r.what);
    Link(first);
    ASSERT_EQ(GetLastRecordNumber(), 4);
    // The rest of the record arrives while the reader reads the part there.
    bool arrived = false;
    valueScanStep = [&] {
      if (arrived) return;
      arrived = true;
      std::ofstream(LinkedValuePath(), std::ios::binary | std::ios::app) << rest;
    };
    r.read();
    EXPECT_TRUE(arrived);
    valueScanStep = nullptr;
  }
}

// A file that another desk appends to is looked at again by its last cells and some across it,
// and only the cells appended are placed, however recent the change; a file written over in
// place by a longer one that shares the cell where the old one ended is found anew.
TEST_F(ValueFileReaders, AChangedFileIsFollowedOnlyWhereItHoldsTheCellsItWasFoundFor) {
  Link(Records(300));
  const int64_t cells = static_cast<int64_t>(Records(300).size()) / kZbdEntryLength;
  ForgetValueFileOrders();
  int64_t placed = CellsPlacedByOrderPasses();
  EXPECT_EQ(GetLastRecordNumber(), 300);
  EXPECT_EQ(CellsPlacedByOrderPasses() - placed, cells);

  // Another desk's capture, read a moment after it was written, and read again.
  placed = CellsPlacedByOrderPasses();
  std::ofstream(LinkedValuePath(), std::ios::binary | std::ios::app) << Join(RecordCells(301));
  const int64_t added = static_cast<int64_t>(RecordCells(301).size());
  EXPECT_EQ(ReadRecordFieldValue("Nombre", 301), "Socio 301");
  EXPECT_EQ(GetLastRecordNumber(), 301);
  EXPECT_EQ(ReadRecordFieldValue("Ciudad", 300), WrittenValue(300, 3));
  // The five last cells of before are placed again, with the cells after them.
  EXPECT_EQ(CellsPlacedByOrderPasses() - placed, added + 5);

  // In a file of interleaved records, another capture's cells are followed on in the order the
  // readers had, not in a copy of it.
  std::string pairs = Records(1);
  for (int64_t r = 2; r < 200; r += 2) pairs += Interleaved(RecordCells(r), RecordCells(r + 1));
  Link(pairs);
  const ValueFileOrder* kept = nullptr;
  {
    ValueCellFile reader(LinkedValuePath(), kRecordBlockCells);
    kept = &reader.Order();
    ASSERT_FALSE(kept->spread.empty());
  }
  std::ofstream(LinkedValuePath(), std::ios::binary | std::ios::app)
      << Interleaved(RecordCells(200), RecordCells(201));
  {
    ValueCellFile reader(LinkedValuePath(), kRecordBlockCells);
    EXPECT_EQ(&reader.Order(), kept);
    EXPECT_EQ(reader.LastRecordNumber(), 201);
  }
  ExpectEveryReaderReadsAsTheModel(pairs + Interleaved(RecordCells(200), RecordCells(201)), 201);

  // The file written over in place by a longer one whose cell where the old one ended is the
  // same, one of records two desks interleaved: its records are those of the new file.
  std::string other = Records(1);
  for (int64_t r = 2; r < 400; r += 2) other += Interleaved(RecordCells(r), RecordCells(r + 1));
  const std::string old = testfiles::ReadRaw(LinkedValuePath());
  ASSERT_GT(other.size(), old.size());
  other.replace(old.size() - kZbdEntryLength, kZbdEntryLength,
                old.substr(old.size() - kZbdEntryLength));
  std::ofstream(LinkedValuePath(), std::ios::binary | std::ios::trunc) << other;
  ExpectEveryReaderReadsAsTheModel(other, 399);
}

}  // namespace
