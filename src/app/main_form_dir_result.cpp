// TTarnwickFTPApp: the folder-result boxes over the two folder combos, and the layout handlers
// that place them.
#include "app/event_hook.h"
#include "app/main_form.h"
#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_menu.h"
#include "platform/graphics/image_list.h"
#include "shell/image_combo.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"

#include <QLineEdit>
#include <QMouseEvent>

void TTarnwickFTPApp::CreateDirResultBoxes()
{
    const auto box = [this](QWidget* Pane, const QString& Name, bool Remote) {
        auto* text = new QLineEdit(Pane);
        text->setObjectName(Name);
        text->setReadOnly(true);
        text->setFrame(false);
        text->setFocusPolicy(Qt::NoFocus);
        new TEventHook(text, [this, Remote](QEvent* Event) {
            if (Event->type() != QEvent::MouseButtonPress || static_cast<QMouseEvent*>(Event)->button() != Qt::LeftButton)
                return false;
            if (Remote)
                txtRemoteDirResultMouseDown();
            else
                txtLocalDirResultMouseDown();
            return true;
        });
        return text;
    };
    txtLocalDirResult = box(pnlMyComputer, QStringLiteral("txtLocalDirResult"), false);
    txtRemoteDirResult = box(pnlRemote, QStringLiteral("txtRemoteDirResult"), true);

    // Dropping a combo down uncovers it; closing it up shows its folder in the box again.
    cbMyComputer->OnDropDown = [this](TObject*) { txtLocalDirResult->hide(); };
    cbMyComputer->OnCloseUp = [this](TObject*) { ShowDirResult(false); };
    cbRemoteFolders->OnDropDown = [this](TObject*) { txtRemoteDirResult->hide(); };
    cbRemoteFolders->OnCloseUp = [this](TObject*) { ShowDirResult(true); };
    lvMyComputer->OnFolderChanged = [this](TObject*) { ShowDirResult(false); };
    // The combos move and change size with their panes (pnlMyComputerResize and the remote pane's
    // resize) and with the tool bars above them.
    const std::pair<QWidget*, bool> combos[] = {{cbMyComputer, false}, {cbRemoteFolders, true}};
    for (const auto& combo : combos)
        new TEventHook(combo.first, [this, remote = combo.second](QEvent* Event) {
            if (Event->type() == QEvent::Resize || Event->type() == QEvent::Move)
                LayoutDirResultBox(remote);
            return false;
        });
    ToolbarMenu->OnLayoutChanged = [this](TToolBar& ToolBar) { LayoutDirResultBox(ToolBar.Tag == 1); };
    // The window never gets so low that the panes lose their folder combos and lists.
    setMinimumHeight(MinimumFormHeight);
}

void TTarnwickFTPApp::LayoutDirResultBox(bool Remote)
{
    QLineEdit* box = Remote ? txtRemoteDirResult : txtLocalDirResult;
    const QWidget* combo = Remote ? static_cast<QWidget*>(cbRemoteFolders) : cbMyComputer;
    const int image = ImageListSm->Width();
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Active, QPalette::Base));
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    box->setGeometry(combo->x() + image + 7, combo->y() + 3, combo->contentsRect().width() - 3 * image,
                     combo->height() - 6);
    box->raise();
}

void TTarnwickFTPApp::ShowDirResult(bool Remote)
{
    QLineEdit* box = Remote ? txtRemoteDirResult : txtLocalDirResult;
    box->setText(Remote ? GetRemoteComboPath() : CurrentFolder());
    box->setCursorPosition(0);
    LayoutDirResultBox(Remote);
    box->show();
}

void TTarnwickFTPApp::txtLocalDirResultMouseDown()
{
    cbMyComputer->showPopup();
}

void TTarnwickFTPApp::txtRemoteDirResultMouseDown()
{
    cbRemoteFolders->showPopup();
}
