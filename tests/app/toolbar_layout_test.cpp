// Tool bar layouts: rebuilding from actions, the trailing separator, drop-down menus kept across
// rebuilds, and the layouts and look options in the registry.
#include "toolbar_fixture.h"

#include "platform/registry/hive_store.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/string_list.h"

#include <QMenu>

namespace {

const QByteArray MainKeyText = "[HKEY_CURRENT_USER\\Software\\Tarnwick Software\\Halyard FTP 5\\Main Form\\Toolbars\\Main";

// A registry file with the main tool bar's look options and its button values, in the order given.
QByteArray MainLayoutFile(const QList<std::pair<QString, QString>>& Values, bool Captions)
{
    QByteArray text = "REGEDIT4\n\n" + MainKeyText + "]\n\"Flat\"=\"1\"\n\"ShowCaptions\"=\"" +
                      (Captions ? "1" : "0") + "\"\n\"ShowHint\"=\"1\"\n\"Visible\"=\"1\"\n\n" + MainKeyText +
                      "\\Buttons]\n";
    for (const auto& [name, value] : Values)
        text += '"' + name.toUtf8() + "\"=\"" + value.toUtf8() + "\"\n";
    return text;
}

} // namespace

TEST_F(TToolbarTest, LoadsSeventeenButtonsInNumberOrderFromAStoreListingThemAlphabetically)
{
    // The default layout with an action that no longer exists at place 3, listed But0, But1,
    // But10 ... But17, But2 ... But9.
    QStringList stored = DefaultMainToolbar;
    stored.insert(3, QStringLiteral("actToolbarGone"));
    QList<std::pair<QString, QString>> values;
    for (int i = 0; i < stored.size(); ++i)
        values.append({QStringLiteral("But%1").arg(i), stored[i]});
    std::sort(values.begin(), values.end());
    ASSERT_EQ(values[2].first, "But10");
    Registry.WriteFileText(MainLayoutFile(values, true));
    Registry.Reload();

    LoadToolBarOrDefaults(MainBar);

    EXPECT_EQ(ButtonNames(MainBar), DefaultMainToolbar);
    EXPECT_EQ(ShownPattern(MainBar), "11111111111111110");
    EXPECT_TRUE(MainBar.ShowCaptions());
    for (const TToolButton* button : MainBar.Buttons())
        EXPECT_EQ(button->height(), CaptionButtonHeight) << button->Action()->objectName().toStdString();
    const TToolButton* servers = MainBar.Buttons().front();
    EXPECT_EQ(servers->DropdownMenu(), &popToolbarServers);
    EXPECT_EQ(servers->Style(), tbsDropDown);
    EXPECT_EQ(servers->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(MainBar.Buttons()[2]->Style(), tbsSeparator);
    EXPECT_EQ(MainBar.Buttons()[2]->width(), TToolButton::SeparatorWidth);

    // Saved and read again: the same buttons, numbered from 0 in their order, and the menu kept.
    SaveToolBarLayout(MainBar, MainToolbarKey);
    TToolBar again(&Window);
    again.Tag = -1;
    again.ActionList = &MainActions;
    LoadToolBarOrDefaults(again);
    EXPECT_EQ(ButtonNames(again), DefaultMainToolbar);
    EXPECT_EQ(again.Buttons().front()->DropdownMenu(), &popToolbarServers);
    TRegIniFile ini(MainToolbarKey);
    TStringList names;
    ini.ReadSection(QStringLiteral("Buttons"), names);
    ASSERT_EQ(names.Count(), 17);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(names.Strings(i), QStringLiteral("But%1").arg(i));
        EXPECT_EQ(ini.ReadString(QStringLiteral("Buttons"), names.Strings(i), {}), DefaultMainToolbar[i]);
    }
}

