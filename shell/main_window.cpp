#include "shell/main_window.h"

#include <algorithm>
#include <string>

#include "database/dialogs/database_commands.h"
#include "database/value_scan.h"
#include "objects/about_box.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/configuration.h"
#include "objects/dialog_focus.h"
#include "objects/file_dialogs.h"
#include "objects/fill_text_properties.h"
#include "objects/holidays.h"
#include "objects/image_size.h"
#include "objects/month_calendar_dialog.h"
#include "objects/print_dialogs.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "search/dialogs/search_commands.h"
#include "shell/canvas.h"
#include "shell/insert_commands.h"
#include "shell/object_properties.h"
#include "shell/page_output.h"
#include "shell/startup.h"

int32_t printBusy = 0;

namespace {

ui::Window focusBeforeDeactivation = nullptr;
constexpr int kUndoSound = 150;

StartValues startValues(printBusy, focusBeforeDeactivation);

// The values the mouse modes, rulers and dialogs start every run with.
void SetInitialValues() {
  leftMouseMode = kLeftMove;
  rulerFlags.fill(0);
  axesOn = 0;   // as unchecked as its menu item

  shapeDialogAccepted = 0;
  shapeTypeChosen = kShapeSquareOrRectangle;
  shapeRoundedCorners = 0;
  shapeFillStyle = 0;
  shapeLineStyle = 0;
  shapeLineWidth = 1;
  shapeTransparentInterior = 0;
  shapeBorderColour = gfx::kBlack;
  shapeInteriorColour = 0xFF0000;
  shapeRoundingPercent = 0;

  textBackColour = workingTextBackColour = gfx::kWhite;
  textForeColour = workingTextForeColour = gfx::kBlack;
  textFontSize = workingTextFontSize = 10;
  textFontName = workingTextFontName = "Times New Roman";

  imageTrueSize = 1;
  objectCount = 1;

  monthBackColour = gfx::kWhite;
  monthBorderColour = gfx::kBlack;
  monthNamePosition = kMonthNameLeft;
  monthIncludeHolidays = 0;
  monthTransparentBackground = 0;
  monthColouredBackground = 0;

  alignedText.clear();
  alignedTextWidth = 0;
  alignedTextHeight = 0;
  alignedTextAlignment = 0;
  alignedTextAccepted = 0;

  currentArrowLength = 100;
  currentArrowColour = gfx::kBlack;
  currentArrowHeads = 1;
  currentArrowLineWidth = 1;
  currentArrowDirection = kArrowUp;
  currentArrowClosedHead = 0;
  currentArrowHeadSize = 10;

  rightMouseMode = kRightCaptureColour;
}

void SetInitialFillTextProperties() {
  fillTextBackColour = workingFillTextBackColour = gfx::kWhite;
  fillTextForeColour = workingFillTextForeColour = gfx::kBlack;
  fillTextFontSize = workingFillTextFontSize = 10;
  fillTextFontName = workingFillTextFontName = "Times New Roman";
}

// A fresh page: an empty store, new bitmaps with the page background, the view at the top.
void StartEmptyPage() {
  AllocateStore();
  objectCount = 1;
  ResetPageRecord();
  MakePageBitmaps();
  DrawPageBackground(*pageBitmap, 1);
  RefreshCanvasView();
}

void SetTitle(ui::Window window) { ui::SetCaption(window, SplitDocumentPath(documentPath)); }

void OpenDocument(ui::Window window) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 0);
  if (chosen.empty()) return;
  documentPath = chosen.substr(0, 259);
  if (LoadDocument()) SetTitle(window);
  filledTextsShown = 0;
  FullRepaint();
}

