// The program's bitmap resources by name, those of resource libraries, and the eleven glyphs.
#pragma once

#include <QImage>
#include <QString>
#include <array>

// The glyphs by index.
inline constexpr std::array<const char*, 11> GlyphNames = {
    "FOLDER_CLOSE", "FOLDER_OPEN", "SEARCH",   "UNK_FILE",   "SCRIPT", "PASSWORD",
    "USERNAME",     "SERVER",      "FIREWALL", "MYCOMPUTER", "INFO",
};

// Loads the program's bitmap Name into Bitmap; false (Bitmap unchanged) when there is none.
bool LoadBitmapResource(QImage& Bitmap, const QString& Name);
// Loads the bitmap Name of the resource library Library (a file name, of which only the name
// counts: the libraries are compiled into the program); false when there is no such library or
// no such bitmap in it.
bool LoadBitmapFromLibrary(QImage& Bitmap, const QString& Library, const QString& Name);
// Loads glyph Index (0 to 10, GlyphNames); false for other indexes.
bool LoadGlyph(QImage& Target, int Index);
