// TSessionEngine: the transfer of one queued file with its transfer type.
#include "session/session_engine.h"

#include "dialogs/confirm_replace_dlg.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "routines/path_routines.h"
#include "routines/size_texts.h"
#include "session/local_pane.h"
#include "settings/app_settings.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

QString SizeText(const QFileInfo& File)
{
    return FormatSizeKB(File.size());
}

QString DateText(const QFileInfo& File)
{
    return FormatDateTime(QStringLiteral("ddddd t"), QDateTimeToDateTime(File.lastModified()));
}

} // namespace

bool IsAsciiExtension(const QString& FileName)
{
    const QString name = QFileInfo(FileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    return AppSettings()->Extensions()->IndexOf(name.mid(dot).toLower()) >= 0;
}

bool TransferIsBinary(const QString& LocalName)
{
    switch (AppSettings()->TransferMode) {
    case 0: return false;
    case 1: return true;
    default: return !IsAsciiExtension(LocalName);
    }
}

void TSessionEngine::TransferFile(const QString& LocalName, const QString& RemoteName, int Code)
{
    if (Code == RecurseDownload)
        FtpDownload(Client, LocalName, RemoteName, TransferIsBinary(LocalName));
    else if (Code == RecurseUpload)
        FtpUpload(Client, LocalName, RemoteName, TransferIsBinary(LocalName));
}

bool TSessionEngine::ConfirmOverwrite(const QString& Path, int Code)
{
    if (Path.isEmpty())
        return false;
    if (!AppSettings()->OverwritePrompt || State.ReplaceAnswer == ReplaceYesToAll)
        return true;
    if (State.ReplaceAnswer == ReplaceCancel)
        return false;
    const bool multiple = State.GetTransferQueue().size() > 1;
    int answer = 0;
    if (Code == RecurseDownload) {
        if (Path.endsWith(QLatin1Char('/')))
            return true;
        const QString name = Path.section(QLatin1Char('/'), -1);
        const QFileInfo local(LocalPathInFolder(localPane_.CurrentFolder(), name, false));
        const int remote = RemoteList.Count() > 1 ? RemoteList.IndexOfCaption(name) : -1;
        if (!local.isFile() || remote < 0)
            return true;
        const TRemoteRow& row = RemoteList.Row(remote);
        answer = TConfirmReplaceDlgFrm::Execute(name, SizeText(local), DateText(local), row.SizeText(), row.DateText(),
                                                multiple);
    } else if (Code == RecurseUpload) {
        const QFileInfo local(Path);
        if (local.isDir())
            return true;
        const int remote = RemoteList.Count() > 1 ? RemoteList.IndexOfCaption(local.fileName()) : -1;
        if (remote < 0 || !local.isFile())
            return true;
        const TRemoteRow& row = RemoteList.Row(remote);
        answer = TConfirmReplaceDlgFrm::Execute(local.fileName(), row.SizeText(), row.DateText(), SizeText(local),
                                                DateText(local), multiple);
    } else {
        return true;
    }
    State.ReplaceAnswer = answer;
    return answer == ReplaceYes || answer == ReplaceYesToAll;
}
