#include "objects/holidays.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "objects/colours.h"
#include "page/month_calendar.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::AnswerMessageBox;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

constexpr const char* kCaption = "Configurador Dias Festivos";
using namespace holidays_ids;
constexpr const char* kInvalid = "Tienes que seleccionar mes, escribir dia y seleccionar un color, todo correctamente ...";
constexpr const char* kDuplicate = "Este dia ya esta en la lista de festivos ...";
constexpr const char* kAskToSave = "Ha realizado cambios en dias festivos ...\r\nDesea grabar los cambios ?";

std::string Records(const std::vector<HolidayRecord>& records) {
  std::string bytes;
  for (const HolidayRecord& r : records) bytes += EncodeHolidayRecord(r);
  return bytes;
}

bool IsLeap(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

class HolidaysTest : public dialogtest::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    holidayList.fill(HolidayRecord{});
    holidayCount = 0;
    for (auto& day : holidayColourTable) day.fill(0);
    // As the main window does before it runs the dialog.
    holidaysDialogOpen = 1;
    pickedColour = -1;
  }
  void TearDown() override {
    DialogTest::TearDown();
    if (!ui::testing::DialogsOpened().empty()) {
      EXPECT_EQ(holidaysDialogOpen, 0);
    }
  }
  // Inserts a day through the dialog's fields.
  static void Insert(ui::Window w, const char* day, int monthLine) {
    ui::testing::TypeText(w, kDay, day);
    if (monthLine >= 0) ui::testing::ChooseListItem(w, kMonth, monthLine);
    Click(w, kInsert);
  }
  static std::vector<std::string> Lines(ui::Window w) {
    std::vector<std::string> lines;
    for (int i = 0; i < ui::ListCount(w, kList); ++i) lines.push_back(ui::ListText(w, kList, i));
    return lines;
  }
};

TEST_F(HolidaysTest, ARecordIsSixteenLittleEndianBytes) {
  const HolidayRecord r{25, 12, gfx::Rgb(1, 2, 3), 0};
  const std::string bytes = EncodeHolidayRecord(r);
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_EQ(bytes, std::string("\x19\0\0\0\x0C\0\0\0\x01\x02\x03\0\0\0\0\0", 16));
  EXPECT_EQ(DecodeHolidayRecord(bytes), r);
  EXPECT_EQ(DecodeHolidayRecord(EncodeHolidayRecord({-1, 7, -2, 1})), (HolidayRecord{-1, 7, -2, 1}));
  // A short text reads as far as it goes.
  EXPECT_EQ(DecodeHolidayRecord(std::string("\x06\0\0\0\x01", 5)), (HolidayRecord{6, 1, 0, 0}));
}

TEST_F(HolidaysTest, SavingThenLoadingGivesBackTheLiveEntriesAndTheirColours) {
  holidayList[0] = {1, 1, gfx::Rgb(200, 0, 0), 0};
  holidayList[1] = {6, 1, gfx::Rgb(0, 0, 200), 1};   // deleted in the dialog: left out
  holidayList[2] = {25, 12, gfx::Rgb(0, 139, 0), 0};
  holidayList[3] = {1, 5, gfx::Rgb(9, 9, 9), 0};
  holidayCount = 4;
  ASSERT_EQ(SaveHolidays(), 0);
  EXPECT_EQ(testfiles::ReadRaw(HolidaysPath()),
            Records({{1, 1, gfx::Rgb(200, 0, 0), 0}, {25, 12, gfx::Rgb(0, 139, 0), 0}, {1, 5, gfx::Rgb(9, 9, 9), 0}}));

  holidayCount = 0;
  LoadHolidays();
  ASSERT_EQ(holidayCount, 3);
  EXPECT_EQ(holidayList[1], (HolidayRecord{25, 12, gfx::Rgb(0, 139, 0), 0}));
  EXPECT_EQ(holidayColourTable[25][12], gfx::Rgb(0, 139, 0));
  EXPECT_EQ(holidayColourTable[1][5], gfx::Rgb(9, 9, 9));
  EXPECT_EQ(holidayColourTable[6][1], 0);

  // Appending adds one record at the end; for the same day a later record's colour wins.
  ASSERT_EQ(AppendHolidayRecord(1, 1, gfx::Rgb(1, 1, 1)), 0);
  EXPECT_EQ(files::FileLength(HolidaysPath()), 64);
  LoadHolidays();
  EXPECT_EQ(holidayCount, 4);
  EXPECT_EQ(holidayColourTable[1][1], gfx::Rgb(1, 1, 1));

  // A list with no live day leaves no file, as deleting it and appending nothing does.
  holidayList[0].deletedMark = 1;
  holidayCount = 1;
  ASSERT_EQ(SaveHolidays(), 0);
  EXPECT_FALSE(files::FileExists(HolidaysPath()));
  holidayCount = 0;
  ASSERT_EQ(SaveHolidays(), 0);
  EXPECT_FALSE(files::FileExists(HolidaysPath()));
}

