// Mouse, wheel and keys: through subclassed control procedures, and from Qt's own events.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>

#include "platform/ui/ui_internal.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

ui::Proc oldProc = nullptr;
bool passOn = true;
intptr_t SubclassProc(ui::Window w, ui::Msg m, intptr_t first, intptr_t second) {
  Log().push_back({w, m, first, second});
  return passOn ? ui::CallOld(oldProc, w, m, first, second) : 0;
}

QWidget* WidgetOf(ui::Window w) { return w->widget; }

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QPointF global = target->mapToGlobal(QPointF(at));
  QMouseEvent e(type, QPointF(at), global, button, held, mods);
  QApplication::sendEvent(target, &e);
}

void SendKey(QWidget* target, int key, const QString& typed = {}) {
  QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, typed);
  QApplication::sendEvent(target, &e);
}

void SendWheel(QWidget* target, int delta, QPoint at) {
  QWheelEvent e(QPointF(at), target->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &e);
}

class InputTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
    ASSERT_NE(d, nullptr);
    canvas = ui::Item(d, kGraphic);
    passOn = true;
    oldProc = ui::SubclassControl(canvas, SubclassProc);
    Log().clear();
  }
  void TearDown() override {
    ui::DestroyWindow(d);
    UiTest::TearDown();
  }
  ui::Window d = nullptr;
  ui::Window canvas = nullptr;
};

}  // namespace

TEST_F(InputTest, SubclassSeesMouseFirstAndTheOldProcedureNotifies) {
  ASSERT_NE(oldProc, nullptr);
  ui::testing::Mouse(canvas, ui::Msg::LeftDown, 12, 34, ui::kMouseLeft);
  ASSERT_EQ(Log().size(), 2u);
  EXPECT_EQ(Log()[0].window, canvas);
  EXPECT_EQ(Log()[0].msg, ui::Msg::LeftDown);
  EXPECT_EQ(ui::PointX(Log()[0].second), 12);
  EXPECT_EQ(ui::PointY(Log()[0].second), 34);
  EXPECT_EQ(Log()[0].first, ui::kMouseLeft);
  EXPECT_EQ(Log()[1].window, d);
  EXPECT_EQ(Log()[1].msg, ui::Msg::Command);
  EXPECT_EQ(Log()[1].first, kGraphic);
  EXPECT_EQ(Log()[1].second, ui::kClicked);

  Log().clear();
  ui::testing::Mouse(canvas, ui::Msg::LeftDoubleClick, 1, 1);
  EXPECT_EQ(CountCommand(kGraphic, ui::kDoubleClicked), 1);

  // Without CallOld the control's own handling is skipped.
  Log().clear();
  passOn = false;
  ui::testing::Click(d, kGraphic);
  EXPECT_EQ(Count(ui::Msg::LeftDown), 1);
  EXPECT_EQ(Count(ui::Msg::LeftUp), 1);
  EXPECT_EQ(CountCommands(kGraphic), 0);
}

TEST_F(InputTest, ClickOnAGraphicControlGoesThroughTheSubclass) {
  ui::testing::Click(d, kGraphic);
  ASSERT_GE(Log().size(), 3u);
  EXPECT_EQ(Log()[0].msg, ui::Msg::LeftDown);
  EXPECT_EQ(Log()[0].window, canvas);
  EXPECT_EQ(CountCommand(kGraphic, ui::kClicked), 1);
  EXPECT_EQ(ui::Focused(), canvas);
}

TEST_F(InputTest, WheelAndKeysReachTheSubclass) {
  ui::testing::Wheel(canvas, -120, 5, 6);
  ui::testing::Key(canvas, ui::kKeyPageDown);
  ui::testing::Key(canvas, 'A');
  ASSERT_EQ(Log().size(), 4u);
  EXPECT_EQ(Log()[0].msg, ui::Msg::Wheel);
  EXPECT_EQ(Log()[0].first, -120);
  EXPECT_EQ(ui::PointX(Log()[0].second), 5);
  EXPECT_EQ(Log()[1].msg, ui::Msg::KeyDown);
  EXPECT_EQ(Log()[1].first, ui::kKeyPageDown);
  EXPECT_EQ(Log()[2].msg, ui::Msg::KeyDown);
  EXPECT_EQ(Log()[2].first, 'A');
  EXPECT_EQ(Log()[3].msg, ui::Msg::Char);
  EXPECT_EQ(Log()[3].first, 'a');
}

