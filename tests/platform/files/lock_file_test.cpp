// Lock files: made exclusively beside a shared file, naming their holder, taken over when left
// behind.
#include <errno.h>
#include <signal.h>
#include <sys/wait.h>
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
using testfiles::ReadRaw;
using testfiles::WriteRaw;

std::string ThisHost() {
  char name[256] = {};
  gethostname(name, sizeof name - 1);
  return name;
}

int64_t Now() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// Only one taker holds the lock file at a time; it names its holder to those that wait in vain,
// and goes when its holder lets it go.
TEST(LockFile, ALockFileHoldsOffEveryOtherTakerAndNamesItsHolder) {
  const std::string path = testenv::NewFolder("lockfile") + "v.zbd.lock";
  const int64_t before = Now();
  files::LockFile first;
  ASSERT_EQ(first.Take(path, 0, 10000), 0);
  EXPECT_TRUE(first.Held());
  EXPECT_FALSE(first.TookOver());
  std::vector<std::string> lines;
  files::SplitLines(ReadRaw(path), lines);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], ThisHost());
  EXPECT_EQ(lines[1], std::to_string(getpid()));

  files::LockFile second;
  EXPECT_EQ(second.Take(path, 40, 10000), EWOULDBLOCK);
  EXPECT_FALSE(second.Held());
  EXPECT_EQ(second.Holder().machine, ThisHost());
  EXPECT_EQ(second.Holder().process, getpid());
  EXPECT_GE(second.Holder().since, before);
  EXPECT_LE(second.Holder().since, Now());

  // The holder lets go while the other waits.
  int waits = 0;
  EXPECT_EQ(second.Take(path, 60000, 10000,
                        [&] {
                          ++waits;
                          first.Release();
                        }),
            0);
  EXPECT_EQ(waits, 1);
  EXPECT_FALSE(second.TookOver());
  EXPECT_TRUE(fs::exists(path));
  second.Release();
  EXPECT_FALSE(fs::exists(path));

  // A holder removes only the lock file it made.
  ASSERT_EQ(first.Take(path, 0, 10000), 0);
  fs::remove(path);
  WriteRaw(path, "otra\n7\n1\nx\n");
  first.Release();
  EXPECT_EQ(ReadRaw(path), "otra\n7\n1\nx\n");
}

