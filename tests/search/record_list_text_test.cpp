// The texts of the record list: the database's number notation, the file's name and stamp,
// the value each column shows, and the RTF runs of a line.
#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "search/record_list_file.h"

namespace {

TEST(RecordListNumbers, StoredNumbersAndTheirDecimals) {
  struct Case {
    const char* text;
    double number;
    int decimals;
  };
  const std::vector<Case> cases = {
      {"1.234'5", 1234.5, 5},  // stored: "." groups thousands, "'" is the decimal mark
      {"12'75", 12.75, 0},    {"12.5", 125, 1},  // a "." is never a decimal point in a stored
                                                 // number
      {"No datos", 0, 0},     {"-3'5", -3.5, 0}, {"", 0, 0},
      {"1,25", 1, 2},         // the comma is no decimal separator either
      {"1.2.345", 12345, 3},  // decimals count from the last mark
      {"abc.", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ParseStoredNumber(c.text), c.number) << c.text;
    EXPECT_EQ(CountDecimalPlaces(c.text), c.decimals) << c.text;
  }
}

TEST(RecordListNumbers, TotalsAreWrittenInTheDatabaseNotation) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"1234.5", "1.234'5"},
      {"30", "30'"},  // a whole total ends in the decimal mark
      {"0.5", "'5"},  // and one below 1 starts with it
      {"0", "'"},
      {"-12.5", "-12'5"},
      {"1234567.25", "1.234.567'25"},
      {"0.125", "'125"},
      {"1E+16", "10.000.000.000.000.000'"},  // every whole digit is shown
  };
  for (const auto& [total, written] : cases) EXPECT_EQ(FormatThousands(total), written) << total;
}

TEST(RecordListFileName, TheStampIsSevenUpperCaseHexDigitsInItsRange) {
  std::mt19937 generator(43200);
  std::set<std::string> stamps;
  for (int i = 0; i < 2000; ++i) {
    const std::string stamp = DrawListFileStamp(generator);
    ASSERT_EQ(stamp.size(), 7u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789ABCDEF"), std::string::npos) << stamp;
    const unsigned long value = std::stoul(stamp, nullptr, 16);
    EXPECT_GE(value, 256000u);
    EXPECT_LE(value, 256000000u);
    stamps.insert(stamp);
  }
  EXPECT_GT(stamps.size(), 1990u);
  // The same seed, the same stamps.
  std::mt19937 first(7), second(7);
  EXPECT_EQ(DrawListFileStamp(first), DrawListFileStamp(second));
}

TEST(RecordListFileName, NameCarriesTheLocalDateAndTheStamp) {
  std::tm day{};
  day.tm_mday = 9;
  day.tm_mon = 11;
  day.tm_year = 2026 - 1900;
  day.tm_hour = 23;
  day.tm_min = 59;
  day.tm_isdst = -1;
  EXPECT_EQ(ListFileName("/datos/", std::mktime(&day), "0F3A21C"),
            "/datos/Lista 09-12-2026 - 0F3A21C.rtf");
}

// n padding blanks as the list writes them: RTF's non-breaking spaces.
std::string Nbsp(int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += "\\~";
  return out;
}

RecordListColumn Column(int32_t type, int width = 10) {
  RecordListColumn c;
  c.fieldName = "Campo";
  c.reservedWidth = width;
  c.fieldType = type;
  c.yesNo = type == 4;
  c.numeric = type == 1 || type == 2;
  if (type == 9) c.listItems = {"Rojo", "Verde", "", "Azul marino"};
  return c;
}

TEST(RecordListValues, EachTypeShowsItsValue) {
  struct Case {
    int32_t type;
    const char* raw;
    bool upper;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {4, "0", false, "no"},
      {4, "1", false, "si"},
      {4, "1", true, "SI"},
      {4, "0", true, "NO"},
      {4, "No datos", false, "no"},  // no value reads as 0
      {4, "2", false, "2"},          // outside the table: as stored
      {4, "-1", true, "-1"},
      {9, "100", false, "Rojo"},
      {9, "101", true, "VERDE"},
      {9, "102", false, ""},
      {9, "103", false, "Azul marino"},
      {9, "104", false, "104"},
      {9, "99", false, "99"},
      {9, "No datos", false, "No datos"},
      {9, "No datos", true, "NO DATOS"},
      {3,
       "  ca\xF1"
       "a  ",
       false,
       "ca\xF1"
       "a"},                                  // blanks trimmed
      {3, "ca\xF1\xE9", true, "CA\xD1\xC9"},  // capitals of accented letters
      {1, "1.234'5", true, "1.234'5"},
      {0, " a{b}\xE9 ", true, "a{b}\xE9"},  // phonetic values keep their case
      {-3, "minus", true, "minus"},         // an odd type is written as phonetic
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordListValueText(Column(c.type), c.raw, c.upper), c.shown)
        << "type " << c.type << " raw " << c.raw;
  }
}

