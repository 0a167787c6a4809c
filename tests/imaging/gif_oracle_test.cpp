// Our GIF reader and writer against giflib and Qt's GIF reader, over fixtures made at test time by
// ImageMagick, gifsicle and gifbuild.
#include "gif_test_support.h"
#include "imaging/gif_image.h"
#include "programs.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <random>

namespace {

struct Fixture {
    QString name; // empty for a program that makes several fixtures
    QString program;
    QStringList arguments; // "%o" stands for the output file, "%d" for the fixture folder
    QByteArray input = {};
};

QString Comment300()
{
    return QString(300, QLatin1Char('c'));
}

// Plain text, an unknown application block and a comment, described for gifbuild.
const char* PlainTextDescription = R"(screen width 6
screen height 4
screen colors 4
screen background 1
pixel aspect byte 0

screen map
	rgb 255 000 000 is 0
	rgb 000 255 000 is 1
	rgb 000 000 255 is 2
	rgb 255 255 255 is 3
end

plaintext
\x01\x01\x02\x02\x03\x03\x04\x04\x05\x06\x01\x02
Hello
text
end

extension ff
ABCDEFGH123
some data
end

image # 1
image left 1
image top 1
image bits 4 by 2
0123
3210
)";

// The fixtures' names, and the programs that make them. ImageMagick makes several in one run (it
// starts slowly); gifsicle then builds on those.
const QStringList ConvertFixtures = {
    QStringLiteral("interlaced-1"), QStringLiteral("interlaced-2"), QStringLiteral("interlaced-3"),
    QStringLiteral("interlaced-4"), QStringLiteral("interlaced-5"), QStringLiteral("interlaced-6"),
    QStringLiteral("interlaced-7"), QStringLiteral("interlaced-8"), QStringLiteral("interlaced-9"),
    QStringLiteral("plasma-256"),   QStringLiteral("transparent"),  QStringLiteral("animation-convert"),
    QStringLiteral("comment-87a"),  QStringLiteral("plain-87a")};

QStringList ConvertArguments()
{
    QStringList arguments{QStringLiteral("-respect-parentheses")};
    const auto group = [&](const QString& name, const QStringList& makes, const QString& format = {}) {
        arguments << QStringLiteral("(") << makes << QStringLiteral("-write")
                  << format + QStringLiteral("%d/") + name + QStringLiteral(".gif") << QStringLiteral(")");
    };
    for (int height = 1; height <= 9; ++height)
        group(QStringLiteral("interlaced-%1").arg(height),
              {QStringLiteral("-size"), QStringLiteral("3x%1").arg(height),
               QStringLiteral("gradient:red-blue"), QStringLiteral("-colors"), QStringLiteral("16"),
               QStringLiteral("-interlace"), QStringLiteral("GIF")});
    group(QStringLiteral("plasma-256"),
          {QStringLiteral("-interlace"), QStringLiteral("none"), QStringLiteral("-seed"), QStringLiteral("3"),
           QStringLiteral("-size"), QStringLiteral("61x47"), QStringLiteral("plasma:fractal"),
           QStringLiteral("-colors"), QStringLiteral("256")});
    group(QStringLiteral("transparent"),
          {QStringLiteral("-size"), QStringLiteral("8x6"), QStringLiteral("xc:red"), QStringLiteral("-fill"),
           QStringLiteral("blue"), QStringLiteral("-draw"), QStringLiteral("rectangle 2,1 5,3"),
           QStringLiteral("-transparent"), QStringLiteral("blue")});
    group(QStringLiteral("animation-convert"),
          {QStringLiteral("-delay"), QStringLiteral("25"), QStringLiteral("-dispose"),
           QStringLiteral("Background"), QStringLiteral("-size"), QStringLiteral("6x4"),
           QStringLiteral("xc:red"), QStringLiteral("gradient:green-yellow"), QStringLiteral("xc:blue"),
           QStringLiteral("-loop"), QStringLiteral("3")});
    group(QStringLiteral("comment-87a"),
          {QStringLiteral("-size"), QStringLiteral("5x3"), QStringLiteral("xc:gray"),
           QStringLiteral("-comment"), Comment300()},
          QStringLiteral("GIF87:"));
    group(QStringLiteral("plain-87a"),
          {QStringLiteral("+comment"), QStringLiteral("-size"), QStringLiteral("5x3"),
           QStringLiteral("gradient:white-black")},
          QStringLiteral("GIF87:"));
    return arguments << QStringLiteral("null:");
}

