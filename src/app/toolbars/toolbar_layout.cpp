// Rebuilding, loading and saving tool bar layouts.
#include "app/toolbars/toolbar_layout.h"

#include "app/toolbars/tool_bar.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/screen.h"
#include "routines/registry_helpers.h"

#include <QMenu>
#include <QRegularExpression>
#include <algorithm>
#include <map>

const QString ToolbarsRegKey = MainFormRegKey + QStringLiteral("Toolbars\\");
const QString MainToolbarKey = ToolbarsRegKey + QStringLiteral("Main\\");
const QString MyComputerToolbarKey = ToolbarsRegKey + QStringLiteral("My Computer\\");
const QString RemoteToolbarKey = ToolbarsRegKey + QStringLiteral("Remote\\");
const QString CustomFormKey = ToolbarsRegKey + QStringLiteral("Custom Form\\");

const QStringList DefaultMainToolbar = {
    QStringLiteral("actToolbarConnect"),   QStringLiteral("actToolbarDisconnect"), QStringLiteral("actToolbarSeparator"),
    QStringLiteral("actToolbarEditWin"),   QStringLiteral("actToolbarSeparator"),  QStringLiteral("actToolbarUpload"),
    QStringLiteral("actToolbarDownload"),  QStringLiteral("actToolbarSeparator"),  QStringLiteral("actToolBarEdit"),
    QStringLiteral("actToolbarSaveWeb"),   QStringLiteral("actToolbarSeparator"),  QStringLiteral("actToobarMakeZip"),
    QStringLiteral("actToolbarSearch"),    QStringLiteral("actToolbarBookmarks"),  QStringLiteral("actToolbarSeparator"),
    QStringLiteral("actToolbarTypeSet"),   QStringLiteral("actToolbarSeparator"),
};
const QStringList DefaultMyComputerToolbar = {
    QStringLiteral("actToolbarMyMkd"),   QStringLiteral("actToolbarMyCDup"),       QStringLiteral("actToolbarMyAddBk"),
    QStringLiteral("actToolbarMyDel"),   QStringLiteral("actToolbarMyProperties"), QStringLiteral("actToolbarMySeparator"),
};
const QStringList DefaultRemoteToolbar = {
    QStringLiteral("actToolbarRemoteMkd"), QStringLiteral("actToolbarRemoteCDup"),
    QStringLiteral("actToolbarRemoteAddBk"), QStringLiteral("actToolbarRemoteDel"),
    QStringLiteral("actToolbarRemoteProperties"), QStringLiteral("actToolbarRemoteSeparator"),
};

namespace {

bool IsSeparator(const TAction* Action)
{
    return Action && Action->Tag == SeparatorActionTag;
}

// The hourglass and a frozen window while a tool bar is rebuilt.
class TRebuildScope {
public:
    explicit TRebuildScope(TToolBar& ToolBar) : frozen_(ToolBar.parentWidget() ? ToolBar.parentWidget() : &ToolBar)
    {
        Screen().SetCursor(crHourGlass);
        frozen_->setUpdatesEnabled(false);
    }
    ~TRebuildScope()
    {
        frozen_->setUpdatesEnabled(true);
        Screen().SetCursor(crDefault);
    }

private:
    QWidget* frozen_;
};

void AddActionButton(TToolBar& ToolBar, TAction* Action)
{
    TToolButton* button = ToolBar.AddButton();
    button->SetAction(Action);
    if (auto* menu = qobject_cast<QMenu*>(Action->HelpContext)) {
        button->SetDropdownMenu(menu);
        button->SetStyle(tbsDropDown);
    }
    ApplySeparatorStyle(*button);
}

void BuildButtons(TToolBar& ToolBar, const QList<TAction*>& Actions)
{
    TRebuildScope scope(ToolBar);
    ToolBar.DestroyButtons();
    for (TAction* action : Actions)
        AddActionButton(ToolBar, action);
    if (Actions.isEmpty())
        return;
    if (IsSeparator(Actions.last())) {
        ToolBar.Buttons().back()->SetShown(false);
    } else if (TAction* separator = ToolBar.ActionList ? FindSeparatorAction(*ToolBar.ActionList) : nullptr) {
        AddActionButton(ToolBar, separator);
        ToolBar.Buttons().back()->SetShown(false);
    }
}

const QString ButtonsSection = QStringLiteral("Buttons");

} // namespace

QString ToolbarKey(int Tag)
{
    return Tag < 0 ? MainToolbarKey : Tag == 0 ? MyComputerToolbarKey : RemoteToolbarKey;
}

