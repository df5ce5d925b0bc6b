// Reads of the files unit: only regular files, never blocking, never beyond the caller's bound.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testfiles::WriteRaw;

// Every kind of name that is no regular file, and what a read of it says.
struct NotAFile {
  std::string path;
  int error;
};

std::vector<NotAFile> NamesThatAreNoFiles() {
  const std::string dir = testenv::NewFolder("special");
  EXPECT_EQ(mkfifo((dir + "fifo").c_str(), 0600), 0);
  fs::create_directory(dir + "folder");
  fs::create_symlink("/dev/zero", dir + "zero-link");
  fs::create_symlink(dir + "fifo", dir + "fifo-link");
  fs::create_symlink(dir + "folder", dir + "folder-link");
  return {
      {"/dev/zero", files::kNotRegularFile},
      {"/dev/urandom", files::kNotRegularFile},
      {"/dev/null", files::kNotRegularFile},
      {dir + "fifo", files::kNotRegularFile},     // opening it to read would wait for a writer
      {dir + "fifo-link", files::kNotRegularFile},
      {dir + "zero-link", files::kNotRegularFile},
      {"/proc/self/status", files::kNotRegularFile},   // a pseudo-file claiming length 0
      {"/proc/kmsg", files::kNotRegularFile},          // whose reading blocks for ever
      {dir + "folder", EISDIR},
      {dir + "folder-link", EISDIR},
      {dir + "missing", ENOENT},
  };
}