TEST_F(InputTest, QtMouseEventsBecomeMessagesInClientCoordinates) {
  QWidget* w = WidgetOf(canvas);
  SendMouse(w, QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  SendMouse(w, QEvent::MouseButtonRelease, {21, 31}, Qt::LeftButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonPress, {22, 32}, Qt::RightButton, Qt::RightButton);
  SendMouse(w, QEvent::MouseButtonRelease, {22, 32}, Qt::RightButton, Qt::NoButton);
  std::vector<ui::Msg> msgs;
  for (const Received& r : Log())
    if (r.window == canvas) msgs.push_back(r.msg);
  EXPECT_EQ(msgs, (std::vector<ui::Msg>{ui::Msg::MouseMove, ui::Msg::LeftDown, ui::Msg::LeftUp, ui::Msg::RightDown,
                                        ui::Msg::RightUp}));
  ASSERT_GE(Log().size(), 2u);
  EXPECT_EQ(ui::PointX(Log()[0].second), 7);
  EXPECT_EQ(ui::PointY(Log()[0].second), 8);
  EXPECT_EQ(Log()[1].first, ui::kMouseLeft | ui::kMouseShift);
  EXPECT_EQ(ui::PointX(Log()[1].second), 20);
  EXPECT_EQ(ui::PointY(Log()[1].second), 30);
  // The left press, through the old procedure, told the dialog.
  EXPECT_EQ(CountCommand(kGraphic, ui::kClicked), 1);
  // The dialog itself did not hear the canvas's mouse.
  for (const Received& r : Log()) EXPECT_FALSE(r.window == d && r.msg != ui::Msg::Command);
}

TEST_F(InputTest, QtWheelTurnsBecomeWholeNotches) {
  QWidget* w = WidgetOf(canvas);
  SendWheel(w, 120, {3, 4});
  SendWheel(w, -240, {3, 4});
  SendWheel(w, 60, {3, 4});   // half a notch: nothing yet
  EXPECT_EQ(Count(ui::Msg::Wheel), 2);
  SendWheel(w, 60, {3, 4});
  ASSERT_EQ(Count(ui::Msg::Wheel), 3);
  std::vector<intptr_t> deltas;
  for (const Received& r : Log())
    if (r.msg == ui::Msg::Wheel) deltas.push_back(r.first);
  EXPECT_EQ(deltas, (std::vector<intptr_t>{120, -240, 120}));
}

TEST_F(InputTest, QtKeysBecomeVirtualKeys) {
  struct Case { int qtKey; intptr_t vk; };
  const Case cases[] = {
      {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24},
      {Qt::Key_Left, 0x25},   {Qt::Key_Up, 0x26},       {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28},
      {Qt::Key_Return, 0x0D}, {Qt::Key_Delete, 0x2E},   {Qt::Key_Tab, 0x09},   {Qt::Key_Backspace, 0x08},
      {Qt::Key_Space, 0x20},  {Qt::Key_Q, 'Q'},         {Qt::Key_7, '7'},
  };
  QWidget* w = WidgetOf(canvas);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.qtKey);
    Log().clear();
    SendKey(w, c.qtKey);
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log()[0].window, canvas);
    EXPECT_EQ(Log()[0].msg, ui::Msg::KeyDown);
    EXPECT_EQ(Log()[0].first, c.vk);
  }
  Log().clear();
  SendKey(w, Qt::Key_Ntilde, QString(QChar(0xF1)));
  ASSERT_EQ(Count(ui::Msg::Char), 1);
  EXPECT_EQ(Log().back().first, 0xF1);
}

TEST_F(InputTest, DialogHearsMouseOnItsBareClientArea) {
  QWidget* client = d->client;
  SendMouse(client, QEvent::MouseButtonPress, {300, 380}, Qt::LeftButton, Qt::LeftButton);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].window, d);
  EXPECT_EQ(Log()[0].msg, ui::Msg::LeftDown);
  EXPECT_EQ(ui::PointX(Log()[0].second), 300);
  EXPECT_EQ(ui::PointY(Log()[0].second), 380);
  // A point over a control is the control's.
  Log().clear();
  SendMouse(client, QEvent::MouseButtonPress, {20, 250}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(Log().empty());
}

