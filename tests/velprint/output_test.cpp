// "Grabar Imagen" and "Imprimir" in Velprint: the shared export and print, painted by
// Velprint's painter, without marks, outline or margins, and the editing view back afterwards.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <string>

#include "page/command_ids.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "platform/print/print.h"
#include "program/canvas.h"
#include "tests/velprint/velprint_test.h"

namespace {

using ui::testing::AnswerFile;
using ui::testing::AnswerMessageBox;
using ui::testing::ChooseMenu;
using velprinttest::AddObject;
using velprinttest::AddSquare;
using velprinttest::AddText;
using velprinttest::Messages;
using velprinttest::WithVelprint;

constexpr gfx::Colour kBlue = 0xFF0000;
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr int kMarginX = 38;   // the left margin line of 10 mm

// A blue square, a line text (outlined in red while editing) and a memo text.
void PutPage() {
  AddSquare(200, 300, 100, kBlue);
  PageObject& line = AddText(kLineText, 200, 600, 20, 20, "Importe");
  line.fontSize = 12;
  AddText(kMemoText, 200, 800, 300, 40, "Memoria");
}

int CountRed(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == kRed;
  return n;
}

TEST(VelprintOutput, TheExportedImageIsThePageAsPrinted) {
  const std::string folder = testenv::NewFolder("export");
  WithVelprint([&](ui::Window main) {
    imageFormatOption = 2008;
    PutPage();
    FullRepaint();
    AnswerFile(folder + "pagina.jpg");
    ChooseMenu(main, kCommandExportImage);
    EXPECT_EQ(Messages().back(), "Grabado con exito ...");

    // The editing view is back: the line text's outline shows on the canvas.
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(main, kCanvasId), 200, 610), 0x0000FF);
  });

  // The format of the settings gives the extension.
  QImage image(QString::fromStdString(folder + "pagina.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixel(250, 350), qRgb(0, 0, 255)) << "inside the square";
  EXPECT_EQ(CountRed(image), 0) << "no editing marks";
  for (int x = kMarginX - 2; x <= kMarginX + 2; ++x)
    EXPECT_EQ(image.pixel(x, 500), qRgb(255, 255, 255)) << "no margin line at " << x;
  EXPECT_EQ(image.pixel(0, 500), qRgb(255, 255, 255)) << "no page outline";
  bool memoInk = false;
  for (int y = 800; y < 840; ++y)
    for (int x = 200; x < 500; ++x) memoInk |= image.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_FALSE(memoInk) << "memo texts are not drawn";
}

TEST(VelprintOutput, PrintingPrintsThePageAsPaintedHereAndSavesTheSettings) {
  const std::string folder = testenv::NewFolder("print");
  const std::string pdf = folder + "pagina.pdf";
  print::testing::PrintToPdf(pdf);
  WithVelprint([&](ui::Window main) {
    printColorMode = 2;
    PutPage();
    ui::testing::OnDialog("Configura la impresi\xF3n", [](ui::Window d) { ui::testing::Click(d, 1009); });
    AnswerMessageBox(ui::Answer::Yes);
    ChooseMenu(main, kCommandPrint);
    EXPECT_EQ(Messages().back(), "Imprimir ?\r\nSi/No ?");
    EXPECT_EQ(paintMode, 1);
    EXPECT_TRUE(files::FileExists(SettingsFilePath()));
    EXPECT_EQ(testfiles::ReadRaw(SettingsFilePath()).find("Base Datos"), std::string::npos);
  });
  print::testing::PrintToPdf("");
  ASSERT_TRUE(files::FileExists(pdf));

  const QString renderer = QStandardPaths::findExecutable("pdftoppm");
  if (renderer.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  QProcess process;
  process.start(renderer, {"-r", "24", "-png", "-singlefile", QString::fromStdString(pdf),
                           QString::fromStdString(folder + "hoja")});
  ASSERT_TRUE(process.waitForFinished(60000));
  QImage sheet(QString::fromStdString(folder + "hoja.png"));
  ASSERT_FALSE(sheet.isNull());
  // The sheet is the page stretched over it: probe by fractions of the page.
  const auto at = [&](double px, double py) {
    return sheet.pixel(int(px / 794 * sheet.width()), int(py / 1123 * sheet.height()));
  };
  EXPECT_GT(qBlue(at(250, 350)), 2 * qRed(at(250, 350))) << "the square is blue";
  int darkest = 255;
  for (int y = 800; y < 830; y += 2)
    for (int x = 200; x < 300; x += 2) darkest = std::min(darkest, qGray(at(x, y)));
  EXPECT_GT(darkest, 240) << "no memo text";
}

}  // namespace
