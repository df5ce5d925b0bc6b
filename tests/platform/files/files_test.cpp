// Tests of the files unit.
#include "platform/files/files.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/test_env.h"
#include "tests/platform/files/folder_names.h"
#include "tests/support/test_files.h"

namespace {

using testfiles::UseSpanishLocale;

namespace fs = std::filesystem;

using testfiles::ReadRaw;
using testfiles::WriteRaw;

using filestest::NamesIn;

TEST(Folders, ProgramPathAndFolder) {
  const std::string path = files::ProgramPath();
  EXPECT_EQ(files::LastPathComponent(path), "files_tests");
  EXPECT_TRUE(files::FileExists(path));
  const std::string folder = files::ProgramFolder();
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(folder + "files_tests", path);
}

TEST(Folders, DataFolderFollowsTheOverrideAndTheRule) {
  EXPECT_EQ(files::DataFolder(), testenv::Folder() + "program/");
  files::OverrideDataFolder(testenv::Folder() + "elsewhere");
  EXPECT_EQ(files::DataFolder(), testenv::Folder() + "elsewhere/");

  files::OverrideDataFolder("");
  const std::string program = files::ProgramFolder();
  if (access(program.c_str(), W_OK) == 0) {
    EXPECT_EQ(files::DataFolder(), program);
  } else {
    EXPECT_EQ(files::DataFolder(), testenv::Folder() + "config/veluna/");
  }

  // A program folder we may not write: the user's configuration folder, made on demand.
  const std::string config = testenv::Folder() + "config/veluna/";
  EXPECT_EQ(files::DataFolderFor("/nonexistent/program/"), config);
  EXPECT_TRUE(fs::is_directory(config));
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(files::DataFolderFor("/nonexistent/program"), testenv::Folder() + "home/.config/veluna/");
  EXPECT_TRUE(fs::is_directory(testenv::Folder() + "home/.config/veluna"));
  // A writable folder is used as it is.
  EXPECT_EQ(files::DataFolderFor(testenv::Folder() + "data"), testenv::Folder() + "data/");
}

TEST(Paths, ComponentsSplitAtEitherSeparator) {
  struct Case {
    const char* path;
    const char* last;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\x\\y.jpg", "y.jpg", "C:\\x\\"},
      {"/home/a.qorvex", "a.qorvex", "/home/"},
      {"docs\\sub/a.b", "a.b", "docs\\sub/"},
      {"plain.txt", "plain.txt", ""},
      {"folder/", "", "folder/"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(files::LastPathComponent(c.path), c.last);
    EXPECT_EQ(files::FolderOf(c.path), c.folder);
  }
}

TEST(Paths, LocalPathFindsFilesThatTravelledWithTheDocument) {
  const std::string docs = testenv::NewFolder("docs");
  WriteRaw(docs + "y.jpg", "x");
  const std::string docsBackslashed = [&] {
    std::string d = docs.substr(0, docs.size() - 1);
    for (char& c : d) c = c == '/' ? '\\' : c;
    return d;
  }();
  // A file only beside the program.
  const std::string besideProgram = "veluna-localpath-" + std::to_string(getpid()) + ".jpg";
  WriteRaw(files::ProgramFolder() + besideProgram, "x");

  struct Case {
    std::string stored;
    std::string documentFolder;
    std::string expected;
  };
  const Case cases[] = {
      {"docs\\a.qorvex", "", "docs/a.qorvex"},
      {"/home/a.qorvex", docs, "/home/a.qorvex"},
      {"C:\\x\\y.jpg", "", "C:/x/y.jpg"},
      {"C:\\x\\y.jpg", docs, docs + "y.jpg"},
      {"c:\\x\\y.jpg", docsBackslashed, docs + "y.jpg"},
      {"\\\\server\\share\\y.jpg", docs, docs + "y.jpg"},
      {"C:\\x\\missing.jpg", docs, "C:/x/missing.jpg"},
      {"D:\\fotos\\" + besideProgram, docs, files::ProgramFolder() + besideProgram},
      {"C:\\", docs, "C:/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(files::LocalPath(c.stored, c.documentFolder), c.expected);
  }
  fs::remove(files::ProgramFolder() + besideProgram);
}

TEST(Files, ExistenceNeverTakesPatterns) {
  const std::string dir = testenv::NewFolder("exists");
  WriteRaw(dir + "a.txt", "x");
  WriteRaw(dir + "star*", "x");
  std::string backslashed = dir + "a.txt";
  for (char& c : backslashed) c = c == '/' ? '\\' : c;
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {dir + "a.txt", true},     {dir, true},           {backslashed, true},
      {dir + "b.txt", false},    {"", false},           {"*", false},
      {dir + "?.txt", false},    {dir + "star*", false}, {dir + "a.txt/x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(files::FileExists(c.path), c.exists);
  }
}

TEST(Files, NamesAre1252OutsideAndUtf8OnDisk) {
  const std::string dir = testenv::NewFolder("names");
  const std::string name1252 = "a\xF1o \x80.txt";  // "año €.txt"
  ASSERT_EQ(files::AppendLine(dir + name1252, "x"), 0);
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"a\xC3\xB1o \xE2\x82\xAC.txt"});
  EXPECT_TRUE(files::FileExists(dir + name1252));
  EXPECT_EQ(files::FileLength(dir + name1252), 3);
  EXPECT_EQ(files::DeleteFile(dir + name1252), 0);
  EXPECT_TRUE(NamesIn(dir).empty());
}

TEST(Files, DeleteAttributesAndLength) {
  const std::string dir = testenv::NewFolder("misc");
  WriteRaw(dir + "five", "12345");
  EXPECT_EQ(files::FileLength(dir + "five"), 5);
  EXPECT_EQ(files::FileLength(dir + "none"), -1);
  EXPECT_EQ(files::FileLength(dir), -1);

  ASSERT_EQ(chmod((dir + "five").c_str(), 0444), 0);
  EXPECT_EQ(files::SetNormalAttributes(dir + "five"), 0);
  struct stat st;
  ASSERT_EQ(stat((dir + "five").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);
  EXPECT_EQ(files::SetNormalAttributes(dir + "none"), ENOENT);

  EXPECT_EQ(files::DeleteFile(dir + "five"), 0);
  EXPECT_FALSE(fs::exists(dir + "five"));
  EXPECT_EQ(files::DeleteFile(dir + "five"), 0);  // already gone
  fs::create_directory(dir + "sub");
  EXPECT_NE(files::DeleteFile(dir + "sub"), 0);
  EXPECT_TRUE(fs::is_directory(dir + "sub"));
}

TEST(Files, ErrorTextGivesNumberAndTheProgramsOwnSpanishText) {
  // Whatever the locale: a system without Spanish messages still speaks Spanish here.
  std::setlocale(LC_ALL, "C");
  struct Case {
    int errnum;
    const char* text;
  };
  const Case cases[] = {
      {ENOENT, "Err: 2 No existe el fichero o la carpeta"},
      {EACCES, "Err: 13 Permiso denegado"},
      {EPERM, "Err: 1 Permiso denegado"},
      {ENOSPC, "Err: 28 No queda espacio en el disco"},
      {EROFS, "Err: 30 El disco es de solo lectura"},
      {EISDIR, "Err: 21 Es una carpeta"},
      {ENAMETOOLONG, "Err: 36 Nombre de fichero demasiado largo"},
      {EEXIST, "Err: 17 El fichero ya existe"},
      {EIO, "Err: 5 Error de entrada/salida"},
      {EFBIG, "Err: 27 Fichero demasiado grande"},
      {files::kNotRegularFile,
       "Err: 1001 No es un fichero normal (dispositivo, tuber\xED" "a o fichero del sistema)"},
      {EINVAL, "Err: 22 Invalid argument"},   // the rest: the system's own text
  };
  for (const Case& c : cases) EXPECT_EQ(files::ErrorText(c.errnum), c.text);
}

TEST(Files, ErrorTextIn1252UnderASpanishLocale) {
  if (!UseSpanishLocale()) GTEST_SKIP() << "no Spanish locale can be had here";
  const std::string text = files::ErrorText(EINVAL);
  if (text == "Err: 22 Invalid argument") GTEST_SKIP() << "no Spanish system messages installed";
  EXPECT_EQ(text, "Err: 22 Argumento inv\xE1lido");  // the accent as one 1252 byte
  std::setlocale(LC_ALL, "C");
}

TEST(RecordFile, MissingFileReadsEmptyAndIsNotCreated) {
  const std::string path = testenv::NewFolder("rec") + "none.dat";
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 10), 0);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(f.RecordLength(), 10);
  EXPECT_EQ(f.Length(), 0);
  EXPECT_EQ(f.RecordCount(), 0);
  std::string out = "junk";
  EXPECT_FALSE(f.Get(1, out));
  EXPECT_EQ(out, std::string(10, '\0'));
  f.Close();
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(fs::exists(path));
}

