// The field-definition file as the search and the record list read it: every whole Z04Record
// in file order, each copied out of the file before it is looked at, its texts read only up to
// the end of their fields.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"

// Calls `visit` for every field definition of the file in file order, letting the windows run
// between records. A missing or unreadable file has none.
void ForEachFieldDefinition(const std::string& path,
                            const std::function<void(const Z04Record&)>& visit);

// A definition's field name: the text before its zero byte.
std::string_view FieldNameOf(const Z04Record& record);

// The positions of `names` in the order in which the file defines them: each name placed once,
// at its first definition, even when the file defines it twice; names the file does not
// define are left out.
std::vector<size_t> OrderByFieldDefinitions(const std::string& path,
                                            const std::vector<std::string>& names);
