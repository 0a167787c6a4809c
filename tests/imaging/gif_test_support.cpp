// Helpers of the GIF tests.
#include "gif_test_support.h"

#include "programs.h"

#include <gtest/gtest.h>

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

std::unique_ptr<TMemoryStream> StreamOf(const QByteArray& Data)
{
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(Data.constData(), Data.size());
    stream->SetPosition(0);
    return stream;
}

QByteArray ContentOf(TMemoryStream& Stream)
{
    return QByteArray(Stream.Memory(), qsizetype(Stream.Size()));
}

WarningLog::WarningLog(TGIFImage& image)
{
    image.OnGIFWarning = [this](TObject*, TGIFSeverity, const QString& message) { Messages.append(message); };
}

void LoadImage(TGIFImage& Image, const QByteArray& Data)
{
    auto stream = StreamOf(Data);
    Image.LoadFromStream(*stream);
}

QByteArray SaveImage(TGIFImage& Image)
{
    TMemoryStream stream;
    Image.SaveToStream(stream);
    return ContentOf(stream);
}

void FillColorMap(TGIFColorMap& Map, int Count)
{
    Map.Clear();
    for (int i = 0; i < Count; ++i)
        Map.Add({uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
}

TGIFSubImage* AddFrame(TGIFImage& Image, int Width, int Height, const std::vector<uint8_t>& Pixels)
{
    auto frame = std::make_unique<TGIFSubImage>(&Image);
    frame->SetBounds(0, 0, uint16_t(Width), uint16_t(Height));
    std::copy(Pixels.begin(), Pixels.end(), frame->Data());
    TGIFSubImage* added = frame.get();
    Image.Images().Add(std::move(frame));
    return added;
}

namespace {

QString Hex(const uint8_t* bytes, int64_t count)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(count)).toHex());
}

QString MapLine(const char* name, const TGIFColorMap& map)
{
    const int padded = 1 << map.BitsForCount();
    QByteArray rgb(reinterpret_cast<const char*>(map.Data()), map.Count() * 3);
    rgb.append(QByteArray((padded - map.Count()) * 3, '\0'));
    return QStringLiteral("%1 %2 %3\n")
        .arg(QLatin1String(name))
        .arg(padded)
        .arg(QString::fromLatin1(rgb.toHex()));
}

// One line per sub-block of the extension as we write it: its label on the first, 00 after.
QString ExtensionLines(TGIFExtension& extension)
{
    TMemoryStream stream;
    extension.SaveToStream(stream);
    const QByteArray bytes = ContentOf(stream);
    QString lines;
    int label = uint8_t(bytes[1]);
    for (qsizetype at = 2; at < bytes.size() && bytes[at] != 0; at += 1 + uint8_t(bytes[at])) {
        lines += QStringLiteral("ext %1 %2\n")
                     .arg(label, 2, 16, QLatin1Char('0'))
                     .arg(QString::fromLatin1(bytes.mid(at + 1, uint8_t(bytes[at])).toHex()));
        label = 0;
    }
    return lines;
}

} // namespace

QString DumpOf(TGIFImage& Image)
{
    TGIFHeader& header = Image.Header();
    QString dump = QStringLiteral("screen %1 %2 bg %3 aspect %4\n")
                       .arg(header.Width())
                       .arg(header.Height())
                       .arg(header.BackgroundColorIndex())
                       .arg(header.AspectRatio());
    if (header.ColorMap().Count() > 0)
        dump += MapLine("gmap", header.ColorMap());
    QString tail;
    for (int i = 0; i < Image.Images().Count(); ++i) {
        TGIFSubImage* frame = Image.Images().Items(i);
        QString extensions;
        for (int e = 0; e < frame->Extensions().Count(); ++e)
            extensions += ExtensionLines(*frame->Extensions().Items(e));
        if (frame->Empty()) {
            tail += extensions;
            continue;
        }
        dump += extensions;
        dump += QStringLiteral("frame %1 %2 %3 %4 interlace %5\n")
                    .arg(frame->Left())
                    .arg(frame->Top())
                    .arg(frame->Width())
                    .arg(frame->Height())
                    .arg(frame->Interlaced() ? 1 : 0);
        if (frame->ColorMap().Count() > 0)
            dump += MapLine("lmap", frame->ColorMap());
        dump += QStringLiteral("pixels %1\n").arg(Hex(frame->Data(), frame->DataSize()));
    }
    return dump + QStringLiteral("tail\n") + tail;
}

QString GiflibDumpOf(const QString& FileName)
{
    QByteArray out, err;
    int code = 0;
    if (!RunProgram(QStringLiteral(GIF_DUMP), {FileName}, &out, &err, &code) || code != 0) {
        ADD_FAILURE() << "giflib refuses " << FileName.toStdString() << ": " << err.toStdString();
        return {};
    }
    return QString::fromLatin1(out);
}
