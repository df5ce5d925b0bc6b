#include "search/search_criteria.h"

#include <algorithm>
#include <vector>

#include "database/linked_database.h"
#include "search/field_definitions.h"

int32_t ReorderCriteriaByFieldOrder(SearchCriteria& criteria, int16_t count) {
  const size_t n = static_cast<size_t>(std::clamp<int16_t>(count, 0, 3));
  const std::vector<std::string> names(criteria.fieldNames.begin(),
                                       criteria.fieldNames.begin() + n);
  const std::vector<size_t> order = OrderByFieldDefinitions(LinkedFieldDefinitionPath(), names);
  SearchCriteria placed;
  for (size_t k = 0; k < order.size(); ++k) {
    placed.fieldNames[k] = criteria.fieldNames[order[k]];
    placed.searchTexts[k] = criteria.searchTexts[order[k]];
    placed.kinds[k] = criteria.kinds[order[k]];
  }
  for (size_t j = 0; j < n; ++j) {
    criteria.fieldNames[j] = placed.fieldNames[j];
    criteria.searchTexts[j] = placed.searchTexts[j];
    criteria.kinds[j] = placed.kinds[j];
  }
  return static_cast<int32_t>(order.size());
}