TEST_F(TToolbarTest, EndsEveryLayoutWithAHiddenSeparator)
{
    const struct {
        QStringList Stored;
        QStringList Buttons;
        QString Shown;
    } cases[] = {
        {{"actToolbarConnect", "actToolbarSeparator"}, {"actToolbarConnect", "actToolbarSeparator"}, "10"},
        {{"actToolbarConnect"}, {"actToolbarConnect", "actToolbarSeparator"}, "10"},
        {{"actToolbarSearch", "actToolbarSeparator", "actToolbarUpload"},
         {"actToolbarSearch", "actToolbarSeparator", "actToolbarUpload", "actToolbarSeparator"},
         "1110"},
        // The last stored name is unknown: the separator follows the last known one.
        {{"actToolbarUpload", "actToolbarGone"}, {"actToolbarUpload", "actToolbarSeparator"}, "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored.join(' ').toStdString());
        TRegIniFile ini(MainToolbarKey);
        ini.EraseSection(QStringLiteral("Buttons"));
        for (int i = 0; i < c.Stored.size(); ++i)
            ini.WriteString(QStringLiteral("Buttons"), QStringLiteral("But%1").arg(i), c.Stored[i]);
        LoadToolBarLayout(MainBar, MainActions, MainToolbarKey);
        EXPECT_EQ(ButtonNames(MainBar), c.Buttons);
        EXPECT_EQ(ShownPattern(MainBar), c.Shown);
    }
}

TEST_F(TToolbarTest, AnEmptyLayoutGivesTheDefaultsWithTheirButtonSizes)
{
    LoadToolBarOrDefaults(MainBar);
    LoadToolBarOrDefaults(RemoteBar);

    EXPECT_EQ(ButtonNames(MainBar), DefaultMainToolbar);
    EXPECT_EQ(ShownPattern(MainBar), "11111111111111110");
    EXPECT_EQ(ButtonNames(RemoteBar), DefaultRemoteToolbar);
    EXPECT_EQ(ShownPattern(RemoteBar), "111110");
    EXPECT_EQ(MainBar.Buttons().front()->height(), MainButtonHeight);
    const TToolButton* mkd = RemoteBar.Buttons().front();
    EXPECT_EQ(mkd->height(), PaneButtonHeight);
    EXPECT_EQ(mkd->width(), PaneButtonWidth);
    EXPECT_EQ(mkd->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST_F(TToolbarTest, SavesTheLookAndLeavesNoValuesOfALongerLayout)
{
    LoadToolBarOrDefaults(MainBar);
    SaveToolBarLayout(MainBar, MainToolbarKey);
    SetToolBarButtons(MainBar, ActionsNamed(MainActions, {"actToolbarConnect", "actToolbarDisconnect"}));
    MainBar.SetFlat(false);
    MainBar.SetShowHint(false);
    MainBar.SetShowCaptions(true);
    MainBar.SetToolbarVisible(false);
    SaveToolBarLayout(MainBar, MainToolbarKey);
    THiveStore::CurrentUser().Flush();

    const QByteArray text = Registry.FileText();
    const qsizetype buttons = text.indexOf(MainKeyText + "\\Buttons]");
    ASSERT_GE(buttons, 0) << text.constData();
    const QByteArray section = text.mid(buttons, text.indexOf("\n\n", buttons) - buttons);
    EXPECT_EQ(section, MainKeyText + "\\Buttons]\n\"But0\"=\"actToolbarConnect\"\n"
                                     "\"But1\"=\"actToolbarDisconnect\"\n\"But2\"=\"actToolbarSeparator\"");
    EXPECT_TRUE(text.contains("\"Flat\"=\"0\"\n\"ShowCaptions\"=\"1\"\n\"ShowHint\"=\"0\"\n\"Visible\"=\"0\""))
        << text.constData();

    TToolBar again(&Window);
    again.ActionList = &MainActions;
    LoadToolBarLayout(again, MainActions, MainToolbarKey);
    EXPECT_FALSE(again.Flat());
    EXPECT_FALSE(again.ShowHint());
    EXPECT_TRUE(again.ShowCaptions());
    EXPECT_FALSE(again.ToolbarVisible());
    EXPECT_EQ(ShownPattern(again), "110");
}

TEST_F(TToolbarTest, ButtonsFollowTheirActions)
{
    SetToolBarButtons(MainBar, ActionsNamed(MainActions, {"actToolbarUpload", "actToolbarSeparator"}));
    TToolButton* upload = MainBar.Buttons().front();
    TAction* action = upload->Action();
    int runs = 0;
    action->OnExecute = [&](TAction*) { ++runs; };
    action->setText(QStringLiteral("&Upload"));
    action->setEnabled(false);
    EXPECT_EQ(upload->text(), "&Upload");
    EXPECT_FALSE(upload->isEnabled());
    action->setEnabled(true);
    upload->click();
    EXPECT_EQ(runs, 1);
}
