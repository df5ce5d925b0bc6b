#include "page/month_calendar.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "objects/colours.h"
#include "objects/holidays.h"
#include "objects/month_calendar_dialog.h"
#include "objects/text_properties.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::Click;
using ui::testing::OnDialog;
using namespace month_calendar_ids;

constexpr gfx::Colour kRed = 0x0000FF;

// The calendar's own answers checked against the standard library's calendar.
int ChronoWeekday(int year, int month, int day) {
  using namespace std::chrono;
  const unsigned w = weekday{sys_days{::std::chrono::year{year} / month / day}}.iso_encoding();
  return static_cast<int>(w);   // 1 Monday .. 7 Sunday
}
int ChronoDaysInMonth(int year, int month) {
  using namespace std::chrono;
  return static_cast<int>(static_cast<unsigned>(
      year_month_day_last{::std::chrono::year{year}, month_day_last{::std::chrono::month(month)}}.day()));
}

TEST(MonthDates, WeekdaysAndLengthsAgreeWithTheGregorianCalendar) {
  for (int year = 1583; year <= 2600; ++year)
    for (int month = 1; month <= 12; ++month) {
      ASSERT_EQ(GetDayOfWeek(year, month, 1), ChronoWeekday(year, month, 1)) << year << "-" << month;
      ASSERT_EQ(GetDaysInMonth(month, year), ChronoDaysInMonth(year, month)) << year << "-" << month;
    }
}

TEST(MonthDates, KnownDaysEdgesAndNames) {
  struct Case {
    int year, month, day, weekday;
  };
  const Case cases[] = {
      {2000, 1, 1, 6}, {2024, 2, 29, 4}, {2021, 2, 1, 1}, {2021, 8, 1, 7}, {1900, 3, 1, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(GetDayOfWeek(c.year, c.month, c.day), c.weekday) << c.year << "-" << c.month;
  EXPECT_EQ(GetDaysInMonth(2, 1900), 28);
  EXPECT_EQ(GetDaysInMonth(2, 2000), 29);
  EXPECT_EQ(GetDaysInMonth(2, 2023), 28);
  EXPECT_EQ(GetDaysInMonth(2, 2024), 29);
  EXPECT_EQ(GetDaysInMonth(13, 2024), 0);
  EXPECT_EQ(GetDaysInMonth(0, 2024), 0);
  // Years beyond 16 bits and year 0 still give a weekday from 1 to 7, the same as the
  // Gregorian calendar where it reaches.
  EXPECT_EQ(GetDayOfWeek(0, 3, 1), ChronoWeekday(0, 3, 1));
  EXPECT_EQ(GetDayOfWeek(32767, 12, 31), ChronoWeekday(32767, 12, 31));
  for (int year : {0, -1, 40000, 2147483647, -2147483647}) {
    const int w = GetDayOfWeek(year, 1, 1);
    EXPECT_GE(w, 1);
    EXPECT_LE(w, 7);
  }
  EXPECT_EQ(GetMonthName(1), "Enero");
  EXPECT_EQ(GetMonthName(9), "Septiembre");
  EXPECT_EQ(GetMonthName(12), "Diciembre");
  EXPECT_EQ(GetMonthName(0), "");
  EXPECT_EQ(GetMonthName(13), "");
}

class MonthBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page = gfx::MakeBitmap(420, 320);
    font = MakeSystemFont("Tahoma", kCell, kStyleBold, 1);
    monthNamePosition = 0;   // no name: the grid alone
    monthColouredBackground = 0;
    monthTransparentBackground = 0;
    monthIncludeHolidays = 0;
    for (auto& day : holidayColourTable) day.fill(0);
    textForeColour = gfx::kBlack;
  }
  void TearDown() override { gfx::ReleaseBitmap(page); }

  void Draw(int year, int month, gfx::Colour border = 0, gfx::Colour back = 0xFFFFFF) {
    ClearGraphicTarget(*page);
    EXPECT_EQ(MeasureMonthCalendar(*page, year, month, kX, kY, border, back, font, kCell), 1);
    EXPECT_EQ(DrawMonthCalendar(*page, year, month, kX, kY, border, back, font, kCell), 1);
  }
  // The cell of week row `row` (from 0) and column `column` (1 Monday .. 7 Sunday).
  ink::Box CellInk(int row, int column, gfx::Colour paper = gfx::kWhite) const {
    const int left = kX + (column - 1) * kPitch, top = kY + 4 * kCell + row * 2 * kCell;
    return ink::InkBox(*page, left, top, left + kPitch - 3, top + 2 * kCell - 1, paper);
  }
  int CellCount(int row, int column, gfx::Colour c) const {
    const int left = kX + (column - 1) * kPitch, top = kY + 4 * kCell + row * 2 * kCell;
    return ink::CountColour(*page, c, left, top, left + kPitch - 3, top + 2 * kCell - 1);
  }

  static constexpr int kCell = 12;
  static constexpr int kPitch = 2 * kCell + 2;
  static constexpr int kX = 40, kY = 30;
  gfx::Surface* page = nullptr;
  gfx::FontKey font = 0;
};