TEST_F(HolidaysTest, ADamagedFileReadsWhatIsValidAndNeverMoreThanTheList) {
  std::string bytes = Records({{6, 1, 0x111111, 0},
                               {32, 1, 0x222222, 0},    // no such day
                               {0, 3, 0x333333, 0},
                               {5, 13, 0x444444, 0},    // no such month
                               {10, -1, 0x555555, 0},
                               {15, 8, 0x666666, 0}});
  bytes += std::string("\x07\0\0\0\x02\0", 6);   // a partial last record
  testfiles::WriteRaw(HolidaysPath(), bytes);
  LoadHolidays();
  ASSERT_EQ(holidayCount, 2);
  EXPECT_EQ(holidayList[0], (HolidayRecord{6, 1, 0x111111, 0}));
  EXPECT_EQ(holidayList[1], (HolidayRecord{15, 8, 0x666666, 0}));
  EXPECT_EQ(holidayColourTable[7][2], 0);

  // More records than the list holds: the first 401 are read, those past them never, even
  // when some of the first are passed over.
  std::vector<HolidayRecord> many;
  for (int i = 0; i < 450; ++i) many.push_back({i % 28 + 1, i % 12 + 1, i + 1, 0});
  testfiles::WriteRaw(HolidaysPath(), Records(many));
  LoadHolidays();
  EXPECT_EQ(holidayCount, kHolidayTableSize);
  EXPECT_EQ(holidayList[400], many[400]);
  many[1].day = 40;
  testfiles::WriteRaw(HolidaysPath(), Records(many));
  LoadHolidays();
  EXPECT_EQ(holidayCount, kHolidayTableSize - 1);
  EXPECT_EQ(holidayList[1], many[2]);
  EXPECT_EQ(holidayList[399], many[400]);
  many[1].day = 2;

  // No file at all: an empty list.
  files::DeleteFile(HolidaysPath());
  LoadHolidays();
  EXPECT_EQ(holidayCount, 0);

  // A sparse gigabyte is never read beyond what the list holds.
  testfiles::WriteRaw(HolidaysPath(), Records(many));
  std::filesystem::resize_file(HolidaysPath(), int64_t{1} << 30);
  LoadHolidays();
  EXPECT_EQ(holidayCount, kHolidayTableSize);
  std::filesystem::remove(HolidaysPath());
  std::filesystem::create_symlink("/dev/zero", HolidaysPath());
  LoadHolidays();
  EXPECT_EQ(holidayCount, 0);
  std::filesystem::remove(HolidaysPath());
}

TEST_F(HolidaysTest, IndexTextsAndTheListedTest) {
  EXPECT_EQ(FormatHolidayIndex(0), "000");
  EXPECT_EQ(FormatHolidayIndex(7), "007");
  EXPECT_EQ(FormatHolidayIndex(42), "042");
  EXPECT_EQ(FormatHolidayIndex(400), "400");
  EXPECT_EQ(FormatHolidayIndex(999), "999");
  EXPECT_EQ(FormatHolidayIndex(1000), "");
  holidayList[0] = {6, 1, 1, 0};
  holidayList[1] = {1, 5, 1, 1};
  holidayList[2] = {0, 0, 1, 0};
  holidayCount = 3;
  EXPECT_EQ(IsHolidayListed(6, 1), 1);
  EXPECT_EQ(IsHolidayListed(1, 5), 0);   // deleted
  EXPECT_EQ(IsHolidayListed(0, 0), 0);
  EXPECT_EQ(IsHolidayListed(6, 2), 0);
}

