// The sections that fill the language's lists: %%keys, %%autoreplace and %%templates, with the
// keys and modifiers they are written with.
#include "highlighter/section_compiler.h"
#include "highlighter/script_symbols.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"

#include "platform/ui/vkeys.h"

namespace {

// Command names and activation keys are kept in short strings: like them, they keep their first
// 255 characters.
constexpr int MaxShortString = 255;

} // namespace

std::uint16_t TSectionCompiler::Modifiers()
{
    if (Token() != tkOpenBracket)
        return 0;
    Advance();
    std::uint16_t modifiers = 0;
    for (;;) {
        if (Token() == tkShift)
            modifiers |= scShift;
        else if (Token() == tkCtrl)
            modifiers |= scCtrl;
        else if (Token() == tkAlt)
            modifiers |= scAlt;
        else
            break;
        Advance();
        SkipComma();
    }
    Expect(tkCloseBracket, 4101);
    return modifiers;
}

std::uint16_t TSectionCompiler::Key()
{
    if (Token() == tkString) {
        const QByteArray key = StringValue();
        if (key.size() != 1)
            Fail(4109);
        return TSyntaxMemoParser::UpCase(std::uint8_t(key[0]));
    }
    if (!StartsNumber(Token()))
        Fail(4119);
    const std::int32_t key = Expression();
    RangeCheck(key, 0, 255);
    return std::uint16_t(key);
}

void TSectionCompiler::Keys()
{
    Advance();
    TKeyboardActionContoller& keys = Settings().KeyController();
    keys.Clear();
    while (StartsNumber(Token())) {
        const std::int32_t command = Expression();
        if (Token() == tkOpenParen) {
            do {
                Advance();
                const TShortCut modifiers = Modifiers();
                const TShortCut first = modifiers | Key();
                TShortCut second = 0;
                if (Token() == tkComma) {
                    Advance();
                    second = Key();
                }
                keys.AddKeyPair(first, second, command);
            } while (Token() == tkBar);
            Expect(tkCloseParen, 4098);
        }
        if (Token() == tkString) {
            const QByteArray name = StringValue();
            if (name.isEmpty())
                Fail(4118);
            keys.SetCommandName(command, QString::fromLatin1(name.left(MaxShortString)));
        }
    }
}

void TSectionCompiler::AutoReplace()
{
    Advance();
    TAutoReplace& replacements = Settings().AutoReplace();
    replacements.Clear();
    for (;;) {
        if (Token() == tkActionKeys) {
            Advance();
            Expect(tkEquals, 4096);
            replacements.SetActivationKeys(StringAsWritten().left(MaxShortString));
        } else if (Token() == tkString) {
            const QByteArray word = StringValue();
            Expect(tkEquals, 4096);
            replacements.AddReplacement(word, StringValue());
        } else {
            return;
        }
    }
}

void TSectionCompiler::Templates()
{
    Advance();
    TCodeTemplates& templates = Settings().CodeTemplates();
    templates.Clear();
    for (;;) {
        if (Token() == tkHotKey) {
            Advance();
            Expect(tkEquals, 4096);
            Expect(tkOpenParen, 4097);
            const TShortCut modifiers = Modifiers();
            templates.TriggerKey = modifiers | Key();
            Expect(tkCloseParen, 4098);
        } else if (Token() == tkString) {
            const QByteArray name = StringValue();
            QByteArray description;
            if (Token() == tkOpenParen) {
                Advance();
                description = StringValue();
                Expect(tkCloseParen, 4098);
            }
            Expect(tkEquals, 4096);
            templates.AddMacro(name, description, 0, StringValue());
        } else {
            return;
        }
    }
}
