#include "program/page_output.h"

#include <string>

#include "dialogs/file_dialogs.h"
#include "dialogs/messages.h"
#include "dialogs/print_dialogs.h"
#include "page/images.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "program/canvas.h"
#include "program/printing.h"
#include "program/program_variant.h"

int32_t imageExportBusy = 0;
int32_t printBusy = 0;

namespace {

// The page as it will print, on the canvas: no marks, and no outline, margins or rulers.
void ShowPageAsPrinted() {
  ClearGraphicTarget(*pageBitmap);
  PaintProgramPage(*pageBitmap, 0);
  ClearGraphicTarget(*canvasBitmap);
  RefreshCanvas(0, scrollOffset());
  ShowCanvasBitmap();
}

}  // namespace

PageShownAsOutput::PageShownAsOutput(bool printed) {
  paintMode = 0;
  printShownOnCanvas = printed;
}

PageShownAsOutput::~PageShownAsOutput() {
  paintMode = 1;
  printShownOnCanvas = false;
}

void ExportPageImage(ui::Window owner) {
  if (imageExportBusy) return;
  imageExportBusy = 1;
  std::string chosen = imageExportPath;
  BrowseImageFile(owner, chosen, 1);
  if (!chosen.empty() && pageBitmap) {
    imageExportPath = chosen;
    // The file shows the page as printed: no outline, margin lines, rulers or marks.
    ClearGraphicTarget(*pageBitmap);
    PaintProgramPage(*pageBitmap, 0);
    {
      const PageShownAsOutput asExported(false);
      std::string message;
      SaveCanvasImage(*pageBitmap, message);
      ShowMessageIfAny(message);
    }
    FullRepaint();
  }
  imageExportBusy = 0;
}

bool PrintPage() {
  if (!pageBitmap || !canvasBitmap) return false;
  bool printed = false;
  {
    const PageShownAsOutput asPrinted(true);
    ShowPageAsPrinted();
    printed = AskToPrintPageBitmap(*pageBitmap);
  }
  FullRepaint(1, 1);
  ShowMessageIfAny(SaveProgramSettings());
  return printed;
}

void PrintPageCommand() {
  if (printBusy) return;
  printBusy = 1;
  ShowPrintSettingsDialog(nullptr);
  PrintPage();
  printBusy = 0;
}

void ResetPageOutputState() {
  imageExportBusy = 0;
  printBusy = 0;
}
const EnrolledStart enrolled(ResetPageOutputState);
