// The action list: update handlers run on demand, when idle and before a menu shows; triggering
// runs the execute handler; buttons follow their action.
#include "platform/ui/action_list.h"
#include "platform/widgets/action_button.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>

TEST(ActionList, UpdatesOnDemandWhenIdleAndBeforeAMenuShows)
{
    TActionList list;
    TAction action(QStringLiteral("&Connect"), &list);
    int updates = 0;
    action.OnUpdate = [&](TAction* Sender) {
        ++updates;
        Sender->setEnabled(updates % 2 == 1);
    };
    list.UpdateActions();
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(action.isEnabled());

    const int before = updates;
    EXPECT_TRUE(QTest::qWaitFor([&] { return updates > before; }, 5000)); // the idle pass

    QMenu menu;
    menu.addAction(&action);
    const int beforeMenu = updates;
    menu.popup(QPoint(0, 0));
    EXPECT_GT(updates, beforeMenu);
    menu.hide();
}

TEST(ActionList, TriggerRunsExecuteAndButtonsFollowTheAction)
{
    TActionList list;
    TAction action(QStringLiteral("Next >"), &list);
    action.Tag = 7;
    int executed = 0;
    action.OnExecute = [&](TAction* Sender) { executed += Sender->Tag; };
    QPushButton button;
    BindButtonToAction(&button, &action);
    EXPECT_EQ(button.text(), "Next >");
    button.click();
    EXPECT_EQ(executed, 7);

    action.setText(QStringLiteral("Finish"));
    action.setEnabled(false);
    EXPECT_EQ(button.text(), "Finish");
    EXPECT_FALSE(button.isEnabled());
    {
        TAction gone(QStringLiteral("Gone"), &list);
        EXPECT_EQ(list.Actions().size(), 2);
    }
    EXPECT_EQ(list.Actions().size(), 1);
    list.UpdateActions(); // a freed action is no longer updated
}
