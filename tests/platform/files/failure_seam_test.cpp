// The writers of the files unit when the disk fails them, through the failure seam.
#include <errno.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "tests/support/test_env.h"
#include "tests/platform/files/folder_names.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using files::testing::FailureScope;
using files::testing::Step;
using testfiles::ReadRaw;
using testfiles::WriteRaw;

using filestest::NamesIn;

// A failure armed for a case of a table.
struct ArmedCase {
  Step step;
  int64_t afterBytes;
  int errnum;
};

TEST(FailureSeam, AFailedWholeFileWriteKeepsTheOldFileByteForByte) {
  const ArmedCase cases[] = {
      {Step::Create, 0, EACCES},
      {Step::Write, 0, ENOSPC},
      {Step::Write, 5, ENOSPC},      // a full disk in the middle of the file
      {Step::Write, 9999, EIO},      // after the last byte: the next write would fail, none comes
      {Step::Flush, 0, EIO},
      {Step::Rename, 0, EXDEV},
  };
  const std::string dir = testenv::NewFolder("seam-whole");
  const std::string old = std::string("viejo\0\xFF contenido", 16);
  for (const ArmedCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    WriteRaw(dir + "doc.qorvex", old);
    {
      FailureScope fail(c.step, c.errnum, c.afterBytes);
      const int error = files::WriteAllAtomically(dir + "doc.qorvex", std::string(2086, 'n'));
      if (c.afterBytes >= 2086) {
        EXPECT_EQ(error, 0);
        EXPECT_EQ(files::testing::FailuresFired(), 0);
        continue;
      }
      EXPECT_EQ(error, c.errnum);
      EXPECT_EQ(files::testing::FailuresFired(), 1);
    }
    EXPECT_EQ(ReadRaw(dir + "doc.qorvex"), old);
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"doc.qorvex"});   // no temporary left
  }
  // A new file that fails is not made at all.
  FailureScope fail(Step::Write, ENOSPC, 3);
  EXPECT_EQ(files::WriteAllAtomically(dir + "nuevo.ini", "[A]\r\nk=1\r\n"), ENOSPC);
  EXPECT_FALSE(fs::exists(dir + "nuevo.ini"));
}

// A file written piece by piece keeps its first failure and leaves no file.
TEST(FailureSeam, AFailedPieceByPieceWriteKeepsItsFailureAndLeavesNoFile) {
  const ArmedCase cases[] = {
      {Step::Create, 0, EACCES},
      {Step::Write, 0, ENOSPC},
      {Step::Write, 100000, ENOSPC},  // a full disk once the first buffers are on it
      {Step::Flush, 0, EIO},
      {Step::Rename, 0, EXDEV},
  };
  const std::string dir = testenv::NewFolder("writer-failures");
  for (const ArmedCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    WriteRaw(dir + "lista.rtf", "viejo");
    const FailureScope failing(c.step, c.errnum, c.afterBytes);
    files::AtomicFileWriter writer;
    int error = writer.Open(dir + "lista.rtf");
    for (int i = 0; i < 1000 && error == 0; ++i) error = writer.Write(std::string(500, 'a'));
    if (error == 0) error = writer.Commit();
    EXPECT_EQ(error, c.errnum);
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    // Every later call answers with the first failure.
    EXPECT_EQ(writer.Write("b"), c.errnum);
    EXPECT_EQ(writer.Commit(), c.errnum);
    EXPECT_EQ(ReadRaw(dir + "lista.rtf"), "viejo");
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"lista.rtf"});
  }
}

