// What the screen shows: graphic control surfaces, owner-drawn lines and label colours,
// probed in grabbed images.
#include <QApplication>
#include <QPalette>

#include "platform/gfx/gfx_qt.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool Near(const QColor& a, gfx::Colour b) {
  return std::abs(a.red() - gfx::Red(b)) < 8 && std::abs(a.green() - gfx::Green(b)) < 8 &&
         std::abs(a.blue() - gfx::Blue(b)) < 8;
}

constexpr gfx::Colour kRed = gfx::Rgb(220, 0, 0);
constexpr gfx::Colour kGreen = gfx::Rgb(0, 160, 0);
constexpr gfx::Colour kBlue = gfx::Rgb(0, 0, 200);

}  // namespace

TEST_F(UiTest, GraphicControlShowsItsSurface) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  gfx::Surface& s = ui::ControlSurface(d, kGraphic);
  EXPECT_EQ(gfx::Width(s), 100);
  EXPECT_EQ(gfx::Height(s), 80);
  EXPECT_EQ(gfx::ImageOf(s).pixelColor(50, 40), QColor(Qt::white));  // cleared white when made

  gfx::Clear(s, kRed);
  gfx::ImageOf(s).setPixelColor(0, 0, gfx::ToQColor(kBlue));
  ui::Redraw(d, kGraphic);
  QImage shot = Grabbed(d, "graphic");
  EXPECT_TRUE(Near(At(shot, 10 + 50, 240 + 40), kRed));
  EXPECT_TRUE(Near(At(shot, 10, 240), kBlue));
  EXPECT_FALSE(Near(At(shot, 10 + 150, 240 + 40), kRed));  // beside the control

  // A moved and grown control keeps its drawing at the top-left and white elsewhere.
  ui::MoveControl(d, kGraphic, 20, 250, 150, 100);
  gfx::Surface& same = ui::ControlSurface(d, kGraphic);
  EXPECT_EQ(&same, &s);
  EXPECT_EQ(gfx::Width(s), 150);
  EXPECT_EQ(gfx::Height(s), 100);
  shot = Grabbed(d, "moved");
  EXPECT_TRUE(Near(At(shot, 20 + 50, 250 + 40), kRed));
  EXPECT_TRUE(Near(At(shot, 20 + 130, 250 + 90), gfx::kWhite));
  ui::DestroyWindow(d);
}

// Drawings stay in a painter kept open on the surface until something reads it: the screen
// shows them, and a control that grows keeps them and is drawn on afterwards.
TEST_F(UiTest, GraphicControlShowsDrawingsMadeBeforeAndAfterItGrows) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  gfx::Surface& s = ui::ControlSurface(d, kGraphic);
  gfx::Box(s, 10, 10, 40, 30, 0, kRed, kRed, 0);
  ui::Redraw(d, kGraphic);
  QImage shot = Grabbed(d, "drawn");
  EXPECT_TRUE(Near(At(shot, 10 + 25, 240 + 20), kRed));

  gfx::Box(s, 50, 10, 90, 30, 0, kGreen, kGreen, 0);
  ui::MoveControl(d, kGraphic, 10, 240, 150, 100);
  gfx::Box(s, 100, 60, 140, 90, 0, kBlue, kBlue, 0);
  ui::Redraw(d, kGraphic);
  shot = Grabbed(d, "grown");
  EXPECT_TRUE(Near(At(shot, 10 + 25, 240 + 20), kRed));
  EXPECT_TRUE(Near(At(shot, 10 + 70, 240 + 20), kGreen));
  EXPECT_TRUE(Near(At(shot, 10 + 120, 240 + 75), kBlue));
  ui::DestroyWindow(d);
}

TEST_F(UiTest, BorderedGraphicControlDrawsInsideItsBorder) {
  ui::DialogTemplate t;
  t.caption = "Muestra";
  t.units = ui::Units::Pixels;
  t.w = 100;
  t.h = 100;
  t.controls = {{ui::Kind::Graphic, 7, "", 10, 10, 30, 30, ui::kBorder | ui::kNotify}};
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  gfx::Surface& s = ui::ControlSurface(d, 7);
  EXPECT_EQ(gfx::Width(s), 28);
  gfx::Clear(s, kGreen);
  QImage shot = Grabbed(d, "swatch");
  EXPECT_TRUE(Near(At(shot, 25, 25), kGreen));
  EXPECT_TRUE(Near(At(shot, 11, 11), kGreen));
  EXPECT_FALSE(Near(At(shot, 10, 10), kGreen));  // the border
  ui::DestroyWindow(d);
}

