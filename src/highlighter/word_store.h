// TWordStore, the script compiler's symbol table: a trie of words compared without case, each word
// carrying a number or a text.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Words are lower-cased (ASCII letters) before they are stored or looked up. The first characters
// of all words form the top level's sibling chain; Roots gives the top-level node of each first
// character directly.
class TWordStore {
public:
    TWordStore();

    // Stores Name with a copy of Text, replacing an earlier text of the same name.
    void AddString(const QByteArray& Name, const QByteArray& Text);
    // Stores Name with the number Value.
    void AddToken(const QByteArray& Name, std::int32_t Value);
    // The text stored with Name; none when Name is not stored or carries no text.
    std::optional<QByteArray> GetString(const QByteArray& Name) const;
    bool Contains(const QByteArray& Name) const;
    // The number of the longest stored word at Position (a NUL-terminated text), which moves just
    // after it; -1 with Position unchanged when none fits. A word that ends in a letter, digit or
    // "_" fits only when the character after it is none of these.
    std::int32_t MatchToken(const char*& Position) const;
    // Forgets every word.
    void Clear();

private:
    struct TNode {
        std::uint8_t Char = ' ';
        std::int32_t Sibling = -1;
        std::int32_t Child = -1;
        bool End = false;
        std::int32_t Value = -1;
        std::optional<QByteArray> Text;
    };

    // The last node of Name, added when missing; -1 for an empty name.
    std::int32_t Store(const QByteArray& Name);
    // The last node of Name with its end flag set; -1 when Name is not stored.
    std::int32_t Find(const QByteArray& Name) const;
    // Among the chain starting at First, the node of character C; -1 when there is none.
    std::int32_t InChain(std::int32_t First, std::uint8_t C) const;

    std::vector<TNode> nodes_;
    std::int32_t head_ = -1;
    std::array<std::int32_t, 256> roots_;
};

// ASCII lower case.
inline std::uint8_t LowerChar(std::uint8_t C)
{
    return C >= 'A' && C <= 'Z' ? std::uint8_t(C + 32) : C;
}
// A letter, digit or "_".
inline bool IsWordChar(std::uint8_t C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '_';
}
