// Fuzz target: any text parses into character groups one specification after another (or raises
// the range-order error), always moving on; and any bytes read as a keyword store either raise the
// stream's read error or the store's own error, or give a store whose stream reads back to itself.
#include "editor/language/char_group.h"
#include "editor/language/syntax_keywords.h"
#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/streams.h"

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Bytes(const TSM_Base& Object)
{
    TMemoryStream stream;
    Object.SaveToStream(stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

void ParseAll(const QByteArray& Spec)
{
    int position = 1;
    while (position <= Spec.size()) {
        const int before = position;
        TSM_CharGroup group;
        try {
            group.Parse(Spec, position);
        } catch (const Exception&) {
            return;
        }
        if (position <= before)
            std::abort();
        for (int c = 0; c < 256; ++c) {
            const bool added = (group.Chars[std::size_t(c >> 3)] >> (c & 7)) & 1;
            if (group.Contains(std::uint8_t(c)) != (added != (group.Negate != 0)))
                std::abort();
        }
    }
}

void ReadKeywords(const QByteArray& Data)
{
    TMemoryStream input;
    input.WriteBuffer(Data.constData(), Data.size());
    input.SetPosition(0);
    TSyntaxKeywords words;
    try {
        words.LoadFromStream(input);
    } catch (const EReadError&) {
        return;
    } catch (const EKeywords&) {
        return;
    }
    const QByteArray written = Bytes(words);
    TMemoryStream again;
    again.WriteBuffer(written.constData(), written.size());
    again.SetPosition(0);
    TSyntaxKeywords copy;
    copy.LoadFromStream(again);
    if (Bytes(copy) != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ParseAll(bytes);
    ReadKeywords(bytes);
    return 0;
}