TEST(RecordFile, PutCreatesAndRecordsSitAtTheirOffsets) {
  const std::string path = testenv::NewFolder("rec") + "r.dat";
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  ASSERT_EQ(f.Put(2, "abcdef"), 0);  // cut to the record length
  EXPECT_EQ(ReadRaw(path), std::string("\0\0\0\0abcd", 8));
  ASSERT_EQ(f.Put(1, "xy"), 0);  // zero-padded
  ASSERT_EQ(f.Append("\xF1\xE9\x80!"), 0);
  EXPECT_EQ(ReadRaw(path), std::string("xy\0\0abcd\xF1\xE9\x80!", 12));
  EXPECT_EQ(f.RecordCount(), 3);
  EXPECT_EQ(f.Length(), 12);

  struct Case {
    int64_t n;
    bool whole;
    std::string data;
  };
  const Case cases[] = {
      {1, true, std::string("xy\0\0", 4)},
      {2, true, "abcd"},
      {3, true, "\xF1\xE9\x80!"},
      {4, false, std::string(4, '\0')},
      {0, false, std::string(4, '\0')},
      {-1, false, std::string(4, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    std::string out;
    EXPECT_EQ(f.Get(c.n, out), c.whole);
    EXPECT_EQ(out, c.data);
  }
  EXPECT_EQ(f.Put(0, "x"), EINVAL);

  // Another handle sees what the first wrote.
  files::RecordFile g;
  ASSERT_EQ(g.Open(path, 6), 0);
  EXPECT_EQ(g.RecordCount(), 2);
}

TEST(RecordFile, ShortLastRecordIsReadPaddedButNotCounted) {
  const std::string path = testenv::NewFolder("rec") + "short.dat";
  WriteRaw(path, "AAAABBBBCC");
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  EXPECT_EQ(f.Length(), 10);
  EXPECT_EQ(f.RecordCount(), 2);
  std::string out;
  EXPECT_TRUE(f.Get(2, out));
  EXPECT_EQ(out, "BBBB");
  EXPECT_FALSE(f.Get(3, out));
  EXPECT_EQ(out, std::string("CC\0\0", 4));
  // Appending goes after the whole records, over the short one.
  ASSERT_EQ(f.Append("DDDD"), 0);
  EXPECT_EQ(ReadRaw(path), "AAAABBBBDDDD");
  EXPECT_EQ(f.RecordCount(), 3);
}

TEST(RecordFile, OpenAndWriteErrors) {
  const std::string dir = testenv::NewFolder("rec");
  files::RecordFile f;
  EXPECT_EQ(f.Open(dir + "x.dat", 0), EINVAL);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.Open(dir, 4), EISDIR);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.Put(1, "x"), EBADF);
  EXPECT_EQ(f.Append("x"), EBADF);
  ASSERT_EQ(f.Open(dir + "missing/x.dat", 4), 0);  // reads as empty
  EXPECT_EQ(f.RecordCount(), 0);
  EXPECT_EQ(f.Put(1, "x"), ENOENT);
}

