// GIF loading from a file and encoding, measured beside giflib (DGifOpenFileName with DGifSlurp,
// and EGifSpew) in the same run: a 3000 × 2000 picture of 256 colours and a 100-frame 400 × 300
// animation. Both load the same file (giflib's); both encode into memory. The encoded sizes of
// both coders are reported as counters; at the end the ratios ours / giflib are printed, from the
// fastest run of each, in CPU time (which stays comparable on a busy machine).
#include "imaging/gif_image.h"
#include "platform/rtl/streams.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0, frames = 0;
    std::vector<std::vector<uint8_t>> pixels;
};

// Smooth shapes with some noise, like a photograph reduced to 256 colours; frames move.
Picture MakePicture(int width, int height, int frames)
{
    Picture picture{width, height, frames, {}};
    std::mt19937 random(7);
    for (int f = 0; f < frames; ++f) {
        std::vector<uint8_t> pixels(size_t(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double v = 64 * std::sin((x + 3 * f) / 37.0) + 48 * std::cos((y - 2 * f) / 23.0) +
                                 32 * std::sin((x + y) / 51.0);
                pixels[size_t(y) * width + x] = uint8_t(int(v + 128 + int(random() % 9) - 4) & 0xFF);
            }
        picture.pixels.push_back(std::move(pixels));
    }
    return picture;
}

const Picture& Large()
{
    static const Picture picture = MakePicture(3000, 2000, 1);
    return picture;
}

const Picture& Animation()
{
    static const Picture picture = MakePicture(400, 300, 100);
    return picture;
}

struct Memory {
    std::vector<uint8_t> bytes;
};

int WriteMemory(GifFileType* gif, const GifByteType* buffer, int count)
{
    auto* memory = static_cast<Memory*>(gif->UserData);
    memory->bytes.insert(memory->bytes.end(), buffer, buffer + count);
    return count;
}

// giflib's model of the picture, ready for EGifSpew into Memory.
GifFileType* GiflibModel(Memory& memory, const Picture& picture)
{
    int error = 0;
    GifFileType* gif = EGifOpen(&memory, WriteMemory, &error);
    gif->SWidth = picture.width;
    gif->SHeight = picture.height;
    gif->SColorResolution = 8;
    gif->SBackGroundColor = 0;
    GifColorType colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = {GifByteType(i), GifByteType(255 - i), GifByteType(i * 3)};
    gif->SColorMap = GifMakeMapObject(256, colors);
    for (const auto& pixels : picture.pixels) {
        SavedImage* image = GifMakeSavedImage(gif, nullptr);
        image->ImageDesc.Width = picture.width;
        image->ImageDesc.Height = picture.height;
        image->RasterBits = static_cast<GifByteType*>(std::malloc(pixels.size()));
        std::memcpy(image->RasterBits, pixels.data(), pixels.size());
    }
    return gif;
}

// Writes the model (EGifSpew also frees it).
void Spew(GifFileType* gif)
{
    if (EGifSpew(gif) != GIF_OK)
        std::abort();
}

void BuildImage(TGIFImage& image, const Picture& picture)
{
    for (int i = 0; i < 256; ++i)
        image.Header().ColorMap().Add({uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)});
    for (const auto& pixels : picture.pixels) {
        auto frame = std::make_unique<TGIFSubImage>(&image);
        frame->SetBounds(0, 0, uint16_t(picture.width), uint16_t(picture.height));
        std::memcpy(frame->Data(), pixels.data(), pixels.size());
        image.Images().Add(std::move(frame));
    }
}

const Picture& PictureOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? Large() : Animation();
}

std::string NameOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? "picture" : "animation";
}

// giflib's file of the picture, written once.
QString FileOf(const benchmark::State& state)
{
    static QTemporaryDir folder(QDir::tempPath() + "/hftp-bench-XXXXXX");
    const QString name = folder.path() + "/" + QString::fromStdString(NameOf(state)) + ".gif";
    if (!QFile::exists(name)) {
        Memory memory;
        Spew(GiflibModel(memory, PictureOf(state)));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(memory.bytes.data()), qsizetype(memory.bytes.size()));
    }
    return name;
}

double CpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The fastest run's CPU seconds, by "what/picture".
std::map<std::string, double>& Fastest()
{
    static std::map<std::string, double> fastest;
    return fastest;
}

// Runs body once per iteration, after setup, timing the body in CPU seconds.
template <class Setup, class Body>
void Timed(benchmark::State& state, const std::string& what, Setup setup, Body body)
{
    for (auto _ : state) {
        auto prepared = setup();
        const double start = CpuSeconds();
        body(prepared);
        const double seconds = CpuSeconds() - start;
        state.SetIterationTime(seconds);
        const std::string key = what + "/" + NameOf(state);
        auto [it, added] = Fastest().emplace(key, seconds);
        if (!added)
            it->second = std::min(it->second, seconds);
    }
}

int Nothing()
{
    return 0;
}

void OursLoad(benchmark::State& state)
{
    const QString file = FileOf(state);
    Timed(state, "ours load", Nothing, [&](int) {
        TGIFImage image;
        image.LoadFromFile(file);
        benchmark::DoNotOptimize(image.Images().Items(0)->Data());
    });
}

void GiflibLoad(benchmark::State& state)
{
    const std::string file = FileOf(state).toStdString();
    Timed(state, "giflib load", Nothing, [&](int) {
        int error = 0;
        GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            std::abort();
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    });
}

void OursEncode(benchmark::State& state)
{
    TGIFImage image;
    BuildImage(image, PictureOf(state));
    int64_t size = 0;
    Timed(state, "ours encode", Nothing, [&](int) {
        TMemoryStream stream;
        image.SaveToStream(stream);
        size = stream.Size();
    });
    state.counters["bytes"] = double(size);
}

void GiflibEncode(benchmark::State& state)
{
    Memory memory;
    Timed(
        state, "giflib encode",
        [&] {
            memory = Memory();
            return GiflibModel(memory, PictureOf(state));
        },
        Spew);
    state.counters["bytes"] = double(memory.bytes.size());
}

// Argument 0: the large picture; 1: the animation.
BENCHMARK(OursLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GiflibLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(OursEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(GiflibEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* picture : {"picture", "animation"}) {
        for (const char* what : {"load", "encode"}) {
            const double ours = Fastest()[std::string("ours ") + what + "/" + picture];
            const double giflib = Fastest()[std::string("giflib ") + what + "/" + picture];
            std::printf("%s %s: CPU seconds ours %.4f, giflib %.4f: ours / giflib %.2f\n", picture, what, ours,
                        giflib, ours / giflib);
        }
    }
    return 0;
}
