// Dialogs built from templates, the registry of windows and the delivery of messages.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <unordered_set>

#include "platform/desktop/resources_qt.h"
#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"
#include "platform/ui/ui_internal.h"

namespace ui {

namespace {

std::unordered_set<WindowRec*>& Live() {
  static std::unordered_set<WindowRec*> live;
  return live;
}

QHash<const QObject*, WindowRec*>& Widgets() {
  static QHash<const QObject*, WindowRec*> widgets;
  return widgets;
}

// Records of closed windows are kept a while so that a stale Window the program still holds
// is not soon mistaken for a new window made at the same address.
void Retire(WindowRec* r) {
  static std::deque<std::unique_ptr<WindowRec>> retired;
  r->menus.clear();
  r->menuStates.clear();
  r->image = QImage();
  r->controls.clear();
  retired.emplace_back(r);
  if (retired.size() > 4096) retired.pop_front();
}

int dispatchDepth = 0;

// Graphic controls show their surfaces as they stand after every handled message, so that
// drawing done by a procedure appears without an explicit redraw.
void RefreshGraphics() {
  for (WindowRec* r : Live())
    if (!r->isDialog && r->kind == Kind::Graphic && r->widget) r->widget->update();
}

intptr_t MouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  intptr_t k = 0;
  if (buttons & Qt::LeftButton) k |= kMouseLeft;
  if (buttons & Qt::RightButton) k |= kMouseRight;
  if (mods & Qt::ShiftModifier) k |= kMouseShift;
  if (mods & Qt::ControlModifier) k |= kMouseControl;
  return k;
}

intptr_t VirtualKeyOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return kKeyTab;
    case Qt::Key_Return: case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return kKeyDelete;
    default: return 0;
  }
}

bool IsControlWidget(QWidget* w) {
  WindowRec* r = w ? RecOf(w) : nullptr;
  return r && !r->isDialog;
}

// Turns Qt's input events into the messages of the window they belong to.
class EventRouter : public QObject {
 protected:
  bool eventFilter(QObject* obj, QEvent* e) override {
    WindowRec* r = RecOf(obj);
    if (!r || !obj->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(obj);
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        Mouse(r, w, static_cast<QMouseEvent*>(e));
        break;
      case QEvent::Wheel:
        Wheel(r, w, static_cast<QWheelEvent*>(e));
        break;
      case QEvent::KeyPress:
        if (w == r->widget && WantsKeys(r)) {
          auto* k = static_cast<QKeyEvent*>(e);
          DeliverKey(r, VirtualKeyOf(k->key()), k->text());
        }
        break;
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        if (w == r->widget && !r->isDialog && r->kind == Kind::Edit)
          Notify(r, e->type() == QEvent::FocusIn ? kSetFocus : kKillFocus);
        break;
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate:
        if (w == r->widget && r->isDialog && !r->ended && !r->destroyed)
          Deliver(r, e->type() == QEvent::WindowActivate ? Msg::Activate : Msg::Deactivate, 0, 0);
        break;
      default:
        break;
    }
    return false;
  }

 private:
  // A dialog's own procedure hears keys only while none of its controls has the focus.
  static bool WantsKeys(WindowRec* r) {
    if (!r->isDialog) return true;
    QWidget* f = r->widget->focusWidget();
    for (; f && f != r->widget; f = f->parentWidget())
      if (IsControlWidget(f)) return false;
    return true;
  }