// An append at the end goes where the file ends when it is written, whatever length the file
// had when it was looked at, and is read back there; the file's other writes still go where
// they are asked to.
TEST(RecordFile, AnAppendAtTheEndGoesWhereTheFileEndsWhenItIsWritten) {
  const std::string dir = testenv::NewFolder("end");
  WriteRaw(dir + "v.dat", "AAAA");
  files::RecordFile f;
  ASSERT_EQ(f.Open(dir + "v.dat", 4), 0);
  ASSERT_EQ(f.Length(), 4);
  std::ofstream(dir + "v.dat", std::ios::binary | std::ios::app) << "BB";  // another program
  files::RecordFile::EndAppend landing;
  ASSERT_EQ(f.AppendAtEnd("CCCC", landing), 0);
  EXPECT_EQ(landing.at, 6);
  EXPECT_TRUE(landing.readBack);
  ASSERT_EQ(f.Put(1, "DDDD"), 0);
  EXPECT_EQ(ReadRaw(dir + "v.dat"), "DDDDBBCCCC");

  // A missing file is made. What another program wrote over the bytes before they are read
  // back is told.
  files::RecordFile g;
  ASSERT_EQ(g.Open(dir + "new.dat", 4), 0);
  files::testing::BeforeAppendReadBack([&](int64_t at, int64_t bytes) {
    EXPECT_EQ(at, 0);
    EXPECT_EQ(bytes, 3);
    WriteRaw(dir + "new.dat", "XyZ");
  });
  ASSERT_EQ(g.AppendAtEnd("XYZ", landing), 0);
  files::testing::ResetFailures();
  EXPECT_EQ(landing.at, 0);
  EXPECT_FALSE(landing.readBack);
  EXPECT_EQ(g.AppendAtEnd("", landing), 0);
  EXPECT_EQ(landing.at, -1);
  files::RecordFile closed;
  EXPECT_EQ(closed.AppendAtEnd("x", landing), EBADF);
}