TEST_F(HolidaysTest, OpeningWithoutAFileGreysTheFileButtons) {
  // What an earlier reading left: the list goes, the colours calendars show stay.
  holidayList[0] = {6, 1, 0x0000C8, 0};
  holidayCount = 1;
  holidayColourTable[6][1] = 0x0000C8;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_FALSE(ui::Enabled(w, kDeleteFile));
    EXPECT_FALSE(ui::Enabled(w, kSaveFile));
    EXPECT_FALSE(ui::Enabled(w, kDeleteDay));
    EXPECT_EQ(ui::ListCount(w, kList), 0);
    EXPECT_EQ(ui::ListCount(w, kMonth), 12);
    EXPECT_EQ(ui::ListSelection(w, kMonth), -1);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kSwatch), 5, 5), gfx::Rgb(0, 139, 0));
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());
  EXPECT_EQ(holidaysSaved, -1);
  EXPECT_EQ(holidayCount, 0);
  EXPECT_EQ(holidayList[0], HolidayRecord{});
  EXPECT_EQ(holidayColourTable[6][1], 0x0000C8);
}

TEST_F(HolidaysTest, InsertingChecksTheDateAndRefusesDuplicatesUntilDeleted) {
  int32_t year = 0, month = 0;
  GetTodaysYearAndMonth(year, month);
  struct Case {
    const char* day;
    int monthLine;   // -1: none chosen
    bool valid;
  };
  const Case cases[] = {
      {"6", 0, true},   {"29", 1, IsLeap(year)}, {"31", 3, false}, {"30", 3, true},
      {"0", 4, false},  {"", 4, false},          {"5", -1, false}, {"99999999999", 4, false},
  };
  OnDialog(kCaption, [&](ui::Window w) {
    size_t shown = 0;
    int inserted = 0;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.day) + "/" + std::to_string(c.monthLine));
      if (c.monthLine < 0) ui::ListSelect(w, kMonth, -1);
      Insert(w, c.day, c.monthLine);
      if (c.valid) {
        ++inserted;
        EXPECT_EQ(MessagesShown().size(), shown);
      } else {
        ASSERT_EQ(MessagesShown().size(), ++shown);
        EXPECT_EQ(MessagesShown().back().text, kInvalid);
      }
    }
    EXPECT_EQ(holidayCount, inserted);
    EXPECT_EQ(Lines(w)[0], "000 dia 6 de Enero");
    EXPECT_TRUE(ui::Enabled(w, kSaveFile));
    EXPECT_TRUE(ui::Enabled(w, kDeleteDay));

    Insert(w, "6", 0);
    ASSERT_EQ(MessagesShown().size(), shown + 1);
    EXPECT_EQ(MessagesShown().back().text, kDuplicate);
    EXPECT_EQ(holidayCount, inserted);

    // After deleting it, the day goes in again; the deleted line keeps its place.
    ui::ListSelect(w, kList, 0);
    Click(w, kDeleteDay);
    EXPECT_EQ(Lines(w)[0], "000 ");
    EXPECT_EQ(holidayList[0].colour, 0);
    Insert(w, "6", 0);
    EXPECT_EQ(holidayCount, inserted + 1);
    EXPECT_EQ(Lines(w).back(), FormatHolidayIndex(inserted) + " dia 6 de Enero");
    AnswerMessageBox(ui::Answer::No);
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  EXPECT_EQ(MessagesShown().back().text, kAskToSave);
  EXPECT_FALSE(files::FileExists(HolidaysPath()));
}

TEST_F(HolidaysTest, AFullListRefusesAnotherDay) {
  for (int i = 0; i < kHolidayTableSize; ++i) holidayList[i] = {i % 28 + 1, i % 12 + 1, 1, 1};
  holidayCount = kHolidayTableSize;
  testfiles::WriteRaw(HolidaysPath(), "");
  OnDialog(kCaption, [](ui::Window w) {
    // Opening read the (empty) file; fill the list again as a long session would.
    for (int i = 0; i < kHolidayTableSize; ++i) holidayList[i] = {i % 28 + 1, i % 12 + 1, 1, 1};
    holidayCount = kHolidayTableSize;
    Insert(w, "6", 0);
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "No caben mas dias festivos ...");
  EXPECT_EQ(holidayCount, kHolidayTableSize);
}

TEST_F(HolidaysTest, LeavingAsksOnlyAfterAnUnsavedChange) {
  testfiles::WriteRaw(HolidaysPath(), Records({{6, 1, 0x0000C8, 0}, {1, 5, 0x00C800, 0}}));
  // Nothing changed: nothing asked.
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(Lines(w), (std::vector<std::string>{"000 dia 6 de Enero", "001 dia 1 de Mayo"}));
    EXPECT_TRUE(ui::Enabled(w, kDeleteFile));
    ui::testing::CloseBox(w);
  });
  ShowHolidaysDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());

  // Saved after the change: nothing asked; the file holds the new list.
  holidaysDialogOpen = 1;
  OnDialog(kCaption, [](ui::Window w) {
    Insert(w, "25", 11);
    Click(w, kSaveFile);
    EXPECT_EQ(MessagesShown().back().text, "Termine de grabar colores dias festivos ...");
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  EXPECT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(holidaysSaved, 1);
  EXPECT_EQ(files::FileLength(HolidaysPath()), 48);

  // A deletion left unsaved: asked, and Yes writes the file without it.
  holidaysDialogOpen = 1;
  ui::testing::Begin();
  AnswerMessageBox(ui::Answer::Yes);
  OnDialog(kCaption, [](ui::Window w) {
    ui::ListSelect(w, kList, 1);
    Click(w, kDeleteDay);
    ui::testing::CloseBox(w);
  });
  ShowHolidaysDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, kAskToSave);
  EXPECT_EQ(testfiles::ReadRaw(HolidaysPath()),
            Records({{6, 1, 0x0000C8, 0}, {25, 12, gfx::Rgb(0, 139, 0), 0}}));
}