  // Where a control's mouse messages come from: a scroll area's viewport, or the control
  // and its own editing field.
  static bool TakesMouseFrom(WindowRec* r, QWidget* w) {
    if (r->isDialog) return w == r->client;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(r->widget.data())) return w == area->viewport();
    return true;
  }

  static QPoint ClientPoint(WindowRec* r, QWidget* w, QPoint p) {
    QWidget* base = r->isDialog ? r->client : r->widget.data();
    if (w != base) p = w->mapTo(base, p);
    if (!r->isDialog && r->kind == Kind::Graphic)
      p -= static_cast<QFrame*>(base)->contentsRect().topLeft();
    return p;
  }

  static void Mouse(WindowRec* r, QWidget* w, QMouseEvent* e) {
    if (!TakesMouseFrom(r, w)) return;
    QPoint p = ClientPoint(r, w, e->position().toPoint());
    if (r->isDialog) {
      // Events that reach the client area from one of its controls are the control's.
      bool onControl = IsControlWidget(r->client->childAt(p));
      bool held = r->pressedOnClient && e->type() != QEvent::MouseButtonPress;
      if (onControl && !held) return;
      if (e->type() == QEvent::MouseButtonPress) r->pressedOnClient = true;
      if (e->type() == QEvent::MouseButtonRelease && e->buttons() == Qt::NoButton) r->pressedOnClient = false;
    }
    Msg msg;
    switch (e->type()) {
      case QEvent::MouseButtonPress:
        if (e->button() == Qt::LeftButton) msg = Msg::LeftDown;
        else if (e->button() == Qt::RightButton) msg = Msg::RightDown;
        else return;
        break;
      case QEvent::MouseButtonDblClick:
        if (e->button() == Qt::LeftButton) msg = Msg::LeftDoubleClick;
        else if (e->button() == Qt::RightButton) msg = Msg::RightDown;
        else return;
        break;
      case QEvent::MouseButtonRelease:
        if (e->button() == Qt::LeftButton) msg = Msg::LeftUp;
        else if (e->button() == Qt::RightButton) msg = Msg::RightUp;
        else return;
        break;
      default:
        msg = Msg::MouseMove;
        break;
    }
    Deliver(r, msg, MouseKeysOf(e->buttons(), e->modifiers()), MakePoint(p.x(), p.y()));
  }

  static void Wheel(WindowRec* r, QWidget* w, QWheelEvent* e) {
    if (!TakesMouseFrom(r, w)) return;
    QPoint p = ClientPoint(r, w, e->position().toPoint());
    if (r->isDialog && IsControlWidget(r->client->childAt(p))) return;
    // Fine-grained wheels send parts of a notch; a message goes out per whole notch.
    r->wheelRest += e->angleDelta().y();
    int notches = r->wheelRest / 120;
    if (notches == 0) return;
    r->wheelRest -= notches * 120;
    Deliver(r, Msg::Wheel, notches * 120, MakePoint(p.x(), p.y()));
  }
};

EventRouter& Router() {
  static EventRouter* router = new EventRouter;
  return *router;
}

void Watch(QWidget* w, WindowRec* r) {
  MapWidget(w, r);
  w->installEventFilter(&Router());
  w->setMouseTracking(true);
}

struct BaseUnits { int x; int y; };

// Dialog base units of a font, as the dialog manager measures them: the average width of
// the 52 letters, rounded, and the character cell's height.
BaseUnits BaseUnitsOf(const QFont& font) {
  QFontMetrics fm(font);
  int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, fm.height()};
}

int Scale(int v, int base, int div) { return static_cast<int>(std::lround(static_cast<double>(v) * base / div)); }

QRect ControlRect(const QRect& r, WindowRec* c) {
  if (c->kind == Kind::ComboBox || c->kind == Kind::DropList) {
    // The template's height counts the dropped list; the field takes the height it needs.
    auto* combo = static_cast<QComboBox*>(c->widget.data());
    int h = combo->sizeHint().height();
    if (c->itemHeight > 0) h = std::max(h, c->itemHeight + 6);
    return QRect(r.x(), r.y(), r.width(), h);
  }
  return r;
}

void SetFrame(QFrame* f, unsigned style) {
  if (style & kSunken) {
    f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    f->setLineWidth(2);
  } else if (style & kBorder) {
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setLineWidth(1);
  }
}

// An edit's length as the program counts it, each line break being CR LF.
int EditLength(const QString& s) { return static_cast<int>(s.size() + s.count(QLatin1Char('\n'))); }

void OnPlainTextChanged(QPlainTextEdit* edit) {
  WindowRec* r = RecOf(edit);
  if (!r || r->programmatic) return;
  QString s = edit->toPlainText();
  if (r->textLimit > 0 && EditLength(s) > r->textLimit) {
    // Text beyond the limit is refused as if it had never been typed.
    int keep = 0, length = 0;
    while (keep < s.size() && length + (s[keep] == QLatin1Char('\n') ? 2 : 1) <= r->textLimit)
      length += s[keep++] == QLatin1Char('\n') ? 2 : 1;
    r->programmatic = true;
    edit->setPlainText(s.left(keep));
    edit->moveCursor(QTextCursor::End);
    r->programmatic = false;
    return;
  }
  Notify(r, kEditChange);
}

