// Byte, number and sub-block reading and writing for the GIF classes.
#include "imaging/gif_stream_io.h"

#include "imaging/gif_exception.h"
#include "imaging/gif_types.h"

bool TryReadByte(TStream& Stream, uint8_t& Value)
{
    return Stream.Read(&Value, 1) == 1;
}

uint8_t ReadGIFByte(TStream& Stream)
{
    uint8_t value = 0;
    ReadCheck(Stream, &value, 1);
    return value;
}

void ReadCheck(TStream& Stream, void* Buffer, int64_t Count)
{
    if (Stream.Read(Buffer, Count) != Count)
        throw GIFException(gifmsg::PrematureEOF);
}

void WriteGIFByte(TStream& Stream, uint8_t Value)
{
    Stream.WriteBuffer(&Value, 1);
}

void StepBack(TStream& Stream)
{
    Stream.Seek(-1, soCurrent);
}

void WriteSubBlocks(TStream& Stream, const QList<QByteArray>& Blocks)
{
    for (const QByteArray& block : Blocks) {
        for (qsizetype at = 0; at < block.size(); at += 255) {
            const qsizetype length = std::min<qsizetype>(255, block.size() - at);
            WriteGIFByte(Stream, uint8_t(length));
            Stream.WriteBuffer(block.constData() + at, length);
        }
    }
    WriteGIFByte(Stream, 0);
}

QList<QByteArray> ReadSubBlocks(TStream& Stream)
{
    QList<QByteArray> blocks;
    uint8_t length = 0;
    while (TryReadByte(Stream, length) && length > 0) {
        QByteArray block(length, '\0');
        ReadCheck(Stream, block.data(), length);
        blocks.append(block);
    }
    return blocks;
}

void SkipSubBlocks(TStream& Stream)
{
    uint8_t length = 0;
    uint8_t skipped[255];
    while (TryReadByte(Stream, length) && length > 0) {
        if (Stream.Read(skipped, length) != length)
            return;
    }
}

void WriteStrings(TStream& Stream, const QStringList& Strings)
{
    QList<QByteArray> blocks;
    for (const QString& text : Strings)
        blocks.append(text.toLatin1());
    WriteSubBlocks(Stream, blocks);
}

QStringList ReadStrings(TStream& Stream)
{
    QStringList strings;
    for (const QByteArray& block : ReadSubBlocks(Stream)) {
        const qsizetype nul = block.indexOf('\0');
        strings.append(QString::fromLatin1(nul < 0 ? block : block.left(nul)));
    }
    return strings;
}
