// The editor core: the document shown, selection, replacing the selection, lines, loading and
// saving.
#include "editor/document/memo_core.h"

#include "editor/document/memo_strings.h"

#include "platform/rtl/events.h"
#include "platform/rtl/streams.h"
#include "platform/ui/beep.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Text is inserted in blocks of this size, a block never ending between CR and LF.
constexpr std::size_t InsertBlockSize = 8192;

std::size_t BlockLength(std::string_view Text)
{
    if (Text.size() < InsertBlockSize)
        return Text.size();
    return Text[InsertBlockSize - 1] == '\r' ? InsertBlockSize - 1 : InsertBlockSize;
}

} // namespace

TMemoCore::TMemoCore(TComponent* AOwner)
    : TComponent(AOwner), store_(std::make_unique<TTextStore>()),
      lines_(std::make_unique<TSyntaxMemoStrings>(this))
{
    BindStore(*store_);
    RecordUndo(rkRecordingOn);
    RecordUndo(rkEmpty);
}

TMemoCore::~TMemoCore()
{
    // A link may ask to be forgotten while it is told.
    const std::vector<TEditorLink*> links = std::exchange(links_, {});
    for (TEditorLink* link : links)
        link->EditorFreed(this);
    UnbindStore(*store_);
}

// --- parsers ---

void TMemoCore::FreeNotification(TEditorLink* Link)
{
    if (std::find(links_.begin(), links_.end(), Link) == links_.end())
        links_.push_back(Link);
}

void TMemoCore::RemoveFreeNotification(TEditorLink* Link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
}

// --- the document ---

void TMemoCore::BindStore(TTextStore& Store)
{
    TCustomBookmarks& bookmarks = Store.NamedBookmarks();
    bookmarks.OnFree = [this](const QString& Name) { Fire(OnCustomBookmarkFree, this, Name); };
    // Named bookmarks are not drawn: their moves repaint only what else is flagged.
    bookmarks.OnChange = [this] { InvalidateLines(); };
    if (Store.Marks())
        BindMarks(*Store.Marks());
    for (TSM_Breakpoints* list : {static_cast<TSM_Breakpoints*>(&Store.Breakpoints()),
                                  static_cast<TSM_Breakpoints*>(&Store.CodeBreaks())}) {
        list->OnInvalidate = [this](int Pos) { InvalidateRange(Pos, Pos); };
        list->OnBreakpointFree = [this](TObject*, TSM_BreakpointData* Entry) {
            Fire(OnBreakpointFree, this, Entry);
        };
        list->OnBreakpointStateChange = [this](TObject*, TSM_BreakpointData* Entry) {
            Fire(OnBreakpointStateChange, this, Entry);
        };
    }
}

// A store that leaves the editor reports to nobody until it is shown again.
void TMemoCore::UnbindStore(TTextStore& Store)
{
    Store.NamedBookmarks().OnFree = nullptr;
    Store.NamedBookmarks().OnChange = nullptr;
    if (Store.Marks()) {
        Store.Marks()->OnFree = nullptr;
        Store.Marks()->OnChange = nullptr;
    }
    for (TSM_Breakpoints* list : {static_cast<TSM_Breakpoints*>(&Store.Breakpoints()),
                                  static_cast<TSM_Breakpoints*>(&Store.CodeBreaks())}) {
        list->OnInvalidate = nullptr;
        list->OnBreakpointFree = nullptr;
        list->OnBreakpointStateChange = nullptr;
    }
}

void TMemoCore::BindMarks(TMarkList& Marks)
{
    Marks.OnFree = [this](TMark* Mark) { Fire(OnMarkFree, this, Mark); };
    Marks.OnChange = [this](TMark* Mark) { Fire(OnMarkChange, this, Mark); };
}

std::unique_ptr<TTextStore> TMemoCore::ExchangeTextStore(std::unique_ptr<TTextStore> Store)
{
    if (!Store)
        return Store;
    UnbindStore(*store_);
    std::swap(Store, store_);
    BindStore(*store_);
    store_->SetHighlightFrom(nullptr);
    paintingEnabled_ = false;
    Invalidate();
    return Store;
}

// --- selection ---