const QStringList& DefaultToolbarNames(int Tag)
{
    return Tag < 0 ? DefaultMainToolbar : Tag == 0 ? DefaultMyComputerToolbar : DefaultRemoteToolbar;
}

QList<TAction*> ActionsNamed(const TActionList& List, const QStringList& Names)
{
    QList<TAction*> actions;
    for (const QString& name : Names) {
        const auto found = std::find_if(List.Actions().begin(), List.Actions().end(),
                                        [&](const TAction* Action) { return Action->objectName() == name; });
        if (found != List.Actions().end())
            actions.append(*found);
    }
    return actions;
}

TAction* FindSeparatorAction(const TActionList& List)
{
    for (TAction* action : List.Actions())
        if (IsSeparator(action))
            return action;
    return nullptr;
}

bool ApplySeparatorStyle(TToolButton& Button)
{
    if (!IsSeparator(Button.Action()))
        return false;
    Button.SetStyle(tbsSeparator);
    return true;
}

void SetToolBarButtons(TToolBar& ToolBar, const QList<TAction*>& Actions)
{
    BuildButtons(ToolBar, Actions);
}

void RestoreToolBarButtons(TToolBar& ToolBar, const QList<TAction*>& Actions)
{
    BuildButtons(ToolBar, Actions);
}

void LoadToolBarLayout(TToolBar& ToolBar, const TActionList& List, const QString& Key)
{
    Screen().SetCursor(crHourGlass);
    TRegIniFile ini(Key);
    ToolBar.SetFlat(ini.ReadBool({}, QStringLiteral("Flat"), ToolBar.Flat()));
    ToolBar.SetShowCaptions(ini.ReadBool({}, QStringLiteral("ShowCaptions"), ToolBar.ShowCaptions()));
    ToolBar.SetShowHint(ini.ReadBool({}, QStringLiteral("ShowHint"), ToolBar.ShowHint()));
    ToolBar.SetToolbarVisible(ini.ReadBool({}, QStringLiteral("Visible"), ToolBar.ToolbarVisible()));

    // The registry may list the values in any order: the number in each name gives the place.
    TStringList names;
    ini.ReadSection(ButtonsSection, names);
    static const QRegularExpression butName(QStringLiteral("^But(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    std::map<qint64, QString> byNumber;
    for (int i = 0; i < names.Count(); ++i) {
        const QRegularExpressionMatch match = butName.match(names.Strings(i));
        bool number = false;
        const qint64 place = match.hasMatch() ? match.captured(1).toLongLong(&number) : 0;
        if (number)
            byNumber.emplace(place, ini.ReadString(ButtonsSection, names.Strings(i), {}));
    }
    if (!byNumber.empty()) {
        QStringList actionNames;
        for (const auto& entry : byNumber)
            actionNames.append(entry.second);
        BuildButtons(ToolBar, ActionsNamed(List, actionNames));
    }
    Screen().SetCursor(crDefault);
}

void SaveToolBarLayout(const TToolBar& ToolBar, const QString& Key)
{
    TRegIniFile ini(Key);
    ini.WriteBool({}, QStringLiteral("Flat"), ToolBar.Flat());
    ini.WriteBool({}, QStringLiteral("ShowCaptions"), ToolBar.ShowCaptions());
    ini.WriteBool({}, QStringLiteral("ShowHint"), ToolBar.ShowHint());
    ini.WriteBool({}, QStringLiteral("Visible"), ToolBar.ToolbarVisible());
    ini.EraseSection(ButtonsSection);
    int place = 0;
    for (const TToolButton* button : ToolBar.Buttons())
        if (button->Action())
            ini.WriteString(ButtonsSection, QStringLiteral("But%1").arg(place++), button->Action()->objectName());
}

void ApplyButtonSize(TToolBar& ToolBar)
{
    if (ToolBar.ShowCaptions()) {
        ToolBar.SetButtonHeight(CaptionButtonHeight);
    } else if (ToolBar.Tag < 0) {
        ToolBar.SetButtonHeight(MainButtonHeight);
    } else {
        ToolBar.SetButtonHeight(PaneButtonHeight);
        ToolBar.SetButtonWidth(PaneButtonWidth);
    }
}

void LoadToolBarOrDefaults(TToolBar& ToolBar)
{
    if (!ToolBar.ActionList)
        return;
    LoadToolBarLayout(ToolBar, *ToolBar.ActionList, ToolbarKey(ToolBar.Tag));
    if (ToolBar.Buttons().empty())
        SetToolBarButtons(ToolBar, ActionsNamed(*ToolBar.ActionList, DefaultToolbarNames(ToolBar.Tag)));
    ApplyButtonSize(ToolBar);
}
