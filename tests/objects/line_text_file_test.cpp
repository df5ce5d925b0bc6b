// Tests of line texts' source files: reading them, and the file part of the insert commands.
#include "objects/line_text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/file_dialogs.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/shared_helpers.h"
#include "tests/support/test_files.h"

namespace {

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
  EXPECT_EQ(LineTextAlignmentOfCommand(kCommandInsertLineTextLeft), kAlignLeft);
  EXPECT_EQ(LineTextAlignmentOfCommand(kCommandInsertLineTextRight), kAlignRight);
  EXPECT_EQ(LineTextAlignmentOfCommand(kCommandInsertLineTextCentre), kAlignCentre);
  EXPECT_EQ(LineTextAlignmentOfCommand(1081), 0);
  EXPECT_EQ(LineTextAlignmentOfCommand(kCommandClearCopies), 0);
}

TEST(LineTextInsert, AChosenFileFillsTheBufferWithWhatTheObjectKeeps) {
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
  std::string bytes;
  for (int i = 0; i < 101; ++i) bytes += "x\r\n";
  ui::testing::AnswerFile(WriteTextFile("many.txt", bytes));
  lineTextBuffer = "before";
  EXPECT_EQ(ChooseLineTextFile(nullptr), 0);
  ASSERT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(ui::testing::MessagesShown()[0].text,
            "El texto no puede tener mas de 100 l\xEDneas ...");
  EXPECT_EQ(ui::testing::MessagesShown()[0].title, "Vozurivudoz");
  EXPECT_EQ(lineTextBuffer, "before");

  ui::testing::AnswerFile(testenv::Folder() + "gone.txt");
  EXPECT_EQ(ChooseLineTextFile(nullptr), 0);
  EXPECT_EQ(ui::testing::MessagesShown().size(), 1u);
  EXPECT_EQ(lineTextBuffer, "before");
}

}  // namespace
