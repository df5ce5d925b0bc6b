// What the form-filling program's tests share: the program run inside a test, objects put on
// its page as the designer inserts them, documents written in either format, and the fill-text
// dialog answered.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/fill_text_properties.h"
#include "page/admin_controls.h"
#include "page/page_store.h"
#include "page/shared_helpers.h"
#include "platform/ui/ui.h"
#include "program/canvas.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"
#include "velprint/main_window.h"
#include "velprint/old_document.h"

namespace velprinttest {

constexpr const char* kFillCaption = "Propiedades Texto";
constexpr int kFillText = fill_text_ids::kText;
constexpr int kFillAceptar = fill_text_ids::kStyle.aceptar;
constexpr int kFillCancelar = fill_text_ids::kStyle.cancelar;
constexpr int kFillUseY = fill_text_ids::kUseY;
constexpr int kFillY = fill_text_ids::kY;
constexpr int kFillYLabel = fill_text_ids::kYLabel;
constexpr int kFillRight = fill_text_ids::kRight;
constexpr int kFillCentre = fill_text_ids::kCentre;

constexpr const char* kUnknownFormat = "Fichero con formato desconocido !!!";
constexpr const char* kTooLarge = "Fichero demasiado grande, temiendolo mucho NO puedo leer ...";

// Velprint inside a test: `act` runs in its main window, then "Salir".
inline void WithVelprint(const std::function<void(ui::Window main)>& act,
                         std::vector<std::string> args = {},
                         const std::function<void()>& prepare = {}) {
  RunProgramWindow(kVelprintProgram, act, std::move(args), prepare);
}

// A new object in the next slot.
inline PageObject& AddObject(int32_t kind, int x, int y, int w, int h) {
  ++objectCount;
  PageObject& o = pageObjects[objectCount];
  o = PageObject{};
  o.kind = kind;
  o.x = x;
  o.y = y;
  o.width = w;
  o.height = h;
  return o;
}

// An administrative object of `style` as its built-in preset inserts it: the label area as
// its box, an empty fill text in Arial 12, and an option cell marked.
inline PageObject& AddAdmin(int16_t style, int x, int y, const std::string& label) {
  const AdminStylePreset p = DefaultAdminStylePreset(style);
  PageObject& o = AddObject(AdminObjectKind(style), x, y, p.labelAreaWidth, p.labelAreaHeight);
  o.adminStyle = style;
  o.cellWidth = p.cellWidth;
  o.penWidth = p.penWidth;
  o.cellCount = p.cellCount;
  o.cellSpacing = p.cellSpacing;
  o.alignment = p.alignment;
  o.labelVisible = p.labelVisible;
  o.optionShape = p.optionShape;
  o.foreColor = p.colour;
  o.backColor = -2;
  o.fontSize = 10;
  SetFixedField(o.fontName, "Arial");
  SetFixedField(o.text, label);
  o.fillForeColor = 0;
  o.fillBackColor = 0xFFFFFF;
  SetFixedField(o.fillFontName, "Arial");
  o.fillFontSize = 12;
  o.fillAlignment = kAlignLeft;
  o.optionMarked = 1;
  o.controlBackColor = 0xFFFFFF;
  return o;
}

// A square filled with `colour`, with a border of the same colour.
inline PageObject& AddSquare(int x, int y, int side, int32_t colour) {
  PageObject& o = AddObject(kSquareOrCircle, x, y, side, side);
  o.shapeType = 7001;
  o.lineWidth = 1;
  o.borderColor = colour;
  o.backColor = colour;
  return o;
}

// An aligned text (kind 3) or a memo text (kind 12) in Arial.
inline PageObject& AddText(int32_t kind, int x, int y, int w, int h, const std::string& text) {
  PageObject& o = AddObject(kind, x, y, w, h);
  o.foreColor = 0;
  o.backColor = -2;
  o.fontSize = 14;
  o.alignment = kAlignLeft;
  SetFixedField(o.fontName, "Arial");
  SetFixedField(o.text, text);
  return o;
}

// The live objects of the store as a document file of `recordLength`-byte records: each
// record the first bytes of the object (the older format drops the fixed y of fill texts).
inline std::string DocumentBytes(int recordLength = sizeof(PageObject)) {
  std::string bytes;
  for (int s = 2; s <= objectCount; ++s)
    if (pageObjects[s].kind > 0)
      bytes.append(reinterpret_cast<const char*>(&pageObjects[s]), recordLength);
  return bytes;
}

// A left click on the canvas at a page point, the view not scrolled.
inline void ClickPage(ui::Window main, int x, int y) {
  ui::Window canvas = ui::Item(main, kCanvasId);
  ui::testing::Mouse(canvas, ui::Msg::LeftDown, x, y + scrollOffset());
  ui::testing::Mouse(canvas, ui::Msg::LeftUp, x, y + scrollOffset());
}

// The next fill-text dialog takes `text` and is accepted.
inline void AnswerFillText(const std::string& text) {
  ui::testing::OnDialog(kFillCaption, [text](ui::Window d) {
    ui::testing::TypeText(d, kFillText, text);
    ui::testing::Click(d, kFillAceptar);
  });
}

// The texts of the message boxes shown since the driver began.
inline std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (const auto& m : ui::testing::MessagesShown()) texts.push_back(m.text);
  return texts;
}

// The pixels of a surface that are not white, in a box, ends included.
inline int InkIn(const gfx::Surface& s, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = std::max(0, y1); y <= std::min(y2, gfx::Height(s) - 1); ++y)
    for (int x = std::max(0, x1); x <= std::min(x2, gfx::Width(s) - 1); ++x)
      n += gfx::Pixel(s, x, y) != gfx::kWhite;
  return n;
}

}  // namespace velprinttest
