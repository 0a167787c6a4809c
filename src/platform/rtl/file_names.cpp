// Splitting local paths at "/" and at the extension's dot.
#include "platform/rtl/file_names.h"

namespace {

// The index of the extension's dot, -1 when the name part has none.
qsizetype ExtensionDot(const QString& FileName)
{
    const qsizetype dot = FileName.lastIndexOf(u'.');
    return dot > FileName.lastIndexOf(u'/') ? dot : -1;
}

} // namespace

QString ExtractFileName(const QString& FileName)
{
    return FileName.mid(FileName.lastIndexOf(u'/') + 1);
}

QString ExtractFilePath(const QString& FileName)
{
    return FileName.left(FileName.lastIndexOf(u'/') + 1);
}

QString ExtractFileExt(const QString& FileName)
{
    const qsizetype dot = ExtensionDot(FileName);
    return dot < 0 ? QString() : FileName.mid(dot);
}

QString ChangeFileExt(const QString& FileName, const QString& Extension)
{
    const qsizetype dot = ExtensionDot(FileName);
    return (dot < 0 ? FileName : FileName.left(dot)) + Extension;
}
