// Dialog life: Init and Destroy, modal runs driven by queued actions, closing, nested and
// unexpected dialogs, timers, dialog units and message delivery.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <chrono>

#include "platform/ui/ui_internal.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

TEST_F(UiTest, ModalRunDeliversInitFirstAndDestroyLastOnce) {
  ui::Window seen = nullptr;
  ui::testing::OnDialog("Prueba", [&](ui::Window d) {
    seen = d;
    EXPECT_EQ(Count(ui::Msg::Init), 1);
    EXPECT_EQ(Count(ui::Msg::Destroy), 0);
    EXPECT_TRUE(ui::IsWindow(d));
    ui::EndDialog(d, 7);
  });
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), 7);
  ASSERT_FALSE(Log().empty());
  EXPECT_EQ(Log().front().msg, ui::Msg::MeasureItem);  // the owner-drawn list, before Init
  EXPECT_EQ(Log()[1].msg, ui::Msg::Init);
  EXPECT_EQ(Log().back().msg, ui::Msg::Destroy);
  EXPECT_EQ(Log().back().window, seen);
  EXPECT_EQ(Count(ui::Msg::Init), 1);
  EXPECT_EQ(Count(ui::Msg::Destroy), 1);
  EXPECT_FALSE(ui::IsWindow(seen));
  EXPECT_EQ(ui::testing::DialogsOpened(), std::vector<std::string>{"Prueba"});
  EXPECT_TRUE(ui::testing::Unexpected().empty());
}

TEST_F(UiTest, EndDialogDuringInitNeverShowsTheDialog) {
  Hook() = [](ui::Window w, ui::Msg m, intptr_t, intptr_t) -> intptr_t {
    if (m == ui::Msg::Init) ui::EndDialog(w, 3);
    return 0;
  };
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), 3);
  EXPECT_TRUE(ui::testing::DialogsOpened().empty());
  EXPECT_TRUE(ui::testing::Unexpected().empty());
  EXPECT_EQ(Count(ui::Msg::Destroy), 1);
}

TEST_F(UiTest, CloseBoxUnhandledEndsWithCancelAndDestroyStillArrives) {
  ui::testing::OnDialog("Prueba", [](ui::Window d) { ui::testing::CloseBox(d); });
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), ui::kCancel);
  EXPECT_EQ(Count(ui::Msg::Close), 1);
  EXPECT_EQ(Count(ui::Msg::Destroy), 1);
  EXPECT_TRUE(ui::testing::Unexpected().empty());
}

TEST_F(UiTest, CloseHandledByTheProcedureKeepsTheDialogOpen) {
  Hook() = [](ui::Window, ui::Msg m, intptr_t, intptr_t) -> intptr_t { return m == ui::Msg::Close; };
  ui::testing::OnDialog("Prueba", [](ui::Window d) {
    ui::testing::CloseBox(d);
    EXPECT_TRUE(ui::IsWindow(d));
    EXPECT_EQ(Count(ui::Msg::Destroy), 0);
    ui::EndDialog(d, ui::kOk);
  });
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), ui::kOk);
  EXPECT_EQ(Count(ui::Msg::Close), 1);
  EXPECT_EQ(Count(ui::Msg::Destroy), 1);
}

TEST_F(UiTest, ModelessDialogLivesUntilEndDialogOrDestroyWindow) {
  for (bool byEnd : {true, false}) {
    Log().clear();
    ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(ui::IsWindow(d));
    EXPECT_EQ(Count(ui::Msg::Init), 1);
    ui::Window button = ui::Item(d, kOkButton);
    if (byEnd) ui::EndDialog(d, 0);
    else ui::DestroyWindow(d);
    EXPECT_FALSE(ui::IsWindow(d));
    EXPECT_FALSE(ui::IsWindow(button));
    EXPECT_EQ(Count(ui::Msg::Destroy), 1);
    ui::DestroyWindow(d);  // a stale window is ignored
    EXPECT_EQ(Count(ui::Msg::Destroy), 1);
  }
  EXPECT_TRUE(ui::testing::Unexpected().empty());
}

TEST_F(UiTest, ItemsParentsAndIds) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  ui::Window edit = ui::Item(d, kEdit);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(ui::ItemId(edit), kEdit);
  EXPECT_EQ(ui::ItemId(d), 0);
  EXPECT_EQ(ui::Parent(edit), d);
  EXPECT_EQ(ui::Item(d, 999), nullptr);
  EXPECT_EQ(ui::Item(nullptr, kEdit), nullptr);
  EXPECT_FALSE(ui::IsWindow(nullptr));
  ui::DestroyWindow(d);
}

