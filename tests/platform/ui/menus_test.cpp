// Menu bars: structure, checks, greyed items, choosing items, and the window's size.
#include <QAction>
#include <QMenu>

#include "platform/ui/ui_internal.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

std::vector<ui::Menu> SampleBar() {
  ui::MenuItem left{"Izquierda", 0, "#309"};
  left.submenu = {{"Mover objetos", 1052}, {"Editar objetos", 1074}};
  left.submenu[0].checked = true;
  ui::MenuItem greyed{"Navegador", 1091, "#326"};
  greyed.enabled = false;
  return {
      {"Archivos", {{"Nuevo", 1046, "#300"}, {"-"}, {"Salir", 1047, "#303"}}},
      {"Raton", {left}},
      {"Bases de Datos", {{"Vincular", 1090, "#325"}, {"-"}, greyed}},
  };
}

class MenusTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::DialogTemplate t = SampleTemplate("Veluna");
    d = ui::ShowModeless(t, nullptr, RecordingProc);
    ASSERT_NE(d, nullptr);
    ui::SetMenuBar(d, SampleBar());
    Log().clear();
  }
  void TearDown() override {
    ui::DestroyWindow(d);
    UiTest::TearDown();
  }
  ui::Window d = nullptr;
};

}  // namespace

TEST_F(MenusTest, BarKeepsItsStructureAndStates) {
  std::vector<ui::Menu> bar = ui::MenuBar(d);
  ASSERT_EQ(bar.size(), 3u);
  EXPECT_EQ(bar[0].title, "Archivos");
  ASSERT_EQ(bar[0].items.size(), 3u);
  EXPECT_EQ(bar[0].items[1].text, "-");
  EXPECT_EQ(bar[0].items[2].id, 1047);
  EXPECT_EQ(bar[0].items[2].bitmap, "#303");
  ASSERT_EQ(bar[1].items[0].submenu.size(), 2u);
  EXPECT_TRUE(bar[1].items[0].submenu[0].checked);
  EXPECT_FALSE(bar[2].items[2].enabled);

  ui::CheckMenuItem(d, 1052, false);
  ui::CheckMenuItem(d, 1074, true);
  ui::EnableMenuItem(d, 1091, true);
  EXPECT_FALSE(ui::MenuItemChecked(d, 1052));
  EXPECT_TRUE(ui::MenuItemChecked(d, 1074));
  EXPECT_TRUE(ui::MenuItemEnabled(d, 1091));
  bar = ui::MenuBar(d);
  EXPECT_FALSE(bar[1].items[0].submenu[0].checked);
  EXPECT_TRUE(bar[1].items[0].submenu[1].checked);
  EXPECT_TRUE(bar[2].items[2].enabled);
  // Unknown ids are neither checked nor enabled.
  EXPECT_FALSE(ui::MenuItemChecked(d, 4242));
  EXPECT_FALSE(ui::MenuItemEnabled(d, 4242));
}

TEST_F(MenusTest, ChoosingAnItemSendsItsCommand) {
  EXPECT_TRUE(ui::testing::ChooseMenu(d, 1074));
  EXPECT_EQ(CountCommand(1074, ui::kMenu), 1);
  EXPECT_FALSE(ui::testing::ChooseMenu(d, 1091));  // greyed
  EXPECT_FALSE(ui::testing::ChooseMenu(d, 4242));  // absent
  EXPECT_EQ(CountCommands(1091), 0);
  ui::EnableMenuItem(d, 1091, true);
  EXPECT_TRUE(ui::testing::ChooseMenu(d, 1091));
  EXPECT_EQ(CountCommand(1091, ui::kMenu), 1);
}

TEST_F(MenusTest, TriggeredActionsSendCommandsAndKeepTheProgramsCheck) {
  QAction* move = d->menuStates.at(1052).actions.at(0);
  EXPECT_TRUE(move->isChecked());
  move->trigger();
  EXPECT_EQ(CountCommand(1052, ui::kMenu), 1);
  EXPECT_TRUE(ui::MenuItemChecked(d, 1052));
  EXPECT_TRUE(move->isChecked());
  QAction* fresh = d->menuStates.at(1046).actions.at(0);
  fresh->trigger();
  EXPECT_FALSE(fresh->isChecked());
  EXPECT_EQ(CountCommand(1046, ui::kMenu), 1);
}

TEST_F(MenusTest, WindowGrowsByTheBarAndKeepsItsClientArea) {
  QImage shot = Grabbed(d, "menu");
  EXPECT_EQ(shot.width(), 600);
  EXPECT_GT(shot.height(), 400);
  EXPECT_EQ(d->client->size(), QSize(600, 400));
  // Building the bar again does not grow the window twice.
  ui::SetMenuBar(d, SampleBar());
  EXPECT_EQ(Grabbed(d, "menu2").height(), shot.height());
  EXPECT_EQ(d->client->size(), QSize(600, 400));
  EXPECT_TRUE(ui::testing::ChooseMenu(d, 1047));
}

TEST_F(MenusTest, ACheckedItemWithABitmapShowsItsCheckMark) {
  ui::SetMenuBar(d, {{"Milimetrados", {{"Regla Milimetros", 1062, "#307"}, {"Papel Milimetrado", 1063, "#307"}}}});
  ui::CheckMenuItem(d, 1062, true);
  QAction* on = d->menuStates.at(1062).actions.at(0);
  QAction* off = d->menuStates.at(1063).actions.at(0);
  auto* menu = qobject_cast<QMenu*>(on->associatedObjects().value(0));
  ASSERT_NE(menu, nullptr);
  menu->adjustSize();
  // The column before the text, where the bitmap and the check stand.
  auto columnOf = [&](const QImage& shot, QAction* a) {
    const QRect item = menu->actionGeometry(a);
    return shot.copy(item.left(), item.top(), 28, item.height());
  };
  auto dark = [](const QImage& column) {
    int n = 0;
    for (int y = 0; y < column.height(); ++y)
      for (int x = 0; x < column.width(); ++x) n += qGray(column.pixel(x, y)) < 40;
    return n;
  };
  const QImage shot = menu->grab().toImage();
  EXPECT_GT(dark(columnOf(shot, on)), dark(columnOf(shot, off)) + 10);

  // The check follows the item's state.
  ui::CheckMenuItem(d, 1062, false);
  ui::CheckMenuItem(d, 1063, true);
  const QImage again = menu->grab().toImage();
  EXPECT_EQ(dark(columnOf(again, off)), dark(columnOf(shot, on)));
  EXPECT_EQ(dark(columnOf(again, on)), dark(columnOf(shot, off)));
}
