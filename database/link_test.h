// Whether a folder holds a usable database: its field-definition file exists, and its length
// is above 0 and a whole number of field records.
#pragma once
#include <string>
#include <string_view>

constexpr int kFieldRecordLength = 12042;

// The last component of a folder path ("C:\datos\clientes\" gives "clientes").
std::string GetLastPathComponent(std::string_view folder);
// The field-definition file of a database folder: <folder>/<name>.z04.
std::string FieldDefinitionFilePath(std::string_view folder);
bool IsLinkedDatabaseValid(std::string_view folder);
