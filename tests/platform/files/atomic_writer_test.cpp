// The whole file written piece by piece: the target changes only at Commit and at most a
// buffer's worth waits in memory. Its failures: failure_seam_test.cpp.
#include <errno.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "tests/platform/files/folder_names.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using files::AtomicFileWriter;
using filestest::NamesIn;
using testfiles::ReadRaw;
using testfiles::WriteRaw;

// The bytes of the folder's one temporary file, the writer's; -1 when there is none.
int64_t TemporaryBytes(const std::string& dir) {
  int64_t bytes = -1;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) {
      EXPECT_EQ(bytes, -1) << "more than one temporary file";
      bytes = static_cast<int64_t>(e.file_size());
    }
  }
  return bytes;
}

TEST(AtomicFileWriter, PiecesGoToTheDiskAsTheyComeAndReplaceTheTargetAtCommit) {
  const std::string dir = testenv::NewFolder("writer-pieces");
  WriteRaw(dir + "lista.rtf", "viejo");
  AtomicFileWriter writer;
  ASSERT_EQ(writer.Open(dir + "lista.rtf"), 0);
  std::string all;
  for (int i = 0; i < 4000; ++i) {
    const std::string piece = "linea " + std::to_string(i) + std::string(i % 300, 'x') + "\r\n";
    ASSERT_EQ(writer.Write(piece), 0);
    all += piece;
    // What is not yet on the disk fits the buffer.
    ASSERT_GE(TemporaryBytes(dir) + static_cast<int64_t>(AtomicFileWriter::kBufferBytes),
              static_cast<int64_t>(all.size()))
        << i;
  }
  // A piece longer than the buffer goes to the disk whole.
  const std::string long_piece(3 * AtomicFileWriter::kBufferBytes + 7, 'L');
  ASSERT_EQ(writer.Write(long_piece), 0);
  all += long_piece;
  EXPECT_EQ(TemporaryBytes(dir), static_cast<int64_t>(all.size()));
  EXPECT_EQ(ReadRaw(dir + "lista.rtf"), "viejo");
  ASSERT_EQ(writer.Commit(), 0);
  EXPECT_EQ(ReadRaw(dir + "lista.rtf"), all);
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"lista.rtf"});
}

TEST(AtomicFileWriter, AWriterLeftWithoutCommitLeavesTheTargetAsItWas) {
  const std::string dir = testenv::NewFolder("writer-left");
  WriteRaw(dir + "viejo.rtf", "viejo");
  {
    AtomicFileWriter writer;
    ASSERT_EQ(writer.Open(dir + "viejo.rtf"), 0);
    ASSERT_EQ(writer.Write(std::string(200000, 'n')), 0);
  }
  EXPECT_EQ(ReadRaw(dir + "viejo.rtf"), "viejo");
  AtomicFileWriter writer;
  ASSERT_EQ(writer.Open(dir + "nuevo.rtf"), 0);
  ASSERT_EQ(writer.Write("algo"), 0);
  writer.Discard();
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"viejo.rtf"});
  // A discarded writer writes nothing more.
  EXPECT_NE(writer.Write("x"), 0);
  EXPECT_NE(writer.Commit(), 0);
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"viejo.rtf"});
}

TEST(AtomicFileWriter, MemoryRunningOutHasASpanishText) {
  EXPECT_EQ(files::ErrorText(ENOMEM), "Err: 12 No hay memoria suficiente");
}

}  // namespace
