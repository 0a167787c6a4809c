// The serpentine walk and the error-diffusion ditherers with their weight tables.
#include "imaging/dithering.h"

#include <algorithm>
#include <cstdlib>

TDitherEngine::TDitherEngine(int AWidth, TColorLookup* ALookup)
    : lookup_(ALookup), width_(std::max(AWidth, 0))
{
}

uint8_t TDitherEngine::Dither(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B)
{
    const uint8_t index = lookup_->Lookup(Red, Green, Blue, R, G, B);
    Skip();
    return index;
}

void TDitherEngine::AdvanceRow()
{
    direction_ = -direction_;
    column_ = direction_ < 0 ? width_ - 1 : 0;
}

TErrorDiffusionDitherer::TErrorDiffusionDitherer(int AWidth, TColorLookup* ALookup, int ADivisor,
                                                 std::vector<TErrorShare> AShares)
    : TDitherEngine(AWidth, ALookup), divisor_(ADivisor), shares_(std::move(AShares))
{
    int rows = 1;
    for (const auto& share : shares_) {
        margin_ = std::max(margin_, std::abs(share.Ahead));
        rows = std::max(rows, share.Row + 1);
    }
    rows_.assign(size_t(rows), std::vector<int>(size_t(width_ + 2 * margin_) * 3, 0));
}

uint8_t TErrorDiffusionDitherer::Dither(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G,
                                        uint8_t& B)
{
    const int x = column_;
    if (x < 0 || x >= width_)
        return TDitherEngine::Dither(Red, Green, Blue, R, G, B);

    const int* error = &rows_[0][size_t(x + margin_) * 3];
    const auto corrected = [&](int input, int collected) {
        return std::clamp(input + (collected + divisor_ / 2) / divisor_, 0, 255);
    };
    const int red = corrected(Red, error[0]);
    const int green = corrected(Green, error[1]);
    const int blue = corrected(Blue, error[2]);
    const uint8_t index = TDitherEngine::Dither(uint8_t(red), uint8_t(green), uint8_t(blue), R, G, B);

    const int spread[3] = {red - R, green - G, blue - B};
    if (spread[0] == 0 && spread[1] == 0 && spread[2] == 0)
        return index;
    for (const auto& share : shares_) {
        int* cell = &rows_[size_t(share.Row)][size_t(x + margin_ + share.Ahead * direction_) * 3];
        for (int c = 0; c < 3; ++c)
            cell[c] += spread[c] * share.Weight;
    }
    return index;
}

void TErrorDiffusionDitherer::AdvanceRow()
{
    std::fill(rows_.front().begin(), rows_.front().end(), 0);
    std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
    TDitherEngine::AdvanceRow();
}

// The weight tables, one row of the picture per line.
// clang-format off
TFloydSteinbergDitherer::TFloydSteinbergDitherer(int AWidth, TColorLookup* ALookup)
    : TErrorDiffusionDitherer(AWidth, ALookup, 16, {{0, 1, 7}, {1, -1, 3}, {1, 0, 5}, {1, 1, 1}})
{
}

TStuckiDitherer::TStuckiDitherer(int AWidth, TColorLookup* ALookup)
    : T5by3Ditherer(AWidth, ALookup, 42,
                    {{0, 1, 8}, {0, 2, 4},
                     {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
                     {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1}})
{
}

TSierraDitherer::TSierraDitherer(int AWidth, TColorLookup* ALookup)
    : T5by3Ditherer(AWidth, ALookup, 32,
                    {{0, 1, 5}, {0, 2, 3},
                     {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},
                     {2, -1, 2}, {2, 0, 3}, {2, 1, 2}})
{
}

TJaJuNiDitherer::TJaJuNiDitherer(int AWidth, TColorLookup* ALookup)
    : T5by3Ditherer(AWidth, ALookup, 48,
                    {{0, 1, 7}, {0, 2, 5},
                     {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},
                     {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1}})
{
}

TSteveArcheDitherer::TSteveArcheDitherer(int AWidth, TColorLookup* ALookup)
    : TErrorDiffusionDitherer(AWidth, ALookup, 200,
                              {{0, 2, 32},
                               {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16},
                               {2, -2, 12}, {2, 0, 26}, {2, 2, 12},
                               {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5}})
{
}

TBurkesDitherer::TBurkesDitherer(int AWidth, TColorLookup* ALookup)
    : TErrorDiffusionDitherer(AWidth, ALookup, 32,
                              {{0, 1, 8}, {0, 2, 4},
                               {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}})
{
}
// clang-format on
