// Reduces a generated 3000 × 2000 true-colour picture to 256 colours (octree palette with
// Floyd-Steinberg, and web palette with Floyd-Steinberg) beside ImageMagick's convert doing the
// same, then prints each result's PSNR against the picture as ImageMagick's compare measures it.
//
//   build/bench/bench_color_reduction [--benchmark_repetitions=N]
// HFTP_BENCH_SEED chooses another picture (ImageMagick's plasma seed; 11 when unset).
#include "imaging/color_reduction.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {

QTemporaryDir* Folder;
TBitmap* Picture;
std::map<std::string, QString> Results; // what made it → result file

QString Path(const char* name)
{
    return Folder->filePath(QString::fromLatin1(name));
}

// Runs a program; returns its standard error (compare writes its measure there).
QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return process.readAllStandardError();
}

void Ours(benchmark::State& state, uint8_t method, const char* output)
{
    std::unique_ptr<TBitmap> result;
    for (auto _ : state)
        result = QuantizeBitmap(Picture, method, dmFloydSteinberg, 8, {});
    result->ToImage().save(Path(output));
    Results[output] = Path(output);
}

void ImageMagick(benchmark::State& state, QStringList arguments, const char* output)
{
    arguments.prepend(Path("big.ppm"));
    arguments.append(Path(output));
    for (auto _ : state)
        Run(QStringLiteral("/usr/bin/convert"), arguments);
    Results[output] = Path(output);
}

const QStringList Octree = {"-dither", "FloydSteinberg", "-colors", "256"};
const QStringList Web = {"-dither", "FloydSteinberg", "-remap", "netscape:"};

void BM_OctreeFloydSteinberg(benchmark::State& state)
{
    Ours(state, crQuantize, "octree.ppm");
}
void BM_WebFloydSteinberg(benchmark::State& state)
{
    Ours(state, crWebPalette, "web.ppm");
}
void BM_ImageMagickOctree(benchmark::State& state)
{
    ImageMagick(state, Octree, "im-octree.gif");
}
void BM_ImageMagickWeb(benchmark::State& state)
{
    ImageMagick(state, Web, "im-web.gif");
}
void BM_ImageMagickOctreeOneThread(benchmark::State& state)
{
    ImageMagick(state, QStringList{"-limit", "thread", "1"} + Octree, "im-octree-1.gif");
}
void BM_ImageMagickWebOneThread(benchmark::State& state)
{
    ImageMagick(state, QStringList{"-limit", "thread", "1"} + Web, "im-web-1.gif");
}
// What ImageMagick spends reading the picture and writing one back, without any reduction.
void BM_ImageMagickCopyOnly(benchmark::State& state)
{
    ImageMagick(state, {}, "im-copy.ppm");
}

BENCHMARK(BM_OctreeFloydSteinberg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickOctree)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickOctreeOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WebFloydSteinberg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickWeb)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickWebOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickCopyOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    Folder = &folder;
    const QString seed = qEnvironmentVariable("HFTP_BENCH_SEED", QStringLiteral("11"));
    Run(QStringLiteral("/usr/bin/convert"),
        {"-size", "3000x2000", "-seed", seed, "plasma:fractal", "-depth", "8", Path("big.ppm")});
    TBitmap picture;
    picture.AssignImage(QImage(Path("big.ppm")));
    if (picture.Width() != 3000) {
        std::fprintf(stderr, "the generated picture could not be read\n");
        return 1;
    }
    Picture = &picture;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nPSNR against the picture (dB):\n");
    for (const auto& [name, file] : Results)
        std::printf(
            "  %-40s %s\n", name.c_str(),
            Run(QStringLiteral("/usr/bin/compare"), {"-metric", "PSNR", Path("big.ppm"), file, "null:"})
                .trimmed()
                .constData());
    return 0;
}
