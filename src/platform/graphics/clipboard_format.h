// Clipboard formats: the standard bitmap format, registered named formats, and the data one format
// holds on the clipboard.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace win {

constexpr unsigned CF_BITMAP = 2;

// The number of the format named Name, the same for every call with that name (compared without
// case); numbers start at 0xC000.
unsigned RegisterClipboardFormat(const QString& Name);
// The name a registered format was given; empty for other numbers.
QString ClipboardFormatName(unsigned Format);
// The MIME type the format travels as: "image/gif" for the format "GIF Image", "text/rtf" for "Rich
// Text Format" (so that other programs read it), Qt's type for named
// Windows formats for the other registered ones; empty for CF_BITMAP, which travels as image data.
QString ClipboardFormatMimeType(unsigned Format);

} // namespace win

// What one clipboard format holds: the bytes of a registered format (a global memory block), or
// the picture of CF_BITMAP (a bitmap handle). Empty stands for a handle of 0.
struct TClipboardData {
    QByteArray Bytes;
    QImage Picture;

    bool IsEmpty() const { return Bytes.isEmpty() && Picture.isNull(); }
};
