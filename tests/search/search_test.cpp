#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "database/value_scan.h"
#include "platform/numbers/numbers.h"
#include "search/comparison.h"
#include "search/search_engine.h"
#include "tests/search/search_fixture.h"

namespace {

using namespace searchtest;

class SearchFrameTest : public SearchTest {};

// A search of `count` criteria by the number of criteria it holds.
SearchReport Search(const SearchCriteria& c, const SearchProgress& progress = {}) {
  switch (c.criteriaCount) {
    case 1:
      return SearchRecordsOneField(c, progress);
    case 2:
      return SearchRecordsTwoFields(c, progress);
    default:
      return SearchRecordsThreeFields(c, progress);
  }
}

TEST_F(SearchFrameTest, ProgressReportAndResults) {
  Records records;
  for (const char* name : {"Ana", "ana", "Ana", "Luis", "Ana ", "", "Eva", "Ana"})
    records.push_back({name});
  LinkDatabase("Socios", {{"Nombre"}}, records);
  std::vector<std::string> captions;
  const SearchReport report =
      Search(Criteria({"Nombre"}, {"="}, {"Ana"}), [&](int64_t r, int64_t last) {
        captions.push_back(SearchProgressText(r, last));
        // Matches show up as they are found; the found flag keeps the last search's until the end.
        EXPECT_LE(foundCount, r - 1);
        EXPECT_EQ(searchFound, 0);
        EXPECT_EQ(valueScanBusy, 1);
      });
  EXPECT_EQ(captions, (std::vector<std::string>{"12 %", "25 %", "37 %", "50 %", "62 %", "75 %",
                                                "87 %", "100 %"}));
  EXPECT_EQ(report.message, "3 Resultados ...");
  EXPECT_EQ(report.matchCount, 3);
  EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3, 8}));
  EXPECT_EQ(searchFound, 1);
  EXPECT_EQ(valueScanBusy, 0);

  // One match: no singular form.
  EXPECT_EQ(Search(Criteria({"Nombre"}, {"="}, {"Luis"})).message, "1 Resultados ...");
  EXPECT_EQ(Found(), (std::vector<int64_t>{4}));

  // A search without results after one with them starts from nothing.
  EXPECT_EQ(Search(Criteria({"Nombre"}, {"="}, {"Pedro"})).message, "No hay Resultados ...");
  EXPECT_EQ(foundCount, 0);
  EXPECT_EQ(searchFound, 0);
  EXPECT_EQ(foundRecords.size(), 1u);
}

TEST_F(SearchFrameTest, AnEmptyOrMissingValueFileVisitsNoRecord) {
  for (bool missing : {false, true}) {
    LinkRawDatabase("Vacia", DefinitionBytes({{"Nombre"}}), "");
    if (missing) std::filesystem::remove(linkedDatabaseFolder + "Vacia.zbd");
    foundCount = 3;
    searchFound = 1;
    int progress = 0;
    const SearchReport report =
        Search(Criteria({"Nombre"}, {"<>"}, {"x"}), [&](int64_t, int64_t) { ++progress; });
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(report.message, "No hay Resultados ...");
    EXPECT_EQ(foundCount, 0);
    EXPECT_EQ(searchFound, 0);
  }
}

