// TSM_Settings, the settings of one language that every editor showing it shares: options, tabs,
// margins, colours, the look of 256 styles and the token-to-style map, the font and the style
// fonts, the keyword tables, the key map, the code templates and the auto-replace list; and the
// settings stream they travel in.
#pragma once

#include "editor/templates/auto_replace.h"
#include "editor/templates/code_templates.h"
#include "editor/document/display_columns.h"
#include "editor/language/key_controller.h"
#include "editor/language/sm_base.h"
#include "editor/language/sm_styles.h"
#include "editor/language/style_font.h"

#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPaintDevice;
class TMemoCore;

// The glyphs that show control characters: a pilcrow, a right arrow and a return arrow.
enum TControlGlyph { cgPilcrow, cgArrow, cgReturn };

// The vertical resolution of the default printer, for settings whose PrinterFonts is set. The
// printer classes are widgets: the editor's widgets install the real source at start-up; until then
// a printer is taken to have 600 dots per inch.
using TPrinterDpiSource = std::function<int()>;
// Installs Source (empty: 600) and returns the one installed before.
TPrinterDpiSource SetPrinterDpiSource(TPrinterDpiSource Source);

class TSM_Settings : public TSM_Base {
public:
    static constexpr int KeywordTableSlots = 21;
    static constexpr int EditableStyleCount = 50;
    // StreamVersion while nothing older is read or written.
    static constexpr std::int32_t CurrentStreamVersion = 0x7FFFFFFF;

    TSM_Settings();
    ~TSM_Settings() override;

    // Back to the built-in settings (the gutter font stays): every style plain black on white and
    // unused but style 0, all tokens on style 0, no keyword tables, the default options, margins,
    // font and tabs, the system's selection colours, the built-in key map, no templates and no
    // replacements.
    void SetDefaults();

    // --- editors ---
    // An editor that shows these settings; the first one makes the style fonts. An editor attached
    // twice counts twice and is listed once.
    void AttachEditor(TMemoCore* Editor);
    void DetachEditor(TMemoCore* Editor);
    int UserCount() const { return userCount_; }
    const std::vector<TMemoCore*>& Editors() const { return editors_; }
    // Repaints every attached editor.
    void InvalidateEditors();

    // --- styles (indexes are the caller's to keep in range) ---
    void SetStyleEffects(int Style, const TSM_StyleEffect& Effect);
    const TSM_StyleEffect& GetStyleEffects(int Style) const { return styleEffects_[std::size_t(Style)]; }
    void SetTokenStyle(int Token, int Style) { TokenStyles[std::size_t(Token)] = std::uint8_t(Style); }
    int GetTokenStyle(int Token) const { return TokenStyles[std::size_t(Token)]; }
    // Entries 1..50.
    void SetEditableStyle(int N, const TSM_EditableStyle& Entry)
    {
        editableStyles_[std::size_t(N - 1)] = Entry;
    }
    const TSM_EditableStyle& GetEditableStyle(int N) const { return editableStyles_[std::size_t(N - 1)]; }
    // Entries 0..31.
    void SetTabColumn(int I, std::int32_t Column) { TabColumns[std::size_t(I)] = Column; }
    std::int32_t GetTabColumn(int I) const { return TabColumns[std::size_t(I)]; }
    // The tab columns and default tab as the editor's tab stops.
    TTabStops TabStops() const;
    // Some style in use is a hotspot (recomputed while StylesChanged is set).
    bool HasHotspots();

    // --- fonts ---
    // With an editor attached: a font for every style in use, for the installed print canvas, else
    // the printer when PrinterFonts is set, else the screen; and, with OPT_SHOW_CONTROL_CHARS, the
    // control-character glyphs.
    void UpdateStyleFonts();
    void FreeStyleFonts();
    // The font of a style; null when it has none.
    const TStyleFont* StyleFont(int Style) const;
    // A control-character glyph; a null image while there is none.
    const QImage& ControlGlyph(TControlGlyph Glyph) const { return glyphs_[Glyph]; }
    const TGutterFont& GutterFont() const { return gutterFont_; }
    // Takes the font and repaints the editors.
    void SetGutterFont(const TGutterFont& Font);

