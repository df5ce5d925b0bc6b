// The user's colours: the palette of 130 favourite colours kept in "Mis Colores.log", beside
// the picked colour and the choosers' custom colours both programs keep.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/picked_colours.h"
#include "platform/gfx/gfx.h"

// One cell of the palette and one record of "Mis Colores.log": 24 bytes, little-endian.
struct FavouriteColourRecord {
  int32_t left = 0;     // the cell's rectangle in grid pixels
  int32_t right = 0;
  int32_t top = 0;
  int32_t bottom = 0;
  int16_t column = 0;   // 0 to 12
  int16_t row = 0;      // 0 to 9
  gfx::Colour colour = 0;
  bool operator==(const FavouriteColourRecord&) const = default;
};
constexpr int kFavouriteRecordLength = 24;
constexpr int kColourColumns = 13;
constexpr int kColourRows = 10;
constexpr int kColourCell = 25;     // pixels a side
constexpr int kColourGridOrigin = 1;
constexpr int kColourGap = 3;       // pixels between a cell's box and the one above and left of it
constexpr int kColourTableSide = 51;   // the table's columns and rows, of which 13 x 10 are used

std::string EncodeFavouriteColourRecord(const FavouriteColourRecord& r);
// Reads the first 24 bytes; a shorter text reads as far as it goes, the rest zero.
FavouriteColourRecord DecodeFavouriteColourRecord(std::string_view bytes);

// The palette: colourGrid[column][row].
extern std::array<std::array<FavouriteColourRecord, kColourTableSide>, kColourTableSide> colourGrid;
extern int32_t colourGridModified;

// "Mis Colores.log" in the data folder.
std::string FavouriteColoursPath();

// Empties the table, then gives each cell of `columns` x `rows` its rectangle, column, row
// and white.
void InitColourGrid(int columns, int rows, int originX, int originY);
// Each used cell as a box inside its rectangle, filled with its colour, outlined in black.
void DrawColourGrid(gfx::Surface& bitmap, int columns, int rows);
// The palette file anew, row by row, written beside the old one and renamed over it. On an
// error it shows "Err: " and the error, keeps the old file and returns the error number;
// else 0.
int SaveFavouriteColours();
// Empties the table and puts each whole record of the file at its own column and row;
// records naming a cell outside the 13 x 10 palette are skipped. Returns the message to show
// when the file is there but cannot be read (the table is then empty), else "".
std::string LoadFavouriteColours();

// Puts the palette back as the run starts.
void ResetColoursState();
