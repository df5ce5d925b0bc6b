// Tests of the print unit. Pages go to PDF files, which are read back: the page count, the
// page size, the embedded page bitmap and where the page's drawing puts it.
#include "platform/print/print.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QtEndian>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/gfx_qt.h"
#include "tests/support/test_env.h"

namespace {

constexpr int kWidth = 200, kHeight = 283;

// A white page with a box of `ink` over its top-left quarter.
gfx::Surface Page(QColor ink = Qt::black) {
  gfx::Surface page;
  QImage& image = gfx::ImageOf(page);
  image = QImage(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < kHeight / 2; ++y)
    for (int x = 0; x < kWidth / 2; ++x) image.setPixelColor(x, y, ink);
  return page;
}

QByteArray ReadFile(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Inflate(const QByteArray& deflated) {
  QByteArray withSize(4, '\0');
  qToBigEndian<quint32>(quint32(deflated.size() * 8 + 1024), withSize.data());
  return qUncompress(withSize + deflated);
}

// What a test needs to know of a PDF file written by the print unit.
struct Pdf {
  int pages = 0;
  QString mediaBox;
  QString imageColourSpace;
  int imageWidth = 0, imageHeight = 0;
  QByteArray imageData;  // the bitmap's samples, rows from the top
  QByteArray content;    // the page's drawing operators
};

Pdf ReadPdf(const QByteArray& file) {
  Pdf pdf;
  static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
  pdf.pages = int(QString::fromLatin1(file).count(page));
  static const QRegularExpression media(R"(/MediaBox\s*\[([^\]]*)\])");
  pdf.mediaBox = media.match(QString::fromLatin1(file)).captured(1).simplified();
  // Each stream with the dictionary before it.
  qsizetype at = 0;
  while ((at = file.indexOf("stream", at)) >= 0) {
    if (at >= 3 && file.mid(at - 3, 3) == "end") {
      at += 6;
      continue;
    }
    qsizetype dictStart = file.lastIndexOf("obj", at);
    QString dict = QString::fromLatin1(file.mid(dictStart, at - dictStart));
    qsizetype dataStart = at + 6;
    if (file[dataStart] == '\r') ++dataStart;
    if (file[dataStart] == '\n') ++dataStart;
    qsizetype end = file.indexOf("endstream", dataStart);
    if (end < 0) break;
    QByteArray data = file.mid(dataStart, end - dataStart);
    if (dict.contains("/FlateDecode")) data = Inflate(data);
    if (dict.contains("/Subtype /Image")) {
      pdf.imageWidth = QRegularExpression(R"(/Width (\d+))").match(dict).captured(1).toInt();
      pdf.imageHeight = QRegularExpression(R"(/Height (\d+))").match(dict).captured(1).toInt();
      pdf.imageColourSpace = QRegularExpression(R"(/ColorSpace /(\w+))").match(dict).captured(1);
      pdf.imageData = data;
    } else if (data.contains(" Do")) {
      pdf.content = data;
    }
    at = end + 9;
  }
  return pdf;
}

// A matrix of the page's drawing: x' = a·x + c·y + e, y' = b·x + d·y + f.
struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  Matrix Then(const Matrix& m) const {  // this one first, then m
    return {a * m.a + b * m.c,       a * m.b + b * m.d,  // first row
            c * m.a + d * m.c,       c * m.b + d * m.d,  // second row
            e * m.a + f * m.c + m.e, e * m.b + f * m.d + m.f};
  }
  QPointF Map(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
};

// The transformation in force at the first image drawn, following q / Q / cm.
std::optional<Matrix> ImageMatrix(const QByteArray& content) {
  std::vector<Matrix> stack{Matrix{}};
  std::vector<double> operands;
  for (const QByteArray& token : content.simplified().split(' ')) {
    bool number = false;
    double v = token.toDouble(&number);
    if (number) {
      operands.push_back(v);
      continue;
    }
    if (token == "q") {
      stack.push_back(stack.back());
    } else if (token == "Q" && stack.size() > 1) {
      stack.pop_back();
    } else if (token == "cm" && operands.size() >= 6) {
      auto o = operands.end() - 6;
      stack.back() = Matrix{o[0], o[1], o[2], o[3], o[4], o[5]}.Then(stack.back());
    } else if (token == "Do") {
      return stack.back();
    }
    operands.clear();
  }
  return std::nullopt;
}

// The horizontal scale of the page's first transformation: points per device pixel.
double FirstScale(const QByteArray& content) {
  QList<QByteArray> tokens = content.simplified().split(' ');
  qsizetype cm = tokens.indexOf("cm");
  return cm >= 6 ? tokens[cm - 6].toDouble() : 0.0;
}

void ExpectNear(QPointF got, QPointF want) {
  EXPECT_NEAR(got.x(), want.x(), 1.5);
  EXPECT_NEAR(got.y(), want.y(), 1.5);
}

class Printing : public ::testing::Test {
 protected:
  void SetUp() override { folder = testenv::NewFolder("print"); }
  void TearDown() override {
    print::testing::PrintToPdf("");
    print::testing::NoPrinter(false);
  }
  std::string folder;
};

TEST_F(Printing, TheDefaultPrinterCanBeAPdfFileOrNone) {
  print::testing::PrintToPdf(folder + "out.pdf");
  EXPECT_EQ(print::DefaultPrinterName(), "PDF");
  print::testing::NoPrinter(true);
  EXPECT_EQ(print::DefaultPrinterName(), "");
  print::testing::NoPrinter(false);
  EXPECT_EQ(print::DefaultPrinterName(), "PDF");
}

TEST_F(Printing, OnePageIsStretchedOverTheWholeA4Sheet) {
  const std::string path = folder + "page.pdf";
  print::testing::PrintToPdf(path);
  print::PrintError error;
  ASSERT_TRUE(print::PrintPageBitmap(Page(), print::PrintSettings{}, "Documento", error))
      << error.text;
  EXPECT_EQ(error.number, 0);
  EXPECT_EQ(error.text, "");

  QByteArray file = ReadFile(path);
  ASSERT_TRUE(file.startsWith("%PDF")) << file.left(20).toStdString();
  Pdf pdf = ReadPdf(file);
  EXPECT_EQ(pdf.pages, 1);
  QStringList box = pdf.mediaBox.split(' ');
  ASSERT_EQ(box.size(), 4) << pdf.mediaBox.toStdString();
  EXPECT_NEAR(box[2].toDouble(), 595, 1);  // A4 in points
  EXPECT_NEAR(box[3].toDouble(), 842, 1);

  // The bitmap went in whole, black top-left quarter and all (monochrome: grey samples).
  ASSERT_EQ(pdf.imageWidth, kWidth);
  ASSERT_EQ(pdf.imageHeight, kHeight);
  EXPECT_EQ(pdf.imageColourSpace, "DeviceGray");
  ASSERT_EQ(pdf.imageData.size(), kWidth * kHeight);
  auto sample = [&](int x, int y) { return uint8_t(pdf.imageData[y * kWidth + x]); };
  EXPECT_LT(sample(10, 10), 30);
  EXPECT_LT(sample(kWidth / 2 - 2, kHeight / 2 - 2), 30);
  EXPECT_GT(sample(kWidth - 10, 10), 225);
  EXPECT_GT(sample(10, kHeight - 10), 225);
  EXPECT_GT(sample(kWidth - 10, kHeight - 10), 225);

  // The image's top-left corner lands on the sheet's top-left, its bottom-right on the
  // sheet's bottom-right: stretched over the page (PDF y grows upwards).
  std::optional<Matrix> m = ImageMatrix(pdf.content);
  ASSERT_TRUE(m.has_value()) << pdf.content.toStdString();
  ExpectNear(m->Map(0, 1), {0, 842});
  ExpectNear(m->Map(1, 0), {595, 0});
}

TEST_F(Printing, ColourModeAndQualityReachThePrinter) {
  struct Case {
    int colourMode, quality;
    const char* colourSpace;
    bool highResolution;
  };
  const Case cases[] = {
      {1, 1, "DeviceGray", false},
      {2, 2, "DeviceRGB", false},
      {2, 3, "DeviceRGB", true},
      {1, 4, "DeviceGray", true},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(i);
    const std::string path = folder + "case" + std::to_string(i++) + ".pdf";
    print::PrintSettings settings;
    settings.colourMode = c.colourMode;
    settings.quality = c.quality;
    print::PrintError error;
    ASSERT_TRUE(print::PrintPageBitmapToPdf(Page(QColor(220, 30, 30)), settings, path, error))
        << error.text;
    Pdf pdf = ReadPdf(ReadFile(path));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_EQ(pdf.imageColourSpace, c.colourSpace);
    // The device space's first scale is points per device pixel: 72/1200 at high resolution.
    std::optional<Matrix> m = ImageMatrix(pdf.content);
    ASSERT_TRUE(m.has_value());
    const double firstScale = FirstScale(pdf.content);
    if (c.highResolution) {
      EXPECT_NEAR(firstScale, 72.0 / 1200.0, 1e-6);
    } else {
      EXPECT_GT(firstScale, 72.0 / 600.0);
    }
    ExpectNear(m->Map(1, 0), {595, 0});
  }
}

TEST_F(Printing, CopiesStillMakeOnePdfPage) {
  const std::string path = folder + "copies.pdf";
  print::PrintSettings settings;
  settings.copies = 3;
  print::PrintError error;
  ASSERT_TRUE(print::PrintPageBitmapToPdf(Page(), settings, path, error)) << error.text;
  EXPECT_EQ(ReadPdf(ReadFile(path)).pages, 1);
}

TEST_F(Printing, WithNoPrinterNothingIsPrinted) {
  const std::string path = folder + "never.pdf";
  print::testing::PrintToPdf(path);
  print::testing::NoPrinter(true);
  print::PrintError error;
  EXPECT_FALSE(print::PrintPageBitmap(Page(), print::PrintSettings{}, "Documento", error));
  EXPECT_EQ(error.number, ENODEV);
  EXPECT_EQ(error.text, "No hay ninguna impresora instalada");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Printing, AFileThatCannotBeWrittenIsAnError) {
  const std::string path = folder + "missing folder/page.pdf";
  print::PrintError error;
  EXPECT_FALSE(print::PrintPageBitmapToPdf(Page(), print::PrintSettings{}, path, error));
  EXPECT_NE(error.number, 0);
  EXPECT_NE(error.text, "");
  EXPECT_FALSE(std::filesystem::exists(path));

  print::testing::PrintToPdf(path);
  error = {};
  EXPECT_FALSE(print::PrintPageBitmap(Page(), print::PrintSettings{}, "Documento", error));
  EXPECT_NE(error.number, 0);

  // A FIFO would take the file only once someone reads it: refused at once, left as it is.
  ASSERT_EQ(mkfifo((folder + "fifo.pdf").c_str(), 0600), 0);
  error = {};
  EXPECT_FALSE(print::PrintPageBitmapToPdf(Page(), print::PrintSettings{}, folder + "fifo.pdf", error));
  EXPECT_EQ(error.text, "No se puede escribir el archivo " + folder + "fifo.pdf (no es un fichero normal)");
  EXPECT_TRUE(std::filesystem::is_fifo(folder + "fifo.pdf"));
}

// With poppler's renderer on the machine, the printed sheet itself is probed for ink.
TEST_F(Printing, TheRenderedSheetHasInkTopLeftOnly) {
  const QString renderer = QStandardPaths::findExecutable("pdftoppm");
  if (renderer.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  const std::string path = folder + "render.pdf";
  print::PrintError error;
  ASSERT_TRUE(print::PrintPageBitmapToPdf(Page(), print::PrintSettings{}, path, error));
  QProcess process;
  process.start(renderer, {"-r", "20", "-png", "-singlefile", QString::fromStdString(path),
                           QString::fromStdString(folder + "render")});
  ASSERT_TRUE(process.waitForFinished(60000));
  QImage sheet(QString::fromStdString(folder + "render.png"));
  ASSERT_FALSE(sheet.isNull());
  const int w = sheet.width(), h = sheet.height();
  EXPECT_LT(qGray(sheet.pixel(w / 8, h / 8)), 60);
  EXPECT_LT(qGray(sheet.pixel(w / 2 - 3, h / 2 - 3)), 60);
  EXPECT_GT(qGray(sheet.pixel(w * 3 / 4, h / 4)), 200);
  EXPECT_GT(qGray(sheet.pixel(w / 4, h * 3 / 4)), 200);
}

}  // namespace

namespace {

TEST_F(Printing, ThePrintDialogTakesTheQueuedAnswerAndItsChoicePrints) {
  print::PrinterChoice choice;
  choice.settings.copies = 2;
  // Cancelled, or nothing queued: the choice stays as it was.
  print::testing::AnswerPrintDialog(false);
  EXPECT_FALSE(print::ChoosePrinter(nullptr, choice));
  EXPECT_FALSE(print::ChoosePrinter(nullptr, choice));
  EXPECT_EQ(choice.settings.copies, 2);
  EXPECT_EQ(choice.pdfPath, "");

  print::PrinterChoice answer;
  answer.pdfPath = folder + "elegido.pdf";
  answer.settings.colourMode = 2;
  print::testing::AnswerPrintDialog(true, answer);
  ASSERT_TRUE(print::ChoosePrinter(nullptr, choice));
  EXPECT_EQ(choice.pdfPath, answer.pdfPath);
  EXPECT_EQ(choice.settings.colourMode, 2);

  print::PrintError error;
  ASSERT_TRUE(print::PrintPageBitmapAs(Page(), choice, "Documento", error)) << error.text;
  EXPECT_EQ(ReadPdf(ReadFile(choice.pdfPath)).pages, 1);
}

TEST_F(Printing, AChoiceOfThePrinterByNameOrDefault) {
  // No name: the default printer, here a PDF file.
  const std::string path = folder + "default.pdf";
  print::testing::PrintToPdf(path);
  print::PrintError error;
  ASSERT_TRUE(print::PrintPageBitmapAs(Page(), print::PrinterChoice{}, "Documento", error)) << error.text;
  EXPECT_EQ(ReadPdf(ReadFile(path)).pages, 1);

  // A printer that is not installed (any more) is an error, and nothing is printed.
  print::PrinterChoice gone;
  gone.printerName = "Impresora que no existe";
  EXPECT_FALSE(print::PrintPageBitmapAs(Page(), gone, "Documento", error));
  EXPECT_EQ(error.number, ENODEV);
  EXPECT_EQ(error.text, "No existe la impresora Impresora que no existe");
}

}  // namespace