TEST_F(SearchFrameTest, AKindOutsideTheNineMatchesNothingAndFetchesNothing) {
  LinkDatabase("Raros", {{"A"}, {"B"}, {"C"}}, {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
  int fetches = 0;
  onSearchFetch = [&](std::string_view, int64_t, ComparisonKind) { ++fetches; };
  // An empty kind is what a criterion whose field is no longer defined leaves behind.
  const SearchCriteria selectors[] = {
      Criteria({"A"}, {"!"}, {"1"}),
      Criteria({"A", "B"}, {"=", "!"}, {"1", "2"}),
      Criteria({"A", "B", "C"}, {"<>", "<>", ""}, {"x", "x", "x"}),
      Criteria({"A", "B", "C"}, {"", "<>", "<>"}, {"x", "x", "x"}),
      Criteria({"A", "B", "C"}, {"<> ", "<>", "<>"}, {"x", "x", "x"}),
  };
  for (const SearchCriteria& c : selectors) {
    int progress = 0;
    EXPECT_EQ(Search(c, [&](int64_t, int64_t) { ++progress; }).message, "No hay Resultados ...");
    EXPECT_EQ(progress, 3);
  }
  EXPECT_EQ(fetches, 0);
}

TEST_F(SearchFrameTest, SpecimenThreeFieldCases) {
  struct Case {
    const char* what;
    std::vector<std::string> kinds, texts;
    Records records;
    std::vector<int64_t> found;
  };
  const Case cases[] = {
      {"'5' equals the third text; '05' and 'x' differ",
       {"=", ">", "<>"},
       {"A", "10", "5"},
       {{"A", "12", "5"}, {"A", "12", "05"}, {"A", "12", "x"}, {"B", "12", "x"}, {"A", "10", "x"}},
       {2, 3}},
      // Record 3 has two cells, so that the one numbered two past record 1 goes on.
      {"no cells at all meet \"<>\" three times",
       {"<>", "<>", "<>"},
       {"x", "y", "z"},
       {{"x", "q", ""}, {"", "", ""}, {"", "y", "z"}},
       {2}},
      {"missing values read as 0",
       {"=", "<=", ">="},
       {"X", "0", "0"},
       {{"X", "", ""}, {"X", "1", ""}},
       {1}},
      {"contains, equal, ends with",
       {"=", "$", "-*"},
       {"Ana", "m", "z"},
       {{"Ana", "Roma", "Cruz"},
        {"Ana", "Roma", "Cruze"},
        {"Anas", "Roma", "Cruz"},
        {"Ana", "Rio", "Paz"}},
       {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LinkDatabase("Tres", {{"A"}, {"B"}, {"C"}}, c.records);
    Search(Criteria({"A", "B", "C"}, c.kinds, c.texts));
    EXPECT_EQ(Found(), c.found);
  }
}

TEST_F(SearchFrameTest, TwoFieldShortCircuitAndAMissingFirstValue) {
  LinkDatabase("Dos", {{"A"}, {"B"}}, {{"x", "5"}, {"", "9"}, {"y", "9"}});
  std::vector<std::pair<std::string, int64_t>> fetched;
  onSearchFetch = [&](std::string_view f, int64_t r, ComparisonKind) {
    fetched.emplace_back(f, r);
  };
  // Record 1 fails the first criterion: its B is not read, though 5 > 1.
  Search(Criteria({"A", "B"}, {"=", ">"}, {"y", "1"}));
  EXPECT_EQ(Found(), (std::vector<int64_t>{3}));
  EXPECT_EQ(fetched,
            (std::vector<std::pair<std::string, int64_t>>{{"A", 1}, {"A", 2}, {"A", 3}, {"B", 3}}));
  // A record without the first value meets "<>", and the second criterion decides.
  Search(Criteria({"A", "B"}, {"<>", ">"}, {"x", "6"}));
  EXPECT_EQ(Found(), (std::vector<int64_t>{2, 3}));
}

TEST_F(SearchFrameTest, ADamagedLastRecordNumberCountsAsTheRecordBeforeIt) {
  // The last cell claims a record far beyond any the file could hold: it is read as the record
  // of the cell before it, so the search goes no further than the records the file holds.
  LinkRawDatabase(
      "Rota", DefinitionBytes({{"A"}}),
      ValueBytes("A", "ab", 1) + ValueBytes("A", "c", 2) + ValueBytes("A", "d", int64_t{1} << 40));
  EXPECT_EQ(CountSearchDatabaseRecords(), 2);
  int64_t lastSeen = 0;
  const SearchReport report =
      Search(Criteria({"A"}, {"<>"}, {"zz"}), [&](int64_t, int64_t last) { lastSeen = last; });
  EXPECT_EQ(lastSeen, 2);
  EXPECT_EQ(report.message, "2 Resultados ...");
  EXPECT_EQ(Found(), (std::vector<int64_t>{1, 2}));

  LinkRawDatabase("Negativa", DefinitionBytes({{"A"}}), ValueBytes("A", "ab", -5));
  EXPECT_EQ(CountSearchDatabaseRecords(), 0);
  EXPECT_EQ(Search(Criteria({"A"}, {"<>"}, {"zz"})).message, "No hay Resultados ...");
}

TEST_F(SearchFrameTest, TheSearchKeepsTheCriteriaItStartedWith) {
  LinkDatabase("Copia", {{"A"}}, {{"a"}, {"b"}, {"a"}});
  SearchCriteria c = Criteria({"A"}, {"="}, {"a"});
  Search(c, [&](int64_t, int64_t) {
    c.kinds[0] = "<>";
    c.searchTexts[0] = "b";
    c.criteriaCount = 0;
  });
  EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3}));
}

TEST_F(SearchFrameTest, AStaleCursorRecordChangesNoResult) {
  LinkDatabase("Rancio", {{"A"}, {"B"}}, {{"a", "1"}, {"b", "2"}, {"a", "3"}});
  const SearchCriteria c = Criteria({"A", "B"}, {"=", ">"}, {"a", "0"});
  for (int64_t stale : {0, 1, 2, 3, 99}) {
    searchCursorRecord = stale;
    searchCellCursor = 5;
    Search(c);
    EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3})) << stale;
  }
}

