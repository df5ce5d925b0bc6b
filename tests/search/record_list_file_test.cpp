// The list file as WriteRecordListRtf writes it from a linked database and a search result.
#include "search/record_list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <new>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "database/search_results.h"
#include "database/value_scan.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "search/search_engine.h"
#include "tests/search/search_fixture.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

constexpr const char* kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Rod;}{\\f1 Ipa-sams Uclphon1 SILSophiaL;}}";
constexpr const char* kStarting = "Comienza la creaci\xF3n de la lista ...";
constexpr const char* kDone = "Lista realizada ...";

// n padding blanks as the list writes them: RTF's non-breaking spaces.
std::string Nbsp(int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += "\\~";
  return out;
}

std::time_t LocalTime(int day, int month, int year, int hour, int minute, int second) {
  std::tm t{};
  t.tm_mday = day;
  t.tm_mon = month - 1;
  t.tm_year = year - 1900;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

class RecordListFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRecordListState();
    ResetSearchState();
    folder_ = testenv::NewFolder("program");
    files::OverrideDataFolder(folder_);
  }

  // The columns in the order the dialog applied them.
  static void Choose(const std::vector<std::pair<std::string, int>>& columns) {
    listFieldNames.assign(columns.size() + 1, ListFieldEntry{});
    listFieldCount = static_cast<int16_t>(columns.size());
    for (size_t j = 0; j < columns.size(); ++j) {
      std::strncpy(listFieldNames[j + 1].fieldName, columns[j].first.c_str(), 30);
      listFieldNames[j + 1].reservedWidth = static_cast<int16_t>(columns[j].second);
    }
  }
  static void Find(const std::vector<int64_t>& records) {
    foundRecords.assign(1, 0);
    foundRecords.insert(foundRecords.end(), records.begin(), records.end());
    foundCount = static_cast<int64_t>(records.size());
    searchFound = records.empty() ? 0 : 1;
  }

  RecordListOutcome Write() {
    RecordListHooks hooks;
    hooks.message = [this](std::string_view text) { messages_.emplace_back(text); };
    hooks.progress = [this](int64_t i, int64_t n) {
      progress_.push_back(SearchProgressText(i, n));
      if (onProgress_) onProgress_(i);
    };
    hooks.open = [this](std::string_view path) {
      opened_.emplace_back(path);
      aliasWhenOpened_ = files::FileExists(desktop::ListFontAliasPath());
    };
    hooks.clock = [this] { return clock_(); };
    return WriteRecordListRtf(hooks);
  }

  // The files the data folder holds, by name.
  std::vector<std::string> FilesWritten() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
  std::function<std::time_t()> clock_ = [] { return LocalTime(9, 12, 2026, 10, 30, 0); };
  std::vector<std::string> messages_;
  std::vector<std::string> progress_;
  std::vector<std::string> opened_;
  bool aliasWhenOpened_ = false;
  std::function<void(int64_t record)> onProgress_;
};

// Puts back the step of the value scans when a test ends.
struct ScanStepScope {
  explicit ScanStepScope(std::function<void()> step) { valueScanStep = std::move(step); }
  ~ScanStepScope() { valueScanStep = nullptr; }
};

