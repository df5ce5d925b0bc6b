// Tests of line texts: reading the source files, the file part of the insert commands, and
// the renderer's placing of each line by probing pixels.
#include "shell/line_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "objects/shared_helpers.h"
#include "shell/drawers.h"
#include "tests/platform/gfx/probe.h"
#include "tests/support/test_files.h"

namespace {

using gfxtest::Bitmap;
using gfxtest::Differences;
using gfxtest::InkBox;

std::string WriteTextFile(const std::string& name, const std::string& bytes) {
  const std::string path = testenv::Folder() + name;
  testfiles::WriteRaw(path, bytes);
  return path;
}

TEST(LineTextFile, ReadsAndCountsWhateverTheLineEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    int nonEmptyLines;
    std::string buffer;
  };
  const std::string abc = "a\r\n\r\nb\xF1\r\n";
  const Case cases[] = {
      {"crlf", "a\r\n\r\nb\xF1\r\n", 2, abc},
      {"lf", "a\n\nb\xF1\n", 2, abc},
      {"cr", "a\r\rb\xF1\r", 2, abc},
      {"no final end", "a\r\n\r\nb\xF1", 2, abc},
      {"mixed", "a\n\rb\xF1\r\n", 2, abc},
      {"trailing empty line", "a\r\n\r\n", 1, "a\r\n\r\n"},
      {"blanks count as text", "  \r\n\r\n", 1, "  \r\n\r\n"},
      {"empty", "", 0, ""},
  };
  for (const Case& c : cases) {
    const std::string path = WriteTextFile("lines.txt", c.bytes);
    EXPECT_EQ(CountTextFileLines(path), c.nonEmptyLines) << c.name;
    lineTextBuffer = "old";
    ReadTextFileLines(path);
    EXPECT_EQ(lineTextBuffer, c.buffer) << c.name;
  }
  const std::string missing = testenv::Folder() + "missing.txt";
  EXPECT_EQ(CountTextFileLines(missing), 0);
  lineTextBuffer = "old";
  ReadTextFileLines(missing);
  EXPECT_EQ(lineTextBuffer, "");
}

TEST(LineTextFile, ALongFileIsCutAtTheBufferLength) {
  // Lines of 2 characters take 4 with their CR LF: the cut falls between a CR and its LF.
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "xy\n";
  ReadTextFileLines(WriteTextFile("long.txt", bytes));
  ASSERT_EQ(lineTextBuffer.size(), 9999u);
  EXPECT_EQ(lineTextBuffer.substr(9990), "\r\nxy\r\nxy\r");
  EXPECT_EQ(CountTextFileLines(WriteTextFile("long.txt", bytes)), 3000);
}

TEST(LineTextFile, BrowsingTrimsThePathAndFollowsItsFolder) {
  lastDocumentFolder = "/nowhere/";
  std::string path = "  /docs/letters/old.txt ";
  ui::testing::AnswerFile("  /home/ana/texts/new.txt   ");
  EXPECT_EQ(BrowseTextFile(nullptr, path, 0), 1);
  EXPECT_EQ(path, "/home/ana/texts/new.txt");
  EXPECT_EQ(lastDocumentFolder, "/home/ana/texts/");
  const ui::FileDialogSpec& asked = ui::testing::LastFileDialog();
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.title, "");
  EXPECT_EQ(asked.initialFolder, "/docs/letters/");
  EXPECT_EQ(asked.initialName, "old.txt");
  ASSERT_EQ(asked.filters.size(), 1u);
  EXPECT_EQ(asked.filters[0].name, "Texto");
  EXPECT_EQ(asked.filters[0].patterns, "*.*");
  EXPECT_TRUE(asked.mustExist);

  ui::testing::AnswerFile("/x/y.txt");
  EXPECT_EQ(BrowseTextFile(nullptr, path, 1), 1);
  EXPECT_TRUE(ui::testing::LastFileDialog().save);
  EXPECT_EQ(ui::testing::LastFileDialog().initialFolder, "/home/ana/texts/");

  ui::testing::AnswerFile("");
  EXPECT_EQ(BrowseTextFile(nullptr, path, 0), 0);
  EXPECT_EQ(path, "");

  // A choice longer than the path field keeps what the field holds.
  ui::testing::AnswerFile("/" + std::string(400, 'p'));
  EXPECT_EQ(BrowseTextFile(nullptr, path, 0), 1);
  EXPECT_EQ(path.size(), 273u);
}