TEST_F(MonthBlockTest, EachDayLandsInItsWeekdayColumnAndWeekRow) {
  struct Case {
    int year, month;
    int rows;   // week rows the month takes
  };
  const Case cases[] = {
      {2021, 2, 4},   // starts on Monday, 28 days: exactly four rows
      {2021, 8, 6},   // starts on Sunday: day 1 alone in the first row
      {2024, 2, 5},   // leap February, starts on Thursday
      {2023, 2, 5},   // plain February, starts on Wednesday
      {1900, 2, 5},   // not a leap year though divisible by 4; starts on Thursday
      {2000, 2, 5},   // a leap year divisible by 400; starts on Tuesday
      {2022, 1, 6},   // 31 days from a Saturday: six rows
      {2023, 4, 5},   // 30 days from a Saturday
      {2020, 11, 6},  // 30 days from a Sunday
      {2015, 2, 5},   // 28 days from a Sunday
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month));
    Draw(c.year, c.month);
    const int first = ChronoWeekday(c.year, c.month, 1);
    const int days = ChronoDaysInMonth(c.year, c.month);
    std::vector<std::vector<int>> expected(6, std::vector<int>(8, 0));
    for (int d = 1, slot = first - 1; d <= days; ++d, ++slot) expected[slot / 7][slot % 7 + 1] = d;
    for (int row = 0; row < 6; ++row)
      for (int column = 1; column <= 7; ++column) {
        SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
        const int d = expected[row][column];
        EXPECT_EQ(CellInk(row, column).Empty(), d == 0);
        if (d == 0) continue;
        // Sundays red, every other day black.
        EXPECT_GT(CellCount(row, column, column == 7 ? kRed : gfx::kBlack), 0);
        EXPECT_EQ(CellCount(row, column, column == 7 ? gfx::kBlack : kRed), 0);
      }
    // The two-digit days are wider than the one-digit ones, so day 10 is where it should be.
    const int slot9 = first - 1 + 8, slot10 = first - 1 + 9;
    const ink::Box nine = CellInk(slot9 / 7, slot9 % 7 + 1), ten = CellInk(slot10 / 7, slot10 % 7 + 1);
    EXPECT_GT(ten.right - ten.left, nine.right - nine.left);
    EXPECT_EQ(monthBlockRight, kX + 14 * kCell + 14);
    EXPECT_EQ(monthBlockBottom, kY + 4 * kCell + 2 * kCell * c.rows);
    // Nothing below the last row.
    EXPECT_TRUE(ink::InkBox(*page, 0, monthBlockBottom, 419, 319).Empty());
  }
}

