// Macros: adding and finding them, the trie of reversed names, the trigger key and the stream.
#include "editor/templates/macro_keywords.h"

#include "editor/document/ed_stream.h"
#include "editor/document/line_record.h"
#include "editor/document/memo_core.h"
#include "editor/document/table_stream.h"

#include "platform/rtl/events.h"
#include "platform/rtl/streams.h"
#include "platform/ui/shortcut_text.h"

#include <algorithm>
#include <string>

namespace {

// Name order ignores the case of A..Z.
bool NameLess(const QByteArray& A, const QByteArray& B)
{
    return LowerAscii(A) < LowerAscii(B);
}

// A macro takes at least its two length bytes and its body length.
constexpr int MinMacroStreamSize = 1 + 1 + 4;

} // namespace

QByteArray Reversed(const QByteArray& Text)
{
    QByteArray reversed = Text;
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

TMacroKeywords::TMacroKeywords()
{
    CurrentStates = TSM_StateSet::Of({0});
}

namespace {

TMacroPickListFactory& PickListFactory()
{
    static TMacroPickListFactory factory;
    return factory;
}

} // namespace

TMacroPickListFactory SetMacroPickListFactory(TMacroPickListFactory Factory)
{
    return std::exchange(PickListFactory(), std::move(Factory));
}

TMacroKeywords::~TMacroKeywords()
{
    delete pickListWidget_.data();
}

IMacroPickList* TMacroKeywords::PickList() const
{
    return pickListWidget_ ? pickList_ : nullptr;
}

std::unique_ptr<TSM_Base> TMacroKeywords::NewInstance() const
{
    return std::make_unique<TMacroKeywords>();
}

std::vector<TMacroKeywords::TMacro>::const_iterator TMacroKeywords::Find(const QByteArray& Name,
                                                                         bool& Found) const
{
    const auto place =
        std::lower_bound(macros_.begin(), macros_.end(), Name,
                         [](const TMacro& m, const QByteArray& name) { return NameLess(m.Name, name); });
    Found = place != macros_.end() && !NameLess(Name, place->Name);
    return place;
}

void TMacroKeywords::AddReversedName(const QByteArray& Name)
{
    TSM_CharGroup anyFollower;
    anyFollower.AddRange(0, 255);
    TKeywords::AddKeyword(Reversed(Name), 1, anyFollower, TSM_StateSet::Of({0}), 0);
}

void TMacroKeywords::RebuildTrie()
{
    TKeywords::Clear();
    for (const TMacro& macro : macros_)
        AddReversedName(macro.Name);
}

void TMacroKeywords::AddMacro(const QByteArray& Name, const QByteArray& Description, std::uint8_t ACaseFlag,
                              const QByteArray& Body)
{
    TMacro macro;
    macro.Name = (ACaseFlag == 0 ? LowerAscii(Name) : Name).left(MaxNameLength);
    macro.Description = Description.left(MaxNameLength);
    std::string body;
    NormalizeLineEnds(body, std::string_view(Body.constData(), std::size_t(Body.size())));
    macro.Body = QByteArray::fromStdString(body);

    bool found = false;
    const auto place = Find(macro.Name, found);
    const auto index = place - macros_.begin();
    if (found) {
        macros_[std::size_t(index)] = std::move(macro);
        RebuildTrie();
        return;
    }
    AddReversedName(macro.Name);
    macros_.insert(macros_.begin() + index, std::move(macro));
}

void TMacroKeywords::SetMacro(const QByteArray& Name, const QByteArray& Description, const QByteArray& Body)
{
    DeleteMacro(Name);
    AddMacro(Name, Description, 0, Body);
}

void TMacroKeywords::DeleteMacro(const QByteArray& Name)
{
    bool found = false;
    const auto place = Find(LowerAscii(Name), found);
    if (!found)
        return;
    macros_.erase(place);
    RebuildTrie();
}

bool TMacroKeywords::GetMacro(const QByteArray& Name, QByteArray& Body) const
{
    bool found = false;
    const auto place = Find(LowerAscii(Name), found);
    if (found)
        Body = place->Body;
    return found;
}

void TMacroKeywords::Clear()
{
    macros_.clear();
    TKeywords::Clear();
}

bool TMacroKeywords::IsTriggerKey(int Key, TShiftState Shift) const
{
    return Enabled && ShortCut(Key, Shift) == TriggerKey;
}

bool TMacroKeywords::HandleKey(IMacroEditor& Editor, int& Key, bool& Handled, TShiftState Shift)
{
    TypedPrefix.clear();
    Handled = false;
    if (!IsTriggerKey(Key, Shift))
        return false;

    TMemoCore& memo = Editor.Memo();
    const int caret = memo.SelEnd();
    int lineStart = 0;
    TLineRecord* line = memo.TextLength() > 0 ? memo.TextStore().LineAt(caret, nullptr, &lineStart) : nullptr;
    if (line && caret > 0) {
        TEdStream stream(&memo);
        stream.SetRange(line, caret - lineStart, lineStart);
        stream.Back();
        int start = 0;
        int length = 0;
        if (MatchKeyword(stream, false, false, start, length) && OnExpand) {
            const QByteArray name =
                QByteArray::fromStdString(memo.TextStore().GetText(caret - length, caret));
            QByteArray body;
            GetMacro(name, body);
            Fire(OnExpand, this, name, body);
            Handled = ConsumeKey;
            return true;
        }
    }

    // Nothing matched: the word that ends at the caret is the start of a name.
    if (line) {
        const std::string& text = line->Text;
        auto offset = std::size_t(caret - lineStart);
        const bool atWordEnd = offset >= text.size() ||
                               (!Editor.CharStartsWord(text[offset]) && !Editor.CharIsInWord(text[offset]));
        if (atWordEnd) {
            std::size_t begin = std::min(offset, text.size());
            while (begin > 0 && Editor.CharIsInWord(text[begin - 1]))
                --begin;
            TypedPrefix = LowerAscii(QByteArray::fromStdString(text.substr(begin, offset - begin)));
        }
    }
    if (ShowPickList && !macros_.empty())
        OpenPickList(Editor);
    return false;
}

void TMacroKeywords::OpenPickList(IMacroEditor& Editor)
{
    if (!TypedPrefix.isEmpty()) {
        TMemoCore& memo = Editor.Memo();
        memo.SetSelection(memo.SelEnd() - int(TypedPrefix.size()), memo.SelEnd());
        Editor.PickListOpened();
    }
    if (RecreatePickList || !PickList()) {
        delete pickListWidget_.data();
        pickList_ = nullptr;
        const TMacroPickListFactory factory = PickListFactory();
        if (!factory)
            return;
        pickList_ = factory(*this, Editor);
        pickListWidget_ = pickList_->Widget();
    } else {
        pickList_->Reuse(Editor);
    }
    pickList_->Open();
}

void TMacroKeywords::SaveToStream(TStream& Stream) const
{
    WriteInteger(Stream, std::int32_t(macros_.size()));
    for (const TMacro& macro : macros_) {
        WriteShortString(Stream, macro.Name);
        WriteShortString(Stream, macro.Description);
        WriteLongString(Stream, macro.Body);
    }
    WriteLongString(Stream, ShortCutToText(TriggerKey).toLatin1());
    WriteInteger(Stream, Enabled ? 1 : 0);
}

void TMacroKeywords::LoadFromStream(TStream& Stream)
{
    Clear();
    const std::int32_t count = ReadCount(Stream, INT32_MAX, MinMacroStreamSize);
    for (std::int32_t i = 0; i < count; ++i) {
        const QByteArray name = ReadShortString(Stream);
        const QByteArray description = ReadShortString(Stream);
        AddMacro(name, description, 0, ReadLongString(Stream));
    }
    TriggerKey = TextToShortCut(QString::fromLatin1(ReadLongString(Stream)));
    Enabled = ReadInteger(Stream) != 0;
}
