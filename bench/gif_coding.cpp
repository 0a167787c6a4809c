// GIF decoding and encoding, measured beside giflib (DGifSlurp and EGifSpew) in the same run: a
// 3000 × 2000 picture of 256 colours and a 100-frame 400 × 300 animation. The encoded sizes of
// both coders are reported as counters.
#include "imaging/gif_image.h"
#include "platform/rtl/streams.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
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
    size_t at = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* memory = static_cast<Memory*>(gif->UserData);
    const size_t n = std::min(size_t(count), memory->bytes.size() - memory->at);
    std::memcpy(buffer, memory->bytes.data() + memory->at, n);
    memory->at += n;
    return int(n);
}

int WriteMemory(GifFileType* gif, const GifByteType* buffer, int count)
{
    auto* memory = static_cast<Memory*>(gif->UserData);
    memory->bytes.insert(memory->bytes.end(), buffer, buffer + count);
    return count;
}

// giflib's file of the picture, built and written by EGifSpew.
std::vector<uint8_t> GiflibEncode(const Picture& picture, benchmark::State* state = nullptr)
{
    if (state)
        state->PauseTiming();
    Memory memory;
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
    if (state)
        state->ResumeTiming();
    if (EGifSpew(gif) != GIF_OK)
        std::abort();
    return memory.bytes;
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

void OursDecode(benchmark::State& state)
{
    const std::vector<uint8_t> file = GiflibEncode(PictureOf(state));
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), int64_t(file.size()));
    for (auto _ : state) {
        stream.SetPosition(0);
        TGIFImage image;
        image.LoadFromStream(stream);
        benchmark::DoNotOptimize(image.Images().Items(0)->Data());
    }
}

void GiflibDecode(benchmark::State& state)
{
    Memory memory{GiflibEncode(PictureOf(state))};
    for (auto _ : state) {
        memory.at = 0;
        int error = 0;
        GifFileType* gif = DGifOpen(&memory, ReadMemory, &error);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            std::abort();
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    }
}

void OursEncode(benchmark::State& state)
{
    TGIFImage image;
    BuildImage(image, PictureOf(state));
    int64_t size = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        image.SaveToStream(stream);
        size = stream.Size();
    }
    state.counters["bytes"] = double(size);
}

void GiflibEncode(benchmark::State& state)
{
    size_t size = 0;
    for (auto _ : state)
        size = GiflibEncode(PictureOf(state), &state).size();
    state.counters["bytes"] = double(size);
}

// Argument 0: the large picture; 1: the animation.
BENCHMARK(OursDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GiflibDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OursEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GiflibEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
