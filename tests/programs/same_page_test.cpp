// Both programs show one document alike: screenshots of the two main windows on the same
// document, probed where its objects lie. Only memo texts and images differ: Velprint leaves
// memo texts undrawn and shows images at their true size, whatever box they were stored with.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <string>

#include "page/page_store.h"
#include "page/painter.h"
#include "shell/main_window.h"
#include "tests/velprint/velprint_test.h"

namespace {

using velprinttest::AddAdmin;
using velprinttest::AddObject;
using velprinttest::AddSquare;
using velprinttest::AddText;

const QRect kSquare(200, 150, 80, 80);
const QRect kText(100, 300, 400, 40);
const QRect kControl(100, 400, 600, 40);   // the control with its cells and fill text
const QRect kOption(100, 480, 200, 30);
const QRect kMemo(100, 560, 400, 40);

std::string WriteDocument(const std::string& path) {
  AllocateStore();
  objectCount = 1;
  AddSquare(kSquare.x(), kSquare.y(), kSquare.width(), 0xFF0000);
  AddText(kAlignedText, kText.x(), kText.y(), kText.width(), kText.height(), "Solicitud ##Campo");
  PageObject& control = AddAdmin(3, kControl.x(), kControl.y(), "D.N.I.:");
  SetFixedField(control.fillText, "12345678Z");
  AddAdmin(6, kOption.x(), kOption.y(), "Hombre");
  PageObject& line = AddText(kLineText, 100, 650, 20, 20, "Importe\r\nIVA");
  line.fontSize = 12;
  AddText(kMemoText, kMemo.x(), kMemo.y(), kMemo.width(), kMemo.height(), "Texto de memoria");
  testfiles::WriteRaw(path, velprinttest::DocumentBytes());
  AllocateStore();
  objectCount = 1;
  return path;
}

// The canvas as the screen shows it in a program's main window opened on `document`.
QImage CanvasShot(const ProgramVariant& program, const std::string& document) {
  const std::string png = testenv::Folder() + std::string(program.name) + ".png";
  RunProgramWindow(program, [&](ui::Window main) { ASSERT_TRUE(ui::testing::Grab(main, png)); },
                   {document});
  QImage shot(QString::fromStdString(png));
  // The client area, under the menu bar, holds the canvas at (5, 5).
  return shot.copy(5, shot.height() - 985 + 5, 794, 955);
}

// The smallest rectangle around the pixels of `area` that are not white.
QRect Ink(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
  return ink;
}

int InkCount(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

TEST(SamePage, BothProgramsDrawADocumentAlike) {
  const std::string document = WriteDocument(testenv::NewFolder("same") + "impreso.qorvex");
  const QImage designer = CanvasShot(kDesignerProgram, document);
  const QImage velprint = CanvasShot(kVelprintProgram, document);
  ASSERT_EQ(designer.size(), QSize(794, 955));
  ASSERT_EQ(velprint.size(), QSize(794, 955));

  const QPoint inside = kSquare.center();
  EXPECT_EQ(designer.pixel(inside), qRgb(0, 0, 255));
  EXPECT_EQ(velprint.pixel(inside), qRgb(0, 0, 255));

  for (const QRect& area : {kText, kControl, kOption}) {
    SCOPED_TRACE(area.y());
    const QRect ink = Ink(designer, area);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_EQ(Ink(velprint, area), ink);
    EXPECT_EQ(InkCount(velprint, area), InkCount(designer, area));
  }
  // The page outline and a margin line.
  EXPECT_EQ(designer.pixel(0, 500), qRgb(0, 0, 0));
  EXPECT_EQ(velprint.pixel(0, 500), qRgb(0, 0, 0));

  EXPECT_FALSE(Ink(designer, kMemo).isEmpty());
  EXPECT_TRUE(Ink(velprint, kMemo).isEmpty());
}

// An image stored with a box of 40 x 30 whose picture is 120 x 80: the designer draws it in
// its box, Velprint at the picture's own size, over the same top-left corner.
TEST(SamePage, VelprintShowsImagesAtTheirTrueSize) {
  const std::string folder = testenv::NewFolder("imagen");
  constexpr gfx::Colour kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
  gfx::Surface* picture = gfx::MakeBitmap(120, 80);
  gfx::Box(*picture, 0, 0, 59, 39, 0, kRed, kRed, 0);
  gfx::Box(*picture, 60, 0, 119, 39, 0, kGreen, kGreen, 0);
  gfx::Box(*picture, 0, 40, 59, 79, 0, kBlue, kBlue, 0);
  std::string error;
  ASSERT_TRUE(gfx::SaveImage(*picture, folder + "cuartos.png", error)) << error;
  gfx::ReleaseBitmap(picture);
  AllocateStore();
  objectCount = 1;
  PageObject& image = AddObject(kImage, 200, 300, 40, 30);
  image.backColor = 0xFFFFFF;
  SetFixedField(image.imagePath, folder + "cuartos.png");
  const std::string document = folder + "con imagen.qorvex";
  testfiles::WriteRaw(document, velprinttest::DocumentBytes());

  struct Probe {
    int x, y;
    gfx::Colour designer, velprint;
  };
  const Probe probes[] = {
      {205, 305, kRed, kRed},            {235, 305, kGreen, kRed},
      {205, 325, kBlue, kRed},           {280, 310, gfx::kWhite, kGreen},
      {205, 350, gfx::kWhite, kBlue},    {300, 360, gfx::kWhite, gfx::kWhite},
      {325, 310, gfx::kWhite, gfx::kWhite},
  };
  for (const ProgramVariant* program : {&kDesignerProgram, &kVelprintProgram}) {
    SCOPED_TRACE(program->name);
    const bool velprint = program == &kVelprintProgram;
    RunProgramWindow(
        *program,
        [&](ui::Window) {
          ASSERT_EQ(objectCount, 2);
          for (const Probe& p : probes)
            EXPECT_EQ(gfx::Pixel(*pageBitmap, p.x, p.y), velprint ? p.velprint : p.designer)
                << p.x << "," << p.y;
          // The object keeps its box; a save writes it as it was read.
          EXPECT_EQ(pageObjects[2].width, 40);
          EXPECT_EQ(pageObjects[2].height, 30);
        },
        {document});
  }
}

}  // namespace
