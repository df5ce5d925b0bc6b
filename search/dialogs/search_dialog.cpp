#include "search/dialogs/search_dialog.h"

#include <ctime>
#include <new>
#include <set>

#include "database/records.h"
#include "database/value_scan.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/start_values.h"
#include "search/comparison.h"
#include "search/field_definitions.h"
#include "database/linked_database.h"
#include "search/search_engine.h"
#include "database/search_results.h"

SearchCriteria searchCriteria;
std::array<AppliedCriterion, 3> appliedCriteria;
std::string searchStartTime;

using namespace search_dialog_ids;

namespace {

// The comparison list's lines; the two digits in front are the option numbers.
constexpr const char* kComparisonOptions[] = {
    "01 - = Igual a ...",
    "02 - > Mayor que ...",
    "03 - < Menor que ...",
    "04 - >= Mayor o igual a ...",
    "05 - <= Menor o igual a ...",
    "06 - <> Distinto de ...",
    "07 - = Igual a comod\xEDn por la izquierda ...",
    "08 - = Igual a comod\xEDn por la derecha ...",
    "09 - = Igual en alguna parte del texto ...",
};

// Esc and the close box stand for "Salir".
DialogSkeleton skeleton{nullptr, nullptr, kSalir};
// Set from "Buscar" until its search has ended: the windows run meanwhile, and nothing of the
// dialog may end it or change the criteria under the search.
bool searching = false;

std::string EmptyLabelText(int n) { return "Campo de busqueda " + std::to_string(n) + " "; }

std::string TimeOfDayText() {
  const std::time_t now = std::time(nullptr);
  char text[16] = "00:00:00";
  if (const std::tm* local = std::localtime(&now))
    std::strftime(text, sizeof text, "%H:%M:%S", local);
  return text;
}

// The fields of the linked database that may be searched, each name once even when the file
// defines it twice. A phonetic field (type 0) is offered only when the dialog opens; memo
// texts (type 5) never.
void FillFieldList(ui::Window window, bool withPhonetic) {
  ui::ListClear(window, kFieldList);
  std::set<std::string> listed;
  ForEachFieldDefinition(LinkedFieldDefinitionPath(), [&](const Z04Record& record) {
    const int16_t type = record.fieldType;
    const bool searchable =
        (type >= 1 && type <= 9 && type != kFieldMemo) || (withPhonetic && type == 0);
    if (record.recordKind != 1 || !searchable) return;
    if (listed.emplace(FieldNameOf(record)).second)
      ui::ListAdd(window, kFieldList, FieldNameOf(record));
  });
}

void InitSearchDialog(ui::Window window) {
  FillFieldList(window, true);
  ui::ListClear(window, kComparisonList);
  for (const char* option : kComparisonOptions) ui::ListAdd(window, kComparisonList, option);
  for (int n = 1; n <= 3; ++n) ui::Enable(window, TextBoxOf(n), false);
  searchCriteria = {};
  appliedCriteria = {};
  searchFound = 0;
}

void ApplyCriterion(ui::Window window) {
  const int fieldLine = ui::ListSelection(window, kFieldList);
  const int optionLine = ui::ListSelection(window, kComparisonList);
  const std::string field = fieldLine >= 0 ? ui::ListText(window, kFieldList, fieldLine) : "";
  const std::string option =
      optionLine >= 0 ? ui::ListText(window, kComparisonList, optionLine) : "";
  if (field.empty() || option.empty()) {
    Tell(nullptr, "Tiene que seleccionar sus preferencias de busqueda primero ...");
    return;
  }
  // Three criteria are all a search takes.
  if (searchCriteria.criteriaCount >= 3) return;
  const std::optional<ComparisonKind> kind =
      ComparisonKindOfOption(static_cast<int>(ListLineNumber(option)));
  const int n = ++searchCriteria.criteriaCount;
  appliedCriteria[n - 1] = {field, kind ? ComparisonSymbol(*kind) : ""};
  // A field is applied once.
  ui::ListDelete(window, kFieldList, fieldLine);
  ui::ListSelect(window, kFieldList, -1);
  ui::ListSelect(window, kComparisonList, -1);
  ui::SetText(
      window, LabelOf(n),
      "Campo de busqueda " + std::to_string(n) + " {" + field + " " + option.substr(5) + "}");
  ui::Enable(window, TextBoxOf(n), true);
}

// Reorders and searches; the windows run meanwhile.
SearchReport ReorderAndSearch(ui::Window window, int count,
                              const std::array<std::string, 3>& texts) {
  ValueScanGuard busy;
  // The reordering works on a copy, so that text N stays with the criterion of label N.
  for (int i = 0; i < 3; ++i) {
    searchCriteria.fieldNames[i] = appliedCriteria[i].fieldName;
    searchCriteria.kinds[i] = appliedCriteria[i].kind;
    searchCriteria.searchTexts[i] = texts[i];
  }
  if (count >= 2) ReorderCriteriaByFieldOrder(searchCriteria, static_cast<int16_t>(count));
  searchStartTime = TimeOfDayText();
  const SearchProgress progress = [window](int64_t record, int64_t last) {
    ShowSearchProgress(window, record, last);
  };
  return count == 1   ? SearchRecordsOneField(searchCriteria, progress)
         : count == 2 ? SearchRecordsTwoFields(searchCriteria, progress)
                      : SearchRecordsThreeFields(searchCriteria, progress);
}

void RunSearch(ui::Window window, int count, const std::array<std::string, 3>& texts) {
  searching = true;
  std::string message;
  try {
    message = ReorderAndSearch(window, count, texts).message;
  } catch (const std::bad_alloc&) {
    // Part of the results would pass for all of them: a search cut short finds nothing.
    ClearSearchResults();
    message = "No hay memoria suficiente para terminar la busqueda ...";
  }
  searching = false;
  Tell(nullptr, message);
  ui::SetCaption(window, searchStartTime + " - " + TimeOfDayText());
}

void StartSearch(ui::Window window) {
  std::array<std::string, 3> texts;
  for (int n = 1; n <= 3; ++n) texts[n - 1] = ui::Text(window, TextBoxOf(n));
  for (int id : {kSalir, kAplicar, kBuscar}) ui::Enable(window, id, false);
  const int count = searchCriteria.criteriaCount;
  bool typed = count >= 1;
  for (int i = 0; i < count; ++i) typed = typed && !texts[i].empty();
  if (typed) {
    RunSearch(window, count, texts);
  } else {
    Tell(nullptr, "No ha escrito valores a buscar ...");
  }
  for (int id : {kSalir, kAplicar, kBuscar}) ui::Enable(window, id, true);
}

void ResetCriteria(ui::Window window) {
  FillFieldList(window, false);
  for (int n = 1; n <= 3; ++n) {
    ui::SetText(window, TextBoxOf(n), "");
    ui::Enable(window, TextBoxOf(n), false);
    ui::SetText(window, LabelOf(n), EmptyLabelText(n));
  }
  searchCriteria.criteriaCount = 0;
  appliedCriteria = {};
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (searching) return;
  if (IsButtonPress(id, code, kSalir)) {
    ui::EndDialog(window, 0);
  } else if (IsButtonPress(id, code, kAplicar)) {
    ApplyCriterion(window);
  } else if (IsButtonPress(id, code, kBuscar)) {
    StartSearch(window);
  } else if (id == kResetea) {
    ResetCriteria(window);
  }
}

constexpr DialogHandlers kHandlers{.init = InitSearchDialog, .command = OnCommand};

}  // namespace