TEST(LineTextInsert, CommandsGiveTheirAlignments) {
  EXPECT_EQ(LineTextAlignmentOfCommand(1082), kAlignLeft);
  EXPECT_EQ(LineTextAlignmentOfCommand(1083), kAlignRight);
  EXPECT_EQ(LineTextAlignmentOfCommand(1084), kAlignCentre);
  EXPECT_EQ(LineTextAlignmentOfCommand(1081), 0);
  EXPECT_EQ(LineTextAlignmentOfCommand(1085), 0);
}

TEST(LineTextInsert, AChosenFileFillsTheBufferWithWhatTheObjectKeeps) {
  ui::testing::Begin();   // no message left by the tests before
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "line number " + std::to_string(i) + "\n\n";
  const std::string path = WriteTextFile("hundred.txt", bytes);
  ui::testing::AnswerFile(" " + path + " ");
  ASSERT_EQ(ChooseLineTextFile(nullptr), 1);
  // What is drawn at insertion is what the object's text field can keep.
  ASSERT_EQ(lineTextBuffer.size(), 1023u);
  EXPECT_EQ(lineTextBuffer.substr(0, 17), "line number 0\r\n\r\n");
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
  // The next choice opens on the file chosen before.
  ui::testing::AnswerFile("");
  EXPECT_EQ(ChooseLineTextFile(nullptr), 0);
  EXPECT_EQ(ui::testing::LastFileDialog().initialName, "hundred.txt");
  EXPECT_EQ(ui::testing::LastFileDialog().initialFolder, testenv::Folder());

  const std::string shortFile = WriteTextFile("short.txt", "uno\r\ndos");
  ui::testing::AnswerFile(shortFile);
  ASSERT_EQ(ChooseLineTextFile(nullptr), 1);
  EXPECT_EQ(lineTextBuffer, "uno\r\ndos\r\n");
}

