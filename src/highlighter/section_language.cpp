// The %%language section: the language's settings and the parser's case rule and state sets.
#include "highlighter/section_compiler.h"
#include "highlighter/script_symbols.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "editor/language/tab_columns.h"

#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"

#include <limits>

namespace {

// Names and the wrap-override text keep this many characters.
constexpr int MaxSettingText = 35;

} // namespace

void TSectionCompiler::Language()
{
    TSM_Settings& settings = Settings();
    for (;;) {
        const int key = Token();
        if (key == tkLanguageSection) {
            Advance();
            continue;
        }
        if (key == tkEditableStyles) {
            Advance();
            EditableStyles();
            continue;
        }
        if (key == tkGutterFontStyle) {
            Advance();
            TGutterFont font = settings.GutterFont();
            font.Style = std::uint8_t(FontStyles());
            settings.SetGutterFont(font);
            continue;
        }
        switch (key) {
        case tkName: case tkCase: case tkOptions: case tkExampleText: case tkWordWrapColumn: case tkGutter:
        case tkAnchor: case tkIndentStep: case tkWrapOverride: case tkStartState: case tkSelTextColor:
        case tkSelTextBack: case tkRightMargin: case tkFontName: case tkFontSize: case tkFontCharSet:
        case tkTabColumns: case tkTabDefault: case tkContextStates: case tkBoundStates: case tkGutterColor:
        case tkMarginColor: case tkMarginWidth: case tkGutterFontName: case tkGutterFontSize:
        case tkGutterFontColor:
            break;
        default:
            return;
        }
        Advance();
        Expect(tkEquals, 4096);
        switch (key) {
        case tkName: settings.Name = QString::fromLatin1(StringValue().left(MaxSettingText)); break;
        case tkCase: {
            const bool sensitive = Expression() != 0;
            parser_.CaseSensitive = sensitive;
            parser_.Keywords->CaseFlag = sensitive;
            break;
        }
        case tkOptions: settings.Options = std::uint32_t(Expression()); break;
        case tkExampleText: settings.ExampleText = QString::fromLatin1(StringValue()); break;
        case tkWordWrapColumn: settings.WrapAtColumn = Expression(); break;
        case tkGutter: settings.Gutter = Expression(); break;
        case tkAnchor:
            parser_.AnchorStates = StatesOrSet(false);
            if (parser_.AnchorStates.IsEmpty())
                parser_.AnchorStates = TSM_StateSet::Of({0});
            break;
        case tkIndentStep:
            settings.IndentStep = Expression();
            RangeCheck(settings.IndentStep, 0, 20);
            break;
        case tkWrapOverride: settings.WrapOverride = QString::fromLatin1(StringValue().left(MaxSettingText)); break;
        case tkStartState: parser_.DefaultStates = StatesOrSet(true); break;
        case tkSelTextColor: ColorValue(settings.SelTextColor, settings.DefaultSelTextColor); break;
        case tkSelTextBack: ColorValue(settings.SelTextBack, settings.DefaultSelTextBack); break;
        case tkRightMargin: settings.RightMargin = Expression(); break;
        case tkFontName: settings.FontName = QString::fromLatin1(StringValue()); break;
        case tkFontSize: settings.FontSize = Expression(); break;
        case tkFontCharSet: {
            const std::int32_t charSet = Expression();
            RangeCheck(charSet, 0, 255);
            settings.FontCharSet = std::uint8_t(charSet);
            break;
        }
        case tkTabColumns: settings.TabColumns = StrToTabColumns(QString::fromLatin1(StringAsWritten())); break;
        case tkTabDefault: {
            const std::int32_t tab = Expression();
            RangeCheck(tab, 1, std::numeric_limits<std::int32_t>::max());
            settings.TabDefault = tab;
            break;
        }
        case tkContextStates: ContextStates(); break;
        case tkBoundStates: parser_.BoundStates = StatesOrSet(false); break;
        case tkGutterColor: ColorValue(settings.GutterColor, settings.DefaultGutterColor); break;
        case tkMarginColor: ColorValue(settings.MarginColor, settings.DefaultMarginColor); break;
        case tkMarginWidth: settings.Margin = Expression(); break;
        default: {
            TGutterFont font = settings.GutterFont();
            if (key == tkGutterFontName)
                font.Name = QString::fromLatin1(StringValue());
            else if (key == tkGutterFontSize)
                font.Size = Expression();
            else
                font.Color = Expression();
            settings.SetGutterFont(font);
        }
        }
    }
}

void TSectionCompiler::ColorValue(std::int32_t& Color, std::uint8_t& UseDefault)
{
    UseDefault = StarFlag();
    Color = Expression();
}

void TSectionCompiler::EditableStyles()
{
    int entry = 1;
    while (entry <= TSM_Settings::EditableStyleCount && !Settings().GetEditableStyle(entry).Name.isEmpty())
        ++entry;
    for (;;) {
        if (entry > TSM_Settings::EditableStyleCount)
            Fail(4105);
        Expect(tkOpenParen, 4097);
        const QByteArray name = StringValue();
        Expect(tkComma, 4099);
        const std::int32_t style = Expression();
        if (style < 0 || style > 255)
            Fail(4106);
        Expect(tkCloseParen, 4098);
        Settings().SetEditableStyle(entry++,
                                    TSM_EditableStyle{QString::fromLatin1(name.left(TSM_EditableStyle::MaxNameLength)),
                                                      std::uint8_t(style)});
        if (Token() != tkComma)
            return;
        Advance();
    }
}

void TSectionCompiler::ContextStates()
{
    for (;;) {
        Expect(tkOpenParen, 4097);
        std::vector<int> tokens;
        while (Token() != tkOpenBracket && Token() != tkCloseParen) {
            const std::int32_t token = Expression();
            RangeCheck(token, 0, 255);
            tokens.push_back(token);
            SkipComma();
        }
        const TSM_StateSet states = Token() == tkOpenBracket ? StateList() : TSM_StateSet();
        Expect(tkCloseParen, 4098);
        for (const int token : tokens) {
            TSM_StateSet& context = parser_.ContextStates[std::size_t(token)];
            if (!context.IsEmpty())
                throw ESyntaxMemo(Format(LoadStr(4131), {token}));
            context = states;
        }
        if (Token() != tkComma)
            break;
        Advance();
    }
    for (TSM_StateSet& context : parser_.ContextStates) {
        if (context.IsEmpty())
            context = parser_.DefaultStates;
    }
}
