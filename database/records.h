// The two record files of a database folder, both named like the folder: the field
// definitions (".z04", one Z04Record per field, made outside the system and only read) and
// the values (".zbd", one ZbdEntry cell per stored character, read and appended, never
// rewritten). Flat files without a header, little-endian, byte-packed, text in 1252; a text
// field of N bytes holds at most N - 1 characters and a zero byte, and what follows the zero
// byte is never read (files made elsewhere may hold anything there, or no zero at all).
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct Z04Record {
  int32_t recordKind;    // 0: copied into every cell of the field as entryKind; not interpreted
  char fieldName[31];    // 4: at most 30 characters, compared exactly (case and blanks count)
  int16_t fieldType;     // 35: FieldType
  int16_t maxLength;     // 37: most characters a captured value may have
  int16_t spare;         // 39: copied into cells; not interpreted
  char listText[12001];  // 41: for list choices (type 9), the items separated by "|"
};

struct ZbdEntry {
  int32_t entryKind;      // 0: the field's recordKind
  uint8_t character;      // 4: one character of the value
  char fieldName[31];     // 5: the field's name
  int16_t fieldType;      // 36: copy of the field's fieldType
  int16_t maxLength;      // 38: copy of the field's maxLength
  int64_t recordNumber;   // 40: the record the cell belongs to, from 1
  int16_t spare;          // 48: copy of the field's spare
  int32_t lastCharacter;  // 50: 1 on the last character of a value, else 0
};
#pragma pack(pop)

static_assert(sizeof(Z04Record) == 12042);
static_assert(offsetof(Z04Record, recordKind) == 0);
static_assert(offsetof(Z04Record, fieldName) == 4);
static_assert(offsetof(Z04Record, fieldType) == 35);
static_assert(offsetof(Z04Record, maxLength) == 37);
static_assert(offsetof(Z04Record, spare) == 39);
static_assert(offsetof(Z04Record, listText) == 41);

static_assert(sizeof(ZbdEntry) == 54);
static_assert(offsetof(ZbdEntry, entryKind) == 0);
static_assert(offsetof(ZbdEntry, character) == 4);
static_assert(offsetof(ZbdEntry, fieldName) == 5);
static_assert(offsetof(ZbdEntry, fieldType) == 36);
static_assert(offsetof(ZbdEntry, maxLength) == 38);
static_assert(offsetof(ZbdEntry, recordNumber) == 40);
static_assert(offsetof(ZbdEntry, spare) == 48);
static_assert(offsetof(ZbdEntry, lastCharacter) == 50);

constexpr int kZ04RecordLength = static_cast<int>(sizeof(Z04Record));
constexpr int kZbdEntryLength = static_cast<int>(sizeof(ZbdEntry));

// FieldType: the fieldType of a field, and what its values are.
enum FieldType : int16_t {
  kFieldPhonetic = 0,  // text drawn in the phonetic font
  kFieldNumber = 1,    // numbers keep "." for thousands and "'" as the decimal mark
  kFieldNumberOther = 2,
  kFieldText = 3,
  kFieldYesNo = 4,  // "1" or "0"
  kFieldMemo = 5,   // fills the main text of an object
  kFieldTextOther = 6,
  kFieldTextThird = 7,
  kFieldDate = 8,        // dd/mm/yyyy
  kFieldListChoice = 9,  // 99 + n: the n-th "|" item of the field's listText
};