TEST_F(UiTest, OwnerDrawnListLinesAreDrawnByTheProcedure) {
  std::vector<ui::DrawItemInfo> drawn;
  int measured = 0;
  Hook() = [&](ui::Window, ui::Msg m, intptr_t, intptr_t second) -> intptr_t {
    if (m == ui::Msg::MeasureItem) {
      auto* info = reinterpret_cast<ui::MeasureItemInfo*>(second);
      EXPECT_EQ(info->controlId, kOwnerList);
      EXPECT_GT(info->height, 8);
      measured = info->height + 14;
      info->height = measured;
      return 1;
    }
    if (m == ui::Msg::DrawItem) {
      auto* info = reinterpret_cast<ui::DrawItemInfo*>(second);
      drawn.push_back(*info);
      EXPECT_EQ(gfx::Width(*info->surface), info->w);
      EXPECT_EQ(gfx::Height(*info->surface), info->h);
      gfx::Clear(*info->surface, info->selected ? kBlue : info->index == 0 ? kRed : kGreen);
      return 1;
    }
    return 0;
  };
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  EXPECT_EQ(Count(ui::Msg::MeasureItem), 1);
  EXPECT_LT(std::find_if(Log().begin(), Log().end(), [](const Received& r) { return r.msg == ui::Msg::MeasureItem; }),
            std::find_if(Log().begin(), Log().end(), [](const Received& r) { return r.msg == ui::Msg::Init; }));
  ui::ListAdd(d, kOwnerList, "000 dia 1 de Enero");
  ui::ListAdd(d, kOwnerList, "001 dia 6 de Enero");
  ui::ListAdd(d, kOwnerList, "002 dia 1 de Mayo");
  ui::ListSelect(d, kOwnerList, 2);

  QImage shot = Grabbed(d, "owner");
  int left = 330 + 20;
  int top = 240 + 4;
  EXPECT_TRUE(Near(At(shot, left, top + measured / 2), kRed));
  EXPECT_TRUE(Near(At(shot, left, top + measured + measured / 2), kGreen));
  EXPECT_TRUE(Near(At(shot, left, top + 2 * measured + measured / 2), kBlue));
  bool sawText = false;
  for (const ui::DrawItemInfo& i : drawn) {
    EXPECT_EQ(i.controlId, kOwnerList);
    EXPECT_EQ(i.h, measured);
    if (i.index == 1) sawText = i.text == "001 dia 6 de Enero";
  }
  EXPECT_TRUE(sawText);

  // A new item height applies at once.
  ui::SetItemHeight(d, kOwnerList, 40);
  drawn.clear();
  Grabbed(d, "owner2");
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn[0].h, 40);
  ui::DestroyWindow(d);
}

TEST_F(UiTest, OwnerDrawnDropListDrawsItsField) {
  Hook() = [](ui::Window, ui::Msg m, intptr_t, intptr_t second) -> intptr_t {
    if (m == ui::Msg::DrawItem) {
      auto* info = reinterpret_cast<ui::DrawItemInfo*>(second);
      gfx::Clear(*info->surface, info->index == 1 ? kGreen : kRed);
    }
    return 0;
  };
  ui::DialogTemplate t;
  t.caption = "Objetos";
  t.units = ui::Units::Pixels;
  t.w = 300;
  t.h = 100;
  t.controls = {{ui::Kind::DropList, 7701, "", 10, 10, 200, 200, ui::kOwnerDraw | ui::kSorted}};
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  ui::ListAdd(d, 7701, "002 - uno");
  ui::ListAdd(d, 7701, "003 - dos");
  ui::ListSelect(d, 7701, 1);
  QImage shot = Grabbed(d, "combo");
  bool green = false;
  for (int x = 12; x < 150 && !green; ++x) green = Near(At(shot, x, 20), kGreen);
  EXPECT_TRUE(green);
  ui::DestroyWindow(d);
}

