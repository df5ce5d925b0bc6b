// Menu bars of dialogs: popups, submenus, bitmaps, checks and greyed items by id.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <utility>

#include "platform/desktop/resources_qt.h"
#include "platform/text/qt_text.h"
#include "platform/ui/ui_internal.h"

namespace ui {

namespace {

// Qt shows a check only on checkable actions, and a click toggles those; the state kept
// here is the one the program set, put back after every click.
void ShowMenuState(WindowRec::MenuState& state) {
  for (QAction* a : state.actions) {
    a->setCheckable(state.checked);
    a->setChecked(state.checked);
    a->setEnabled(state.enabled);
  }
}

// The bitmap with a check mark over it, haloed in white so that it shows on any picture.
QImage WithCheckMark(QImage image) {
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(image.width() / 16.0, image.height() / 16.0);
  const QPolygonF check({QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3)});
  for (const auto& [colour, width] : {std::pair{Qt::white, 4.5}, std::pair{Qt::black, 2.2}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(check);
  }
  return image;
}

// A style draws an item that carries a bitmap with the bitmap in place of the check mark; the
// bitmap's "on" state carries the check so that a checked item still shows it.
QIcon MenuIcon(const std::string& bitmap) {
  if (bitmap.empty()) return {};
  QImage image = desktop::ResourceImage(bitmap);
  if (image.isNull()) return {};
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal, QIcon::Off);
  icon.addPixmap(QPixmap::fromImage(WithCheckMark(image)), QIcon::Normal, QIcon::On);
  return icon;
}

void AddItems(WindowRec* d, QMenuBar* bar, QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.text == "-") {
      menu->addSeparator();
      continue;
    }
    QAction* a;
    if (!item.submenu.empty()) {
      QMenu* sub = menu->addMenu(text::ToQ(item.text));
      AddItems(d, bar, sub, item.submenu);
      a = sub->menuAction();
    } else {
      a = menu->addAction(text::ToQ(item.text));
      int id = item.id;
      QObject::connect(a, &QAction::triggered, a, [bar, id] {
        WindowRec* dialog = RecOf(bar);
        if (!dialog) return;
        auto it = dialog->menuStates.find(id);
        if (it != dialog->menuStates.end()) ShowMenuState(it->second);
        ChooseMenuItem(dialog, id);
      });
    }
    a->setIcon(MenuIcon(item.bitmap));
    a->setIconVisibleInMenu(true);
    a->setEnabled(item.enabled);
    if (item.id != 0) {
      WindowRec::MenuState& state = d->menuStates[item.id];
      state.checked = item.checked;
      state.enabled = item.enabled;
      state.actions.push_back(a);
      ShowMenuState(state);
    }
  }
}

void ReadStates(const WindowRec* d, std::vector<MenuItem>& items) {
  for (MenuItem& item : items) {
    auto it = d->menuStates.find(item.id);
    if (item.id != 0 && it != d->menuStates.end()) {
      item.checked = it->second.checked;
      item.enabled = it->second.enabled;
    }
    ReadStates(d, item.submenu);
  }
}

WindowRec::MenuState* StateOf(Window window, int id) {
  WindowRec* d = DialogOf(window);
  if (!d || id == 0) return nullptr;
  auto it = d->menuStates.find(id);
  return it == d->menuStates.end() ? nullptr : &it->second;
}

}  // namespace

bool ChooseMenuItem(WindowRec* d, int id) {
  WindowRec::MenuState* state = StateOf(d, id);
  if (!state || !state->enabled) return false;
  Deliver(d, Msg::Command, id, kMenu);
  return true;
}

void SetMenuBar(Window window, const std::vector<Menu>& menus) {
  WindowRec* d = DialogOf(window);
  if (!d || !d->widget) return;
  auto* w = static_cast<DialogWidget*>(d->widget.data());
  QSize client = d->client->size();
  if (d->menuBar) {
    // The old bar may be the one whose item is being handled now.
    UnmapWidget(d->menuBar);
    d->menuBar->hide();
    d->menuBar->deleteLater();
  }
  d->menuStates.clear();
  d->menus = menus;
  auto* bar = new QMenuBar(w);
  bar->setNativeMenuBar(false);
  bar->setFont(QApplication::font());
  MapWidget(bar, d);
  for (const Menu& m : menus) AddItems(d, bar, bar->addMenu(text::ToQ(m.title)), m.items);
  d->menuBar = bar;
  bar->show();
  // The template gives the client area; the window grows by the bar above it.
  QSize total(client.width(), client.height() + bar->sizeHint().height());
  if (d->resizable) w->resize(total);
  else w->setFixedSize(total);
  w->LayOut();
}

void CheckMenuItem(Window window, int id, bool on) {
  if (WindowRec::MenuState* s = StateOf(window, id)) {
    s->checked = on;
    ShowMenuState(*s);
  }
}

void EnableMenuItem(Window window, int id, bool on) {
  if (WindowRec::MenuState* s = StateOf(window, id)) {
    s->enabled = on;
    ShowMenuState(*s);
  }
}

bool MenuItemChecked(Window window, int id) {
  WindowRec::MenuState* s = StateOf(window, id);
  return s && s->checked;
}

bool MenuItemEnabled(Window window, int id) {
  WindowRec::MenuState* s = StateOf(window, id);
  return s && s->enabled;
}

std::vector<Menu> MenuBar(Window window) {
  WindowRec* d = DialogOf(window);
  if (!d) return {};
  std::vector<Menu> menus = d->menus;
  for (Menu& m : menus) ReadStates(d, m.items);
  return menus;
}

namespace testing {
bool ChooseMenu(Window window, int id) { return ChooseMenuItem(DialogOf(window), id); }
}  // namespace testing

}  // namespace ui
