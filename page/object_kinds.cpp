#include "page/object_kinds.h"

#include <array>
#include <cstddef>

#include "page/admin_controls.h"

namespace {

constexpr unsigned kPlace = kPropertyX | kPropertyY;
constexpr unsigned kArea = kPlace | kPropertyWidth | kPropertyHeight;
constexpr unsigned kTextFields =
    kPropertyFontSize | kPropertyTransparent | kPropertyFace | kPropertyText | kPropertyStyles;
constexpr unsigned kAreaText = kArea | kTextFields | kPropertyAlignment;
constexpr unsigned kAdminCommon = kArea | kPropertyFontSize | kPropertyAlignment | kPropertyFace |
                                  kPropertyText | kPropertyStyles | kPropertyDatabase;
constexpr unsigned kAdminCells = kAdminCommon | kPropertyCellWidth | kPropertyPenWidth;
constexpr unsigned kAdminLabelled = kAdminCells | kPropertyLabel;
constexpr unsigned kAdminRow = kAdminLabelled | kPropertyCellCount | kPropertyCellSpacing;

constexpr unsigned kAngledFields = kPlace | kTextFields | kPropertyAngle | kPropertyDatabase;

// In kind order, from kind 1.
constexpr std::array<ObjectKindInfo, 12> kObjectKinds{{
    {.kind = kImage, .name = "Imagen", .fields = {kPlace, kPlace}},
    {.kind = kMonthCalendar,
     .name = "Almanaque",
     .fields = {kPlace | kPropertyFontSize, kPlace | kPropertyFontSize}},
    {.kind = kAlignedText,
     .name = "Texto alineado",
     .fields = {kAreaText, kAreaText | kPropertyFont}},
    {.kind = kAngledText,
     .name = "Texto angular",
     .fields = {kAngledFields, kAngledFields | kPropertyFont},
     .angleTurnsFont = true},
    {.kind = kSquareOrCircle, .name = "Cuadrados y Circulos", .fields = {kArea, kArea}},
    {.kind = kArrow, .name = "Flechas", .keepsShownEnabling = true},
    {.kind = kAdminControl,
     .name = "Control Admin.",
     .fields = {kAdminCells, kAdminCells},
     .fieldsByAdminStyle = true},
    {.kind = kAdminOptionCell,
     .name = "Control Admin.",
     .fields = {kAdminCommon | kPropertyOptionShape, kAdminCommon | kPropertyOptionShape}},
    {.kind = kLineText, .name = "Texto Lineado", .fields = {kAreaText, kAreaText | kPropertyFont}},
    // It shows its width and height, yet takes back the angled text's fields.
    {.kind = kMathsCharacter,
     .name = "Caracter Matem\xE1tico",
     .fields = {kArea | kPropertyFontSize | kPropertyFace | kPropertyText | kPropertyStyles,
                kAngledFields | kPropertyFont},
     .angleTurnsFont = true},
    // Its transparency is taken back though the field is greyed.
    {.kind = kCornerMarks,
     .name = "Esquinas administrativo",
     .fields = {kArea | kPropertyFace | kPropertyText | kPropertyPenWidth,
                kArea | kPropertyTransparent | kPropertyFace | kPropertyText | kPropertyPenWidth},
     .sizeInMillimetres = true,
     .backColourLabel = "Color Esquinas"},
    {.kind = kMemoText,
     .name = "Memotexto",
     .fields = {kAreaText | kPropertyDatabase, kAreaText | kPropertyDatabase | kPropertyFont}},
}};

constexpr bool InKindOrder() {
  for (size_t i = 0; i < kObjectKinds.size(); ++i)
    if (kObjectKinds[i].kind != static_cast<int32_t>(i + 1)) return false;
  return true;
}
static_assert(InKindOrder(), "FindObjectKind finds a kind's row by its number");
static_assert(kObjectKinds.size() == kMemoText, "every kind has its row");

// By AdminControlStyle, from style 1. Style 6 is the option cell's, inserted as kind 8, whose
// fields are its own; an object of kind 7 given that style takes the fields of style 5.
constexpr std::array<PropertyFields, 10> kAdminStyleFields{{
    {kAdminLabelled, kAdminLabelled},                                  // kAdminStyleClosedCell
    {kAdminLabelled, kAdminLabelled},                                  // kAdminStyleOpenCell
    {kAdminRow, kAdminRow},                                            // kAdminStyleClosedCells
    {kAdminRow, kAdminRow},                                            // kAdminStyleOpenCells
    {kAdminCells, kAdminCells},                                        // kAdminStyleLabelLine
    {kAdminCells, kAdminCells},                                        // kAdminStyleOptionCell
    {kAdminCommon | kPropertyPenWidth, kAdminCells},                   // kAdminStyleInnerClosedCell
    {kAdminCommon | kPropertyPenWidth, kAdminCells},                   // kAdminStyleOuterClosedCell
    {kAdminCells & ~(kPropertyWidth | kPropertyHeight), kAdminCells},  // kAdminStyleLineLabel
    {kAdminCommon | kPropertyCellWidth, kAdminLabelled},               // kAdminStyleLabelText
}};
static_assert(kAdminStyleFields.size() == kAdminStyleLabelText);

}  // namespace

const ObjectKindInfo* FindObjectKind(int32_t kind) {
  if (kind < 1 || kind > static_cast<int32_t>(kObjectKinds.size())) return nullptr;
  return &kObjectKinds[static_cast<size_t>(kind - 1)];
}

const PropertyFields* AdminStyleFields(int32_t style) {
  if (style < 1 || style > static_cast<int32_t>(kAdminStyleFields.size())) return nullptr;
  return &kAdminStyleFields[static_cast<size_t>(style - 1)];
}

PropertyFields PropertyFieldsOf(const PageObject& o) {
  const ObjectKindInfo* info = FindObjectKind(o.kind);
  if (!info) return {};
  if (info->fieldsByAdminStyle)
    if (const PropertyFields* byStyle = AdminStyleFields(o.adminStyle)) return *byStyle;
  return info->fields;
}
