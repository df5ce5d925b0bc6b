#include "search/field_definitions.h"

#include <cstring>

#include "database/value_scan.h"
#include "objects/shared_helpers.h"
#include "platform/files/files.h"

void ForEachFieldDefinition(const std::string& path,
                            const std::function<void(const Z04Record&)>& visit) {
  if (path.empty()) return;
  files::RecordFile file;
  if (file.Open(path, kZ04RecordLength) != 0) return;
  const int64_t count = file.RecordCount();
  std::string bytes;
  Z04Record record;
  for (int64_t k = 1; k <= count; ++k) {
    StepValueScan();
    // A file that shrank while it was read ends where it ends now.
    if (!file.Get(k, bytes)) break;
    std::memcpy(&record, bytes.data(), sizeof record);
    visit(record);
  }
}

std::string_view FieldNameOf(const Z04Record& record) { return FixedFieldText(record.fieldName); }

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
