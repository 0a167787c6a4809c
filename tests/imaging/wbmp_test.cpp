// The WBMP reader: its header and error codes, row padding, long integers, truncated and oversized
// files, and pictures written by netpbm and ImageMagick.
#include "gif_test_support.h"
#include "image_magick.h"
#include "imaging/wbmp.h"
#include "programs.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <random>

namespace {

class WBmpReader : public testing::Test {
protected:
    // Loads Data from a file and keeps the errors reported.
    void Load(const QByteArray& data)
    {
        const QString path = folder_.filePath(QStringLiteral("x.wbmp"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data);
        file.close();
        reader_.LoadFromFile(path);
    }

    QTemporaryDir folder_;
    std::vector<int> errors_;
    TWBmp reader_;

    void SetUp() override
    {
        reader_.OnError = [this](TObject* sender, int error) {
            EXPECT_EQ(sender, &reader_);
            errors_.push_back(error);
        };
    }
};

// A 10-pixel row takes two bytes; the six bits beyond the width are set, the two pixels kept.
TEST_F(WBmpReader, RowsArePaddedWithOnes)
{
    Load(Bytes({0, 0, 10, 2, 0x00, 0x40, 0xAA, 0x80}));
    EXPECT_TRUE(errors_.empty());
    ASSERT_EQ(reader_.Width(), 10);
    ASSERT_EQ(reader_.Height(), 2);
    TBitmap& bitmap = reader_.Bitmap();
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0x00);
    EXPECT_EQ(bitmap.ScanLine(0)[1], 0x7F);
    EXPECT_EQ(bitmap.ScanLine(1)[0], 0xAA);
    EXPECT_EQ(bitmap.ScanLine(1)[1], 0xBF);
    // 1 is white.
    EXPECT_EQ(bitmap.ToImage().pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bitmap.ToImage().pixel(9, 0), qRgb(255, 255, 255));
    EXPECT_EQ(reader_.FileName, folder_.filePath(QStringLiteral("x.wbmp")));
}

TEST_F(WBmpReader, Sizes)
{
    struct Case {
        QByteArray header;
        int width, height;
    };
    const Case cases[] = {
        {Bytes({0, 0, 0x81, 0x48, 1}), 200, 1},
        {Bytes({0, 0, 1, 0x81, 0x00}), 1, 128},
        {Bytes({0, 0, 0x80, 0x80, 0x03, 2}), 3, 2},          // leading zero groups
        {Bytes({0, 0, 0x81, 0x80, 0x00, 1}), 16384, 1},      // three bytes
        {Bytes({0, 0, 0, 5}), 0, 5},                         // empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header.toHex().toStdString());
        errors_.clear();
        Load(c.header);
        EXPECT_TRUE(errors_.empty());
        EXPECT_EQ(reader_.Width(), c.width);
        EXPECT_EQ(reader_.Height(), c.height);
        EXPECT_EQ(reader_.GetEmpty(), c.width == 0 || c.height == 0);
    }
}

// Errors: -1 cannot read (and the name is cleared), -2 wrong type, -3 nothing after the header.
// The bitmap keeps what it had.
TEST_F(WBmpReader, ErrorsKeepThePreviousBitmap)
{
    Load(Bytes({0, 0, 3, 1, 0x40}));
    ASSERT_EQ(reader_.Width(), 3);
    struct Case {
        QByteArray data;
        int error;
    };
    const Case cases[] = {
        {Bytes({1, 0, 3, 1, 0}), -2},
        {Bytes({2}), -2},
        {Bytes({0, 0}), -3},
        {Bytes({0}), -3},
        {QByteArray(), -3},
        {Bytes({0, 0, 0x81, 0x80, 0x01, 1}), -1},  // 16385 wide
        {Bytes({0, 0, 1, 0xFF, 0xFF, 0xFF, 0x7F}), -1},
        {Bytes({0, 0, 0x85}), -1},                  // ends within the width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data.toHex().toStdString());
        errors_.clear();
        Load(c.data);
        EXPECT_EQ(errors_, std::vector<int>{c.error});
        EXPECT_EQ(reader_.Width(), 3);
        EXPECT_EQ(reader_.Bitmap().ScanLine(0)[0] & 0xE0, 0x40);
        EXPECT_EQ(reader_.FileName.isEmpty(), c.error == -1);
    }
    errors_.clear();
    reader_.LoadFromFile(folder_.filePath(QStringLiteral("missing.wbmp")));
    EXPECT_EQ(errors_, std::vector<int>{-1});
    EXPECT_TRUE(reader_.FileName.isEmpty());
}

// Rows a truncated file does not hold any more are white.
TEST_F(WBmpReader, TruncatedFilesEndInWhite)
{
    Load(Bytes({0, 0, 16, 3, 0x12, 0x34, 0x56}));
    EXPECT_TRUE(errors_.empty());
    ASSERT_EQ(reader_.Height(), 3);
    EXPECT_EQ(reader_.Bitmap().ScanLine(0)[1], 0x34);
    EXPECT_EQ(reader_.Bitmap().ScanLine(1)[0], 0x56);
    EXPECT_EQ(reader_.Bitmap().ScanLine(1)[1], 0xFF);
    EXPECT_EQ(reader_.Bitmap().ScanLine(2)[0], 0xFF);
    EXPECT_EQ(reader_.Bitmap().ScanLine(2)[1], 0xFF);
}

// Random pictures as PBM files, turned into WBMP by netpbm and by ImageMagick, read back to the
// same pixels (PBM marks black with 1, WBMP white).
TEST_F(WBmpReader, ReadsWhatNetpbmAndImageMagickWrite)
{
    std::mt19937 random(7);
    struct Picture {
        int width, height;
        std::vector<bool> black;
    };
    std::vector<Picture> pictures;
    QStringList convert{QStringLiteral("-respect-parentheses")};
    for (int i = 0; i < 6; ++i) {
        Picture p{int(random() % 40 + 1), int(random() % 20 + 1), {}};
        if (i == 0)
            p.width = 200; // a two-byte width
        QByteArray pbm = QStringLiteral("P4\n%1 %2\n").arg(p.width).arg(p.height).toLatin1();
        for (int y = 0; y < p.height; ++y) {
            QByteArray row((p.width + 7) / 8, '\0');
            for (int x = 0; x < p.width; ++x) {
                const bool black = random() % 3 == 0;
                p.black.push_back(black);
                if (black)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            pbm += row;
        }
        const QString name = folder_.filePath(QStringLiteral("p%1").arg(i));
        QByteArray out, err;
        int code = 0;
        ASSERT_TRUE(RunProgram(QStringLiteral("/usr/bin/pbmtowbmp"), {}, &out, &err, &code, pbm) && code == 0)
            << err.toStdString();
        QFile netpbm(name + QStringLiteral("-netpbm.wbmp"));
        ASSERT_TRUE(netpbm.open(QIODevice::WriteOnly));
        netpbm.write(out);
        netpbm.close();
        QFile file(name + QStringLiteral(".pbm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(pbm);
        file.close();
        convert << QStringLiteral("(") << name + QStringLiteral(".pbm") << QStringLiteral("-write")
                << QStringLiteral("wbmp:") + name + QStringLiteral("-magick.wbmp") << QStringLiteral(")");
        pictures.push_back(p);
    }
    Convert(convert << QStringLiteral("null:"));

    for (size_t i = 0; i < pictures.size(); ++i)
        for (const char* writer : {"netpbm", "magick"}) {
            SCOPED_TRACE(testing::Message() << "picture " << i << " by " << writer);
            const Picture& p = pictures[i];
            errors_.clear();
            reader_.LoadFromFile(folder_.filePath(QStringLiteral("p%1-%2.wbmp").arg(i).arg(QLatin1String(writer))));
            ASSERT_TRUE(errors_.empty());
            ASSERT_EQ(reader_.Width(), p.width);
            ASSERT_EQ(reader_.Height(), p.height);
            int wrong = 0;
            for (int y = 0; y < p.height; ++y) {
                const uint8_t* row = reader_.Bitmap().ScanLine(y);
                for (int x = 0; x < p.width; ++x) {
                    const bool white = row[x / 8] & (0x80 >> (x % 8));
                    wrong += white == p.black[size_t(y * p.width + x)];
                }
            }
            EXPECT_EQ(wrong, 0);
        }
}

} // namespace
