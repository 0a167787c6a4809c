// The main window's tool bars and site tree: the layouts it saves when it goes and the sites it
// shows once started.
#include "main_form_fixture.h"

#include "app/site_tree/site_tree.h"
#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/string_list.h"
#include "routines/registry_helpers.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/tree_view.h"
#include "shell/pt_tree_view.h"

#include <QMenu>
#include <QTest>

namespace {

// The "But%d" values of the layout under Key, in the registry's order, as name=value lines.
QStringList StoredButtons(const QString& Key)
{
    TRegIniFile ini(Key);
    TStringList names;
    ini.ReadSection(QStringLiteral("Buttons"), names);
    QStringList lines;
    for (int i = 0; i < names.Count(); ++i)
        lines += names.Strings(i) + '=' + ini.ReadString(QStringLiteral("Buttons"), names.Strings(i), {});
    return lines;
}

} // namespace

TEST_F(TMainFormTest, SavesTheThreeToolbarLayoutsInButtonOrderWhenItGoes)
{
    TTarnwickFTPApp& form = MakeForm();
    // With an empty registry every tool bar shows its default layout; the servers and the type
    // buttons drop their menus down.
    const TToolButton* servers = form.tbMain->Buttons().front();
    EXPECT_EQ(servers->Action(), form.Action("actToolbarConnect"));
    EXPECT_EQ(servers->DropdownMenu(), form.popToolbarServers);
    const TToolButton* type = nullptr;
    for (const TToolButton* button : form.tbMain->Buttons())
        if (button->Action() == form.Action("actToolbarTypeSet"))
            type = button;
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->DropdownMenu(), form.popTypeSet);
    // The save and align commands keep their drop-downs for a layout that carries them.
    EXPECT_EQ(form.Action("actEditDiv")->HelpContext, form.popDiv);
    EXPECT_EQ(form.Action("actEditSave")->HelpContext, form.popSave);
    QStringList saves;
    for (const QAction* item : form.popSave->actions())
        saves += item->objectName();
    EXPECT_EQ(saves, QStringList({"actFileSaveAs", "actFileSaveRemote", "actFileSaveLocal"}));
    EXPECT_EQ(form.tbMain->ButtonHeight(), MainButtonHeight);
    EXPECT_EQ(form.tbRemote->ButtonHeight(), PaneButtonHeight);
    CloseForm();

    const struct {
        QString Key;
        QStringList Buttons;
    } cases[] = {
        {MainToolbarKey,
         {"actToolbarConnect", "actToolbarDisconnect", "actToolbarSeparator", "actToolbarEditWin", "actToolbarSeparator",
          "actToolbarUpload", "actToolbarDownload", "actToolbarSeparator", "actToolBarEdit", "actToolbarSaveWeb",
          "actToolbarSeparator", "actToobarMakeZip", "actToolbarSearch", "actToolbarBookmarks",
          "actToolbarSeparator", "actToolbarTypeSet", "actToolbarSeparator"}},
        {MyComputerToolbarKey,
         {"actToolbarMyMkd", "actToolbarMyCDup", "actToolbarMyAddBk", "actToolbarMyDel",
          "actToolbarMyProperties", "actToolbarMySeparator"}},
        {RemoteToolbarKey,
         {"actToolbarRemoteMkd", "actToolbarRemoteCDup", "actToolbarRemoteAddBk", "actToolbarRemoteDel",
          "actToolbarRemoteProperties", "actToolbarRemoteSeparator"}},
    };
    for (const auto& [key, buttons] : cases) {
        QStringList expected;
        for (int i = 0; i < buttons.size(); ++i)
            expected += QStringLiteral("But%1=").arg(i) + buttons[i];
        EXPECT_EQ(StoredButtons(key), expected) << key.toStdString();
        EXPECT_EQ(RegReadIntAt(key, QString(), "Flat", -1), 1) << key.toStdString();
    }
}

TEST_F(TMainFormTest, ShowsEachProfileOnceUnderMySitesAfterStartUp)
{
    UploadProfiles()->Add()->ItemName = "zeta";
    UploadProfiles()->Add()->ItemName = "alpha";
    TTarnwickFTPApp& form = MakeForm(false);
    form.show();
    // The start-up message builds the tree.
    QTRY_VERIFY(form.SiteTree().Root() != nullptr);
    TTreeNode* root = form.SiteTree().Root();
    EXPECT_EQ(root->Text(), "My Sites");
    QStringList sites;
    for (int i = 0; i < root->Count(); ++i)
        sites += root->Item(i)->Text();
    EXPECT_EQ(sites, (QStringList{"alpha", "zeta"}));
    EXPECT_EQ(form.popToolbarServers->actions().size(), 2);
}
