// Windows, dialogs and controls built at run time, one procedure per dialog receiving every
// message as (window, message, first, second); menus, timers, focus, message boxes and the
// common dialogs; and a test driver that answers modal dialogs without a display.
// Texts are 1252 bytes. Coordinates are pixels unless a template says dialog units.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gfx/gfx.h"

namespace ui {

// A main window, a dialog or a control. Opaque; nullptr is "no window".
using Window = struct WindowRec*;

enum class Msg {
  Init,          // the dialog is built, before it shows
  Command,       // first: control or menu id; second: notification code
  Timer,         // first: timer id
  Activate,      // the window became the active one
  Deactivate,    // another window became active
  Close,         // the close box, or Esc in a dialog (not in a main window); unhandled, the
                 // dialog ends with code kCancel
  Destroy,       // the window is going away, however it closes
  LeftDown, LeftUp, LeftDoubleClick, RightDown, RightUp, MouseMove,  // first: kMouse* keys; second: Point
  Wheel,         // first: +120 a notch away from the user, -120 towards; second: Point
  KeyDown,       // first: virtual-key code (kKey*, or the upper-case letter or digit)
  Char,          // first: the 1252 character typed
  MeasureItem,   // second: MeasureItemInfo* of an owner-drawn list or combo
  DrawItem,      // second: DrawItemInfo* of an owner-drawn list or combo
};

// A procedure returns non-zero when it handled the message.
using Proc = intptr_t (*)(Window window, Msg msg, intptr_t first, intptr_t second);

// Notification codes in the second parameter of Command.
enum Notify : intptr_t {
  kClicked = 0,           // button, check, option, graphic control with kNotify
  kDoubleClicked = 1,     // button or graphic control double click
  kSelChange = 1,         // list or combo selection changed
  kListDoubleClick = 2,   // list double click
  kComboEditChange = 5,   // editable combo: the user changed the field's text
  kComboCloseUp = 8,      // combo: its list closed
  kSelEndOk = 9,          // combo: a choice was made
  kSetFocus = 0x100,      // edit got the focus
  kKillFocus = 0x200,     // edit lost the focus
  kEditChange = 0x300,    // edit text changed
  kMenu = 0,              // a menu item chosen
};

// End codes of the standard buttons.
constexpr int kOk = 1;
constexpr int kCancel = 2;

// Mouse keys in the first parameter of mouse messages.
enum MouseKeys : intptr_t { kMouseLeft = 1, kMouseRight = 2, kMouseShift = 4, kMouseControl = 8 };
// Client coordinates packed in the second parameter: x in the low 16 bits, y in the next 16,
// both signed.
constexpr intptr_t MakePoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(x) & 0xFFFFu) |
                               ((static_cast<uint32_t>(y) & 0xFFFFu) << 16));
}
constexpr int PointX(intptr_t p) { return static_cast<int16_t>(p & 0xFFFF); }
constexpr int PointY(intptr_t p) { return static_cast<int16_t>((p >> 16) & 0xFFFF); }

// Virtual-key codes the system's code tests.
enum Keys : intptr_t {
  kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20,
  kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24,
  kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28, kKeyDelete = 0x2E,
};

enum class Kind {
  Button,         // Enter presses it while it has the focus
  DefaultButton,  // Enter presses it wherever the focus is, unless on another button
  CheckBox, OptionBox, GroupFrame, Label, Edit, ListBox,
  ComboBox,    // drop-down with an editable field
  DropList,    // drop-down list, choose only
  Graphic,     // a surface of its own, shown as it was last drawn
  Icon,        // an icon resource ("#701")
};