TEST_F(MonthBlockTest, WeekdayLettersHeadTheColumns) {
  Draw(2021, 2);
  for (int column = 1; column <= 7; ++column) {
    const int left = kX + (column - 1) * kPitch, top = kY + 2 * kCell;
    EXPECT_GT(ink::CountColour(*page, gfx::kBlack, left, top, left + kPitch - 3, top + 2 * kCell - 1), 0) << column;
  }
  // No name row with position 0.
  EXPECT_TRUE(ink::InkBox(*page, 0, 0, 419, kY + 2 * kCell - 1).Empty());
}

TEST_F(MonthBlockTest, TheBoxIsDrawnOnlyWhenColouredAndFilledUnlessTransparent) {
  const gfx::Colour border = gfx::Rgb(0, 0, 200), back = gfx::Rgb(255, 255, 150);
  Draw(2021, 2, border, back);
  EXPECT_EQ(ink::CountColour(*page, border), 0);
  EXPECT_EQ(ink::CountColour(*page, back), 0);

  monthColouredBackground = 1;
  Draw(2021, 2, border, back);
  // The outline from (x - 5, y - 5) to the block's edges + 5, the back colour inside.
  const int right = kX + 14 * kCell + 14 + 5, bottom = kY + 12 * kCell + 5;
  EXPECT_EQ(gfx::Pixel(*page, kX - 5, kY + 50), border);
  EXPECT_EQ(gfx::Pixel(*page, right, kY + 50), border);
  EXPECT_EQ(gfx::Pixel(*page, kX + 50, kY - 5), border);
  EXPECT_EQ(gfx::Pixel(*page, kX + 50, bottom), border);
  EXPECT_EQ(gfx::Pixel(*page, kX - 10, kY + 50), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(*page, right + 5, kY + 50), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(*page, kX + 1, kY), back);
  // Days drawn over the box.
  EXPECT_FALSE(CellInk(0, 1, back).Empty());
  EXPECT_EQ(gfx::PenWidth(*page), 4);

  monthTransparentBackground = 1;
  Draw(2021, 2, border, back);
  EXPECT_EQ(gfx::Pixel(*page, kX - 5, kY + 50), border);
  EXPECT_EQ(ink::CountColour(*page, back), 0);
}

TEST_F(MonthBlockTest, HolidaysTakeTheirColourExceptOnSundaysAndOnlyWhenIncluded) {
  const gfx::Colour green = gfx::Rgb(0, 139, 0);
  // February 2021 starts on Monday: the 3rd is a Wednesday, the 7th a Sunday, the 9th a Tuesday.
  holidayColourTable[3][2] = green;
  holidayColourTable[7][2] = green;
  holidayColourTable[9][2] = 0;
  holidayColourTable[3][3] = gfx::Rgb(200, 0, 200);   // another month's holiday
  monthIncludeHolidays = 1;
  Draw(2021, 2);
  EXPECT_GT(CellCount(0, 3, green), 0);
  EXPECT_EQ(CellCount(0, 3, gfx::kBlack), 0);
  EXPECT_GT(CellCount(0, 7, kRed), 0);
  EXPECT_EQ(CellCount(0, 7, green), 0);
  EXPECT_GT(CellCount(1, 2, gfx::kBlack), 0);
  EXPECT_EQ(ink::CountColour(*page, gfx::Rgb(200, 0, 200)), 0);

  monthIncludeHolidays = 0;
  Draw(2021, 2);
  EXPECT_EQ(ink::CountColour(*page, green), 0);
  EXPECT_GT(CellCount(0, 3, gfx::kBlack), 0);
}

