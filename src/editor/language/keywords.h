// TKeywords, the word store the highlighter and the code templates match text against: a trie of
// characters in which every word keeps, per set of parser states, the class of character that
// must follow it and a value (the token number).
#pragma once

#include "editor/language/char_group.h"
#include "editor/language/state_set.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TCustomEdStream;

// One stored word for one set of states.
struct TKeywordRecord {
    TSM_StateSet States;
    std::int32_t GroupID = 0; // the end group, an ID in the store's Groups
    std::int32_t Value = 0;
};

using TFreeKeywordEvent = std::function<void(TObject* Sender, std::int32_t Value)>;

// Invariants: sibling lists are in rising character order; a node's States is the union of the
// states of every word passing through it; Index[c] is the first-level node of character c; every
// end group ID is below MaxEndGroups.
class TKeywords : public TSM_Base {
public:
    // End groups beyond this many are refused rather than mixed up.
    static constexpr int MaxEndGroups = 256;
    static constexpr int MaxWordLength = 255;

    TKeywords();
    ~TKeywords() override;

    // Stores Word (lower-cased, A..Z only, when CaseFlag is 0) for States; an empty word adds
    // nothing. Raises EKeywords "Duplicate keyword - '<word>'" when the word already has a record
    // meeting States (its nodes stay, with the new states, but no record is added), and EKeywords
    // for a word longer than 255 characters or a 257th distinct end group.
    virtual void AddKeyword(const QByteArray& Word, std::uint8_t CaseFlag, const TSM_CharGroup& EndGroup,
                            const TSM_StateSet& States, std::int32_t Value);
    // Matches the longest word at the stream's position that is valid in CurrentStates and whose end
    // group takes the character after it (before it, going backward; character 0 past either end
    // of the text). Forward leaves the stream after the word, backward on its first character, and
    // Length is the word's length. Without a match: null, the stream one character after
    // StartPos, Length 1. Folds A..Z of the text unless CaseSensitive. Allocates nothing.
    virtual const TKeywordRecord* MatchKeyword(TCustomEdStream& Stream, bool CaseSensitive, bool Forward,
                                               int& StartPos, int& Length);
    // Frees every node and record (firing OnFreeKeyword with each record's value), clears Groups;
    // CaseFlag becomes 0, CurrentStates stays.
    virtual void Clear();

    const TSM_CharGroupManager& Groups() const { return groups_; }
    TSM_CharGroupManager& Groups() { return groups_; }

    std::uint8_t CaseFlag = 0;
    // The parser states in force; the tokenizer sets them before each match.
    TSM_StateSet CurrentStates;
    TFreeKeywordEvent OnFreeKeyword;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    struct TNode {
        std::uint8_t Char = 0;
        std::int32_t Sibling = -1;
        std::int32_t Child = -1;
        std::int32_t Record = -1; // first record
        TSM_StateSet States;
    };
    struct TRecordNode {
        TKeywordRecord Record;
        std::int32_t Next = -1;
    };
    // The node of Char among the children of Parent (-1: the first level), inserted in its place
    // when missing.
    std::int32_t FindOrInsert(std::int32_t Parent, std::uint8_t Char);
    bool EndGroupTakes(std::int32_t GroupID, std::uint8_t C) const;
    void FreeAll();

    std::vector<TNode> nodes_;
    std::vector<TRecordNode> records_;
    std::int32_t root_ = -1;
    std::array<std::int32_t, 256> index_;
    TSM_CharGroupManager groups_;
};

// A to Z lower-cased, other bytes kept.
QByteArray LowerAscii(const QByteArray& Text);
