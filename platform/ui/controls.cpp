// Reading and changing controls: texts, checks, lists and combos, owner-drawn lines,
// graphic surfaces, icons, fonts and colours.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStylePainter>

#include "platform/desktop/resources_qt.h"
#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"
#include "platform/ui/ui_internal.h"

namespace ui {

namespace {

bool IsCombo(const WindowRec* c) { return c->kind == Kind::ComboBox || c->kind == Kind::DropList; }
bool IsList(const WindowRec* c) { return c->kind == Kind::ListBox; }

QComboBox* ComboOf(WindowRec* c) { return IsCombo(c) ? static_cast<QComboBox*>(c->widget.data()) : nullptr; }
QListWidget* ListOf(WindowRec* c) { return IsList(c) ? static_cast<QListWidget*>(c->widget.data()) : nullptr; }

// Changes the program makes send none of the notifications a user's change sends.
struct Quietly {
  explicit Quietly(WindowRec* r) : r_(r), was_(r->programmatic) { r->programmatic = true; }
  ~Quietly() {
    if (IsLive(r_)) r_->programmatic = was_;
  }
  WindowRec* r_;
  bool was_;
};

WindowRec* Usable(Window dialog, int id) {
  WindowRec* c = FindControl(dialog, id);
  return c && c->widget ? c : nullptr;
}

void SetImageOf(WindowRec* c, std::string_view name) {
  c->imageName = std::string(name);
  c->image = desktop::ResourceImage(name);
  c->widget->update();
}

void SetTextOf(WindowRec* c, std::string_view value) {
  QString q = text::ToQ(value);
  QWidget* w = c->widget;
  switch (c->kind) {
    case Kind::Button:
    case Kind::DefaultButton:
    case Kind::CheckBox:
    case Kind::OptionBox:
      static_cast<QAbstractButton*>(w)->setText(q);
      break;
    case Kind::GroupFrame:
      static_cast<QGroupBox*>(w)->setTitle(q);
      break;
    case Kind::Label:
      static_cast<QLabel*>(w)->setText(q);
      break;
    case Kind::Edit:
      // Setting an edit's text tells its dialog, as a change typed by the user does.
      if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
        q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        e->setPlainText(q);
      } else {
        static_cast<QLineEdit*>(w)->setText(q);
      }
      break;
    case Kind::ComboBox: {
      Quietly quiet(c);
      ComboOf(c)->setEditText(q);
      break;
    }
    case Kind::DropList: {
      Quietly quiet(c);
      QComboBox* b = ComboOf(c);
      b->setCurrentIndex(b->findText(q, Qt::MatchFixedString));
      break;
    }
    case Kind::Icon:
      SetImageOf(c, value);
      break;
    case Kind::Graphic:
      w->setWindowTitle(q);
      break;
    case Kind::ListBox:
      break;
  }
}

std::string TextOf(WindowRec* c) {
  QWidget* w = c->widget;
  switch (c->kind) {
    case Kind::Button:
    case Kind::DefaultButton:
    case Kind::CheckBox:
    case Kind::OptionBox:
      return text::FromQ(static_cast<QAbstractButton*>(w)->text());
    case Kind::GroupFrame:
      return text::FromQ(static_cast<QGroupBox*>(w)->title());
    case Kind::Label:
      return text::FromQ(static_cast<QLabel*>(w)->text());
    case Kind::Edit:
      if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        return text::FromQ(e->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
      return text::FromQ(static_cast<QLineEdit*>(w)->text());
    case Kind::ComboBox:
    case Kind::DropList:
      return text::FromQ(ComboOf(c)->currentText());
    case Kind::ListBox: {
      QListWidgetItem* item = ListOf(c)->currentItem();
      return item && item->isSelected() ? text::FromQ(item->text()) : std::string();
    }
    case Kind::Icon:
      return c->imageName;
    case Kind::Graphic:
      return text::FromQ(w->windowTitle());
  }
  return {};
}

int LineCount(WindowRec* c) {
  if (QComboBox* b = ComboOf(c)) return b->count();
  if (QListWidget* l = ListOf(c)) return l->count();
  return 0;
}

QString LineText(WindowRec* c, int index) {
  if (QComboBox* b = ComboOf(c)) return b->itemText(index);
  if (QListWidget* l = ListOf(c)) return l->item(index) ? l->item(index)->text() : QString();
  return {};
}

void SelectLine(WindowRec* c, int index) {
  Quietly quiet(c);
  if (index < 0 || index >= LineCount(c)) index = -1;
  if (QComboBox* b = ComboOf(c)) {
    b->setCurrentIndex(index);
  } else if (QListWidget* l = ListOf(c)) {
    if (index < 0) {
      l->clearSelection();
      l->setCurrentRow(-1);
    } else {
      l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
  }
}

// Text and background colours go through the widget's palette.
void SetRoleColour(QWidget* w, std::initializer_list<QPalette::ColorRole> roles, gfx::Colour c) {
  QPalette pal = w->palette();
  for (QPalette::ColorRole role : roles) pal.setColor(role, gfx::ToQColor(c));
  w->setPalette(pal);
}

}  // namespace

void ChooseLine(WindowRec* c, int index) {
  if (!IsLive(c) || (!IsCombo(c) && !IsList(c))) return;
  SelectLine(c, index);
  Notify(c, kSelChange);
  if (IsCombo(c)) Notify(c, kSelEndOk);
}

void PaintOwnerItem(WindowRec* c, QPainter& p, const QRect& rect, int index, bool selected, bool focused,
                    const QString& itemText) {
  if (rect.width() <= 0 || rect.height() <= 0 || !IsLive(c)) return;
  gfx::Surface* before = gfx::Current();
  gfx::Surface* s = gfx::MakeBitmap(rect.width(), rect.height());
  DrawItemInfo info{c->id, index, selected, focused, s, rect.width(), rect.height(), text::FromQ(itemText)};
  Deliver(c->parent, Msg::DrawItem, c->id, reinterpret_cast<intptr_t>(&info));
  p.drawImage(rect.topLeft(), gfx::ImageOf(*s));
  gfx::ReleaseBitmap(s);
  // Painting happens between the program's own drawing; its selected target stays selected.
  if (before && !gfx::Current()) gfx::Select(*before);
}

QSize ItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize s = QStyledItemDelegate::sizeHint(option, index);
  WindowRec* r = RecOf(control_);
  if (r && r->itemHeight > 0) s.setHeight(r->itemHeight);
  return s;
}

void ItemDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  WindowRec* r = RecOf(control_);
  if (!r || !(r->style & kOwnerDraw)) {
    QStyledItemDelegate::paint(p, option, index);
    return;
  }
  PaintOwnerItem(r, *p, option.rect, index.row(), option.state & QStyle::State_Selected,
                 option.state & QStyle::State_HasFocus, index.data(Qt::DisplayRole).toString());
}

