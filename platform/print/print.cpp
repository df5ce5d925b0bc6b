// Printing the page bitmap on the default printer (or a PDF file) through QPrinter.
#include "platform/print/print.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <deque>
#include <optional>
#include <utility>

#include "platform/files/files.h"
#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"

namespace print {
namespace {

std::string pdfPrinterPath;  // testing: the default printer writes this PDF file
bool noPrinter = false;      // testing: no printer installed
std::deque<std::pair<bool, PrinterChoice>> dialogAnswers;   // testing: the print dialogs' answers

constexpr const char* kPdfPrinterName = "PDF";

void Fail(PrintError& error, int number, std::string text) {
  error.number = number;
  error.text = std::move(text);
}

// Sets up the printer, draws the page stretched over the printable area and ends the job.
// `pdfPath` set: the output goes to that file instead of a printer.
bool PrintOn(const QString& printerName, std::optional<QString> pdfPath, const gfx::Surface& page,
             const PrintSettings& settings, std::string_view documentName, PrintError& error) {
  error = PrintError{};
  QPrinter printer(settings.quality >= 3 ? QPrinter::HighResolution : QPrinter::ScreenResolution);
  if (pdfPath) {
    // Writing into a FIFO would wait for a reader for ever; a device is no file to keep.
    const std::string path = text::FromQ(*pdfPath);
    if (files::FileExists(path) && files::FileLength(path) < 0) {
      Fail(error, files::kNotRegularFile, "No se puede escribir el archivo " + path + " (no es un fichero normal)");
      return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdfPath);
  } else {
    printer.setPrinterName(printerName);
  }
  printer.setDocName(text::ToQ(documentName));
  printer.setCopyCount(std::clamp(settings.copies, 1, 99));
  printer.setColorMode(settings.colourMode == 2 ? QPrinter::Color : QPrinter::GrayScale);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  // The page covers all the sheet the printer can reach: its margins are only the ones the
  // hardware imposes (none for a PDF file).
  QPageLayout layout = printer.pageLayout();
  printer.setPageMargins(layout.minimumMargins(), layout.units());

  QPainter painter;
  if (!painter.begin(&printer)) {
    Fail(error, EIO,
         pdfPath ? "No se puede escribir el archivo " + text::FromQ(*pdfPath)
                 : "No se puede imprimir en la impresora " + text::FromQ(printerName));
    return false;
  }
  const QRect area = printer.pageRect(QPrinter::DevicePixel).toRect();
  const QImage& image = gfx::ImageOf(page);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!image.isNull())
    painter.drawImage(QRect(0, 0, area.width(), area.height()), image, image.rect());
  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    Fail(error, EIO, std::string("No se pudo terminar la impresi\xF3") + "n");
    return false;
  }
  return true;
}

}  // namespace

std::string DefaultPrinterName() {
  if (noPrinter) return {};
  if (!pdfPrinterPath.empty()) return kPdfPrinterName;
  return text::FromQ(QPrinterInfo::defaultPrinterName());
}

bool PrintPageBitmap(const gfx::Surface& page, const PrintSettings& settings,
                     std::string_view documentName, PrintError& error) {
  error = PrintError{};
  const std::string name = DefaultPrinterName();
  if (name.empty()) {
    Fail(error, ENODEV, "No hay ninguna impresora instalada");
    return false;
  }
  std::optional<QString> pdf;
  if (!pdfPrinterPath.empty()) pdf = text::PathToQ(pdfPrinterPath);
  return PrintOn(text::ToQ(name), pdf, page, settings, documentName, error);
}

bool PrintPageBitmapToPdf(const gfx::Surface& page, const PrintSettings& settings,
                          std::string_view pdfPath, PrintError& error) {
  error = PrintError{};
  if (pdfPath.empty()) {
    Fail(error, ENOENT, "Falta el nombre del archivo PDF");
    return false;
  }
  const QString file = text::PathToQ(pdfPath);
  return PrintOn(kPdfPrinterName, file, page, settings, text::FromQ(QFileInfo(file).fileName()),
                 error);
}

bool ChoosePrinter(ui::Window, PrinterChoice& choice) {
  if (ui::testing::Active()) {
    if (dialogAnswers.empty()) return false;
    auto [ok, answer] = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    if (ok) choice = std::move(answer);
    return ok;
  }
  QPrinter printer(choice.settings.quality >= 3 ? QPrinter::HighResolution : QPrinter::ScreenResolution);
  if (!choice.pdfPath.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(text::PathToQ(choice.pdfPath));
  } else if (!choice.printerName.empty()) {
    printer.setPrinterName(text::ToQ(choice.printerName));
  }
  printer.setCopyCount(std::clamp(choice.settings.copies, 1, 99));
  printer.setColorMode(choice.settings.colourMode == 2 ? QPrinter::Color : QPrinter::GrayScale);
  QPrintDialog dialog(&printer);
  dialog.setWindowTitle(QStringLiteral("Imprimir"));
  if (dialog.exec() != QDialog::Accepted) return false;
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    choice.pdfPath = text::FromQ(printer.outputFileName());
    choice.printerName.clear();
  } else {
    choice.printerName = text::FromQ(printer.printerName());
    choice.pdfPath.clear();
  }
  choice.settings.copies = std::clamp(printer.copyCount(), 1, 99);
  choice.settings.colourMode = printer.colorMode() == QPrinter::Color ? 2 : 1;
  return true;
}

bool PrintPageBitmapAs(const gfx::Surface& page, const PrinterChoice& choice,
                       std::string_view documentName, PrintError& error) {
  if (!choice.pdfPath.empty()) return PrintPageBitmapToPdf(page, choice.settings, choice.pdfPath, error);
  if (choice.printerName.empty() || choice.printerName == DefaultPrinterName())
    return PrintPageBitmap(page, choice.settings, documentName, error);
  error = PrintError{};
  if (noPrinter || !QPrinterInfo::availablePrinterNames().contains(text::ToQ(choice.printerName))) {
    Fail(error, ENODEV, "No existe la impresora " + choice.printerName);
    return false;
  }
  return PrintOn(text::ToQ(choice.printerName), std::nullopt, page, choice.settings, documentName, error);
}

namespace testing {
void AnswerPrintDialog(bool ok, PrinterChoice choice) { dialogAnswers.emplace_back(ok, std::move(choice)); }
void PrintToPdf(std::string pdfPath) { pdfPrinterPath = std::move(pdfPath); }
void NoPrinter(bool none) { noPrinter = none; }
}  // namespace testing

}  // namespace print
