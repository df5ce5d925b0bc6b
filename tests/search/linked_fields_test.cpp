#include "search/linked_fields.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "page/shared_helpers.h"
#include "search/search_criteria.h"
#include "tests/search/search_fixture.h"

namespace {

using namespace searchtest;

class LinkedFieldsTest : public SearchTest {};

const std::vector<Field> kSocios = {
    {"Nombre", kFieldText, 1, ""},
    {"Apellido", kFieldText, 1, ""},
    {"Importe", kFieldNumber, 1, ""},
    {"Pagado", kFieldYesNo, 1, ""},
    {"Zona", kFieldListChoice, 1, "  Norte|Sur|Este  "},
};

TEST_F(LinkedFieldsTest, CriteriaComeInFieldOrderEachWithItsOwnTextAndKind) {
  struct Case {
    const char* what;
    std::vector<Field> fields;
    std::vector<std::string> names;
    std::vector<std::string> expectedNames;
    int32_t placed;
  };
  std::vector<Field> twice = kSocios;
  twice.push_back({"Nombre"});
  twice.insert(twice.begin(), {"Importe"});
  const Case cases[] = {
      {"two out of order", kSocios, {"Importe", "Nombre"}, {"Nombre", "Importe"}, 2},
      {"three out of order",
       kSocios,
       {"Zona", "Nombre", "Importe"},
       {"Nombre", "Importe", "Zona"},
       3},
      {"already in order", kSocios, {"Nombre", "Apellido"}, {"Nombre", "Apellido"}, 2},
      {"a field no longer defined drops to the end",
       kSocios,
       {"Zona", "Gone", "Nombre"},
       {"Nombre", "Zona", ""},
       2},
      {"names differ by case", kSocios, {"nombre", "Importe"}, {"Importe", ""}, 1},
      {"a file defining names twice places each once",
       twice,
       {"Nombre", "Importe"},
       {"Importe", "Nombre"},
       2},
      {"no field definitions", {}, {"Nombre", "Importe"}, {"", ""}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LinkDatabase("Socios", c.fields, {});
    std::vector<std::string> kinds, texts;
    for (size_t i = 0; i < c.names.size(); ++i) {
      kinds.push_back(ComparisonSymbol(kComparisonKinds[i + 3].kind));
      texts.push_back("text of " + c.names[i]);
    }
    SearchCriteria criteria = Criteria(c.names, kinds, texts);
    EXPECT_EQ(ReorderCriteriaByFieldOrder(criteria, criteria.criteriaCount), c.placed);
    for (size_t i = 0; i < c.names.size(); ++i) {
      EXPECT_EQ(criteria.fieldNames[i], c.expectedNames[i]);
      const size_t from =
          std::find(c.names.begin(), c.names.end(), c.expectedNames[i]) - c.names.begin();
      EXPECT_EQ(criteria.searchTexts[i], from < c.names.size() ? texts[from] : "");
      EXPECT_EQ(criteria.kinds[i], from < c.names.size() ? kinds[from] : "");
    }
  }
  std::filesystem::remove(linkedDatabaseFolder + "Socios.z04");
  SearchCriteria criteria = Criteria({"Nombre"}, {"="}, {"x"});
  EXPECT_EQ(ReorderCriteriaByFieldOrder(criteria, 1), 0);
  EXPECT_EQ(criteria.fieldNames[0], "");
}

TEST_F(LinkedFieldsTest, FieldTypesAndListTexts) {
  std::vector<Field> fields = kSocios;
  fields.push_back({"Blancos", kFieldListChoice, 1, "    "});
  fields.push_back({"Doble", kFieldNumber, 1, "primera"});
  fields.push_back({"Doble", kFieldYesNo, 1, "segunda"});
  fields.push_back({"Negativo", -3, 1, ""});
  LinkDatabase("Tipos", fields, {});
  EXPECT_EQ(GetLinkedFieldListText("Zona"), "Norte|Sur|Este");
  EXPECT_EQ(GetLinkedFieldListText("Blancos"), "");
  EXPECT_EQ(GetLinkedFieldListText("Nadie"), "");
  EXPECT_EQ(GetLinkedFieldListText("Doble"), "segunda");
  EXPECT_EQ(FindLinkedFieldType("Importe"), kFieldNumber);
  EXPECT_EQ(FindLinkedFieldType("Doble"), kFieldYesNo);
  EXPECT_EQ(FindLinkedFieldType("Negativo"), -3);
  EXPECT_EQ(FindLinkedFieldType("Nadie"), 0);
  EXPECT_EQ(FindLinkedFieldType("importe"), 0);
  EXPECT_EQ(IsLinkedFieldTypeFour("Pagado"), 1);
  EXPECT_EQ(IsLinkedFieldTypeFour("Importe"), 0);
  EXPECT_EQ(IsLinkedFieldTypeFour("Doble"), 1);
  EXPECT_EQ(IsLinkedFieldTypeOneOrTwo("Doble"), 1);
  EXPECT_EQ(IsLinkedFieldTypeOneOrTwo("Importe"), 1);
  EXPECT_EQ(IsLinkedFieldTypeOneOrTwo("Nombre"), 0);
  EXPECT_EQ(IsLinkedFieldTypeOneOrTwo("Nadie"), 0);
  linkedDatabaseFolder.clear();
  EXPECT_EQ(FindLinkedFieldType("Importe"), 0);
  EXPECT_EQ(GetLinkedFieldListText("Zona"), "");
}

TEST_F(LinkedFieldsTest, ListColumnsComeInFieldOrderWithTheirWidths) {
  std::vector<Field> fields = kSocios;
  fields.push_back({"Nombre"});
  LinkDatabase("Lista", fields, {});
  std::vector<ListFieldEntry> columns(5);
  const std::pair<const char*, int16_t> applied[] = {
      {"Zona", 8}, {"Gone", 3}, {"Nombre", 20}, {"Importe", 10}};
  for (size_t j = 0; j < 4; ++j) {
    SetFixedField(columns[j].fieldName, applied[j].first);
    columns[j].reservedWidth = applied[j].second;
  }
  SetFixedField(columns[4].fieldName, "Apellido");  // beyond the count: left alone
  columns[4].reservedWidth = 7;
  EXPECT_EQ(ReorderListFieldsByFieldOrder(columns, 4), 3);
  const std::pair<std::string, int16_t> expected[] = {
      {"Nombre", 20}, {"Importe", 10}, {"Zona", 8}, {"", 0}, {"Apellido", 7}};
  for (size_t j = 0; j < 5; ++j) {
    EXPECT_EQ(FixedFieldText(columns[j].fieldName), expected[j].first) << j;
    EXPECT_EQ(columns[j].reservedWidth, expected[j].second) << j;
  }
  EXPECT_EQ(ReorderListFieldsByFieldOrder(columns, 99), 4);
  EXPECT_EQ(ReorderListFieldsByFieldOrder(columns, -1), 0);
}

TEST_F(LinkedFieldsTest, ListValuesScanFromTheSharedCursorUpToALaterRecord) {
  // Record 3's value of A stands after cells of record 4, as two desks that capture at once
  // write them: the list's read, which ends at the first cell of a later record as the search's
  // fetch does, finds it all the same, and leaves the cursor where it was.
  LinkRawDatabase("Valores", "",
                  ValueBytes("A", "Ana", 1) + ValueBytes("B", "12", 1) + ValueBytes("B", "7", 2) +
                      ValueBytes("A", "Eva", 4) + ValueBytes("A", "Sol", 3) +
                      CellBytes("B", 'x', 4, 0));
  searchCellCursor = 1;
  searchCursorRecord = 0;
  EXPECT_EQ(ReadLinkedFieldValue("A", 1), "Ana");
  EXPECT_EQ(searchCellCursor, 3);
  EXPECT_EQ(ReadLinkedFieldValue("B", 1), "12");
  EXPECT_EQ(searchCellCursor, 3);
  EXPECT_EQ(ReadLinkedFieldValue("A", 2), "No datos");
  EXPECT_EQ(ReadLinkedFieldValue("B", 2), "7");
  EXPECT_EQ(searchCellCursor, 6);
  EXPECT_EQ(ReadLinkedFieldValue("A", 3), "Sol");
  EXPECT_EQ(searchCellCursor, 6);
  EXPECT_EQ(ReadLinkedFieldValue("B", 4), "No datos");
  // Once past a field, the list does not find it again in the same record.
  searchCellCursor = 1;
  EXPECT_EQ(ReadLinkedFieldValue("B", 1), "12");
  EXPECT_EQ(ReadLinkedFieldValue("A", 1), "No datos");

  LinkRawDatabase("SinValores", "", "");
  searchCellCursor = 1;
  EXPECT_EQ(ReadLinkedFieldValue("A", 1), "No datos");
}

}  // namespace