// A write at an offset puts the bytes there as they are, after another program's write at the
// end that a test puts between the look and the write.
TEST(RecordFile, AWriteAtAnOffsetPutsTheBytesThereAsTheyAre) {
  const std::string path = testenv::NewFolder("write-at") + "v.dat";
  WriteRaw(path, "AAAAB");
  files::RecordFile f;
  ASSERT_EQ(f.Open(path, 4), 0);
  int others = 0;
  files::testing::BeforeNextEndWrite([&] {
    ++others;
    std::ofstream(path, std::ios::binary | std::ios::app) << "BBBXXXX";
  });
  ASSERT_EQ(f.WriteAt(5, "BBB"), 0);
  ASSERT_EQ(f.WriteAt(12, "C"), 0);
  files::testing::ResetFailures();
  EXPECT_EQ(others, 1);  // once
  EXPECT_EQ(ReadRaw(path), "AAAABBBBXXXXC");
  EXPECT_EQ(f.WriteAt(-1, "C"), EINVAL);
  files::RecordFile closed;
  EXPECT_EQ(closed.WriteAt(0, "C"), EBADF);
}

// The ways of a shared folder a test can put on the files layer: locks that hold off no one, and
// appends at the length the opening last saw rather than where the file ends.
TEST(RecordFile, ASharedFoldersWaysCanBePutOnTheFiles) {
  const std::string path = testenv::NewFolder("shared-ways") + "v.dat";
  WriteRaw(path, "AAAA");
  files::RecordFile f, other;
  ASSERT_EQ(f.Open(path, 4), 0);
  ASSERT_EQ(other.Open(path, 4), 0);
  files::testing::LocksExcludeNothing();
  files::testing::AppendsAtLengthSeen();
  EXPECT_EQ(f.LockExclusive(0), 0);
  EXPECT_EQ(other.LockExclusive(0), 0);
  EXPECT_EQ(f.Length(), 4);
  std::ofstream(path, std::ios::binary | std::ios::app) << "BBBB";  // another client
  files::RecordFile::EndAppend landing;
  ASSERT_EQ(f.AppendAtEnd("CC", landing), 0);
  EXPECT_EQ(landing.at, 4);
  EXPECT_TRUE(landing.readBack);
  EXPECT_EQ(ReadRaw(path), "AAAACCBB");
  files::testing::ResetFailures();
  ASSERT_EQ(f.AppendAtEnd("DD", landing), 0);
  EXPECT_EQ(landing.at, 8);
  EXPECT_EQ(ReadRaw(path), "AAAACCBBDD");
  EXPECT_EQ(other.LockExclusive(0), 0);
  EXPECT_EQ(f.LockExclusive(0), EWOULDBLOCK);
}