void TMemoCore::SetSelection(int Start, int End, bool)
{
    if (Start == -1) {
        selStart_ = 0;
        selEnd_ = TextLength();
    } else {
        selStart_ = std::clamp(Start, 0, TextLength());
        selEnd_ = std::clamp(End, 0, TextLength());
    }
}

std::string TMemoCore::SelText(TLineEnds Ends)
{
    return store_->GetText(selStart_, selEnd_, Ends);
}

// --- editing ---

void TMemoCore::ReplaceSelection(std::string_view Text)
{
    BeginUndoBlock(ubReplaceSelection);
    if (!undoing_ && !pending_)
        RecordUndo(rkEdit, rpOpen, 0, Text);
    const auto [start, end] = OrderRange(selStart_, selEnd_);
    if (start != end)
        DeleteText(start, end);
    const int pos = appendMode_ ? TextLength() : start;
    selStart_ = selEnd_ = pos;
    InsertText(pos, Text);
    if (pending_)
        RecordUndo(rkEdit, rpClose);
    if (!HighlightingHeld())
        UpdateHighlighting();
    EndUndoBlock(ubReplaceSelection);
#ifndef NDEBUG
    if (const std::string breach = store_->CheckInvariants(); !breach.empty())
        qFatal("text store after an edit: %s", breach.c_str());
#endif
}

// Text goes in normalised, block by block; one character is a block of its own, so the store
// only ever holds TAB, CR and characters from 32 up.
void TMemoCore::InsertText(int Pos, std::string_view Text)
{
    if (Text.empty())
        return;
    const int start = Pos;
    while (!Text.empty()) {
        const std::size_t length = BlockLength(Text);
        NormalizeLineEnds(conversion_, Text.substr(0, length));
        Text.remove_prefix(length);
        InsertBlock(Pos, conversion_);
        Pos += int(conversion_.size());
    }
    // Only the edited lines can have reached the re-wrap length.
    if (WordWrap || store_->LongestLine() >= ReWrapLength)
        ReWrap(store_->LineAt(start), store_->LineAt(Pos - 1));
}

void TMemoCore::NoteHeldEdit(int Pos, int Count)
{
    if (highlightHolds_ <= 0)
        return;
    if (heldEditFrom_ < 0)
        heldEditFrom_ = heldEditTo_ = Pos;
    else if (heldEditTo_ >= Pos)
        heldEditTo_ = std::max(Pos, heldEditTo_ + Count); // moves with the text behind the edit
    heldEditFrom_ = std::min(heldEditFrom_, Pos);
    heldEditTo_ = std::max(heldEditTo_, Pos + std::max(Count, 0));
}

// The text before the first held edit and after the last never changed meanwhile, so its lines
// keep their tokens.
void TMemoCore::ReleaseHighlighting()
{
    if (--highlightHolds_ > 0)
        return;
    const int from = std::exchange(heldEditFrom_, -1);
    const int to = std::exchange(heldEditTo_, -1);
    if (from >= 0)
        HighlightChangedLines(from, to);
}

void TMemoCore::InsertBlock(int Pos, std::string_view Text)
{
    const int count = int(Text.size());
    NoteHeldEdit(Pos, count);
    store_->Insert(Pos, Text, VisibleLines);
    Fire(OnTextChange, this, Pos, count);
    store_->ShiftBreakpoints(Pos, count, Text.back() == LineEndChar);
    selStart_ = selEnd_ = Pos + count;
}

void TMemoCore::DeleteText(int Start, int End)
{
    NoteHeldEdit(std::min(Start, End), -std::abs(End - Start));
    const TEditResult result = store_->Delete(Start, End);
    const int size = End - Start;
    if (result.Emptied) {
        selStart_ = selEnd_ = 0;
        Fire(OnTextChange, this, 0, 0);
    } else {
        if (WordWrap || store_->LongestLine() >= ReWrapLength)
            ReWrap(result.First, result.Last);
        Fire(OnTextChange, this, Start, -size);
    }
    store_->ShiftBreakpoints(Start, -size, result.WholeLines);
}

