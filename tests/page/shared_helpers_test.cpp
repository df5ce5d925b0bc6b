#include "page/shared_helpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <string>

#include "tests/page/ink.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

TEST(FileExistsTest, OnlyAnExactPathThatCanBeQueriedExists) {
  const std::string folder = testenv::NewFolder("exists");
  testfiles::WriteRaw(folder + "plain.txt", "x");
  testfiles::WriteRaw(folder + "*.txt", "a file really named so");
  testfiles::WriteRaw(folder + "readonly.txt", "x");
  chmod((folder + "readonly.txt").c_str(), 0444);
  testfiles::WriteRaw(folder + "locked.txt", "x");
  chmod((folder + "locked.txt").c_str(), 0);
  struct Case {
    std::string path;
    int32_t result;
  };
  const Case cases[] = {
      {"", 0},
      {folder + "plain.txt", -1},
      {folder + "*.txt", 0},   // never taken as a pattern, nor as a name
      {folder + "plain.tx?", 0},
      {folder + "missing.txt", 0},
      {folder + "no such folder/plain.txt", 0},
      {folder, -1},
      {folder.substr(0, folder.size() - 1), -1},
      {folder + "readonly.txt", -1},
      {folder + "locked.txt", -1},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(FileExists(c.path), c.result) << c.path;
    EXPECT_EQ(errno, 0) << c.path;   // no error left for the next caller
  }
}

TEST(ClearGraphicTargetTest, LeavesTheBitmapWhiteAndCurrent) {
  gfx::Surface* other = gfx::MakeBitmap(20, 20);
  gfx::Surface* s = gfx::MakeBitmap(40, 30);
  gfx::Clear(*s, 0x123456);
  gfx::Select(*other);
  ClearGraphicTarget(*s);
  ClearGraphicTarget(*s);
  EXPECT_EQ(ink::CountColour(*s, gfx::kWhite), 40 * 30);
  // Drawing without selecting anything else lands on it.
  ASSERT_EQ(gfx::Current(), s);
  gfx::SetPixel(*gfx::Current(), 3, 4, gfx::kBlack);
  EXPECT_EQ(gfx::Pixel(*s, 3, 4), gfx::kBlack);
  EXPECT_TRUE(ink::InkBox(*other).Empty());
  gfx::ReleaseBitmap(s);
  gfx::ReleaseBitmap(other);
}

TEST(MakeSystemFontTest, FaceSizeAndStyleAsTheSystemMakesThem) {
  const gfx::FontSpec all = gfx::FontOf(MakeSystemFont(std::string(40, 'F'), 12, 31));
  EXPECT_EQ(all.face, std::string(31, 'F'));
  EXPECT_EQ(all.points, 12);
  EXPECT_EQ(all.styleFlags, kStyleBold | kStyleItalic | kStyleUnderline | kStyleStrikeOut | kStyleLeading);
  EXPECT_EQ(gfx::FontOf(MakeSystemFont("Arial", 0, 0)).points, 8);
  EXPECT_EQ(gfx::FontOf(MakeSystemFont("Arial", 10, 0, 1, 450)).escapement, 450);
  EXPECT_EQ(MakeSystemFont("Arial", 12, 3), MakeSystemFont("Arial", 12, 3));

  // With the leading flag the 12 points (16 pixels) are the whole cell.
  gfx::Surface* s = gfx::MakeBitmap(10, 10);
  gfx::SelectFont(*s, MakeSystemFont("Arial", 12, 31));
  EXPECT_EQ(gfx::TextHeight(*s), 16);
  gfx::SelectFont(*s, MakeSystemFont("Arial", 12, 0));
  EXPECT_GT(gfx::TextHeight(*s), 16);
  gfx::ReleaseBitmap(s);
}

TEST(RecordFieldsTest, FieldsAreLittleEndianAndFixedTextsStayInTheirField) {
  std::string bytes;
  PutLittleEndianField(bytes, 0x11223344u, 4);
  PutLittleEndianField(bytes, 0xFFFEu, 2);
  EXPECT_EQ(bytes, std::string("\x44\x33\x22\x11\xFE\xFF", 6));
  EXPECT_EQ(LittleEndianField(bytes, 0, 4), 0x11223344u);
  EXPECT_EQ(LittleEndianField(bytes, 4, 2), 0xFFFEu);
  EXPECT_EQ(LittleEndianField(bytes, 5, 4), 0xFFu);   // past the end reads zeros

  char field[6];
  SetFixedField(field, "abcdefgh");
  EXPECT_EQ(FixedFieldText(field), "abcde");
  EXPECT_EQ(field[5], '\0');
  SetFixedField(field, "ab");
  EXPECT_EQ(FixedFieldText(field), "ab");
  EXPECT_EQ(field[4], '\0');
  SetFixedField(field, std::string_view());   // no bytes behind it
  EXPECT_EQ(std::string(field, sizeof field), std::string(sizeof field, '\0'));
  char damaged[3] = {'x', 'y', 'z'};   // no terminator
  EXPECT_EQ(FixedFieldText(damaged), "xyz");

  EXPECT_EQ(HeldCoordinate(int64_t{INT_MAX} * 4), kCoordinateReach);
  EXPECT_EQ(HeldCoordinate(-int64_t{INT_MAX} * 4), -kCoordinateReach);
  EXPECT_EQ(HeldCoordinate(-17), -17);
}

}  // namespace