TEST(LineTextInsert, TooManyLinesOrAMissingFileInsertNothing) {
  ui::testing::Begin();   // no message left by the tests before
  std::string bytes;
  for (int i = 0; i < 101; ++i) bytes += "x\r\n";
  ui::testing::AnswerFile(WriteTextFile("many.txt", bytes));
  lineTextBuffer = "before";
  EXPECT_EQ(ChooseLineTextFile(nullptr), 0);
  ASSERT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(ui::testing::MessagesShown()[0].text, "El texto no puede tener mas de 100 l\xEDneas ...");
  EXPECT_EQ(ui::testing::MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(lineTextBuffer, "before");

  ui::testing::AnswerFile(testenv::Folder() + "gone.txt");
  EXPECT_EQ(ChooseLineTextFile(nullptr), 0);
  EXPECT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(lineTextBuffer, "before");
}

// The renderer. Lines are 12-point Arial, but the step between rows is the fontSize argument:
// 40 keeps each line in a band of its own.
constexpr int kStep = 40;
constexpr gfx::Colour kInk = gfx::kBlack;

gfx::FontKey LineFont() { return MakeSystemFont("Arial", 12, 0); }

std::unique_ptr<Bitmap> DrawLines(std::string_view text, int x, int y, int16_t alignment,
                                  gfx::Colour back = gfx::kTransparent) {
  auto b = std::make_unique<Bitmap>(400, 300);
  DrawLineTextObject(**b, text, x, y, LineFont(), kInk, back, kStep, alignment);
  return b;
}

// The ink of the row whose top is at `top`.
gfxtest::Box BandInk(const gfx::Surface& s, int top) {
  gfxtest::Box box;
  for (int y = top; y < top + kStep && y < gfx::Height(s); ++y)
    for (int x = 0; x < gfx::Width(s); ++x) {
      if (gfx::Pixel(s, x, y) != kInk) continue;
      ++box.count;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  return box;
}

// A line printed on its own with its top-left corner at (x, y).
void OneLine(gfx::Surface& s, std::string_view line, int x, int y) {
  DrawTextAtPosition(s, x, y, kInk, gfx::kTransparent, line, LineFont());
}

int Width(std::string_view line) {
  Bitmap b(10, 10);
  gfx::SelectFont(*b, LineFont());
  return gfx::TextWidth(*b, line);
}

TEST(LineTextDrawer, LeftLinesStartAtTheAnchorOneStepApart) {
  auto b = DrawLines("MMMM\r\n\r\nMW\r\n", 100, 20, kAlignLeft);
  // Rows at 20 + 40, + 80 (empty), + 120, and an empty last row at + 160.
  gfxtest::Box first = BandInk(**b, 60), empty = BandInk(**b, 100), third = BandInk(**b, 140);
  ASSERT_FALSE(first.Empty());
  ASSERT_FALSE(third.Empty());
  EXPECT_TRUE(empty.Empty());
  EXPECT_TRUE(BandInk(**b, 180).Empty());
  EXPECT_TRUE(BandInk(**b, 0).Empty());
  for (const gfxtest::Box& line : {first, third}) {
    EXPECT_GE(line.left, 100);
    EXPECT_LE(line.left, 103);
  }
  EXPECT_GT(first.right, third.right);
  EXPECT_EQ(gfx::Current(), b->get());
}

TEST(LineTextDrawer, RightLinesEndAtTheAnchor) {
  auto b = DrawLines("M\r\nMMMMMMM", 300, 0, kAlignRight);
  gfxtest::Box shortLine = BandInk(**b, 40), longLine = BandInk(**b, 80);
  ASSERT_FALSE(shortLine.Empty());
  ASSERT_FALSE(longLine.Empty());
  EXPECT_LE(shortLine.right, 300);
  EXPECT_GE(shortLine.right, 296);
  EXPECT_LE(longLine.right, 300);
  EXPECT_GE(longLine.right, 296);
  EXPECT_LT(longLine.left, shortLine.left - 40);
  // Exactly where a line measured and printed on its own at x - width lands.
  Bitmap both(400, 300);
  OneLine(*both, "M", 300 - Width("M"), 40);
  OneLine(*both, "MMMMMMM", 300 - Width("MMMMMMM"), 80);
  EXPECT_EQ(Differences(**b, *both), 0);
}

TEST(LineTextDrawer, CentredLinesShareTheCentreOfABlockStartingAtTheAnchor) {
  auto b = DrawLines("MM\r\nMMMMMMMM", 200, 0, kAlignCentre);
  gfxtest::Box narrow = BandInk(**b, 40), wide = BandInk(**b, 80);
  ASSERT_FALSE(narrow.Empty());
  ASSERT_FALSE(wide.Empty());
  EXPECT_GE(wide.left, 200);
  EXPECT_LE(wide.left, 203);
  EXPECT_NEAR((narrow.left + narrow.right) / 2.0, (wide.left + wide.right) / 2.0, 1.5);
  EXPECT_GT(narrow.left, wide.left + 20);

  const int w = Width("MM"), W = Width("MMMMMMMM");
  Bitmap both(400, 300);
  const int narrowLeft = 200 + static_cast<int>(std::nearbyint((W - w) / 2.0));
  OneLine(*both, "MM", narrowLeft, 40);
  OneLine(*both, "MMMMMMMM", 200, 80);
  EXPECT_EQ(Differences(**b, *both), 0);
}

TEST(LineTextDrawer, OtherAlignmentsDrawNothing) {
  Bitmap blank(400, 300);
  for (int16_t alignment : {0, 130, 134, -1})
    EXPECT_EQ(Differences(**DrawLines("MMMM\r\nMMMM", 100, 20, alignment), *blank), 0)
        << alignment;
}

TEST(LineTextDrawer, LoneLineEndsAndBytesAfterTheZeroArePrintedAsNothing) {
  auto plain = DrawLines("MM\r\nWW", 100, 20, kAlignLeft);
  // A cut between CR and LF leaves a lone CR at the end of the last line.
  EXPECT_EQ(Differences(**DrawLines("MM\r\nWW\r", 100, 20, kAlignLeft), **plain), 0);
  EXPECT_EQ(Differences(**DrawLines(std::string_view("MM\r\nWW\0XX\r\nXX", 13), 100, 20,
                                    kAlignLeft),
                        **plain),
            0);
}

TEST(LineTextDrawer, AnOpaqueBackgroundFillsEachPrintedLine) {
  constexpr gfx::Colour kYellow = gfx::Rgb(255, 255, 0);
  auto b = DrawLines("MMMM\r\nMM", 100, 20, kAlignLeft, kYellow);
  gfxtest::Box back = InkBox(**b, kYellow);
  ASSERT_FALSE(back.Empty());
  EXPECT_EQ(back.left, 100);
  EXPECT_EQ(back.top, 60);
  EXPECT_GE(back.bottom, 100);
}

}  // namespace
