// TToolbarTest: a test with its own registry and the main tool bar's and the remote pane's action
// lists (the program's action names, the servers button with its drop-down menu).
#pragma once

#include "support/registry_scope.h"

#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "platform/ui/action_list.h"

#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

class TToolbarTest : public ::testing::Test {
protected:
    TToolbarTest()
    {
        // The default layouts' actions, an action no default layout holds, and the separators.
        for (const QString& name : DefaultMainToolbar + QStringList{QStringLiteral("actToolbarRefresh")})
            AddAction(MainActions, name);
        for (const QString& name : DefaultRemoteToolbar + QStringList{QStringLiteral("actToolbarRemoteRename")})
            AddAction(RemoteActions, name);
        Connect()->HelpContext = &popToolbarServers;
        MainBar.Tag = -1;
        MainBar.ActionList = &MainActions;
        RemoteBar.Tag = 1;
        RemoteBar.ActionList = &RemoteActions;
    }
    TAction* Connect() { return ActionsNamed(MainActions, {QStringLiteral("actToolbarConnect")}).value(0); }

    // The names of the buttons' actions, in order.
    static QStringList ButtonNames(const TToolBar& ToolBar)
    {
        QStringList names;
        for (const TToolButton* button : ToolBar.Buttons())
            names.append(button->Action() ? button->Action()->objectName() : QStringLiteral("(none)"));
        return names;
    }
    // Which buttons are shown, "1" or "0" each.
    static QString ShownPattern(const TToolBar& ToolBar)
    {
        QString shown;
        for (const TToolButton* button : ToolBar.Buttons())
            shown += button->Shown() ? QLatin1Char('1') : QLatin1Char('0');
        return shown;
    }

    TRegistryScope Registry;
    QWidget Window;
    QMenu popToolbarServers;
    TActionList MainActions;
    TActionList RemoteActions;
    // After the actions and the menu: the buttons go first.
    TToolBar MainBar{&Window};
    TToolBar RemoteBar{&Window};

private:
    static void AddAction(TActionList& List, const QString& Name)
    {
        if (!ActionsNamed(List, {Name}).isEmpty())
            return;
        auto* action = new TAction(Name.mid(3), &List);
        action->setObjectName(Name);
        if (Name.endsWith(QStringLiteral("Separator")))
            action->Tag = SeparatorActionTag;
    }
};
