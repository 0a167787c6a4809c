// The key map: adding and recognising bindings, names, and the key-assignment stream.
#include "editor/language/key_controller.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"

#include "platform/rtl/events.h"
#include "platform/rtl/format.h"
#include "platform/rtl/streams.h"

#include <algorithm>

namespace {

template <class Node> Node* FindKey(std::vector<Node>& List, TShortCut Key)
{
    const auto found = std::find_if(List.begin(), List.end(), [Key](const Node& n) { return n.Key == Key; });
    return found == List.end() ? nullptr : &*found;
}

} // namespace

// --- TKeyStore ---

std::optional<int> TKeyStore::Add(TShortCut Key1, TShortCut Key2, int Command)
{
    const TShortCut secondKey = Key2 & 0xFF;
    const bool oneKey = secondKey == 0;

    // Every clash is found before anything is appended, so a refused binding leaves no node.
    TKeyNode* first = FindKey(root_, Key1);
    if (first && oneKey && !first->Children.empty())
        return first->Children.front().Command;
    TKeyNode* second = nullptr;
    if (first && !oneKey && first->Command == -1)
        second = FindKey(first->Children, secondKey);
    const bool onFirst = oneKey || (first && first->Command != -1);
    const TKeyNode* target = onFirst ? first : second;
    if (target && target->Command != -1)
        return target->Command;

    if (!first) {
        // Appending may move the first keys: keep the pending second-key list by index.
        root_.push_back({Key1, false, -1, {}});
        first = &root_.back();
    }
    first->Terminal = first->Terminal || oneKey;
    if (onFirst) {
        first->Command = Command;
        return std::nullopt;
    }
    if (!second) {
        first->Children.push_back({secondKey, true, -1, {}});
        second = &first->Children.back();
    }
    second->Command = Command;
    return std::nullopt;
}

TKeyStore::TKeyResult TKeyStore::Process(TShortCut Key, int& Command)
{
    if (current_ == NoList)
        current_ = FirstKeys;
    std::vector<TKeyNode>* list = &root_;
    if (current_ != FirstKeys) {
        list = &root_[std::size_t(current_)].Children;
        Key &= 0xFF;
    }
    const auto found =
        std::find_if(list->begin(), list->end(), [Key](const TKeyNode& n) { return n.Key == Key; });
    if (found == list->end()) {
        current_ = NoList;
        return TKeyResult::Miss;
    }
    if (!found->Children.empty()) {
        current_ = int(found - root_.begin());
        return TKeyResult::Prefix;
    }
    Command = found->Command;
    current_ = NoList;
    return TKeyResult::Match;
}

std::vector<TKeyBinding> TKeyStore::Bindings() const
{
    std::vector<TKeyBinding> bindings;
    for (const TKeyNode& node : root_) {
        if (node.Terminal)
            bindings.push_back({node.Key, 0, node.Command});
    }
    for (auto first = root_.rbegin(); first != root_.rend(); ++first) {
        for (const TKeyNode& node : first->Children)
            bindings.push_back({first->Key, node.Key, node.Command});
    }
    return bindings;
}

// --- TKeyboardActionContoller ---

std::unique_ptr<TSM_Base> TKeyboardActionContoller::NewInstance() const
{
    return std::make_unique<TKeyboardActionContoller>();
}

void TKeyboardActionContoller::Clear()
{
    store_ = TKeyStore();
    names_.clear();
}

void TKeyboardActionContoller::AddKeyPair(TShortCut Key1, TShortCut Key2, int Command)
{
    if (const std::optional<int> existing = store_.Add(Key1, Key2, Command))
        throw EAmbigiousKeyPair(
            Format(QStringLiteral("Duplicate key sequence definition for\r\n\"%s\" and \"%s\""),
                   {GetCommandName(Command), GetCommandName(*existing)}));
}

void TKeyboardActionContoller::SetCommandName(int Command, const QString& Name)
{
    const auto last = std::find_if(names_.rbegin(), names_.rend(),
                                   [Command](const TCommandName& n) { return n.Command == Command; });
    if (last != names_.rend())
        names_.erase(std::next(last).base());
    names_.push_back({Name, Command});
}

QString TKeyboardActionContoller::GetCommandName(int Command) const
{
    const auto last = std::find_if(names_.rbegin(), names_.rend(),
                                   [Command](const TCommandName& n) { return n.Command == Command; });
    return last == names_.rend() ? QString() : last->Name;
}

