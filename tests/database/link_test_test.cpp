#include "database/dialogs/link_dialog.h"
#include "database/link_test.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "database/search_results.h"
#include "page/painter.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

TEST(DatabaseLink, LastPathComponent) {
  struct Case {
    const char* path;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\Datos\\Socios\\", "Socios"},
      {"/home/ana/Socios/", "Socios"},
      {"C:\\Datos/Socios/", "Socios"},
      {"C:\\Socios", "C:\\Socio"},
      {"Socios", "Socio"},
      {"\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetLastPathComponent(c.path), c.name) << c.path;
}

TEST(DatabaseLink, FilesAreNamedLikeTheFolderWithOrWithoutItsSeparator) {
  EXPECT_EQ(FieldDefinitionFilePath("/datos/Socios/"), "/datos/Socios/Socios.z04");
  EXPECT_EQ(ValueFilePath("/datos/Socios"), "/datos/Socios/Socios.zbd");
  EXPECT_EQ(FieldDefinitionFilePath(""), "");
}

TEST(DatabaseLink, TestOfTheFieldDefinitionFile) {
  const std::string folder = testenv::NewFolder("Enlace");
  const std::string path = folder + "Enlace.z04";
  struct Case {
    int64_t length;   // -1: no file
    LinkTestResult result;
  };
  const Case cases[] = {
      {-1, LinkTestResult::kMissing},   {0, LinkTestResult::kBadFormat},
      {12041, LinkTestResult::kBadFormat}, {12042, LinkTestResult::kLinked},
      {24084, LinkTestResult::kLinked},  {24085, LinkTestResult::kBadFormat},
  };
  for (const Case& c : cases) {
    std::remove(path.c_str());
    if (c.length >= 0) testfiles::WriteRaw(path, std::string(static_cast<size_t>(c.length), 'x'));
    searchFound = 1;
    filledTextsShown = 1;
    EXPECT_EQ(ApplyDatabaseLinkTest(folder), c.result) << c.length;
    EXPECT_EQ(IsLinkedDatabaseValid(folder), c.result == LinkTestResult::kLinked);
    // Linking clears what belonged to the database before.
    EXPECT_EQ(searchFound, c.result == LinkTestResult::kLinked ? 0 : 1);
    EXPECT_EQ(filledTextsShown, c.result == LinkTestResult::kLinked ? 0 : 1);
  }
  EXPECT_EQ(ApplyDatabaseLinkTest(""), LinkTestResult::kNoFolder);
  // A folder in place of the file is no database.
  std::remove(path.c_str());
  testenv::NewFolder("Enlace/Enlace.z04");
  EXPECT_EQ(ApplyDatabaseLinkTest(folder), LinkTestResult::kBadFormat);
  searchFound = 0;
  filledTextsShown = 0;
}

TEST(DatabaseLink, LinkedStateAfterATest) {
  EXPECT_EQ(DatabaseLinkedAfter(LinkTestResult::kLinked, 0), 1);
  EXPECT_EQ(DatabaseLinkedAfter(LinkTestResult::kBadFormat, 1), 0);
  EXPECT_EQ(DatabaseLinkedAfter(LinkTestResult::kMissing, 1), 0);
  EXPECT_EQ(DatabaseLinkedAfter(LinkTestResult::kNoFolder, 1), 1);
  EXPECT_EQ(DatabaseLinkedAfter(LinkTestResult::kNoFolder, 0), 0);
}

}  // namespace
