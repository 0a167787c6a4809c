// TSessionEngine: the checks of new remote file and folder names, and the new-folder prompt.
#include "session/session_engine.h"

#include "dialogs/input_box.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "routines/name_checks.h"

#include <functional>

namespace {

QString KindName(int Kind)
{
    return Kind == 1 ? QStringLiteral("folder") : QStringLiteral("file");
}

// False, after the message that says why, when Name cannot be a new remote name of Kind beside
// the entries Taken tells.
bool CheckName(QString& Name, const QString& Kind, bool KeepBlanks, const std::function<bool(const QString&)>& Taken)
{
    if (!CheckRemoteName(Name, KeepBlanks)) {
        MessageDlg(Format(QStringLiteral("Sorry, a %s cannot be empty nor contain any of the following characters:\r\n"
                                         "\\, /, :, *, ?, \", <, >. Please select another %s name."),
                          {Kind, Kind}),
                   mtInformation, {mbOK});
        return false;
    }
    if (Taken(Name)) {
        MessageDlg(Format(QStringLiteral("The %s '%s' already exists. Please select another %s name."), {Kind, Name, Kind}),
                   mtInformation, {mbOK});
        return false;
    }
    return true;
}

} // namespace

bool TSessionEngine::CheckNewName(QString& Name, int Kind, bool KeepBlanks)
{
    return CheckName(Name, KindName(Kind), KeepBlanks,
                     [this](const QString& N) { return RemoteList.Count() > 1 && RemoteList.IndexOfCaption(N) > 0; });
}

bool TSessionEngine::CheckNewTreeName(const QStringList& Siblings, QString& Name, bool KeepBlanks)
{
    return CheckName(Name, KindName(1), KeepBlanks, [&](const QString& N) { return Siblings.contains(N); });
}

QString TSessionEngine::PromptNewFolderName()
{
    QString name = QStringLiteral("folder");
    if (!InputBoxPos(QStringLiteral("New Folder"), QStringLiteral("Select a new folder name"), name, -1))
        return QString();
    if (!name.isEmpty() && !CheckNewName(name, 1, false))
        return QString();
    return name;
}
