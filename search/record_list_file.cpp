#include "search/record_list_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <span>

#include "database/database_files.h"
#include "database/records.h"
#include "database/search_results.h"
#include "database/value_block_sizes.h"
#include "database/value_scan.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"
#include "search/field_fetch.h"

std::vector<ListFieldEntry> listFieldNames(1, ListFieldEntry{});
int16_t listFieldCount = 0;
int16_t listFontSize = 8;
int16_t listLineLength = 0;
int32_t listCharsAvailable = 0;
int32_t listUpperCase = 0;
int32_t listWithTotals = 0;
std::string listFileStamp;
std::vector<double> listColumnTotals;

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreak = "\\line ";

// A list goes to a file of its own: a name already taken gets another stamp, this many times.
constexpr int kStampAttempts = 1000;

const char* const kYesNoTexts[2] = {"no", "si"};

bool IsPhonetic(const RecordListColumn& column) { return column.fieldType <= 0; }

std::string FontSwitch(int font, int fontSize) {
  return "\\f" + std::to_string(font) + "\\fs" + std::to_string(2 * fontSize) + " ";
}

// `count` blanks of the list's own: all but the last as non-breaking spaces, which a word
// processor keeps one character wide each (it narrows every other blank of a run of ordinary
// ones), and the last, the blank between two columns, as an ordinary one.
std::string Blanks(long long count) {
  if (count <= 0) return {};
  std::string out;
  out.reserve(static_cast<size_t>(2 * count - 1));
  for (long long k = 1; k < count; ++k) out += "\\~";
  out += ' ';
  return out;
}

// The width a value takes for its padding: a phonetic value counts its escapes of "\", "{",
// "}" and ";" as written, other values count their characters.
long long PaddingLength(std::string_view value, bool phonetic) {
  long long length = static_cast<long long>(value.size());
  if (phonetic) {
    for (char c : value) {
      if (c == '\\' || c == '{' || c == '}' || c == ';') length += 3;
    }
  }
  return length;
}

// Item n of a table, counted from 1; false when there is none.
bool LookUp(const std::vector<std::string>& table, long double n, std::string& into) {
  if (n < 1 || n > static_cast<long double>(table.size())) return false;
  into = table[static_cast<size_t>(n) - 1];
  return true;
}

int SecondsSinceMidnight(std::time_t when) {
  const std::tm* local = std::localtime(&when);
  return local ? local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec : 0;
}

}  // namespace

void ResetRecordListState() {
  listFieldNames.assign(1, ListFieldEntry{});
  listFieldCount = 0;
  listFontSize = 8;
  listLineLength = 0;
  listCharsAvailable = 0;
  listUpperCase = 0;
  listWithTotals = 0;
  listFileStamp.clear();
  listColumnTotals.clear();
}
const EnrolledStart enrolled(ResetRecordListState);

double ParseStoredNumber(std::string_view text) {
  return static_cast<double>(numbers::NumericValueOfText(ApostropheToDecimalPoint(text)));
}

int16_t CountDecimalPlaces(std::string_view text) {
  const size_t mark = text.find_last_of(".,");
  if (mark == std::string_view::npos) return 0;
  return numbers::NarrowToInt16(static_cast<int64_t>(text.size() - mark - 1));
}

std::string FormatThousands(std::string_view text) {
  const std::string mask =
      "###,###,###,###,###." +
      std::string(static_cast<size_t>(std::max<int16_t>(0, CountDecimalPlaces(text))), '0');
  std::string out = numbers::FormatWithMask(numbers::NumericValueOfText(text), mask);
  for (char& c : out) {
    if (c == ',') {
      c = '.';
    } else if (c == '.') {
      c = '\'';
    }
  }
  return out;
}

std::string DrawListFileStamp(std::mt19937& generator) {
  std::uniform_int_distribution<uint32_t> draw(256000, 256000000);
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%07X", static_cast<unsigned>(draw(generator)));
  return stamp;
}

