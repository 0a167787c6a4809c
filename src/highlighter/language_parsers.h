// The seven language parsers of the main window, made from the parser images the build compiles
// from the scripts in parsers/ and embeds.
#pragma once

#include <QString>
#include <array>
#include <vector>

class TComponent;
class TSyntaxMemoParser;

// One parser of the main window: its component name and its embedded image.
struct TLanguageParserImage {
    const char* ComponentName;
    const char* Resource;
};

// In the main window's order.
extern const std::array<TLanguageParserImage, 7> LanguageParserImages;

// Creates the seven parsers, owned by Owner, in the main window's order, each named as its
// component and read from its embedded image as the form reads it, then Loaded. A missing image
// raises EFOpenError with the resource's name.
std::vector<TSyntaxMemoParser*> CreateLanguageParsers(TComponent* Owner);