// Control styles.
enum Style : unsigned {
  kDigitsOnly = 1u << 0,   // edit takes digits only
  kBorder = 1u << 1,
  kSunken = 1u << 2,
  kMultiLine = 1u << 3,    // edit: several lines, CR LF in its text
  kVScroll = 1u << 4,
  kHScroll = 1u << 5,      // edit scrolls sideways instead of wrapping
  kReadOnly = 1u << 6,
  kOwnerDraw = 1u << 7,    // list or combo items drawn by the procedure (DrawItem)
  kSorted = 1u << 8,
  kNotify = 1u << 9,       // label or graphic control sends Command on a click
  kCentred = 1u << 10,     // label text centred
  kRight = 1u << 11,       // label text to the right
  kGroupStart = 1u << 12,  // option box that starts a new group
  kExtendedUi = 1u << 13,  // combo opens with the down arrow
  kHidden = 1u << 14,
  kDisabled = 1u << 15,
};

struct Control {
  // Positional, so that tables of controls may leave out the trailing members.
  Control(Kind kind = Kind::Label, int id = 0, std::string text = {}, int x = 0, int y = 0, int w = 0,
          int h = 0, unsigned style = 0, std::string font = {}, int points = 0, bool bold = true,
          bool italic = false)
      : kind(kind), id(id), text(std::move(text)), x(x), y(y), w(w), h(h), style(style),
        font(std::move(font)), points(points), bold(bold), italic(italic) {}
  Kind kind = Kind::Label;
  int id = 0;
  std::string text;            // 1252; for an Icon the resource name
  int x = 0, y = 0, w = 0, h = 0;   // in the template's units
  unsigned style = 0;
  std::string font;            // empty: the dialog's font
  int points = 0;              // 0: the dialog's size
  bool bold = true;            // with `font` or `points` only, as is `italic`
  bool italic = false;
};

enum class Units { Dialog, Pixels };

struct DialogTemplate {
  std::string caption;
  int w = 0, h = 0;            // the client area, in `units`
  Units units = Units::Dialog;
  std::string font = "MS Sans Serif";
  int points = 10;
  bool bold = true;
  std::string icon;            // resource name ("#200"); empty: none
  bool resizable = false;
  bool minimiseBox = false;    // a main window: minimisable, and Esc does not close it
  bool topmost = false;
  bool toolWindow = false;
  bool captionless = false;    // no caption bar and no close box: a bare pop-up panel
  std::vector<Control> controls;
  // The window's top-left corner on the screen, in `units`; -1 centres it on that axis
  // (over the owner, or the screen).
  int x = -1, y = -1;
};

// Dialog units to pixels with a template's font (x * average width / 4, y * height / 8).
int DialogUnitsToPixelsX(const DialogTemplate& t, int x);
int DialogUnitsToPixelsY(const DialogTemplate& t, int y);

// Builds a dialog without showing it; Init has not been sent yet. Once shown, the window
// manager keeps it above its owner's window, or, without owner, above the main window (the
// one built with a minimise box) while one is open; a main window without owner is kept
// above none. The message boxes and the common dialogs below are kept above alike.
Window CreateDialog(const DialogTemplate& t, Window owner, Proc proc);
// Sends Init, shows the dialog centred (or where its template puts it), and runs it until EndDialog; then sends Destroy and
// frees it. Its owner, when it has one, takes no input meanwhile; every other window stays
// usable, so a dialog without owner leaves the main window working. Returns EndDialog's code.
int RunModal(Window dialog);
int RunModal(const DialogTemplate& t, Window owner, Proc proc);
// Sends Init and shows the dialog; it lives until EndDialog or DestroyWindow.
Window ShowModeless(const DialogTemplate& t, Window owner, Proc proc);
void EndDialog(Window dialog, int code);
void DestroyWindow(Window window);
bool IsWindow(Window window);

Window Item(Window dialog, int id);      // nullptr for an unknown id
int ItemId(Window control);              // 0 for a dialog
Window Parent(Window control);          // a dialog's parent is its owner
// Delivers a message to the window's procedure at once and returns its result.
intptr_t SendMessage(Window window, Msg msg, intptr_t first, intptr_t second);
// Queues a command for the window's procedure.
void PostCommand(Window window, int id, intptr_t notification = kClicked);