QWidget* MakeControlWidget(const Control& ctl, QWidget* parent) {
  QString text = text::ToQ(ctl.text);
  switch (ctl.kind) {
    case Kind::Button:
    case Kind::DefaultButton: {
      auto* b = new QPushButton(text, parent);
      // Only a default button takes Enter typed elsewhere in the dialog (see keyPressEvent).
      b->setAutoDefault(false);
      b->setDefault(ctl.kind == Kind::DefaultButton);
      QObject::connect(b, &QPushButton::clicked, b, [b] {
        if (WindowRec* r = RecOf(b)) Notify(r, kClicked);
      });
      return b;
    }
    case Kind::CheckBox: {
      auto* b = new QCheckBox(text, parent);
      QObject::connect(b, &QCheckBox::clicked, b, [b] {
        if (WindowRec* r = RecOf(b)) Notify(r, kClicked);
      });
      return b;
    }
    case Kind::OptionBox: {
      auto* b = new QRadioButton(text, parent);
      b->setAutoExclusive(false);
      QObject::connect(b, &QRadioButton::clicked, b, [b] {
        WindowRec* r = RecOf(b);
        if (!r) return;
        CheckOptionInGroup(r);
        Notify(r, kClicked);
      });
      return b;
    }
    case Kind::GroupFrame: {
      auto* g = new QGroupBox(text, parent);
      g->setAttribute(Qt::WA_TransparentForMouseEvents);
      g->setFocusPolicy(Qt::NoFocus);
      return g;
    }
    case Kind::Label: {
      auto* l = new QLabel(text, parent);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      Qt::Alignment h = (ctl.style & kCentred) ? Qt::AlignHCenter
                        : (ctl.style & kRight)  ? Qt::AlignRight
                                                : Qt::AlignLeft;
      l->setAlignment(h | Qt::AlignTop);
      SetFrame(l, ctl.style);
      if (!(ctl.style & kNotify)) l->setAttribute(Qt::WA_TransparentForMouseEvents);
      return l;
    }
    case Kind::Edit: {
      if (ctl.style & kMultiLine) {
        auto* e = new QPlainTextEdit(parent);
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        e->setPlainText(t);
        e->setLineWrapMode((ctl.style & kHScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        e->setVerticalScrollBarPolicy((ctl.style & kVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        e->setReadOnly(ctl.style & kReadOnly);
        e->setTabChangesFocus(true);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [e] { OnPlainTextChanged(e); });
        return e;
      }
      auto* e = new QLineEdit(text, parent);
      e->setReadOnly(ctl.style & kReadOnly);
      if (ctl.style & kDigitsOnly)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
      QObject::connect(e, &QLineEdit::textChanged, e, [e] {
        WindowRec* r = RecOf(e);
        if (r && !r->programmatic) Notify(r, kEditChange);
      });
      return e;
    }
    case Kind::ListBox: {
      auto* l = new QListWidget(parent);
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      l->setUniformItemSizes(true);
      l->setItemDelegate(new ItemDelegate(l, l));
      l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      QObject::connect(l, &QListWidget::currentRowChanged, l, [l] {
        WindowRec* r = RecOf(l);
        if (r && !r->programmatic) Notify(r, kSelChange);
      });
      QObject::connect(l, &QListWidget::itemDoubleClicked, l, [l] {
        if (WindowRec* r = RecOf(l)) Notify(r, kListDoubleClick);
      });
      return l;
    }
    case Kind::ComboBox:
    case Kind::DropList: {
      auto* b = new OwnerCombo(parent);
      b->setItemDelegate(new ItemDelegate(b, b));
      if (ctl.kind == Kind::ComboBox) {
        b->setEditable(true);
        b->setInsertPolicy(QComboBox::NoInsert);
        b->setCompleter(nullptr);
        b->setEditText(text);
        QObject::connect(b->lineEdit(), &QLineEdit::textEdited, b, [b] {
          WindowRec* r = RecOf(b);
          if (r && !r->programmatic) Notify(r, kComboEditChange);
        });
      }
      QObject::connect(b, &QComboBox::currentIndexChanged, b, [b] {
        WindowRec* r = RecOf(b);
        if (r && !r->programmatic) Notify(r, kSelChange);
      });
      QObject::connect(b, &QComboBox::activated, b, [b] {
        if (WindowRec* r = RecOf(b)) Notify(r, kSelEndOk);
      });
      return b;
    }
    case Kind::Graphic: {
      auto* g = new GraphicWidget(parent);
      SetFrame(g, ctl.style);
      g->setFocusPolicy(Qt::ClickFocus);
      g->setWindowTitle(text);
      return g;
    }
    case Kind::Icon: {
      auto* i = new IconWidget(parent);
      SetFrame(i, ctl.style);
      if (!(ctl.style & kNotify)) i->setAttribute(Qt::WA_TransparentForMouseEvents);
      return i;
    }
  }
  return new QWidget(parent);
}

// Tests have no window manager to activate windows later; there a window is active at once.
void ActivateWindow(QWidget* top) {
  top->activateWindow();
  if (Test().on && top->isVisible() && QApplication::activeWindow() != top) QApplication::setActiveWindow(top);
}

// The dialog widget's property holding its template's position in pixels (-1: centred).
constexpr const char* kPlacedAt = "velunaPlacedAt";

void ShowCentred(WindowRec* d) {
  QWidget* w = d->widget;
  QRect area;
  if (d->owner && IsLive(d->owner) && d->owner->widget && d->owner->widget->isVisible())
    area = d->owner->widget->geometry();
  else if (QScreen* s = QGuiApplication::primaryScreen())
    area = s->availableGeometry();
  QPoint at;
  if (area.isValid()) {
    at = area.center() - QPoint(w->width() / 2, w->height() / 2);
    at = QPoint(std::max(at.x(), 0), std::max(at.y(), 0));
  }
  // A template's own position counts from the screen's top-left, as screen coordinates do.
  QPoint placed = w->property(kPlacedAt).toPoint();
  QPoint origin;
  if (QScreen* s = QGuiApplication::primaryScreen()) origin = s->availableGeometry().topLeft();
  if (placed.x() >= 0) at.setX(origin.x() + placed.x());
  if (placed.y() >= 0) at.setY(origin.y() + placed.y());
  if (area.isValid() || placed.x() >= 0 || placed.y() >= 0) w->move(at);
  KeepAboveOwner(w, d->owner);
  w->show();
  w->raise();
  ActivateWindow(w);
}

void DestroyRec(WindowRec* r) {
  if (!IsLive(r) || r->destroyed) return;
  r->destroyed = true;
  // The procedures hear Destroy while their windows can still be read.
  Deliver(r, Msg::Destroy, 0, 0);
  std::vector<WindowRec*> all{r};
  if (r->isDialog) {
    for (WindowRec* c : r->controls) {
      c->destroyed = true;
      Deliver(c, Msg::Destroy, 0, 0);
      all.push_back(c);
    }
  } else if (r->parent) {
    auto& list = r->parent->controls;
    list.erase(std::remove(list.begin(), list.end(), r), list.end());
  }
  r->ended = true;
  if (r->result) *r->result = r->endCode;
  if (r->loop) r->loop->exit();
  for (WindowRec* c : all) {
    for (auto& [id, t] : c->timers)
      if (t.timer) {
        t.timer->stop();
        t.timer->deleteLater();
      }
    c->timers.clear();
    Live().erase(c);
    if (c->surface) {
      gfx::ReleaseBitmap(c->surface);
      c->surface = nullptr;
    }
  }
  for (auto it = Widgets().begin(); it != Widgets().end();) {
    if (std::find(all.begin(), all.end(), it.value()) != all.end()) it = Widgets().erase(it);
    else ++it;
  }
  if (r->widget) {
    r->widget->hide();
    r->widget->deleteLater();
  }
  if (r->isDialog && r->ownerDisabled && r->owner && IsLive(r->owner) && r->owner->widget)
    r->owner->widget->setEnabled(true);
  for (WindowRec* c : all) Retire(c);
}

}  // namespace

// Registry.

bool IsLive(const WindowRec* r) { return r && Live().count(const_cast<WindowRec*>(r)) > 0; }

WindowRec* RecOf(const QObject* widget) { return Widgets().value(widget, nullptr); }

void MapWidget(const QObject* widget, WindowRec* r) { Widgets().insert(widget, r); }

void UnmapWidget(const QObject* widget) { Widgets().remove(widget); }

void KeepAboveOwner(QWidget* window, WindowRec* owner) {
  if (!IsLive(owner) || owner->destroyed || !owner->widget) {
    // A window opened without owner belongs to the program's main window, if one is open;
    // a main window belongs to none.
    WindowRec* self = RecOf(window);
    owner = nullptr;
    if (self && self->mainWindow) return;
    for (WindowRec* r : Live()) {
      if (!r->isDialog || !r->mainWindow || r->destroyed || !r->widget || r->widget == window) continue;
      if (!owner || (r->widget->isVisible() && !owner->widget->isVisible())) owner = r;
    }
    if (!owner) return;
  }
  QWidget* above = owner->widget->window();
  if (above == window) return;
  // The native windows exist from here on, so the window manager hears of the tie when the
  // window is shown.
  above->winId();
  window->winId();
  window->windowHandle()->setTransientParent(above->windowHandle());
}

WindowRec* DialogOf(WindowRec* r) {
  if (!IsLive(r)) return nullptr;
  return r->isDialog ? r : (IsLive(r->parent) ? r->parent : nullptr);
}

WindowRec* FindControl(Window dialog, int id) {
  WindowRec* d = DialogOf(dialog);
  if (!d) return nullptr;
  for (WindowRec* c : d->controls)
    if (c->id == id) return c;
  return nullptr;
}

intptr_t Deliver(WindowRec* r, Msg msg, intptr_t first, intptr_t second) {
  if (!IsLive(r) || !r->proc) return 0;
  struct Depth {
    Depth() { ++dispatchDepth; }
    ~Depth() {
      if (--dispatchDepth == 0) RefreshGraphics();
    }
  } depth;
  return r->proc(r, msg, first, second);
}

void Notify(WindowRec* control, intptr_t code) {
  if (!IsLive(control) || control->isDialog) return;
  Deliver(control->parent, Msg::Command, control->id, code);
}

void RequestClose(WindowRec* d) {
  if (!IsLive(d) || d->ended || d->destroyed) return;
  if (Deliver(d, Msg::Close, 0, 0) == 0 && IsLive(d) && !d->ended && !d->destroyed) EndDialogRec(d, kCancel);
}

void EndDialogRec(WindowRec* d, int code) {
  if (!IsLive(d) || d->destroyed) return;
  if (!d->modal) {
    d->endCode = code;
    DestroyRec(d);
    return;
  }
  d->ended = true;
  d->endCode = code;
  if (d->result) *d->result = code;
  if (d->loop) d->loop->exit();
}

intptr_t DefaultControlProc(Window window, Msg msg, intptr_t, intptr_t) {
  WindowRec* r = window;
  if (!IsLive(r) || r->isDialog) return 0;
  bool notifies = (r->style & kNotify) && (r->kind == Kind::Graphic || r->kind == Kind::Label || r->kind == Kind::Icon);
  switch (msg) {
    case Msg::LeftDown:
    case Msg::RightDown:
      if (r->kind == Kind::Graphic && r->widget) r->widget->setFocus(Qt::MouseFocusReason);
      if (msg == Msg::LeftDown && notifies) Notify(r, kClicked);
      break;
    case Msg::LeftDoubleClick:
      if (notifies) Notify(r, kDoubleClicked);
      break;
    default:
      break;
  }
  return 0;
}

void DeliverKey(WindowRec* r, intptr_t virtualKey, const QString& typed) {
  if (virtualKey) Deliver(r, Msg::KeyDown, virtualKey, 0);
  if (!IsLive(r) || typed.isEmpty() || typed[0] == QChar(0x7F)) return;
  std::string b = text::FromQ(typed.left(1));
  if (b.size() == 1) Deliver(r, Msg::Char, static_cast<unsigned char>(b[0]), 0);
}

QFont MakeQFont(const std::string& face, int points, bool bold, bool italic) {
  QString f = text::ToQ(face).trimmed();
  QString lower = f.toLower();
  if (f.isEmpty() || lower == u"ms sans serif" || lower == u"ms shell dlg" || lower == u"ms shell dlg 2" ||
      lower == u"microsoft sans serif" || lower == u"arial")
    f = QStringLiteral("Liberation Sans");
  else if (lower == u"times new roman")
    f = QStringLiteral("Liberation Serif");
  else if (lower == u"courier new" || lower == u"courier")
    f = QStringLiteral("Liberation Mono");
  QFont q(f);
  if (points <= 0) points = 8;
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
  q.setBold(bold);
  q.setItalic(italic);
  return q;
}

void CheckOptionInGroup(WindowRec* chosen) {
  if (!IsLive(chosen) || chosen->kind != Kind::OptionBox || !chosen->parent) return;
  for (WindowRec* c : chosen->parent->controls)
    if (c->kind == Kind::OptionBox && c->optionGroup == chosen->optionGroup && c->widget)
      static_cast<QAbstractButton*>(c->widget.data())->setChecked(c == chosen);
}

// Dialog units.

int DialogUnitsToPixelsX(const DialogTemplate& t, int x) {
  return Scale(x, BaseUnitsOf(MakeQFont(t.font, t.points, t.bold)).x, 4);
}

int DialogUnitsToPixelsY(const DialogTemplate& t, int y) {
  return Scale(y, BaseUnitsOf(MakeQFont(t.font, t.points, t.bold)).y, 8);
}

// Widgets.

void DialogWidget::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (WindowRec* r = RecOf(this)) RequestClose(r);
}

void DialogWidget::keyPressEvent(QKeyEvent* e) {
  WindowRec* r = RecOf(this);
  bool plain = e->modifiers() == Qt::NoModifier ||
               (e->modifiers() == Qt::KeypadModifier && e->key() == Qt::Key_Enter);
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    // Enter presses the button that has the focus, otherwise the default button, otherwise
    // nothing: never the first button Qt would pick, which may be "Salir" or "Borrar".
    auto usable = [](QPushButton* b) { return b && b->isVisible() && b->isEnabled(); };
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); usable(focused)) {
      focused->click();
      return;
    }
    for (QPushButton* b : findChildren<QPushButton*>())
      if (b->isDefault() && usable(b)) {
        b->click();
        return;
      }
    e->accept();
    return;
  }
  // Esc in a main window would end the program and lose the page; only dialogs take it.
  if (plain && e->key() == Qt::Key_Escape && r && r->mainWindow) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void DialogWidget::reject() {
  if (WindowRec* r = RecOf(this)) RequestClose(r);
}

