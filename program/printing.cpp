#include "program/printing.h"

#include <algorithm>
#include <string>

#include "dialogs/messages.h"
#include "page/document_file.h"
#include "page/images.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/print/print.h"
#include "platform/ui/ui.h"

namespace {

std::string ErrorMessage(const print::PrintError& error) {
  return "Err: " + std::to_string(error.number) + " " + error.text;
}

// With no printer installed the page can still go to a PDF file the user names. Leaves
// `error` as it was when the user declines.
bool PrintToPdfInstead(const gfx::Surface& page, const print::PrintSettings& settings,
                       print::PrintError& error) {
  if (ui::MessageBox(nullptr,
                     "No hay ninguna impresora instalada.\r\n\xBF"
                     "Desea imprimir la p\xE1gina en un fichero PDF ?",
                     kMessageTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
    return false;
  ui::FileDialogSpec spec;
  spec.save = true;
  spec.title = "Imprimir en un fichero PDF";
  spec.initialFolder = lastDocumentFolder;
  const std::string name = RemoveFileExtension(SplitDocumentPath(documentPath));
  spec.initialName = (name.empty() ? std::string("Documento") : name) + ".pdf";
  spec.filters = {{"PDF", "*.pdf"}};
  spec.defaultExtension = "pdf";
  const std::string path = ui::ChooseFile(nullptr, spec);
  if (path.empty()) return false;
  if (files::FileExists(path) &&
      ui::MessageBox(nullptr, "El fichero Existe, Desea Sobrescribir ?", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return false;
  return print::PrintPageBitmapToPdf(page, settings, path, error);
}

}  // namespace

bool AskToPrintPageBitmap(const gfx::Surface& page) {
  if (ui::MessageBox(nullptr, "Imprimir ?\r\nSi/No ?", kMessageTitle, ui::Buttons::YesNo) !=
      ui::Answer::Yes)
    return false;
  // A hand-edited settings file never sends a copy count, mode or quality the printer
  // cannot take.
  print::PrintSettings settings;
  settings.copies = std::clamp<int32_t>(printCopies, 1, 99);
  settings.colourMode = printColorMode == 2 ? 2 : 1;
  settings.quality = std::clamp<int32_t>(printQuality, 1, 4);
  const std::string title = SplitDocumentPath(documentPath);
  print::PrintError error;
  bool printed =
      print::PrintPageBitmap(page, settings, title.empty() ? kMessageTitle : title, error);
  if (!printed && print::DefaultPrinterName().empty())
    printed = PrintToPdfInstead(page, settings, error);
  if (!printed) Tell(nullptr, ErrorMessage(error));
  return printed;
}
