#include "search/field_definitions.h"

#include "database/value_scan.h"

void ForEachFieldDefinition(const std::string& path,
                            const std::function<void(const Z04Record&)>& visit) {
  VisitFieldDefinitions(
      path,
      [&](const Z04Record& record) {
        StepValueScan();
        visit(record);
      },
      kMaxFieldDefinitions);
}

std::vector<size_t> OrderByFieldDefinitions(const std::string& path,
                                            const std::vector<std::string>& names) {
  std::vector<size_t> order;
  std::vector<bool> placed(names.size(), false);
  ForEachFieldDefinition(path, [&](const Z04Record& record) {
    const std::string_view name = FieldNameOf(record);
    for (size_t j = 0; j < names.size(); ++j) {
      if (!placed[j] && names[j] == name) {
        placed[j] = true;
        order.push_back(j);
      }
    }
  });
  return order;
}