TEST(FailureSeam, AFailureFiresOnceAndTheScopeDisarmsIt) {
  const std::string dir = testenv::NewFolder("seam-once");
  {
    FailureScope fail(Step::Rename, EIO);
    EXPECT_EQ(files::WriteAllAtomically(dir + "a", "1"), EIO);
    EXPECT_EQ(files::WriteAllAtomically(dir + "a", "2"), 0);   // fired once, then gone
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    files::testing::ArmFailure(Step::Flush, ENOSPC);
  }
  EXPECT_EQ(files::testing::FailuresFired(), 0);
  EXPECT_EQ(files::WriteAllAtomically(dir + "a", "3"), 0);      // the scope's end disarmed all
  EXPECT_EQ(ReadRaw(dir + "a"), "3");
  files::testing::ArmFailure(Step::Delete, EBUSY);
  EXPECT_EQ(files::DeleteFile(dir + "a"), EBUSY);
  EXPECT_TRUE(fs::exists(dir + "a"));
  files::testing::ArmFailure(Step::Delete, EBUSY);
  files::testing::ResetFailures();
  EXPECT_EQ(files::DeleteFile(dir + "a"), 0);
}

TEST(FailureSeam, AFailedAppendLeavesTheRecordFileAsItWas) {
  const std::string path = testenv::NewFolder("seam-append") + "valores.zbd";
  WriteRaw(path, "AAAABBBBcc");   // two records and the stump of a third
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  {
    FailureScope fail(Step::Write, ENOSPC, 3);
    EXPECT_EQ(f.Append("CCCC"), ENOSPC);
  }
  EXPECT_EQ(f.Length(), 10);
  EXPECT_EQ(f.RecordCount(), 2);
  {
    FailureScope fail(Step::Write, ENOSPC, 1);
    EXPECT_EQ(f.Append("CCCC"), ENOSPC);
    EXPECT_EQ(f.Append("CCCC"), 0);   // the disk has room again
  }
  EXPECT_EQ(ReadRaw(path), "AAAABBBBCCCC");
  {
    // When the undo fails too, the stump is no record: the count stays and the next append
    // writes over it.
    FailureScope fail(Step::Write, EIO, 2);
    files::testing::ArmFailure(Step::Truncate, EIO);
    EXPECT_EQ(f.Append("DDDD"), EIO);
    EXPECT_EQ(files::testing::FailuresFired(), 2);
    EXPECT_EQ(f.RecordCount(), 3);
  }
  EXPECT_EQ(f.Append("EEEE"), 0);
  EXPECT_EQ(ReadRaw(path), "AAAABBBBCCCCEEEE");
}

TEST(FailureSeam, AppendsUndoneByCuttingTheFileBack) {
  const std::string path = testenv::NewFolder("seam-truncate") + "valores.zbd";
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  EXPECT_EQ(f.Truncate(0), 0);   // nothing there yet: nothing to cut
  ASSERT_EQ(f.Append("AAAA"), 0);
  const int64_t before = f.Length();
  ASSERT_EQ(f.Append("BBBB"), 0);
  ASSERT_EQ(f.Append("CCCC"), 0);
  {
    FailureScope fail(Step::Truncate, EIO);
    EXPECT_EQ(f.Truncate(before), EIO);
    EXPECT_EQ(f.RecordCount(), 3);
  }
  EXPECT_EQ(f.Truncate(before), 0);
  EXPECT_EQ(ReadRaw(path), "AAAA");
  EXPECT_EQ(f.Truncate(-1), EINVAL);
  files::RecordFile closed;
  EXPECT_EQ(closed.Truncate(0), EBADF);
}