void DialogWidget::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  LayOut();
}

void DialogWidget::LayOut() {
  WindowRec* r = RecOf(this);
  if (!r) return;
  int bar = r->menuBar ? r->menuBar->sizeHint().height() : 0;
  if (r->menuBar) r->menuBar->setGeometry(0, 0, width(), bar);
  if (r->client) r->client->setGeometry(0, bar, width(), height() - bar);
}

void GraphicWidget::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  QRect inside = contentsRect();
  p.fillRect(inside, Qt::white);
  WindowRec* r = RecOf(this);
  if (r && r->surface) p.drawImage(inside.topLeft(), gfx::ImageOf(*r->surface));
}

void IconWidget::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  WindowRec* r = RecOf(this);
  if (!r || r->image.isNull()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(contentsRect(), r->image);
}

// Windows.

Window CreateDialog(const DialogTemplate& t, Window owner, Proc proc) {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    app->setQuitOnLastWindowClosed(false);
  auto* d = new WindowRec;
  d->isDialog = true;
  d->proc = proc;
  d->owner = DialogOf(owner);
  d->resizable = t.resizable;
  d->mainWindow = t.minimiseBox;

  // A window that can be minimised is a main window to the window manager, not a dialog.
  Qt::WindowFlags type = t.toolWindow ? Qt::Tool : t.minimiseBox ? Qt::Window : Qt::Dialog;
  Qt::WindowFlags flags = type | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (t.minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
  if (t.topmost) flags |= Qt::WindowStaysOnTopHint;
  if (t.captionless) flags = type | Qt::FramelessWindowHint;
  auto* w = new DialogWidget(flags);
  d->widget = w;
  w->setWindowTitle(text::ToQ(t.caption));
  d->templateCaption = t.caption;
  QFont font = MakeQFont(t.font, t.points, t.bold);
  w->setFont(font);
  if (!t.icon.empty()) {
    QImage icon = desktop::ResourceImage(t.icon);
    if (!icon.isNull()) w->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  }
  Live().insert(d);
  MapWidget(w, d);
  w->installEventFilter(&Router());
  d->client = new QWidget(w);
  Watch(d->client, d);

  BaseUnits base = BaseUnitsOf(font);
  bool dialogUnits = t.units == Units::Dialog;
  auto px = [&](int v) { return dialogUnits ? Scale(v, base.x, 4) : v; };
  auto py = [&](int v) { return dialogUnits ? Scale(v, base.y, 8) : v; };
  w->clientSize = QSize(px(t.w), py(t.h));
  w->setProperty(kPlacedAt, QPoint(t.x >= 0 ? px(t.x) : -1, t.y >= 0 ? py(t.y) : -1));

  int group = -1;
  for (const Control& ctl : t.controls) {
    auto* c = new WindowRec;
    c->id = ctl.id;
    c->parent = d;
    c->kind = ctl.kind;
    c->style = ctl.style;
    c->proc = DefaultControlProc;
    if (ctl.kind == Kind::OptionBox) {
      if (group < 0 || (ctl.style & kGroupStart)) ++group;
      c->optionGroup = group;
    }
    QWidget* cw = MakeControlWidget(ctl, d->client);
    c->widget = cw;
    if (!ctl.font.empty() || ctl.points > 0 || ctl.italic)
      cw->setFont(MakeQFont(ctl.font.empty() ? t.font : ctl.font, ctl.points > 0 ? ctl.points : t.points,
                            ctl.font.empty() && ctl.points <= 0 ? t.bold : ctl.bold, ctl.italic));
    Live().insert(c);
    d->controls.push_back(c);
    Watch(cw, c);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(cw)) Watch(area->viewport(), c);
    if (auto* combo = qobject_cast<QComboBox*>(cw); combo && combo->lineEdit()) Watch(combo->lineEdit(), c);
    cw->setGeometry(ControlRect(QRect(px(ctl.x), py(ctl.y), px(ctl.w), py(ctl.h)), c));
    if (ctl.kind == Kind::Graphic) {
      QSize inside = static_cast<QFrame*>(cw)->contentsRect().size();
      c->surface = gfx::MakeBitmap(inside.width(), inside.height());
    } else if (ctl.kind == Kind::Icon) {
      c->imageName = ctl.text;
      c->image = desktop::ResourceImage(ctl.text);
    } else if (ctl.kind == Kind::GroupFrame) {
      cw->lower();
    }
    if (ctl.style & kHidden) cw->hide();
    if (ctl.style & kDisabled) cw->setEnabled(false);
  }
  if (t.resizable) w->resize(w->clientSize);
  else w->setFixedSize(w->clientSize);
  w->LayOut();

  // Owner-drawn lines are measured once, before the dialog's initialisation.
  for (WindowRec* c : d->controls) {
    if (!(c->style & kOwnerDraw) || (c->kind != Kind::ListBox && c->kind != Kind::ComboBox && c->kind != Kind::DropList))
      continue;
    MeasureItemInfo info{c->id, 0, QFontMetrics(c->widget->font()).height()};
    Deliver(d, Msg::MeasureItem, c->id, reinterpret_cast<intptr_t>(&info));
    if (!IsLive(c)) break;
    c->itemHeight = std::max(1, info.height);
    if (c->kind != Kind::ListBox) c->widget->setGeometry(ControlRect(c->widget->geometry(), c));
  }
  return IsLive(d) ? d : nullptr;
}