void OwnerCombo::paintEvent(QPaintEvent* e) {
  WindowRec* r = RecOf(this);
  if (!r || !(r->style & kOwnerDraw) || isEditable()) {
    QComboBox::paintEvent(e);
    return;
  }
  QStylePainter p(this);
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  opt.currentText.clear();
  opt.currentIcon = QIcon();
  p.drawComplexControl(QStyle::CC_ComboBox, opt);
  QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  // With no line chosen the field stays as the style drew it, greyed when the combo is; the
  // program draws nothing there.
  int i = currentIndex();
  if (i >= 0) PaintOwnerItem(r, p, field, i, hasFocus(), hasFocus(), itemText(i));
}

void OwnerCombo::hidePopup() {
  bool open = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (WindowRec* r = RecOf(this); r && open) Notify(r, kComboCloseUp);
}

// Captions and texts.

void SetCaption(Window window, std::string_view value) {
  if (!IsLive(window) || !window->widget) return;
  if (window->isDialog) window->widget->setWindowTitle(text::ToQ(value));
  else SetTextOf(window, value);
}

std::string Caption(Window window) {
  if (!IsLive(window) || !window->widget) return {};
  return window->isDialog ? text::FromQ(window->widget->windowTitle()) : TextOf(window);
}

void SetText(Window dialog, int id, std::string_view value) {
  if (WindowRec* c = Usable(dialog, id)) SetTextOf(c, value);
}

std::string Text(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c ? TextOf(c) : std::string();
}