TEST_F(MonthBlockTest, TheNameStandsLeftCentredOrTwentyCharactersFromTheLeft) {
  textForeColour = gfx::Rgb(0, 0, 160);
  gfx::SelectFont(*page, font);
  const int average = gfx::AverageCharWidth(*page);
  const int width = gfx::TextWidth(*page, "Febrero");
  const int left = kX - 5, right = kX + 14 * kCell + 14 + 5;
  struct Case {
    int position;
    int penX;
  };
  const Case cases[] = {
      {kMonthNameLeft, left},
      {kMonthNameCentre, (left + right - width) / 2},
      {kMonthNameRight, left + 20 * average - 7 * average},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    monthNamePosition = c.position;
    Draw(2021, 2);
    const ink::Box name = ink::InkBox(*page, 0, kY, 419, kY + 2 * kCell - 1);
    ASSERT_FALSE(name.Empty());
    EXPECT_NEAR(name.left, c.penX, 3);
    EXPECT_NEAR(name.right, c.penX + width, 4);
    EXPECT_GT(ink::CountColour(*page, textForeColour, 0, kY, 419, kY + 2 * kCell - 1), 0);
  }
  for (int position : {0, 4}) {
    monthNamePosition = position;
    Draw(2021, 2);
    EXPECT_TRUE(ink::InkBox(*page, 0, 0, 419, kY + 2 * kCell - 1).Empty()) << position;
  }
  // PlaceMonthName draws nothing for an unknown code.
  ClearGraphicTarget(*page);
  PlaceMonthName(*page, "Enero", 734, 10, 10, font, gfx::kBlack);
  EXPECT_TRUE(ink::InkBox(*page).Empty());
}

TEST_F(MonthBlockTest, AMonthOutsideTheYearGetsTheHeaderExtentsAndNoDays) {
  monthColouredBackground = 1;
  holidayColourTable[1][12] = gfx::Rgb(0, 200, 0);
  monthIncludeHolidays = 1;
  for (int month : {0, 13, -5, 1000000}) {
    SCOPED_TRACE(month);
    monthBlockRight = monthBlockBottom = 9999;
    Draw(2021, month, gfx::Rgb(0, 0, 200), 0xFFFFFF);
    EXPECT_EQ(monthBlockRight, kX + 14 * kCell + 14);
    EXPECT_EQ(monthBlockBottom, kY + 4 * kCell);
    // The box closes under the weekday letters; no day is drawn.
    EXPECT_EQ(gfx::Pixel(*page, kX + 50, kY + 4 * kCell + 5), gfx::Rgb(0, 0, 200));
    EXPECT_EQ(ink::CountColour(*page, gfx::kBlack, 0, kY + 4 * kCell, 419, 319), 0);
    EXPECT_EQ(ink::CountColour(*page, kRed), 0);
  }
}

// The insert and the painter: a calendar read back from a document draws as it was inserted,
// whatever font handle it carries and whatever the text face is by then.
TEST(MonthCalendarObject, DrawsFromItsOwnFieldsAsInserted) {
  textFontName = "Arial";
  textFontSize = 11;
  textForeColour = gfx::kBlack;
  monthCalendarYear = 2024;
  monthCalendarMonth = 2;
  monthNamePosition = kMonthNameCentre;
  monthColouredBackground = 1;
  monthTransparentBackground = 0;
  monthIncludeHolidays = 0;
  monthBackColour = gfx::Rgb(220, 240, 255);
  monthBorderColour = gfx::Rgb(0, 0, 128);
  gfx::Surface* inserted = gfx::MakeBitmap(400, 300);
  gfx::Surface* painted = gfx::MakeBitmap(400, 300);
  const gfx::FontKey font = MonthCalendarInsertFont();
  EXPECT_EQ(gfx::FontOf(font).styleFlags & kStyleBold, kStyleBold);
  DrawMonthCalendarAt(*inserted, 30, 40, font, textFontSize);
  PageObject o{};
  o.x = 30;
  o.y = 40;
  o.kind = kMonthCalendar;
  StoreMonthCalendarSettings(o, font);
  EXPECT_EQ(o.width, 30 + 14 * 11 + 14);
  EXPECT_EQ(o.calendarYear, 2024);
  EXPECT_EQ(o.calendarMonth, 2);
  EXPECT_EQ(o.alignment, kMonthNameCentre);
  EXPECT_EQ(o.optionFlag3, 1);
  EXPECT_EQ(o.borderColor, monthBorderColour);
  EXPECT_STREQ(o.fontName, "Arial");

  // A later session: other settings, another face, a stale handle.
  o.fontHandle = 424242;
  textFontName = "Times New Roman";
  monthNamePosition = kMonthNameLeft;
  monthColouredBackground = 0;
  DrawMonthCalendarObject(*painted, o);
  EXPECT_EQ(monthNamePosition, kMonthNameCentre);
  EXPECT_EQ(monthColouredBackground, 1);
  EXPECT_TRUE(ink::SamePixels(*inserted, *painted));

  // A calendar from before the face was kept takes the text face.
  std::memset(o.fontName, 0, sizeof o.fontName);
  EXPECT_EQ(gfx::FontOf(MonthCalendarObjectFont(o)).face, "Times New Roman");
  gfx::ReleaseBitmap(inserted);
  gfx::ReleaseBitmap(painted);
}