int RunModal(Window dialog) {
  WindowRec* d = dialog;
  if (!IsLive(d) || !d->isDialog || d->destroyed || d->modal) return -1;
  d->modal = true;
  int result = 0;
  d->result = &result;
  if (d->owner && IsLive(d->owner) && d->owner->widget && d->owner->widget->isEnabled()) {
    d->owner->widget->setEnabled(false);
    d->ownerDisabled = true;
  }
  Deliver(d, Msg::Init, 0, 0);
  if (IsLive(d) && !d->ended && !d->destroyed) {
    std::string caption = d->templateCaption;
    ShowCentred(d);
    if (Test().on) {
      Test().opened.push_back(caption);
      bool acted = RunQueuedAction(d);
      if (!acted || (IsLive(d) && !d->ended && !d->destroyed)) {
        Test().unexpected.push_back(caption);
        EndDialogRec(d, -1);
      }
    } else {
      QEventLoop loop;
      d->loop = &loop;
      while (IsLive(d) && !d->ended && !d->destroyed) loop.exec(QEventLoop::DialogExec);
      if (IsLive(d)) d->loop = nullptr;
    }
  }
  if (IsLive(d)) {
    d->result = nullptr;
    DestroyRec(d);
  }
  return result;
}

int RunModal(const DialogTemplate& t, Window owner, Proc proc) { return RunModal(CreateDialog(t, owner, proc)); }

