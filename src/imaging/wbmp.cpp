// Reading WBMP files.
#include "imaging/wbmp.h"

#include "platform/rtl/events.h"

#include <cstring>

namespace {

// The most bytes a file of MaxSize × MaxSize pixels needs: two header bytes, two integers of at
// most three bytes, and the rows. Bytes beyond are not read.
constexpr int64_t MaxFileBytes = 2 + 3 + 3 + int64_t(TWBmp::MaxSize) * (TWBmp::MaxSize / 8);

} // namespace

TWBmp::TWBmp(TComponent* AOwner) : TComponent(AOwner)
{
    bitmap_.SetPixelFormat(pf1bit);
}

void TWBmp::Error(int Code)
{
    if (Code == ErrorRead)
        FileName.clear();
    Fire(OnError, this, Code);
}

bool TWBmp::ReadInteger(int& Value)
{
    Value = 0;
    uint8_t byte = 0;
    do {
        if (stream_.Read(&byte, 1) != 1)
            return false;
        Value = (Value << 7) | (byte & 0x7F);
        if (Value > MaxSize)
            return false;
    } while (byte & 0x80);
    return true;
}

void TWBmp::LoadFromFile(const QString& AFileName)
{
    FileName = AFileName;
    try {
        TFileStream file(AFileName, fmOpenRead | fmShareDenyNone);
        stream_.Clear();
        const int64_t size = std::min(file.Size(), MaxFileBytes);
        if (size > 0)
            stream_.CopyFrom(file, size);
    } catch (const Exception&) {
        Error(ErrorRead);
        return;
    }

    stream_.SetPosition(0);
    uint8_t header[2] = {0, 0};
    const int64_t headerBytes = stream_.Read(header, 2);
    if (headerBytes > 0 && header[0] != 0) {
        Error(ErrorType);
        return;
    }
    if (headerBytes < 2 || stream_.Position() >= stream_.Size()) {
        Error(ErrorNoData);
        return;
    }
    int width = 0, height = 0;
    if (!ReadInteger(width) || !ReadInteger(height)) {
        Error(ErrorRead);
        return;
    }

    try {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf1bit);
        bitmap.SetSize(width, height);
        const int rowBytes = (width + 7) / 8;
        const int lastBits = width & 7;
        for (int y = 0; y < height && width > 0; ++y) {
            uint8_t* row = bitmap.ScanLine(y);
            const int64_t read = stream_.Read(row, rowBytes);
            // What the file does not hold any more is white.
            std::memset(row + std::max<int64_t>(read, 0), 0xFF, size_t(rowBytes - std::max<int64_t>(read, 0)));
            if (lastBits > 0)
                row[rowBytes - 1] |= uint8_t(0xFF >> lastBits);
        }
        bitmap_.Assign(bitmap);
    } catch (const Exception&) {
        Error(ErrorRead);
        return;
    }
    stream_.SetPosition(0);
}