std::string ListFileName(std::string_view folder, std::time_t when, std::string_view stamp) {
  const std::tm* local = std::localtime(&when);
  char date[32] = "01-01-1970";
  if (local) {
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", local->tm_mday, local->tm_mon + 1,
                  local->tm_year + 1900);
  }
  return std::string(folder) + "Lista " + date + " - " + std::string(stamp) + ".rtf";
}

std::string RecordListValueText(const RecordListColumn& column, std::string_view raw,
                                bool upperCase) {
  std::string v(raw);
  bool capitals = upperCase && !IsPhonetic(column);
  if (column.yesNo) {
    const long double n = numbers::RoundHalfEven(numbers::NumericValueOfText(raw));
    if (n == 0 || n == 1) v = kYesNoTexts[n == 1];
    capitals = upperCase;
  } else if (column.fieldType == kFieldListChoice) {
    LookUp(column.listItems, numbers::RoundHalfEven(numbers::NumericValueOfText(raw)) - 99, v);
    capitals = upperCase;
  }
  if (capitals) v = text::Upper(v);
  return text::TrimBlanks(v);
}

std::string EscapeRtfText(std::string_view value, bool phonetic) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}' || (phonetic && c == ';') || byte > 0x7F) {
      out += "\\'";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string RecordListRun(const RecordListColumn& column, std::string_view value, int fontSize,
                          bool lastColumn) {
  const bool phonetic = IsPhonetic(column);
  std::string run = FontSwitch(phonetic ? 1 : 0, fontSize) + EscapeRtfText(value, phonetic);
  if (!lastColumn)
    run += Blanks(std::max(0LL, column.reservedWidth - PaddingLength(value, phonetic)) + 1);
  return run;
}

std::string RecordListTotalsRun(const RecordListColumn& column, double total, int fontSize) {
  std::string run = FontSwitch(0, fontSize);
  if (!column.numeric) return run + Blanks(column.reservedWidth + 1LL);
  const std::string t = FormatThousands(numbers::NumberText(total));
  return run + t + Blanks(column.reservedWidth - static_cast<long long>(t.size()) + 1);
}

