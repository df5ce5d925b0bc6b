// Shared by the document and clipboard tests: records with recognisable contents and a page
// set up around them.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "page/document_file.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "tests/support/test_env.h"

namespace pagetest {

template <size_t N>
void SetText(char (&field)[N], const std::string& value) {
  std::memset(field, 0, N);
  std::memcpy(field, value.data(), std::min(value.size(), N - 1));
}

inline std::string Bytes(const PageObject& o) {
  return std::string(reinterpret_cast<const char*>(&o), sizeof o);
}

// The offset of the first byte where two records differ, -1 when they are equal.
inline long FirstDifference(const PageObject& a, const PageObject& b) {
  const auto* pa = reinterpret_cast<const unsigned char*>(&a);
  const auto* pb = reinterpret_cast<const unsigned char*>(&b);
  for (size_t i = 0; i < sizeof(PageObject); ++i)
    if (pa[i] != pb[i]) return static_cast<long>(i);
  return -1;
}

// A record of the given kind whose fields all hold values derived from `seed`, as the
// dialogs could have set them (texts terminated, counts within their ranges).
inline PageObject SampleRecord(int32_t kind, int seed) {
  PageObject o{};
  o.kind = kind;
  o.x = 10 + seed;
  o.y = 20 + seed;
  o.width = 100 + seed;
  o.height = 50 + seed;
  o.backColor = -2;
  o.foreColor = 0x123456 + seed;
  o.calendarYear = 2024;
  o.calendarMonth = 1 + seed % 12;
  o.borderColor = 0x00FF00;
  o.fontSize = static_cast<int16_t>(8 + seed % 30);
  o.optionFlag1 = 1;
  o.optionFlag2 = 0;
  o.optionFlag3 = 1;
  o.alignment = 133;
  SetText(o.fontName, "Times New Roman");
  o.fontStyle = 3;
  SetText(o.text, "Se\xF1or n\xBA " + std::to_string(seed));
  o.angle = 450;
  o.roundedCorners = 1;
  o.shapeType = 7001;
  o.fillStyle = 4;
  o.lineStyle = 2;
  o.lineWidth = 3;
  o.roundingPercent = 25;
  o.arrowLength = -120;
  o.arrowColor = 0xFF;
  o.arrowHeads = 2;
  o.arrowLineWidth = 4;
  o.arrowDirection = 7;
  o.arrowClosedHead = 1;
  o.arrowHeadSize = 12;
  o.cellWidth = 18;
  o.penWidth = 2;
  o.labelVisible = 1;
  SetText(o.fillText, "relleno");
  o.cellCount = 9;
  o.cellSpacing = 3;
  o.adminStyle = 4;
  o.fillBackColor = 0xFFFFFF;
  o.fillForeColor = 0x0000FF;
  SetText(o.fillFontName, "Arial");
  o.fillFontSize = 11;
  o.fillBold = 1;
  o.fillItalic = 0;
  o.fillUnderline = 1;
  o.fillStrikeout = 0;
  o.fillLeading = 1;
  o.fillAlignment = 132;
  o.fillFontStyle = 5;
  o.optionShape = 1;
  o.optionMarked = 1;
  o.controlBackColor = 0xFFFFFF;
  SetText(o.databaseField, "NOMBRE");
  o.fillUseY = 1;
  o.fillY = static_cast<int16_t>(300 + seed);
  return o;
}

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testenv::NewFolder("document");
    documentPath = folder + "pagina.qorvex";
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    currentObjectIndex = 2;
    ClearObjectClipboard();
    onDocumentStoreReplaced = nullptr;
  }

  // Puts the record at the next slot, as an insertion does.
  int Add(const PageObject& o) {
    ++objectCount;
    pageObjects[objectCount] = o;
    return objectCount;
  }

  std::string folder;
};

}  // namespace pagetest
