// The criteria of a search: up to three, each a field of the linked database, a comparison
// kind and a text. The search dialog fills them from what the user applied and typed, puts
// them into the order in which their fields are defined, and hands a copy to the search.
#pragma once
#include <array>
#include <cstdint>
#include <string>

struct SearchCriteria {
  // Criterion i is entry i - 1 of the three arrays.
  std::array<std::string, 3> fieldNames;
  std::array<std::string, 3> searchTexts;
  std::array<std::string, 3> kinds;  // ComparisonKind symbols; "" for none
  int16_t criteriaCount = 0;         // 0 to 3
};

// Puts criteria 1 to `count` into the order in which the linked field-definition file defines
// their fields, each criterion once, and returns how many it placed. The places after them come
// back empty (field, text and kind ""), so a criterion whose field is no longer defined drops
// out and the search it ends up in matches nothing.
int32_t ReorderCriteriaByFieldOrder(SearchCriteria& criteria, int16_t count);
