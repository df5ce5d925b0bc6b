#include "database/record_fill.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "database/date_arithmetic.h"
#include "database/linked_database.h"
#include "database/value_scan.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"

std::function<void()> repaintAfterFill;
std::function<std::optional<std::string>(const std::string&)> templateScriptRunner;

namespace {

StartValues startValues(repaintAfterFill, templateScriptRunner);

// The longest shown copy of an aligned text, however many values went into it.
constexpr size_t kMaxShownTextLength = 32767;
constexpr size_t kMaxScriptPathLength = 273;

// What a fill knows of the linked database and of the record.
struct FillSource {
  std::vector<FieldDefinition> fields;
  std::unordered_map<std::string, std::string> values;
  CalendarDate today;

  std::string ValueOf(const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? kNoData : found->second;
  }
  // The list's item for a stored 99 + n, from the list of the last definition of the name.
  std::string ListItemOf(const std::string& name, std::string_view value) const {
    const FieldDefinition* field = LastFieldDefinition(fields, name);
    const std::string list = field ? text::TrimBlanks(field->listText) : std::string();
    return ListChoiceItem(list, numbers::NumericValueOfText(value) - 99);
  }
  // What a placeholder of the field shows: dates and list choices as the objects show them.
  std::string PlaceholderValueOf(const std::string& name) const {
    const std::string value = ValueOf(name);
    switch (LastFieldType(fields, name)) {
      case kFieldDate: return DateFieldText(value, today);
      case kFieldListChoice: return ListItemOf(name, value);
      default: return value;
    }
  }
};

void FillByType(PageObject& o, int16_t type, const std::string& name, const FillSource& source) {
  const std::string value = source.ValueOf(name);
  switch (type) {
    case kFieldPhonetic:
      SetFixedField(o.fillFontName, kPhoneticFontName);
      SetFixedField(o.fillText, value);
      break;
    case kFieldNumber:
    case kFieldNumberOther:
    case kFieldText:
    case kFieldTextOther:
    case kFieldTextThird: SetFixedField(o.fillText, value); break;
    case kFieldYesNo: o.optionMarked = numbers::ToInt32(numbers::NumericValueOfText(value)); break;
    case kFieldMemo: SetFixedField(o.text, value); break;
    case kFieldDate: SetFixedField(o.fillText, DateFieldText(value, source.today)); break;
    case kFieldListChoice: SetFixedField(o.fillText, source.ListItemOf(name, value)); break;
    default: break;
  }
}

void RunBoundScript(PageObject& o, std::string_view binding) {
  if (!templateScriptRunner) return;
  const std::string path = DecodeScriptReference(binding).substr(0, kMaxScriptPathLength);
  // A failed run shows nothing rather than what an earlier record filled in.
  SetFixedField(o.fillText, templateScriptRunner(path).value_or(std::string()));
}

// Objects inserted since the copies were made get their own text as their copy.
void ExtendPlaceholderTexts() {
  for (size_t slot = savedPlaceholderTexts.size();
       slot <= static_cast<size_t>(std::clamp(objectCount, 0, kStoreSlots - 1)); ++slot) {
    const PageObject& o = pageObjects[slot];
    savedPlaceholderTexts.emplace_back(o.kind == kAlignedText ? FixedFieldText(o.text)
                                                              : std::string_view());
  }
}

}  // namespace

void RebuildPlaceholderTexts() {
  savedPlaceholderTexts.clear();
  ExtendPlaceholderTexts();
}

bool FillObjectsFromRecord(int64_t record) {
  if (valueScanBusy) return false;
  ValueScanGuard busy;
  FillSource source;
  source.fields = ReadFieldDefinitions(LinkedFieldDefinitionPath());
  const int64_t n = SetLinkedFieldNamesAndTypes(source.fields);
  if (n > 0) {
    for (auto& [name, value] : ReadRecordValues(LinkedValuePath(), record))
      source.values.emplace(std::move(name), std::move(value));
  }
  source.today = todaysDate();
  ExtendPlaceholderTexts();

  const int last = std::clamp(objectCount, 1, kStoreSlots - 1);
  for (int slot = 2; slot <= last; ++slot) {
    PageObject& o = pageObjects[slot];
    if (o.kind <= kEmptySlot) continue;
    const std::string binding(FixedFieldText(o.databaseField));
    if (binding.starts_with("@@")) RunBoundScript(o, binding);
    for (int64_t i = 1; i <= n; ++i) {
      if (linkedFieldNames[i] == binding) FillByType(o, linkedFieldTypes[i], binding, source);
    }
    // Each fill starts again from the placeholders of the object's own text.
    const std::string_view own = FixedFieldText(o.text);
    if (n > 0 && o.kind == kAlignedText && own.find('#') != std::string_view::npos)
      savedPlaceholderTexts[slot] = own;
  }

  // Each field's placeholder value is worked out once, when a text first asks for it.
  std::vector<std::optional<std::string>> placeholderValues(static_cast<size_t>(n) + 1);
  for (int slot = 2; slot <= last; ++slot) {
    if (pageObjects[slot].kind != kAlignedText) continue;
    std::string& shown = savedPlaceholderTexts[slot];
    for (int64_t i = 1; i <= n; ++i) {
      const auto marks = std::count(shown.begin(), shown.end(), '#');
      if (marks < 1 || marks > 2 * n) continue;
      std::optional<std::string>& value = placeholderValues[static_cast<size_t>(i)];
      if (!value) value = source.PlaceholderValueOf(linkedFieldNames[i]);
      shown = FillPlaceholderText(linkedFieldNames[i], shown, *value);
      filledTextsShown = 1;
    }
  }
  if (repaintAfterFill) repaintAfterFill();
  return true;
}

std::string FillPlaceholderText(std::string_view fieldName, std::string_view text,
                                std::string_view value) {
  const std::string capitals = "##" + std::string(fieldName), plain = "#" + std::string(fieldName);
  const std::string upper = text::Upper(value);
  std::string filled;
  for (size_t p = 0; p < text.size() && filled.size() < kMaxShownTextLength;) {
    if (text.substr(p).starts_with(capitals)) {
      filled += upper;
      p += capitals.size();
    } else if (text.substr(p).starts_with(plain)) {
      filled += value;
      p += plain.size();
    } else {
      filled += text[p++];
    }
  }
  if (filled.size() > kMaxShownTextLength) filled.resize(kMaxShownTextLength);
  return filled;
}

std::string DecodeScriptReference(std::string_view binding) {
  std::string name;
  for (char c : binding) {
    if (c == '_')
      name += ' ';
    else if (c != '~' && c != '#' && c != '@' && c != '&')
      name += c;
  }
  return name;
}

std::string ListChoiceItem(std::string_view listText, long double index) {
  const int64_t wanted = numbers::ToInt64(index);
  if (wanted < 1) return {};
  int64_t item = 1;
  size_t start = 0;
  for (size_t i = 0; i <= listText.size(); ++i) {
    if (i < listText.size() && listText[i] != '|') continue;
    if (item == wanted) return std::string(listText.substr(start, i - start));
    ++item;
    start = i + 1;
  }
  return {};
}
