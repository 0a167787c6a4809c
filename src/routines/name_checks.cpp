// Checks and conversions of names and small texts.
#include "routines/name_checks.h"

#include "platform/rtl/file_names.h"
#include "platform/rtl/string_list.h"
#include "routines/string_routines.h"

namespace {

const QString FileNameForbidden = QStringLiteral("\"*/:<>?\\|");
const QString RemoteNameForbidden = QStringLiteral(":\"*/<>?\\");
const char* const ImageExtensions[] = {".gif", ".jpg", ".jpeg", ".bmp", ".wbmp"};

} // namespace

bool IsValidFileName(const QString& Text)
{
    return std::none_of(Text.begin(), Text.end(), [](QChar c) { return FileNameForbidden.contains(c); });
}

bool CheckRemoteName(QString& Name, bool KeepBlanks)
{
    if (Name.isEmpty())
        return false;
    for (QChar& c : Name) {
        if (RemoteNameForbidden.contains(c))
            return false;
        if (c == u' ' && !KeepBlanks)
            c = u'_';
    }
    return true;
}

bool IsDigitsOnly(const QString& Text)
{
    return !Text.isEmpty() &&
           std::all_of(Text.begin(), Text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int StrToIntOrZero(const QString& Text)
{
    bool ok = false;
    const int value = Text.toInt(&ok, 10);
    return ok ? value : 0;
}

bool StrToBoolText(const QString& Text)
{
    return Text == u"1" || Text.compare(u"yes", Qt::CaseInsensitive) == 0 ||
           Text.compare(u"true", Qt::CaseInsensitive) == 0;
}

int IndexOfStrExact(const TStrings& List, const QString& Text)
{
    for (int i = 0; i < List.Count(); ++i) {
        if (List.Strings(i) == Text)
            return i;
    }
    return -1;
}

QString ExtractBracketed(QString& Text, bool Remove)
{
    const qsizetype open = Text.indexOf(u'[');
    const qsizetype close = Text.indexOf(u']');
    if (open < 0 || close < open)
        return {};
    const QString inside = Text.mid(open + 1, close - open - 1);
    if (Remove)
        Text.remove(open, close - open + 1);
    return inside;
}

QString BuildFileFilter(const TStrings& List)
{
    QString filter;
    for (int i = 0; i < List.Count(); ++i) {
        const QString line = List.Strings(i);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        QString patterns = line.mid(equals + 1);
        ExtractBracketed(patterns, true);
        filter += line.left(equals) + u'|' + patterns + u'|';
    }
    return filter + QStringLiteral("All Files|*.*");
}

int FilterEntryLine(const TStrings& List, int Entry)
{
    for (int i = 0; i < List.Count() && Entry >= 0; ++i) {
        if (List.Strings(i).contains(u'=') && Entry-- == 0)
            return i;
    }
    return -1;
}

QString ConvertTagCase(const QString& Text, bool Upper)
{
    QString result = Text;
    bool inTag = false, inQuotes = false, inComment = false, dashSeen = false;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result[i];
        const QChar next = i + 1 < result.size() ? result[i + 1] : QChar();
        if (c == u'<') {
            inTag = true;
        } else if (c == u'>') {
            inTag = false;
            inComment = false;
        } else if (c == u'"') {
            inQuotes = inTag && !inQuotes;
        } else if (c == u'!') {
            if (inTag) {
                dashSeen = next == u'-';
                inComment = inComment || dashSeen;
            } else {
                inComment = false;
            }
        } else if (c == u'-') {
            if (!inTag || (dashSeen && inComment && next == u'>'))
                inComment = false;
        }
        if (inTag && !inQuotes && !inComment)
            result[i] = Upper ? StrUpCaseChar(c) : StrLoCaseChar(c);
    }
    return result;
}

int FindTagEnd(const QString& Text, const QString& Word)
{
    const QString pattern = u'>' + QString(Word.size(), u'?') + QStringLiteral("</");
    const int at = StrScanPattern(Text, pattern, -1);
    return at == 0 ? 0 : at + int(pattern.size());
}

bool IsImageFile(const QString& Name)
{
    const QString extension = ExtractFileExt(Name);
    return std::any_of(std::begin(ImageExtensions), std::end(ImageExtensions), [&](const char* e) {
        return extension.compare(QLatin1String(e), Qt::CaseInsensitive) == 0;
    });
}
