// TSyntaxKeywords, the keyword store of a parser that can be written out and read back: it keeps
// every word it was given with its end group, states and token (TEndStyleObject).
#pragma once

#include "editor/language/keywords.h"

#include <memory>

struct TEndStyleObject {
    TSM_CharGroup Group;
    TSM_StateSet States;
    std::int32_t Token = 0;
};

class TSyntaxKeywords : public TKeywords {
public:
    struct TWord {
        QByteArray Word;
        std::unique_ptr<TEndStyleObject> Style;
    };

    // Stores the word as TKeywords does and, once stored, lists it in Words; an empty word adds
    // nothing, and a refused word is not listed.
    void AddKeyword(const QByteArray& Word, std::uint8_t CaseFlag, const TSM_CharGroup& EndGroup,
                    const TSM_StateSet& States, std::int32_t Value) override;
    void Clear() override;

    // Integer CaseFlag, Integer n, n times (ShortString word, end group, 32 bytes states, Integer
    // token), then a zero byte. Reading takes exactly n words and then the zero byte; a bad count
    // or a missing zero byte raises EReadError.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

    // In the order they were added.
    std::vector<TWord> Words;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;
};