void TMemoCore::ReadStream(TStream& Source)
{
    std::string block(InsertBlockSize, '\0');
    bool read = false;
    while (true) {
        std::int64_t count = Source.Read(block.data(), std::int64_t(block.size()));
        if (count <= 0)
            break;
        if (std::size_t(count) == InsertBlockSize && block[InsertBlockSize - 1] == '\r') {
            // The CR is read again with the next block, so that a CR LF pair stays one line end.
            --count;
            Source.Seek(-1, soCurrent);
        }
        ReplaceSelection(std::string_view(block.data(), std::size_t(count)));
        selStart_ = selEnd_;
        read = true;
    }
    if (!read)
        ReplaceSelection({});
    Changed();
}

void TMemoCore::LoadFromStream(TStream& Stream)
{
    RecordUndo(rkEmpty);
    const bool lock = paintingEnabled_;
    if (lock)
        lines_->BeginUpdate();
    // Nothing is recorded while loading: the log is emptied afterwards.
    const bool recording = recording_;
    recording_ = false;
    appendMode_ = true;
    try {
        SetSelection(-1, 0, true);
        ReadStream(Stream);
    } catch (...) {
        appendMode_ = false;
        recording_ = recording;
        if (lock)
            lines_->EndUpdate();
        throw;
    }
    appendMode_ = false;
    recording_ = recording;
    store_->ClearHighlighting();
    SetSelection(0, 0, true);
    VirtualColumn = 0;
    SetTopLine(0);
    if (lock)
        lines_->EndUpdate();
    RecordUndo(rkEmpty);
}

void TMemoCore::SaveToStream(TStream& Stream)
{
    RecordUndo(rkEmpty);
    store_->WriteText(Stream, 0, TextLength(),
                      store_->SelLineStyle == lsCRLF ? TLineEnds::CRLF : TLineEnds::CR);
    RecordUndo(rkEmpty);
}

void TMemoCore::SetText(std::string_view Text)
{
    TMemoryStream stream;
    stream.WriteBuffer(Text.data(), std::int64_t(Text.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

std::string TMemoCore::GetText()
{
    return store_->GetText(0, TextLength(), store_->SelLineStyle == lsCRLF ? TLineEnds::CRLF : TLineEnds::CR);
}

void TMemoCore::Clear()
{
    const bool redraw = paintingEnabled_;
    if (redraw)
        SetRedraw(false);
    SetSelection(-1, 0, true);
    ReplaceSelection({});
    if (redraw)
        SetRedraw(true);
    RecordUndo(rkEmpty);
}

// --- lines ---

int TMemoCore::LineCount() const
{
    return std::max(1, store_->LineCount());
}

int TMemoCore::LineIndex(int Line)
{
    int start = 0;
    if (Line == -1)
        store_->LineAt(selEnd_, nullptr, &start);
    else if (Line >= store_->LineCount())
        start = TextLength();
    else
        store_->LineByIndex(Line, &start);
    return start;
}

int TMemoCore::LineLength(int Pos)
{
    const TLineRecord* line = store_->LineAt(Pos);
    return line ? line->Length() - (line->EndsLine() ? 1 : 0) : 0;
}

int TMemoCore::LineFromChar(int Pos)
{
    int index = 0;
    store_->LineAt(Pos == -1 ? selEnd_ : Pos, &index);
    return index;
}

std::string TMemoCore::GetLine(int Line, int Capacity)
{
    if (Line < 0 || Line >= store_->LineCount() || Capacity <= 0)
        return {};
    const TLineRecord* line = store_->LineByIndex(Line);
    const int length = std::min(line->Length() - (line->EndsLine() ? 1 : 0), Capacity);
    return line->Text.substr(0, std::size_t(length));
}

int TMemoCore::CaretColumn()
{
    if (CaretAfterEOL)
        return VirtualColumn + 1;
    int start = 0;
    const TLineRecord* line = store_->LineAt(selEnd_, nullptr, &start);
    return line ? CaretDisplayColumn(*line, selEnd_ - start, TabStops) : 1;
}

void TMemoCore::SetTopLine(int Line)
{
    store_->SetTopLine(std::clamp(Line, 0, LineCount() - 1));
}

// --- view hooks ---

void TMemoCore::ReWrap(TLineRecord*, TLineRecord*) {}

void TMemoCore::Changed()
{
    Fire(OnChange, this);
}

void TMemoCore::Beep()
{
    MessageBeep();
}
