// The editor's lines as a string list.
#include "editor/document/memo_strings.h"

#include "editor/document/memo_core.h"

#include "platform/rtl/streams.h"

namespace {

// The longest line Get returns.
constexpr int LineCapacity = 4096;

QString FromBytes(std::string_view Bytes)
{
    return QString::fromLatin1(Bytes.data(), qsizetype(Bytes.size()));
}

// Every kind of line end (CR LF, LF CR, lone CR, lone LF) becomes CR LF.
QByteArray WithCrLf(const QByteArray& Text)
{
    QByteArray result;
    result.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c != '\r' && c != '\n') {
            result += c;
            continue;
        }
        if (i + 1 < Text.size() && Text[i + 1] == (c == '\r' ? '\n' : '\r'))
            ++i;
        result += "\r\n";
    }
    return result;
}

} // namespace

bool TSyntaxMemoStrings::Wrapped() const
{
    return WrappedView && editor_->WordWrap;
}

int TSyntaxMemoStrings::LogicalLineStart(int Index) const
{
    int start = 0;
    int line = 0;
    for (const TLineRecord* record = editor_->TextStore().FirstLine(); record && line < Index;
         record = record->Next) {
        start += record->Length();
        if (record->EndsLine())
            ++line;
    }
    return line < Index ? editor_->TextLength() : start;
}

int TSyntaxMemoStrings::Count() const
{
    if (editor_->TextLength() == 0)
        return 0;
    if (!Wrapped())
        return editor_->LineCount();
    int count = 0;
    for (const TLineRecord* record = editor_->TextStore().FirstLine(); record; record = record->Next) {
        if (record->EndsLine() || !record->Next)
            ++count;
    }
    return count;
}

QString TSyntaxMemoStrings::Get(int Index) const
{
    if (!Wrapped())
        return FromBytes(editor_->GetLine(Index, LineCapacity));
    const int start = LogicalLineStart(Index);
    const int end = std::min(LogicalLineStart(Index + 1), start + LineCapacity);
    std::string text = editor_->TextStore().GetText(start, end);
    for (int i = 0; i < 2 && !text.empty() && (text.back() == '\r' || text.back() == '\n'); ++i)
        text.pop_back();
    return FromBytes(text);
}

void TSyntaxMemoStrings::Replace(int Start, int End, const QByteArray& Text) const
{
    editor_->SetSelection(Start, End);
    editor_->ReplaceSelection(std::string_view(Text.constData(), std::size_t(Text.size())));
}

void TSyntaxMemoStrings::Put(int Index, const QString& S)
{
    if (!Wrapped()) {
        const int start = editor_->LineIndex(Index);
        Replace(start, start + editor_->LineLength(start), S.toLatin1());
        return;
    }
    const int selStart = editor_->SelStart();
    const int selEnd = editor_->SelEnd();
    const int start = LogicalLineStart(Index);
    int end = LogicalLineStart(Index + 1);
    if (end > start && editor_->TextStore().GetText(end - 1, end) == "\r")
        --end;
    Replace(start, end, S.toLatin1());
    editor_->SetSelection(selStart, selEnd);
}

void TSyntaxMemoStrings::Insert(int Index, const QString& S)
{
    if (Index < 0)
        return;
    const int pos = editor_->LineIndex(Index);
    // After a last line without line end, the new line needs one in front.
    const bool openLastLine =
        pos > 0 && pos == editor_->TextLength() && editor_->TextStore().GetText(pos - 1, pos) != "\r";
    Replace(pos, pos, openLastLine ? "\r\n" + S.toLatin1() : S.toLatin1() + "\r\n");
}

void TSyntaxMemoStrings::Delete(int Index)
{
    if (Index < 0)
        return;
    Replace(editor_->LineIndex(Index), editor_->LineIndex(Index + 1), {});
}

void TSyntaxMemoStrings::Clear()
{
    editor_->Clear();
}

QString TSyntaxMemoStrings::Text() const
{
    return FromBytes(editor_->GetText());
}

void TSyntaxMemoStrings::SetText(const QString& Text)
{
    const QByteArray text = WithCrLf(Text.toLatin1());
    const std::string current = editor_->GetText();
    if (current == std::string_view(text.constData(), std::size_t(text.size())))
        return;
    editor_->SetText(std::string_view(text.constData(), std::size_t(text.size())));
}

void TSyntaxMemoStrings::AddStrings(const TStrings& Strings)
{
    TMemoryStream stream;
    for (int i = 0; i < Strings.Count(); ++i) {
        const QByteArray line = Strings.Strings(i).toLatin1() + "\r\n";
        stream.WriteBuffer(line.constData(), line.size());
    }
    stream.SetPosition(0);
    editor_->LoadFromStream(stream);
}

void TSyntaxMemoStrings::LoadFromStream(TStream& Stream)
{
    editor_->LoadFromStream(Stream);
}

void TSyntaxMemoStrings::SaveToStream(TStream& Stream) const
{
    editor_->SaveToStream(Stream);
}

void TSyntaxMemoStrings::SetUpdateState(bool Updating)
{
    editor_->SetRedraw(!Updating);
}
