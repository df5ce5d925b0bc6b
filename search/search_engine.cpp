#include "search/search_engine.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "database/linked_database.h"
#include "database/search_results.h"
#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "database/value_scan.h"
#include "search/comparison.h"
#include "search/field_fetch.h"
#include "search/linked_fields.h"

namespace {

using CriterionKinds = std::array<ComparisonKind, 3>;
using NumberFields = std::array<bool, 3>;

// The kinds of criteria 1 to `count`; nothing when one of them is none of the nine symbols,
// which is when the selector they make names no row of the searches' tables.
std::optional<CriterionKinds> KindsOf(const SearchCriteria& criteria, int count) {
  CriterionKinds kinds{};
  for (int i = 0; i < count; ++i) {
    const std::optional<ComparisonKind> kind = FindComparisonKind(criteria.kinds[i]);
    if (!kind) return std::nullopt;
    kinds[i] = *kind;
  }
  return kinds;
}

// Which of criteria 1 to `count` search a field of a number type, by the same rule as the
// record list's totals: some definition of the name is of type 1 or 2.
NumberFields NumberFieldsOf(const SearchCriteria& criteria, int count) {
  const std::vector<std::string> names(criteria.fieldNames.begin(),
                                       criteria.fieldNames.begin() + count);
  const std::vector<LinkedFieldFacts> facts = ReadLinkedFieldFacts(names);
  NumberFields numberFields{};
  for (int i = 0; i < count; ++i) numberFields[i] = facts[i].typeOneOrTwo == 1;
  return numberFields;
}

bool RecordMeetsCriteria(ValueCellFile& cells, const SearchCriteria& criteria,
                         const CriterionKinds& kinds, const NumberFields& numberFields, int count,
                         int64_t record) {
  for (int i = 0; i < count; ++i) {
    const std::string& text = criteria.searchTexts[i];
    const std::string value =
        ReadFieldValueForSearch(cells, criteria.fieldNames[i], record, text, kinds[i]);
    if (!TestCriterion(kinds[i], value, text, numberFields[i])) return false;
  }
  return true;
}

SearchReport SearchRecords(const SearchCriteria& given, int count, const SearchProgress& progress) {
  ValueScanGuard busy;
  // The windows run between cells; nothing they change reaches this search.
  const SearchCriteria criteria = given;
  searchCellCursor = 1;
  foundRecords.assign(1, 0);
  foundCount = 0;
  ValueCellFile cells(LinkedValuePath(), kSearchBlockCells, BlockOrder::inOrder);
  // Every record number the system gives holds at least one cell, so a damaged last cell that
  // names a record beyond the cell count leads no further than the records that can exist.
  const int64_t last = std::min(cells.LastRecordNumber(), cells.CellCount());
  const std::optional<CriterionKinds> kinds = KindsOf(criteria, count);
  const NumberFields numberFields = NumberFieldsOf(criteria, count);
  int64_t matchCount = 0;
  for (int64_t record = 1; record <= last; ++record) {
    if (progress) progress(record, last);
    StepValueScan();
    if (kinds && RecordMeetsCriteria(cells, criteria, *kinds, numberFields, count, record)) {
      ++matchCount;
      // The count follows the entry, so that a failed growth leaves them agreeing.
      foundRecords.push_back(record);
      ++foundCount;
    }
  }
  searchFound = matchCount > 0 ? 1 : 0;
  return {matchCount, matchCount > 0 ? std::to_string(matchCount) + " Resultados ..."
                                     : "No hay Resultados ..."};
}

}  // namespace

int64_t CountSearchDatabaseRecords() {
  ValueCellFile cells(LinkedValuePath(), kCountBlockCells);
  return cells.LastRecordNumber();
}

std::string SearchProgressText(int64_t record, int64_t lastRecord) {
  if (lastRecord < 1) return "0 %";
  // The searches never pass a record beyond the last, which keeps the product in range.
  const int64_t percent = std::clamp<int64_t>(record, 0, lastRecord) * 100 / lastRecord;
  return std::to_string(static_cast<int16_t>(percent)) + " %";
}

SearchReport SearchRecordsOneField(const SearchCriteria& criteria, const SearchProgress& progress) {
  return SearchRecords(criteria, 1, progress);
}

SearchReport SearchRecordsTwoFields(const SearchCriteria& criteria,
                                    const SearchProgress& progress) {
  return SearchRecords(criteria, 2, progress);
}

SearchReport SearchRecordsThreeFields(const SearchCriteria& criteria,
                                      const SearchProgress& progress) {
  return SearchRecords(criteria, 3, progress);
}

void ResetSearchState() {
  ClearSearchResults();
  searchCellCursor = 1;
  searchCursorRecord = 0;
}
