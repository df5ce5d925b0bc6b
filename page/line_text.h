// Line texts (kind 9): a block of lines read from a plain text file and printed one line per
// row, left-aligned, right-aligned or centred at an anchor point.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

constexpr int kLineTextBufferLength = 9999;   // what one read keeps of a file
constexpr int kLineTextStoredLength = 1023;   // what an object's text field keeps
constexpr int kLineTextMaxLines = 100;        // non-empty lines a file may have to be inserted
constexpr int kTextFilePathLength = 273;

// The lines of the last file read, each followed by CR LF.
extern std::string lineTextBuffer;

// The folder the document and line-text file dialogs open in; follows the last path passed
// in or chosen.
extern std::string lastDocumentFolder;

// Asks for a text file (mode 0 open, other modes save), starting at the name of `path` in
// lastDocumentFolder. `path` gets the choice with its outer blanks removed ("" when
// cancelled). Returns 1 when a path was chosen, else 0.
int32_t BrowseTextFile(ui::Window owner, std::string& path, int32_t mode);

// The number of non-empty lines of a file; lines may end with CR LF, LF or CR. A file that
// cannot be read counts 0.
int32_t CountTextFileLines(std::string_view path);

// Fills lineTextBuffer with every line of the file (empty ones too), each followed by CR LF,
// cut to kLineTextBufferLength characters. A file that cannot be read leaves it empty.
void ReadTextFileLines(std::string_view path);

// Prints `text`, lines separated by CR LF (up to its first zero byte), line i (from 1) with
// its top at y + i x fontSize: alignment 131 starting at x, 132 ending at x, 133 centred in a
// block as wide as the widest line starting at x. Other alignments draw nothing.
void DrawLineTextObject(gfx::Surface& target, std::string_view text, int32_t x, int32_t y,
                        gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour,
                        int16_t fontSize, int16_t alignment);

// The TextAlignment of the commands "Insertar Texto Lineado" 1082, 1083 and 1084; 0 for
// any other command.
int16_t LineTextAlignmentOfCommand(int command);

// The file part of those commands: asks for the file, refuses a missing one and one of more
// than kLineTextMaxLines lines (with a message), reads it, and cuts lineTextBuffer to what
// the object's text field keeps, so the insertion shows exactly what is stored. Returns 1
// when lineTextBuffer holds the text to insert, else 0.
int32_t ChooseLineTextFile(ui::Window owner);
