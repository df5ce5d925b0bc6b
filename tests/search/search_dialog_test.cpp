#include "search/dialogs/search_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <regex>

#include "database/database_files.h"
#include "database/value_scan.h"
#include "tests/search/search_fixture.h"

namespace {

using namespace searchtest;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;

using namespace search_dialog_ids;

constexpr int kLabel1 = LabelOf(1), kText1 = TextBoxOf(1), kLabel2 = LabelOf(2);
constexpr int kText2 = TextBoxOf(2), kText3 = TextBoxOf(3);
constexpr const char* kChooseFirst =
    "Tiene que seleccionar sus preferencias de busqueda primero ...";
constexpr const char* kNoTexts = "No ha escrito valores a buscar ...";

// Nombre is defined before Importe; Fonetica is phonetic, Memo a memo text, Oculto no field.
const std::vector<Field> kFields = {
    {"Nombre", kFieldText},    {"Fonetica", kFieldPhonetic}, {"Memo", kFieldMemo},
    {"Oculto", kFieldText, 2}, {"Importe", kFieldNumber},    {"Ciudad", kFieldText},
    {"Nombre", kFieldText},
};
const Records kRecords = {
    {"Ana", "", "", "", "10", "Lugo"},
    {"Luis", "", "", "", "250", "Vigo"},
    {"Ana", "", "", "", "7", "Vigo"},
    {"Eva", "", "", "", "99", "Lugo"},
};

class SearchDialogTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    LinkDatabase("Socios", kFields, kRecords);
  }
  void TearDown() override {
    valueScanStep = nullptr;
    SearchTest::TearDown();
  }
};

std::vector<std::string> Lines(ui::Window w, int id) {
  std::vector<std::string> lines;
  for (int i = 0; i < ui::ListCount(w, id); ++i) lines.push_back(ui::ListText(w, id, i));
  return lines;
}

void ChooseLine(ui::Window w, int id, const std::string& text) {
  const std::vector<std::string> lines = Lines(w, id);
  const auto at = std::find(lines.begin(), lines.end(), text);
  ASSERT_NE(at, lines.end()) << text;
  ui::testing::ChooseListItem(w, id, static_cast<int>(at - lines.begin()));
}

// Applies a field with the comparison of that option number (1 to 9).
void Apply(ui::Window w, const std::string& field, int option) {
  ChooseLine(w, kFieldList, field);
  ui::testing::ChooseListItem(w, kComparisonList, option - 1);
  Click(w, kAplicar);
}

// A search has ended: the caption shows its start and end times, the buttons are back.
void ExpectSearchEnded(ui::Window w) {
  EXPECT_TRUE(std::regex_match(ui::Caption(w), std::regex(R"(\d\d:\d\d:\d\d - \d\d:\d\d:\d\d)")))
      << ui::Caption(w);
  for (int id : {kSalir, kAplicar, kBuscar}) EXPECT_TRUE(ui::Enabled(w, id));
}

// The message boxes shown so far, every one titled "Vozurivudoz".
void ExpectMessages(const std::vector<std::string>& texts) {
  std::vector<std::string> shown;
  for (const ui::testing::Shown& m : MessagesShown()) {
    shown.push_back(m.text);
    EXPECT_EQ(m.title, "Vozurivudoz") << m.text;
  }
  EXPECT_EQ(shown, texts);
}

