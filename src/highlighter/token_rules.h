// The records of a parser's compiled tables: token rules, handler and token definitions, start
// ranges, state transitions, and the start table of a state.
#pragma once

#include "editor/language/state_set.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// One rule of a definition: a character group to test, a scanner to call, or a call of the
// custom-parse event.
struct TTokenRule {
    // Body rules: test the end rule before the first character too ("end-first"). End rules: the
    // end characters belong to the token ("consume-end").
    std::uint8_t Flag = 0;
    // A set rule's character group: an ID in the keyword store's group manager.
    std::uint16_t SetID = 0;
    std::uint8_t IsScanner = 0;
    // An end rule that is not a scanner: how many groups of Sets must follow one another (0..4).
    std::uint8_t SetCount = 0;
    // A scanner rule: ScannerNo names a scanner (see standard_scanners.h for how), or with IsEvent
    // it is the ParseID handed to the custom-parse event.
    std::uint8_t IsEvent = 0;
    std::int32_t ScannerNo = 0;
    std::array<std::uint16_t, 4> Sets{};

    friend bool operator==(const TTokenRule&, const TTokenRule&) = default;
};

// What follows a word whose token has a handler (one per token value).
struct THandlerDefinition {
    TTokenRule Body;
    TTokenRule End;

    bool HasEnd() const { return End.SetCount > 0 || End.IsScanner; }
    friend bool operator==(const THandlerDefinition&, const THandlerDefinition&) = default;
};

// A token that starts with a given character (one per first character and start table).
struct TTokenDefinition {
    // A standard scanner that reads the whole token, or the group of the first character (which
    // only says what the start table entry was made for).
    TTokenRule Start;
    // The states in which the definition applies.
    TSM_StateSet States;
    TTokenRule Body;
    TTokenRule End;
    std::uint8_t Token = 0;

    friend bool operator==(const TTokenDefinition&, const TTokenDefinition&) = default;
};

// A range of first characters with its definition. Range lists are kept and stored with the
// tables; the tokenizer does not consult them.
struct TStartRange {
    std::uint16_t Low = 0;
    std::uint16_t High = 0;
    std::unique_ptr<TTokenDefinition> Definition;
};

// How a token value changes the states (one per token value).
struct TStateTransition {
    // StackOps bits: one "before" and one "after" operation at most.
    static constexpr std::uint8_t PushBefore = 1;
    static constexpr std::uint8_t PopBefore = 2;
    static constexpr std::uint8_t PushAfter = 4;
    static constexpr std::uint8_t PopAfter = 8;

    // The states in which the token is accepted.
    TSM_StateSet ValidIn = TSM_StateSet::Of({0});
    TSM_StateSet AddStates;
    TSM_StateSet RemoveStates;
    // The changes hold for the one following token only.
    std::uint8_t IsContainer = 0;
    // Both sets are empty: nothing to compute.
    std::uint8_t NoChange = 1;
    std::uint8_t StackOps = 0;

    friend bool operator==(const TStateTransition&, const TStateTransition&) = default;
};

// Definitions indexed by the first character of a token.
using TStartTable = std::array<std::unique_ptr<TTokenDefinition>, 256>;

// The start table of one state, with its range list.
struct TStateStartBlock {
    TStartTable Entries;
    std::vector<TStartRange> Ranges;
};
