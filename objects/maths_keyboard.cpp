#include "objects/maths_keyboard.h"

#include <algorithm>
#include <string_view>

#include "page/shared_helpers.h"
#include "page/start_values.h"

std::array<std::array<SymbolKey, kSymbolKeyTableSide>, kSymbolKeyTableSide> symbolKeys{};

namespace {

StartValues startValues(symbolKeys);

constexpr gfx::Colour kKeyShadow = 0x404040;
constexpr gfx::Colour kKeyLight = 0xFFFFFF;
constexpr gfx::Colour kKeyMid = 0x808080;
constexpr int kCharacterInset = kSymbolKeyFaceOffset + 5;

// The bytes 127 to 160 are skipped: the Symbol face has nothing there.
constexpr int kFirstSkipped = 127, kLastSkipped = 160;

// Pen and fill of one colour.
void SolidBox(gfx::Surface& s, int l, int t, int r, int b, gfx::Colour c) { gfx::Box(s, l, t, r, b, 0, c, c, 0); }

template <typename Each>
void ForEachKeyPlace(int columns, int rows, Each each) {
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      if (HasSymbolKey(column, row)) each(column, row);
}

}  // namespace

bool HasSymbolKey(int column, int row) {
  if (column < 0 || column >= kSymbolKeyColumns || row < 0 || row >= kSymbolKeyRows) return false;
  return !(row == kSymbolKeyRows - 1 && column >= kSymbolKeysOnLastRow);
}

void InitSymbolKeys(int16_t columns, int16_t rows, int16_t ox, int16_t oy) {
  for (auto& column : symbolKeys) column.fill(SymbolKey{});
  int c = 32;
  ForEachKeyPlace(std::min<int>(columns, kSymbolKeyTableSide), std::min<int>(rows, kSymbolKeyTableSide),
                  [&](int column, int row) {
                    ++c;
                    if (c >= kFirstSkipped && c <= kLastSkipped) c = kLastSkipped + 1;
                    SymbolKey& k = symbolKeys[column][row];
                    k.left = static_cast<int16_t>(column * kSymbolKeySize + ox);
                    k.right = static_cast<int16_t>((column + 1) * kSymbolKeySize + ox);
                    k.top = static_cast<int16_t>(row * kSymbolKeySize + oy);
                    k.bottom = static_cast<int16_t>((row + 1) * kSymbolKeySize + oy);
                    k.column = static_cast<int16_t>(column);
                    k.row = static_cast<int16_t>(row);
                    k.colour = 0xFFFFFF;
                    k.character[0] = static_cast<char>(c);
                    k.character[1] = '\0';
                  });
}

const SymbolKey* SymbolKeyAt(int x, int y) {
  if (x < 0 || y < 0) return nullptr;
  const int column = x / kSymbolKeySize, row = y / kSymbolKeySize;
  return HasSymbolKey(column, row) ? &symbolKeys[column][row] : nullptr;
}

gfx::FontKey SymbolKeyFont() { return MakeSystemFont("Symbol", 14, 0, 0); }

void ClearGraphicTargetToColour(gfx::Surface& target, gfx::Colour colour) {
  gfx::Select(target);
  gfx::Clear(target, colour);
}

void DrawSymbolKey(gfx::Surface& target, int16_t l, int16_t t, int16_t r, int16_t b) {
  SolidBox(target, l, t, r, b, kKeyShadow);
  SolidBox(target, l, t, r - 1, b - 1, kKeyLight);
  SolidBox(target, l + 1, t + 1, r - 1, b - 1, kKeyMid);
  SolidBox(target, l + 1, t + 1, r - 2, b - 2, kSymbolKeyFace);
}

void DrawSymbolKeyPressed(gfx::Surface& target, int16_t l, int16_t t, int16_t r, int16_t b) {
  SolidBox(target, l, t, r, b, kKeyShadow);
  SolidBox(target, l + 1, t + 1, r - 2, b - 2, kKeyLight);
  SolidBox(target, l + 1, t + 1, r - 1, b - 1, kKeyMid);
  SolidBox(target, l, t, r - 1, b - 1, kSymbolKeyFace);
}

void DrawSymbolKeyWithCharacter(gfx::Surface& target, const SymbolKey& key, gfx::Colour textColour) {
  DrawSymbolKey(target, static_cast<int16_t>(key.left + kSymbolKeyFaceOffset),
                static_cast<int16_t>(key.top + kSymbolKeyFaceOffset), key.right, key.bottom);
  gfx::SelectFont(target, SymbolKeyFont());
  gfx::SetForeColour(target, textColour);
  gfx::SetBackColour(target, kSymbolKeyFace);
  gfx::MoveTo(target, key.left + kCharacterInset, key.top + kCharacterInset);
  gfx::Print(target, FixedFieldText(key.character));
}

void DrawSymbolKeyboard(gfx::Surface& target, int16_t columns, int16_t rows, int16_t, int16_t,
                        gfx::Colour textColour) {
  gfx::Select(target);
  gfx::SetPen(target, 1, gfx::kSolid);
  ForEachKeyPlace(std::min<int>(columns, kSymbolKeyTableSide), std::min<int>(rows, kSymbolKeyTableSide),
                  [&](int column, int row) { DrawSymbolKeyWithCharacter(target, symbolKeys[column][row], textColour); });
}

void ResetSymbolKeysState() { startValues.Restore(); }
