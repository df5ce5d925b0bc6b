// Administrative controls: the "write here" elements of a printed form (a label followed by a
// box, cells, a line or an option mark) in ten styles, each with one editable preset kept
// for the whole run and stored in AdminControls.ini. Both programs read the presets at start.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "page/page_object.h"

// AdminControlStyle: the adminStyle field of an object, the section of AdminControls.ini and
// the index into adminStylePresets.
enum AdminControlStyle : int16_t {
  kAdminStyleClosedCell = 1,
  kAdminStyleOpenCell = 2,
  kAdminStyleClosedCells = 3,
  kAdminStyleOpenCells = 4,
  kAdminStyleLabelLine = 5,
  kAdminStyleOptionCell = 6,  // inserted as an object of kind 8; every other style is kind 7
  kAdminStyleInnerClosedCell = 7,
  kAdminStyleOuterClosedCell = 8,
  kAdminStyleLineLabel = 9,
  kAdminStyleLabelText = 10,
};
constexpr int kAdminStyleCount = 10;

constexpr int kAdminLabelMaxChars = 112;

// One style's preset. Packed as the program has always held it; it lives in memory only and
// reaches the disk through AdminControls.ini.
#pragma pack(push, 1)
struct AdminStylePreset {
  char text[kAdminLabelMaxChars + 1];   // label, 1252, zero-terminated
  int32_t labelAreaWidth;    // label area (style 6: the label; styles 7 and 8: the box)
  int32_t labelAreaHeight;   // also the height of every cell, box and option mark
  int32_t cellWidth;         // a cell; the line (styles 5, 9); the fill area (style 10)
  int32_t penWidth;
  int32_t cellCount;         // styles 3 and 4
  int32_t colour;            // lines, borders, label text and option mark
  int16_t alignment;         // TextAlignment of the label
  int16_t cellSpacing;       // styles 3 and 4
  int32_t labelVisible;      // 1: the label is drawn (styles 1 to 4 and 10)
  int32_t optionShape;       // style 6: 1 round mark, anything else square
};
#pragma pack(pop)
static_assert(sizeof(AdminStylePreset) == 149);
static_assert(offsetof(AdminStylePreset, labelAreaWidth) == 113);
static_assert(offsetof(AdminStylePreset, labelAreaHeight) == 117);
static_assert(offsetof(AdminStylePreset, cellWidth) == 121);
static_assert(offsetof(AdminStylePreset, penWidth) == 125);
static_assert(offsetof(AdminStylePreset, cellCount) == 129);
static_assert(offsetof(AdminStylePreset, colour) == 133);
static_assert(offsetof(AdminStylePreset, alignment) == 137);
static_assert(offsetof(AdminStylePreset, cellSpacing) == 139);
static_assert(offsetof(AdminStylePreset, labelVisible) == 141);
static_assert(offsetof(AdminStylePreset, optionShape) == 145);

// Entries 1 to 10, by AdminControlStyle; entry 0 is never used.
extern std::array<AdminStylePreset, kAdminStyleCount + 1> adminStylePresets;
// The style being inserted or edited: set by the dialog's combo, by the canvas and after a
// repaint from the last administrative object painted; read by the insert handler and the
// fill-text properties dialog.
extern int16_t currentAdminStyle;

// The keys of a preset, in record order and in the order AdminControls.ini keeps them.
enum class AdminPresetKey {
  Text, AreaWidth, AreaHeight, CellWidth, PenWidth, CellCount, Colour, Alignment, CellSpacing,
  LabelVisible, OptionShape,
};
constexpr int kAdminPresetKeyCount = 11;
// "texto", "xarea", "yarea", "w", "pluma", "n", "cols", "ali", "sepa", "eti", "shape".
const char* AdminPresetKeyName(AdminPresetKey key);

// Sizes, pens, counts and spacings are kept within these, whatever a file or a field holds,
// so a hand-edited value can neither overflow a field nor make a drawing run for minutes.
constexpr int32_t kAdminMaxSize = 10000;      // area, cell width, spacing in pixels
constexpr int32_t kAdminMaxPenWidth = 100;
constexpr int32_t kAdminMaxCellCount = 10000;

// The section and combo texts of a style ("" for a style outside 1..10).
std::string_view AdminStyleSection(int style);
std::string_view AdminStyleComboText(int style);
// The object kind a style is inserted as: 8 for the option cell, 7 for the others.
int32_t AdminObjectKind(int style);

// The built-in preset of a style (an empty one outside 1..10).
AdminStylePreset DefaultAdminStylePreset(int style);
// The preset of a style in adminStylePresets; nullptr outside 1..10.
AdminStylePreset* AdminPresetOf(int style);

// The label up to its terminator; setting it keeps the first 112 characters.
std::string_view AdminPresetText(const AdminStylePreset& p);
void SetAdminPresetText(AdminStylePreset& p, std::string_view text);
// A numeric field as a wide number, and set from one: rounded half to even, then kept within
// the field's range (sizes and counts above, alignment 131 to 134, the rest 32 bits).
int64_t AdminPresetNumber(const AdminStylePreset& p, AdminPresetKey key);
void SetAdminPresetNumber(AdminStylePreset& p, AdminPresetKey key, long double value);
// True when the value lies within the field's range.
bool AdminPresetNumberFits(AdminPresetKey key, long double value);

// AdminControls.ini in the data folder.
std::string AdminControlsPath();

// The built-in presets, then the file; a missing file is written with the defaults. Returns
// the message to show (as LoadSaveAdminStylePresets does), otherwise "".
std::string InitAdminStylePresets();
// "get" reads the file into the table, "save" writes the whole table, the file written once;
// any other mode, letter case included, does nothing. A missing key keeps the value in memory;
// a value that is not a number or lies outside its field's range takes the style's built-in
// value. Returns the message to show, otherwise "": for a file there that cannot be read (the
// presets stay as they were), or the "Err: " text of a failed save (the file stays as it was).
std::string LoadSaveAdminStylePresets(std::string_view mode);

// Puts the presets and the current style back as the run starts.
void ResetAdminControlsState();