TEST(Reads, WhatIsNoRegularFileIsRefusedAtOnce) {
  const auto started = std::chrono::steady_clock::now();
  for (const NotAFile& c : NamesThatAreNoFiles()) {
    SCOPED_TRACE(c.path);
    std::error_code none;
    if (c.error != ENOENT && !fs::exists(c.path, none)) continue;   // a machine without it
    std::string data = "stale";
    EXPECT_EQ(files::ReadWholeFile(c.path, 1 << 20, data), c.error);
    EXPECT_TRUE(data.empty());
    std::vector<std::string> lines{"stale"};
    EXPECT_EQ(files::ReadTextLines(c.path, 1 << 20, lines), c.error);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(files::FileLength(c.path), -1);
    files::FileStamp stamp;
    EXPECT_FALSE(files::StampOf(c.path, stamp));
    files::RecordFile records;
    EXPECT_EQ(records.Open(c.path, 16), c.error == ENOENT ? 0 : c.error);
    EXPECT_EQ(records.RecordCount(), 0);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST(Reads, NoWriterReplacesADeviceOrAFifo) {
  const std::string dir = testenv::NewFolder("special-write");
  ASSERT_EQ(mkfifo((dir + "fifo").c_str(), 0600), 0);
  EXPECT_EQ(files::WriteAllAtomically(dir + "fifo", "x"), files::kNotRegularFile);
  EXPECT_TRUE(fs::is_fifo(dir + "fifo"));
  EXPECT_EQ(files::WriteAllAtomically("/dev/null", "x"), files::kNotRegularFile);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(files::AppendLine(dir + "fifo", "x"), files::kNotRegularFile);
  files::RecordFile records;
  EXPECT_EQ(records.Open(dir + "fifo", 4), files::kNotRegularFile);
  EXPECT_EQ(records.Put(1, "x"), EBADF);
}

TEST(Reads, AWholeFileIsReadUpToTheBoundAndRefusedBeyondIt) {
  const std::string dir = testenv::NewFolder("bounds");
  WriteRaw(dir + "ten", "0123456789");
  struct Case {
    int64_t bound;
    int error;
    std::string data;
  };
  const Case cases[] = {
      {10, 0, "0123456789"},
      {1 << 20, 0, "0123456789"},
      {9, EFBIG, ""},
      {0, EFBIG, ""},
      {-1, EINVAL, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bound);
    std::string data = "stale";
    EXPECT_EQ(files::ReadWholeFile(dir + "ten", c.bound, data), c.error);
    EXPECT_EQ(data, c.data);
  }
  WriteRaw(dir + "empty", "");
  std::string data = "stale";
  EXPECT_EQ(files::ReadWholeFile(dir + "empty", 0, data), 0);
  EXPECT_TRUE(data.empty());

  // A huge file is refused without being read: a sparse gigabyte answers at once.
  WriteRaw(dir + "huge", "");
  fs::resize_file(dir + "huge", int64_t{1} << 30);
  EXPECT_EQ(files::FileLength(dir + "huge"), int64_t{1} << 30);
  EXPECT_EQ(files::ReadWholeFile(dir + "huge", 1 << 20, data), EFBIG);
}

TEST(Reads, TextLinesComeFromTheFirstBytesOnly) {
  const std::string dir = testenv::NewFolder("text-bounds");
  WriteRaw(dir + "f.txt", "uno\r\ndos\r\ntres");
  struct Case {
    int64_t bound;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {1000, {"uno", "dos", "tres"}},
      {7, {"uno", "do"}},
      {4, {"uno"}},    // a cut inside a CR LF ends the line at the CR
      {0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bound);
    std::vector<std::string> lines;
    EXPECT_EQ(files::ReadTextLines(dir + "f.txt", c.bound, lines), 0);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(Reads, ManyRecordsComeInOneReadUpToTheCountAsked) {
  const std::string path = testenv::NewFolder("many") + "r.dat";
  WriteRaw(path, "AAAABBBBCCCCDD");
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  struct Case {
    int64_t first, count;
    std::string data;
  };
  const Case cases[] = {
      {1, 10, "AAAABBBBCCCC"},   // the short last record is left out
      {1, 2, "AAAABBBB"},
      {2, 1, "BBBB"},
      {3, 5, "CCCC"},
      {4, 5, ""},
      {0, 5, ""},
      {1, 0, ""},
      {1, int64_t{1} << 60, "AAAABBBBCCCC"},   // room is made for what the file holds only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " " + std::to_string(c.count));
    std::string out = "stale";
    EXPECT_EQ(f.GetMany(c.first, c.count, out), static_cast<int64_t>(c.data.size() / 4));
    EXPECT_EQ(out, c.data);
  }

  // A run of records asked for by a reader that knows the count gets as many, zero past the
  // end (the short last record too), and says how many whole ones came.
  const Case runs[] = {
      {1, 3, "AAAABBBBCCCC"},
      {3, 3, std::string("CCCCDD") + std::string(6, '\0')},
      {5, 2, std::string(8, '\0')},
      {0, 2, std::string(8, '\0')},
      {1, 0, ""},
  };
  for (const Case& c : runs) {
    SCOPED_TRACE("run " + std::to_string(c.first) + " " + std::to_string(c.count));
    std::string out = "stale";
    EXPECT_EQ(f.GetRun(c.first, c.count, out), c.first == 1 ? c.count : c.first == 3 ? 1 : 0);
    EXPECT_EQ(out, c.data);
  }

  // A sparse gigabyte gives only the records asked for.
  fs::resize_file(path, int64_t{1} << 30);
  std::string out;
  EXPECT_EQ(f.GetMany(1, 100, out), 100);
  EXPECT_EQ(out.substr(0, 12), "AAAABBBBCCCC");
  EXPECT_EQ(out.size(), 400u);
}

// Runs read ahead come as GetRun reads them, whether they were read ahead or not: in order, past
// the end, asked out of order, after a write, a cut or a new file under the same name; and a file
// closed while a run is being read ahead closes.
TEST(Reads, RunsReadAheadAreTheRunsAsGetRunReadsThem) {
  const std::string path = testenv::NewFolder("ahead") + "r.dat";
  std::string bytes;
  for (int k = 0; k < 40; ++k) bytes += "r" + std::string(1, static_cast<char>('A' + k)) + "..";
  WriteRaw(path, bytes + "zz");
  files::RecordFile f, plain;
  ASSERT_EQ(f.Open(path, 4), 0);
  ASSERT_EQ(plain.Open(path, 4), 0);
  // Runs of 6 records, 4 apart: the reader's blocks with a record on either side.
  const auto ask = [&](int64_t first, int64_t last) {
    SCOPED_TRACE(first);
    std::string out = "stale", expected;
    const int64_t whole = f.GetRunReadingAhead(first, 6, out, {first + 4, 6, 4, last});
    EXPECT_EQ(whole, plain.GetRun(first, 6, expected));
    EXPECT_EQ(out, expected);
  };
  for (int64_t first = 1; first <= 45; first += 4) ask(first, 45);
  // Out of order, and back.
  for (int64_t first : {9, 13, 33, 5, 9, 13, 17}) ask(first, 45);

  // A write, a cut, an append: the runs read ahead before them are dropped. Each waits first
  // until the runs after the last one asked have been read ahead.
  const auto readAhead = [&f] { EXPECT_GT(files::testing::RunsReadAhead(f), 0); };
  ask(1, 45);
  readAhead();
  ASSERT_EQ(f.Put(5, "WWWW"), 0);
  ask(5, 45);
  readAhead();
  ASSERT_EQ(f.Truncate(10 * 4), 0);
  ask(9, 45);
  readAhead();
  ASSERT_EQ(f.AppendWhole("XXXXYYYYZZZZ"), 0);
  ask(13, 45);
  // Nothing read ahead: a run past the last, a stride of none.
  std::string out, expected;
  EXPECT_EQ(f.GetRunReadingAhead(1, 6, out, {5, 6, 0, 45}), plain.GetRun(1, 6, expected));
  EXPECT_EQ(out, expected);
  ask(5, 1);
  ask(9, 45);
  // Closed: nothing, as GetRun reads it then.
  f.Close();
  out = "stale";
  EXPECT_EQ(f.GetRunReadingAhead(13, 6, out, {17, 6, 4, 45}), 0);
  EXPECT_EQ(out, "");
  out = "stale";
  EXPECT_EQ(f.GetRun(13, 6, out), 0);
  EXPECT_EQ(out, "");

  // The same name, another file: opened anew, nothing of the old one is read.
  ASSERT_EQ(f.Open(path, 4), 0);
  ask(1, 45);
  fs::remove(path);
  WriteRaw(path, std::string(80, 'n'));
  ASSERT_EQ(f.Open(path, 4), 0);
  ASSERT_EQ(plain.Open(path, 4), 0);
  ask(5, 45);
}

TEST(Reads, StampsChangeWithTheFile) {
  const std::string path = testenv::NewFolder("stamps") + "f.ini";
  WriteRaw(path, "uno");
  files::FileStamp before, again, after;
  ASSERT_TRUE(files::StampOf(path, before));
  ASSERT_TRUE(files::StampOf(path, again));
  EXPECT_EQ(before, again);
  EXPECT_EQ(before.size, 3);
  ASSERT_EQ(files::WriteAllAtomically(path, "dos"), 0);
  ASSERT_TRUE(files::StampOf(path, after));
  EXPECT_FALSE(after == before);
}

}  // namespace
