// Each kind's row: its name in the properties window, the fields it enables and those "Aplicar"
// takes back (the administrative controls' by their style), and how the window shows it.
#include "page/object_kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum : unsigned {
  X = kPropertyX,
  Y = kPropertyY,
  W = kPropertyWidth,
  H = kPropertyHeight,
  FS = kPropertyFontSize,
  Tr = kPropertyTransparent,
  Al = kPropertyAlignment,
  Fo = kPropertyFace,
  Tx = kPropertyText,
  Gr = kPropertyAngle,
  CW = kPropertyCellWidth,
  Pen = kPropertyPenWidth,
  Et = kPropertyLabel,
  N = kPropertyCellCount,
  Sep = kPropertyCellSpacing,
  Sh = kPropertyOptionShape,
  BIUS = kPropertyStyles,
  DB = kPropertyDatabase,
  Font = kPropertyFont,
};
constexpr unsigned kAdmin = X | Y | W | H | FS | Al | Fo | Tx | BIUS | DB;

PageObject ObjectOf(int32_t kind, int16_t style = 0) {
  PageObject o{};
  o.kind = kind;
  o.adminStyle = style;
  return o;
}

TEST(ObjectKindsTest, EachKindHasItsNameFieldsAndWaysOfShowing) {
  struct Case {
    int32_t kind;
    const char* name;
    unsigned edited, written;
    bool keepsShownEnabling = false, millimetres = false, angleTurnsFont = false;
    const char* backColourLabel = nullptr;
  };
  const Case cases[] = {
      {kImage, "Imagen", X | Y, X | Y},
      {kMonthCalendar, "Almanaque", X | Y | FS, X | Y | FS},
      {kAlignedText, "Texto alineado", X | Y | W | H | FS | Tr | Al | Fo | Tx | BIUS,
       X | Y | W | H | FS | Tr | Al | Fo | Tx | BIUS | Font},
      {kAngledText, "Texto angular", X | Y | FS | Tr | Fo | Tx | Gr | BIUS | DB,
       X | Y | FS | Tr | Fo | Tx | Gr | DB | BIUS | Font, false, false, true},
      {kSquareOrCircle, "Cuadrados y Circulos", X | Y | W | H, X | Y | W | H},
      {kArrow, "Flechas", 0, 0, true},
      {kAdminOptionCell, "Control Admin.", kAdmin | Sh, kAdmin | Sh},
      {kLineText, "Texto Lineado", X | Y | W | H | FS | Tr | Al | Fo | Tx | BIUS,
       X | Y | W | H | FS | Tr | Al | Fo | Tx | BIUS | Font},
      {kMathsCharacter, "Caracter Matem\xE1tico", X | Y | W | H | FS | Fo | Tx | BIUS,
       X | Y | FS | Tr | Fo | Tx | Gr | DB | BIUS | Font, false, false, true},
      {kCornerMarks, "Esquinas administrativo", X | Y | W | H | Fo | Tx | Pen,
       X | Y | W | H | Tr | Fo | Tx | Pen, false, true, false, "Color Esquinas"},
      {kMemoText, "Memotexto", X | Y | W | H | FS | Tr | Al | Fo | Tx | BIUS | DB,
       X | Y | W | H | FS | Tr | Al | Fo | Tx | DB | BIUS | Font},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const ObjectKindInfo* info = FindObjectKind(c.kind);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->kind, c.kind);
    EXPECT_STREQ(info->name, c.name);
    const PropertyFields fields = PropertyFieldsOf(ObjectOf(c.kind, 3));
    EXPECT_EQ(fields.edited, c.edited);
    EXPECT_EQ(fields.written, c.written);
    EXPECT_EQ(info->keepsShownEnabling, c.keepsShownEnabling);
    EXPECT_EQ(info->sizeInMillimetres, c.millimetres);
    EXPECT_EQ(info->angleTurnsFont, c.angleTurnsFont);
    EXPECT_STREQ(info->backColourLabel ? info->backColourLabel : "",
                 c.backColourLabel ? c.backColourLabel : "");
  }
  EXPECT_STREQ(FindObjectKind(kAdminControl)->name, "Control Admin.");
}

TEST(ObjectKindsTest, AnEmptySlotAndAKindNoRowDescribesHaveNothingToEdit) {
  for (int32_t kind : {0, -1, 13, 1000}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(FindObjectKind(kind), nullptr);
    const PropertyFields fields = PropertyFieldsOf(ObjectOf(kind, 1));
    EXPECT_EQ(fields.edited, 0u);
    EXPECT_EQ(fields.written, 0u);
  }
}

// Style 10 enables no pen width and no label yet takes both back; styles 7 and 8 grey the cell
// width yet take it back; style 9 has no width or height to edit.
TEST(ObjectKindsTest, AnAdministrativeControlsStylePicksItsFields) {
  struct Case {
    int16_t style;
    unsigned edited, written;
  };
  const Case cases[] = {
      {1, kAdmin | CW | Pen | Et, kAdmin | CW | Pen | Et},
      {2, kAdmin | CW | Pen | Et, kAdmin | CW | Pen | Et},
      {3, kAdmin | CW | Pen | Et | N | Sep, kAdmin | CW | Pen | Et | N | Sep},
      {4, kAdmin | CW | Pen | Et | N | Sep, kAdmin | CW | Pen | Et | N | Sep},
      {5, kAdmin | CW | Pen, kAdmin | CW | Pen},
      {6, kAdmin | CW | Pen, kAdmin | CW | Pen},
      {7, kAdmin | Pen, kAdmin | CW | Pen},
      {8, kAdmin | Pen, kAdmin | CW | Pen},
      {9, (kAdmin & ~(W | H)) | CW | Pen, kAdmin | CW | Pen},
      {10, kAdmin | CW, kAdmin | CW | Pen | Et},
      // A style a file invents takes the fields of style 5.
      {0, kAdmin | CW | Pen, kAdmin | CW | Pen},
      {11, kAdmin | CW | Pen, kAdmin | CW | Pen},
      {-3, kAdmin | CW | Pen, kAdmin | CW | Pen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const PropertyFields fields = PropertyFieldsOf(ObjectOf(kAdminControl, c.style));
    EXPECT_EQ(fields.edited, c.edited);
    EXPECT_EQ(fields.written, c.written);
  }
}

}  // namespace