void TKeyboardActionContoller::FindKeys(int Command, TShortCut& Key1, TShortCut& Key2)
{
    const std::vector<TKeyBinding> bindings = store_.Bindings();
    for (int i = enumeration_ + 1; i < int(bindings.size()); ++i) {
        if (bindings[std::size_t(i)].Command == Command) {
            enumeration_ = i;
            Key1 = bindings[std::size_t(i)].First;
            Key2 = bindings[std::size_t(i)].Second;
            return;
        }
    }
    enumeration_ = int(bindings.size());
    Key1 = 0;
    Key2 = 0;
}

void TKeyboardActionContoller::FindFirstKeys(int Command, TShortCut& Key1, TShortCut& Key2)
{
    enumeration_ = -1;
    FindKeys(Command, Key1, Key2);
}

void TKeyboardActionContoller::FindNextKeys(int Command, TShortCut& Key1, TShortCut& Key2)
{
    FindKeys(Command, Key1, Key2);
}

void TKeyboardActionContoller::ProcessKey(int& Key, TShiftState& Shift, bool& Handled)
{
    Handled = false;
    int command = -1;
    switch (store_.Process(ShortCut(Key, Shift), command)) {
    case TKeyStore::TKeyResult::Miss: return;
    case TKeyStore::TKeyResult::Prefix:
        Handled = true;
        Key = 0;
        Shift = 0;
        return;
    case TKeyStore::TKeyResult::Match:
        Handled = true;
        Key = 0;
        Shift = 0;
        Fire(OnCommand, this, command);
        return;
    }
}

void TKeyboardActionContoller::SaveToStream(TStream& Stream) const
{
    WriteInteger(Stream, std::int32_t(names_.size()));
    for (const TCommandName& entry : names_) {
        WriteInteger(Stream, entry.Command);
        WriteShortString(Stream, entry.Name.toLatin1());
    }
    const std::vector<TKeyBinding> bindings = store_.Bindings();
    WriteInteger(Stream, std::int32_t(bindings.size()));
    for (const TKeyBinding& binding : bindings) {
        WriteWord(Stream, binding.First);
        WriteWord(Stream, binding.Second);
        WriteInteger(Stream, binding.Command);
    }
}

void TKeyboardActionContoller::LoadFromStream(TStream& Stream)
{
    Clear();
    const std::int32_t nameCount = ReadCount(Stream, INT32_MAX, 5);
    names_.reserve(std::size_t(nameCount));
    for (std::int32_t i = 0; i < nameCount; ++i) {
        const std::int32_t command = ReadInteger(Stream);
        names_.push_back({QString::fromLatin1(ReadShortString(Stream)), command});
    }
    const std::int32_t bindingCount = ReadCount(Stream, INT32_MAX, 8);
    std::vector<TKeyBinding> bindings(static_cast<std::size_t>(bindingCount));
    for (TKeyBinding& binding : bindings) {
        binding.First = ReadWord(Stream);
        binding.Second = ReadWord(Stream);
        binding.Command = ReadInteger(Stream);
    }
    // The walk writes the pairs of the last first key first. Adding the one-key bindings, then the
    // pairs a first key at a time from the last group back, rebuilds the first-key list in its old
    // order, so that a loaded map writes the bytes it was read from.
    const auto isPair = [](const TKeyBinding& b) { return (b.Second & 0xFF) != 0; };
    std::vector<TShortCut> firstKeys;
    for (const TKeyBinding& binding : bindings) {
        if (!isPair(binding))
            AddKeyPair(binding.First, binding.Second, binding.Command);
        else if (std::find(firstKeys.begin(), firstKeys.end(), binding.First) == firstKeys.end())
            firstKeys.push_back(binding.First);
    }
    for (auto key = firstKeys.rbegin(); key != firstKeys.rend(); ++key) {
        for (const TKeyBinding& binding : bindings) {
            if (isPair(binding) && binding.First == *key)
                AddKeyPair(binding.First, binding.Second, binding.Command);
        }
    }
}

void TKeyboardActionContoller::Assign(const TObject& Source)
{
    if (!dynamic_cast<const TKeyboardActionContoller*>(&Source))
        throw Exception(
            Format(QStringLiteral("Cannot assign a %s to a %s"), {Source.ClassName(), ClassName()}));
    TSM_Base::Assign(Source);
}