// A file that ends in part of a record is looked at again while the part moves, as another
// program's write under way would move it; a part that stays is told.
TEST(RecordFile, TheEndOfAFileInPartOfARecordIsLookedAtAgain) {
  const std::string path = testenv::NewFolder("settle") + "v.dat";
  struct Case {
    const char* file;
    std::vector<std::string> added;  // what another program adds at each wait step, in turn
    int64_t length;
    bool partStays;
    int steps;  // how many times the wait step ran
  };
  const Case cases[] = {
      {"AAAAAAAA", {}, 8, false, 0},               // a whole record: one look
      {"AAAAAAAAB", {}, 9, true, 4},               // a part that stays over every look
      {"AAAAAAAAB", {"BBBBBBB"}, 16, false, 1},    // the write under way comes to a whole one
      {"AAAAAAAAB", {"B", "B", "B", "B"}, 13, false, 4},  // still moving at the last look
      {"AAAAAAAAB", {"B", "B"}, 11, true, 4},             // moved, then stayed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " + " + std::to_string(c.added.size()));
    WriteRaw(path, c.file);
    files::RecordFile f;
    ASSERT_EQ(f.Open(path, 8), 0);
    int steps = 0;
    const auto otherProgram = [&] {
      if (static_cast<size_t>(steps) < c.added.size())
        std::ofstream(path, std::ios::binary | std::ios::app) << c.added[steps];
      ++steps;
    };
    bool partStays = !c.partStays;
    EXPECT_EQ(f.SettledLength(5, 1, otherProgram, partStays), c.length);
    EXPECT_EQ(partStays, c.partStays);
    EXPECT_EQ(steps, c.steps);
  }
}

// Another opening of the file (here in the same program, as in another) waits for the lock
// as long as it is told and is then refused; closing the holder frees it, and a lock leaves
// what the file holds, and its reads and writes, as they are.
TEST(RecordFile, AnExclusiveLockHoldsOffEveryOtherOpening) {
  const std::string path = testenv::NewFolder("lock") + "valores.zbd";
  files::RecordFile holder;
  ASSERT_EQ(holder.Open(path, 4), 0);
  ASSERT_EQ(holder.LockExclusive(0), 0);  // a missing file is made to hold the lock
  EXPECT_EQ(ReadRaw(path), "");
  ASSERT_EQ(holder.Append("AAAA"), 0);

  files::RecordFile other;
  ASSERT_EQ(other.Open(path, 4), 0);
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(other.LockExclusive(40), EWOULDBLOCK);
  EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(40));
  EXPECT_EQ(other.LockExclusive(0), EWOULDBLOCK);
  std::string record;
  EXPECT_TRUE(other.Get(1, record));  // the lock holds off lockers only
  EXPECT_EQ(record, "AAAA");
  // Another descriptor of the file closed in the holder's program keeps the lock.
  {
    files::RecordFile reader;
    ASSERT_EQ(reader.Open(path, 4), 0);
    EXPECT_EQ(reader.RecordCount(), 1);
  }
  EXPECT_EQ(other.LockExclusive(0), EWOULDBLOCK);

  // The holder lets go while the other waits between its tries.
  int waits = 0;
  const auto letGo = [&] {
    ++waits;
    holder.Close();
  };
  EXPECT_EQ(other.LockExclusive(60000, letGo), 0);
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(other.LockExclusive(0), 0);  // taken again by its holder
  EXPECT_EQ(ReadRaw(path), "AAAA");
  files::RecordFile closed;
  EXPECT_EQ(closed.LockExclusive(0), EBADF);
  files::RecordFile nowhere;
  ASSERT_EQ(nowhere.Open(testenv::NewFolder("lock-nowhere") + "missing/x.zbd", 4), 0);
  EXPECT_EQ(nowhere.LockExclusive(0), ENOENT);
}