// The two-column example with one record and its totals, byte for byte.
TEST_F(RecordListFileTest, TheWorkedExampleComesOutByteForByte) {
  searchtest::LinkDatabase("Socios", {{"Nombre", kFieldText}, {"Importe", kFieldNumber}},
                           {{"Ana", "12'5"}});
  const std::string expected = std::string(kHeader) + "\\f0\\fs20 Ana" + Nbsp(7) +
                               " \\f0\\fs20 12'5\\line \r\n" + "\\line \r\n" + "\\f0\\fs20 " +
                               Nbsp(10) + " \\f0\\fs20 12'5" + Nbsp(2) + " \\line \r\n" + "}\r\n";
  Find({1});
  listFontSize = 10;
  listWithTotals = 1;
  // Applied in definition order, then the other way round: the file is the same.
  for (const auto& order :
       {std::vector<std::pair<std::string, int>>{{"Nombre", 10}, {"Importe", 6}},
        std::vector<std::pair<std::string, int>>{{"Importe", 6}, {"Nombre", 10}}}) {
    Choose(order);
    messages_.clear();
    opened_.clear();
    progress_.clear();
    const RecordListOutcome outcome = Write();
    ASSERT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.path, folder_ + "Lista 09-12-2026 - " + listFileStamp + ".rtf");
    EXPECT_EQ(testfiles::ReadRaw(outcome.path), expected);
    EXPECT_EQ(messages_, (std::vector<std::string>{kStarting, kDone}));
    EXPECT_EQ(progress_, std::vector<std::string>{"100 %"});
    EXPECT_EQ(opened_, std::vector<std::string>{outcome.path});
    // The entries stay in definition order after the list.
    EXPECT_STREQ(listFieldNames[1].fieldName, "Nombre");
    EXPECT_EQ(listFieldNames[1].reservedWidth, 10);
    EXPECT_STREQ(listFieldNames[2].fieldName, "Importe");
    EXPECT_EQ(listColumnTotals[2], 12.5);
  }
  // Each list went to a file of its own.
  EXPECT_EQ(FilesWritten().size(), 2u);
}

TEST_F(RecordListFileTest, EveryTypeWritesItsValueInCapitalsWhenAsked) {
  searchtest::LinkDatabase("Clientes",
                           {{"Fonetica", kFieldPhonetic},
                            {"Nombre", kFieldText},
                            {"Activo", kFieldYesNo},
                            {"Color", kFieldListChoice, 1, "  Rojo|Verde  "},
                            {"Importe", kFieldNumberOther}},
                           {{"a{b}",
                             "\xF1"
                             "and\xFA",
                             "1", "101", "1.000'25"},
                            {"", "Pedro", "0", "", "7"},
                            {"", "", "2", "107", "3'5"}});
  Find({1, 3});
  Choose({{"Fonetica", 6}, {"Nombre", 8}, {"Activo", 2}, {"Color", 6}, {"Importe", 9}});
  listUpperCase = 1;
  listWithTotals = 1;
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  const std::string expected =
      std::string(kHeader) + "\\f1\\fs16 a\\'7bb\\'7d \\f0\\fs16 \\'d1AND\\'da" + Nbsp(3) +
      " \\f0\\fs16 SI \\f0\\fs16 VERDE" + Nbsp(1) + " \\f0\\fs16 1.000'25\\line \r\n" +
      // Record 3: no phonetic value and no name ("No datos"), a yes/no value and a choice
      // outside their tables, written as stored.
      "\\f1\\fs16 No datos \\f0\\fs16 NO DATOS \\f0\\fs16 2" + Nbsp(1) + " \\f0\\fs16 107" +
      Nbsp(3) + " \\f0\\fs16 3'5\\line \r\n" + "\\line \r\n" + "\\f0\\fs16 " + Nbsp(6) +
      " \\f0\\fs16 " + Nbsp(8) + " \\f0\\fs16 " + Nbsp(2) + " \\f0\\fs16 " + Nbsp(6) +
      " \\f0\\fs16 1.003'75" + Nbsp(1) + " \\line \r\n" + "}\r\n";
  EXPECT_EQ(testfiles::ReadRaw(outcome.path), expected);
  EXPECT_EQ(progress_, (std::vector<std::string>{"50 %", "100 %"}));
}

TEST_F(RecordListFileTest, WithoutColumnsEveryLineIsALineBreak) {
  searchtest::LinkDatabase("Vacia", {{"Nombre"}}, {{"Ana"}, {"Eva"}});
  Find({1, 2});
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  EXPECT_EQ(testfiles::ReadRaw(outcome.path), std::string(kHeader) + "\\line \r\n\\line \r\n}\r\n");
}

