// The auto-replace list and its activation keys.
#include "editor/templates/auto_replace.h"

#include "editor/language/default_key_map.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"

#include "platform/rtl/resource_strings.h"

#include <algorithm>

int ActivationKeyCode(int Key, TShiftState Shift)
{
    if (Key < 0 || Key > 0xFF)
        return 0;
    int code = Key;
    if (Shift & ssShift)
        code += 0x100;
    if (Shift & ssCtrl)
        code += 0x200;
    if (Shift & ssAlt)
        code += 0x400;
    return code;
}

TAutoReplace::TAutoReplace()
{
    ConsumeKey = false;
    IndentBody = false;
    CaretMarker = false;
    ShowPickList = false;
    SetActivationKeys(DefaultActivationKeys);
}

std::unique_ptr<TSM_Base> TAutoReplace::NewInstance() const
{
    return std::make_unique<TAutoReplace>();
}

bool TAutoReplace::IsTriggerKey(int Key, TShiftState Shift) const
{
    if (!Enabled || activationKeys_.isEmpty())
        return false;
    const int code = ActivationKeyCode(Key, Shift);
    return std::find(activationKeyCodes_.begin(), activationKeyCodes_.end(), code) !=
           activationKeyCodes_.end();
}

void TAutoReplace::SetActivationKeys(const QByteArray& Specification)
{
    std::vector<int> codes;
    const auto add = [&codes](int code) {
        if (std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    };
    for (qsizetype i = 0; i < Specification.size(); ++i) {
        const char c = Specification[i];
        if (c != '\\') {
            if (const std::int16_t key = win::VkKeyScan(c); key >= 0)
                add(key);
            continue;
        }
        if (++i >= Specification.size())
            break;
        const char escaped = Specification[i];
        switch (escaped) {
        case 'n':
        case 'N':
        case 'r':
        case 'R': add(win::VK_RETURN); break;
        case 's':
        case 'S': add(win::VK_SPACE); break;
        case 't':
        case 'T': add(win::VK_TAB); break;
        case '{': {
            const qsizetype close = Specification.indexOf('}', i + 1);
            if (close < 0)
                throw ESyntaxMemo(LoadStr(4257));
            QString name;
            for (const char n : Specification.mid(i + 1, close - i - 1)) {
                if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z') || (n >= '0' && n <= '9'))
                    name += QChar(n);
            }
            add(KeyNameToKey(name));
            i = close;
            break;
        }
        default:
            if (const std::int16_t key = win::VkKeyScan(escaped); key >= 0 && key <= 0xFF)
                add(key);
            break;
        }
    }
    activationKeys_ = Specification;
    activationKeyCodes_ = std::move(codes);
}

void TAutoReplace::AddReplacement(const QByteArray& Word, const QByteArray& Replacement)
{
    AddMacro(Word, QByteArray(), 0, Replacement);
}

void TAutoReplace::Clear()
{
    TCodeTemplates::Clear();
    SetActivationKeys(DefaultActivationKeys);
}

void TAutoReplace::SaveToStream(TStream& Stream) const
{
    TCodeTemplates::SaveToStream(Stream);
    WriteShortString(Stream, activationKeys_);
}

void TAutoReplace::LoadFromStream(TStream& Stream)
{
    TCodeTemplates::LoadFromStream(Stream);
    SetActivationKeys(ReadShortString(Stream));
}
