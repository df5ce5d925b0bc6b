// Where the search and the record list find the linked database's two files: the folder kept
// in the settings, the folder's own name, and ".z04" (field definitions) or ".zbd" (values).
// Both are "" while no database is linked, which every reader takes as a file without records.
#pragma once
#include <string>

std::string LinkedFieldFilePath();
std::string LinkedValueFilePath();
