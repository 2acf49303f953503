// The tray icon's Qt view: the program's menu built again at every opening, and its tip.
#include "ui/tray_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTextDocument>

#include "shell/tray_menu.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

struct MenuListener final : TrayListener {
  std::vector<int> chosen;
  TrayMenu CurrentMenu() override {
    return BuildTrayMenu([](int) { return true; }, false);
  }
  void MenuChosen(int id) override { chosen.push_back(id); }
  void IconActivated() override {}
};

int Menus(const QMenu& menu) {
  return static_cast<int>(menu.findChildren<QMenu*>().size());
}
int Actions(const QMenu& menu) {
  return static_cast<int>(menu.findChildren<QAction*>().size());
}

TEST(TrayViewTest, OpeningTheMenusAgainLeavesNoSubmenusBehind) {
  testing::TestApp();
  MenuListener listener;
  TrayView tray;
  tray.Listen(listener);
  const TrayMenu menu = listener.CurrentMenu();
  tray.PopUp(menu, 10, 10);
  ASSERT_NE(tray.PopupMenu(), nullptr);
  const int menus = Menus(*tray.PopupMenu());
  const int actions = Actions(*tray.PopupMenu());
  EXPECT_EQ(menus, 7);  // favourites, player, calculator, notepad, timers, FM, web
  for (int i = 0; i < 10; ++i) tray.PopUp(menu, 10, 10);
  EXPECT_EQ(Menus(*tray.PopupMenu()), menus);
  EXPECT_EQ(Actions(*tray.PopupMenu()), actions);
  tray.PopupMenu()->hide();

  // The icon's menu is filled each time it is about to show.
  tray.Add("Varlo");
  QMenu* context = tray.Icon()->contextMenu();
  ASSERT_NE(context, nullptr);
  for (int i = 0; i < 10; ++i) emit context->aboutToShow();
  EXPECT_EQ(Menus(*context), menus);
  EXPECT_EQ(Actions(*context), actions);

  // A choice in a submenu made by the last filling still arrives.
  QMenu* player = nullptr;
  for (QAction* a : context->actions())
    if (a->text() == "&Player" && a->menu()) player = a->menu();
  ASSERT_NE(player, nullptr);
  player->actions().at(1)->trigger();  // "&Stop"
  EXPECT_EQ(listener.chosen, std::vector<int>{10});
  tray.Remove();
}

TEST(TrayViewTest, TheTipIsPlainTextThatQtDoesNotTakeForMarkup) {
  testing::TestApp();
  MenuListener listener;
  TrayView tray;
  tray.Listen(listener);
  tray.Add("Varlo");
  EXPECT_EQ(tray.Icon()->toolTip(), "Varlo");
  tray.SetTip("Varlo - [Artist] - Rock & Roll");
  EXPECT_EQ(tray.Icon()->toolTip(), "Varlo - [Artist] - Rock & Roll");

  // A title that looks like markup is shown as its characters, not as bold text or an entity.
  const QString title = "Varlo - <b>Loud</b> &amp; <img src=x>";
  tray.SetTip(title.toStdString());
  const QString tip = tray.Icon()->toolTip();
  EXPECT_FALSE(tip.contains("<p"));
  EXPECT_FALSE(Qt::mightBeRichText(tip));
  QString shown = tip;
  shown.remove(QChar(0x2060));
  EXPECT_EQ(shown, title);
  tray.Remove();
}

}  // namespace
}  // namespace varlo
