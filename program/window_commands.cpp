#include "program/window_commands.h"

#include <string>

#include "dialogs/file_dialogs.h"
#include "dialogs/messages.h"
#include "page/admin_controls.h"
#include "page/document_file.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "program/startup.h"

void StartPageWindow(int32_t leftMode) {
  leftMouseMode = leftMode;
  rightMouseMode = kRightCaptureColour;
  rulerFlags.fill(0);
  axesOn = 0;
  onDocumentStoreReplaced = MakePageBitmaps;
  pendingMessagesPump = ui::PumpMessages;
  StartEmptyPage();
  ShowMessageIfAny(InitAdminStylePresets());
  currentAdminStyle = 1;
  currentObjectIndex = 2;
  printBusy = 0;
  paintMode = 1;
}

void StartEmptyPage() {
  AllocateStore();
  objectCount = 1;
  ResetPageRecord();
  MakePageBitmaps();
  DrawPageBackground(*pageBitmap, 1);
  RefreshCanvasView();
}

void SetDocumentTitle(ui::Window window) {
  ui::SetCaption(window, SplitDocumentPath(documentPath));
}

void ReadCommandLineDocument(ui::Window window, DocumentReader read) {
  std::string path;
  for (char c : commandLine)
    if (c != '"') path += c;
  if (path.empty()) return;
  // A missing document is passed over in silence; its path stays for the save dialog.
  documentPath = path;
  if (!files::FileExists(path)) return;
  const DocumentReport report = read();
  ShowMessageIfAny(report.message);
  if (report.done) {
    SetDocumentTitle(window);
    FullRepaint();
  } else {
    documentPath.clear();
  }
}

bool ReadChosenDocument(ui::Window window, DocumentReader read) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 0);
  if (chosen.empty()) return false;
  const std::string previous = documentPath;
  documentPath = chosen;
  const DocumentReport report = read();
  ShowMessageIfAny(report.message);
  if (report.done)
    SetDocumentTitle(window);
  else
    documentPath = previous;
  return true;
}

bool SaveDocumentAs(ui::Window window) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 1);
  if (chosen.empty()) return false;
  if (files::FileExists(chosen) &&
      ui::MessageBox(nullptr, "El fichero Existe, Desea Sobrescribir ?", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return false;
  documentPath = chosen;
  const std::string error = SaveDocument();
  ShowMessageIfAny(error);
  return error.empty();
}

void ResetFilledValues() {
  for (int s = 2; s <= objectCount && s < kStoreSlots; ++s) {
    if (pageObjects[s].kind == kAdminControl) SetFixedField(pageObjects[s].fillText, "");
    if (pageObjects[s].kind == kAdminOptionCell) pageObjects[s].optionMarked = 0;
  }
  FullRepaint();
}