TEST_F(RecordListFileTest, ATakenNameGetsAnotherStampAndTheOldFileStaysAsItWas) {
  searchtest::LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}});
  Find({1});
  Choose({{"Nombre", 5}});
  // Two lists in the same second draw the same first stamp.
  ASSERT_EQ(Write().error, 0);
  const std::string first = opened_.at(0);
  testfiles::WriteRaw(first, "older list");
  const RecordListOutcome second = Write();
  ASSERT_EQ(second.error, 0);
  EXPECT_NE(second.path, first);
  EXPECT_EQ(testfiles::ReadRaw(first), "older list");
  EXPECT_EQ(testfiles::ReadRaw(second.path),
            std::string(kHeader) + "\\f0\\fs16 Ana\\line \r\n}\r\n");
}

TEST_F(RecordListFileTest, AListPassingMidnightStaysOneFileWithTheDateItBeganOn) {
  searchtest::LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}, {"Eva"}});
  Find({1, 2});
  Choose({{"Nombre", 5}});
  std::time_t now = LocalTime(31, 12, 2026, 23, 59, 59);
  clock_ = [&now] { return now++; };
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  EXPECT_EQ(FilesWritten(),
            std::vector<std::string>{"Lista 31-12-2026 - " + listFileStamp + ".rtf"});
  EXPECT_EQ(opened_, std::vector<std::string>{outcome.path});
  EXPECT_EQ(testfiles::ReadRaw(outcome.path),
            std::string(kHeader) + "\\f0\\fs16 Ana\\line \r\n\\f0\\fs16 Eva\\line \r\n}\r\n");
}

TEST_F(RecordListFileTest, AFailedWriteLeavesNoFileAndOpensNothing) {
  searchtest::LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}, {"Eva"}});
  Find({1, 2});
  Choose({{"Nombre", 5}});
  using files::testing::Step;
  const std::vector<std::pair<Step, int>> failures = {
      {Step::Create, EACCES}, {Step::Write, ENOSPC}, {Step::Flush, EIO}, {Step::Rename, EXDEV}};
  for (const auto& [step, errnum] : failures) {
    messages_.clear();
    const files::testing::FailureScope failing(step, errnum, 40);
    const RecordListOutcome outcome = Write();
    EXPECT_EQ(outcome.error, errnum);
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    EXPECT_TRUE(FilesWritten().empty()) << errnum;
    EXPECT_EQ(messages_, std::vector<std::string>{kStarting});
    EXPECT_TRUE(opened_.empty());
  }
}

// However many records a list has, at most the file writer's buffer of it waits in memory: the
// lines go to the temporary file as they are made.
TEST_F(RecordListFileTest, AListOfManyRecordsGoesToTheDiskAsItIsWritten) {
  constexpr int64_t kRecords = 20000;
  searchtest::LinkDatabase("Muchos", {{"Nombre"}}, searchtest::Records(kRecords, {"Ana"}));
  std::vector<int64_t> all(kRecords);
  std::iota(all.begin(), all.end(), 1);
  Find(all);
  Choose({{"Nombre", 5}});
  const std::string line = "\\f0\\fs16 Ana\\line \r\n";
  int checks = 0;
  onProgress_ = [&](int64_t record) {
    // Records 1 to record - 1 are done; the folder holds the list's temporary file alone.
    const auto made = static_cast<int64_t>(std::strlen(kHeader) + (record - 1) * line.size());
    int64_t onDisk = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      onDisk += static_cast<int64_t>(entry.file_size());
    EXPECT_GE(onDisk + static_cast<int64_t>(files::AtomicFileWriter::kBufferBytes), made)
        << "record " << record;
    ++checks;
  };
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  EXPECT_EQ(checks, 101);  // at 0 % and at every whole percent after it
  std::string expected(kHeader);
  for (int64_t i = 0; i < kRecords; ++i) expected += line;
  EXPECT_EQ(testfiles::ReadRaw(outcome.path), expected + "}\r\n");
}