TEST_F(UiTest, LabelColoursShow) {
  ui::DialogTemplate t;
  t.caption = "Etiquetas";
  t.units = ui::Units::Pixels;
  t.w = 200;
  t.h = 100;
  t.controls = {{ui::Kind::Label, 7736, "Para captar el color", 10, 10, 180, 60, ui::kBorder}};
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  ui::SetBackColour(d, 7736, gfx::kBlack);
  ui::SetTextColour(d, 7736, gfx::Rgb(192, 192, 192));
  QImage shot = Grabbed(d, "label");
  EXPECT_TRUE(Near(At(shot, 180, 60), gfx::kBlack));
  int silver = 0;
  for (int y = 11; y < 40; ++y)
    for (int x = 11; x < 150; ++x) silver += Near(At(shot, x, y), gfx::Rgb(192, 192, 192));
  EXPECT_GT(silver, 10);  // ink of the text
  ui::DestroyWindow(d);
}

TEST_F(UiTest, AnItalicLabelLeansItsLetters) {
  const ui::DialogTemplate t = PixelTemplate(
      "Texto a Insertar", 300, 120,
      {{ui::Kind::Label, 1, "llllllll", 10, 10, 200, 40, 0, "MS Sans Serif", 24},
       {ui::Kind::Label, 2, "llllllll", 10, 60, 200, 40, 0, "MS Sans Serif", 24, true, true}});
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  // How far right the ink of a label's upper rows lies against that of its lower rows.
  auto lean = [](const QImage& shot, int top) {
    double upper = 0, lower = 0;
    int upperCount = 0, lowerCount = 0;
    for (int y = top; y < top + 40; ++y)
      for (int x = 10; x < 210; ++x) {
        if (qGray(shot.pixel(x, y)) > 100) continue;
        (y < top + 20 ? upper : lower) += x;
        ++(y < top + 20 ? upperCount : lowerCount);
      }
    EXPECT_GT(upperCount, 0);
    EXPECT_GT(lowerCount, 0);
    return upper / std::max(upperCount, 1) - lower / std::max(lowerCount, 1);
  };
  const QImage shot = Grabbed(d, "italic");
  EXPECT_EQ(ui::testing::ControlFont(d, 1).styleFlags, gfx::kBold);
  EXPECT_EQ(ui::testing::ControlFont(d, 2).styleFlags, gfx::kBold | gfx::kItalic);
  EXPECT_EQ(ui::testing::ControlFont(d, 2).points, 24);
  EXPECT_LT(std::abs(lean(shot, 10)), 1.0);
  EXPECT_GT(lean(shot, 60), 1.5);
  // A font set later leans too.
  ui::SetControlFont(d, 1, "MS Sans Serif", 24, true, true);
  EXPECT_GT(lean(Grabbed(d, "italic-later"), 10), 1.5);
  ui::DestroyWindow(d);
}

TEST_F(UiTest, ADisabledFieldLooksDisabledOnAColouredDialog) {
  const ui::DialogTemplate t = PixelTemplate("Propiedades objetos", 300, 100,
                                             {{ui::Kind::Edit, 1, "", 10, 10, 120, 24, ui::kBorder},
                                              {ui::Kind::Edit, 2, "", 10, 50, 120, 24, ui::kBorder}});
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  ui::SetBackColour(d, 0, gfx::kWhite);
  ui::Enable(d, 2, false);
  const QImage shot = Grabbed(d, "disabled");
  EXPECT_TRUE(Near(At(shot, 200, 60), gfx::kWhite));   // the dialog's own colour
  EXPECT_TRUE(Near(At(shot, 70, 22), gfx::kWhite));    // inside the enabled field
  const QColor disabled = At(shot, 70, 62);
  EXPECT_FALSE(Near(disabled, gfx::kWhite)) << disabled.name().toStdString();
  EXPECT_EQ(disabled, QApplication::palette().color(QPalette::Disabled, QPalette::Base));
  ui::DestroyWindow(d);
}
