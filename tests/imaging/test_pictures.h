// Small pictures for the imaging tests: filling a 24-bit bitmap and reading colours back.
#pragma once

#include "platform/graphics/bitmap.h"

#include <QRgb>
#include <vector>

using Colours = std::vector<std::vector<QRgb>>;

// Makes the bitmap 24 bits per pixel with the given rows of colours.
void FillBitmap(TBitmap& bitmap, const Colours& rows);

// The colour of every pixel, row by row.
Colours ColoursOf(const TBitmap& bitmap);