// A main window whose menu opens a modal box of its own, as the program's shell does.
namespace {
ui::Window innerBox = nullptr;
intptr_t InnerProc(ui::Window w, ui::Msg m, intptr_t first, intptr_t second) {
  RecordingProc(w, m, first, second);
  if (m == ui::Msg::Command && first == kOkButton) ui::EndDialog(w, 0);
  return 0;
}
intptr_t OuterProc(ui::Window w, ui::Msg m, intptr_t first, intptr_t second) {
  RecordingProc(w, m, first, second);
  if (m == ui::Msg::Command && first == 1048) {
    ui::DialogTemplate t = SampleTemplate("Autor");
    int code = ui::RunModal(t, w, InnerProc);
    ui::SetCaption(w, "Veluna " + std::to_string(code));
  }
  return 0;
}
}  // namespace

TEST_F(UiTest, NestedModalDialogsRunTheirOwnQueuedActions) {
  ui::testing::OnDialog("Autor", [](ui::Window d) {
    innerBox = d;
    // While the box runs, its owner takes no input.
    ui::testing::Click(ui::Parent(d), kCancelButton);
    EXPECT_EQ(CountCommands(kCancelButton), 0);
    ui::testing::Click(d, kOkButton);
  });
  ui::testing::OnDialog("Veluna", [](ui::Window main) {
    ui::SetMenuBar(main, {{"Archivos", {{"Autor", 1048}}}});
    EXPECT_TRUE(ui::testing::ChooseMenu(main, 1048));
    EXPECT_FALSE(ui::IsWindow(innerBox));
    EXPECT_EQ(ui::Caption(main), "Veluna 0");
    ui::testing::Click(main, kCancelButton);  // usable again
    EXPECT_EQ(CountCommand(kCancelButton, ui::kClicked), 1);
    ui::EndDialog(main, 5);
  });
  EXPECT_EQ(ui::RunModal(SampleTemplate("Veluna"), nullptr, OuterProc), 5);
  EXPECT_EQ(ui::testing::DialogsOpened(), (std::vector<std::string>{"Veluna", "Autor"}));
  EXPECT_TRUE(ui::testing::Unexpected().empty());
  EXPECT_EQ(Count(ui::Msg::Destroy), 2);
}

TEST_F(UiTest, UnexpectedDialogsAreEndedAndNoted) {
  // Nothing queued for it.
  EXPECT_EQ(ui::RunModal(SampleTemplate("Sorpresa"), nullptr, RecordingProc), -1);
  // An action that leaves it open.
  ui::testing::OnDialog("Abierto", [](ui::Window) {});
  EXPECT_EQ(ui::RunModal(SampleTemplate("Abierto"), nullptr, RecordingProc), -1);
  // An action queued for another dialog stays queued.
  ui::testing::OnDialog("Otro", [](ui::Window d) { ui::EndDialog(d, 4); });
  EXPECT_EQ(ui::RunModal(SampleTemplate("Sorpresa"), nullptr, RecordingProc), -1);
  EXPECT_EQ(ui::RunModal(SampleTemplate("Otro"), nullptr, RecordingProc), 4);
  EXPECT_EQ(ui::testing::Unexpected(), (std::vector<std::string>{"Sorpresa", "Abierto", "Sorpresa"}));
  EXPECT_EQ(Count(ui::Msg::Destroy), 4);
}

TEST_F(UiTest, ActionsForTheSameCaptionRunInOrder) {
  std::vector<int> order;
  ui::testing::OnDialog("Prueba", [&](ui::Window d) { order.push_back(1); ui::EndDialog(d, 1); });
  ui::testing::OnDialog("Prueba", [&](ui::Window d) { order.push_back(2); ui::EndDialog(d, 2); });
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), 1);
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), 2);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(UiTest, TimersFireOnlyWhileRunning) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  EXPECT_FALSE(ui::testing::FireTimer(d, 6021));
  ui::SetTimer(d, 6021, 100);
  EXPECT_TRUE(ui::testing::TimerRunning(d, 6021));
  EXPECT_TRUE(ui::testing::FireTimer(d, 6021));
  EXPECT_TRUE(ui::testing::FireTimer(d, 6021));
  EXPECT_EQ(Count(ui::Msg::Timer), 2);
  EXPECT_EQ(Log().back().first, 6021);
  ui::KillTimer(d, 6021);
  EXPECT_FALSE(ui::testing::TimerRunning(d, 6021));
  EXPECT_FALSE(ui::testing::FireTimer(d, 6021));
  EXPECT_EQ(Count(ui::Msg::Timer), 2);

  ui::SetTimer(d, 1, 50);
  ui::DestroyWindow(d);
  EXPECT_FALSE(ui::testing::TimerRunning(d, 1));
  EXPECT_FALSE(ui::testing::FireTimer(d, 1));
  EXPECT_EQ(Count(ui::Msg::Timer), 2);
}