Window ShowModeless(const DialogTemplate& t, Window owner, Proc proc) {
  WindowRec* d = CreateDialog(t, owner, proc);
  if (!d) return nullptr;
  Deliver(d, Msg::Init, 0, 0);
  if (!IsLive(d) || d->destroyed) return nullptr;
  ShowCentred(d);
  if (Test().on) {
    Test().opened.push_back(d->templateCaption);
    RunQueuedAction(d);
  }
  return IsLive(d) ? d : nullptr;
}

void EndDialog(Window dialog, int code) { EndDialogRec(DialogOf(dialog), code); }

void DestroyWindow(Window window) { DestroyRec(IsLive(window) ? window : nullptr); }

bool IsWindow(Window window) { return IsLive(window); }

Window Item(Window dialog, int id) { return FindControl(dialog, id); }

int ItemId(Window control) { return IsLive(control) ? control->id : 0; }

Window Parent(Window control) {
  if (!IsLive(control)) return nullptr;
  WindowRec* p = control->isDialog ? control->owner : control->parent;
  return IsLive(p) ? p : nullptr;
}

intptr_t SendMessage(Window window, Msg msg, intptr_t first, intptr_t second) {
  return Deliver(window, msg, first, second);
}

void PostCommand(Window window, int id, intptr_t notification) {
  WindowRec* r = window;
  if (!QCoreApplication::instance()) return;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [r, id, notification] {
        if (IsLive(r)) Deliver(r, Msg::Command, id, notification);
      },
      Qt::QueuedConnection);
}

