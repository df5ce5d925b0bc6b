// The printer: the system's default printer, and one page bitmap printed stretched over the
// printable area, with copies, colour mode and quality. With no printer installed the page
// can go to a PDF file instead.
#pragma once
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

namespace print {

struct PrintSettings {
  int copies = 1;        // 1..99
  int colourMode = 1;    // 1 monochrome, 2 colour
  int quality = 1;       // 1 draft, 2 low, 3 medium, 4 high resolution
};

struct PrintError {
  int number = 0;        // 0: no error
  std::string text;      // 1252
};

// The default printer's name; "" when there is none.
std::string DefaultPrinterName();

// Prints `page` stretched over the whole printable area of one sheet (proportions not kept)
// on the default printer, and ends the document. Returns false with the error filled when
// there is no printer or printing fails.
bool PrintPageBitmap(const gfx::Surface& page, const PrintSettings& settings,
                     std::string_view documentName, PrintError& error);

// The same onto a one-page PDF file of A4 size.
bool PrintPageBitmapToPdf(const gfx::Surface& page, const PrintSettings& settings,
                          std::string_view pdfPath, PrintError& error);

// A printer as the print dialog leaves it chosen.
struct PrinterChoice {
  std::string printerName;   // "": the default printer
  std::string pdfPath;       // not empty: this PDF file instead of a printer
  PrintSettings settings;
};

// The print dialog, opened on `choice`: the user picks a printer or a PDF file, the copies and
// the colour mode. Returns false when cancelled, `choice` then staying as it was. Under the
// user-interface test driver it shows nothing and takes the answer queued below.
bool ChoosePrinter(ui::Window owner, PrinterChoice& choice);

// Prints `page` as `choice` says: into its PDF file, on its printer, or on the default one.
bool PrintPageBitmapAs(const gfx::Surface& page, const PrinterChoice& choice,
                       std::string_view documentName, PrintError& error);

namespace testing {
// The next print dialog answers this (false: cancelled); with none queued it is cancelled.
void AnswerPrintDialog(bool ok, PrinterChoice choice = {});
// Makes the default printer a PDF printer writing to `pdfPath` ("" restores the real one).
void PrintToPdf(std::string pdfPath);
// Makes it look as though no printer were installed.
void NoPrinter(bool none);
}  // namespace testing

}  // namespace print
