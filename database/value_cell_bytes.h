// The fields of a value cell as they stand in its 54 bytes, for the readers that look at cells
// where they lie in a buffer read from the file: the record number, the last-character mark and
// the field name, which ends at its zero byte or at the end of its field (what follows the zero
// byte is never read).
#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "database/records.h"

namespace valuecell {

inline constexpr size_t kNameWidth = sizeof(ZbdEntry::fieldName);

template <typename T>
T FieldAt(const char* cell, size_t offset) {
  T value;
  std::memcpy(&value, cell + offset, sizeof value);
  return value;
}

inline int64_t StoredRecord(const char* cell) {
  return FieldAt<int64_t>(cell, offsetof(ZbdEntry, recordNumber));
}

inline bool IsLastCharacter(const char* cell) {
  return FieldAt<int32_t>(cell, offsetof(ZbdEntry, lastCharacter)) == 1;
}

inline std::string_view StoredName(const char* cell) {
  const char* name = cell + offsetof(ZbdEntry, fieldName);
  return std::string_view(name, strnlen(name, kNameWidth));
}

// The name field of a cell as four overlapping words, which hold every byte of it: two cells
// whose words are equal carry the same name, which is cheaper to learn than by comparing texts.
// Cells whose words differ may still carry the same name (the bytes after a zero byte are
// anything), so unequal words are no answer.
using NameWords = std::array<uint64_t, 4>;
static_assert(kNameWidth > 24 && kNameWidth <= 32);

inline NameWords WordsOfName(const char* cell) {
  const char* name = cell + offsetof(ZbdEntry, fieldName);
  return {FieldAt<uint64_t>(name, 0), FieldAt<uint64_t>(name, 8), FieldAt<uint64_t>(name, 16),
          FieldAt<uint64_t>(name, kNameWidth - 8)};
}

inline bool EqualWords(const NameWords& a, const NameWords& b) {
  return ((a[0] ^ b[0]) | (a[1] ^ b[1]) | (a[2] ^ b[2]) | (a[3] ^ b[3])) == 0;
}

// What a reader makes of the name fields met lately, kept by their bytes, so that the cells of
// a value after those of another need no name compared as text.
template <typename T>
class MetNames {
 public:
  // What `make(cell)` makes of the cell's name, made again only for a name field not met lately.
  template <typename Make>
  T Of(const char* cell, Make&& make) {
    const NameWords words = WordsOfName(cell);
    const uint64_t mixed =
        (words[0] ^ std::rotl(words[1], 17) ^ std::rotl(words[2], 31) ^ std::rotl(words[3], 47)) *
        0x9E3779B97F4A7C15ull;
    Slot& slot = slots_[static_cast<size_t>(mixed >> 60) % slots_.size()];
    if (!slot.known || !EqualWords(slot.words, words)) slot = {words, make(cell), true};
    return slot.value;
  }
  void Forget() {
    for (Slot& slot : slots_) slot.known = false;
  }

 private:
  struct Slot {
    NameWords words{};
    T value{};
    bool known = false;
  };
  std::array<Slot, 16> slots_{};
};

// Whether two cells carry the same field name.
inline bool SameName(const char* a, const char* b) {
  return EqualWords(WordsOfName(a), WordsOfName(b)) || StoredName(a) == StoredName(b);
}

}  // namespace valuecell