TEST_F(SearchDialogTest, OpensWithTheSearchableFieldsOnceAndTheNineComparisons) {
  foundRecords = {0, 4};
  foundCount = 1;
  searchFound = 1;
  OnDialog("Buscar", [](ui::Window w) {
    EXPECT_EQ(ui::Caption(w), "Buscar");
    EXPECT_EQ(Lines(w, kFieldList),
              (std::vector<std::string>{"Ciudad", "Fonetica", "Importe", "Nombre"}));
    EXPECT_EQ(Lines(w, kComparisonList),
              (std::vector<std::string>{"01 - = Igual a ...", "02 - > Mayor que ...",
                                        "03 - < Menor que ...", "04 - >= Mayor o igual a ...",
                                        "05 - <= Menor o igual a ...", "06 - <> Distinto de ...",
                                        "07 - = Igual a comod\xEDn por la izquierda ...",
                                        "08 - = Igual a comod\xEDn por la derecha ...",
                                        "09 - = Igual en alguna parte del texto ..."}));
    EXPECT_EQ(ui::ListSelection(w, kFieldList), -1);
    EXPECT_EQ(ui::ListSelection(w, kComparisonList), -1);
    for (int id : {kText1, kText2, kText3}) EXPECT_FALSE(ui::Enabled(w, id));
    EXPECT_EQ(ui::Text(w, kLabel1), "Campo de busqueda 1 ");
    EXPECT_EQ(ui::MenuBar(w).at(0).title, "Men\xFA");
    EXPECT_EQ(ui::MenuBar(w).at(0).items.at(0).text, "Resetea");
    // Opening clears the found flag and keeps the results.
    EXPECT_EQ(searchFound, 0);
    EXPECT_EQ(foundCount, 1);

    Apply(w, "Fonetica", 1);
    EXPECT_TRUE(ui::testing::ChooseMenu(w, kResetea));
    // After "Resetea" the phonetic field is no longer offered.
    EXPECT_EQ(Lines(w, kFieldList), (std::vector<std::string>{"Ciudad", "Importe", "Nombre"}));
    EXPECT_EQ(ui::Text(w, kLabel1), "Campo de busqueda 1 ");
    EXPECT_FALSE(ui::Enabled(w, kText1));
    EXPECT_EQ(searchCriteria.criteriaCount, 0);
    Click(w, kSalir);
  });
  EXPECT_EQ(ShowSearchDialog(nullptr), 0);
  EXPECT_TRUE(MessagesShown().empty());
}

