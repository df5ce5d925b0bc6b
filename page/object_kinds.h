// What each kind of page object is, in one place: its name, the fields of "Propiedades objetos"
// it edits and those "Aplicar" takes back, and how those fields show it. A new kind adds its
// row here, beside its page code, its dialog and its insert.
#pragma once
#include <cstdint>

#include "page/page_object.h"

// The fields of the properties window, as bits of a mask.
enum PropertyField : unsigned {
  kPropertyX = 1u << 0,
  kPropertyY = 1u << 1,
  kPropertyWidth = 1u << 2,
  kPropertyHeight = 1u << 3,
  kPropertyFontSize = 1u << 4,
  kPropertyTransparent = 1u << 5,
  kPropertyAlignment = 1u << 6,
  kPropertyFace = 1u << 7,
  kPropertyText = 1u << 8,
  kPropertyAngle = 1u << 9,
  kPropertyCellWidth = 1u << 10,
  kPropertyPenWidth = 1u << 11,
  kPropertyLabel = 1u << 12,
  kPropertyCellCount = 1u << 13,
  kPropertyCellSpacing = 1u << 14,
  kPropertyOptionShape = 1u << 15,
  kPropertyStyles = 1u << 16,  // bold, italic, underline and strike-out
  kPropertyDatabase = 1u << 17,
  kPropertyFont = 1u << 18,  // taken back only: a new font handle from the fields
};

struct PropertyFields {
  unsigned edited = 0;   // enabled in the window
  unsigned written = 0;  // taken back by "Aplicar"
};

struct ObjectKindInfo {
  int32_t kind = kEmptySlot;
  const char* name = "";            // beside "Objeto" in the properties window
  PropertyFields fields{};          // administrative controls: of a style without a row of its own
  bool fieldsByAdminStyle = false;  // the style picks the fields (AdminStyleFields)
  bool keepsShownEnabling = false;  // enables nothing: the window keeps the enabling shown before
  bool sizeInMillimetres = false;   // width and height shown and typed in millimetres
  const char* backColourLabel = nullptr;  // the back swatch's label; nullptr: the window's own
  bool angleTurnsFont = false;            // a non-zero angle makes its font an angled one
};

// The kind's row; nullptr for an empty slot and for a kind no row describes.
const ObjectKindInfo* FindObjectKind(int32_t kind);

// The fields of an administrative control of that style, when the style has a row of its own.
const PropertyFields* AdminStyleFields(int32_t style);

// The fields the window enables and takes back for an object; none for an empty slot or an
// unknown kind.
PropertyFields PropertyFieldsOf(const PageObject& o);
