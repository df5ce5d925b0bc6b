// Tests of the profile unit.
#include "platform/profile/profile.h"

#include <errno.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/files/files.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using testfiles::ReadRaw;
using testfiles::WriteRaw;

const char* const kSample =
    "; settings\r\n"
    "orphan=before any section\r\n"
    "[Margenes]\r\n"
    "izquierdo= 10\r\n"
    "  Derecho  =  20  \r\n"
    "Arriba=\r\n"
    "Abajo=\"  5 \"\r\n"
    "quoted='x'\r\n"
    "half=\"abc\r\n"
    "mixed=\"abc'\r\n"
    "twice=\"\"a\"\"\r\n"
    "spaced = a b c\t\r\n"
    "equals=a=b\r\n"
    ";comentado=5\r\n"
    "no equals sign\r\n"
    "izquierdo=11\r\n"
    "\r\n"
    "[Formato Papel]\r\n"
    "Ancho=148 mm\r\n"
    "  [ Spaced Section ]  \r\n"
    "k=v\r\n"
    "[margenes]\r\n"
    "extra=in the second section of that name\r\n"
    "[Acentos]\r\n"
    "A\xD1O=\xF1\x80\r\n";

TEST(ProfileRead, FindsValuesAsTheSystemExpects) {
  const std::string file = testenv::NewFolder("profile") + "sample.ini";
  WriteRaw(file, kSample);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Margenes", "izquierdo", "10"},
      {"MARGENES", "IZQUIERDO", "10"},          // names without regard to case
      {"Margenes", "derecho", "20"},             // blanks around key and value
      {"Margenes", "Arriba", ""},                // present but empty
      {"Margenes", "Abajo", "  5 "},             // quotes removed, inner blanks kept
      {"Margenes", "quoted", "x"},
      {"Margenes", "half", "\"abc"},             // an unpaired quote stays
      {"Margenes", "mixed", "\"abc'"},
      {"Margenes", "twice", "\"a\""},            // only one pair goes
      {"Margenes", "spaced", "a b c"},
      {"Margenes", "equals", "a=b"},
      {"Margenes", ";comentado", "dflt"},        // comments are no keys
      {"Margenes", "comentado", "dflt"},
      {"Margenes", "extra", "dflt"},             // only the first section of a name counts
      {"Margenes", "orphan", "dflt"},
      {"Formato Papel", "Ancho", "148 mm"},
      {"formato papel", "ANCHO", "148 mm"},
      {"Spaced Section", "k", "v"},
      {"Margenes", "missing", "dflt"},
      {"Missing", "izquierdo", "dflt"},
      {"Acentos", "a\xF1o", "\xF1\x80"},         // 1252 letters compare without case too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(profile::GetString(c.section, c.key, "dflt", file), c.expected);
  }
}

TEST(ProfileRead, MissingFileGivesTheDefault) {
  const std::string dir = testenv::NewFolder("profile");
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "10", dir + "none.ini"), "10");
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "", dir + "none.ini"), "");
  EXPECT_FALSE(files::FileExists(dir + "none.ini"));
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", dir), "d");  // a folder
}

TEST(ProfileRead, LineFeedOnlyAndBareCarriageReturnFiles) {
  const std::string dir = testenv::NewFolder("profile");
  WriteRaw(dir + "lf.ini", "[A]\nx=1\n[B]\ny=2");
  EXPECT_EQ(profile::GetString("A", "x", "", dir + "lf.ini"), "1");
  EXPECT_EQ(profile::GetString("B", "y", "", dir + "lf.ini"), "2");
  WriteRaw(dir + "cr.ini", "[A]\rx=1\r");
  EXPECT_EQ(profile::GetString("A", "x", "", dir + "cr.ini"), "1");
}