namespace {

// The chosen columns and what the field-definition file says of them, read once.
std::vector<RecordListColumn> DescribeColumns() {
  const size_t count = std::min(static_cast<size_t>(std::max<int16_t>(0, listFieldCount)),
                                listFieldNames.size() - 1);
  std::vector<RecordListColumn> columns(count + 1);
  std::vector<std::string> names(count + 1);
  for (size_t j = 1; j <= count; ++j) {
    names[j] = FixedFieldText(listFieldNames[j].fieldName);
    columns[j].fieldName = names[j];
    columns[j].reservedWidth = listFieldNames[j].reservedWidth;
  }
  const std::vector<LinkedFieldFacts> facts = ReadLinkedFieldFacts(names);
  for (size_t j = 1; j <= count; ++j) {
    RecordListColumn& column = columns[j];
    if (column.fieldName.empty()) continue;
    column.fieldType = facts[j].fieldType;
    column.yesNo = facts[j].typeFour == 1;
    column.numeric = facts[j].typeOneOrTwo == 1;
    if (column.fieldType != kFieldListChoice) continue;
    const std::string& items = facts[j].listText;
    for (size_t from = 0;;) {
      const size_t bar = items.find('|', from);
      column.listItems.push_back(items.substr(from, bar - from));
      if (bar == std::string::npos) break;
      from = bar + 1;
    }
  }
  return columns;
}

// A name no list file has yet, in the data folder, with the date of `now`.
int ChooseListFileName(std::time_t now, std::string& path) {
  std::mt19937 generator(static_cast<uint32_t>(SecondsSinceMidnight(now)));
  const std::string folder = files::DataFolder();
  for (int attempt = 0; attempt < kStampAttempts; ++attempt) {
    listFileStamp = DrawListFileStamp(generator);
    path = ListFileName(folder, now, listFileStamp);
    if (!files::FileExists(path)) return 0;
  }
  return EEXIST;
}

// Writes the list into `list` (open on its temporary file) as it goes, one line at a time, so
// that a list of any length needs the memory of one line. Returns 0 or the errno.
int WriteListLines(const RecordListHooks& hooks, files::AtomicFileWriter& list) {
  searchCellCursor = 1;
  if (listFieldNames.empty()) listFieldNames.resize(1);
  ReorderListFieldsByFieldOrder(std::span(listFieldNames).subspan(1), listFieldCount);
  // The columns, the size and the capitals are taken once, so that the file comes out whole
  // whatever the dialog is asked meanwhile.
  const std::vector<RecordListColumn> columns = DescribeColumns();
  const int count = static_cast<int>(columns.size()) - 1;
  const int fontSize = listFontSize;
  const bool upperCase = listUpperCase == 1;
  listColumnTotals.assign(columns.size(), 0.0);
  ValueCellFile cells(LinkedValuePath(), kRecordListBlockCells);

  std::string line(kRecordListRtfHeader);
  const auto endLine = [&line, &list] {
    line += kLineBreak;
    line += kLineEnd;
    const int error = list.Write(line);
    line.clear();
    return error;
  };
  const int64_t found =
      std::min<int64_t>(foundCount, static_cast<int64_t>(foundRecords.size()) - 1);
  int64_t percentShown = -1;
  for (int64_t i = 1; i <= found; ++i) {
    StepValueScan();
    if (hooks.progress && i * 100 / found != percentShown) {
      percentShown = i * 100 / found;
      hooks.progress(i, found);
    }
    for (int j = 1; j <= count; ++j) {
      const RecordListColumn& column = columns[j];
      if (column.fieldName.empty()) continue;
      const std::string raw = ReadLinkedFieldValue(cells, column.fieldName, foundRecords[i]);
      const std::string value = RecordListValueText(column, raw, upperCase);
      if (column.numeric) listColumnTotals[j] += ParseStoredNumber(value);
      line += RecordListRun(column, value, fontSize, j == count);
    }
    if (const int error = endLine()) return error;
  }
  if (listWithTotals == 1) {
    if (const int error = endLine()) return error;
    for (int j = 1; j <= count; ++j)
      line += RecordListTotalsRun(columns[j], listColumnTotals[j], fontSize);
    if (const int error = endLine()) return error;
  }
  line += "}";
  line += kLineEnd;
  return list.Write(line);
}

}  // namespace

RecordListOutcome WriteRecordListRtf(const RecordListHooks& hooks) {
  const ValueScanGuard busy;
  const auto tell = [&hooks](std::string_view text) {
    if (hooks.message) hooks.message(text);
  };
  RecordListOutcome outcome;
  try {
    outcome.error =
        ChooseListFileName(hooks.clock ? hooks.clock() : std::time(nullptr), outcome.path);
    if (outcome.error != 0) return outcome;
    tell("Comienza la creaci\xF3n de la lista ...");
    files::AtomicFileWriter list;
    outcome.error = list.Open(outcome.path);
    if (outcome.error == 0) outcome.error = WriteListLines(hooks, list);
    if (outcome.error == 0) outcome.error = list.Commit();
    if (outcome.error != 0) return outcome;
  } catch (const std::bad_alloc&) {
    // An allocation failing anywhere in the list, its scans included, ends it with a message
    // as a failed write does; the temporary file goes with the writer.
    outcome.error = ENOMEM;
    return outcome;
  }
  tell("Lista realizada ...");
  std::string aliasError;
  // The word processor is told that the list's face is monospaced before it opens the list.
  desktop::InstallListFontAlias(aliasError);
  if (hooks.open) {
    hooks.open(outcome.path);
  } else {
    desktop::OpenWithApplication(outcome.path, {});
  }
  return outcome;
}