void SetTextLimit(Window dialog, int id, int maxChars) {
  WindowRec* c = Usable(dialog, id);
  if (!c) return;
  c->textLimit = std::max(0, maxChars);
  QLineEdit* line = qobject_cast<QLineEdit*>(c->widget.data());
  if (!line)
    if (QComboBox* b = ComboOf(c)) line = b->lineEdit();
  if (line) line->setMaxLength(c->textLimit > 0 ? c->textLimit : 32767);
}

void SetCheck(Window dialog, int id, bool on) {
  WindowRec* c = Usable(dialog, id);
  if (c && (c->kind == Kind::CheckBox || c->kind == Kind::OptionBox))
    static_cast<QAbstractButton*>(c->widget.data())->setChecked(on);
}

bool Checked(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c && (c->kind == Kind::CheckBox || c->kind == Kind::OptionBox) &&
         static_cast<QAbstractButton*>(c->widget.data())->isChecked();
}

void Enable(Window dialog, int id, bool on) {
  if (WindowRec* c = Usable(dialog, id)) c->widget->setEnabled(on);
}

bool Enabled(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c && !c->widget->testAttribute(Qt::WA_ForceDisabled);
}

void Show(Window dialog, int id, bool on) {
  if (WindowRec* c = Usable(dialog, id)) c->widget->setVisible(on);
}

bool Visible(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c && !c->widget->isHidden();
}

void SetControlFont(Window dialog, int id, std::string_view face, int points, bool bold, bool italic) {
  if (WindowRec* c = Usable(dialog, id)) c->widget->setFont(MakeQFont(std::string(face), points, bold, italic));
}

// Id 0 stands for the dialog's own client area.
void SetTextColour(Window dialog, int id, gfx::Colour colour) {
  QWidget* w = nullptr;
  if (id == 0) {
    if (WindowRec* d = DialogOf(dialog)) w = d->client;
  } else if (WindowRec* c = Usable(dialog, id)) {
    w = c->widget;
  }
  if (w && colour >= 0) SetRoleColour(w, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, colour);
}

void SetBackColour(Window dialog, int id, gfx::Colour colour) {
  QWidget* w = nullptr;
  if (id == 0) {
    if (WindowRec* d = DialogOf(dialog)) w = d->client;
  } else if (WindowRec* c = Usable(dialog, id)) {
    w = c->widget;
  }
  if (!w) return;
  if (colour < 0) {
    w->setAutoFillBackground(false);
    return;
  }
  // The dialog's own area gives its colour to the fields inside it only as their background
  // around them: a field keeps its own, greyed when it is disabled.
  if (id == 0) SetRoleColour(w, {QPalette::Window}, colour);
  else SetRoleColour(w, {QPalette::Window, QPalette::Base}, colour);
  w->setAutoFillBackground(true);
}

void MoveControl(Window dialog, int id, int x, int y, int w, int h) {
  WindowRec* c = Usable(dialog, id);
  if (!c) return;
  QRect r(x, y, w, h);
  if (QComboBox* b = ComboOf(c)) {
    int natural = b->sizeHint().height();
    if (c->itemHeight > 0) natural = std::max(natural, c->itemHeight + 6);
    r.setHeight(natural);
  }
  c->widget->setGeometry(r);
  if (c->kind == Kind::Graphic && c->surface) {
    // The drawing stays where it was, anchored at the top-left corner.
    QSize inside = static_cast<QFrame*>(c->widget.data())->contentsRect().size();
    QImage& image = gfx::ImageOf(*c->surface);
    if (inside != image.size() && !inside.isEmpty()) {
      QImage grown(inside, QImage::Format_RGB32);
      grown.fill(Qt::white);
      QPainter p(&grown);
      p.drawImage(0, 0, image);
      p.end();
      image = grown;
    }
  }
}

// Lists and combos.

void ListClear(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  if (!c) return;
  Quietly quiet(c);
  if (QComboBox* b = ComboOf(c)) b->clear();
  else if (QListWidget* l = ListOf(c)) l->clear();
}