TEST(ProfileRead, ValuesAndDefaultsAreCutToTheBuffer) {
  const std::string file = testenv::NewFolder("profile") + "long.ini";
  const std::string longValue(300, 'v');
  const std::string longDefault(300, 'd');
  WriteRaw(file, "[S]\r\nk=" + longValue + "\r\nq=\"" + longValue + "\"\r\nshort=abc\r\n");
  EXPECT_EQ(profile::GetString("S", "k", "", file), std::string(259, 'v'));
  EXPECT_EQ(profile::GetString("S", "q", "", file), std::string(259, 'v'));
  EXPECT_EQ(profile::GetString("S", "none", longDefault, file), std::string(259, 'd'));
  EXPECT_EQ(profile::GetString("S", "k", "", file, 5), "vvvv");
  EXPECT_EQ(profile::GetString("S", "short", "", file, 4), "abc");
  EXPECT_EQ(profile::GetString("S", "short", "", file, 1), "");
  EXPECT_EQ(profile::GetString("S", "short", "", file, 0), "");
}

TEST(ProfileWrite, CreatesTheFileWithSectionsAsNeeded) {
  const std::string file = testenv::NewFolder("profile") + "Configuracion.ini";
  ASSERT_EQ(profile::WriteString("Margenes", "izquierdo", " 10", file), 0);
  ASSERT_EQ(profile::WriteString("Margenes", "derecho", "-5", file), 0);
  ASSERT_EQ(profile::WriteString("Formato Papel", "Ancho", " 210", file), 0);
  ASSERT_EQ(profile::WriteString("Base Datos", "Vinculado", "C:\\datos\\", file), 0);
  ASSERT_EQ(profile::WriteString("Margenes", "Arriba", "", file), 0);
  EXPECT_EQ(ReadRaw(file),
            "[Margenes]\r\nizquierdo= 10\r\nderecho=-5\r\nArriba=\r\n"
            "[Formato Papel]\r\nAncho= 210\r\n"
            "[Base Datos]\r\nVinculado=C:\\datos\\\r\n");
  EXPECT_EQ(profile::GetString("margenes", "IZQUIERDO", "", file), "10");
  EXPECT_EQ(profile::GetString("Margenes", "Arriba", "d", file), "");
  EXPECT_EQ(profile::GetString("Formato Papel", "Ancho", "", file), "210");
  EXPECT_EQ(profile::GetString("Base Datos", "Vinculado", "", file), "C:\\datos\\");
}

TEST(ProfileWrite, ReplacesInPlaceAndKeepsEverythingElse) {
  const std::string file = testenv::NewFolder("profile") + "keep.ini";
  WriteRaw(file,
           "; cabecera \xF1\n"
           "[Otra Cosa]\n"
           "raro = \xFF\x80\x81 \n"
           "texto suelto\n"
           "[MARGENES]\n"
           "  IzQuierdo = 5 ; nota\n"
           "derecho=6\n"
           "\n"
           "; about the next one\n"
           "[Vacia]\n"
           "\n"
           "[Final]\n"
           "z=1");
  ASSERT_EQ(profile::WriteString("Margenes", "izquierdo", " 7", file), 0);
  ASSERT_EQ(profile::WriteString("margenes", "Arriba", " 8", file), 0);
  ASSERT_EQ(profile::WriteString("Vacia", "k", "v", file), 0);
  ASSERT_EQ(profile::WriteString("Final", "y", "2", file), 0);
  EXPECT_EQ(ReadRaw(file),
            "; cabecera \xF1\r\n"
            "[Otra Cosa]\r\n"
            "raro = \xFF\x80\x81 \r\n"
            "texto suelto\r\n"
            "[MARGENES]\r\n"
            "  IzQuierdo= 7\r\n"
            "derecho=6\r\n"
            "Arriba= 8\r\n"
            "\r\n"
            "; about the next one\r\n"
            "[Vacia]\r\n"
            "k=v\r\n"
            "\r\n"
            "[Final]\r\n"
            "z=1\r\n"
            "y=2\r\n");
  EXPECT_EQ(profile::GetString("Otra Cosa", "raro", "", file), "\xFF\x80\x81");
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "", file), "7");
}