TEST_F(SearchFrameTest, OrderKindsReadANumberFieldInTheDatabasesNotation) {
  // The same values under a number field of each type and a text field; record 6 has none.
  const std::vector<std::string> values = {"1.250'50", "999'99", "1.000", "1.000'01", "85", ""};
  Records records;
  for (const std::string& v : values) records.push_back({v, v, v, "o"});
  LinkDatabase("Cuotas",
               {{"Cuota", kFieldNumber}, {"Saldo", kFieldNumberOther}, {"Nota"}, {"Otro"}},
               records);
  struct Case {
    const char* field;
    const char* kind;
    const char* text;
    std::vector<int64_t> found;
  };
  const Case cases[] = {
      {"Cuota", ">", "1000", {1, 4}},
      {"Cuota", ">", "1.000", {1, 4}},
      {"Cuota", ">=", "1.000", {1, 3, 4}},
      {"Cuota", "<", "1000'5", {2, 3, 4, 5, 6}},
      {"Cuota", "<=", "999'99", {2, 5, 6}},
      // A point is a thousands separator on both sides: 1000.5 is typed 1000'5.
      {"Cuota", "<", "1000.5", {1, 2, 3, 4, 5, 6}},
      {"Saldo", ">", "1000", {1, 4}},
      {"Saldo", "<=", "1.000", {2, 3, 5, 6}},
      // The text kinds compare the stored bytes, whatever the field's type.
      {"Cuota", "=", "1.250'50", {1}},
      {"Cuota", "=", "1250.50", {}},
      {"Cuota", "$", "'", {1, 2, 4}},
      // A text field reads its numbers as it always has: "1.250'50" is 1.25.
      {"Nota", ">", "1000", {}},
      {"Nota", ">", "1.000", {1, 2, 5}},
      {"Nota", "<", "1000'5", {1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.kind + " " + c.text);
    Search(Criteria({c.field}, {c.kind}, {c.text}));
    EXPECT_EQ(Found(), c.found);
  }
  // In second and third place too.
  Search(Criteria({"Cuota", "Saldo", "Nota"}, {"<>", ">", "$"}, {"x", "1000", "0"}));
  EXPECT_EQ(Found(), (std::vector<int64_t>{1, 4}));
}

TEST_F(SearchFrameTest, TheSampleDatabaseFindsItsLargeFees) {
  linkedDatabaseFolder = std::string(VELUNA_SOURCE_DIR) + "/examples/Socios/";
  // Cuota holds "1.250'50", "980'00", "1.100'25", ... for its twelve members.
  EXPECT_EQ(Search(Criteria({"Cuota"}, {">"}, {"1000"})).message, "5 Resultados ...");
  EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3, 5, 7, 10}));
  EXPECT_EQ(Search(Criteria({"Cuota"}, {"<="}, {"750"})).message, "4 Resultados ...");
}

// An independent model of a search: every value whole (or "" when the record has none), the
// nine kinds written out, criteria taken in order until one fails. A field of a number type
// (1 or 2) gives the order kinds its numbers with "." for thousands and "'" as the decimal
// mark, on the typed side as well; any other type reads them as plain texts.
class ModelTest : public SearchTest {
 protected:
  static constexpr const char* kFields[] = {"A", "B", "C", "D", "E", "F", "G"};
  static constexpr int16_t kTypes[] = {kFieldText,   kFieldText,        kFieldText, kFieldText,
                                       kFieldNumber, kFieldNumberOther, kFieldDate};
  void SetUp() override {
    SearchTest::SetUp();
    const char* pool[] = {"", "A", "a", "5", "05", "12", "12.5", "12,5", "x"};
    const char* numberPool[] = {"",     "1.250'50", "999'99", "1.000", "5",
                                "12'5", "-3'0",     "x",      "1000'5"};
    std::mt19937 random(729);
    std::mt19937 numberRandom(1250);
    for (int r = 0; r < 14; ++r) {
      std::vector<std::string> values;
      for (size_t f = 0; f < 4; ++f) values.push_back(pool[random() % 9]);
      for (size_t f = 4; f < 7; ++f) values.push_back(numberPool[numberRandom() % 9]);
      records_.push_back(values);
    }
    std::vector<Field> fields;
    for (size_t f = 0; f < 7; ++f) fields.push_back({kFields[f], kTypes[f]});
    LinkDatabase("Modelo", fields, records_);
    onSearchFetch = [this](std::string_view field, int64_t record, ComparisonKind kind) {
      fetched_.push_back(std::string(field) + " " + std::to_string(record) + " " +
                         ComparisonSymbol(kind));
    };
  }

  static long double ModelNumber(std::string text, bool numberField) {
    if (numberField) {
      std::string plain;
      for (char c : text)
        if (c != '.') plain.push_back(c == '\'' ? '.' : c);
      text = plain;
    }
    return numbers::NumericValueOfText(text);
  }

