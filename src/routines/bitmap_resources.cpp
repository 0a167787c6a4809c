// Bitmap resources, kept as Qt resources: ":/bitmaps/<name>.png" for the program's own and
// ":/libraries/<library file name>/<name>.png" for those of resource libraries.
#include "routines/bitmap_resources.h"

#include <QDir>

namespace {

bool LoadFrom(QImage& Bitmap, const QString& Folder, const QString& Name)
{
    QImage image;
    if (Name.isEmpty() || Name.contains(QLatin1Char('/')) ||
        !image.load(Folder + Name + QStringLiteral(".png")))
        return false;
    Bitmap = image;
    return true;
}

} // namespace

bool LoadBitmapResource(QImage& Bitmap, const QString& Name)
{
    return LoadFrom(Bitmap, QStringLiteral(":/bitmaps/"), Name);
}

bool LoadBitmapFromLibrary(QImage& Bitmap, const QString& Library, const QString& Name)
{
    const QString library =
        QStringLiteral(":/libraries/") + Library.mid(Library.lastIndexOf(QLatin1Char('/')) + 1);
    return QDir(library).exists() && LoadFrom(Bitmap, library + QLatin1Char('/'), Name);
}

bool LoadGlyph(QImage& Target, int Index)
{
    return Index >= 0 && Index < int(GlyphNames.size()) &&
           LoadBitmapResource(Target, QString::fromLatin1(GlyphNames[size_t(Index)]));
}
