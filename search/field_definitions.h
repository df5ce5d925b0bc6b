// The field-definition file as the search and the record list read it: the definitions in file
// order through the database's bounded reader (VisitFieldDefinitions), letting the windows run
// between records, and the order in which the file defines a list of names.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_files.h"

// Calls `visit` for the field definitions of the file in file order, letting the windows run
// between records: the first kMaxFieldDefinitions, as every reader of the file takes them, so
// that a huge file costs no more than that. A missing or unreadable file has none.
void ForEachFieldDefinition(const std::string& path,
                            const std::function<void(const Z04Record&)>& visit);

// The positions of `names` in the order in which the file defines them: each name placed once,
// at its first definition, even when the file defines it twice; names the file does not
// define are left out.
std::vector<size_t> OrderByFieldDefinitions(const std::string& path,
                                            const std::vector<std::string>& names);
