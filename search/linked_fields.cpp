#include "search/linked_fields.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "database/value_block_sizes.h"
#include "page/shared_helpers.h"
#include "platform/text/text.h"
#include "search/field_definitions.h"
#include "search/field_fetch.h"

namespace {

LinkedFieldFacts FactsOf(std::string_view fieldName) {
  return ReadLinkedFieldFacts({std::string(fieldName)})[0];
}

}  // namespace

std::string ReadLinkedFieldValue(std::string_view fieldName, int64_t recordNumber) {
  ValueCellFile cells(LinkedValuePath(), kLinkedFieldBlockCells);
  return ReadLinkedFieldValue(cells, fieldName, recordNumber);
}

std::string ReadLinkedFieldValue(ValueCellFile& cells, std::string_view fieldName,
                                 int64_t recordNumber) {
  std::string value = ScanFieldValue(cells, fieldName, recordNumber, {false, {}});
  return value.empty() ? "No datos" : value;
}

std::vector<LinkedFieldFacts> ReadLinkedFieldFacts(const std::vector<std::string>& fieldNames) {
  std::vector<LinkedFieldFacts> facts(fieldNames.size());
  ForEachFieldDefinition(LinkedFieldDefinitionPath(), [&](const Z04Record& record) {
    const std::string_view name = FieldNameOf(record);
    for (size_t j = 0; j < fieldNames.size(); ++j) {
      if (fieldNames[j] != name) continue;
      // The last definition of a name gives its type and choices; any of them makes the tests.
      LinkedFieldFacts& f = facts[j];
      f.fieldType = record.fieldType;
      f.listText = text::TrimBlanks(FixedFieldText(record.listText));
      if (record.fieldType == kFieldYesNo) f.typeFour = 1;
      if (record.fieldType == kFieldNumber || record.fieldType == kFieldNumberOther)
        f.typeOneOrTwo = 1;
    }
  });
  return facts;
}

std::string GetLinkedFieldListText(std::string_view fieldName) {
  return FactsOf(fieldName).listText;
}

int32_t IsLinkedFieldTypeFour(std::string_view fieldName) { return FactsOf(fieldName).typeFour; }

int32_t IsLinkedFieldTypeOneOrTwo(std::string_view fieldName) {
  return FactsOf(fieldName).typeOneOrTwo;
}

int32_t ReorderListFieldsByFieldOrder(std::span<ListFieldEntry> fields, int16_t count) {
  const size_t n = std::min(fields.size(), static_cast<size_t>(std::max<int16_t>(count, 0)));
  std::vector<std::string> names;
  for (size_t j = 0; j < n; ++j) names.emplace_back(FixedFieldText(fields[j].fieldName));
  const std::vector<size_t> order = OrderByFieldDefinitions(LinkedFieldDefinitionPath(), names);
  std::vector<ListFieldEntry> placed(n);
  for (size_t k = 0; k < order.size(); ++k) {
    SetFixedField(placed[k].fieldName, names[order[k]]);
    placed[k].reservedWidth = fields[order[k]].reservedWidth;
  }
  std::copy(placed.begin(), placed.end(), fields.begin());
  return static_cast<int32_t>(order.size());
}
