// Character groups: specifications, membership and streams; the group list.
#include "editor/language/char_group.h"

#include "editor/document/string_scanner.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"

#include "platform/rtl/format.h"
#include "platform/rtl/streams.h"

namespace {

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

// One character of a specification at the scanner, its escape resolved.
std::uint8_t ReadSpecChar(TStringScanner& Scanner)
{
    const char c = Scanner.Current();
    Scanner.Next();
    if (c != '\\' || Scanner.AtEnd())
        return std::uint8_t(c);
    const char escape = Scanner.Current();
    Scanner.Next();
    switch (escape) {
    case 't':
    case 'T': return 9;
    case 'b':
    case 'B': return 8;
    case 'r':
    case 'R': return 10; // the editor's line end is CR, so \n is 13 and \r is 10
    case 'n':
    case 'N': return 13;
    case 's':
    case 'S': return ' ';
    case 'e':
    case 'E': return 27;
    case 'x':
    case 'X':
    case 'u':
    case 'U': {
        unsigned value = 0;
        while (!Scanner.AtEnd() && HexValue(Scanner.Current()) >= 0) {
            value = (value * 16 + unsigned(HexValue(Scanner.Current()))) & 0xFF;
            Scanner.Next();
        }
        return std::uint8_t(value);
    }
    default: break;
    }
    if (escape >= '0' && escape <= '7') {
        unsigned value = unsigned(escape - '0');
        while (!Scanner.AtEnd() && Scanner.Current() >= '0' && Scanner.Current() <= '7') {
            value = (value * 8 + unsigned(Scanner.Current() - '0')) & 0xFF;
            Scanner.Next();
        }
        return std::uint8_t(value);
    }
    return std::uint8_t(escape);
}

// True when the scanner stands on a "-" that joins two characters: one must follow it, and inside
// brackets it must not be the closing "]".
bool AtRangeDash(const TStringScanner& Scanner, bool InBrackets)
{
    if (Scanner.AtEnd() || Scanner.Current() != '-' || Scanner.Position() >= Scanner.Length())
        return false;
    return !InBrackets || Scanner.Text()[Scanner.Position()] != ']';
}

// One character or range at the scanner.
void ReadItem(TSM_CharGroup& Group, TStringScanner& Scanner, bool InBrackets)
{
    const std::uint8_t low = ReadSpecChar(Scanner);
    if (!AtRangeDash(Scanner, InBrackets)) {
        Group.AddChar(low);
        return;
    }
    Scanner.Next();
    const std::uint8_t high = ReadSpecChar(Scanner);
    if (high < low)
        throw Exception(QStringLiteral("Characters not in correct order for range specifier"));
    Group.AddRange(low, high);
}

} // namespace

// --- TSM_CharGroup ---

std::unique_ptr<TSM_Base> TSM_CharGroup::NewInstance() const
{
    return std::make_unique<TSM_CharGroup>();
}

void TSM_CharGroup::Clear()
{
    Chars.fill(0);
    Negate = 0;
    LowChar = 0xFFFF;
    HighChar = 0;
}

void TSM_CharGroup::AddRange(std::uint8_t Low, std::uint8_t High)
{
    for (int c = Low; c <= High; ++c)
        Chars[std::size_t(c >> 3)] |= std::uint8_t(1u << (c & 7));
    LowChar = std::min<std::uint16_t>(LowChar, Low);
    HighChar = std::max<std::uint16_t>(HighChar, High);
}

void TSM_CharGroup::AddSet(const std::array<std::uint8_t, 32>& Set)
{
    for (std::size_t i = 0; i < Chars.size(); ++i)
        Chars[i] |= Set[i];
    LowChar = 0;
    HighChar = std::max<std::uint16_t>(HighChar, 255);
}

bool TSM_CharGroup::IsEmpty() const
{
    return std::all_of(Chars.begin(), Chars.end(), [](std::uint8_t b) { return b == 0; });
}

void TSM_CharGroup::Parse(const QByteArray& Spec, int& Position)
{
    Clear();
    TStringScanner scanner(Spec);
    scanner.SetPosition(Position);
    if (scanner.AtEnd())
        return;
    if (scanner.Current() != '[') {
        ReadItem(*this, scanner, false);
        Position = scanner.Position();
        return;
    }
    scanner.Next();
    if (!scanner.AtEnd() && scanner.Current() == '^') {
        Negate = 1;
        scanner.Next();
    }
    while (!scanner.AtEnd()) {
        if (scanner.Current() == ']') {
            scanner.Next();
            break;
        }
        ReadItem(*this, scanner, true);
    }
    Position = scanner.Position();
}

void TSM_CharGroup::SaveToStream(TStream& Stream) const
{
    Stream.WriteBuffer(Chars.data(), std::int64_t(Chars.size()));
    WriteInteger(Stream, 0);
    WriteByte(Stream, Negate);
}

void TSM_CharGroup::LoadFromStream(TStream& Stream)
{
    Clear();
    std::array<std::uint8_t, 32> chars;
    Stream.ReadBuffer(chars.data(), std::int64_t(chars.size()));
    if (ReadInteger(Stream) != 0)
        throw EReadError(QStringLiteral("Stream read error"));
    for (int c = 0; c < 256; ++c) {
        if ((chars[std::size_t(c >> 3)] >> (c & 7)) & 1)
            AddChar(std::uint8_t(c));
    }
    Negate = ReadByte(Stream);
}

// --- TSM_CharGroupManager ---

std::unique_ptr<TSM_Base> TSM_CharGroupManager::NewInstance() const
{
    return std::make_unique<TSM_CharGroupManager>();
}

int TSM_CharGroupManager::IndexOf(const TSM_CharGroup& Group) const
{
    for (std::size_t id = 0; id < groups_.size(); ++id) {
        if (groups_[id]->Equals(Group))
            return int(id);
    }
    return -1;
}

int TSM_CharGroupManager::AddGroup(const TSM_CharGroup& Group)
{
    const int existing = IndexOf(Group);
    if (existing >= 0)
        return existing;
    auto copy = std::make_unique<TSM_CharGroup>();
    copy->Assign(Group);
    groups_.push_back(std::move(copy));
    return Count() - 1;
}

void TSM_CharGroupManager::ThrowInvalidID(int ID)
{
    throw ESyntaxMemo(Format(QStringLiteral("Invalid Set ID (%d)"), {ID}));
}

void TSM_CharGroupManager::SaveToStream(TStream& Stream) const
{
    WriteInteger(Stream, Count());
    for (const auto& group : groups_)
        group->SaveToStream(Stream);
}

void TSM_CharGroupManager::LoadFromStream(TStream& Stream)
{
    Clear();
    const std::int32_t count = ReadCount(Stream, INT32_MAX, CharGroupStreamSize);
    TSM_CharGroup group;
    for (std::int32_t i = 0; i < count; ++i) {
        group.LoadFromStream(Stream);
        AddGroup(group);
    }
}
