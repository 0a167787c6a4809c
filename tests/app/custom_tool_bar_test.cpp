// The "Select Buttons" dialog on a live tool bar, and the tool bars' context menu.
#include "toolbar_fixture.h"

#include "support/scripted_prompts.h"

#include "app/toolbars/custom_tool_bar_frm.h"
#include "app/toolbars/toolbar_menu.h"

namespace {

QStringList EntryNames(const TToolbarActionListBox& List)
{
    QStringList names;
    for (int row = 0; row < List.count(); ++row)
        names.append(List.EntryAction(row)->objectName());
    return names;
}

} // namespace

class TCustomToolBarTest : public TToolbarTest {
protected:
    TCustomToolBarTest()
    {
        SetToolBarButtons(RemoteBar, ActionsNamed(RemoteActions, DefaultRemoteToolbar));
        Form = std::make_unique<TCustomToolBarFrm>(nullptr, RemoteBar, RemoteActions, CustomFormKey,
                                                   ActionsNamed(RemoteActions, DefaultRemoteToolbar));
    }

    // The current list and the tool bar agree; returns the names.
    QStringList Current()
    {
        const QStringList names = EntryNames(*Form->lbCurrentToolbar);
        EXPECT_EQ(ButtonNames(RemoteBar), names);
        EXPECT_FALSE(RemoteBar.Buttons().back()->Shown());
        return names;
    }
    QStringList Available() { return EntryNames(*Form->lbAllToolbarActions); }

    std::unique_ptr<TCustomToolBarFrm> Form;
};

TEST_F(TCustomToolBarTest, ListsTheButtonsAndTheActionsNotOnTheToolBar)
{
    EXPECT_EQ(Form->windowTitle(), "Select Buttons");
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
    // The separator is always available.
    EXPECT_EQ(Available(), (QStringList{"actToolbarRemoteSeparator", "actToolbarRemoteRename"}));
    EXPECT_EQ(Form->lbCurrentToolbar->currentRow(), 0);
    EXPECT_EQ(Form->lbAllToolbarActions->currentRow(), 0);
    EXPECT_EQ(Form->btnAdd->text(), "&Add ->");
    EXPECT_EQ(Form->btnRemove->text(), "<- &Remove");
}

TEST_F(TCustomToolBarTest, AddingAndRemovingKeepTheSeparatorAvailableOnce)
{
    // The separator added before the entry above the selection stays available.
    Form->lbCurrentToolbar->setCurrentRow(2);
    Form->lbAllToolbarActions->setCurrentRow(0);
    Form->actCustomAdd->trigger();
    EXPECT_EQ(Current(), (QStringList{"actToolbarRemoteMkd", "actToolbarRemoteSeparator", "actToolbarRemoteCDup",
                                      "actToolbarRemoteAddBk", "actToolbarRemoteDel", "actToolbarRemoteProperties",
                                      "actToolbarRemoteSeparator"}));
    EXPECT_EQ(Form->lbCurrentToolbar->currentRow(), 1);
    EXPECT_EQ(Available(), (QStringList{"actToolbarRemoteSeparator", "actToolbarRemoteRename"}));

    // Removing the separator does not list it twice; removing an action lists it again.
    Form->actCustomRemove->trigger();
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
    EXPECT_EQ(Available(), (QStringList{"actToolbarRemoteSeparator", "actToolbarRemoteRename"}));
    EXPECT_EQ(Form->lbCurrentToolbar->currentRow(), 0);
    Form->actCustomRemove->trigger();
    EXPECT_EQ(Current(), DefaultRemoteToolbar.mid(1));
    EXPECT_EQ(Available(),
              (QStringList{"actToolbarRemoteMkd", "actToolbarRemoteSeparator", "actToolbarRemoteRename"}));

    // An action added leaves the available list, whose selection moves to the entry before.
    Form->lbAllToolbarActions->setCurrentRow(2);
    Form->lbCurrentToolbar->setCurrentRow(0);
    Form->actCustomAdd->trigger();
    EXPECT_EQ(Current().first(), "actToolbarRemoteRename");
    EXPECT_EQ(Available(), (QStringList{"actToolbarRemoteMkd", "actToolbarRemoteSeparator"}));
    EXPECT_EQ(Form->lbAllToolbarActions->currentRow(), 1);
}

TEST_F(TCustomToolBarTest, TheTrailingSeparatorAndTheEntryBeforeItKeepTheirPlaces)
{
    auto enabled = [this] {
        Form->ActionList->UpdateActions();
        return QString("%1%2%3").arg(int(Form->actCustomRemove->isEnabled())).arg(int(Form->actCustomMoveUp->isEnabled()))
            .arg(int(Form->actCustomMoveDown->isEnabled()));
    };
    Form->lbCurrentToolbar->setCurrentRow(5);
    EXPECT_EQ(enabled(), "000");
    Form->lbCurrentToolbar->setCurrentRow(3);
    EXPECT_EQ(enabled(), "111");
    Form->actCustomMoveDown->trigger(); // onto the entry before the trailing separator: refused
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
    Form->actCustomMoveUp->trigger();
    EXPECT_EQ(Current(), (QStringList{"actToolbarRemoteMkd", "actToolbarRemoteCDup", "actToolbarRemoteDel",
                                      "actToolbarRemoteAddBk", "actToolbarRemoteProperties",
                                      "actToolbarRemoteSeparator"}));
    EXPECT_EQ(Form->lbCurrentToolbar->currentRow(), 2);
    Form->lbCurrentToolbar->setCurrentRow(0);
    Form->actCustomMoveUp->trigger();
    EXPECT_EQ(Form->lbCurrentToolbar->currentRow(), 0);

    // Dropped within the current list: moved to the drop point, never past the last two.
    Form->DropEntry(Form->lbCurrentToolbar, 0, Form->lbCurrentToolbar, 2);
    EXPECT_EQ(Current().mid(0, 3),
              (QStringList{"actToolbarRemoteCDup", "actToolbarRemoteDel", "actToolbarRemoteMkd"}));
    Form->DropEntry(Form->lbCurrentToolbar, 0, Form->lbCurrentToolbar, 5);
    EXPECT_EQ(Current().first(), "actToolbarRemoteCDup");

    Form->actCustomReset->trigger();
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
}

