// The test driver: queued actions for dialogs that open, queued answers for message boxes
// and common dialogs, and input given as a user gives it.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <cmath>

#include "platform/text/qt_text.h"
#include "platform/ui/ui_internal.h"

namespace ui {

TestState& Test() {
  static TestState state;
  return state;
}

bool RunQueuedAction(WindowRec* d) {
  auto it = Test().acts.find(d->templateCaption);
  if (it == Test().acts.end() || it->second.empty()) return false;
  std::function<void(Window)> act = std::move(it->second.front());
  it->second.pop_front();
  act(d);
  return true;
}

namespace testing {

namespace {

WindowRec* Clickable(Window dialog, int id) {
  WindowRec* c = FindControl(dialog, id);
  if (!c || !c->widget || !c->widget->isEnabled() || c->widget->isHidden()) return nullptr;
  return c;
}

// The key Qt reports for a typed character.
int KeyOf(QChar ch) {
  switch (ch.unicode()) {
    case '\r':
    case '\n': return Qt::Key_Return;
    case '\t': return Qt::Key_Tab;
    case '\b': return Qt::Key_Backspace;
    case ' ': return Qt::Key_Space;
    default: return ch.toUpper().unicode();
  }
}

void Press(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& typed) {
  QKeyEvent down(QEvent::KeyPress, key, mods, typed);
  QApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, mods, typed);
  QApplication::sendEvent(target, &up);
}

// The character a key gives when typed without shift.
QString TypedBy(intptr_t vk) {
  if (vk >= 'A' && vk <= 'Z') return QString(QChar(static_cast<char16_t>(vk - 'A' + 'a')));
  if ((vk >= '0' && vk <= '9') || vk == kKeyReturn || vk == kKeyEscape || vk == kKeyBack || vk == kKeyTab ||
      vk == kKeySpace)
    return QString(QChar(static_cast<char16_t>(vk)));
  return {};
}

}  // namespace

void Begin() {
  Test() = TestState();
  Test().on = true;
}

void End() { Test() = TestState(); }

bool Active() { return Test().on; }

void OnDialog(std::string caption, std::function<void(Window)> act) {
  Test().acts[caption].push_back(std::move(act));
}

const std::vector<std::string>& DialogsOpened() { return Test().opened; }
const std::vector<std::string>& Unexpected() { return Test().unexpected; }

void AnswerMessageBox(Answer a) { Test().answers.push_back(a); }
const std::vector<Shown>& MessagesShown() { return Test().shown; }
void AnswerFile(std::string path) { Test().files.push_back(std::move(path)); }
void AnswerColour(gfx::Colour c) { Test().colours.push_back(c); }
void AnswerFolder(std::string path) { Test().folders.push_back(std::move(path)); }
void AnswerFont(bool ok, FontChoice choice) { Test().fonts.emplace_back(ok, std::move(choice)); }
const FileDialogSpec& LastFileDialog() { return Test().lastFile; }

void Click(Window dialog, int id) {
  WindowRec* c = Clickable(dialog, id);
  if (!c) return;
  QPoint mid = c->widget->rect().center();
  intptr_t at = MakePoint(mid.x(), mid.y());
  Deliver(c, Msg::LeftDown, kMouseLeft, at);
  if (!IsLive(c)) return;
  Deliver(c, Msg::LeftUp, 0, at);
  if (!IsLive(c) || !c->widget) return;
  switch (c->kind) {
    case Kind::Button:
    case Kind::DefaultButton:
    case Kind::CheckBox:
    case Kind::OptionBox:
      static_cast<QAbstractButton*>(c->widget.data())->click();
      break;
    default:
      break;
  }
}

void TypeText(Window dialog, int id, std::string_view value) {
  WindowRec* c = Clickable(dialog, id);
  if (!c) return;
  QWidget* target = c->widget;
  if (auto* line = qobject_cast<QLineEdit*>(target)) {
    line->selectAll();
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
    edit->selectAll();
  } else if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit()) {
    combo->lineEdit()->selectAll();
  } else {
    return;
  }
  QString q = text::ToQ(value);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  if (q.isEmpty()) {
    Press(target, Qt::Key_Delete, Qt::NoModifier, QString());
    return;
  }
  for (QChar ch : q) {
    Qt::KeyboardModifiers mods = ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
    QString typed = ch == QLatin1Char('\n') ? QStringLiteral("\r") : QString(ch);
    Press(target, KeyOf(ch), mods, typed);
    if (!IsLive(c) || !c->widget) return;
  }
}

void ChooseListItem(Window dialog, int id, int index) {
  if (WindowRec* c = Clickable(dialog, id)) ChooseLine(c, index);
}

void CloseBox(Window window) { RequestClose(DialogOf(window)); }

void Mouse(Window control, Msg msg, int x, int y, intptr_t keys) {
  Deliver(control, msg, keys, MakePoint(x, y));
}

void Wheel(Window control, int delta, int x, int y) { Deliver(control, Msg::Wheel, delta, MakePoint(x, y)); }

void Key(Window control, intptr_t virtualKey) {
  if (IsLive(control)) DeliverKey(control, virtualKey, TypedBy(virtualKey));
}

bool Grab(Window window, std::string_view pngPath) {
  if (!IsLive(window) || !window->widget) return false;
  return window->widget->grab().save(text::PathToQ(pngPath), "PNG");
}

FontChoice ControlFont(Window dialog, int id) {
  FontChoice choice;
  WindowRec* c = FindControl(dialog, id);
  if (!c || !c->widget) return choice;
  const QFont f = c->widget->font();
  choice.face = text::FromQ(f.family());
  choice.points = static_cast<int>(std::lround(f.pixelSize() * 72.0 / 96.0));
  choice.styleFlags = (f.bold() ? gfx::kBold : 0) | (f.italic() ? gfx::kItalic : 0);
  return choice;
}

}  // namespace testing
}  // namespace ui
