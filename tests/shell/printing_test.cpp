// The print-settings and paper-format dialogs, and the page printed into a PDF file through
// the printer's test driver; the PDF is read back for its pages and the page bitmap's samples.
#include "dialogs/print_dialogs.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <QtEndian>
#include <filesystem>
#include <string>

#include "dialogs/file_dialogs.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/print/print.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::AnswerFile;
using ui::testing::AnswerMessageBox;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;

constexpr const char* kPrintCaption = "Configura la impresi\xF3n";
constexpr const char* kPaperCaption = "Formato Papel";
constexpr const char* kAskPrint = "Imprimir ?\r\nSi/No ?";
constexpr const char* kPaperRefusal = "Tienes que escribir medidas formato papel ...";

// What a test needs of a PDF the printer wrote: its pages and the page bitmap's samples.
struct Pdf {
  int pages = 0;
  int width = 0, height = 0;
  int channels = 0;   // 1 grey, 3 colour
  QByteArray samples;
  int Sample(int x, int y) const { return uint8_t(samples[(static_cast<qsizetype>(y) * width + x) * channels]); }
};

QByteArray Inflate(const QByteArray& deflated) {
  QByteArray withSize(4, '\0');
  qToBigEndian<quint32>(quint32(deflated.size() * 8 + 8 * 1024 * 1024), withSize.data());
  return qUncompress(withSize + deflated);
}

Pdf ReadPdf(const std::string& path) {
  const QByteArray file = QByteArray::fromStdString(testfiles::ReadRaw(path));
  Pdf pdf;
  static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
  pdf.pages = int(QString::fromLatin1(file).count(page));
  qsizetype at = 0;
  while ((at = file.indexOf("stream", at)) >= 0) {
    if (at >= 3 && file.mid(at - 3, 3) == "end") {
      at += 6;
      continue;
    }
    const qsizetype dictStart = file.lastIndexOf("obj", at);
    const QString dict = QString::fromLatin1(file.mid(dictStart, at - dictStart));
    qsizetype dataStart = at + 6;
    if (file[dataStart] == '\r') ++dataStart;
    if (file[dataStart] == '\n') ++dataStart;
    const qsizetype end = file.indexOf("endstream", dataStart);
    if (end < 0) break;
    if (dict.contains("/Subtype /Image") && !dict.contains("/SMask")) {
      QByteArray data = file.mid(dataStart, end - dataStart);
      if (dict.contains("/FlateDecode")) data = Inflate(data);
      pdf.width = QRegularExpression(R"(/Width (\d+))").match(dict).captured(1).toInt();
      pdf.height = QRegularExpression(R"(/Height (\d+))").match(dict).captured(1).toInt();
      pdf.channels = dict.contains("/DeviceGray") ? 1 : 3;
      if (dict.contains("/DCTDecode")) {
        // A colour page may be kept as a JPEG; its samples are the decoded pixels.
        QImage jpeg = QImage::fromData(data, "JPEG");
        jpeg = jpeg.convertToFormat(pdf.channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        data.clear();
        for (int y = 0; y < jpeg.height(); ++y)
          data.append(reinterpret_cast<const char*>(jpeg.constScanLine(y)), qsizetype(jpeg.width()) * pdf.channels);
      }
      pdf.samples = data;
    }
    at = end + 9;
  }
  return pdf;
}

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    folder = testenv::NewFolder("printing");
    files::OverrideDataFolder(folder);
    paperWidthMm = 210;
    paperHeightMm = 297;
    marginLeft = marginRight = marginTop = marginBottom = 10;
    noMargins = 0;
    ambientColorOn = 0;
    rulerFlags = {};
    axesOn = 0;
    paintMode = 1;
    printCopies = 1;
    printColorMode = 1;
    printQuality = 1;
    documentPath.clear();
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    MakePageBitmaps();
    pdf = folder + "pagina.pdf";
    print::testing::PrintToPdf(pdf);
  }
  void TearDown() override {
    print::testing::PrintToPdf("");
    print::testing::NoPrinter(false);
    ReleasePageBitmaps();
    files::OverrideDataFolder("");
    EXPECT_TRUE(ui::testing::Unexpected().empty());
  }

  // A black square at (200, 300), 100 x 80.
  static void AddSquare() {
    PageObject& o = pageObjects[++objectCount];
    o = PageObject{};
    o.kind = kSquareOrCircle;
    o.x = 200;
    o.y = 300;
    o.width = 100;
    o.height = 80;
    o.backColor = gfx::kBlack;
    o.borderColor = gfx::kBlack;
    o.shapeType = 7001;
    o.lineWidth = 1;
  }

  // The editing view came back and the settings were written, whatever happened.
  void ExpectEpilogue(int32_t noMarginsBefore) {
    EXPECT_EQ(noMargins, noMarginsBefore);
    EXPECT_EQ(paintMode, 1);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 0, 600), gfx::kBlack);   // the page outline
    EXPECT_TRUE(files::FileExists(SettingsFilePath()));
  }

  std::string folder, pdf;
};

