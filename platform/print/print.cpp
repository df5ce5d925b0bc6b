// Printing the page bitmap on the default printer (or a PDF file) through QPrinter.
#include "platform/print/print.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"

namespace print {
namespace {

std::string pdfPrinterPath;  // testing: the default printer writes this PDF file
bool noPrinter = false;      // testing: no printer installed

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

namespace testing {
void PrintToPdf(std::string pdfPath) { pdfPrinterPath = std::move(pdfPath); }
void NoPrinter(bool none) { noPrinter = none; }
}  // namespace testing

}  // namespace print