TEST(RecordListRuns, EveryValueIsEscaped) {
  EXPECT_EQ(EscapeRtfText("a{b}", true), "a\\'7bb\\'7d");
  EXPECT_EQ(EscapeRtfText("x;y\\", true), "x\\'3by\\'5c");
  EXPECT_EQ(EscapeRtfText("x;y\\", false), "x;y\\'5c");
  EXPECT_EQ(EscapeRtfText("a\\par b{", false), "a\\'5cpar b\\'7b");
  EXPECT_EQ(EscapeRtfText("\xF1\x80\xFF", false), "\\'f1\\'80\\'ff");
  EXPECT_EQ(EscapeRtfText("plain 12'5", false), "plain 12'5");
}

TEST(RecordListRuns, ColumnsArePaddedToTheirReservedWidth) {
  struct Case {
    RecordListColumn column;
    const char* value;
    int size;
    bool last;
    std::string run;
  };
  const std::vector<Case> cases = {
      // The padding as non-breaking spaces, then the ordinary blank between the columns.
      {Column(3, 10), "Ana", 10, false, "\\f0\\fs20 Ana" + Nbsp(7) + " "},
      {Column(1, 6), "12'5", 10, true, "\\f0\\fs20 12'5"},  // the last column is not padded
      // A phonetic column counts its escapes as written: a{b} takes 10 characters.
      {Column(0, 10), "a{b}", 8, false, "\\f1\\fs16 a\\'7bb\\'7d "},
      {Column(0, 12), "a{b}", 12, false, "\\f1\\fs24 a\\'7bb\\'7d" + Nbsp(2) + " "},
      // Other columns count what the page shows, one character an accented letter.
      {Column(3, 5), "A\xF1\xE1", 9, false, "\\f0\\fs18 A\\'f1\\'e1" + Nbsp(2) + " "},
      {Column(3, 5), "abcdefghijkl", 11, false, "\\f0\\fs22 abcdefghijkl "},  // written whole
      {Column(0, 4), "", 8, false, "\\f1\\fs16 " + Nbsp(4) + " "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordListRun(c.column, c.value, c.size, c.last), c.run) << c.value;
  }
}

TEST(RecordListRuns, TotalsRunsSumNumericColumnsOnly) {
  EXPECT_EQ(RecordListTotalsRun(Column(1, 6), 12.5, 10), "\\f0\\fs20 12'5" + Nbsp(2) + " ");
  EXPECT_EQ(RecordListTotalsRun(Column(2, 3), 30, 10), "\\f0\\fs20 30' ");
  EXPECT_EQ(RecordListTotalsRun(Column(3, 10), 0, 10), "\\f0\\fs20 " + Nbsp(10) + " ");
  EXPECT_EQ(RecordListTotalsRun(Column(0, 0), 0, 8), "\\f0\\fs16  ");
  // A total wider than its column is followed by no blank.
  EXPECT_EQ(RecordListTotalsRun(Column(1, 3), 1234567.25, 12), "\\f0\\fs24 1.234.567'25");
}

}  // namespace