TEST_F(PrintingTest, SettingsDialogShowsTheStoredChoicesAndSeguirTakesTheNewOnes) {
  struct Case {
    int32_t copies, mode, quality;
    int copiesLine, modeLine, qualityLine;
  };
  // A value no line offers (a settings file written by hand) shows no line, and "Seguir"
  // keeps it.
  const Case cases[] = {{1, 1, 1, 0, 0, 0},
                        {10, 2, 4, 5, 1, 3},
                        {5, 1, 3, 4, 0, 2},
                        {7, 0, 9, -1, -1, -1},
                        {150, 3, 600, -1, -1, -1},
                        {2, INT32_MIN, INT32_MAX, 1, -1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.copies);
    ui::testing::Begin();
    printCopies = c.copies;
    printColorMode = c.mode;
    printQuality = c.quality;
    OnDialog(kPrintCaption, [&](ui::Window w) {
      EXPECT_EQ(ui::ListSelection(w, print_settings_ids::kCopies), c.copiesLine);
      EXPECT_EQ(ui::ListSelection(w, print_settings_ids::kColourMode), c.modeLine);
      EXPECT_EQ(ui::ListSelection(w, print_settings_ids::kQuality), c.qualityLine);
      EXPECT_EQ(ui::Text(w, print_settings_ids::kPrinterName), "PDF");
      Click(w, print_settings_ids::kSeguir);
    });
    EXPECT_EQ(ShowPrintSettingsDialog(nullptr), ui::kOk);
    const auto kept = [](int line, int32_t stored, int32_t chosen) {
      return line < 0 ? stored : chosen;
    };
    const int32_t copiesChosen = c.copiesLine == 5 ? 10 : c.copiesLine + 1;
    EXPECT_EQ(printCopies, kept(c.copiesLine, c.copies, copiesChosen));
    EXPECT_EQ(printColorMode, kept(c.modeLine, c.mode, c.modeLine + 1));
    EXPECT_EQ(printQuality, kept(c.qualityLine, c.quality, c.qualityLine + 1));
  }

  ui::testing::Begin();
  OnDialog(kPrintCaption, [](ui::Window w) {
    ui::testing::ChooseListItem(w, print_settings_ids::kCopies, 1);
    ui::testing::ChooseListItem(w, print_settings_ids::kColourMode, 1);
    ui::testing::ChooseListItem(w, print_settings_ids::kQuality, 3);
    EXPECT_EQ(ui::Text(w, print_settings_ids::kQuality), "4 - Alta Resoluci\xF3n");
    Click(w, print_settings_ids::kSeguir);
  });
  ShowPrintSettingsDialog(nullptr);
  EXPECT_EQ(printCopies, 2);
  EXPECT_EQ(printColorMode, 2);
  EXPECT_EQ(printQuality, 4);
}

TEST_F(PrintingTest, ClosingTheSettingsDialogChangesNothing) {
  printCopies = 3;
  print::testing::NoPrinter(true);
  OnDialog(kPrintCaption, [](ui::Window w) {
    EXPECT_NE(ui::Text(w, print_settings_ids::kPrinterName).find("No hay ninguna impresora"),
              std::string::npos);
    ui::testing::ChooseListItem(w, print_settings_ids::kCopies, 5);
    ui::testing::CloseBox(w);
  });
  EXPECT_EQ(ShowPrintSettingsDialog(nullptr), ui::kCancel);
  EXPECT_EQ(printCopies, 3);
}

TEST_F(PrintingTest, APrintedPageIsOnePdfPageWithTheObjectsInkAndNoMarks) {
  AddSquare();
  rulerFlags[kRulerMm] = 1;
  noMargins = 0;
  AnswerMessageBox(ui::Answer::Yes);
  EXPECT_TRUE(PrintPage());
  ASSERT_GE(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, kAskPrint);
  EXPECT_EQ(MessagesShown().size(), 1u) << MessagesShown().back().text;
  ExpectEpilogue(0);

  Pdf p = ReadPdf(pdf);
  EXPECT_EQ(p.pages, 1);
  ASSERT_EQ(p.width, 794);
  ASSERT_EQ(p.height, 1123);
  ASSERT_GE(p.samples.size(), qsizetype(794) * 1123 * p.channels);
  EXPECT_LT(p.Sample(250, 340), 40);     // the square
  EXPECT_LT(p.Sample(201, 301), 40);
  EXPECT_GT(p.Sample(195, 340), 215);    // beside it
  EXPECT_GT(p.Sample(0, 600), 215);      // no page outline
  EXPECT_GT(p.Sample(38, 600), 215);     // no margin line
  EXPECT_GT(p.Sample(400, 3), 215);      // no ruler
}