TEST_F(InputTest, EscapeAsksTheDialogToClose) {
  ui::Window edit = ui::Item(d, kEdit);
  SendKey(WidgetOf(edit), Qt::Key_Escape, QStringLiteral("\x1b"));
  EXPECT_EQ(Count(ui::Msg::Close), 1);
  EXPECT_FALSE(ui::IsWindow(d));  // unhandled: a modeless dialog goes away
  // The dialog and, after it, the subclassed canvas hear Destroy once each.
  ASSERT_EQ(Count(ui::Msg::Destroy), 2);
  std::vector<ui::Window> destroyed;
  for (const Received& r : Log())
    if (r.msg == ui::Msg::Destroy) destroyed.push_back(r.window);
  EXPECT_EQ(destroyed, (std::vector<ui::Window>{d, canvas}));
}

TEST_F(InputTest, CursorsCanBeSet) {
  for (ui::Cursor c : {ui::Cursor::Cross, ui::Cursor::Hand, ui::Cursor::Wait, ui::Cursor::Arrow}) ui::SetCursor(canvas, c);
  EXPECT_EQ(WidgetOf(canvas)->cursor().shape(), Qt::ArrowCursor);
  ui::SetCursor(canvas, ui::Cursor::Cross);
  EXPECT_EQ(WidgetOf(canvas)->cursor().shape(), Qt::CrossCursor);
}

TEST_F(InputTest, EnterPressesTheFocusedButtonOrElseTheDefaultOne) {
  // Typed in an edit: the default button.
  ui::SetFocus(ui::Item(d, kEdit));
  SendKey(WidgetOf(ui::Item(d, kEdit)), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(CountCommand(kOkButton, ui::kClicked), 1);
  EXPECT_EQ(CountCommands(kCancelButton), 0);
  // On another button: that button.
  Log().clear();
  ui::SetFocus(ui::Item(d, kCancelButton));
  SendKey(WidgetOf(ui::Item(d, kCancelButton)), Qt::Key_Enter, QStringLiteral("\r"));
  EXPECT_EQ(CountCommand(kCancelButton, ui::kClicked), 1);
  EXPECT_EQ(CountCommands(kOkButton), 0);
  // A greyed default button is not pressed.
  Log().clear();
  ui::Enable(d, kOkButton, false);
  ui::SetFocus(ui::Item(d, kEdit));
  SendKey(WidgetOf(ui::Item(d, kEdit)), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(CountCommands(kOkButton), 0);
}

TEST_F(UiTest, EnterPressesNoButtonWhenTheDialogHasNoDefaultOne) {
  ui::DialogTemplate t;
  t.caption = "Formato";
  t.units = ui::Units::Pixels;
  t.w = 300;
  t.h = 120;
  t.controls = {
      {ui::Kind::Edit, 1, "", 10, 10, 100, 24},
      {ui::Kind::Button, 2, "Salir", 10, 80, 80, 28},
      {ui::Kind::Button, 3, "Aceptar", 200, 80, 80, 28},
  };
  ui::Window d = ui::ShowModeless(t, nullptr, RecordingProc);
  ASSERT_NE(d, nullptr);
  ui::Window edit = ui::Item(d, 1);
  ui::SetFocus(edit);
  Log().clear();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(edit->widget, &enter);
  EXPECT_EQ(Count(ui::Msg::Command), 0);
  EXPECT_TRUE(ui::IsWindow(d));
  for (int id : {2, 3}) EXPECT_FALSE(static_cast<QPushButton*>(ui::Item(d, id)->widget.data())->isDefault()) << id;
  ui::DestroyWindow(d);
}

TEST_F(UiTest, EscapeLeavesAMainWindowOpenButItsCloseBoxStillAsks) {
  ui::DialogTemplate t = SampleTemplate("Principal");
  t.minimiseBox = true;
  ui::Window w = ui::ShowModeless(t, nullptr, RecordingProc);
  ASSERT_NE(w, nullptr);
  for (int id : {kEdit, kGraphic}) {
    ui::SetFocus(ui::Item(w, id));
    SendKey(ui::Item(w, id)->widget, Qt::Key_Escape, QStringLiteral("\x1b"));
  }
  EXPECT_EQ(Count(ui::Msg::Close), 0);
  EXPECT_TRUE(ui::IsWindow(w));
  // The window manager's close box is another matter: the procedure hears Close.
  Hook() = [](ui::Window, ui::Msg m, intptr_t, intptr_t) -> intptr_t { return m == ui::Msg::Close; };
  w->widget->close();
  EXPECT_EQ(Count(ui::Msg::Close), 1);
  EXPECT_TRUE(ui::IsWindow(w));
  ui::DestroyWindow(w);
}
