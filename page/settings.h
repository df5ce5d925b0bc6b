// The program's settings, kept in "Configuracion.ini" beside the program and shared with the
// form-filling program. They live in these globals for the run; LoadSaveSettings reads them
// all ("get") or writes them all ("save"). The form-filling program keeps every key but the
// linked database's.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

extern int32_t marginLeft;       // millimetres
extern int32_t marginRight;
extern int32_t marginTop;
extern int32_t marginBottom;
extern int32_t insertX;          // page pixels where new objects go
extern int32_t insertY;
extern int32_t imageFormatOption;   // 2008..2012, the export format's option id
extern int32_t soundMuted;       // 1: the insert and undo sounds are not played
extern int32_t noMargins;        // 1: no margin lines
extern int32_t printCopies;
extern int32_t printColorMode;   // 1 monochrome, 2 colour
extern int32_t printQuality;     // 1 draft .. 4 high
extern int16_t paperWidthMm;
extern int16_t paperHeightMm;
extern std::string linkedDatabaseFolder;   // ends with a separator; "" when none is linked
extern int32_t ambientColorOn;   // 1: the area inside the margins is filled
extern int32_t ambientColor;

// The paper the settings give when they hold none: A4.
constexpr int16_t kDefaultPaperWidthMm = 210;
constexpr int16_t kDefaultPaperHeightMm = 297;
// The most pixels a page bitmap may hold: 64 million (256 MB), more than a page of 4A0, the
// largest paper there is.
constexpr int64_t kLargestPagePixels = int64_t{1} << 26;
// A paper side a page bitmap can be made at: 1 mm or more, and at most 32767 pixels.
bool IsUsablePaperSide(int64_t mm);
// A paper the page bitmap can be made at: both sides usable, the whole within
// kLargestPagePixels.
bool IsUsablePaper(int64_t widthMm, int64_t heightMm);

// The settings file's full path.
std::string SettingsFilePath();

// Whose keys a call reads or writes: the designer's are all of them; the ones both programs
// share leave out "Vinculado" of "Base Datos", which the form-filling program neither reads
// nor writes, so the designer's link survives its saves.
enum class SettingsKeys { Designer, Shared };

// "get" reads every key into its global, "save" writes every global into its key, the file
// written once; any other mode does nothing. A value read is kept as written, so a save gives
// it back, except where it would break the page: a number its global cannot hold, an
// insertion point beyond the drawers' reach, copies below 1, and a paper no page bitmap can
// be made at (a side that cannot alone takes its default; sides too large together give the
// default paper) take their defaults. Returns the message to show, otherwise "": for a
// file there that cannot be read (its keys take their defaults), or the "Err: " text of a
// failed save (which leaves the file as it was).
std::string LoadSaveSettings(std::string_view mode, SettingsKeys keys = SettingsKeys::Designer);

// Puts every setting back to the value the run starts with.
void ResetSettingsState();