TEST(FailureSeam, AWholeAppendThatCannotBeCutBackSaysItLeftPartOfTheRecords) {
  const std::string path = testenv::NewFolder("seam-whole") + "valores.zbd";
  WriteRaw(path, "AAAA");
  struct Case {
    Step step;
    int64_t afterBytes;
    int64_t lengthAfter;
    bool partLeft;
  };
  // A write that put nothing on the disk leaves nothing to cut back.
  for (const Case& c : {Case{Step::Write, 6, 10, true}, Case{Step::Write, 0, 4, false},
                        Case{Step::Flush, 0, 12, true}}) {
    WriteRaw(path, "AAAA");
    files::RecordFile f;
    ASSERT_EQ(f.Open(path, 4), 0);
    FailureScope fail(c.step, EIO, c.afterBytes);
    files::testing::ArmFailure(Step::Truncate, ENOSPC);
    bool partLeft = !c.partLeft;
    EXPECT_EQ(f.AppendWhole("BBBBCCCC", &partLeft), EIO);
    EXPECT_EQ(partLeft, c.partLeft) << static_cast<int>(c.step) << " " << c.afterBytes;
    EXPECT_EQ(f.Length(), c.lengthAfter);
  }
  // Cut back, nothing is left.
  WriteRaw(path, "AAAA");
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  FailureScope fail(Step::Write, EIO, 6);
  bool partLeft = true;
  EXPECT_EQ(f.AppendWhole("BBBBCCCC", &partLeft), EIO);
  EXPECT_FALSE(partLeft);
  EXPECT_EQ(ReadRaw(path), "AAAA");
}

// An append at the end is never cut back, as another program may have appended after it: a
// failure says whether any of it may be in the file.
TEST(FailureSeam, AFailedAppendAtTheEndIsNeverCutBack) {
  const std::string path = testenv::NewFolder("seam-end") + "valores.zbd";
  struct Case {
    Step step;
    int64_t afterBytes;
    const char* left;
    int64_t at;
    bool partLeft;
  };
  for (const Case& c : {Case{Step::Write, 3, "AAAACCC", 4, true},
                        Case{Step::Write, 0, "AAAA", -1, false},
                        Case{Step::Flush, 0, "AAAACCCC", 4, true}}) {
    SCOPED_TRACE(c.left);
    WriteRaw(path, "AAAA");
    files::RecordFile f;
    ASSERT_EQ(f.Open(path, 4), 0);
    FailureScope fail(c.step, EIO, c.afterBytes);
    files::RecordFile::EndAppend landing;
    landing.partLeft = !c.partLeft;
    EXPECT_EQ(f.AppendAtEnd("CCCC", landing), EIO);
    EXPECT_EQ(landing.partLeft, c.partLeft);
    EXPECT_EQ(landing.at, c.at);
    EXPECT_FALSE(landing.readBack);
    EXPECT_EQ(ReadRaw(path), c.left);
  }
}

// An appender that holds off the others of its kind cuts a failed append at the end back, as
// long as nothing follows it: what follows is another program's.
TEST(FailureSeam, AFailedAppendAtTheEndIsCutBackAloneWhileNothingFollowsIt) {
  const std::string path = testenv::NewFolder("seam-end-alone") + "valores.zbd";
  struct Case {
    Step step;
    int64_t afterBytes;
    bool cutBackFails;
    bool followed;  // another program's bytes follow the append (written at a stale length)
    const char* left;
    bool partLeft, whole;
  };
  for (const Case& c : {Case{Step::Write, 3, false, false, "AAAA", false, false},
                        Case{Step::Flush, 0, false, false, "AAAA", false, true},
                        Case{Step::Flush, 0, true, false, "AAAACCCC", true, true},
                        Case{Step::Write, 2, false, true, "AAAACCBB", true, false},
                        Case{Step::Write, 0, false, false, "AAAA", false, false}}) {
    SCOPED_TRACE(c.left);
    WriteRaw(path, "AAAA");
    files::RecordFile f;
    ASSERT_EQ(f.Open(path, 4), 0);
    ASSERT_EQ(f.Length(), 4);
    if (c.followed) {
      files::testing::AppendsAtLengthSeen();
      WriteRaw(path, "AAAABBBB");
    }
    FailureScope fail(c.step, EIO, c.afterBytes);
    if (c.cutBackFails) files::testing::ArmFailure(Step::Truncate, EIO);
    files::RecordFile::EndAppend landing;
    EXPECT_EQ(f.AppendAtEnd("CCCC", landing, true), EIO);
    EXPECT_EQ(landing.partLeft, c.partLeft);
    EXPECT_EQ(landing.whole, c.whole);
    EXPECT_EQ(ReadRaw(path), c.left);
  }
}

