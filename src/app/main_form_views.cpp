// TTarnwickFTPApp: the view commands, the active pane, the bottom area and the log's commands.
#include "app/main_form.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "dialogs/list_box_hrz.h"
#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "settings/app_settings.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

void CheckStyleItem(QMenu* Menu, int Style)
{
    const QList<QAction*> items = Menu->actions();
    if (Style >= 0 && Style < items.size())
        items[Style]->setChecked(true);
}

} // namespace

void TTarnwickFTPApp::SetRemoteViewStyle(int Style)
{
    Style = std::clamp(Style, 0, 3);
    CheckStyleItem(popRemoteViewStyle, Style);
    if (lvRemote->Retrieving()) {
        lvRemote->Tag = Style; // the style comes back once the listing is shown
        return;
    }
    lvRemote->SetViewStyle(TViewStyle(Style));
    lvRemote->Header()->setVisible(Style == vsReport);
}

void TTarnwickFTPApp::SetLocalViewStyle(int Style)
{
    Style = std::clamp(Style, 0, 3);
    CheckStyleItem(popMyComputerViewStyle, Style);
    lvMyComputer->SetViewStyle(TViewStyle(Style));
    lvMyComputer->Header()->setVisible(Style == vsReport);
}

void TTarnwickFTPApp::ViewMyComputer(bool Visible)
{
    Action(QStringLiteral("actViewMyComputer"))->setChecked(Visible);
    // The pane and its splitter handle come and go together; the splitter keeps the pane's width
    // while it is hidden, so the handle comes back at the pane's edge.
    pnlMyComputer->setVisible(Visible);
    SplitterHrz->handle(1)->setVisible(Visible);
    if (!Visible && fraMyComputer->Active())
        SetActivePane(true);
}

void TTarnwickFTPApp::ViewTrees(bool Visible)
{
    Action(QStringLiteral("actViewTrees"))->setChecked(Visible);
    tvMyComputer->setVisible(Visible);
    tvRemote->setVisible(Visible);
    SplitterMyComputer->handle(1)->setVisible(Visible);
    SplitterRemoteView->handle(1)->setVisible(Visible);
}

void TTarnwickFTPApp::ShowInfoTab(int Tab)
{
    tabMainPanel->show();
    TabSet->setCurrentIndex(std::clamp(Tab, 0, TabSet->count() - 1));
    tabMain->setCurrentIndex(1);
    tabMainChange(1);
    Action(QStringLiteral("actToolbarEditWin"))->setChecked(true);
    Action(QStringLiteral("actViewEditWindow"))->setChecked(true);
}

void TTarnwickFTPApp::tabMainChange(int Tab)
{
    // Tab 0 shows the editor's panel, tab 1 (and any other) the tab set.
    tabMainPages->setCurrentWidget(Tab == 0 ? pnlEdit : static_cast<QWidget*>(TabSet));
    UpdateLogCheck();
}

void TTarnwickFTPApp::UpdateLogCheck()
{
    Action(QStringLiteral("actViewLog"))
        ->setChecked(!tabMainPanel->isHidden() && tabMainPages->currentWidget() == TabSet && TabSet->currentIndex() == 0);
}

void TTarnwickFTPApp::CopyLog(bool Whole)
{
    if (Whole) {
        QApplication::clipboard()->setText(engine_->Log.Lines().join(QStringLiteral("\r\n")));
    } else if (QListWidgetItem* line = lbFtpDisplayLog->currentItem(); line && line->isSelected()) {
        QApplication::clipboard()->setText(line->text());
    }
}

void TTarnwickFTPApp::ClearLog()
{
    engine_->Log.SaveLogFile(true);
    engine_->Log.Clear();
}

void TTarnwickFTPApp::SetActivePane(bool Remote)
{
    if (fraRemoteSite->Active() == Remote && fraMyComputer->Active() == !Remote)
        return;
    fraRemoteSite->SetActive(Remote);
    fraMyComputer->SetActive(!Remote);
}

void TTarnwickFTPApp::FocusChanged(QWidget* Now)
{
    // Any control of a pane makes that pane the active one.
    for (QWidget* widget = Now; widget; widget = widget->parentWidget()) {
        if (widget == pnlRemote) {
            SetActivePane(true);
            return;
        }
        if (widget == pnlMyComputer) {
            SetActivePane(false);
            return;
        }
    }
}

int TTarnwickFTPApp::GetFocusedPaneKind() const
{
    QWidget* focus = QApplication::focusWidget();
    const auto inside = [focus](const QWidget* Control) {
        return focus && (focus == Control || Control->isAncestorOf(focus));
    };
    if (inside(lvMyComputer))
        return fkLocalList;
    if (inside(lvRemote))
        return fkRemoteList;
    if (inside(lvBookmarks))
        return fkBookmarks;
    return fkOther;
}

void TTarnwickFTPApp::FocusPane(int Pane)
{
    switch (Pane) {
    case pkLocal:
        if (Action(QStringLiteral("actViewMyComputer"))->isChecked())
            lvMyComputer->View()->setFocus();
        break;
    case pkRemote:
        lvRemote->View()->setFocus();
        break;
    case pkBookmarks:
        if (tabMainPanel->isVisible() && TabSet->currentIndex() == InfoTabBookmarks)
            lvBookmarks->View()->setFocus();
        return;
    default:
        break;
    }
    SetActivePane(Pane == pkRemote);
}

void TTarnwickFTPApp::DeleteInPane()
{
    switch (GetFocusedPaneKind()) {
    case fkLocalList:
        FocusPane(pkLocal);
        if (lvMyComputer->ItemFocused())
            actToolbarMyDelExecute();
        break;
    case fkRemoteList:
        FocusPane(pkRemote);
        ExecuteAction(QStringLiteral("actToolbarRemoteDel"));
        break;
    case fkBookmarks:
        FocusPane(pkBookmarks);
        ExecuteAction(QStringLiteral("actFileDeleteBookmark"));
        break;
    default:
        break;
    }
}