void SetCaption(Window window, std::string_view text);
std::string Caption(Window window);
void SetText(Window dialog, int id, std::string_view text);
std::string Text(Window dialog, int id);    // a combo's field or chosen line
void SetTextLimit(Window dialog, int id, int maxChars);
void SetCheck(Window dialog, int id, bool on);
bool Checked(Window dialog, int id);
void Enable(Window dialog, int id, bool on);
bool Enabled(Window dialog, int id);
void Show(Window dialog, int id, bool on);
bool Visible(Window dialog, int id);
void SetControlFont(Window dialog, int id, std::string_view face, int points, bool bold,
                    bool italic = false);
// Id 0 colours the dialog's own client area.
void SetTextColour(Window dialog, int id, gfx::Colour c);
void SetBackColour(Window dialog, int id, gfx::Colour c);
void MoveControl(Window dialog, int id, int x, int y, int w, int h);   // pixels

// Lists and combos.
void ListClear(Window dialog, int id);
int ListAdd(Window dialog, int id, std::string_view text);   // the new line's index
void ListDelete(Window dialog, int id, int index);
int ListCount(Window dialog, int id);
void ListSelect(Window dialog, int id, int index);           // -1: none
int ListSelection(Window dialog, int id);                    // -1: none
std::string ListText(Window dialog, int id, int index);
// Selects the first line that begins with `prefix`; returns its index, or -1.
int ListSelectByPrefix(Window dialog, int id, std::string_view prefix);
void SetItemHeight(Window dialog, int id, int height);

struct MeasureItemInfo { int controlId; int index; int height; };
struct DrawItemInfo {
  int controlId;
  int index;          // the line; a combo with no line chosen asks for no drawing
  bool selected;
  bool focused;
  gfx::Surface* surface;    // the item's own surface, w x h, drawn at (0, 0)
  int w, h;
  std::string text;
};

// Graphic controls and icons.
gfx::Surface& ControlSurface(Window dialog, int id);   // the control's size inside its border
void Redraw(Window dialog, int id);                    // shows the surface as it is now
void SetImage(Window dialog, int id, std::string_view resourceName);
std::string ImageName(Window dialog, int id);

// Focus, timers, subclassing.
void SetFocus(Window window);
Window Focused();
void SetTimer(Window window, int id, int milliseconds);
void KillTimer(Window window, int id);
// Replaces the procedure of a control; returns the one it replaced, which the new one
// passes unhandled messages to with CallOld.
Proc SubclassControl(Window control, Proc proc);
intptr_t CallOld(Proc old, Window window, Msg msg, intptr_t first, intptr_t second);

enum class Cursor { Arrow, Cross, Hand, Wait };
void SetCursor(Window window, Cursor c);

// Lets pending window messages run (repaints, clicks); at most one pass every 10 ms.
void PumpMessages();

// Menus. A text "-" is a separator; an item with a submenu opens it. Bitmaps are resource
// names ("#300"), the same for the checked and unchecked state.
struct MenuItem {
  MenuItem(std::string text = {}, int id = 0, std::string bitmap = {}, bool checked = false,
           bool enabled = true, std::vector<MenuItem> submenu = {})
      : text(std::move(text)), id(id), bitmap(std::move(bitmap)), checked(checked), enabled(enabled),
        submenu(std::move(submenu)) {}
  std::string text;
  int id = 0;
  std::string bitmap;
  bool checked = false;
  bool enabled = true;
  std::vector<MenuItem> submenu;
};
struct Menu { std::string title; std::vector<MenuItem> items; };
void SetMenuBar(Window window, const std::vector<Menu>& menus);
void CheckMenuItem(Window window, int id, bool on);
void EnableMenuItem(Window window, int id, bool on);
bool MenuItemChecked(Window window, int id);
bool MenuItemEnabled(Window window, int id);
// The bar as it stands now (titles, items, states), for tests and rebuilding.
std::vector<Menu> MenuBar(Window window);

