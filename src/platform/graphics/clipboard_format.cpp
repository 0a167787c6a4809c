// The registry of named clipboard formats.
#include "platform/graphics/clipboard_format.h"

#include <QStringList>
#include <mutex>

namespace {

constexpr unsigned FirstRegistered = 0xC000;

std::mutex FormatsMutex;

QStringList& Names()
{
    static QStringList names;
    return names;
}

} // namespace

namespace win {

unsigned RegisterClipboardFormat(const QString& Name)
{
    std::lock_guard lock(FormatsMutex);
    QStringList& names = Names();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(Name, Qt::CaseInsensitive) == 0)
            return FirstRegistered + unsigned(i);
    names.append(Name);
    return FirstRegistered + unsigned(names.size() - 1);
}

QString ClipboardFormatName(unsigned Format)
{
    std::lock_guard lock(FormatsMutex);
    const QStringList& names = Names();
    if (Format < FirstRegistered || Format - FirstRegistered >= unsigned(names.size()))
        return {};
    return names[qsizetype(Format - FirstRegistered)];
}

QString ClipboardFormatMimeType(unsigned Format)
{
    const QString name = ClipboardFormatName(Format);
    if (name.isEmpty())
        return {};
    if (name.compare(QLatin1String("GIF Image"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("image/gif");
    if (name.compare(QLatin1String("Rich Text Format"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("text/rtf");
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(name);
}

} // namespace win