TEST_F(PrintingTest, ThePrintKeepsTheAmbientFill) {
  ambientColorOn = 1;
  ambientColor = gfx::Rgb(96, 96, 96);
  AnswerMessageBox(ui::Answer::Yes);
  ASSERT_TRUE(PrintPage());
  Pdf p = ReadPdf(pdf);
  ASSERT_EQ(p.width, 794);
  EXPECT_NEAR(p.Sample(400, 600), 96, 20);   // inside the margins
  EXPECT_GT(p.Sample(10, 600), 215);         // outside them
}

TEST_F(PrintingTest, ThePrinterTakesTheColourMode) {
  AddSquare();
  pageObjects[objectCount].backColor = gfx::Rgb(255, 0, 0);
  struct Case {
    int32_t mode;
    int channels;
  };
  for (Case c : {Case{1, 1}, Case{2, 3}}) {
    SCOPED_TRACE(c.mode);
    ui::testing::Begin();
    printColorMode = c.mode;
    AnswerMessageBox(ui::Answer::Yes);
    ASSERT_TRUE(PrintPage());
    Pdf p = ReadPdf(pdf);
    ASSERT_EQ(p.width, 794);
    EXPECT_EQ(p.channels, c.channels);
    ASSERT_GE(p.samples.size(), qsizetype(794) * 1123 * p.channels);
    if (c.channels == 3) {
      const qsizetype at = (qsizetype(340) * p.width + 250) * 3;
      EXPECT_GT(uint8_t(p.samples[at]), 215);       // red
      EXPECT_LT(uint8_t(p.samples[at + 1]), 40);    // no green
      EXPECT_LT(uint8_t(p.samples[at + 2]), 40);    // no blue
    } else {
      EXPECT_LT(p.Sample(250, 340), 215);   // red as a grey
    }
  }
}

TEST_F(PrintingTest, AnsweringNoPrintsNothingButStillRepaintsAndSaves) {
  AddSquare();
  noMargins = 1;
  AnswerMessageBox(ui::Answer::No);
  EXPECT_FALSE(PrintPage());
  EXPECT_FALSE(files::FileExists(pdf));
  ASSERT_EQ(MessagesShown().size(), 1u);
  ExpectEpilogue(1);
}

TEST_F(PrintingTest, WithoutAPrinterThePageCanGoToAPdfFile) {
  print::testing::NoPrinter(true);
  AddSquare();
  documentPath = folder + "factura.qorvex";
  const std::string chosen = folder + "elegido.pdf";
  AnswerMessageBox(ui::Answer::Yes);   // "Imprimir ?"
  AnswerMessageBox(ui::Answer::Yes);   // to a PDF file?
  AnswerFile(chosen);
  EXPECT_TRUE(PrintPage());
  ASSERT_EQ(MessagesShown().size(), 2u);
  EXPECT_NE(MessagesShown()[1].text.find("No hay ninguna impresora instalada"), std::string::npos);
  EXPECT_EQ(ui::testing::LastFileDialog().initialName, "factura.pdf");
  EXPECT_TRUE(ui::testing::LastFileDialog().save);
  Pdf p = ReadPdf(chosen);
  EXPECT_EQ(p.pages, 1);
  ASSERT_EQ(p.width, 794);
  EXPECT_LT(p.Sample(250, 340), 40);
  ExpectEpilogue(0);
}

TEST_F(PrintingTest, WithoutAPrinterOrAPdfFileTheFailureIsShown) {
  print::testing::NoPrinter(true);
  struct Case {
    bool offerTaken;
  };
  for (Case c : {Case{false}, Case{true}}) {
    SCOPED_TRACE(c.offerTaken);
    ui::testing::Begin();
    AnswerMessageBox(ui::Answer::Yes);
    AnswerMessageBox(c.offerTaken ? ui::Answer::Yes : ui::Answer::No);
    if (c.offerTaken) AnswerFile("");   // the file dialog cancelled
    EXPECT_FALSE(PrintPage());
    ASSERT_EQ(MessagesShown().size(), 3u);
    EXPECT_EQ(MessagesShown()[2].text.rfind("Err: ", 0), 0u);
    EXPECT_NE(MessagesShown()[2].text.find("No hay ninguna impresora instalada"), std::string::npos);
    EXPECT_EQ(MessagesShown()[2].title, "Vozurivudoz");
    ExpectEpilogue(0);
  }
  for (const auto& e : std::filesystem::directory_iterator(folder))
    EXPECT_NE(e.path().extension(), ".pdf") << e.path();
}