std::vector<Fixture> Makers()
{
    const QString gifsicle = QStringLiteral("/usr/bin/gifsicle");
    std::vector<Fixture> fixtures;
    fixtures.push_back({{}, QStringLiteral("/usr/bin/convert"), ConvertArguments()});
    fixtures.push_back(
        {QStringLiteral("gifsicle-animation"),
         gifsicle,
         {QStringLiteral("--loopcount=5"), QStringLiteral("--delay=7"), QStringLiteral("--disposal=previous"),
          QStringLiteral("--comment"), QStringLiteral("first"), QStringLiteral("%d/interlaced-4.gif"),
          QStringLiteral("--disposal=background"), QStringLiteral("--position=1,2"),
          QStringLiteral("%d/transparent.gif"), QStringLiteral("--comment"), Comment300(),
          QStringLiteral("%d/plasma-256.gif"), QStringLiteral("-o"), QStringLiteral("%o")}});
    fixtures.push_back(
        {QStringLiteral("gifsicle-interlaced-local"),
         gifsicle,
         {QStringLiteral("--interlace"), QStringLiteral("--app-extension"), QStringLiteral("ABCDEFGH123"),
          QStringLiteral("payload bytes"), QStringLiteral("%d/interlaced-9.gif"),
          QStringLiteral("%d/plain-87a.gif"), QStringLiteral("-o"), QStringLiteral("%o")}});
    fixtures.push_back({QStringLiteral("gifbuild-plaintext"),
                        QStringLiteral("/usr/bin/gifbuild"),
                        {},
                        PlainTextDescription});
    return fixtures;
}

QStringList FixtureNames()
{
    QStringList names = ConvertFixtures;
    for (const Fixture& maker : Makers())
        if (!maker.name.isEmpty())
            names << maker.name;
    return names;
}

class GIFOracle : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir;
        for (const Fixture& fixture : Makers()) {
            const QString output = folder_->filePath(fixture.name + QStringLiteral(".gif"));
            QStringList arguments;
            for (QString argument : fixture.arguments)
                arguments << argument.replace(QStringLiteral("%o"), output)
                                 .replace(QStringLiteral("%d"), folder_->path());
            QByteArray out, err;
            int code = 0;
            if (!RunProgram(fixture.program, arguments, &out, &err, &code, fixture.input) || code != 0) {
                ADD_FAILURE() << fixture.program.toStdString() << " " << fixture.name.toStdString() << ": "
                              << err.toStdString();
                continue;
            }
            if (!fixture.input.isEmpty()) {
                QFile file(output);
                file.open(QIODevice::WriteOnly);
                file.write(out);
            }
        }
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

    static QString PathOf(const QString& name) { return folder_->filePath(name + QStringLiteral(".gif")); }

    static QTemporaryDir* folder_;
};

QTemporaryDir* GIFOracle::folder_ = nullptr;