TEST(ProfileWrite, OnlyTheFirstSectionAndKeyOfANameChange) {
  const std::string file = testenv::NewFolder("profile") + "dup.ini";
  WriteRaw(file, "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n");
  ASSERT_EQ(profile::WriteString("A", "K", "9", file), 0);
  ASSERT_EQ(profile::WriteString("A", "new", "n", file), 0);
  EXPECT_EQ(ReadRaw(file), "[A]\r\nk=9\r\nk=2\r\nnew=n\r\n[a]\r\nk=3\r\n");
}

TEST(ProfileWrite, ReadsBackEveryValueItWrites) {
  const std::string file = testenv::NewFolder("profile") + "round.ini";
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    const char* readBack;
  };
  const Case cases[] = {
      {"Color Ambiente", "Color", " 16775408", "16775408"},
      {"Imprimir", "Copias", "-1", "-1"},
      {"Acentos", "A\xF1o", "\xE1\xE9\xED\xF3\xFA\x80", "\xE1\xE9\xED\xF3\xFA\x80"},
      {"Comillas", "q", "\"quoted\"", "quoted"},
      {"Vacio", "e", "", ""},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(profile::WriteString(c.section, c.key, c.value, file), 0);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(profile::GetString(c.section, c.key, "dflt", file), c.readBack);
  }
}

TEST(ProfileWrite, ReportsErrorsAndLeavesNoTrace) {
  const std::string dir = testenv::NewFolder("profile");
  EXPECT_EQ(profile::WriteString("A", "k", "v", dir + "missing/x.ini"), ENOENT);
  std::filesystem::create_directory(dir + "folder.ini");
  EXPECT_NE(profile::WriteString("A", "k", "v", dir + "folder.ini"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir + "folder.ini"));
  EXPECT_EQ(profile::WriteString("", "k", "v", dir + "x.ini"), EINVAL);
  EXPECT_EQ(profile::WriteString("A", "", "v", dir + "x.ini"), EINVAL);
  EXPECT_FALSE(files::FileExists(dir + "x.ini"));
}

}  // namespace

namespace {

// A file as it lies on disk since the program last wrote it: no change within the last second,
// so that any later one changes its stamp.
void LetSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(1100)); }

TEST(ProfileCache, ASettledFileIsReadOnceUntilItChanges) {
  const std::string file = testenv::NewFolder("profile") + "Configuracion.ini";
  WriteRaw(file, kSample);
  LetSettle();
  const int64_t before = files::testing::WholeFileReads();
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "10");
    EXPECT_EQ(profile::GetString("Formato Papel", "Ancho", "d", file), "148 mm");
    EXPECT_EQ(profile::GetString("Margenes", "missing", "d", file), "d");
  }
  EXPECT_EQ(files::testing::WholeFileReads() - before, 1);

  // Rewritten in place, as long as before, with its old time put back by an editor.
  const auto written = std::filesystem::last_write_time(file);
  std::string changed = kSample;
  changed.replace(changed.find("izquierdo= 10"), 13, "izquierdo= 20");
  WriteRaw(file, changed);
  std::filesystem::last_write_time(file, written);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "20");
  EXPECT_EQ(files::testing::WholeFileReads() - before, 2);
}

TEST(ProfileCache, EveryChangeOnDiskIsSeen) {
  const std::string file = testenv::NewFolder("profile") + "Configuracion.ini";
  // Rewritten in place within one tick of the clock, as long as before.
  for (const char* value : {"10", "20", "30"}) {
    WriteRaw(file, std::string("[Margenes]\r\nizquierdo=") + value + "\r\n");
    EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), value);
  }
  // Replaced by another file, and removed.
  ASSERT_EQ(files::WriteAllAtomically(file, "[Margenes]\r\nizquierdo=50\r\n"), 0);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "50");
  ASSERT_EQ(files::DeleteFile(file), 0);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "d");
  // Its own writes are read back at once.
  ASSERT_EQ(profile::WriteString("Margenes", "izquierdo", "60", file), 0);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "60");
  ASSERT_EQ(profile::WriteString("Margenes", "izquierdo", "70", file), 0);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "70");
}

