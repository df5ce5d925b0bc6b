// "Buscar": the search of the linked database. The user picks a field and a comparison and
// applies them, up to three times, types one text per applied criterion and starts the search;
// the dialog hands the criteria, in the order in which their fields are defined, to the one-,
// two- or three-field search, shows its progress in the caption and its report in a message.
// A search that runs out of memory says so and leaves no results.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/ui/ui.h"
#include "search/search_criteria.h"

// One applied criterion: the field and the kind of the N-th "Aplicar"; its text is always the
// one in text box N.
struct AppliedCriterion {
  std::string fieldName;
  std::string kind;  // ComparisonKind symbol
};

// What the last "Buscar" searched, in field-definition order; criteriaCount is the number of
// criteria applied in the dialog.
extern SearchCriteria searchCriteria;
extern std::array<AppliedCriterion, 3> appliedCriteria;
// The time of day the last search started, "hh:mm:ss".
extern std::string searchStartTime;

// The dialog's control ids.
namespace search_dialog_ids {
inline constexpr int kFieldList = 7002, kComparisonList = 7003;
inline constexpr int kSalir = 7012, kAplicar = 7013, kBuscar = 7014, kResetea = 7015;
// Label and text box of criterion N (from 1): kCriterionLabel + 2 (N - 1) and the id after it.
inline constexpr int kCriterionLabel = 7006;
constexpr int LabelOf(int n) { return kCriterionLabel + 2 * (n - 1); }
constexpr int TextBoxOf(int n) { return LabelOf(n) + 1; }
}  // namespace search_dialog_ids

// Runs the dialog modally until "Salir"; returns 0. The main window passes no owner, so that it
// stays usable meanwhile, and keeps its own guard set while the dialog runs.
int ShowSearchDialog(ui::Window owner);
intptr_t SearchDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
// The menu bar: "Menú" with "Resetea".
void BuildSearchDialogMenu(ui::Window dialog);
// The dialog's caption during a search: the percentage done ("12 %").
void ShowSearchProgress(ui::Window dialog, int64_t record, int64_t lastRecord);

// The dialog's state of a program that has not opened it yet.
void ResetSearchDialogState();
