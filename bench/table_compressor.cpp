// Table compressor speed in MB/s on 1 MiB of text (the program's own sources) and of random bytes,
// packing and unpacking with KH and LZH, beside "gzip -1" and "gzip -d" on the same bytes (these
// include starting the gzip process).
#include "../tests/highlighter/compress_bytes.h"

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <random>

namespace {

constexpr int DataSize = 1 << 20;

QByteArray Text()
{
    QByteArray text;
    while (text.size() < DataSize) {
        QDirIterator files(QStringLiteral(HFTP_SOURCE_DIR "/src"),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext() && text.size() < DataSize) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                text += file.readAll();
        }
    }
    return text.left(DataSize);
}

QByteArray Random()
{
    std::mt19937 random(1);
    QByteArray bytes(DataSize, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

const QByteArray& Data(int kind)
{
    static const QByteArray text = Text();
    static const QByteArray random = Random();
    return kind == 0 ? text : random;
}

// state.range(0): 0 text, 1 random; state.range(1): the method.
void Compress(benchmark::State& state)
{
    const QByteArray& input = Data(int(state.range(0)));
    qsizetype packed = 0;
    for (auto _ : state)
        packed = CompressBytes(input, std::uint8_t(state.range(1))).size();
    state.SetBytesProcessed(state.iterations() * DataSize);
    state.counters["ratio%"] = 100.0 * double(packed) / DataSize;
}

void Decompress(benchmark::State& state)
{
    const QByteArray packed = CompressBytes(Data(int(state.range(0))), std::uint8_t(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecompressBytes(packed));
    state.SetBytesProcessed(state.iterations() * DataSize);
}

// Runs gzip on a file holding the data (packed first for "-d").
void Gzip(benchmark::State& state, const char* options)
{
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("data"));
    QFile file(plain);
    file.open(QIODevice::WriteOnly);
    file.write(Data(int(state.range(0))));
    file.close();
    const bool unpack = QByteArray(options) == "-d";
    if (std::system(("gzip -1 -k " + plain.toStdString()).c_str()) != 0)
        state.SkipWithError("gzip failed");
    const std::string command = "gzip " + std::string(options) + " -c " + plain.toStdString() +
                                (unpack ? ".gz" : "") + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("gzip failed");
    }
    state.SetBytesProcessed(state.iterations() * DataSize);
    if (!unpack)
        state.counters["ratio%"] = 100.0 * double(QFile(plain + ".gz").size()) / DataSize;
}

void GzipFast(benchmark::State& state)
{
    Gzip(state, "-1");
}
void GzipUnpack(benchmark::State& state)
{
    Gzip(state, "-d");
}

// Arguments: data kind (0 text, 1 random) and method (0 LZH, 1 KH).
const std::vector<std::int64_t> Kinds = {0, 1};
const std::vector<std::int64_t> Methods = {TCompressor::MethodKH, TCompressor::MethodLZH};
BENCHMARK(Compress)->ArgsProduct({Kinds, Methods})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Decompress)->ArgsProduct({Kinds, Methods})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GzipFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GzipUnpack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