// System colours used by owner-drawn items.
enum class SystemColour { Highlight, HighlightText, Window, WindowText, ButtonFace };
gfx::Colour SystemColourOf(SystemColour c);

// Message boxes. The text may hold CR LF line breaks.
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No, Cancel };
Answer MessageBox(Window owner, std::string_view text, std::string_view title, Buttons buttons);

// Common dialogs. Each returns "" (or -1, or false) when cancelled.
struct FileFilter { std::string name; std::string patterns; };   // "Images", "*.jpg;*.png"
struct FileDialogSpec {
  bool save = false;
  std::string title;
  std::string initialFolder;
  std::string initialName;
  std::vector<FileFilter> filters;
  std::string defaultExtension;   // added to a name typed without one
  bool mustExist = false;         // open: only an existing file
};
std::string ChooseFile(Window owner, const FileDialogSpec& spec);
// The colour chooser: opens on `initial`, lets the user keep 16 custom colours in `custom`.
gfx::Colour ChooseColour(Window owner, gfx::Colour initial, std::array<gfx::Colour, 16>& custom);
// A folder of the file system, with a trailing "/".
std::string ChooseFolder(Window owner, std::string_view title);
struct FontChoice { std::string face; int points = 10; int styleFlags = 0; gfx::Colour colour = 0; };
bool ChooseFont(Window owner, FontChoice& choice);

// Tells whether a display could be opened; the program says so and ends when it cannot.
bool StartApplication(int& argc, char** argv);

namespace testing {

// Test mode: no real modal dialog, message box or common dialog is shown. Begin clears every
// queue and record; End leaves test mode.
void Begin();
void End();
// True between Begin and End: the other units' dialogs take their answers from queues too.
bool Active();

// The next dialog that opens built with this caption (the caption of its template, whatever
// its Init makes of it) runs `act` right after its Init. A modal
// dialog still open when `act` returns, or one that opens with nothing queued for it, is
// ended with code -1 and noted in Unexpected().
void OnDialog(std::string caption, std::function<void(Window)> act);
// Captions of the dialogs opened so far, in order.
const std::vector<std::string>& DialogsOpened();
const std::vector<std::string>& Unexpected();

struct Shown { std::string text; std::string title; };
// The next message boxes answer these, in order; with none queued, an OK box answers Ok and
// a Yes/No box No.
void AnswerMessageBox(Answer a);
const std::vector<Shown>& MessagesShown();

void AnswerFile(std::string path);       // "": cancelled
void AnswerColour(gfx::Colour c);        // -1: cancelled
void AnswerFolder(std::string path);     // "": cancelled
void AnswerFont(bool ok, FontChoice choice = {});
// What the last file dialog was asked with.
const FileDialogSpec& LastFileDialog();

// Input as a user gives it: each goes through the control's procedure (subclasses included).
void Click(Window dialog, int id);                 // button, check, option, graphic control
bool ChooseMenu(Window window, int id);            // false when absent or greyed
void TypeText(Window dialog, int id, std::string_view text);   // text set, change notified
void ChooseListItem(Window dialog, int id, int index);         // selection set, change notified
void CloseBox(Window window);                      // the close box
void Mouse(Window control, Msg msg, int x, int y, intptr_t keys = 0);
void Wheel(Window control, int delta, int x = 0, int y = 0);
void Key(Window control, intptr_t virtualKey);
// Timers fire only when a test says so.
bool FireTimer(Window window, int id);             // false when the timer is not running
bool TimerRunning(Window window, int id);
// The window as the screen would show it, saved as a PNG.
bool Grab(Window window, std::string_view pngPath);
// The font a control shows its text in: the face the system found, the size in points and
// the bold and italic flags (gfx::kBold, gfx::kItalic). An unknown control gives the default.
FontChoice ControlFont(Window dialog, int id);

}  // namespace testing
}  // namespace ui
