// The streamable keyword store.
#include "editor/language/syntax_keywords.h"

#include "editor/document/table_stream.h"

#include "platform/rtl/streams.h"

namespace {

// The bytes one stored word takes at least (an empty word, which reading skips).
constexpr int MinWordStreamSize = 1 + CharGroupStreamSize + 32 + 4;

} // namespace

std::unique_ptr<TSM_Base> TSyntaxKeywords::NewInstance() const
{
    return std::make_unique<TSyntaxKeywords>();
}

void TSyntaxKeywords::AddKeyword(const QByteArray& Word, std::uint8_t CaseFlag, const TSM_CharGroup& EndGroup,
                                 const TSM_StateSet& States, std::int32_t Value)
{
    TKeywords::AddKeyword(Word, CaseFlag, EndGroup, States, Value);
    // Listed only once stored: an empty word written out would end the list early, and a refused
    // one would be refused again when the stream is read back.
    if (Word.isEmpty())
        return;
    auto style = std::make_unique<TEndStyleObject>();
    style->Group.Assign(EndGroup);
    style->States = States;
    style->Token = Value;
    Words.push_back({Word, std::move(style)});
}

void TSyntaxKeywords::Clear()
{
    TKeywords::Clear();
    Words.clear();
}

void TSyntaxKeywords::SaveToStream(TStream& Stream) const
{
    WriteInteger(Stream, CaseFlag);
    WriteInteger(Stream, std::int32_t(Words.size()));
    for (const TWord& word : Words) {
        WriteShortString(Stream, word.Word);
        word.Style->Group.SaveToStream(Stream);
        WriteStateSet(Stream, word.Style->States);
        WriteInteger(Stream, word.Style->Token);
    }
    WriteShortString(Stream, QByteArray());
}

void TSyntaxKeywords::LoadFromStream(TStream& Stream)
{
    Clear();
    CaseFlag = std::uint8_t(ReadInteger(Stream));
    const std::int32_t count = ReadCount(Stream, INT32_MAX, MinWordStreamSize);
    TSM_CharGroup group;
    for (std::int32_t i = 0; i < count; ++i) {
        const QByteArray word = ReadShortString(Stream);
        group.LoadFromStream(Stream);
        const TSM_StateSet states = ReadStateSet(Stream);
        AddKeyword(word, CaseFlag, group, states, ReadInteger(Stream));
    }
    if (ReadByte(Stream) != 0)
        throw EReadError(QStringLiteral("Stream read error"));
}
