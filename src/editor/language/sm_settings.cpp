// The settings of a language: defaults, attached editors and styles.
#include "editor/language/sm_settings.h"

#include "editor/language/default_key_map.h"
#include "editor/document/memo_core.h"

#include "platform/rtl/resource_strings.h"

#include <algorithm>

TSM_Settings::TSM_Settings()
    : autoReplace_(std::make_unique<TAutoReplace>()), codeTemplates_(std::make_unique<TCodeTemplates>()),
      keyController_(std::make_unique<TKeyboardActionContoller>())
{
    SetDefaults();
}

TSM_Settings::~TSM_Settings() = default;

std::unique_ptr<TSM_Base> TSM_Settings::NewInstance() const
{
    return std::make_unique<TSM_Settings>();
}

void TSM_Settings::SetDefaults()
{
    if (userCount_ > 0)
        FreeStyleFonts();
    Name = LoadStr(4128);
    ExampleText.clear();
    for (TSM_EditableStyle& entry : editableStyles_)
        entry.Name.clear();
    styleEffects_.fill(TSM_StyleEffect());
    styleFonts_.fill(std::nullopt);
    TokenStyles.fill(0);
    keywordTables_.clear();
    combinedKeywords_.reset();
    styleEffects_[0].InUse = 1;

    Options = DefaultOptions;
    WrapAtColumn = 0;
    IndentStep = 1;
    WrapOverride = QStringLiteral(">|:");
    Gutter = 34;
    SelTextColor = TColor(ColorToRGB(clHighlightText));
    SelTextBack = TColor(ColorToRGB(clHighlight));
    MarginColor = clWhite;
    Margin = 2;
    GutterColor = clBtnFace;
    RightMargin = 80;
    DefaultMarginColor = DefaultSelTextColor = DefaultSelTextBack = DefaultGutterColor = 0;
    FontName = QStringLiteral("Courier New");
    FontSize = 10;
    FontCharSet = 1;
    TabColumns.fill(-1);
    TabDefault = 4;
    StylesChanged = 1;
    hasHotspots_ = false;

    keyController_->Assign(DefaultKeyController());
    autoReplace_->Clear();
    codeTemplates_->Clear();
}

void TSM_Settings::AttachEditor(TMemoCore* Editor)
{
    if (++userCount_ == 1)
        UpdateStyleFonts();
    if (std::find(editors_.begin(), editors_.end(), Editor) == editors_.end())
        editors_.push_back(Editor);
}

void TSM_Settings::DetachEditor(TMemoCore* Editor)
{
    if (userCount_ > 0 && --userCount_ == 0)
        FreeStyleFonts();
    editors_.erase(std::remove(editors_.begin(), editors_.end(), Editor), editors_.end());
}

void TSM_Settings::InvalidateEditors()
{
    for (TMemoCore* editor : editors_)
        editor->Invalidate();
}

void TSM_Settings::SetStyleEffects(int Style, const TSM_StyleEffect& Effect)
{
    styleEffects_[std::size_t(Style)] = Effect;
    StylesChanged = 1;
}

TTabStops TSM_Settings::TabStops() const
{
    TTabStops stops;
    std::copy(TabColumns.begin(), TabColumns.end(), stops.Columns.begin());
    stops.TabDefault = TabDefault;
    return stops;
}

bool TSM_Settings::HasHotspots()
{
    if (StylesChanged) {
        hasHotspots_ = std::any_of(styleEffects_.begin(), styleEffects_.end(),
                                   [](const TSM_StyleEffect& e) { return e.InUse != 0 && e.Hotspot != 0; });
    }
    return hasHotspots_;
}

void TSM_Settings::SetGutterFont(const TGutterFont& Font)
{
    gutterFont_ = Font;
    InvalidateEditors();
}
