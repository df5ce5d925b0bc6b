// The file part of the line-text inserts (commands 1082 to 1084): the block of lines is read
// from a plain text file the user chooses.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"

constexpr int kLineTextBufferLength = 9999;  // what one read keeps of a file
constexpr int kLineTextStoredLength = 1023;  // what an object's text field keeps
constexpr int kLineTextMaxLines = 100;       // non-empty lines a file may have to be inserted

// The lines of the last file read, each followed by CR LF.
extern std::string lineTextBuffer;

// The number of non-empty lines of a file; lines may end with CR LF, LF or CR. A file that
// cannot be read counts 0.
int32_t CountTextFileLines(std::string_view path);

// Fills lineTextBuffer with every line of the file (empty ones too), each followed by CR LF,
// cut to kLineTextBufferLength characters. A file that cannot be read leaves it empty.
void ReadTextFileLines(std::string_view path);

// The TextAlignment of the commands "Insertar Texto Lineado" 1082, 1083 and 1084; 0 for
// any other command.
int16_t LineTextAlignmentOfCommand(int command);

// The file part of those commands: asks for the file, refuses a missing one and one of more
// than kLineTextMaxLines lines (with a message), reads it, and cuts lineTextBuffer to what
// the object's text field keeps, so the insertion shows exactly what is stored. Returns 1
// when lineTextBuffer holds the text to insert, else 0.
int32_t ChooseLineTextFile(ui::Window owner);

// Empties the buffer and forgets the last file.
void ResetLineTextFileState();
