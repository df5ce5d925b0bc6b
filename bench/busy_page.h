// The crowded page of the repaint benchmark, which the drawing tests also draw.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "page/page_store.h"
#include "platform/gfx/gfx.h"

namespace busypage {

inline void SetText(char* field, size_t size, const char* text) {
  std::strncpy(field, text, size - 1);
  field[size - 1] = '\0';
}

// 499 objects: texts of each kind, shapes, arrows, administrative controls and option cells.
inline void FillCrowdedPage() {
  AllocateStore();
  ResetPageRecord();
  objectCount = 1;
  for (int i = 0; i < 499; ++i) {
    PageObject& o = pageObjects[++objectCount];
    o.x = 20 + (i * 37) % 700;
    o.y = 20 + (i * 53) % 1050;
    o.width = 60;
    o.height = 30;
    o.foreColor = 0;
    o.backColor = gfx::kTransparent;
    o.fontSize = 10;
    SetText(o.fontName, sizeof o.fontName, "Arial");
    switch (i % 8) {
      case 0:
        o.kind = kAlignedText;
        o.alignment = 131 + i % 4;
        o.width = 160;
        SetText(o.text, sizeof o.text, "Nombre y apellidos del solicitante");
        break;
      case 1:
        o.kind = kAngledText;
        o.angle = (i % 2) * 450;
        SetText(o.text, sizeof o.text, "Fecha");
        break;
      case 2:
        o.kind = kSquareOrCircle;
        o.shapeType = i % 2 ? 7001 : 7002;
        o.backColor = 0xF0E0D0;
        o.fillStyle = i % 7;
        o.lineStyle = i % 5;
        o.lineWidth = 1 + i % 3;
        o.roundedCorners = i % 2;
        o.roundingPercent = 20;
        break;
      case 3:
        o.kind = kArrow;
        o.arrowLength = 80;
        o.arrowDirection = static_cast<int16_t>(1 + i % 8);
        o.arrowHeads = static_cast<uint8_t>(i % 3);
        o.arrowLineWidth = 1;
        o.arrowHeadSize = 10;
        break;
      case 4:
        o.kind = kLineText;
        o.alignment = 131;
        SetText(o.text, sizeof o.text, "Primera linea\r\nSegunda linea");
        break;
      case 5:
        o.kind = kMathsCharacter;
        SetText(o.fontName, sizeof o.fontName, "Symbol");
        SetText(o.text, sizeof o.text, "S");
        break;
      case 6:
        o.kind = i % 3 == 0 ? kAdminOptionCell : kAdminControl;
        o.adminStyle = static_cast<int16_t>(o.kind == kAdminOptionCell ? 6 : 1 + (i / 8) % 5);
        o.width = 90;
        o.height = 20;
        o.cellWidth = 18;
        o.cellCount = 8;
        o.cellSpacing = 2;
        o.penWidth = 1;
        o.labelVisible = 1;
        o.alignment = 131;
        o.optionMarked = 1;
        o.fillFontSize = 10;
        SetText(o.fillFontName, sizeof o.fillFontName, "Tahoma");
        SetText(o.text, sizeof o.text, "D.N.I.");
        SetText(o.fillText, sizeof o.fillText, "12345678");
        break;
      default:
        o.kind = kMemoText;
        o.alignment = 134;
        o.width = 200;
        SetText(o.text, sizeof o.text, "Observaciones: escriba aqui lo que proceda.");
        break;
    }
  }
}

// Runs `repaint` twice, first drawing the old way (a painter per operation, copies pixel by
// pixel), then with painters kept open, and counts the pixels of the `results` that differ.
template <class Repaint>
int64_t PixelsDifferingBetweenWays(const Repaint& repaint,
                                   std::initializer_list<gfx::Surface*> results) {
  gfx::testing::SetPaintingPerOperation(true);
  repaint();
  std::vector<gfx::Surface*> before;
  for (gfx::Surface* s : results) {
    before.push_back(gfx::MakeBitmap(gfx::Width(*s), gfx::Height(*s)));
    gfx::Copy(*before.back(), 0, 0, *s);
  }
  gfx::testing::SetPaintingPerOperation(false);
  repaint();
  int64_t differing = 0;
  size_t i = 0;
  for (gfx::Surface* s : results) {
    gfx::Surface* old = before[i++];
    for (int y = 0; y < gfx::Height(*s); ++y)
      for (int x = 0; x < gfx::Width(*s); ++x)
        differing += gfx::Pixel(*s, x, y) != gfx::Pixel(*old, x, y);
    gfx::ReleaseBitmap(old);
  }
  return differing;
}

}  // namespace busypage
