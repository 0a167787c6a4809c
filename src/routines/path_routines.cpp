// Remote and local path routines.
#include "routines/path_routines.h"

#include "platform/system/program_folder.h"
#include "routines/string_routines.h"

namespace {

// Path without one trailing "/".
QString WithoutTrailingSlash(const QString& Path)
{
    return Path.endsWith(u'/') ? Path.chopped(1) : Path;
}

QString WithTrailingSlash(QString Path)
{
    AddTrailingSlash(Path);
    return Path;
}

} // namespace

QString AddLeadingSlash(const QString& Text)
{
    return Text.isEmpty() || Text.startsWith(u'/') ? Text : u'/' + Text;
}

void AddTrailingSlash(QString& Text)
{
    if (!Text.isEmpty() && !Text.endsWith(u'/'))
        Text += u'/';
}

void RemoveTrailingSlash(QString& Text)
{
    if (Text.endsWith(u'/'))
        Text.chop(1);
}

bool HasTrailingSlash(const QString& Text)
{
    return Text.endsWith(u'/');
}

QString SwapSlashes(const QString& Text, QChar Slash)
{
    QString result = Text;
    result.replace(Slash, Slash == u'/' ? QChar(u'\\') : QChar(u'/'));
    return result;
}

QString ExtractRemoteName(const QString& Path)
{
    const QString path = WithoutTrailingSlash(Path);
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString ExtractRemoteDir(const QString& Path)
{
    const QString path = WithoutTrailingSlash(Path);
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString RemoteDirOf(const QString& Path)
{
    const qsizetype lastSlash = Path.lastIndexOf(u'/');
    if (lastSlash < 0)
        return {};
    if (!Path.endsWith(u'/') && !Path.endsWith(u'.') && Path.indexOf(u'.', lastSlash) > 0)
        return Path.left(lastSlash + 1);
    return WithTrailingSlash(Path);
}

bool SameRemoteDir(const QString& A, const QString& B)
{
    return WithTrailingSlash(A) == WithTrailingSlash(B);
}

bool ShortenRemotePath(QString& Path, int Maximum)
{
    return ShortenPath(Path, Maximum);
}

void AddBackslash(QString& Text)
{
    Text = StrTrimRightChar(Text, u' ');
    if (!Text.endsWith(u'/'))
        Text += u'/';
}

void AddBackslashInPlace(QString& Path)
{
    AddTrailingSlash(Path);
}

QString ExtractLocalDir(const QString& Path)
{
    return WithTrailingSlash(Path);
}

bool SameLocalDir(const QString& A, const QString& B)
{
    return SameRemoteDir(A, B);
}

QString NextFolderAfter(const QString& Base, const QString& Path)
{
    if (!Path.startsWith(Base))
        return {};
    QString rest = Path.mid(Base.size());
    // Base must end at a folder boundary: "/home/u" is no base of "/home/user".
    if (!Base.isEmpty() && !Base.endsWith(u'/') && !rest.isEmpty() && !rest.startsWith(u'/'))
        return {};
    if (rest.startsWith(u'/'))
        rest.remove(0, 1);
    return rest.left(rest.indexOf(u'/'));
}

QString LocalPathInFolder(const QString& Folder, const QString& Name, bool ForWriting)
{
    if (Name.isEmpty() || Name == QLatin1String(".") || Name == QLatin1String("..") || Name.contains(u'/') ||
        Name.contains(QChar(0)))
        return QString();
    if (ForWriting && (Name.contains(u'\r') || Name.contains(u'\n')))
        return QString();
    if (Folder.isEmpty() || Folder.endsWith(u'/'))
        return Folder + Name;
    return Folder + u'/' + Name;
}

QString GetAppFolder(bool Capitalise)
{
    QString folder = ProgramFolder();
    if (!Capitalise)
        return folder;
    bool startOfWord = true;
    for (QChar& c : folder) {
        c = startOfWord ? StrUpCaseChar(c) : StrLoCaseChar(c);
        startOfWord = c == u' ' || c == u'/';
    }
    return folder;
}

bool StartsText(const QString& Prefix, const QString& Text)
{
    return Text.startsWith(Prefix, Qt::CaseInsensitive);
}

bool ShortenPath(QString& Path, int Maximum)
{
    const int length = int(Path.size());
    if (length <= Maximum)
        return true;
    if (Maximum < 4)
        return false;
    const QString dots = QStringLiteral("...");
    const int excess = length - Maximum + 3;
    const int first = int(Path.indexOf(u'/')) + 1; // 1-based positions, 0 when absent
    const int last = int(Path.lastIndexOf(u'/')) + 1;
    if (first == last)
        Path = Path.left(Maximum - 3) + dots;
    else if (last - first > excess)
        Path = Path.left(last - excess - 1) + dots + Path.mid(last - 1);
    else
        Path = Path.left(first) + dots + Path.mid(last - 1, std::max(length - excess - first - 3, 2)) + dots;
    return Path.size() == Maximum;
}
