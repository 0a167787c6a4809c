// Small pictures for the imaging tests.
#include "test_pictures.h"

void FillBitmap(TBitmap& bitmap, const Colours& rows)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(rows.empty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < int(rows.size()); ++y) {
        uint8_t* pixel = bitmap.ScanLine(y);
        for (QRgb c : rows[size_t(y)]) {
            *pixel++ = uint8_t(qBlue(c));
            *pixel++ = uint8_t(qGreen(c));
            *pixel++ = uint8_t(qRed(c));
        }
    }
}

Colours ColoursOf(const TBitmap& bitmap)
{
    const QImage image = bitmap.ToImage();
    Colours rows(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            rows[size_t(y)].push_back(image.pixel(x, y));
    return rows;
}