// Focus, timers, subclassing, cursors.

void SetFocus(Window window) {
  if (!IsLive(window) || !window->widget) return;
  QWidget* top = window->widget->window();
  if (!top->isActiveWindow() && top->isVisible()) ActivateWindow(top);
  window->widget->setFocus(Qt::OtherFocusReason);
}

Window Focused() {
  QWidget* f = QApplication::focusWidget();
  if (!f)
    if (QWidget* active = QApplication::activeWindow()) f = active->focusWidget();
  for (; f; f = f->parentWidget())
    if (WindowRec* r = RecOf(f)) return r;
  return nullptr;
}

namespace {
bool FireTimerRec(WindowRec* r, int id) {
  if (!IsLive(r)) return false;
  auto it = r->timers.find(id);
  if (it == r->timers.end()) return false;
  // A handler that runs a dialog of its own is not entered again by its own timer.
  if (it->second.firing) return true;
  it->second.firing = true;
  Deliver(r, Msg::Timer, id, 0);
  if (IsLive(r)) {
    it = r->timers.find(id);
    if (it != r->timers.end()) it->second.firing = false;
  }
  return true;
}
}  // namespace

void SetTimer(Window window, int id, int milliseconds) {
  if (!IsLive(window) || window->destroyed) return;
  TimerState& t = window->timers[id];
  t.milliseconds = milliseconds;
  if (Test().on) return;
  if (!t.timer) {
    t.timer = new QTimer;
    WindowRec* r = window;
    QObject::connect(t.timer, &QTimer::timeout, t.timer, [r, id] { FireTimerRec(r, id); });
  }
  t.timer->start(std::max(1, milliseconds));
}

