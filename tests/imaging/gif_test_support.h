// Helpers of the GIF tests: byte arrays as streams, warning logs, frames built from pixels, and the
// text form of a GIF file that the giflib dump program prints.
#pragma once

#include "imaging/gif_image.h"
#include "platform/rtl/streams.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <vector>

QByteArray Bytes(std::initializer_list<int> values);

// A memory stream holding Data, at position 0.
std::unique_ptr<TMemoryStream> StreamOf(const QByteArray& Data);
QByteArray ContentOf(TMemoryStream& Stream);

// Collects the warnings an image reports.
struct WarningLog {
    explicit WarningLog(TGIFImage& image);
    QStringList Messages;
};

// Loads the bytes into the image; the warnings go to Log when given.
void LoadImage(TGIFImage& Image, const QByteArray& Data);
QByteArray SaveImage(TGIFImage& Image);

// A global map of Count colours that differ from each other.
void FillColorMap(TGIFColorMap& Map, int Count);
// Adds a frame of the given size whose pixels are Pixels (row by row).
TGIFSubImage* AddFrame(TGIFImage& Image, int Width, int Height, const std::vector<uint8_t>& Pixels);

// The text form of the image as the giflib dump program prints it (see tests/imaging/oracle).
QString DumpOf(TGIFImage& Image);
// The giflib dump of a file; empty, with a test failure, when giflib refuses it.
QString GiflibDumpOf(const QString& FileName);
