// The GIF codec's shared vocabulary: versions, encodings, warning severities, the size cap and the
// message texts of its failures and warnings.
#pragma once

#include <QString>
#include <cstdint>

enum TGIFVersion { gvUnknown, gv87a, gv89a };

// How frames are coded when written: real LZW, or run-length coding in LZW codes.
enum TGIFEncoding : uint8_t { geLZW, geRLE };

enum TGIFSeverity { gsInfo, gsWarning, gsError };

// The most pixel bytes the frames of one image may hold together, unless the image says otherwise.
constexpr int64_t MaxGIFPixelBytes = int64_t(1) << 28;

// Message texts.
namespace gifmsg {
inline const QString PrematureEOF = QStringLiteral("Premature end of data");
inline const QString BadSignature = QStringLiteral("Invalid GIF signature");
inline const QString UnsupportedVersion = QStringLiteral("Unsupported GIF version");
inline const QString UnknownBlockType = QStringLiteral("Unknown GIF block type");
inline const QString BadExtensionIntroducer = QStringLiteral("Invalid extension introducer");
inline const QString UnknownExtension = QStringLiteral("Unknown extension type");
inline const QString ExtensionLabelMismatch =
    QStringLiteral("Internal error: Extension Instance does not match Extension Label");
inline const QString BadAppBlockSize = QStringLiteral("Unsupported Application Extension block size");
inline const QString BadData = QStringLiteral("Invalid GIF data");
inline const QString BadTrailer = QStringLiteral("Invalid Image trailer");
inline const QString ExceedsScreen = QStringLiteral("Image exceeds Logical Screen size");
inline const QString WidthTooSmall = QStringLiteral("Image width too small for contained frames");
inline const QString HeightTooSmall = QStringLiteral("Image height too small for contained frames");
inline const QString ColorTableOverflow = QStringLiteral("Color table overflow");
inline const QString BadColorIndex = QStringLiteral("Invalid color index");
inline const QString EmptyColorTable = QStringLiteral("Color table is empty");
inline const QString BadPixelCoordinates = QStringLiteral("Invalid pixel coordinates");
inline const QString EmptyImage = QStringLiteral("Image is empty");
inline const QString ColorNotInTable = QStringLiteral("Color not in color table");
inline const QString CircularTableEntry = QStringLiteral("Circular decoder table entry");
inline const QString BitBufferUnderrun = QStringLiteral("Decoder bit buffer under-run");
inline const QString InvalidStreamOperation = QStringLiteral("Invalid stream operation");
inline const QString TooLarge = QStringLiteral("GIF image is too large");
} // namespace gifmsg