// A file system that cannot lock is told apart from a lock held by another program and from
// any other failure; a refused lock leaves the file unlocked.
TEST(RecordFile, ALockTheFileSystemRefusesSaysWhy) {
  const std::string path = testenv::NewFolder("lock-refused") + "valores.zbd";
  struct Case {
    int errnum;  // what the file system answers the first try
    int waitMs;
    int result;
  };
  const Case cases[] = {
      {ENOLCK, 0, files::kLocksUnsupported},  // NFS without its lock service
      {EINVAL, 0, files::kLocksUnsupported},
      {EOPNOTSUPP, 0, files::kLocksUnsupported},
      {EIO, 60000, EIO},
      {EAGAIN, 0, EWOULDBLOCK},  // held by another until the wait is over
      {EACCES, 60000, 0},        // held by another, who lets go before the next try
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errnum);
    files::RecordFile f;
    ASSERT_EQ(f.Open(path, 4), 0);
    files::testing::FailureScope refused(files::testing::Step::Lock, c.errnum);
    EXPECT_EQ(f.LockExclusive(c.waitMs), c.result);
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    files::RecordFile other;
    ASSERT_EQ(other.Open(path, 4), 0);
    EXPECT_EQ(other.LockExclusive(0), c.result == 0 ? EWOULDBLOCK : 0);
  }
  EXPECT_EQ(files::ErrorText(files::kLocksUnsupported),
            "Err: 1002 El sistema de ficheros no admite bloqueos");
}

TEST(TextFiles, ReadLinesTakesEveryLineEnd) {
  struct Case {
    std::string data;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\n", {""}},
      {"\n\r", {"", ""}},
      {"x\xF1\x80 \t\r\n", {"x\xF1\x80 \t"}},
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  const std::string dir = testenv::NewFolder("lines");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    WriteRaw(dir + "f.txt", c.data);
    std::vector<std::string> lines{"stale"};
    EXPECT_EQ(files::ReadTextLines(dir + "f.txt", 100, lines), 0);
    EXPECT_EQ(lines, c.lines);
  }
  std::vector<std::string> lines{"stale"};
  EXPECT_EQ(files::ReadTextLines(dir + "none.txt", 100, lines), ENOENT);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(files::ReadTextLines(dir, 100, lines), EISDIR);
}

TEST(TextFiles, AppendLineEndsWithCrLfAndCreates) {
  const std::string path = testenv::NewFolder("append") + "log.txt";
  ASSERT_EQ(files::AppendLine(path, "uno"), 0);
  ASSERT_EQ(files::AppendLine(path, ""), 0);
  ASSERT_EQ(files::AppendLine(path, "a\xF1o"), 0);
  EXPECT_EQ(ReadRaw(path), "uno\r\n\r\na\xF1o\r\n");
  std::vector<std::string> lines;
  ASSERT_EQ(files::ReadTextLines(path, 100, lines), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"uno", "", "a\xF1o"}));
  EXPECT_EQ(files::AppendLine(testenv::Folder() + "missing/log.txt", "x"), ENOENT);
}

TEST(TextFiles, WriteAllAtomicallyReplacesWholeFiles) {
  const std::string dir = testenv::NewFolder("atomic");
  std::string data;
  EXPECT_EQ(files::ReadWholeFile(dir + "f.bin", 100, data), ENOENT);

  ASSERT_EQ(files::WriteAllAtomically(dir + "f.bin", std::string("new\0\xFF", 5)), 0);
  EXPECT_EQ(ReadRaw(dir + "f.bin"), std::string("new\0\xFF", 5));
  ASSERT_EQ(chmod((dir + "f.bin").c_str(), 0640), 0);
  ASSERT_EQ(files::WriteAllAtomically(dir + "f.bin", "second"), 0);
  EXPECT_EQ(ReadRaw(dir + "f.bin"), "second");
  struct stat st;
  ASSERT_EQ(stat((dir + "f.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's permissions carry over
  ASSERT_EQ(files::WriteAllAtomically(dir + "f.bin", ""), 0);
  EXPECT_EQ(files::FileLength(dir + "f.bin"), 0);
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"f.bin"});
}

TEST(TextFiles, FailedAtomicWriteLeavesOldStateAndNoTemporary) {
  const std::string dir = testenv::NewFolder("atomicfail");
  fs::create_directory(dir + "taken");
  WriteRaw(dir + "taken/inside", "keep");
  // The rename over a folder fails after the temporary file was written.
  EXPECT_NE(files::WriteAllAtomically(dir + "taken", "data"), 0);
  EXPECT_EQ(ReadRaw(dir + "taken/inside"), "keep");
  EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"taken"});

  EXPECT_EQ(files::WriteAllAtomically(dir + "no/such/folder.txt", "x"), ENOENT);
  EXPECT_EQ(files::WriteAllAtomically("", "x"), EINVAL);
}

}  // namespace
