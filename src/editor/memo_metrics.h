// TMemoMetrics: the measurements of the editor's font that layout and painting work with.
#pragma once

#include <QFont>
#include <array>

struct TMemoMetrics {
    static constexpr int WidthTableSize = 301;

    int CharWidth = 7;   // the average character width; 7 when the font reports none
    int LineHeight = 18; // font height + leading + 1 (a height of 0 counts as 17)
    bool FixedPitch = false; // "i" and "W" are equally wide
    // For a fixed-pitch font, the width of each character 0..300 (bytes through the code page).
    std::array<int, WidthTableSize> Widths{};
};

class QPaintDevice;

// Measures Font on Device (null: the screen).
TMemoMetrics MeasureFont(const QFont& Font, const QPaintDevice* Device = nullptr);
