// Menu models: finding commands, the default entry, and their QMenus.
#include "platform/ui/popup_menu.h"
#include "platform/widgets/popup_menu_service.h"

#include "support/qt_printers.h"
#include "support/scripted_menus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

TMenuItem Command(unsigned Id, const QString& Text, bool Grayed = false, bool IsDefault = false)
{
    TMenuItem item;
    item.Id = Id;
    item.Text = Text;
    item.Grayed = Grayed;
    item.IsDefault = IsDefault;
    item.HelpText = Text + " help";
    return item;
}

// "&Open" (default), a separator, "Send &To" holding a grayed "Empty" and "&Mail", "&Cut" (grayed).
TMenuModel SampleMenu()
{
    TMenuModel menu;
    menu.Items().push_back(Command(5, "&Open", false, true));
    TMenuItem separator;
    separator.Separator = true;
    menu.Items().push_back(separator);
    TMenuItem sendTo;
    sendTo.Text = "Send &To";
    sendTo.HasSubmenu = true;
    sendTo.Submenu.Items().push_back(Command(0, "Empty", true));
    sendTo.Submenu.Items().push_back(Command(7, "&Mail"));
    menu.Items().push_back(sendTo);
    menu.Insert(99, Command(6, "&Cut", true));
    return menu;
}

} // namespace

TEST(PopupMenu, ModelsFindTheirCommands)
{
    const TMenuModel menu = SampleMenu();
    EXPECT_EQ(DescribeMenu(menu), "*Open, -, Send To [(Empty), Mail], (Cut)");
    ASSERT_TRUE(menu.Find(7));
    EXPECT_EQ(menu.Find(7)->Text, "&Mail");
    EXPECT_EQ(menu.Find(6)->Text, "&Cut");
    EXPECT_EQ(menu.Find(0), nullptr); // separators, submenus and placeholders carry no command
    EXPECT_EQ(menu.Find(8), nullptr);
    ASSERT_TRUE(menu.Default());
    EXPECT_EQ(menu.Default()->Id, 5u);
}

TEST(PopupMenu, AQMenuOfAModel)
{
    QMenu menu;
    FillQMenu(menu, SampleMenu());
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), "&Open");
    EXPECT_EQ(MenuCommandOf(actions[0]), 5u);
    EXPECT_TRUE(actions[0]->font().bold());
    EXPECT_EQ(menu.defaultAction(), actions[0]);
    EXPECT_EQ(actions[0]->statusTip(), "&Open help");
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_TRUE(actions[2]->menu());
    const QList<QAction*> sendTo = actions[2]->menu()->actions();
    ASSERT_EQ(sendTo.size(), 2);
    EXPECT_FALSE(sendTo[0]->isEnabled());
    EXPECT_EQ(MenuCommandOf(sendTo[1]), 7u);
    EXPECT_FALSE(actions[3]->isEnabled());
    EXPECT_EQ(MenuCommandOf(nullptr), 0u);
    EXPECT_EQ(MenuCommandOf(actions[1]), 0u);
}

TEST(PopupMenu, TrackPopupMenuAsksTheServiceInUse)
{
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("Mail")).Then(CloseMenu());
    EXPECT_EQ(TrackPopupMenu(SampleMenu(), {10, 20}), 7u);
    EXPECT_EQ(TrackPopupMenu(SampleMenu(), {10, 20}), 0u);
    EXPECT_EQ(menus.Shown().size(), 2u);
}

TEST(PopupMenu, TheQMenuServiceReturnsTheChosenCommandAndTellsTheHints)
{
    // Once the menu is up, the pointer rests on "Open" and Enter chooses it; a guard closes a menu
    // that would otherwise stay.
    QTimer::singleShot(0, [] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(popup);
        popup->setActiveAction(popup->actions().first());
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    guard.start(10000);
    QStringList hints;
    TQMenuPopupService service;
    EXPECT_EQ(service.Popup(SampleMenu(), {10, 20}, [&](const QString& Hint) { hints += Hint; }), 5u);
    EXPECT_EQ(hints, QStringList({"&Open help"}));
}

TEST(PopupMenu, ASubmenuAnswersTypedLettersByItsRuleAndShowsImages)
{
    TMenuModel model = SampleMenu();
    TMenuItem& sendTo = model.Items()[2];
    sendTo.Submenu.Items()[1].Image = QImage(16, 16, QImage::Format_ARGB32);
    sendTo.Submenu.Items().push_back(Command(8, "A && B"));
    QStringList texts;
    int highlighted = -2;
    // s selects the second entry, e chooses the third, anything else closes.
    sendTo.Submenu.OnMenuChar = [&](const QStringList& Texts, int Highlighted, QChar Typed) {
        texts = Texts;
        highlighted = Highlighted;
        if (Typed == 's')
            return TMenuCharAnswer{TMenuCharAction::Select, 1};
        if (Typed == 'e')
            return TMenuCharAnswer{TMenuCharAction::Execute, 2};
        return TMenuCharAnswer{};
    };
    QMenu menu;
    FillQMenu(menu, model);
    QMenu* submenu = menu.actions()[2]->menu();
    ASSERT_TRUE(submenu);
    const QList<QAction*> actions = submenu->actions();
    EXPECT_TRUE(actions[0]->icon().isNull());
    EXPECT_FALSE(actions[1]->icon().isNull());

    submenu->popup({10, 20});
    QTest::keyClick(submenu, Qt::Key_S);
    EXPECT_EQ(texts, QStringList({"Empty", "Mail", "A & B"}));
    EXPECT_EQ(highlighted, -1);
    EXPECT_EQ(submenu->activeAction(), actions[1]);

    QAction* chosen = nullptr;
    QObject::connect(submenu, &QMenu::triggered, [&](QAction* Action) { chosen = Action; });
    QTest::keyClick(submenu, Qt::Key_E);
    EXPECT_EQ(highlighted, 1);
    EXPECT_EQ(chosen, actions[2]);

    submenu->popup({10, 20});
    ASSERT_TRUE(submenu->isVisible());
    QTest::keyClick(submenu, Qt::Key_Z);
    EXPECT_FALSE(submenu->isVisible());
}