// A record file that cannot be written says why before anything is tried on it, and every
// writer says the same.
TEST(FailureSeam, ARecordFileThatCannotBeWrittenSaysWhy) {
  const std::string dir = testenv::NewFolder("seam-ready");
  files::RecordFile f;
  ASSERT_EQ(f.Open(dir + "nuevo.zbd", 4), 0);
  {
    FailureScope readOnlyDisk(Step::Create, EROFS);
    EXPECT_EQ(f.ReadyToWrite(), EROFS);
    EXPECT_FALSE(fs::exists(dir + "nuevo.zbd"));
  }
  EXPECT_EQ(f.ReadyToWrite(), 0);
  EXPECT_TRUE(fs::exists(dir + "nuevo.zbd"));
  files::RecordFile closed;
  EXPECT_EQ(closed.ReadyToWrite(), EBADF);

  // A file we may only read, where permissions hold (not for root).
  WriteRaw(dir + "solo.zbd", "AAAA");
  fs::permissions(dir + "solo.zbd", fs::perms::owner_read);
  files::RecordFile readOnly;
  ASSERT_EQ(readOnly.Open(dir + "solo.zbd", 4), 0);
  if (readOnly.ReadyToWrite() != 0) {
    EXPECT_EQ(readOnly.ReadyToWrite(), EACCES);
    files::RecordFile::EndAppend landing;
    EXPECT_EQ(readOnly.AppendAtEnd("BBBB", landing), EACCES);
    EXPECT_EQ(readOnly.LockExclusive(0), EACCES);
    EXPECT_EQ(readOnly.RecordCount(), 1);
  }
  fs::permissions(dir + "solo.zbd", fs::perms::owner_all);
}

TEST(FailureSeam, RecordAndLineWritersReportTheArmedError) {
  const std::string dir = testenv::NewFolder("seam-records");
  {
    FailureScope fail(Step::Create, EROFS);
    files::RecordFile f;
    ASSERT_EQ(f.Open(dir + "nuevo.log", 16), 0);
    EXPECT_EQ(f.Put(1, "x"), EROFS);
    EXPECT_FALSE(fs::exists(dir + "nuevo.log"));
    EXPECT_EQ(f.Put(1, "x"), 0);
  }
  {
    FailureScope fail(Step::Write, ENOSPC, 7);
    files::RecordFile f;
    ASSERT_EQ(f.Open(dir + "nuevo.log", 16), 0);
    EXPECT_EQ(f.Put(1, "overwritten"), ENOSPC);
  }
  WriteRaw(dir + "lines.txt", "uno\r\n");
  {
    FailureScope fail(Step::Write, ENOSPC, 2);
    EXPECT_EQ(files::AppendLine(dir + "lines.txt", "dos"), ENOSPC);
  }
  EXPECT_EQ(ReadRaw(dir + "lines.txt"), "uno\r\n");
  {
    FailureScope fail(Step::Create, EACCES);
    EXPECT_EQ(files::AppendLine(dir + "lines.txt", "dos"), EACCES);
  }
  EXPECT_EQ(files::AppendLine(dir + "lines.txt", "dos"), 0);
  EXPECT_EQ(ReadRaw(dir + "lines.txt"), "uno\r\ndos\r\n");
}

TEST(TemporaryNames, ANameAsLongAsTheFolderTakesIsWritten) {
  const std::string dir = testenv::NewFolder("long-names");
  const std::string longest = std::string(248, 'n') + ".qorvex";   // 255 bytes
  ASSERT_EQ(longest.size(), 255u);
  ASSERT_EQ(files::WriteAllAtomically(dir + longest, "primera"), 0);
  ASSERT_EQ(files::WriteAllAtomically(dir + longest, "segunda"), 0);
  EXPECT_EQ(ReadRaw(dir + longest), "segunda");
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{longest});
  EXPECT_EQ(files::WriteAllAtomically(dir + longest + "x", "nada"), ENAMETOOLONG);
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{longest});
}

}  // namespace