void SaveDocumentAs(ui::Window window) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 1);
  if (chosen.empty()) return;
  if (files::FileExists(chosen) &&
      ui::MessageBox(nullptr, "El fichero Existe, Desea Sobrescribir ?", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  documentPath = chosen.substr(0, 259);
  // The old file is replaced only once the new one is whole.
  if (SaveDocument()) SetTitle(window);
}

// At most one ruler or graph paper is on; its menu item carries the check mark.
void ToggleRuler(ui::Window window, int command) {
  const int index = command - kCommandRulerMm;
  rulerFlags[index] = 1 - (rulerFlags[index] != 0 ? 1 : 0);
  for (int i = 0; i < 6; ++i) {
    if (i != index && rulerFlags[index] == 1) rulerFlags[i] = 0;
    ui::CheckMenuItem(window, kCommandRulerMm + i, rulerFlags[i] == 1);
  }
  FullRepaint();
}

void SetLeftMouseMode(ui::Window window, int32_t mode, int command) {
  leftMouseMode = mode;
  for (int id : {kCommandLeftNone, kCommandLeftMove, kCommandLeftEdit})
    ui::CheckMenuItem(window, id, id == command);
}

void SetRightMouseMode(ui::Window window, int32_t mode, int command) {
  rightMouseMode = mode;
  for (int id : {kCommandRightFavourites, kCommandRightCaptureColour})
    ui::CheckMenuItem(window, id, id == command);
}

template <typename Show>
void RunGuarded(int32_t& flag, Show show) {
  if (flag) return;
  flag = 1;
  show(nullptr);
}

// While a record fill, a capture, a search or a list reads the database, the windows keep
// running; the commands that would change the page, the link or the search results under it
// wait for it to end (they do nothing).
bool ChangesWhatAScanReads(int id) {
  switch (id) {
    case kCommandLeftNone: case kCommandLeftMove: case kCommandLeftEdit:
    case kCommandRightFavourites: case kCommandRightCaptureColour:
    case kCommandRulerMm: case kCommandPaperMm: case kCommandPaperSuperMm:
    case kCommandRulerPx: case kCommandPaperSquared: case kCommandPaperSuperSquared:
    case kCommandAxes: case kCommandAbout: case kCommandTextProperties:
    case kCommandClearCopies:
      return false;
    default:
      return true;
  }
}

void OnCommand(ui::Window window, int id) {
  if (valueScanBusy && ChangesWhatAScanReads(id)) return;
  if (RunInsertCommand(window, id)) return;
  switch (id) {
    case kCommandNew:
      filledTextsShown = 0;
      StartEmptyPage();
      break;
    case kCommandExit: ui::EndDialog(window, 0); break;
    case kCommandAbout: RunGuarded(aboutBusy, ShowAboutDialog); break;
    case kCommandTextProperties:
      RunGuarded(textPropertiesDialogOpen, ShowTextPropertiesDialog);
      break;
    case kCommandLeftNone: SetLeftMouseMode(window, kLeftNone, id); break;
    case kCommandLeftMove: SetLeftMouseMode(window, kLeftMove, id); break;
    case kCommandLeftEdit: SetLeftMouseMode(window, kLeftEdit, id); break;
    case kCommandRightFavourites: SetRightMouseMode(window, kRightFavourites, id); break;
    case kCommandRightCaptureColour: SetRightMouseMode(window, kRightCaptureColour, id); break;
    case kCommandUndo:
      if (objectCount > 1) {
        --objectCount;
        if (soundMuted == 0) desktop::PlaySoundResource(kUndoSound);
        FullRepaint();
      }
      break;
    case kCommandConfiguration:
      if (configurationDialogOpen) break;
      configurationDialogOpen = 1;
      ShowConfigurationDialog(nullptr);
      FullRepaint();   // margins, ambient colour and insert position may have changed
      break;
    case kCommandImageSize: RunGuarded(imageSizeDialogOpen, ShowImageSizeDialog); break;
    case kCommandHolidays:
      if (holidaysDialogOpen) break;
      holidaysDialogOpen = 1;
      ShowHolidaysDialog(nullptr);
      break;
    case kCommandRulerMm:
    case kCommandPaperMm:
    case kCommandPaperSuperMm:
    case kCommandRulerPx:
    case kCommandPaperSquared:
    case kCommandPaperSuperSquared: ToggleRuler(window, id); break;
    case kCommandExportImage: ExportPageImage(window); break;
    case kCommandAxes:
      axesOn = 1 - (axesOn != 0 ? 1 : 0);
      ui::CheckMenuItem(window, kCommandAxes, axesOn == 1);
      FullRepaint();
      break;
    case kCommandOpenDocument: OpenDocument(window); break;
    case kCommandSaveDocument: SaveDocumentAs(window); break;
    case kCommandObjectProperties:
      // The page without editing marks or outline, until the dialog marks its object.
      FullRepaint(0, 0);
      StartObjectProperties(window);
      break;
    case kCommandResetFills:
      for (int s = 2; s <= objectCount; ++s) {
        if (pageObjects[s].kind == kAdminControl) SetFixedField(pageObjects[s].fillText, "");
        if (pageObjects[s].kind == kAdminOptionCell) pageObjects[s].optionMarked = 0;
      }
      FullRepaint();
      break;
    case kCommandPrint:
      if (printBusy) break;
      printBusy = 1;
      ShowPrintSettingsDialog(nullptr);
      PrintPage();
      printBusy = 0;
      break;
    case kCommandClearCopies: ClearObjectClipboard(); break;
    case kCommandPasteCopies: PasteCopiedObjects(); break;
    case kCommandPaperFormat:
      if (paperFormatDialogOpen) break;
      ShowPaperFormatDialog(nullptr);
      MakePageBitmaps();
      FullRepaint();
      break;
    case kCommandLinkDatabase:
    case kCommandRecordBrowser:
    case kCommandCaptureRecord: RunDatabaseCommand(window, id); break;
    case kCommandSearch:
    case kCommandListRecords: RunSearchCommand(window, id); break;
    default:
      break;
  }
}

void Initialise(ui::Window window) {
  LoadSaveSettings("get");
  ConnectDatabase(window, [] { FullRepaint(); });
  programFolder = files::DataFolder();
  SetInitialValues();
  onDocumentStoreReplaced = MakePageBitmaps;
  StartEmptyPage();
  SetInitialFillTextProperties();
  InitAdminStylePresets();
  currentAdminStyle = 1;
  currentObjectIndex = 2;
  printBusy = 0;
  paintMode = 1;

  // A document named on the command line opens at once; quotes around it do not count.
  std::string path;
  for (char c : commandLine)
    if (c != '"') path += c;
  path = path.substr(0, 259);
  if (!path.empty()) {
    documentPath = path;
    if (files::FileExists(path) && LoadDocument()) {
      SetTitle(window);
      FullRepaint();
    }
  }
}

}  // namespace

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  switch (msg) {
    case ui::Msg::Init:
      Initialise(window);
      break;
    case ui::Msg::Destroy:
      ReleasePageBitmaps();
      break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, focusBeforeDeactivation);
      break;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF));
      break;
    case ui::Msg::Close:
      // The window manager's close box does what "Salir" does.
      OnCommand(window, kCommandExit);
      return 1;
    default:
      break;
  }
  return 0;
}

void ResetMainWindowState() { startValues.Restore(); }