// A lock file whose process of this machine no longer runs is taken over at once, any other once
// it has been left unchanged for longer than the stale age; a live one is waited for.
TEST(LockFile, ALockFileLeftBehindIsTakenOver) {
  const std::string folder = testenv::NewFolder("lockfile-left");
  const std::string path = folder + "v.zbd.lock";
  // A holder of this program killed while it holds the lock file.
  const pid_t killed = fork();
  ASSERT_GE(killed, 0);
  if (killed == 0) {
    files::LockFile held;
    held.Take(path, 0, 10000);
    raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(killed, &status, 0), killed);
  ASSERT_TRUE(WIFSIGNALED(status));
  std::vector<std::string> killedLines;
  files::SplitLines(ReadRaw(path), killedLines);
  ASSERT_EQ(killedLines.size(), 4u);
  const std::string killedHolder = ReadRaw(path);
  fs::remove(path);

  const std::string otherMachine = "otra-maquina\n4242\n1700000000\nb00t\n";
  const std::string thisProcess =
      ThisHost() + "\n" + std::to_string(getpid()) + "\n1700000000\n" + killedLines[3] + "\n";
  struct Case {
    const char* what;
    std::string holder;  // the lock file's text
    int agoSeconds;      // how long ago it was written
    int waitMs, staleMs;
    int result;
    files::LockHolder named;
  };
  const Case cases[] = {
      {"a killed holder of this machine",
       killedHolder,
       0,
       0,
       10000,
       0,
       {ThisHost(), killed, std::stoll(killedLines[2])}},
      {"another machine's, left an hour ago",
       otherMachine,
       3600,
       0,
       10000,
       0,
       {"otra-maquina", 4242, 1700000000}},
      {"a holder that wrote nothing, an hour ago", "", 3600, 0, 10000, 0, {}},
      {"another machine's, unchanged while it is watched",
       otherMachine,
       0,
       60000,
       50,
       0,
       {"otra-maquina", 4242, 1700000000}},
      {"another machine's, just written",
       otherMachine,
       0,
       30,
       10000,
       EWOULDBLOCK,
       {"otra-maquina", 4242, 1700000000}},
      {"a process of this machine that runs",
       thisProcess,
       0,
       30,
       10000,
       EWOULDBLOCK,
       {ThisHost(), getpid(), 1700000000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRaw(path, c.holder);
    fs::last_write_time(path,
                        fs::file_time_type::clock::now() - std::chrono::seconds(c.agoSeconds));
    files::LockFile lock;
    EXPECT_EQ(lock.Take(path, c.waitMs, c.staleMs), c.result);
    EXPECT_EQ(lock.Held(), c.result == 0);
    EXPECT_EQ(lock.TookOver(), c.result == 0);
    EXPECT_EQ(lock.Holder(), c.named);
    if (c.result == 0) {
      EXPECT_NE(ReadRaw(path), c.holder);
    } else {
      EXPECT_EQ(ReadRaw(path), c.holder);
    }
    lock.Release();
    fs::remove(path);
    // Nothing is left beside it: neither the lock file moved aside nor the file that told the
    // server's time.
    EXPECT_TRUE(fs::is_empty(folder));
  }
}

// Two takers find one lock file left behind at the same moment: the one that takes it over
// holds it; the other, which then finds the new lock file, puts it back and waits.
TEST(LockFile, OfTwoThatFindALockFileLeftBehindAtOnceOneTakesIt) {
  const std::string folder = testenv::NewFolder("lockfile-race");
  const std::string path = folder + "v.zbd.lock";
  WriteRaw(path, "otra-maquina\n4242\n1700000000\nb00t\n");
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
  files::LockFile first, second;
  files::testing::BeforeLeftLockTakenOver([&] { EXPECT_EQ(second.Take(path, 0, 10000), 0); });
  EXPECT_EQ(first.Take(path, 30, 10000), EWOULDBLOCK);
  files::testing::ResetFailures();
  EXPECT_TRUE(second.Held());
  EXPECT_TRUE(second.TookOver());
  EXPECT_EQ(second.Holder().machine, "otra-maquina");
  EXPECT_FALSE(first.Held());
  EXPECT_EQ(first.Holder().process, getpid());
  std::vector<std::string> lines;
  files::SplitLines(ReadRaw(path), lines);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], std::to_string(getpid()));
  second.Release();
  EXPECT_TRUE(fs::is_empty(folder));
}

// A folder that takes no new file is told apart from any other failure to make the lock file.
TEST(LockFile, AFolderThatTakesNoFileIsToldApart) {
  const std::string folder = testenv::NewFolder("lockfile-refused");
  const std::string path = folder + "v.zbd.lock";
  struct Case {
    int errnum;
    int result;
  };
  for (const Case& c :
       {Case{EACCES, files::kNoLockFiles}, Case{EROFS, files::kNoLockFiles},
        Case{ENAMETOOLONG, files::kNoLockFiles}, Case{EIO, EIO}, Case{ENOSPC, ENOSPC}}) {
    SCOPED_TRACE(c.errnum);
    files::testing::FailureScope refused(files::testing::Step::LockFile, c.errnum);
    files::LockFile lock;
    EXPECT_EQ(lock.Take(path, 0, 10000), c.result);
    EXPECT_FALSE(lock.Held());
    EXPECT_FALSE(fs::exists(path));
  }
  // A folder standing at the lock file's name.
  fs::create_directory(path);
  files::LockFile lock;
  EXPECT_EQ(lock.Take(path, 60000, 10000), files::kNoLockFiles);
  fs::remove(path);
  files::LockFile nowhere;
  EXPECT_EQ(nowhere.Take(folder + "missing/v.zbd.lock", 0, 10000), ENOENT);
}

}  // namespace