// A field-definition file of 100,000 fields (1.2 GB, written sparsely: fields 1 to 1100 and the
// last one, zeros between) opens the dialog at once: it reads only the fields every reader takes.
TEST_F(SearchDialogTest, AHugeFieldDefinitionFileOpensWithItsFirstFieldsAtOnce) {
  constexpr int64_t kFieldCount = 100000;
  std::vector<Field> first;
  for (int k = 1; k <= 1100; ++k) {
    char name[16];
    std::snprintf(name, sizeof name, "Campo%04d", k);
    first.push_back({name});
  }
  const std::string path = linkedDatabaseFolder + "Socios.z04";
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << DefinitionBytes(first);
    file.seekp((kFieldCount - 1) * static_cast<int64_t>(sizeof(Z04Record)));
    file << DefinitionBytes({{"Ultimo"}});
  }
  ASSERT_EQ(std::filesystem::file_size(path), kFieldCount * sizeof(Z04Record));
  // The dialog takes a step of its scan for every definition it reads.
  int64_t definitionsRead = 0;
  valueScanStep = [&] { ++definitionsRead; };
  OnDialog("Buscar", [&](ui::Window w) {
    EXPECT_EQ(definitionsRead, kMaxFieldDefinitions);
    const std::vector<std::string> lines = Lines(w, kFieldList);
    EXPECT_EQ(lines.size(), 1024u);
    EXPECT_EQ(lines.front(), "Campo0001");
    EXPECT_EQ(lines.back(), "Campo1024");
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(SearchDialogTest, ApplyingTakesTheFieldOutOfTheListUpToThreeTimes) {
  OnDialog("Buscar", [](ui::Window w) {
    Click(w, kAplicar);
    ChooseLine(w, kFieldList, "Nombre");
    Click(w, kAplicar);
    EXPECT_EQ(searchCriteria.criteriaCount, 0);

    Apply(w, "Nombre", 1);
    EXPECT_EQ(ui::Text(w, kLabel1), "Campo de busqueda 1 {Nombre = Igual a ...}");
    EXPECT_TRUE(ui::Enabled(w, kText1));
    EXPECT_FALSE(ui::Enabled(w, kText2));
    EXPECT_EQ(Lines(w, kFieldList), (std::vector<std::string>{"Ciudad", "Fonetica", "Importe"}));
    EXPECT_EQ(ui::ListSelection(w, kFieldList), -1);
    EXPECT_EQ(ui::ListSelection(w, kComparisonList), -1);
    Apply(w, "Ciudad", 7);
    EXPECT_EQ(ui::Text(w, kLabel2),
              "Campo de busqueda 2 {Ciudad = Igual a comod\xEDn por la izquierda ...}");
    Apply(w, "Importe", 8);
    EXPECT_EQ(searchCriteria.criteriaCount, 3);
    EXPECT_EQ(appliedCriteria[0].kind, "=");
    EXPECT_EQ(appliedCriteria[1].kind, "-*");
    EXPECT_EQ(appliedCriteria[2].kind, "*-");
    // A fourth is refused and changes nothing.
    Apply(w, "Fonetica", 6);
    EXPECT_EQ(searchCriteria.criteriaCount, 3);
    EXPECT_EQ(Lines(w, kFieldList), (std::vector<std::string>{"Fonetica"}));
    EXPECT_EQ(appliedCriteria[2].fieldName, "Importe");
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 2u);
  EXPECT_EQ(MessagesShown()[0].text, kChooseFirst);
  EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(MessagesShown()[1].text, kChooseFirst);
}

TEST_F(SearchDialogTest, SearchesAndReportsWithTheTimesInTheCaption) {
  std::vector<std::string> progress;
  OnDialog("Buscar", [&](ui::Window w) {
    valueScanStep = [&] { progress.push_back(ui::Caption(w)); };
    Apply(w, "Nombre", 1);
    TypeText(w, kText1, "Ana");
    Click(w, kBuscar);
    ExpectSearchEnded(w);
    EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3}));
    EXPECT_EQ(searchFound, 1);
    // A text of blanks is searched.
    TypeText(w, kText1, " ");
    Click(w, kBuscar);
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ExpectMessages({"2 Resultados ...", "No hay Resultados ..."});
  EXPECT_EQ(searchFound, 0);
  EXPECT_NE(std::find(progress.begin(), progress.end(), "25 %"), progress.end());
  EXPECT_NE(std::find(progress.begin(), progress.end(), "100 %"), progress.end());
}

TEST_F(SearchDialogTest, AnEmptyTextOrNoCriterionSearchesNothing) {
  OnDialog("Buscar", [](ui::Window w) {
    Click(w, kBuscar);
    Apply(w, "Nombre", 1);
    Apply(w, "Importe", 2);
    TypeText(w, kText1, "Ana");
    Click(w, kBuscar);
    for (int id : {kSalir, kAplicar, kBuscar}) EXPECT_TRUE(ui::Enabled(w, id));
    EXPECT_EQ(ui::Caption(w), "Buscar");
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 2u);
  EXPECT_EQ(MessagesShown()[0].text, kNoTexts);
  EXPECT_EQ(MessagesShown()[1].text, kNoTexts);
}

TEST_F(SearchDialogTest, CriteriaAppliedOutOfOrderKeepTheirTextsSearchAfterSearch) {
  OnDialog("Buscar", [](ui::Window w) {
    Apply(w, "Importe", 2);
    Apply(w, "Nombre", 1);
    TypeText(w, kText1, "8");
    TypeText(w, kText2, "Ana");
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      Click(w, kBuscar);
      EXPECT_EQ(searchCriteria.fieldNames[0], "Nombre");
      EXPECT_EQ(searchCriteria.searchTexts[0], "Ana");
      EXPECT_EQ(searchCriteria.kinds[0], "=");
      EXPECT_EQ(searchCriteria.fieldNames[1], "Importe");
      EXPECT_EQ(searchCriteria.searchTexts[1], "8");
      EXPECT_EQ(searchCriteria.kinds[1], ">");
      EXPECT_EQ(Found(), (std::vector<int64_t>{1}));
    }
    Apply(w, "Ciudad", 9);
    TypeText(w, kText3, "Lu");
    Click(w, kBuscar);
    EXPECT_EQ(searchCriteria.fieldNames[2], "Ciudad");
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 3u);
  EXPECT_EQ(MessagesShown()[1].text, "1 Resultados ...");
  EXPECT_EQ(MessagesShown()[2].text, "1 Resultados ...");
}

TEST_F(SearchDialogTest, AFieldNoLongerDefinedFindsNothing) {
  OnDialog("Buscar", [](ui::Window w) {
    Apply(w, "Nombre", 6);
    Apply(w, "Ciudad", 6);
    TypeText(w, kText1, "x");
    TypeText(w, kText2, "x");
    // The field definitions change while the dialog is open.
    testfiles::WriteRaw(linkedDatabaseFolder + "Socios.z04", DefinitionBytes({{"Nombre"}}));
    Click(w, kBuscar);
    EXPECT_EQ(searchCriteria.kinds[1], "");
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "No hay Resultados ...");
}

TEST_F(SearchDialogTest, ASearchThatRunsOutOfMemorySaysSoAndLeavesNoResults) {
  OnDialog("Buscar", [](ui::Window w) {
    Apply(w, "Nombre", 1);
    Apply(w, "Ciudad", 1);
    TypeText(w, kText1, "Ana");
    TypeText(w, kText2, "Vigo");
    // Record 3 is found, then the scan of record 4 finds no memory.
    onSearchFetch = [](std::string_view, int64_t record, ComparisonKind) {
      EXPECT_EQ(valueScanBusy, 1);
      if (record < 4) return;
      EXPECT_EQ(foundCount, 1);
      throw std::bad_alloc();
    };
    Click(w, kBuscar);
    EXPECT_EQ(foundCount, 0);
    EXPECT_EQ(foundRecords.size(), 1u);
    EXPECT_EQ(searchFound, 0);
    EXPECT_EQ(valueScanBusy, 0);
    ExpectSearchEnded(w);
    // The dialog goes on: the same search with memory finds its record.
    onSearchFetch = nullptr;
    Click(w, kBuscar);
    EXPECT_EQ(Found(), (std::vector<int64_t>{3}));
    Click(w, kSalir);
  });
  ShowSearchDialog(nullptr);
  ExpectMessages({"No hay memoria suficiente para terminar la busqueda ...", "1 Resultados ..."});
}

TEST_F(SearchDialogTest, NothingEndsTheDialogOrChangesItsCriteriaDuringASearch) {
  OnDialog("Buscar", [](ui::Window w) {
    valueScanStep = [w] {
      EXPECT_EQ(valueScanBusy, 1);
      for (int id : {kSalir, kAplicar, kBuscar}) EXPECT_FALSE(ui::Enabled(w, id));
      ui::testing::CloseBox(w);
      ui::testing::Key(w, ui::kKeyEscape);
      ui::testing::ChooseMenu(w, kResetea);
      ui::SendMessage(w, ui::Msg::Command, kSalir, ui::kClicked);
    };
    Apply(w, "Nombre", 9);
    TypeText(w, kText1, "An");
    Click(w, kBuscar);
    valueScanStep = nullptr;
    EXPECT_TRUE(ui::IsWindow(w));
    EXPECT_EQ(searchCriteria.criteriaCount, 1);
    EXPECT_EQ(ui::Text(w, kLabel1),
              "Campo de busqueda 1 {Nombre = Igual en alguna parte del texto ...}");
    EXPECT_EQ(Found(), (std::vector<int64_t>{1, 3}));
    // Idle, the close box stands for "Salir".
    ui::testing::CloseBox(w);
  });
  EXPECT_EQ(ShowSearchDialog(nullptr), 0);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "2 Resultados ...");
}

}  // namespace
