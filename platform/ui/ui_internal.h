// What the ui unit's files share: the record behind a Window, the widgets that stand for
// dialogs and controls, message delivery and the test driver's state.
#pragma once
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

class QAction;
class QEventLoop;
class QFileDialog;
class QMenuBar;
class QTimer;

namespace ui {

struct TimerState {
  QTimer* timer = nullptr;   // null in test mode: tests fire timers themselves
  int milliseconds = 0;
  bool firing = false;       // a Timer message for it is being handled
};

struct WindowRec {
  std::string templateCaption;   // the caption the dialog was built with; tests match on it
  QPointer<QWidget> widget;  // the dialog, or the control's own widget
  Proc proc = nullptr;
  int id = 0;
  WindowRec* parent = nullptr;   // a control's dialog
  bool isDialog = false;
  Kind kind = Kind::Label;
  unsigned style = 0;
  std::map<int, TimerState> timers;

  // Dialogs.
  std::vector<WindowRec*> controls;   // in template order
  WindowRec* owner = nullptr;
  QWidget* client = nullptr;          // the area below the menu bar that holds the controls
  QMenuBar* menuBar = nullptr;
  std::vector<Menu> menus;            // the bar as built; states live in `menuStates`
  struct MenuState { bool checked = false; bool enabled = true; std::vector<QAction*> actions; };
  std::map<int, MenuState> menuStates;
  bool modal = false;
  bool ended = false;
  bool destroyed = false;
  int endCode = 0;
  QEventLoop* loop = nullptr;
  bool pressedOnClient = false;       // a button went down on the bare client area
  bool resizable = false;
  bool mainWindow = false;            // built with a minimise box: Esc does not close it
  bool ownerDisabled = false;         // a modal run disabled its owner
  int* result = nullptr;              // where RunModal waits for the end code

  // Controls.
  int optionGroup = -1;
  gfx::Surface* surface = nullptr;    // graphic controls
  std::string imageName;              // icons
  QImage image;
  int itemHeight = 0;                 // list and combo lines; 0: from the font
  int textLimit = 0;                  // edits; 0: none
  int wheelRest = 0;                  // wheel turn not yet a whole notch
  bool programmatic = false;          // a change made by the program, not by the user
};

// The registry of live windows.
bool IsLive(const WindowRec* r);
WindowRec* RecOf(const QObject* widget);   // a live window's widget or one of its parts
void MapWidget(const QObject* widget, WindowRec* r);
void UnmapWidget(const QObject* widget);
WindowRec* FindControl(Window dialog, int id);  // nullptr when absent
WindowRec* DialogOf(WindowRec* r);
// Tells the window manager whose window `window` is, so that it keeps it above that one, as
// a desktop program's dialogs and tool windows stay above the window they belong to: the
// owner's window, or, for a window opened without owner, the program's main window (the one
// built with a minimise box) while one is open. Only the window manager hears of it: the
// owner's input and life, and the window's own, are as they were.
void KeepAboveOwner(QWidget* window, WindowRec* owner);

// Delivers a message to a window's current procedure.
intptr_t Deliver(WindowRec* r, Msg msg, intptr_t first, intptr_t second);
// Command(control id, code) to the control's dialog.
void Notify(WindowRec* control, intptr_t code);
// The close box and Esc: Close to the procedure, and the end with kCancel when unhandled.
void RequestClose(WindowRec* dialog);
// Ends a modal dialog's loop, or destroys a modeless one.
void EndDialogRec(WindowRec* dialog, int code);

intptr_t DefaultControlProc(Window window, Msg msg, intptr_t first, intptr_t second);

// Fonts of templates and controls, with the face mapping and points as 96-dpi pixels.
QFont MakeQFont(const std::string& face, int points, bool bold, bool italic = false);
// Draws one owner-drawn item through the procedure's DrawItem into `rect`.
void PaintOwnerItem(WindowRec* control, QPainter& p, const QRect& rect, int index, bool selected,
                    bool focused, const QString& text);
// Option boxes: `chosen` on, the others of its group off.
void CheckOptionInGroup(WindowRec* chosen);
// The list or combo line the user chose, with the notifications the user's choice sends.
void ChooseLine(WindowRec* control, int index);
// Keyboard input for a control as the event filter delivers it.
void DeliverKey(WindowRec* r, intptr_t virtualKey, const QString& typed);
// The menu item chosen by the user.
bool ChooseMenuItem(WindowRec* dialog, int id);
// The file and folder choosers as they are shown; they never read the files they list.
QFileDialog* MakeFileDialog(const FileDialogSpec& spec);
QFileDialog* MakeFolderDialog(std::string_view title);

// Widgets.
class DialogWidget : public QDialog {
 public:
  DialogWidget(Qt::WindowFlags flags) : QDialog(nullptr, flags) {}
  void LayOut();
  QSize clientSize;
 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void reject() override;
  void resizeEvent(QResizeEvent* e) override;
};

class GraphicWidget : public QFrame {
 public:
  using QFrame::QFrame;
 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override { e->accept(); }
  void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
  void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }
  void wheelEvent(QWheelEvent* e) override { e->accept(); }
};

class IconWidget : public QFrame {
 public:
  using QFrame::QFrame;
 protected:
  void paintEvent(QPaintEvent* e) override;
};

// A combo whose closed field an owner-drawn combo draws through DrawItem.
class OwnerCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void hidePopup() override;
 protected:
  void paintEvent(QPaintEvent* e) override;
};

class ItemDelegate : public QStyledItemDelegate {
 public:
  ItemDelegate(QWidget* control, QObject* parent) : QStyledItemDelegate(parent), control_(control) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
 private:
  QWidget* control_;
};

// The test driver's state.
struct TestState {
  bool on = false;
  std::map<std::string, std::deque<std::function<void(Window)>>> acts;
  std::vector<std::string> opened;
  std::vector<std::string> unexpected;
  std::deque<Answer> answers;
  std::vector<testing::Shown> shown;
  std::deque<std::string> files;
  std::deque<gfx::Colour> colours;
  std::deque<std::string> folders;
  std::deque<std::pair<bool, FontChoice>> fonts;
  FileDialogSpec lastFile;
};
TestState& Test();
// Runs the action queued for a dialog that has just opened; tells whether there was one.
bool RunQueuedAction(WindowRec* dialog);

}  // namespace ui