TEST_F(RecordListFileTest, MemoryRunningOutEndsTheListWithAnErrorAndLeavesNoFile) {
  searchtest::LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}, {"Eva"}, {"Luz"}});
  Find({1, 2, 3});
  Choose({{"Nombre", 5}});
  int steps = 0;
  const ScanStepScope failing([&steps] {
    if (++steps == 2) throw std::bad_alloc();
  });
  const RecordListOutcome outcome = Write();
  EXPECT_EQ(outcome.error, ENOMEM);
  EXPECT_EQ(files::ErrorText(outcome.error), "Err: 12 No hay memoria suficiente");
  EXPECT_TRUE(FilesWritten().empty());
  EXPECT_EQ(messages_, std::vector<std::string>{kStarting});
  EXPECT_TRUE(opened_.empty());
}

TEST_F(RecordListFileTest, ListsInstallTheMonospacedAliasOfTheirFaceWhenItIsMissing) {
  searchtest::LinkDatabase("Socios", {{"Nombre"}}, {{"Ana"}});
  Find({1});
  Choose({{"Nombre", 5}});
  const std::string alias = desktop::ListFontAliasPath();
  std::filesystem::remove(alias);
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  // In place before the word processor reads the list.
  EXPECT_TRUE(aliasWhenOpened_);
  EXPECT_NE(testfiles::ReadRaw(alias).find("<family>Rod</family>"), std::string::npos);
  // A file of that name, the user's own, stays as it is.
  testfiles::WriteRaw(alias, "<fontconfig/>");
  ASSERT_EQ(Write().error, 0);
  EXPECT_EQ(testfiles::ReadRaw(alias), "<fontconfig/>");
}

// What unrtf makes of a list file in one of its output modes ("text", "html"), as lines.
std::vector<std::string> UnrtfLines(const std::string& path, const std::string& mode) {
  std::vector<std::string> lines;
  if (std::system("command -v unrtf >/dev/null") != 0) {
    ADD_FAILURE() << "unrtf is missing: run scripts/setup";
    return lines;
  }
  const std::string out = path + "." + mode;
  const std::string command = "unrtf --" + mode + " '" + path + "' >'" + out + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(files::ReadTextLines(out, 1 << 20, lines), 0);
  std::filesystem::remove(out);
  return lines;
}

// A real RTF reader gives back the text of values that hold RTF's own characters and
// accented letters, and reads both fonts of the header.
TEST_F(RecordListFileTest, AnRtfReaderReadsTheValuesAndBothFontsBack) {
  const std::string value =
      "{Ma\xF1"
      "ana} \\par \xE1\xE9\xED\xF3\xFA\xFC\xD1 a\\b";
  searchtest::LinkDatabase("Notas", {{"Texto"}, {"Fonetica", kFieldPhonetic}}, {{value, value}});
  Find({1});
  Choose({{"Texto", 40}, {"Fonetica", 40}});
  const RecordListOutcome outcome = Write();
  ASSERT_EQ(outcome.error, 0);
  // unrtf starts with comment lines of its own ("###", then dashes), leaves the non-breaking
  // spaces of the padding out, and writes 8-bit text as Latin-1, which holds these letters at
  // the same codes as 1252.
  std::vector<std::string> shown;
  for (const std::string& line : UnrtfLines(outcome.path, "text")) {
    EXPECT_EQ(line.find("invalid font"), std::string::npos) << line;
    if (line.rfind("###", 0) == 0 || line.find_first_not_of('-') == std::string::npos) continue;
    shown.push_back(text::TrimBlanks(line));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{value + " " + value}));

  int rod = 0, phonetic = 0;
  for (const std::string& line : UnrtfLines(outcome.path, "html")) {
    EXPECT_EQ(line.find("invalid font"), std::string::npos) << line;
    if (line.find("<font face=\"Rod\">") != std::string::npos) ++rod;
    if (line.find("<font face=\"Ipa-sams Uclphon1 SILSophiaL\">") != std::string::npos)
      ++phonetic;
  }
  EXPECT_EQ(rod, 1);
  EXPECT_EQ(phonetic, 1);
}

}  // namespace