// "Grabar fichero" with no live day leaves no file, and the buttons and the month dialog's
// "Incluir dias festivos" are greyed as without one.
TEST_F(HolidaysTest, SavingAListWithNoLiveDayLeavesNoFile) {
  testfiles::WriteRaw(HolidaysPath(), Records({{6, 1, 0x0000C8, 0}}));
  OnDialog(kCaption, [](ui::Window w) {
    ui::ListSelect(w, kList, 0);
    Click(w, kDeleteDay);
    Click(w, kSaveFile);
    EXPECT_FALSE(ui::Enabled(w, kDeleteFile));
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  EXPECT_FALSE(files::FileExists(HolidaysPath()));
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Termine de grabar colores dias festivos ...");
  holidaysDialogOpen = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_FALSE(ui::Enabled(w, kDeleteFile));
    EXPECT_FALSE(ui::Enabled(w, kSaveFile));
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
}

// A failed write keeps the old file byte for byte and says why.
TEST_F(HolidaysTest, AFailedSaveIsShownAndKeepsTheOldFileWhole) {
  const std::string old = Records({{6, 1, 0x0000C8, 0}, {1, 5, 0x00C800, 0}});
  using files::testing::Step;
  for (Step step : {Step::Create, Step::Write, Step::Flush, Step::Rename, Step::Delete}) {
    SCOPED_TRACE(static_cast<int>(step));
    testfiles::WriteRaw(HolidaysPath(), old);
    ui::testing::Begin();
    holidaysDialogOpen = 1;
    OnDialog(kCaption, [step](ui::Window w) {
      // Deleting both days leaves a file to delete; deleting one, a file to write.
      ui::ListSelect(w, kList, 0);
      Click(w, kDeleteDay);
      if (step == Step::Delete) {
        ui::ListSelect(w, kList, 1);
        Click(w, kDeleteDay);
      }
      files::testing::FailureScope full(step, ENOSPC, 4);
      Click(w, kSaveFile);
      Click(w, kSalir);   // still unsaved: asked, and No leaves it
    });
    ShowHolidaysDialog(nullptr);
    EXPECT_EQ(testfiles::ReadRaw(HolidaysPath()), old);
    ASSERT_EQ(MessagesShown().size(), 2u);
    EXPECT_EQ(MessagesShown()[0].text, files::ErrorText(ENOSPC));
    EXPECT_EQ(MessagesShown()[1].text, kAskToSave);
    EXPECT_EQ(holidaysSaved, 0);
  }
}

// A holidays file that cannot be read is said so; both dialogs go on as without one.
TEST_F(HolidaysTest, AHolidaysFileThatCannotBeReadIsReportedAndCountsAsNone) {
  std::filesystem::create_symlink("/dev/zero", HolidaysPath());
  const std::string refusal = "No puedo leer los d\xED" "as festivos <" + HolidaysPath() +
                              "> ...\r\n" + files::ErrorText(files::kNotRegularFile);
  EXPECT_EQ(LoadHolidays(), refusal);
  EXPECT_EQ(holidayCount, 0);
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::ListCount(w, kList), 0);
    EXPECT_FALSE(ui::Enabled(w, kDeleteFile));
    EXPECT_FALSE(ui::Enabled(w, kSaveFile));
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, refusal);
  files::DeleteFile(HolidaysPath());
  EXPECT_EQ(LoadHolidays(), "") << "a missing file is no refusal";
}

