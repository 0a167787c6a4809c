// ReadLinkFile: symbolic links and desktop entry files.
#include "platform/shellapi/shell_links.h"

#include "platform/shellapi/file_entries.h"
#include "platform/system/name_encoding.h"

#include <QHash>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 MaxEntrySize = 1 << 20;

// The keys of the "[Desktop Entry]" group (localised keys left out), with the string escapes
// ("\s", "\n", "\t", "\r", "\\") decoded; other backslashes stay for the Exec quoting.
QHash<QString, QString> DesktopEntryKeys(const QByteArray& Text)
{
    QHash<QString, QString> keys;
    bool inEntry = false;
    for (const QByteArray& rawLine : Text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inEntry || equals <= 0)
            continue;
        const QString key = DecodeName(line.left(equals).trimmed());
        if (key.contains(QLatin1Char('[')) || keys.contains(key))
            continue;
        QString value;
        const QString raw = DecodeName(line.mid(equals + 1).trimmed());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != QLatin1Char('\\') || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const QChar next = raw[++i];
            switch (next.unicode()) {
            case 's': value += QLatin1Char(' '); break;
            case 'n': value += QLatin1Char('\n'); break;
            case 't': value += QLatin1Char('\t'); break;
            case 'r': value += QLatin1Char('\r'); break;
            case '\\': value += next; break;
            default: value += QLatin1Char('\\') + next; break; // the Exec quoting reads it
            }
        }
        keys.insert(key, value);
    }
    return keys;
}

// The arguments of an Exec value: blanks separate them, double quotes group them, and inside
// quotes a backslash takes the next character as it is.
QStringList ExecArguments(const QString& Exec)
{
    QStringList arguments;
    QString current;
    bool quoted = false, started = false;
    for (qsizetype i = 0; i < Exec.size(); ++i) {
        const QChar c = Exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < Exec.size())
                current += Exec[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            quoted = started = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (started)
                arguments.append(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments.append(current);
    return arguments;
}

// An argument with its field codes taken out ("%%" is "%"); empty when it was one field code.
QString WithoutFieldCodes(const QString& Argument)
{
    QString out;
    for (qsizetype i = 0; i < Argument.size(); ++i) {
        if (Argument[i] == QLatin1Char('%') && i + 1 < Argument.size()) {
            if (Argument[++i] == QLatin1Char('%'))
                out += QLatin1Char('%');
            continue;
        }
        out += Argument[i];
    }
    return out;
}

QString JoinedArguments(const QStringList& Arguments)
{
    QStringList parts;
    for (const QString& argument : Arguments)
        parts.append(argument.contains(QLatin1Char(' ')) ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
    return parts.join(QLatin1Char(' '));
}

win::HRESULT ReadSymbolicLink(const QByteArray& Path, TLinkTarget& Target)
{
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(Path.constData(), target.data(), std::size_t(target.size()));
    if (length < 0)
        return win::HResultFromErrno(errno);
    target.truncate(length);
    if (!target.startsWith('/')) {
        const qsizetype slash = Path.lastIndexOf('/');
        target = win::ChildPath(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : Path.left(slash), target);
    }
    Target = TLinkTarget();
    Target.Kind = TLinkTarget::lkSymbolicLink;
    Target.Path = DecodeName(target);
    return win::S_OK;
}

// The content of a small file; false when it cannot be read or is larger than MaxEntrySize.
bool ReadSmallFile(const QByteArray& Path, QByteArray& Content)
{
    const int fd = ::open(Path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    Content.clear();
    char buffer[8192];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0 && Content.size() <= MaxEntrySize)
        Content.append(buffer, got);
    ::close(fd);
    return got == 0 && Content.size() <= MaxEntrySize;
}

win::HRESULT ReadDesktopEntry(const QByteArray& Path, TLinkTarget& Target)
{
    QByteArray content;
    if (!ReadSmallFile(Path, content))
        return win::E_FAIL;
    const QHash<QString, QString> keys = DesktopEntryKeys(content);
    Target = TLinkTarget();
    Target.Description = keys.value(QStringLiteral("Comment"));
    Target.IconLocation = keys.value(QStringLiteral("Icon"));
    const QString type = keys.value(QStringLiteral("Type"));
    if (type == QLatin1String("Link")) {
        const QUrl url(keys.value(QStringLiteral("URL")));
        if (!url.isLocalFile())
            return win::E_FAIL;
        Target.Kind = TLinkTarget::lkFileLink;
        Target.Path = DecodeName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        return win::S_OK;
    }
    if (type != QLatin1String("Application"))
        return win::E_FAIL;
    QStringList arguments;
    for (const QString& argument : ExecArguments(keys.value(QStringLiteral("Exec")))) {
        const QString kept = WithoutFieldCodes(argument);
        if (!kept.isEmpty())
            arguments.append(kept);
    }
    if (arguments.isEmpty())
        return win::E_FAIL;
    Target.Kind = TLinkTarget::lkApplication;
    Target.Path = arguments.takeFirst();
    if (!Target.Path.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(Target.Path);
        if (!found.isEmpty())
            Target.Path = found;
    }
    Target.Arguments = JoinedArguments(arguments);
    Target.WorkingFolder = keys.value(QStringLiteral("Path"));
    return win::S_OK;
}

} // namespace

win::HRESULT ReadLinkFile(const QString& Path, TLinkTarget& Target)
{
    const QByteArray path = EncodeName(Path);
    struct stat info;
    if (::lstat(path.constData(), &info) != 0)
        return win::HResultFromErrno(errno);
    if (S_ISLNK(info.st_mode))
        return ReadSymbolicLink(path, Target);
    if (S_ISREG(info.st_mode) && win::IsDesktopEntryName(path.mid(path.lastIndexOf('/') + 1)))
        return ReadDesktopEntry(path, Target);
    return win::E_FAIL;
}
