#include "database/dialogs/record_browser.h"

#include <new>
#include <string>
#include <utility>

#include "database/linked_database.h"
#include "database/record_browsing.h"
#include "database/record_fill.h"
#include "database/value_scan.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/start_values.h"
#include "database/search_results.h"

using namespace record_browser_ids;

ui::Window databaseBrowserWindow = nullptr;
std::function<void()> onDatabaseBrowserClosed;

namespace {

StartValues startValues(onDatabaseBrowserClosed);

// While the browser is open it looks now and then whether a scan holds its controls.
constexpr int kBusyTimer = 1;
constexpr int kBusyTimerMs = 200;
constexpr const char* kFace = "MS Sans Serif";
constexpr const char* kOutOfMemory = "No hay memoria suficiente para mostrar el registro ...";

int32_t browserOpen = 0;
DialogSkeleton skeleton{&browserOpen, nullptr, 0};
// True from a click to the end of the fill it starts: the counts it reads let the windows
// run too, and a second click or the close box must wait for it.
bool moving = false;
// The close box was pressed while a scan or a move ran: the browser closes once it is over.
bool closeRequested = false;

bool IsBusy() { return valueScanBusy != 0 || moving; }

// The controls are usable only while no value scan runs; the number and "Ir a" only in
// plain mode, the search box only while a search has found records.
void UpdateControls(ui::Window window) {
  const bool idle = valueScanBusy == 0;
  for (int id : {kFirst, kPrevious, kNext, kLast}) ui::Enable(window, id, idle);
  ui::Enable(window, kNumber, idle && !IsBrowsingWithSearch());
  ui::Enable(window, kGoTo, idle && !IsBrowsingWithSearch());
  ui::Enable(window, kWithSearch, idle && searchFound == 1);
  ui::SetCheck(window, kWithSearch, IsBrowsingWithSearch());
}

void CloseWhenRequested(ui::Window window) {
  if (closeRequested && !IsBusy()) ui::EndDialog(window, ui::kCancel);
}

// Shows a position with every control greyed while the page fills.
void Show(ui::Window window, int64_t position) {
  if (position < 1) return;
  for (int id : {kFirst, kPrevious, kNext, kLast, kNumber, kGoTo, kWithSearch})
    ui::Enable(window, id, false);
  if (const int64_t record = ShowBrowserPosition(position); record > 0)
    ui::SetText(window, kShown, std::to_string(record));
}

void Move(ui::Window window, BrowserMove move) {
  Show(window, PositionAfterMove(move, browserRecordNumber, BrowsablePositions(),
                                 ui::Text(window, kNumber)));
}

// Runs one click's work with the browser busy, then gives the controls back. A record that
// the memory left cannot hold is not shown, and the browser goes on.
template <typename Work>
void RunBusy(ui::Window window, Work work) {
  moving = true;
  try {
    work();
  } catch (const std::bad_alloc&) {
    Tell(nullptr, kOutOfMemory);
  }
  moving = false;
  UpdateControls(window);
  CloseWhenRequested(window);
}

void Initialise(ui::Window window) {
  databaseBrowserWindow = window;
  closeRequested = false;
  browserRecordNumber = 0;
  UpdateControls(window);
  ui::SetTimer(window, kBusyTimer, kBusyTimerMs);
  RunBusy(window, [&] {
    if (GetLastRecordNumber() < 1) return;
    RebuildPlaceholderTexts();
    Show(window, 1);
  });
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  // A click that came in while a scan let the windows run waits for nothing: it is dropped.
  if (IsBusy()) return;
  if (id == kWithSearch) {
    browseWithSearch = ui::Checked(window, kWithSearch) ? 1 : 0;
    RunBusy(window, [&] {
      Show(window, PositionAfterMove(BrowserMove::kFirst, 0, BrowsablePositions()));
    });
    return;
  }
  if (!IsPressCode(code)) return;
  static constexpr std::pair<int, BrowserMove> kMoves[] = {
      {kFirst, BrowserMove::kFirst}, {kPrevious, BrowserMove::kPrevious},
      {kNext, BrowserMove::kNext},   {kLast, BrowserMove::kLast},
      {kGoTo, BrowserMove::kGoTo},
  };
  for (const auto& entry : kMoves)
    if (id == entry.first) RunBusy(window, [&] { Move(window, entry.second); });
}

intptr_t OnTimer(ui::Window window, ui::Msg msg, intptr_t, intptr_t) {
  if (msg != ui::Msg::Timer) return 0;
  UpdateControls(window);
  CloseWhenRequested(window);
  return 1;
}

void OnDestroy(ui::Window window) {
  ui::KillTimer(window, kBusyTimer);
  databaseBrowserWindow = nullptr;
  closeRequested = false;
  if (onDatabaseBrowserClosed) onDatabaseBrowserClosed();
}

// The close box while a scan or a move runs closes the browser once it is over.
bool KeepOpenWhileBusy(ui::Window) {
  if (!IsBusy()) return false;
  closeRequested = true;
  return true;
}

constexpr DialogHandlers kHandlers{.init = Initialise,
                                   .command = OnCommand,
                                   .destroy = OnDestroy,
                                   .other = OnTimer,
                                   .keepOpen = KeepOpenWhileBusy};

}  // namespace

intptr_t DatabaseBrowserDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetDatabaseBrowser() {
  if (databaseBrowserWindow) ui::DestroyWindow(databaseBrowserWindow);
  databaseBrowserWindow = nullptr;
  browserOpen = 0;
  moving = false;
  closeRequested = false;
}
const EnrolledStart enrolled(ResetDatabaseBrowser);

void ShowDatabaseBrowser(ui::Window owner) {
  if (databaseBrowserWindow) {
    ui::SetFocus(databaseBrowserWindow);
    return;
  }
  if (valueScanBusy) return;
  ui::DialogTemplate t;
  t.caption = "Registros Base Datos";
  t.w = 277;
  t.h = 45;
  t.x = 70;
  t.y = 70;
  t.topmost = true;
  t.toolWindow = true;
  t.controls = {
      {ui::Kind::Button, kFirst, "|<", 5, 5, 20, 15, 0, kFace, 8},
      {ui::Kind::Button, kPrevious, "<<", 30, 5, 20, 15, 0, kFace, 8},
      {ui::Kind::Button, kNext, ">>", 55, 5, 20, 15, 0, kFace, 8},
      {ui::Kind::Button, kLast, ">|", 80, 5, 20, 15, 0, kFace, 8},
      {ui::Kind::Label, kShown, "", 105, 8, 55, 8, ui::kCentred, kFace, 8},
      {ui::Kind::Edit, kNumber, "", 163, 5, 50, 15, ui::kDigitsOnly | ui::kSunken, kFace, 8},
      {ui::Kind::Button, kGoTo, "Ir a", 220, 5, 50, 15, 0, kFace, 10},
      {ui::Kind::CheckBox, kWithSearch, "Navegar con b\xFAsqueda", 5, 25, 120, 15, 0, kFace, 10},
  };
  ui::ShowModeless(t, owner, DatabaseBrowserDlgProc);
}
