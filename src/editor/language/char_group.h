// TSM_CharGroup, a class of characters written as a specification ("[^a-z0-9_]", "\t", "a-c"),
// and TSM_CharGroupManager, the numbered list in which a keyword store keeps each distinct group
// once.
#pragma once

#include "editor/language/sm_base.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TSM_CharGroup : public TSM_Base {
public:
    TSM_CharGroup() { Clear(); }

    // Bit c of byte c div 8 is set when character c is in the group (before Negate).
    std::array<std::uint8_t, 32> Chars{};
    // Inverts membership.
    std::uint8_t Negate = 0;
    // The lowest and highest character ever added: 0xFFFF and 0 while nothing was.
    std::uint16_t LowChar = 0xFFFF;
    std::uint16_t HighChar = 0;

    void Clear();
    void AddChar(std::uint8_t C) { AddRange(C, C); }
    void AddRange(std::uint8_t Low, std::uint8_t High);
    // Adds every character of Set; LowChar becomes 0 and HighChar at least 255.
    void AddSet(const std::array<std::uint8_t, 32>& Set);

    // Clears the group and reads one specification from Spec at the 1-based Position, which ends
    // just after what was read. A single character or a range ("a-c") is a whole group; "[" starts
    // a bracket expression ("^" first negates) that runs to an unescaped "]" or the end of the text.
    // Escapes: \t 9, \b 8, \r 10, \n 13, \s blank, \e 27, \x or \u with hexadecimal digits, \0..\7
    // with octal digits (values modulo 256), and any other character for itself. A range written
    // high to low raises Exception "Characters not in correct order for range specifier".
    void Parse(const QByteArray& Spec, int& Position);

    bool Contains(std::uint8_t C) const { return bool((Chars[C >> 3] >> (C & 7)) & 1) != bool(Negate); }
    // No character added, whatever Negate says.
    bool IsEmpty() const;
    // Same characters and same Negate.
    bool Equals(const TSM_CharGroup& Other) const { return Chars == Other.Chars && Negate == Other.Negate; }

    // 32 bytes of Chars, Integer 0, Byte Negate. Reading a count other than 0 raises EReadError.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;
};

// The bytes a character group takes in a stream.
constexpr int CharGroupStreamSize = 32 + 4 + 1;

class TSM_CharGroupManager : public TSM_Base {
public:
    int Count() const { return int(groups_.size()); }
    // The set ID (index) of the first group equal to Group; a copy is appended when there is none.
    int AddGroup(const TSM_CharGroup& Group);
    // Raises ESyntaxMemo "Invalid Set ID (<id>)" for an ID outside 0..Count - 1.
    // Inline: the tokenizer asks for every character it reads.
    const TSM_CharGroup& GetGroup(int ID) const
    {
        if (ID < 0 || ID >= Count())
            ThrowInvalidID(ID);
        return *groups_[std::size_t(ID)];
    }
    // The ID Group would get, without adding it: -1 when it is not there.
    int IndexOf(const TSM_CharGroup& Group) const;
    void Clear() { groups_.clear(); }

    // Integer Count, then every group in ID order. Reading adds the groups again, so equal ones
    // merge.
    void SaveToStream(TStream& Stream) const override;
    void LoadFromStream(TStream& Stream) override;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;

private:
    [[noreturn]] static void ThrowInvalidID(int ID);

    std::vector<std::unique_ptr<TSM_CharGroup>> groups_;
};