class MonthDialogTest : public dialogtest::DialogTest {
 protected:
  MonthDialogTest() : DialogTest({&monthDialogOpen}, &monthPreviewBitmap) {}
  void SetUp() override {
    DialogTest::SetUp();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    monthDialogOpen = 1;
    monthDialogAccepted = 1;
    monthNamePosition = kMonthNameLeft;
    monthColouredBackground = 0;
    monthTransparentBackground = 0;
    monthIncludeHolidays = 1;
    monthBackColour = 0xFFFFFF;
    monthBorderColour = 0;
    pickedColour = -1;
  }
  static constexpr const char* kCaption = "Configurador de mes";
};

TEST_F(MonthDialogTest, OpensOnTodayWithoutHolidaysWhenThereIsNoFile) {
  int32_t year = 0, month = 0;
  GetTodaysYearAndMonth(year, month);
  holidayColourTable[5][5] = 0x123456;
  OnDialog(kCaption, [&](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kYear), std::to_string(year));
    EXPECT_EQ(ui::ListSelection(w, kMonth), month - 1);
    EXPECT_EQ(ui::ListCount(w, kMonth), 12);
    EXPECT_EQ(ui::ListText(w, kMonth, 8), "09 - Septiembre");
    EXPECT_FALSE(ui::Enabled(w, kRight));
    EXPECT_FALSE(ui::Enabled(w, kHolidays));
    EXPECT_FALSE(ui::Checked(w, kHolidays));
    EXPECT_TRUE(ui::Checked(w, kLeft));
    // Not coloured: both choosers and "transparent" are greyed.
    EXPECT_FALSE(ui::Enabled(w, kBackChooser));
    EXPECT_FALSE(ui::Enabled(w, kBorderChooser));
    EXPECT_FALSE(ui::Enabled(w, kTransparent));
    Click(w, kCancelar);
  });
  ShowMonthCalendarDialog(nullptr);
  EXPECT_EQ(monthDialogAccepted, 0);
  EXPECT_EQ(monthIncludeHolidays, 0);
  EXPECT_EQ(holidayColourTable[5][5], 0);
  EXPECT_EQ(monthCalendarYear, year);
  EXPECT_EQ(monthCalendarMonth, month);
}

TEST_F(MonthDialogTest, WithAHolidaysFileTheOptionIsOfferedAndTheColoursRead) {
  HolidayRecord r{6, 1, gfx::Rgb(0, 0, 200), 0};
  testfiles::WriteRaw(HolidaysPath(), EncodeHolidayRecord(r));
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_TRUE(ui::Enabled(w, kHolidays));
    EXPECT_TRUE(ui::Checked(w, kHolidays));
    Click(w, kAceptar);
  });
  ShowMonthCalendarDialog(nullptr);
  EXPECT_EQ(monthDialogAccepted, 1);
  EXPECT_EQ(monthIncludeHolidays, 1);
  EXPECT_EQ(holidayColourTable[6][1], gfx::Rgb(0, 0, 200));
}