// Every fixture reads as giflib reads it (screen, maps, frames, de-interlaced pixels, extension
// blocks), and what we write back reads in giflib as our model says.
TEST_F(GIFOracle, ReaderAndWriterAgreeWithGiflibOnEveryFixture)
{
    for (const QString& name : FixtureNames()) {
        SCOPED_TRACE(name.toStdString());
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        TGIFImage image;
        WarningLog log(image);
        LoadImage(image, file.readAll());
        EXPECT_EQ(log.Messages, QStringList());
        EXPECT_EQ(DumpOf(image), GiflibDumpOf(PathOf(name)));

        const QString written = folder_->filePath(name + QStringLiteral("-ours.gif"));
        QFile out(written);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(SaveImage(image));
        out.close();
        EXPECT_EQ(DumpOf(image), GiflibDumpOf(written));
    }
}

TEST_F(GIFOracle, FixturesHoldTheBlockKindsTheyAreMadeFor)
{
    const auto dump = [](const char* name) { return GiflibDumpOf(PathOf(QString::fromLatin1(name))); };
    EXPECT_TRUE(dump("interlaced-9").contains(QStringLiteral("interlace 1")));
    EXPECT_TRUE(dump("transparent").contains(QStringLiteral("ext f9 01")));
    EXPECT_TRUE(dump("gifsicle-animation").contains(QStringLiteral("lmap")));
    EXPECT_TRUE(dump("gifsicle-animation").contains(QStringLiteral("ext 00 010500")));
    EXPECT_TRUE(dump("gifbuild-plaintext").contains(QStringLiteral("ext 01 ")));
    EXPECT_TRUE(dump("gifsicle-interlaced-local").contains(QStringLiteral("ext ff 4142434445464748313233")));
    QFile file(PathOf(QStringLiteral("comment-87a")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(6) == "GIF87a");
}

// Pixels of every depth, in runs and in noise, so both coders meet table clears and code growth.
std::vector<uint8_t> TestPixels(int width, int height, int bits, unsigned seed)
{
    std::mt19937 random(seed);
    const int colors = 1 << bits;
    std::vector<uint8_t> pixels(size_t(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool run = (y / 3) % 2 == 0;
            pixels[size_t(y * width + x)] = uint8_t(run ? (x / 7 + y) % colors : random() % colors);
        }
    return pixels;
}

// What we write, with either coder, interlaced or not, at every depth, giflib and Qt read back to
// the same pixels.
TEST_F(GIFOracle, EncodedFramesReadBackInGiflibAndQt)
{
    struct Size {
        int width, height;
    };
    const Size sizes[] = {{1, 1}, {1, 9}, {13, 5}, {97, 61}};
    for (TGIFEncoding encoding : {geLZW, geRLE})
        for (int bits = 1; bits <= 8; ++bits)
            for (bool interlaced : {false, true})
                for (const Size size : sizes) {
                    SCOPED_TRACE(testing::Message()
                                 << "encoding " << encoding << " bits " << bits << " interlaced "
                                 << interlaced << " size " << size.width << "x" << size.height);
                    TGIFImage image;
                    image.Encoding = encoding;
                    FillColorMap(image.Header().ColorMap(), 1 << bits);
                    const std::vector<uint8_t> pixels =
                        TestPixels(size.width, size.height, bits, unsigned(bits));
                    TGIFSubImage* frame = AddFrame(image, size.width, size.height, pixels);
                    frame->SetInterlaced(interlaced);
                    const QString path = folder_->filePath(QStringLiteral("encoded.gif"));
                    QFile file(path);
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                    file.write(SaveImage(image));
                    file.close();

                    EXPECT_EQ(GiflibDumpOf(path), DumpOf(image));

                    QImageReader reader(path, "gif");
                    const QImage read = reader.read();
                    ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
                    ASSERT_EQ(read.size(), QSize(size.width, size.height));
                    int wrong = 0;
                    for (int y = 0; y < size.height; ++y)
                        for (int x = 0; x < size.width; ++x) {
                            const TGIFColor c =
                                image.Header().ColorMap().Color(pixels[size_t(y * size.width + x)]);
                            wrong += read.pixel(x, y) != qRgb(c.Red, c.Green, c.Blue);
                        }
                    EXPECT_EQ(wrong, 0);
                }
}

} // namespace