TEST_F(TCustomToolBarTest, EntriesDroppedBetweenTheListsAreAddedAndRemoved)
{
    // Onto the current list's entry 1: inserted there.
    Form->DropEntry(Form->lbAllToolbarActions, 1, Form->lbCurrentToolbar, 1);
    EXPECT_EQ(Current().mid(0, 3),
              (QStringList{"actToolbarRemoteMkd", "actToolbarRemoteRename", "actToolbarRemoteCDup"}));
    // Back onto the available list.
    Form->DropEntry(Form->lbCurrentToolbar, 1, Form->lbAllToolbarActions, 0);
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
    EXPECT_TRUE(Available().contains("actToolbarRemoteRename"));
    // The trailing separator cannot be taken away.
    Form->DropEntry(Form->lbCurrentToolbar, 5, Form->lbAllToolbarActions, 0);
    EXPECT_EQ(Current(), DefaultRemoteToolbar);
}

TEST_F(TToolbarTest, TheServersButtonKeepsItsMenuWhenCustomised)
{
    LoadToolBarOrDefaults(MainBar);
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& form = dynamic_cast<TCustomToolBarFrm&>(Dialog);
        form.lbCurrentToolbar->setCurrentRow(0);
        form.actCustomMoveDown->trigger();
        form.actCustomReset->trigger();
        form.lbCurrentToolbar->setCurrentRow(1);
        form.actCustomMoveUp->trigger();
        ButtonOf(Dialog, "&Close")->click();
    });
    CustomizeToolBar(MainBar, MainActions, CustomFormKey, ActionsNamed(MainActions, DefaultMainToolbar));
    EXPECT_EQ(prompts.Shown(), 1);
    ASSERT_EQ(ButtonNames(MainBar).mid(0, 2), (QStringList{"actToolbarDisconnect", "actToolbarConnect"}));
    EXPECT_EQ(MainBar.Buttons()[1]->DropdownMenu(), &popToolbarServers);
    EXPECT_EQ(MainBar.Buttons()[1]->Style(), tbsDropDown);
    EXPECT_EQ(MainBar.Buttons()[0]->DropdownMenu(), nullptr);
}

TEST_F(TToolbarTest, TheContextMenuSwitchesTheLookOfTheToolBarItWasOpenedOn)
{
    LoadToolBarOrDefaults(MainBar);
    LoadToolBarOrDefaults(RemoteBar);
    TToolbarMenu menu(&Window);
    QStringList placed;
    menu.OnLayoutChanged = [&](TToolBar& ToolBar) { placed.append(QString::number(ToolBar.Tag)); };

    menu.Popup(RemoteBar);
    EXPECT_TRUE(menu.popToolbarSmItem->isChecked());
    EXPECT_TRUE(menu.MenuItem8->isChecked());
    EXPECT_FALSE(menu.Visible2->isChecked());
    EXPECT_FALSE(menu.Visible1->isVisible());
    menu.Visible2->trigger();
    EXPECT_TRUE(RemoteBar.ShowCaptions());
    for (const TToolButton* button : RemoteBar.Buttons())
        EXPECT_EQ(button->height(), CaptionButtonHeight);
    EXPECT_EQ(RemoteBar.Buttons().front()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    menu.Visible2->trigger();
    EXPECT_EQ(RemoteBar.Buttons().front()->height(), PaneButtonHeight);
    EXPECT_EQ(RemoteBar.Buttons().front()->width(), PaneButtonWidth);
    menu.popToolbarSmItem->trigger();
    EXPECT_FALSE(RemoteBar.ShowHint());

    menu.Popup(MainBar);
    EXPECT_TRUE(menu.Visible1->isVisible());
    EXPECT_TRUE(menu.Visible1->isChecked());
    menu.MenuItem8->trigger();
    EXPECT_FALSE(MainBar.Flat());
    EXPECT_FALSE(MainBar.Buttons().front()->autoRaise());
    menu.Visible1->trigger();
    EXPECT_FALSE(MainBar.ToolbarVisible());
    EXPECT_EQ(placed, (QStringList{"1", "1", "-1", "-1"}));

    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& form = dynamic_cast<TCustomToolBarFrm&>(Dialog);
        EXPECT_EQ(form.lbCurrentToolbar->count(), 17);
        form.lbCurrentToolbar->setCurrentRow(1);
        form.actCustomRemove->trigger();
        Dialog.reject();
    });
    menu.MenuItem10->trigger();
    EXPECT_EQ(MainBar.Buttons().size(), 16u);
}
