// The keyword trie: adding, matching and clearing words.
#include "editor/language/keywords.h"

#include "editor/document/ed_stream.h"
#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/events.h"
#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"

namespace {

std::uint8_t Fold(char C, bool CaseSensitive)
{
    const auto c = std::uint8_t(C);
    return !CaseSensitive && c >= 'A' && c <= 'Z' ? std::uint8_t(c + 32) : c;
}

} // namespace

QByteArray LowerAscii(const QByteArray& Text)
{
    QByteArray lower = Text;
    for (char& c : lower)
        c = char(Fold(c, false));
    return lower;
}

TKeywords::TKeywords()
{
    index_.fill(-1);
    groups_.AddGroup(TSM_CharGroup()); // set ID 0 is the empty group
}

TKeywords::~TKeywords()
{
    FreeAll();
}

std::unique_ptr<TSM_Base> TKeywords::NewInstance() const
{
    return std::make_unique<TKeywords>();
}

void TKeywords::FreeAll()
{
    for (const TRecordNode& record : records_)
        Fire(OnFreeKeyword, this, record.Record.Value);
    nodes_.clear();
    records_.clear();
    root_ = -1;
    index_.fill(-1);
}

void TKeywords::Clear()
{
    FreeAll();
    groups_.Clear();
    CaseFlag = 0;
}

std::int32_t TKeywords::FindOrInsert(std::int32_t Parent, std::uint8_t Char)
{
    std::int32_t prev = -1;
    std::int32_t node = Parent < 0 ? root_ : nodes_[std::size_t(Parent)].Child;
    while (node >= 0 && nodes_[std::size_t(node)].Char < Char) {
        prev = node;
        node = nodes_[std::size_t(node)].Sibling;
    }
    if (node >= 0 && nodes_[std::size_t(node)].Char == Char)
        return node;
    const auto added = std::int32_t(nodes_.size());
    nodes_.push_back({Char, node, -1, -1, {}});
    if (prev >= 0)
        nodes_[std::size_t(prev)].Sibling = added;
    else if (Parent < 0)
        root_ = added;
    else
        nodes_[std::size_t(Parent)].Child = added;
    return added;
}

void TKeywords::AddKeyword(const QByteArray& Word, std::uint8_t ACaseFlag, const TSM_CharGroup& EndGroup,
                           const TSM_StateSet& States, std::int32_t Value)
{
    CaseFlag = ACaseFlag;
    if (Word.isEmpty())
        return;
    const QByteArray word = ACaseFlag == 0 ? LowerAscii(Word) : Word;
    if (word.size() > MaxWordLength)
        throw EKeywords(Format(QStringLiteral("Keyword longer than %d characters - '%s'"),
                               {MaxWordLength, QString::fromLatin1(word)}));

    std::int32_t node = -1;
    for (const char c : word) {
        const bool firstLevel = node < 0;
        node = FindOrInsert(node, std::uint8_t(c));
        nodes_[std::size_t(node)].States |= States;
        if (firstLevel && index_[std::uint8_t(c)] < 0)
            index_[std::uint8_t(c)] = node;
    }

    TNode& last = nodes_[std::size_t(node)];
    for (std::int32_t r = last.Record; r >= 0; r = records_[std::size_t(r)].Next) {
        if (records_[std::size_t(r)].Record.States.Meets(States))
            throw EKeywords(Format(LoadStr(4202), {QString::fromLatin1(word)}));
    }
    if (groups_.IndexOf(EndGroup) < 0 && groups_.Count() >= MaxEndGroups)
        throw EKeywords(Format(QStringLiteral("Too many end character groups (more than %d) - '%s'"),
                               {MaxEndGroups, QString::fromLatin1(word)}));
    const int groupID = groups_.AddGroup(EndGroup);

    // Records keep their order: a new one goes to the end of the node's chain.
    const auto added = std::int32_t(records_.size());
    records_.push_back({{States, groupID, Value}, -1});
    std::int32_t* link = &nodes_[std::size_t(node)].Record;
    while (*link >= 0)
        link = &records_[std::size_t(*link)].Next;
    *link = added;
}

bool TKeywords::EndGroupTakes(std::int32_t GroupID, std::uint8_t C) const
{
    const TSM_CharGroup& group = groups_.GetGroup(GroupID);
    return group.IsEmpty() || group.Contains(C);
}

const TKeywordRecord* TKeywords::MatchKeyword(TCustomEdStream& Stream, bool CaseSensitive, bool Forward,
                                              int& StartPos, int& Length)
{
    StartPos = Stream.GetPosition();
    Length = 0;
    const TKeywordRecord* best = nullptr;
    int bestPos = StartPos; // forward: just after the word; backward: its first character
    int bestLength = 0;

    bool outside = Forward && Stream.EndOfText();
    std::uint8_t c = Fold(Stream.CurrentChar(), CaseSensitive);
    std::int32_t node = outside ? -1 : index_[c];
    while (node >= 0) {
        const TNode& n = nodes_[std::size_t(node)];
        if (n.Char != c || !n.States.Meets(CurrentStates))
            break;
        const int consumed = Stream.GetPosition();
        if (Forward) {
            Stream.Next();
            outside = Stream.EndOfText();
        } else if (consumed == 0) {
            outside = true; // nothing stands before the first character of the text
        } else {
            Stream.Back();
        }
        ++Length;
        const auto follower = std::uint8_t(outside ? '\0' : Stream.CurrentChar());
        for (std::int32_t r = n.Record; r >= 0; r = records_[std::size_t(r)].Next) {
            const TKeywordRecord& record = records_[std::size_t(r)].Record;
            if (record.States.Meets(CurrentStates) && EndGroupTakes(record.GroupID, follower)) {
                best = &record;
                bestPos = Forward ? Stream.GetPosition() : consumed;
                bestLength = Length;
                break;
            }
        }
        if (outside)
            break;
        c = Fold(Stream.CurrentChar(), CaseSensitive);
        node = n.Child;
        while (node >= 0 && nodes_[std::size_t(node)].Char < c)
            node = nodes_[std::size_t(node)].Sibling;
    }

    if (best) {
        Stream.SetPosition(bestPos);
        Length = bestLength;
        return best;
    }
    if (Length > 0) // the stream has moved
        Stream.SetPosition(StartPos);
    Length = 1;
    Stream.Next();
    return nullptr;
}