TEST_F(HolidaysTest, AListOfMoreThanSixLinesOpensOnItsLast) {
  for (int lines : {6, 7}) {
    SCOPED_TRACE(lines);
    std::vector<HolidayRecord> records;
    for (int i = 1; i <= lines; ++i) records.push_back({i, 3, 0x0000C8, 0});
    testfiles::WriteRaw(HolidaysPath(), Records(records));
    holidaysDialogOpen = 1;
    OnDialog(kCaption, [lines](ui::Window w) {
      EXPECT_EQ(ui::ListCount(w, kList), lines);
      EXPECT_EQ(ui::ListSelection(w, kList), lines > 6 ? lines - 1 : -1);
      Click(w, kSalir);
    });
    ShowHolidaysDialog(nullptr);
  }
}

TEST_F(HolidaysTest, DeletingTheFileKeepsTheList) {
  testfiles::WriteRaw(HolidaysPath(), Records({{6, 1, 0x0000C8, 0}}));
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, kDeleteFile);
    EXPECT_EQ(ui::ListCount(w, kList), 1);
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Fichero borrado ...");
  EXPECT_FALSE(files::FileExists(HolidaysPath()));
  EXPECT_EQ(holidayCount, 1);
  EXPECT_EQ(holidayColourTable[6][1], 0x0000C8);
}

TEST_F(HolidaysTest, ADoubleClickTakesTheColourOfTheSelectedDay) {
  testfiles::WriteRaw(HolidaysPath(), Records({{6, 1, 0x0000C8, 0}, {1, 5, 0x00C800, 0}}));
  OnDialog(kCaption, [](ui::Window w) {
    // No line selected: nothing changes.
    ui::ListSelect(w, kList, -1);
    ui::SendMessage(w, ui::Msg::Command, kList, ui::kListDoubleClick);
    EXPECT_EQ(holidayChosenColour, gfx::Rgb(0, 139, 0));
    ui::ListSelect(w, kList, 1);
    ui::SendMessage(w, ui::Msg::Command, kList, ui::kListDoubleClick);
    EXPECT_EQ(holidayChosenColour, 0x00C800);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kSwatch), 5, 5), 0x00C800);
    // A colour picked on the canvas comes in with a click on the swatch.
    pickedColour = 0x123456;
    Click(w, kSwatch);
    EXPECT_EQ(holidayChosenColour, 0x123456);
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
}

TEST_F(HolidaysTest, LinesAreDrawnInTheirHolidaysColourOnBlack) {
  testfiles::WriteRaw(HolidaysPath(), Records({{6, 1, gfx::Rgb(0, 200, 0), 0}}));
  OnDialog(kCaption, [](ui::Window w) {
    // Lines 14 pixels taller than the list's own.
    ui::MeasureItemInfo measure{kList, 0, 20};
    ui::SendMessage(w, ui::Msg::MeasureItem, kList, reinterpret_cast<intptr_t>(&measure));
    EXPECT_EQ(measure.height, 34);
    gfx::Surface* s = gfx::MakeBitmap(260, 30);
    ui::DrawItemInfo item{kList, 0, false, false, s, 260, 30, "000 dia 6 de Enero"};
    ui::SendMessage(w, ui::Msg::DrawItem, kList, reinterpret_cast<intptr_t>(&item));
    EXPECT_GT(ink::CountColour(*s, gfx::Rgb(0, 200, 0)), 20);
    EXPECT_EQ(ink::CountColour(*s, gfx::kWhite), 0);
    const ink::Box text = ink::InkBox(*s, 0, 0, 259, 27, gfx::kBlack);
    EXPECT_LE(text.left, 3);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 14.5, 4);
    // The selected line in the highlight colours.
    item.selected = true;
    ui::SendMessage(w, ui::Msg::DrawItem, kList, reinterpret_cast<intptr_t>(&item));
    EXPECT_GT(ink::CountColour(*s, ui::SystemColourOf(ui::SystemColour::Highlight)), 1000);
    for (int x = 0; x < 260; x += 37) EXPECT_EQ(gfx::Pixel(*s, x, 29), gfx::kBlack) << x;
    gfx::ReleaseBitmap(s);
    Click(w, kSalir);
  });
  ShowHolidaysDialog(nullptr);
}

}  // namespace