int ListAdd(Window dialog, int id, std::string_view line) {
  WindowRec* c = Usable(dialog, id);
  if (!c || (!IsCombo(c) && !IsList(c))) return -1;
  QString q = text::ToQ(line);
  int count = LineCount(c);
  int at = count;
  if (c->style & kSorted) {
    at = 0;
    while (at < count && QString::compare(LineText(c, at), q, Qt::CaseInsensitive) <= 0) ++at;
  }
  Quietly quiet(c);
  if (QComboBox* b = ComboOf(c)) {
    // Adding a line selects nothing, even the first line of an empty combo.
    int selected = b->currentIndex();
    QString field = b->isEditable() ? b->currentText() : QString();
    b->insertItem(at, q);
    if (selected < 0 && b->currentIndex() >= 0) {
      b->setCurrentIndex(-1);
      if (b->isEditable()) b->setEditText(field);
    }
  } else {
    ListOf(c)->insertItem(at, q);
  }
  return at;
}

void ListDelete(Window dialog, int id, int index) {
  WindowRec* c = Usable(dialog, id);
  if (!c || index < 0 || index >= LineCount(c)) return;
  Quietly quiet(c);
  if (QComboBox* b = ComboOf(c)) b->removeItem(index);
  else delete ListOf(c)->takeItem(index);
}

int ListCount(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c ? LineCount(c) : 0;
}

void ListSelect(Window dialog, int id, int index) {
  if (WindowRec* c = Usable(dialog, id)) SelectLine(c, index);
}

int ListSelection(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  if (!c) return -1;
  if (QComboBox* b = ComboOf(c)) return b->currentIndex();
  if (QListWidget* l = ListOf(c)) {
    QListWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? l->currentRow() : -1;
  }
  return -1;
}

std::string ListText(Window dialog, int id, int index) {
  WindowRec* c = Usable(dialog, id);
  return c ? text::FromQ(LineText(c, index)) : std::string();
}

int ListSelectByPrefix(Window dialog, int id, std::string_view prefix) {
  WindowRec* c = Usable(dialog, id);
  if (!c) return -1;
  QString q = text::ToQ(prefix);
  for (int i = 0, n = LineCount(c); i < n; ++i) {
    if (LineText(c, i).startsWith(q, Qt::CaseInsensitive)) {
      SelectLine(c, i);
      return i;
    }
  }
  return -1;
}

void SetItemHeight(Window dialog, int id, int height) {
  WindowRec* c = Usable(dialog, id);
  if (!c || height <= 0) return;
  c->itemHeight = height;
  if (QComboBox* b = ComboOf(c)) {
    b->view()->doItemsLayout();
    MoveControl(dialog, id, b->x(), b->y(), b->width(), b->height());
  } else if (QListWidget* l = ListOf(c)) {
    l->doItemsLayout();
  }
}

// Graphic controls and icons.

gfx::Surface& ControlSurface(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  if (c && c->surface) return *c->surface;
  static gfx::Surface* none = gfx::MakeBitmap(1, 1);
  return *none;
}

void Redraw(Window dialog, int id) {
  if (id == 0) {
    if (WindowRec* d = DialogOf(dialog); d && d->widget) d->widget->update();
  } else if (WindowRec* c = Usable(dialog, id)) {
    c->widget->update();
  }
}

void SetImage(Window dialog, int id, std::string_view resourceName) {
  WindowRec* c = Usable(dialog, id);
  if (c && c->kind == Kind::Icon) SetImageOf(c, resourceName);
}

std::string ImageName(Window dialog, int id) {
  WindowRec* c = Usable(dialog, id);
  return c ? c->imageName : std::string();
}

gfx::Colour SystemColourOf(SystemColour c) {
  QPalette pal = QApplication::palette();
  switch (c) {
    case SystemColour::Highlight: return gfx::FromQColor(pal.color(QPalette::Highlight));
    case SystemColour::HighlightText: return gfx::FromQColor(pal.color(QPalette::HighlightedText));
    case SystemColour::Window: return gfx::FromQColor(pal.color(QPalette::Base));
    case SystemColour::WindowText: return gfx::FromQColor(pal.color(QPalette::Text));
    case SystemColour::ButtonFace: return gfx::FromQColor(pal.color(QPalette::Button));
  }
  return gfx::kWhite;
}

}  // namespace ui