TEST_F(PrintingTest, PaperFormatTakesOnlySizesThatFitA4) {
  struct Case {
    const char* width;
    const char* height;
    bool accepted;
  };
  const Case cases[] = {
      {"210", "297", true}, {"148", "210", true}, {"1", "1", true},     {"211", "297", false},
      {"210", "298", false}, {"0", "100", false}, {"", "100", false},   {"100", "", false},
      {"99999", "100", false}, {"65746", "100", false},   // 65746 would wrap to 210 in 16 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    ui::testing::Begin();
    paperWidthMm = 200;
    paperHeightMm = 250;
    OnDialog(kPaperCaption, [&](ui::Window w) {
      EXPECT_EQ(paperFormatDialogOpen, 1);
      EXPECT_EQ(ui::Text(w, paper_format_ids::kPaperWidth), "");
      TypeText(w, paper_format_ids::kPaperWidth, c.width);
      TypeText(w, paper_format_ids::kPaperHeight, c.height);
      Click(w, paper_format_ids::kAceptar);
      if (!c.accepted) {
        ASSERT_EQ(MessagesShown().size(), 1u);
        EXPECT_EQ(MessagesShown()[0].text, kPaperRefusal);
        EXPECT_TRUE(ui::IsWindow(w));   // still open
        Click(w, paper_format_ids::kSalir);
      }
    });
    EXPECT_EQ(ShowPaperFormatDialog(nullptr), c.accepted ? ui::kOk : ui::kCancel);
    EXPECT_EQ(paperFormatDialogOpen, 0);
    if (c.accepted) {
      EXPECT_TRUE(MessagesShown().empty());
      EXPECT_EQ(paperWidthMm, std::stoi(c.width));
      EXPECT_EQ(paperHeightMm, std::stoi(c.height));
    } else {
      EXPECT_EQ(paperWidthMm, 200);
      EXPECT_EQ(paperHeightMm, 250);
    }
  }
}

TEST_F(PrintingTest, ClosingThePaperFormatChangesNothing) {
  OnDialog(kPaperCaption, [](ui::Window w) {
    TypeText(w, paper_format_ids::kPaperWidth, "100");
    TypeText(w, paper_format_ids::kPaperHeight, "100");
    ui::testing::CloseBox(w);
  });
  EXPECT_EQ(ShowPaperFormatDialog(nullptr), ui::kCancel);
  EXPECT_EQ(paperWidthMm, 210);
  EXPECT_EQ(paperHeightMm, 297);
}

TEST(DocumentDialog, OpensInTheLastFolderAndSavesNewNamesAsDocuments) {
  ui::testing::Begin();
  const std::string folder = testenv::NewFolder("documents");
  lastDocumentFolder = "/antes/";
  std::string path = folder + "actual.qorvex";
  AnswerFile(folder + "otro/leido.qorvex");
  BrowseDocumentFile(nullptr, path, 0);
  const ui::FileDialogSpec& spec = ui::testing::LastFileDialog();
  EXPECT_FALSE(spec.save);
  EXPECT_TRUE(spec.mustExist);
  EXPECT_EQ(spec.title, "");
  EXPECT_EQ(spec.initialFolder, folder);
  EXPECT_EQ(spec.initialName, "actual.qorvex");
  ASSERT_EQ(spec.filters.size(), 1u);
  EXPECT_EQ(spec.filters[0].name, "Documento");
  EXPECT_EQ(spec.filters[0].patterns, "*.qorvex");
  EXPECT_EQ(path, folder + "otro/leido.qorvex");
  EXPECT_EQ(lastDocumentFolder, folder + "otro/");

  // A save names a new file; a bare name becomes a document the filter lists.
  AnswerFile(folder + "x");
  BrowseDocumentFile(nullptr, path, 1);
  EXPECT_TRUE(ui::testing::LastFileDialog().save);
  EXPECT_FALSE(ui::testing::LastFileDialog().mustExist);
  EXPECT_EQ(path, folder + "x.qorvex");

  // Cancelled: no path; the folder stays where it was.
  AnswerFile("");
  BrowseDocumentFile(nullptr, path, 1);
  EXPECT_EQ(path, "");
  EXPECT_EQ(lastDocumentFolder, folder);

  // A path longer than a document path holds is refused, not cut into another name.
  AnswerFile("/" + std::string(300, 'd') + ".qorvex");
  BrowseDocumentFile(nullptr, path, 1);
  EXPECT_EQ(path, "");
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
}

}  // namespace