void KillTimer(Window window, int id) {
  if (!IsLive(window)) return;
  auto it = window->timers.find(id);
  if (it == window->timers.end()) return;
  if (it->second.timer) {
    it->second.timer->stop();
    it->second.timer->deleteLater();
  }
  window->timers.erase(it);
}

Proc SubclassControl(Window control, Proc proc) {
  if (!IsLive(control)) return nullptr;
  Proc old = control->proc;
  control->proc = proc;
  return old;
}

intptr_t CallOld(Proc old, Window window, Msg msg, intptr_t first, intptr_t second) {
  return old ? old(window, msg, first, second) : 0;
}

void SetCursor(Window window, Cursor c) {
  if (!IsLive(window) || !window->widget) return;
  Qt::CursorShape shape = c == Cursor::Cross ? Qt::CrossCursor
                          : c == Cursor::Hand ? Qt::PointingHandCursor
                          : c == Cursor::Wait ? Qt::WaitCursor
                                              : Qt::ArrowCursor;
  window->widget->setCursor(shape);
}

void PumpMessages() {
  using Clock = std::chrono::steady_clock;
  static Clock::time_point last;
  static bool pumped = false;
  Clock::time_point now = Clock::now();
  if (!QCoreApplication::instance() || (pumped && now - last < std::chrono::milliseconds(10))) return;
  pumped = true;
  last = now;
  QCoreApplication::processEvents();
}

namespace testing {

bool FireTimer(Window window, int id) { return FireTimerRec(window, id); }

bool TimerRunning(Window window, int id) { return IsLive(window) && window->timers.count(id) > 0; }

}  // namespace testing
}  // namespace ui