TEST_F(UiTest, TimerHandlerIsNotReenteredByItsOwnTimer) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  ui::SetTimer(d, 9, 10);
  Hook() = [](ui::Window w, ui::Msg m, intptr_t first, intptr_t) -> intptr_t {
    if (m == ui::Msg::Timer) {
      EXPECT_TRUE(ui::testing::FireTimer(w, static_cast<int>(first)));
    }
    return 0;
  };
  EXPECT_TRUE(ui::testing::FireTimer(d, 9));
  EXPECT_EQ(Count(ui::Msg::Timer), 1);
  ui::DestroyWindow(d);
}

TEST_F(UiTest, RealTimerDeliversUntilKilledAtDestroy) {
  ui::testing::End();  // real timers
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  ui::SetTimer(d, 3, 1);
  QElapsedTimer clock;
  clock.start();
  while (Count(ui::Msg::Timer) == 0 && clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_GE(Count(ui::Msg::Timer), 1);
  // Other messages may come after it on a busy machine; every timer message is timer 3's.
  for (const Received& r : Log()) {
    if (r.msg == ui::Msg::Timer) {
      EXPECT_EQ(r.first, 3);
    }
  }
  ui::DestroyWindow(d);
  EXPECT_FALSE(ui::testing::TimerRunning(d, 3));
  int fired = Count(ui::Msg::Timer);
  QCoreApplication::processEvents();
  EXPECT_EQ(Count(ui::Msg::Timer), fired);
}

TEST_F(UiTest, DialogUnitsFollowTheFont) {
  ui::DialogTemplate small;
  small.points = 10;
  ui::DialogTemplate large = small;
  large.points = 20;
  int x10 = ui::DialogUnitsToPixelsX(small, 200), x20 = ui::DialogUnitsToPixelsX(large, 200);
  int y10 = ui::DialogUnitsToPixelsY(small, 200), y20 = ui::DialogUnitsToPixelsY(large, 200);
  EXPECT_GT(x10, 100);
  EXPECT_GT(y10, 100);
  EXPECT_NEAR(static_cast<double>(x20) / x10, 2.0, 0.2);
  EXPECT_NEAR(static_cast<double>(y20) / y10, 2.0, 0.2);
  EXPECT_EQ(ui::DialogUnitsToPixelsX(small, 0), 0);
  // Four horizontal units are about one average character, eight vertical ones one line.
  EXPECT_GE(ui::DialogUnitsToPixelsX(small, 4), 5);
  EXPECT_LE(ui::DialogUnitsToPixelsX(small, 4), 10);
  EXPECT_GE(ui::DialogUnitsToPixelsY(small, 8), 12);
  EXPECT_LE(ui::DialogUnitsToPixelsY(small, 8), 18);

  // The dialog's client area is the template's size converted.
  ui::DialogTemplate about;
  about.caption = "Autor";
  about.w = 201;
  about.h = 121;
  ui::Window d = ui::ShowModeless(about, nullptr, RecordingProc);
  QImage shot = Grabbed(d, "about");
  EXPECT_EQ(shot.width(), ui::DialogUnitsToPixelsX(about, 201));
  EXPECT_EQ(shot.height(), ui::DialogUnitsToPixelsY(about, 121));
  ui::DestroyWindow(d);
}

TEST_F(UiTest, SendMessageIsDirectAndPostCommandQueued) {
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  Hook() = [](ui::Window, ui::Msg m, intptr_t first, intptr_t) -> intptr_t {
    return m == ui::Msg::Command ? first * 2 : 0;
  };
  EXPECT_EQ(ui::SendMessage(d, ui::Msg::Command, 21, 0), 42);
  EXPECT_EQ(ui::SendMessage(nullptr, ui::Msg::Command, 21, 0), 0);
  Log().clear();
  ui::PostCommand(d, 77, 9);
  EXPECT_EQ(CountCommands(77), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(CountCommand(77, 9), 1);
  // A command posted to a window closed before it runs is dropped.
  ui::PostCommand(d, 78);
  ui::DestroyWindow(d);
  QCoreApplication::processEvents();
  EXPECT_EQ(CountCommands(78), 0);
}

TEST_F(UiTest, PumpMessagesRunsPendingWorkAtMostEveryTenMilliseconds) {
  using Clock = std::chrono::steady_clock;
  using std::chrono::milliseconds;
  ui::Window d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
  // A pass shows by the command posted before it running; one is always pending. However
  // slowly the calls come, a pass needs 10 ms since the one before, and a call made 10 ms
  // after the last pass ended takes one.
  ui::PostCommand(d, 55);
  int passes = 0;
  Clock::time_point lastStarted, lastEnded;
  const Clock::time_point start = Clock::now();
  while (passes < 3 && Clock::now() - start < std::chrono::seconds(5)) {
    const Clock::time_point before = Clock::now();
    ui::PumpMessages();
    const Clock::time_point after = Clock::now();
    if (CountCommands(55) > passes) {
      if (++passes > 1) {
        EXPECT_GE(after - lastStarted, milliseconds(10)) << "pass " << passes;
      }
      lastStarted = before;
      lastEnded = after;
      ui::PostCommand(d, 55);
    } else if (passes > 0 && before - lastEnded >= milliseconds(10)) {
      ADD_FAILURE() << "a call 10 ms after pass " << passes << " took none";
      break;
    }
  }
  EXPECT_EQ(passes, 3);
  ui::DestroyWindow(d);
}

TEST_F(UiTest, ActivationChangesAreDelivered) {
  ui::Window first = ui::ShowModeless(SampleTemplate("Primero"), nullptr, RecordingProc);
  EXPECT_EQ(Log().back().window, first);
  EXPECT_EQ(Log().back().msg, ui::Msg::Activate);
  Log().clear();
  ui::Window second = ui::ShowModeless(SampleTemplate("Segundo"), nullptr, RecordingProc);
  auto heard = [](ui::Window w, ui::Msg m) {
    int n = 0;
    for (const Received& r : Log()) n += r.window == w && r.msg == m;
    return n;
  };
  EXPECT_EQ(heard(first, ui::Msg::Deactivate), 1);
  EXPECT_EQ(heard(second, ui::Msg::Activate), 1);
  // Giving a control of the first dialog the focus brings that dialog back.
  Log().clear();
  ui::SetFocus(ui::Item(first, kEdit));
  EXPECT_EQ(heard(second, ui::Msg::Deactivate), 1);
  EXPECT_EQ(heard(first, ui::Msg::Activate), 1);
  EXPECT_EQ(ui::Focused(), ui::Item(first, kEdit));
  ui::DestroyWindow(second);
  ui::DestroyWindow(first);
  EXPECT_EQ(Count(ui::Msg::Destroy), 2);
}

TEST_F(UiTest, RealModalLoopRunsUntilEndDialogAndLeavesOtherWindowsWorking) {
  ui::testing::End();  // a real nested loop, ended by queued commands
  ui::Window other = ui::ShowModeless(SampleTemplate("Otra"), nullptr, RecordingProc);
  Hook() = [other](ui::Window w, ui::Msg m, intptr_t first, intptr_t) -> intptr_t {
    if (m == ui::Msg::Init && w != other) {
      ui::PostCommand(other, 500);
      ui::PostCommand(w, 501);
    }
    if (m == ui::Msg::Command && first == 501) {
      EXPECT_EQ(CountCommands(500), 1);  // the other window's command ran meanwhile
      ui::EndDialog(w, 9);
    }
    return 0;
  };
  EXPECT_EQ(ui::RunModal(SampleTemplate(), nullptr, RecordingProc), 9);
  EXPECT_TRUE(ui::IsWindow(other));
  ui::DestroyWindow(other);
}

TEST_F(UiTest, ARealModalRunBlocksOnlyItsOwner) {
  ui::testing::End();
  ui::Window main = ui::ShowModeless(SampleTemplate("Veluna"), nullptr, RecordingProc);
  ASSERT_NE(main, nullptr);
  for (ui::Window owner : {static_cast<ui::Window>(nullptr), main}) {
    SCOPED_TRACE(owner ? "owned by the main window" : "without owner");
    bool checked = false;
    Hook() = [&](ui::Window w, ui::Msg m, intptr_t first, intptr_t) -> intptr_t {
      if (w == main) return 0;
      if (m == ui::Msg::Init) ui::PostCommand(w, 501);
      if (m == ui::Msg::Command && first == 501) {
        // No application-wide modality: only the owner, if any, is shut.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(main->widget->isEnabled(), owner == nullptr);
        checked = true;
        ui::EndDialog(w, 3);
      }
      return 0;
    };
    EXPECT_EQ(ui::RunModal(SampleTemplate("Formato Papel"), owner, RecordingProc), 3);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(main->widget->isEnabled());
  }
  Hook() = nullptr;
  ui::DestroyWindow(main);
}

// A captionless panel has neither caption bar nor close box; Esc still reaches it as Close.
TEST_F(UiTest, ACaptionlessDialogHasNoFrameAndEscStillCloses) {
  ui::DialogTemplate t = SampleTemplate();
  t.captionless = true;
  bool frameless = false, framedByDefault = true;
  ui::testing::OnDialog("Prueba", [&](ui::Window d) {
    frameless = d->widget->windowFlags().testFlag(Qt::FramelessWindowHint);
    ui::testing::CloseBox(d);
  });
  EXPECT_EQ(ui::RunModal(t, nullptr, RecordingProc), ui::kCancel);
  ui::testing::OnDialog("Prueba", [&](ui::Window d) {
    framedByDefault = !d->widget->windowFlags().testFlag(Qt::FramelessWindowHint);
    ui::testing::CloseBox(d);
  });
  ui::RunModal(SampleTemplate(), nullptr, RecordingProc);
  EXPECT_TRUE(frameless);
  EXPECT_TRUE(framedByDefault);
}

// The window manager keeps every window above the window it belongs to: its owner's (the
// dialog of a control given as owner), or the main window's for a window opened without
// owner. The tie is the window manager's only: a window stays usable while a modal run shuts
// the window it belongs to.
TEST_F(UiTest, EveryWindowIsKeptAboveTheWindowItBelongsTo) {
  auto keptAbove = [](ui::Window w) -> QWindow* {
    QWindow* handle = w->widget->windowHandle();
    return handle ? handle->transientParent() : nullptr;
  };
  ui::DialogTemplate mainTemplate = SampleTemplate("Veluna");
  mainTemplate.minimiseBox = true;
  ui::Window main = ui::ShowModeless(mainTemplate, nullptr, RecordingProc);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(keptAbove(main), nullptr);
  ui::DialogTemplate toolTemplate = SampleTemplate("Herramienta");
  toolTemplate.toolWindow = toolTemplate.topmost = true;
  ui::Window tool = ui::ShowModeless(toolTemplate, nullptr, RecordingProc);
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(keptAbove(tool), main->widget->windowHandle());

  ui::DialogTemplate panel = SampleTemplate("keyboard");
  panel.captionless = true;
  struct Case {
    const char* name;
    ui::DialogTemplate t;
    ui::Window owner;
    ui::Window expected;
  };
  const Case cases[] = {
      {"captionless pop-up without owner", panel, nullptr, main},
      {"dialog without owner", SampleTemplate("Etiqueta esquinas"), nullptr, main},
      {"dialog owned by a tool window", SampleTemplate("Color"), tool, tool},
      {"dialog owned through a control", SampleTemplate("Color"), ui::Item(tool, kEdit), tool},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWindow* modalAbove = nullptr;
    ui::testing::OnDialog(c.t.caption, [&](ui::Window d) {
      modalAbove = keptAbove(d);
      ui::EndDialog(d, 0);
    });
    ui::RunModal(c.t, c.owner, RecordingProc);
    EXPECT_EQ(modalAbove, c.expected->widget->windowHandle());
    ui::Window modeless = ui::ShowModeless(c.t, c.owner, RecordingProc);
    ASSERT_NE(modeless, nullptr);
    EXPECT_EQ(keptAbove(modeless), c.expected->widget->windowHandle());
    ui::DestroyWindow(modeless);
  }

  bool toolUsable = false, mainShut = false;
  ui::testing::OnDialog("Autor", [&](ui::Window d) {
    mainShut = !main->widget->isEnabled();
    toolUsable = tool->widget->isEnabled();
    ui::EndDialog(d, 0);
  });
  ui::RunModal(SampleTemplate("Autor"), main, RecordingProc);
  EXPECT_TRUE(mainShut);
  EXPECT_TRUE(toolUsable);
  EXPECT_TRUE(ui::testing::Unexpected().empty());
  ui::DestroyWindow(tool);
  ui::DestroyWindow(main);
}