// A holidays file there that cannot be read is said so and counts as none.
TEST_F(MonthDialogTest, AHolidaysFileThatCannotBeReadIsReportedAndOffersNoHolidays) {
  ASSERT_EQ(mkfifo(HolidaysPath().c_str(), 0600), 0);
  holidayColourTable[5][5] = 0x123456;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_FALSE(ui::Enabled(w, kHolidays));
    EXPECT_FALSE(ui::Checked(w, kHolidays));
    Click(w, kCancelar);
  });
  ShowMonthCalendarDialog(nullptr);
  ASSERT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(ui::testing::MessagesShown()[0].text,
            "No puedo leer los d\xED" "as festivos <" + HolidaysPath() + "> ...\r\n" +
                files::ErrorText(files::kNotRegularFile));
  EXPECT_EQ(monthIncludeHolidays, 0);
  EXPECT_EQ(holidayColourTable[5][5], 0);
}

TEST_F(MonthDialogTest, ChoicesChangeTheSettingsAndThePreview) {
  ui::testing::AnswerColour(gfx::Rgb(255, 255, 160));
  OnDialog(kCaption, [](ui::Window w) {
    gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_GT(ink::CountColour(preview, gfx::kBlack), 0);
    ui::testing::TypeText(w, kYear, "2021");
    ui::testing::ChooseListItem(w, kMonth, 1);
    Click(w, kColoured);
    EXPECT_TRUE(ui::Enabled(w, kBackChooser));
    EXPECT_TRUE(ui::Enabled(w, kBorderChooser));
    EXPECT_TRUE(ui::Enabled(w, kTransparent));
    Click(w, kBackChooser);
    EXPECT_GT(ink::CountColour(preview, gfx::Rgb(255, 255, 160)), 1000);
    // The border from the chooser and from a colour picked on the canvas.
    ui::testing::AnswerColour(gfx::Rgb(0, 0, 150));
    Click(w, kBorderChooser);
    EXPECT_EQ(monthBorderColour, gfx::Rgb(0, 0, 150));
    EXPECT_GT(ink::CountColour(preview, gfx::Rgb(0, 0, 150)), 100);
    pickedColour = gfx::Rgb(150, 0, 0);
    Click(w, kBorderSwatch);
    EXPECT_EQ(monthBorderColour, gfx::Rgb(150, 0, 0));
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kBorderSwatch), 4, 4), gfx::Rgb(150, 0, 0));
    EXPECT_GT(ink::CountColour(preview, gfx::Rgb(150, 0, 0)), 100);
    Click(w, kTransparent);
    EXPECT_FALSE(ui::Enabled(w, kBackChooser));
    EXPECT_EQ(ink::CountColour(preview, gfx::Rgb(255, 255, 160)), 0);
    Click(w, kCentre);
    // "Cancelar" keeps what was chosen; only the accepted flag says no.
    ui::testing::CloseBox(w);
  });
  ShowMonthCalendarDialog(nullptr);
  EXPECT_EQ(monthDialogAccepted, 0);
  EXPECT_EQ(monthCalendarYear, 2021);
  EXPECT_EQ(monthCalendarMonth, 2);
  EXPECT_EQ(monthColouredBackground, 1);
  EXPECT_EQ(monthTransparentBackground, 1);
  EXPECT_EQ(monthBackColour, gfx::Rgb(255, 255, 160));
  EXPECT_EQ(monthNamePosition, kMonthNameCentre);
}

TEST_F(MonthDialogTest, AYearTooLargeForSixteenBitsStillDraws) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::testing::TypeText(w, kYear, "99999999999");
    EXPECT_GT(ink::CountColour(ui::ControlSurface(w, kPreview), gfx::kBlack), 0);
    Click(w, kAceptar);
  });
  ShowMonthCalendarDialog(nullptr);
  EXPECT_EQ(monthCalendarYear, 2147483647);
}

}  // namespace
