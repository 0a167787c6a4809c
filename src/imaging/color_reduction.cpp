// QuantizeBitmap: the palette of each reduction method, the matching lookup and the ditherers.
#include "imaging/color_reduction.h"

#include "imaging/color_lookup.h"
#include "imaging/dib.h"
#include "imaging/dithering.h"
#include "imaging/gif_exception.h"
#include "imaging/octree_quantizer.h"

#include <optional>

namespace {

win::Palette GreyPalette(std::initializer_list<int> greys)
{
    win::Palette palette;
    for (int grey : greys)
        palette.Entries.push_back({uint8_t(grey), uint8_t(grey), uint8_t(grey), win::PC_NOCOLLAPSE});
    return palette;
}

std::optional<win::Palette> MethodPalette(uint8_t method, TDIBReader& reader, int paletteBits,
                                          const win::Palette& given)
{
    switch (method) {
    case crDefaultPalette:
        return win::DefaultPalette();
    case crHalftonePalette:
        return win::CreateHalftonePalette();
    case crFourGreys:
        return GreyPalette({0, 128, 192, 255});
    case crMonochrome:
        return GreyPalette({0, 255});
    case crGrayScale: {
        win::Palette palette;
        for (int i = 0; i < 256; ++i)
            palette.Entries.push_back({uint8_t(i), uint8_t(i), uint8_t(i), win::PC_NOCOLLAPSE});
        return palette;
    }
    case crWebPalette:
        return WebPalette();
    case crQuantize:
        if (paletteBits < 1 || paletteBits > 8)
            throw GIFException(QStringLiteral("Invalid palette bits"));
        return QuantizedPaletteFromReader(reader, 1 << paletteBits, 8, false);
    case crQuantizeSystemColors:
        return QuantizedPaletteFromReader(reader, 256, 8, true);
    case crGivenPalette:
        return given;
    default:
        return std::nullopt;
    }
}

std::unique_ptr<TColorLookup> MethodLookup(uint8_t method, const win::Palette& palette)
{
    switch (method) {
    case crMonochrome:
        return std::make_unique<TMonochromeLookup>();
    case crGrayScale:
        return std::make_unique<TGrayScaleLookup>();
    case crWebPalette:
        return std::make_unique<TNetscapeColorLookup>();
    default:
        return std::make_unique<TFastColorLookup>(palette);
    }
}

std::unique_ptr<TDitherEngine> MakeDitherer(uint8_t method, int width, TColorLookup* lookup)
{
    switch (method) {
    case dmNone:
        return std::make_unique<TDitherEngine>(width, lookup);
    case dmFloydSteinberg:
        return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case dmStucki:
        return std::make_unique<TStuckiDitherer>(width, lookup);
    case dmSierra:
        return std::make_unique<TSierraDitherer>(width, lookup);
    case dmJarvisJudiceNinke:
        return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case dmStevensonArce:
        return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case dmBurkes:
        return std::make_unique<TBurkesDitherer>(width, lookup);
    default:
        return nullptr;
    }
}

} // namespace

std::unique_ptr<TBitmap> QuantizeBitmap(TBitmap* Bitmap, uint8_t ReductionMethod, uint8_t DitherMethod,
                                        int PaletteBits, const win::Palette& Palette)
{
    auto result = std::make_unique<TBitmap>();
    if (ReductionMethod == crNone) {
        result->Assign(*Bitmap);
        result->SetPixelFormat(pf24bit);
        return result;
    }

    TDIBReader reader(Bitmap, pf24bit);
    const auto palette = MethodPalette(ReductionMethod, reader, PaletteBits, Palette);
    if (!palette)
        return result;
    const auto lookup = MethodLookup(ReductionMethod, *palette);
    if (lookup->Colors() == 0)
        return result;
    const int width = Bitmap->Width();
    const auto ditherer = MakeDitherer(DitherMethod, width, lookup.get());
    if (!ditherer)
        return result;

    TDIBWriter writer(result.get(), pf8bit, width, Bitmap->Height(), *palette);
    uint8_t r, g, b;
    for (int y = 0; y < Bitmap->Height(); ++y) {
        const uint8_t* source = reader.ScanLine(y);
        uint8_t* target = writer.ScanLine(y);
        for (int x = ditherer->Column(); x >= 0 && x < width; x += ditherer->Direction()) {
            const uint8_t* pixel = source + 3 * x;
            target[x] = ditherer->Dither(pixel[2], pixel[1], pixel[0], r, g, b);
        }
        ditherer->AdvanceRow();
    }
    writer.Finish();
    return result;
}
