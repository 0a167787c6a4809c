// Dithering: the serpentine walk with plain lookup (TDitherEngine) and the error-diffusion ditherers.
#pragma once

#include "imaging/color_lookup.h"
#include "platform/rtl/object.h"

#include <cstdint>
#include <vector>

// Walks rows serpentine: each row the other way round from the one before. The caller walks x from
// Column() in steps of Direction() while 0 <= x < Width(), calling Dither (or Skip) for each pixel,
// and AdvanceRow after each row. The base maps each colour through the lookup unchanged.
class TDitherEngine : public TObject {
public:
    // The lookup is not owned.
    TDitherEngine(int AWidth, TColorLookup* ALookup);

    // The palette index for the pixel at Column(); R, G, B receive the entry's colour. Moves on one
    // pixel.
    virtual uint8_t Dither(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B);
    // Turns round: the next row starts at its last pixel when the walk now goes backward, else at 0.
    virtual void AdvanceRow();
    // Moves on one pixel without dithering it: an error diffuser spreads nothing from it, and the
    // pixels after it keep the error cells of their own columns.
    void Skip() { column_ += direction_; }

    int Width() const { return width_; }
    int Direction() const { return direction_; }
    int Column() const { return column_; }

protected:
    TColorLookup* lookup_;
    int width_;
    int direction_ = 1;
    int column_ = 0;
};

// One share of a pixel's error: Weight parts (of the ditherer's divisor) go to the pixel Ahead
// columns further in the walk's direction (negative: behind) and Row rows further down (0: this row).
struct TErrorShare {
    int Row;
    int Ahead;
    int Weight;
};

// Error diffusion: every channel of a pixel is first corrected by the error collected in its cell,
// v = input + (error + divisor ÷ 2) ÷ divisor (the division truncating toward zero), clamped to
// 0..255; the corrected colour is looked up, and v minus the colour found is spread over the
// neighbours by the ditherer's shares. Each channel keeps one row of error cells for this row and
// for each row below that gets a share, with margins so that no share falls outside.
class TErrorDiffusionDitherer : public TDitherEngine {
public:
    uint8_t Dither(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) override;
    // Clears this row's cells, moves them to the bottom and the rows below up one, and turns round.
    void AdvanceRow() override;

protected:
    TErrorDiffusionDitherer(int AWidth, TColorLookup* ALookup, int ADivisor,
                            std::vector<TErrorShare> AShares);

private:
    int divisor_;
    int margin_ = 0;
    std::vector<TErrorShare> shares_;
    // rows_[0] is this row; the cells of a pixel hold red, green and blue side by side.
    std::vector<std::vector<int>> rows_;
};

// Floyd and Steinberg, divisor 16: ahead 7; next row behind 3, below 5, ahead 1.
class TFloydSteinbergDitherer final : public TErrorDiffusionDitherer {
public:
    TFloydSteinbergDitherer(int AWidth, TColorLookup* ALookup);
};

// The ditherers that spread over a 5 × 3 area: this row and the two below.
class T5by3Ditherer : public TErrorDiffusionDitherer {
protected:
    using TErrorDiffusionDitherer::TErrorDiffusionDitherer;
};

// Stucki, divisor 42: ahead 8, 4; next row 2 4 8 4 2; second row 1 2 4 2 1.
class TStuckiDitherer final : public T5by3Ditherer {
public:
    TStuckiDitherer(int AWidth, TColorLookup* ALookup);
};

// Sierra, divisor 32: ahead 5, 3; next row 2 4 5 4 2; second row 2 3 2.
class TSierraDitherer final : public T5by3Ditherer {
public:
    TSierraDitherer(int AWidth, TColorLookup* ALookup);
};

// Jarvis, Judice and Ninke, divisor 48: ahead 7, 5; next row 3 5 7 5 3; second row 1 3 5 3 1.
class TJaJuNiDitherer final : public T5by3Ditherer {
public:
    TJaJuNiDitherer(int AWidth, TColorLookup* ALookup);
};

// Stevenson and Arce, divisor 200: ahead 2: 32; next row at -3, -1, 1, 3: 12 26 30 16; second row
// at -2, 0, 2: 12 26 12; third row at -3, -1, 1, 3: 5 12 12 5.
class TSteveArcheDitherer final : public TErrorDiffusionDitherer {
public:
    TSteveArcheDitherer(int AWidth, TColorLookup* ALookup);
};

// Burkes, divisor 32: ahead 8, 4; next row 2 4 8 4 2.
class TBurkesDitherer final : public TErrorDiffusionDitherer {
public:
    TBurkesDitherer(int AWidth, TColorLookup* ALookup);
};
