// TTarnwickFTPApp: the status bar's panels, its hints, and the selection summaries of the lists.
#include "app/app_images.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/status_bar_main.h"
#include "ftp/client/ftp_client2.h"
#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "platform/rtl/format.h"
#include "routines/path_routines.h"
#include "routines/size_texts.h"
#include "session/session_engine.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

namespace {

// The two hints of the status bar, by whether a session is open.
const QString HintConnected = QStringLiteral("Connected: the panels show the session's state, activity and last step");
const QString HintOffline = QStringLiteral("Not connected: use Connect to open a server profile");

// A local size text in kilobytes ("12 KB") as a number.
qint64 KilobytesOf(QString SizeText)
{
    return SizeText.remove(QStringLiteral("KB")).trimmed().remove(',').toLongLong();
}

} // namespace

void TTarnwickFTPApp::StatusBarMainDrawPanel(QPainter& Painter, int Panel, const QRect& Rect)
{
    const TFtpState state = FtpClient_->State();
    const bool connected = FtpClient_->Connected();
    if (Panel == 0) {
        const bool open = connected && (state == ftpReady || state == ftpInternalReady || state == ftpDnsLookup ||
                                        state == ftpConnected || state == ftpWaitingBanner || state == ftpBusy);
        const QImage image = ImageListSm->GetImage(open ? AppImage::Connected : AppImage::Disconnected);
        Painter.drawImage(Rect.left() + (Rect.width() - image.width()) / 2, Rect.top() + (Rect.height() - image.height()) / 2,
                          image);
        return;
    }
    QRect textRect = Rect.adjusted(2, 0, 0, 0);
    QString text = StatusBarMain->PanelText(Panel);
    if (Panel == 3 && connected && (state == ftpDnsLookup || state == ftpWaitingBanner || state == ftpBusy)) {
        const QImage image = ImageListSm->GetImage(AppImage::Placeholder);
        Painter.drawImage(Rect.left(), Rect.top() + (Rect.height() - image.height()) / 2, image);
        textRect.setLeft(Rect.left() + image.width() + 2);
    }
    if (Panel == 2 && text.contains('/'))
        ShortenRemotePath(text, 40);
    Painter.setPen(palette().color(QPalette::WindowText));
    Painter.drawText(textRect, Qt::AlignVCenter | Qt::TextSingleLine,
                     Painter.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
}

void TTarnwickFTPApp::StatusBarMainMouseMove(const QPoint& Pos)
{
    const bool overText = Pos.y() >= 2 && Pos.y() <= 18;
    StatusBarMain->setToolTip(overText ? (FtpClient_->Connected() ? HintConnected : HintOffline) : QString());
}

void TTarnwickFTPApp::lvRemoteSelectItem()
{
    lvRemote->SyncSelectionToModel();
    const TRemoteListModel& model = engine_->RemoteList;
    if (lvRemote->Retrieving() || model.Count() == 0)
        return;
    int selected = 0;
    qint64 selectedSize = 0;
    qint64 totalSize = 0;
    for (int i = 0; i < model.Count(); ++i) {
        const TRemoteRow& row = model.Row(i);
        if (row.Selected && i > 0)
            ++selected;
        if (i > 0 && row.Data && !row.IsFolder()) {
            const qint64 size = TRemoteListModel::GetRemoteItemSize(row);
            totalSize += size;
            if (row.Selected)
                selectedSize += size;
        }
    }
    QString text;
    const int focused = model.FocusedIndex;
    if (selected < 1)
        text = Format(QStringLiteral("%d object(s) ") + QStringLiteral("%s"), {model.Count() - 1, FormatByteSize(totalSize)});
    else if (selected > 1)
        text = Format(QStringLiteral("%d object(s) selected ") + QStringLiteral("%s"), {selected, FormatByteSize(selectedSize)});
    else if (focused > 0 && !model.Row(focused).IsFolder())
        text = Format(QStringLiteral("Type: %s Size: %s"),
                      {model.Row(focused).TypeName(), FormatByteSize(TRemoteListModel::GetRemoteItemSize(model.Row(focused)))});
    else
        text = Format(QStringLiteral("%d object(s) selected "), {1});
    SetStatusText(text, 2);
}

void TTarnwickFTPApp::lvMyComputerSelectItem()
{
    int selected = 0;
    qint64 selectedKb = 0;
    qint64 totalKb = 0;
    for (int i = 0; i < lvMyComputer->Count(); ++i) {
        TPTShListData* data = lvMyComputer->GetItemData(i);
        if (!data || data->IsFolder())
            continue;
        const qint64 size = KilobytesOf(data->GetSizeText());
        totalKb += size;
        if (lvMyComputer->Item(i)->Selected())
            selectedKb += size;
    }
    selected = lvMyComputer->SelCount();
    QString text;
    TListItem* focused = lvMyComputer->ItemFocused();
    TPTShListData* focusedData = focused ? lvMyComputer->GetItemData(focused->Index()) : nullptr;
    if (selected < 1)
        text = Format(QStringLiteral("%d object(s) ") + QStringLiteral("%s"), {lvMyComputer->Count(), FormatKBSize(totalKb)});
    else if (selected > 1)
        text = Format(QStringLiteral("%d object(s) selected ") + QStringLiteral("%s"), {selected, FormatKBSize(selectedKb)});
    else if (focusedData && !focusedData->IsFolder())
        text = Format(QStringLiteral("Type: %s Size: %s"), {focusedData->GetTypeText(), focusedData->GetSizeText()});
    else
        text = Format(QStringLiteral("%d object(s) selected "), {1});
    SetStatusText(text, 2);
}

void TTarnwickFTPApp::SummariseSelectionLater(void (TTarnwickFTPApp::*Summary)())
{
    if (selectionSummaryPending_)
        return;
    selectionSummaryPending_ = true;
    QTimer::singleShot(0, this, [this, Summary] {
        selectionSummaryPending_ = false;
        (this->*Summary)();
    });
}

QString TTarnwickFTPApp::lvRemoteHint(const QPoint& Pos)
{
    TListItem* item = lvRemote->ItemAt(Pos);
    if (!item || lvRemote->Retrieving() || item->Index() >= engine_->RemoteList.Count())
        return {};
    if (item->Index() == 0)
        return Action(QStringLiteral("actFtpCDup"))->text().remove('&');
    const TRemoteRow& row = engine_->RemoteList.Row(item->Index());
    if (!row.Data || row.IsFolder())
        return {};
    return Format(QStringLiteral(" Type: %s  %s Size: %s"),
                  {row.TypeName(), QStringLiteral("\r\n"), FormatByteSize(TRemoteListModel::GetRemoteItemSize(row))});
}

QString TTarnwickFTPApp::lvMyComputerHint(const QPoint& Pos)
{
    TListItem* item = lvMyComputer->ItemAt(Pos);
    TPTShListData* data = item ? lvMyComputer->GetItemData(item->Index()) : nullptr;
    if (!data || data->IsFolder())
        return {};
    return Format(QStringLiteral(" Type: %s  %s Size: %s"), {data->GetTypeText(), QStringLiteral("\r\n"), data->GetSizeText()});
}

bool TTarnwickFTPApp::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::ToolTip) {
        auto* viewport = static_cast<QWidget*>(Watched);
        const bool remote = lvRemote->isAncestorOf(viewport);
        TListView* list = remote ? static_cast<TListView*>(lvRemote) : lvMyComputer;
        const QPoint pos = viewport->mapTo(list, static_cast<QHelpEvent*>(Event)->pos());
        const QString hint = remote ? lvRemoteHint(pos) : lvMyComputerHint(pos);
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(), hint, viewport);
        return true;
    }
    return QMainWindow::eventFilter(Watched, Event);
}
