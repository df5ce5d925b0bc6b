// The record list: the found records of the last search written as the columns of an RTF file
// laid out for a monospaced font, then opened with the desktop's application for RTF. The
// list dialog keeps its choices in the globals below; WriteRecordListRtf reads them. The core
// shows nothing itself: its messages, progress and the opening of the file go through hooks.
#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "search/linked_fields.h"

// The choices of the list dialog. listFieldNames holds entries 1 to listFieldCount (entry 0 is
// unused); they stand in field-definition order after a list has been written.
extern std::vector<ListFieldEntry> listFieldNames;
extern int16_t listFieldCount;
extern int16_t listFontSize;    // points, 8 to 12
extern int16_t listLineLength;  // characters a line of listFontSize holds; 0 before a pick
// Characters still free on the line; 32 bits, since widths of up to 32767 each may be applied.
extern int32_t listCharsAvailable;
extern int32_t listUpperCase;   // 1: values in capitals
extern int32_t listWithTotals;  // 1: a totals line of the numeric columns ends the list
// The stamp of the last list's file name: 7 upper-case hexadecimal digits.
extern std::string listFileStamp;
// The sums of the numeric columns of the last list, entries 1 to listFieldCount.
extern std::vector<double> listColumnTotals;

// Puts the list's globals back as they are at program start.
void ResetRecordListState();

// A number as the database stores it ("." between thousands, "'" as the decimal mark):
// "1.234'5" gives 1234.5, "12.5" gives 125, "No datos" gives 0.
double ParseStoredNumber(std::string_view text);
// The characters after the last "." or ","; 0 when the text holds neither.
int16_t CountDecimalPlaces(std::string_view text);
// A number text in the database's notation, with as many decimals as the text has:
// "1234.5" gives "1.234'5", "30" gives "30'", "0.5" gives "'5".
std::string FormatThousands(std::string_view text);

// The 7-digit stamp of a list file, drawn uniformly from 003E800 to F424000.
std::string DrawListFileStamp(std::mt19937& generator);
// "Lista dd-mm-yyyy - <stamp>.rtf" in `folder`, with the local date of `when`.
std::string ListFileName(std::string_view folder, std::time_t when, std::string_view stamp);

// One column as the list writes it: its entry and what the field's definition says of it,
// read once per list.
struct RecordListColumn {
  std::string fieldName;  // empty: an entry the reordering left without a field
  int reservedWidth = 0;
  int32_t fieldType = 0;  // 0 also for a name that no definition has
  bool yesNo = false;
  bool numeric = false;                // type 1 or 2: summed in the totals line
  std::vector<std::string> listItems;  // the choices of a list-choice field, from item 1
};

// The text a column shows for a stored value: yes/no and list choices looked up in their
// tables (a value outside them stays as stored), capitals when asked for (never for the
// phonetic type), blanks trimmed.
std::string RecordListValueText(const RecordListColumn& column, std::string_view raw,
                                bool upperCase);
// A value escaped for RTF: "\", "{" and "}" (and, in the phonetic font, ";") as hexadecimal
// escapes, as are bytes above 0x7F, so that no value can break the file.
std::string EscapeRtfText(std::string_view value, bool phonetic);
// The run of a column in a record line: font switch, escaped value, and the padding to the
// reserved width (as the non-breaking spaces "\~") plus the separating blank in every column but
// the last.
std::string RecordListRun(const RecordListColumn& column, std::string_view value, int fontSize,
                          bool lastColumn);
// The run of a column in the totals line: the sum of a numeric column, blanks for the others,
// padded as the record lines are.
std::string RecordListTotalsRun(const RecordListColumn& column, double total, int fontSize);

// Each font in a group of its own: some RTF readers take only the first font of a group.
constexpr std::string_view kRecordListRtfHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Rod;}{\\f1 Ipa-sams Uclphon1 SILSophiaL;}}";

// What the list shows and where it gets the time, supplied by the dialog (and by tests).
struct RecordListHooks {
  std::function<void(std::string_view)> message;  // an OK message box
  // The progress of record i of n, whenever the whole percentage done changes.
  std::function<void(int64_t i, int64_t n)> progress;
  // Starts opening the finished list; empty: the desktop's application, whose verdict no one
  // hears.
  std::function<void(std::string_view path)> open;
  std::function<std::time_t()> clock;  // empty: the system clock
};

struct RecordListOutcome {
  int error = 0;     // 0, or the errno of the failed write (no file is left then)
  std::string path;  // the list file
};

// Writes the found records (foundRecords 1 to foundCount) with the columns of listFieldNames
// into a new file in the program's data folder, then starts opening it. The file is written as the
// records are read, into a temporary file renamed at the end; a failed write, or memory
// running out (ENOMEM), leaves no file.
RecordListOutcome WriteRecordListRtf(const RecordListHooks& hooks);
