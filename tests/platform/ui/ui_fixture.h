// Shared by the ui tests: a procedure that records every message it gets, and a dialog with
// one control of each kind.
#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "tests/support/test_env.h"

namespace uitest {

struct Received {
  ui::Window window;
  ui::Msg msg;
  intptr_t first;
  intptr_t second;
};

inline std::vector<Received>& Log() {
  static std::vector<Received> log;
  return log;
}

// What the recording procedure answers; unset: 0 for every message.
using Handler = std::function<intptr_t(ui::Window, ui::Msg, intptr_t, intptr_t)>;
inline Handler& Hook() {
  static Handler hook;
  return hook;
}

inline intptr_t RecordingProc(ui::Window w, ui::Msg m, intptr_t first, intptr_t second) {
  Log().push_back({w, m, first, second});
  return Hook() ? Hook()(w, m, first, second) : 0;
}

inline int Count(ui::Msg m) {
  int n = 0;
  for (const Received& r : Log()) n += r.msg == m;
  return n;
}

inline int CountCommand(int id, intptr_t code) {
  int n = 0;
  for (const Received& r : Log()) n += r.msg == ui::Msg::Command && r.first == id && r.second == code;
  return n;
}

inline int CountCommands(int id) {
  int n = 0;
  for (const Received& r : Log()) n += r.msg == ui::Msg::Command && r.first == id;
  return n;
}

enum Ids {
  kOkButton = 101, kCancelButton = 102, kCheck = 103,
  kOptA1 = 104, kOptA2 = 105, kOptA3 = 106, kOptB1 = 107, kOptB2 = 108,
  kFrame = 109, kLabel = 110, kEdit = 111, kDigits = 112, kMemo = 113,
  kList = 114, kCombo = 115, kDropList = 116, kGraphic = 117, kIcon = 118, kOwnerList = 119,
};

// Pixel units, so that tests know where every control lies.
inline ui::DialogTemplate SampleTemplate(std::string caption = "Prueba") {
  using ui::Kind;
  ui::DialogTemplate t;
  t.caption = std::move(caption);
  t.units = ui::Units::Pixels;
  t.w = 600;
  t.h = 400;
  t.controls = {
      {Kind::DefaultButton, kOkButton, "Aceptar", 500, 10, 90, 28},
      {Kind::Button, kCancelButton, "Cancelar", 500, 44, 90, 28},
      {Kind::CheckBox, kCheck, "Negrita", 10, 10, 120, 24},
      {Kind::OptionBox, kOptA1, "Uno", 10, 40, 100, 24, ui::kGroupStart},
      {Kind::OptionBox, kOptA2, "Dos", 10, 64, 100, 24},
      {Kind::OptionBox, kOptA3, "Tres", 10, 88, 100, 24},
      {Kind::OptionBox, kOptB1, "Cuadrado", 120, 40, 100, 24, ui::kGroupStart},
      {Kind::OptionBox, kOptB2, "Circulo", 120, 64, 100, 24},
      {Kind::GroupFrame, kFrame, "Marco", 5, 30, 230, 90},
      {Kind::Label, kLabel, "Etiqueta", 250, 10, 120, 24, ui::kNotify},
      {Kind::Edit, kEdit, "", 250, 40, 120, 24},
      {Kind::Edit, kDigits, "", 250, 70, 120, 24, ui::kDigitsOnly},
      {Kind::Edit, kMemo, "", 380, 80, 110, 60, ui::kMultiLine | ui::kVScroll},
      {Kind::ListBox, kList, "", 10, 130, 150, 100},
      {Kind::ComboBox, kCombo, "", 170, 130, 150, 100},
      {Kind::DropList, kDropList, "", 330, 150, 150, 100, ui::kSorted},
      {Kind::Graphic, kGraphic, "", 10, 240, 100, 80, ui::kNotify},
      {Kind::Icon, kIcon, "#701", 120, 240, 30, 30},
      {Kind::ListBox, kOwnerList, "", 330, 240, 160, 120, ui::kOwnerDraw},
  };
  return t;
}

// A small dialog in pixels holding just the controls given.
inline ui::DialogTemplate PixelTemplate(std::string caption, int w, int h, std::vector<ui::Control> controls) {
  ui::DialogTemplate t;
  t.caption = std::move(caption);
  t.units = ui::Units::Pixels;
  t.w = w;
  t.h = h;
  t.controls = std::move(controls);
  return t;
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    Log().clear();
    Hook() = nullptr;
  }
  void TearDown() override { Hook() = nullptr; }
};

// The window as a PNG, read back.
inline QImage Grabbed(ui::Window w, const std::string& name) {
  std::string path = testenv::NewFolder("grab") + name + ".png";
  EXPECT_TRUE(ui::testing::Grab(w, path));
  return QImage(QString::fromStdString(path));
}

}  // namespace uitest
