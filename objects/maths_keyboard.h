// The keys of the maths-character keyboard: 188 keys of the "Symbol" face in a grid of 19
// columns by 10 rows (the last row holds 17), carrying the bytes 33 to 126 and 161 to 254
// in reading order. The keys are generated, not stored.
#pragma once
#include <array>
#include <cstdint>

#include "platform/gfx/gfx.h"

constexpr int kSymbolKeySize = 40;          // pixels a side
constexpr int kSymbolKeyFaceOffset = 3;     // the face starts this far into the key's square
constexpr int kSymbolKeyColumns = 19;
constexpr int kSymbolKeyRows = 10;
constexpr int kSymbolKeysOnLastRow = 17;
constexpr int kSymbolKeyOrigin = 1;
constexpr int kKeyboardBitmapWidth = 768;
constexpr int kKeyboardBitmapHeight = 408;
constexpr int kSymbolKeyTableSide = 51;     // the table's columns and rows, of which 19 x 10 are used
constexpr gfx::Colour kKeyboardBackground = 0xC0C0C0;
constexpr gfx::Colour kSymbolKeyFace = 0xC8D0D4;

#pragma pack(push, 1)
struct SymbolKey {
  int16_t left;
  int16_t right;
  int16_t top;
  int16_t bottom;
  int16_t column;     // 0 to 18
  int16_t row;        // 0 to 9
  int32_t colour;     // &HFFFFFF for every key; not drawn
  char character[2];  // the key's Symbol byte and a terminating zero; all zero where no key is
};
#pragma pack(pop)
static_assert(sizeof(SymbolKey) == 18);

// symbolKeys[column][row].
extern std::array<std::array<SymbolKey, kSymbolKeyTableSide>, kSymbolKeyTableSide> symbolKeys;

// Refills the table for `columns` x `rows` keys from the grid origin (ox, oy); the places of
// the last row beyond its 17 keys stay zero.
void InitSymbolKeys(int16_t columns, int16_t rows, int16_t ox, int16_t oy);
// Whether a place of the grid holds a key.
bool HasSymbolKey(int column, int row);
// The key under a point of the keyboard's control, or nullptr. The grid origin is not taken
// off, as the key pitch hides it: column = x / 40, row = y / 40, whole numbers.
const SymbolKey* SymbolKeyAt(int x, int y);

// Every key raised with its character in the "Symbol" face at 14 points, in `textColour`.
void DrawSymbolKeyboard(gfx::Surface& target, int16_t columns, int16_t rows, int16_t ox, int16_t oy,
                        gfx::Colour textColour);
// One key face, raised or pressed, from (l, t) to (r, b), without its character.
void DrawSymbolKey(gfx::Surface& target, int16_t l, int16_t t, int16_t r, int16_t b);
void DrawSymbolKeyPressed(gfx::Surface& target, int16_t l, int16_t t, int16_t r, int16_t b);
// A key raised, its character drawn on it in `textColour`.
void DrawSymbolKeyWithCharacter(gfx::Surface& target, const SymbolKey& key, gfx::Colour textColour);
// Makes `target` the current one and fills it with `colour`.
void ClearGraphicTargetToColour(gfx::Surface& target, gfx::Colour colour);

// The font every key's character is drawn in.
gfx::FontKey SymbolKeyFont();

// Empties the key table, as the run starts.
void ResetSymbolKeysState();