int ShowSearchDialog(ui::Window owner) {
  ui::DialogTemplate t;
  t.caption = "Buscar";
  t.x = 70;
  t.y = 70;
  t.w = 352;
  t.h = 279;
  t.units = ui::Units::Dialog;
  t.controls = {
      {ui::Kind::Label, 7001, "Elige campo de b\xFAsqueda", 5, 5, 230, 10},
      {ui::Kind::ComboBox, kFieldList, "", 5, 15, 340, 80, ui::kSorted},
      {ui::Kind::ComboBox, kComparisonList, "", 5, 45, 340, 80, ui::kSorted},
      {ui::Kind::Label, 7004, "Elige tipo de comparaci\xF3n de b\xFAsqueda", 5, 35, 230, 10},
      {ui::Kind::GroupFrame, 7005, "Busqueda", 5, 65, 340, 155},
      {ui::Kind::Label, LabelOf(1), EmptyLabelText(1), 10, 80, 330, 15},
      {ui::Kind::Edit, TextBoxOf(1), "", 10, 95, 330, 20, ui::kHScroll | ui::kSunken},
      {ui::Kind::Label, LabelOf(2), EmptyLabelText(2), 10, 125, 330, 15},
      {ui::Kind::Edit, TextBoxOf(2), "", 10, 140, 330, 20, ui::kHScroll | ui::kSunken},
      {ui::Kind::Label, LabelOf(3), EmptyLabelText(3), 10, 170, 330, 15},
      {ui::Kind::Edit, TextBoxOf(3), "", 10, 185, 330, 20, ui::kHScroll | ui::kSunken},
      {ui::Kind::Button, kSalir, "Salir", 5, 240, 50, 15},
      {ui::Kind::Button, kAplicar, "Aplicar", 155, 240, 50, 15},
      {ui::Kind::Button, kBuscar, "Buscar", 295, 240, 50, 15},
  };
  ui::Window dialog = ui::CreateDialog(t, owner, SearchDialogProc);
  BuildSearchDialogMenu(dialog);
  ui::RunModal(dialog);
  return 0;
}

void BuildSearchDialogMenu(ui::Window dialog) {
  ui::SetMenuBar(dialog, {{"Men\xFA", {{"Resetea", kResetea}}}});
}

void ShowSearchProgress(ui::Window dialog, int64_t record, int64_t lastRecord) {
  ui::SetCaption(dialog, SearchProgressText(record, lastRecord));
}

intptr_t SearchDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetSearchDialogState() {
  searchCriteria = {};
  appliedCriteria = {};
  searchStartTime.clear();
  searching = false;
}
const EnrolledStart enrolled(ResetSearchDialogState);
