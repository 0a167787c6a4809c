// The parts of a language's settings: the option word's bits, the look of one style, the styles
// the options dialog lets the user recolour, a keyword table, and the gutter's font.
#pragma once

#include "editor/language/state_set.h"

#include "platform/graphics/colors.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// Option word bits, named as the scheme language names them (without its leading "__").
constexpr std::uint32_t OPT_LINE_NUMBERS = 0x00000001;
constexpr std::uint32_t OPT_SYNTAX_HIGHLIGHT = 0x00000010;
constexpr std::uint32_t OPT_PRINT_WRAP = 0x00000020;
constexpr std::uint32_t OPT_PRINT_LINENOS = 0x00000040;
constexpr std::uint32_t OPT_PRINT_FILENAME = 0x00000080;
constexpr std::uint32_t OPT_PRINT_DATE = 0x00000100;
constexpr std::uint32_t OPT_PRINT_PAGENOS = 0x00000200;
constexpr std::uint32_t OPT_WORDWRAP = 0x00000400;
constexpr std::uint32_t OPT_AUTOINDENT = 0x00000800;
constexpr std::uint32_t OPT_TABCOLUMN = 0x00001000;
constexpr std::uint32_t OPT_WRAP_OVERRIDE = 0x00002000;
constexpr std::uint32_t OPT_WORD_SELECT = 0x00004000;
constexpr std::uint32_t OPT_SHOW_RIGHT_MARGIN = 0x00008000;
constexpr std::uint32_t OPT_SHOW_GUTTER = 0x00010000;
constexpr std::uint32_t OPT_SHOW_WRAPCOLUMN = 0x00020000;
constexpr std::uint32_t OPT_TITLE_AS_FILENAME = 0x00040000;
constexpr std::uint32_t OPT_PROCESS_DROP_FILES = 0x00080000;
constexpr std::uint32_t OPT_BLOCK_CURSOR = 0x00100000;
constexpr std::uint32_t OPT_WRAP_GLYPH = 0x00200000;
constexpr std::uint32_t OPT_COLUMN_TRACK = 0x00400000;
constexpr std::uint32_t OPT_USE_TAB = 0x00800000;
constexpr std::uint32_t OPT_SMART_FILL = 0x01000000;
constexpr std::uint32_t OPT_OLE_DRAG_SOURCE = 0x02000000;
constexpr std::uint32_t OPT_SHOW_CONTROL_CHARS = 0x04000000;
constexpr std::uint32_t OPT_CARET_AFTER_EOL = 0x08000000;
constexpr std::uint32_t DefaultOptions = 0x03FFDBF0;

// The look of one style. FontStyles holds fsBold, fsItalic, fsUnderline, fsStrikeOut.
struct TSM_StyleEffect {
    std::uint32_t FontStyles = 0;
    TColor Foreground = clBlack;
    TColor Background = clWhite;
    std::uint8_t UseDefaultForeground = 0;
    std::uint8_t UseDefaultBackground = 0;
    std::uint8_t Hotspot = 0;
    std::uint8_t Spare = 0;
    std::int32_t InUse = 0; // non-zero when the scheme defined the style

    friend bool operator==(const TSM_StyleEffect&, const TSM_StyleEffect&) = default;
};

// A style the user may recolour; empty while Name is.
struct TSM_EditableStyle {
    static constexpr int MaxNameLength = 25;
    QString Name;
    std::uint8_t Style = 0;

    friend bool operator==(const TSM_EditableStyle&, const TSM_EditableStyle&) = default;
};

// One word of a keyword table and its token.
struct TKeywordTableWord {
    QByteArray Word;
    std::int32_t Token = 0;

    friend bool operator==(const TKeywordTableWord&, const TKeywordTableWord&) = default;
};

// The words that count as keywords in some parser states, and the character that must follow them.
struct TKeywordTable {
    TSM_StateSet States;
    QByteArray EndSpec;        // a character-group specification; empty: any character
    std::uint8_t CaseFlag = 0; // 0: the words match ignoring case
    std::vector<TKeywordTableWord> Words;
};

// The font of the gutter's line numbers.
struct TGutterFont {
    QString Name = QStringLiteral("MS Sans Serif");
    std::int32_t Size = 8;
    std::uint8_t CharSet = 1; // the default character set
    TColor Color = clWindowText;
    std::uint8_t Style = 0; // fsBold, fsItalic, fsUnderline, fsStrikeOut

    friend bool operator==(const TGutterFont&, const TGutterFont&) = default;
};