  static bool ModelHolds(const std::string& kind, const std::string& v, const std::string& t,
                         bool numberField) {
    if (kind == "=") return v == t;
    if (kind == "<>") return v != t;
    if (kind == "*-") return v.size() >= t.size() && v.compare(0, t.size(), t) == 0;
    if (kind == "-*")
      return v.size() >= t.size() && v.compare(v.size() - t.size(), t.size(), t) == 0;
    if (kind == "$") return !v.empty() && v.find(t) != std::string::npos;
    const long double nv = ModelNumber(v, numberField), nt = ModelNumber(t, numberField);
    if (kind == ">") return nv > nt;
    if (kind == "<") return nv < nt;
    if (kind == ">=") return nv >= nt;
    return nv <= nt;
  }

  // Criterion i searches field fieldOf[i] (in definition order) with kinds[i] and texts[i].
  void ExpectAsModelled(const std::vector<size_t>& fieldOf, const std::vector<std::string>& kinds,
                        const std::vector<std::string>& texts) {
    std::vector<std::string> names;
    for (size_t f : fieldOf) names.push_back(kFields[f]);
    std::string selector;
    for (const std::string& k : kinds) selector += (selector.empty() ? "" : ",") + k;
    SCOPED_TRACE(selector);
    std::vector<int64_t> expectedFound;
    std::vector<std::string> expectedFetches;
    for (size_t r = 0; r < records_.size(); ++r) {
      bool all = true;
      for (size_t i = 0; i < kinds.size() && all; ++i) {
        const int64_t record = static_cast<int64_t>(r + 1);
        expectedFetches.push_back(names[i] + " " + std::to_string(record) + " " + kinds[i]);
        const int16_t type = kTypes[fieldOf[i]];
        all = ModelHolds(kinds[i], records_[r][fieldOf[i]], texts[i], type == 1 || type == 2);
      }
      if (all) expectedFound.push_back(static_cast<int64_t>(r + 1));
    }
    fetched_.clear();
    const SearchReport report = Search(Criteria(names, kinds, texts));
    ASSERT_EQ(Found(), expectedFound);
    ASSERT_EQ(fetched_, expectedFetches);
    ASSERT_EQ(report.matchCount, static_cast<int64_t>(expectedFound.size()));
  }

  // Every ordered triple of the nine kinds over those fields with those texts.
  void ExpectEveryTriple(const std::vector<size_t>& fieldOf,
                         const std::vector<std::string>& texts) {
    for (const ComparisonKindEntry& k1 : kComparisonKinds)
      for (const ComparisonKindEntry& k2 : kComparisonKinds)
        for (const ComparisonKindEntry& k3 : kComparisonKinds)
          ASSERT_NO_FATAL_FAILURE(
              ExpectAsModelled(fieldOf, {k1.symbol, k2.symbol, k3.symbol}, texts));
  }

  Records records_;
  std::vector<std::string> fetched_;
};

TEST_F(ModelTest, EveryCombinationOfThreeKinds) {
  ASSERT_NO_FATAL_FAILURE(ExpectEveryTriple({0, 2, 3}, {"5", "12", "a"}));
  ASSERT_NO_FATAL_FAILURE(ExpectEveryTriple({0, 2, 3}, {"12", "x", "05"}));
}

TEST_F(ModelTest, EveryCombinationOfThreeKindsOverNumberFields) {
  // Both number types, then a date field that holds the same kind of values.
  ASSERT_NO_FATAL_FAILURE(ExpectEveryTriple({4, 5, 6}, {"1.000", "12'5", "5"}));
  ASSERT_NO_FATAL_FAILURE(ExpectEveryTriple({4, 5, 6}, {"1000'5", "-3", "1.250'50"}));
  ASSERT_NO_FATAL_FAILURE(ExpectEveryTriple({1, 4, 6}, {"12.5", "999'99", "1.000"}));
}

TEST_F(ModelTest, EveryKindAndPairOfKinds) {
  for (const ComparisonKindEntry& k1 : kComparisonKinds) {
    for (const char* text : {"5", "A", "12"})
      ASSERT_NO_FATAL_FAILURE(ExpectAsModelled({1}, {k1.symbol}, {text}));
    for (const size_t field : {4, 5, 6})
      for (const char* text : {"1000", "1.000", "12'5", "x", "-3'0"})
        ASSERT_NO_FATAL_FAILURE(ExpectAsModelled({field}, {k1.symbol}, {text}));
    for (const ComparisonKindEntry& k2 : kComparisonKinds) {
      ASSERT_NO_FATAL_FAILURE(ExpectAsModelled({1, 3}, {k1.symbol, k2.symbol}, {"05", "a"}));
      ASSERT_NO_FATAL_FAILURE(ExpectAsModelled({3, 4}, {k1.symbol, k2.symbol}, {"12", "999'99"}));
    }
  }
}

}  // namespace
