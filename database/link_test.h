// Where a database folder's files are, and whether the folder holds a usable database: its
// field-definition file exists, and its length is above 0 and a whole number of field records.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

constexpr int kFieldRecordLength = 12042;

// The text between the last two separators ("\" or "/") of a path, its last character
// dropped: a folder text ending in a separator gives the folder's own name
// ("C:\Datos\Socios\" gives "Socios"), a path with one separator or none gives the whole path
// less its last character ("C:\Socios" gives "C:\Socio"), an empty text gives "".
std::string GetLastPathComponent(std::string_view path);
// The folder text as the database files are found from it: ending with a separator, so that a
// hand-edited setting without one still names the folder ("" stays "").
std::string DatabaseFolderText(std::string_view folder);
// A file of a database folder, named like the folder: <folder><name><extension>; "" for an
// empty folder text.
std::string DatabaseFilePath(std::string_view folder, std::string_view extension);
// The field-definition file of a database folder: <folder><name>.z04.
std::string FieldDefinitionFilePath(std::string_view folder);
// The value file of a database folder: <folder><name>.zbd.
std::string ValueFilePath(std::string_view folder);

bool IsLinkedDatabaseValid(std::string_view folder);

// What the link test found for a folder.
enum class LinkTestResult {
  kNoFolder,   // the folder text is empty: the link stays as it was
  kLinked,     // the field-definition file passed the test
  kBadFormat,  // the file exists with a length of 0 or not a whole number of field records
  kMissing,    // no field-definition file
};
// The link test of the main window's start and of the link dialog. A passing test also
// clears what belonged to the database linked before: the filled aligned texts and the
// search results.
LinkTestResult ApplyDatabaseLinkTest(std::string_view folder);
// databaseLinked after a test: 1 when linked, unchanged without a folder, else 0.
int32_t DatabaseLinkedAfter(LinkTestResult result, int32_t databaseLinked);