    // --- keyword tables ---
    // Adds a table for States (empty: state 0): it replaces a table of exactly these states, and
    // otherwise takes the first free slot; then the combined keywords are rebuilt. A table sharing
    // only some states with another raises EKeywords "Ambigious key table state definition", a
    // 22nd raises EKeywords "Too many keyword tables declared"; a table whose words clash raises
    // the keyword store's error. On any error the tables and combined keywords stay as they were.
    void AddKeywordTable(const TSM_StateSet& States, const QByteArray& EndSpec, std::uint8_t CaseFlag,
                         const std::vector<TKeywordTableWord>& Words);
    // The slots; empty until the first table is added, else KeywordTableSlots entries.
    const std::vector<std::optional<TKeywordTable>>& KeywordTables() const { return keywordTables_; }
    // All words of all tables in one matcher; null while there are no tables.
    TKeywords* CombinedKeywords() const { return combinedKeywords_.get(); }

    // --- owned lists ---
    TAutoReplace& AutoReplace() { return *autoReplace_; }
    TCodeTemplates& CodeTemplates() { return *codeTemplates_; }
    TKeyboardActionContoller& KeyController() { return *keyController_; }

    // The settings stream. Reading starts from the defaults; counts and lengths that do not fit
    // the data raise EReadError (the caller then resets the settings). The gutter font is written
    // and read only while StreamVersion is above 50.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

    QString ExampleText;
    QString Name;
    QString WrapOverride;
    std::uint8_t FontCharSet = 1;
    std::uint32_t Options = DefaultOptions;
    std::int32_t TabDefault = 4;
    std::int32_t Margin = 2;
    std::int32_t RightMargin = 80;
    std::int32_t WrapAtColumn = 0;
    std::int32_t Gutter = 34;
    std::int32_t IndentStep = 1;
    TColor MarginColor = clWhite;
    TColor GutterColor = clBtnFace;
    TColor SelTextColor = clWhite;
    TColor SelTextBack = clBlack;
    std::array<std::int32_t, 32> TabColumns;
    std::array<std::uint8_t, 256> TokenStyles{};
    QString FontName;
    std::int32_t FontSize = 10;
    // The renderer uses its own colour instead of these when set.
    std::uint8_t DefaultMarginColor = 0;
    std::uint8_t DefaultSelTextColor = 0;
    std::uint8_t DefaultSelTextBack = 0;
    std::uint8_t DefaultGutterColor = 0;
    std::uint8_t StylesChanged = 1;
    std::uint8_t PrinterFonts = 0;
    // Set by printing while it draws: the style fonts are made for it.
    QPaintDevice* PrintCanvas = nullptr;
    std::int32_t StreamVersion = CurrentStreamVersion;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    int DeviceDpiY() const;
    void DrawControlGlyphs(int DpiY);
    void ReadStyles(TStream& Stream);
    void ReadKeywordTables(TStream& Stream);

    std::array<TSM_EditableStyle, EditableStyleCount> editableStyles_;
    std::array<TSM_StyleEffect, 256> styleEffects_;
    std::array<std::optional<TStyleFont>, 256> styleFonts_;
    std::array<QImage, 3> glyphs_;
    std::vector<std::optional<TKeywordTable>> keywordTables_;
    std::unique_ptr<TKeywords> combinedKeywords_;
    std::unique_ptr<TAutoReplace> autoReplace_;
    std::unique_ptr<TCodeTemplates> codeTemplates_;
    std::unique_ptr<TKeyboardActionContoller> keyController_;
    TGutterFont gutterFont_;
    std::vector<TMemoCore*> editors_;
    int userCount_ = 0;
    bool hasHotspots_ = false;
};
