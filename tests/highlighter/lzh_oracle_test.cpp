// The LZH container's coded data is the LHA "-lh1-" coding: an independent decoder (lhasa's "lha")
// must unpack it, wrapped in a level-0 LHA header, to the original bytes.
#include "compress_bytes.h"
#include "sample_data.h"

#include "highlighter/table_compressor.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace {

std::uint16_t Crc16(const QByteArray& data)
{
    std::uint16_t crc = 0;
    for (const char c : data) {
        crc ^= std::uint8_t(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? std::uint16_t((crc >> 1) ^ 0xA001) : std::uint16_t(crc >> 1);
    }
    return crc;
}

void AppendLittleEndian(QByteArray& out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(char(value >> (8 * i)));
}

// A one-file LHA archive (level-0 header, method -lh1-) holding Coded, which unpacks to Original.
QByteArray LhaArchive(const QByteArray& coded, const QByteArray& original)
{
    const QByteArray name = "sample";
    QByteArray header = "-lh1-";
    AppendLittleEndian(header, std::uint32_t(coded.size()), 4);
    AppendLittleEndian(header, std::uint32_t(original.size()), 4);
    AppendLittleEndian(header, 0x00210000, 4); // 1980-01-01 00:00 in DOS form
    header.append(char(0x20)).append(char(0)).append(char(name.size())).append(name);
    AppendLittleEndian(header, Crc16(original), 2);
    std::uint8_t sum = 0;
    for (const char c : header)
        sum = std::uint8_t(sum + std::uint8_t(c));
    return QByteArray(1, char(header.size())) + char(sum) + header + coded + QByteArray(1, '\0');
}

// What "lha p" prints for the archive.
QByteArray Unpacked(const QByteArray& archive)
{
    const QString path = testRunFolder() + "/oracle.lzh";
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(archive);
    file.close();
    QProcess lha;
    lha.start(QStringLiteral("lha"), {QStringLiteral("pq"), path});
    EXPECT_TRUE(lha.waitForFinished(30000)) << "lha did not run: is the lhasa package installed?";
    EXPECT_EQ(lha.exitCode(), 0) << lha.readAllStandardError().toStdString();
    return lha.readAllStandardOutput();
}

} // namespace

TEST(LzhOracle, LhasaUnpacksTheCodedData)
{
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"one byte", "x"},
        {"leading spaces match the ring's fill", QByteArray(100, ' ') + "text" + QByteArray(70, ' ')},
        {"text past a frequency rebuild", SampleText(300000, 7)},
        {"random", SampleRandom(70000, 8)},
        {"zeros", SampleZeros(50000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray container = CompressBytes(c.data, TCompressor::MethodLZH);
        ASSERT_EQ(container.left(4), "!HZL");
        const QByteArray unpacked = Unpacked(LhaArchive(container.mid(8), c.data));
        EXPECT_EQ(unpacked.size(), c.data.size());
        EXPECT_TRUE(unpacked == c.data);
    }
}
