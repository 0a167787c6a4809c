// New folders with unique names and the hourglass wait.
#include "shell/shell_command_routines.h"

#include "shell/format_str_pos.h"

#include "platform/shellapi/hresult.h"
#include "platform/system/name_encoding.h"
#include "platform/ui/message_dialogs.h"

#include <QThread>
#include <cerrno>
#include <sys/stat.h>

namespace {

// The largest number a series of names goes up to.
constexpr int LastNameNumber = 50;

// The warning of a folder that could not be made: the system's text of Code and the name.
void ShowCreateError(win::HRESULT Code, const QString& Name)
{
    MessageDlg(FormatStrPos(QStringLiteral("Unable to create the folder '%2'\n\n%1"), {win::SystemMessage(Code), Name}),
               mtWarning, {mbOK});
}

// How one series of names ended.
enum class TSeriesResult { Created, NamesTaken, Failed };

// Tries Base for 1, then Base followed by Suffix with the number, up to the last number.
TSeriesResult CreateInSeries(const QString& Parent, const QString& Base, const char* Suffix, QString& Name)
{
    for (int n = 1; n <= LastNameNumber; ++n) {
        const QString name = n == 1 ? Base : Base + QString::asprintf(Suffix, n);
        if (::mkdir(EncodeName(Parent + name).constData(), 0777) == 0) {
            Name = name;
            return TSeriesResult::Created;
        }
        const int error = errno;
        if (error != EEXIST) {
            ShowCreateError(win::HResultFromErrno(error), name);
            return TSeriesResult::Failed;
        }
    }
    return TSeriesResult::NamesTaken;
}

} // namespace

bool CreateUniqueFolder(const QString& ParentPath, QString& Name)
{
    Name.clear();
    // A place without a path has no folder to make one in (and never the working directory).
    if (ParentPath.isEmpty())
        return false;
    const QString parent = ParentPath.endsWith(QLatin1Char('/')) ? ParentPath : ParentPath + QLatin1Char('/');
    const TSeriesResult first = CreateInSeries(parent, QStringLiteral("New Folder"), " (%d)", Name);
    if (first == TSeriesResult::Created)
        return true;
    const TSeriesResult second = CreateInSeries(parent, QStringLiteral("fldr"), "%d", Name);
    if (second == TSeriesResult::Created)
        return true;
    // A series that ended on another error has shown its own warning already.
    if (first == TSeriesResult::NamesTaken && second == TSeriesResult::NamesTaken)
        ShowCreateError(win::HRESULT_FROM_WIN32(win::ERROR_ALREADY_EXISTS), QStringLiteral("New Folder"));
    return false;
}

void WaitWithHourglass(unsigned Milliseconds)
{
    const THourGlass hourGlass;
    QThread::msleep(Milliseconds);
}