TEST(ProfileBounds, AFileBeyondTheBoundGivesDefaultsAndIsNeverRewritten) {
  const std::string dir = testenv::NewFolder("profile");
  std::string huge = "[Margenes]\r\nizquierdo=10\r\n";
  huge.resize(static_cast<size_t>(profile::kMaxFileBytes) + 1, ';');
  WriteRaw(dir + "huge.ini", huge);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", dir + "huge.ini"), "d");
  EXPECT_EQ(profile::WriteString("Margenes", "izquierdo", "20", dir + "huge.ini"), EFBIG);
  EXPECT_EQ(ReadRaw(dir + "huge.ini"), huge);

  huge.resize(static_cast<size_t>(profile::kMaxFileBytes));
  WriteRaw(dir + "largest.ini", huge);
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", dir + "largest.ini"), "10");

  // Nor is what is no regular file, nor does it block.
  EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", "/dev/zero"), "d");
  EXPECT_EQ(profile::WriteString("Margenes", "izquierdo", "1", "/dev/null"), files::kNotRegularFile);

  // Why the reads of each gave the defaults.
  EXPECT_EQ(profile::ReadError(dir + "largest.ini"), 0);
  EXPECT_EQ(profile::ReadError(dir + "huge.ini"), EFBIG);
  EXPECT_EQ(profile::ReadError(dir + "missing.ini"), ENOENT);
  EXPECT_EQ(profile::ReadError(dir), EISDIR);
  EXPECT_EQ(profile::ReadError("/dev/zero"), files::kNotRegularFile);
}

// Many keys at once end as writing them one by one does, in one write of the file: a failure
// leaves every one of them unwritten.
TEST(ProfileWrite, ManyValuesAreWrittenAtOnceOrNotAtAll) {
  const std::string dir = testenv::NewFolder("profile");
  WriteRaw(dir + "one.ini", kSample);
  WriteRaw(dir + "many.ini", kSample);
  const profile::Entry entries[] = {
      {"Margenes", "izquierdo", " 30"}, {"Margenes", "Nuevo", "x"}, {"Otra", "clave", "1"},
      {"margenes", "DERECHO", "7"},     {"Otra", "clave", "2"},     {" Otra ", " segunda ", "3"}};
  for (const profile::Entry& e : entries)
    ASSERT_EQ(profile::WriteString(e.section, e.key, e.value, dir + "one.ini"), 0);
  ASSERT_EQ(profile::WriteStrings(entries, dir + "many.ini"), 0);
  EXPECT_EQ(ReadRaw(dir + "many.ini"), ReadRaw(dir + "one.ini"));

  WriteRaw(dir + "many.ini", kSample);
  {
    files::testing::FailureScope fail(files::testing::Step::Create, ENOSPC);
    EXPECT_EQ(profile::WriteStrings(entries, dir + "many.ini"), ENOSPC);
  }
  EXPECT_EQ(ReadRaw(dir + "many.ini"), kSample);
  EXPECT_EQ(profile::GetString("Otra", "clave", "d", dir + "many.ini"), "d");
  const profile::Entry nameless[] = {{"Margenes", "izquierdo", "1"}, {"Margenes", " ", "2"}};
  EXPECT_EQ(profile::WriteStrings(nameless, dir + "many.ini"), EINVAL);
  EXPECT_EQ(ReadRaw(dir + "many.ini"), kSample);
}

TEST(ProfileWrite, AFailedWriteKeepsTheOldFile) {
  const std::string file = testenv::NewFolder("profile") + "AdminControls.ini";
  WriteRaw(file, kSample);
  for (files::testing::Step step : {files::testing::Step::Write, files::testing::Step::Flush,
                                    files::testing::Step::Rename}) {
    files::testing::FailureScope fail(step, ENOSPC, 10);
    EXPECT_EQ(profile::WriteString("Margenes", "izquierdo", "99", file), ENOSPC);
    EXPECT_EQ(ReadRaw(file), kSample);
    EXPECT_EQ(profile::GetString("Margenes", "izquierdo", "d", file), "10");
  }
}

}  // namespace
