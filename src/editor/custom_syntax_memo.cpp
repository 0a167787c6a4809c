// The editor control: construction, the Qt events that stand for its window messages, selection,
// replacing the selection, the view state and the text as a whole.
#include "editor/custom_syntax_memo.h"

#include "editor/document/memo_strings.h"
#include "editor/language/settings_routines.h"
#include "editor/language/sm_settings.h"
#include "editor/memo_macro_editor.h"
#include "editor/text_export.h"

#include "platform/messages/edit_messages.h"
#include "platform/rtl/streams.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QStyleHints>
#include <algorithm>
#include <cstring>

TCustomSyntaxMemo::TCustomSyntaxMemo(QWidget* Parent)
    : QAbstractScrollArea(Parent), ownSettings_(std::make_unique<TSM_Settings>()), settings_(ownSettings_.get()),
      caretControl_(this), edStream_(this)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    DoubleClickInterval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    // Moves without a button show the hot spots and the margin lines.
    viewport()->setMouseTracking(true);
    SetBorderStyle(bsSingle);
    SetScrollBars(ssBoth);
    settings_->AttachEditor(this);
    attachedSettings_ = settings_;
    cachedOptions_ = settings_->Options;
    cachedWrapColumn_ = settings_->WrapAtColumn;
    HookSettings();
    TabStops = settings_->TabStops();
    TMemoCore::WordWrap = settings_->Options & OPT_WORDWRAP;
    fontChanging_ = true;
    setFont(QFont(settings_->FontName, settings_->FontSize));
    fontChanging_ = false;
    Measure();
    caretTimer_.setInterval(std::max(1, QGuiApplication::styleHints()->cursorFlashTime() / 2));
    connect(&caretTimer_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        viewport()->update(CaretRect());
    });
    autoScrollTimer_.setInterval(50);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &TCustomSyntaxMemo::AutoScrollTick);
    RegisterDropTarget();
}

// The parsers in the slots forget this editor, and it leaves the settings it shows.
TCustomSyntaxMemo::~TCustomSyntaxMemo()
{
    destroying_ = true;
    for (TCustomSyntaxMemoParser*& parser : parsers_) {
        if (TCustomSyntaxMemoParser* old = std::exchange(parser, nullptr);
            old && std::find(parsers_.begin(), parsers_.end(), old) == parsers_.end())
            old->RemoveEditor(this);
    }
    if (attachedSettings_)
        attachedSettings_->DetachEditor(this);
}

// --- Qt events ---

bool TCustomSyntaxMemo::event(QEvent* Event)
{
    // TAB and Backtab are the editor's own while it wants TAB.
    if (Event->type() == QEvent::KeyPress && WantTab) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(Event));
            return true;
        }
    }
    return QAbstractScrollArea::event(Event);
}

void TCustomSyntaxMemo::resizeEvent(QResizeEvent* Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    const QSize size = viewport()->size();
    SetClientSize(size.width(), size.height());
}

void TCustomSyntaxMemo::focusInEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    caretOn_ = true;
    if (caretBlinking_ && QGuiApplication::styleHints()->cursorFlashTime() > 0)
        caretTimer_.start();
    Perform(win::WM_SETFOCUS, 0, 0);
}

void TCustomSyntaxMemo::focusOutEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    caretTimer_.stop();
    Perform(win::WM_KILLFOCUS, 0, 0);
}

void TCustomSyntaxMemo::changeEvent(QEvent* Event)
{
    QAbstractScrollArea::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        FontChanged();
    else if (Event->type() == QEvent::EnabledChange)
        Invalidate();
}

bool TCustomSyntaxMemo::focusNextPrevChild(bool Next)
{
    return WantTab ? false : QAbstractScrollArea::focusNextPrevChild(Next);
}

// The font goes into the settings, so that every editor of the language shows it. A change the
// control makes itself (from the settings) does not come back here.
void TCustomSyntaxMemo::FontChanged()
{
    if (fontChanging_)
        return;
    fontChanging_ = true;
    settings_->FontName = font().family();
    settings_->FontSize = font().pointSize();
    fontSet_ = true;
    Measure();
    MarkAllForHighlight();
    settings_->UpdateStyleFonts();
    if (TMemoCore::WordWrap && ready_)
        ReWrap(nullptr, nullptr);
    ScrollCaretIntoView();
    Invalidate();
    fontChanging_ = false;
}

void TCustomSyntaxMemo::Measure()
{
    metrics_ = MeasureFont(font());
    SetClientSize(clientWidth_, clientHeight_);
    FeedFontBack();
}

void TCustomSyntaxMemo::MarkAllForHighlight()
{
    for (TLineRecord* line = TextStore().FirstLine(); line; line = line->Next)
        line->Flags |= lfHighlightIncomplete;
}

// Each run goes on from a line without tokens as far as the tokens change, so a line is
// highlighted once however many of its neighbours changed. Edits, and the re-wrapping they cause,
// take the tokens of whole logical lines at most.
void TCustomSyntaxMemo::HighlightChangedLines(int From, int To)
{
    TLineRecord* line = TextStore().LineAt(From);
    TLineRecord* last = TextStore().LineAt(To);
    if (!line || !last)
        return;
    line = line->LogicalFirst();
    for (const TLineRecord* stop = last->LogicalLast()->Next; line != stop; line = line->Next) {
        if (line->Tokens)
            continue;
        HighlightFrom(line);
        // No run could be made (no parser, not ready, or the parser is busy): the line stays
        // marked for later.
        if (!line->Tokens)
            break;
    }
}

// --- selection ---

void TCustomSyntaxMemo::SetSelection(int Start, int End, bool Quiet)
{
    const int oldStart = SelStart();
    const int oldEnd = SelEnd();
    TMemoCore::SetSelection(Start, End, Quiet);
    if (!HasOption(smoCaretAfterEOL))
        rememberedColumn_ = CaretColumn() - 1;
    if (Quiet || !PaintingEnabled())
        return;
    if (SelStart() == oldStart && SelEnd() == oldEnd)
        UpdateHighlighting();
    if (!CaretAfterEOL)
        ScrollCaretIntoView();
    Invalidate();
}

int TCustomSyntaxMemo::SelectionToBuffer(std::span<char> Buffer, bool CRLF)
{
    const std::string text = SelText(CRLF ? TLineEnds::CRLF : TLineEnds::CR);
    if (!Buffer.empty()) {
        const std::size_t count = std::min(text.size(), Buffer.size() - 1);
        std::memcpy(Buffer.data(), text.data(), count);
        Buffer[count] = '\0';
    }
    return int(text.size());
}

int TCustomSyntaxMemo::SelectionByteCount(bool CRLF)
{
    return SelectionToBuffer({}, CRLF);
}

// --- editing ---

void TCustomSyntaxMemo::ReplaceSelectionText(std::string_view Text, bool Quiet)
{
    std::string filled;
    if (CaretAfterEOL && SelStart() == SelEnd()) {
        CaretAfterEOL = false;
        int start = 0;
        const TLineRecord* line = TextStore().LineAt(SelEnd(), nullptr, &start);
        const int lineEnd = line ? line->Length() - (line->EndsLine() ? 1 : 0) : 0;
        const int endColumn = line ? DisplayColumn(*line, lineEnd, TabStops) : 0;
        const QByteArray fill = InsertFill(endColumn, VirtualColumn, OptionWord(), TabStops);
        filled.assign(fill.constData(), std::size_t(fill.size()));
        filled.append(Text);
        Text = filled;
    }
    const int lines = TextStore().LineCount();
    ReplaceSelection(Text);
    CaretAfterEOL = false;
    rememberedColumn_ = CaretColumn() - 1;
    VirtualColumn = rememberedColumn_;
    if (Quiet || !PaintingEnabled())
        return;
    RepaintEdit(lines);
    ScrollCaretIntoView();
    UpdateScrollBars();
}

void TCustomSyntaxMemo::ReadSelectionFromStream(TStream& Source, bool Quiet)
{
    ReadStream(Source);
    if (Quiet)
        return;
    SetSelection(SelStart(), SelEnd());
    Invalidate();
}

void TCustomSyntaxMemo::WriteSelectionToStream(TStream& Stream, unsigned Format)
{
    const auto [start, end] = OrderRange(SelStart(), SelEnd());
    WriteRange(Stream, start, end, Format);
}

// The exports carry the highlighting: it is brought up to date first.
void TCustomSyntaxMemo::WriteRange(TStream& Stream, int Start, int End, unsigned Format)
{
    if (Format & (sm::wfRTF | sm::wfHTML))
        HighlightAll();
    WriteTextRange(Stream, TextStore(), Start, End, Format, {settings_, Title, Now()});
}

// --- view state ---

void TCustomSyntaxMemo::SetUpdateLock(bool Locked, bool Quiet)
{
    updateLock_ = Locked;
    if (Locked || Quiet)
        return;
    MarkAllForHighlight();
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomSyntaxMemo::SetLeftColumn(int Column, bool Quiet)
{
    leftColumn_ = std::max(0, Column);
    UpdateScrollBars();
    if (!Quiet)
        Invalidate();
}

void TCustomSyntaxMemo::SetTopLine(int Line)
{
    TMemoCore::SetTopLine(Line);
    UpdateScrollBars();
    Invalidate();
}

void TCustomSyntaxMemo::SetRedraw(bool On)
{
    TMemoCore::SetRedraw(On);
    if (On) {
        Invalidate();
        UpdateScrollBars();
    }
}

void TCustomSyntaxMemo::Invalidate()
{
    if (!PaintingEnabled())
        return;
    ++repaintRequests_;
    viewport()->update();
}

void TCustomSyntaxMemo::InvalidateLines()
{
    if (!PaintingEnabled())
        return;
    ++repaintRequests_;
    viewport()->update(FlaggedRows());
}

void TCustomSyntaxMemo::RepaintEdit(int LinesBefore)
{
    if (ShowFocusLine || TextStore().LineCount() != LinesBefore) {
        Invalidate();
    } else {
        // The caret moves from where it was drawn last.
        InvalidateLines();
        if (PaintingEnabled())
            viewport()->update(hasFocus() ? QRegion(caretShown_) + CaretRect() : QRegion(caretShown_));
    }
}

QRegion TCustomSyntaxMemo::FlaggedRows()
{
    QRegion rows;
    const int lineHeight = metrics_.LineHeight;
    TLineRecord* line = TextStore().LineCount() ? TextStore().TopLineRecord() : nullptr;
    for (int y = 0; y < clientHeight_; y += lineHeight) {
        if (!line || (line->SettledFlags() & (lfRepaint | lfHighlightIncomplete))) {
            rows += QRect(0, y, clientWidth_, line ? lineHeight : clientHeight_ - y);
            if (!line)
                break;
        }
        line = line->Next;
    }
    return rows;
}

void TCustomSyntaxMemo::SetClientSize(int Width, int Height)
{
    clientWidth_ = Width;
    clientHeight_ = Height;
    if (Width <= 0 || Height <= 0) {
        visibleColumns_ = 80;
        VisibleLines = 40;
        return;
    }
    visibleColumns_ = std::max(0, (Width - TextLeft()) / metrics_.CharWidth);
    VisibleLines = Height / metrics_.LineHeight;
    if (TMemoCore::WordWrap && WrapAtColumn() == 0)
        ReWrap(nullptr, nullptr);
    MarkAllForHighlight();
    UpdateScrollBars();
    Invalidate();
}

int TCustomSyntaxMemo::ScrollScale() const
{
    return VerticalScrollScale(TextStore().LineCount());
}

void TCustomSyntaxMemo::ScrollBy(int Columns, int Lines)
{
    SetLeftColumn(leftColumn_ + Columns, true);
    SetTopLine(TopLine() + Lines);
}

// The thumb's 16-bit position counts steps of the scroll scale on the vertical bar.
void TCustomSyntaxMemo::Scroll(bool Vertical, win::WPARAM Code)
{
    const int page = Vertical ? VisibleLines : visibleColumns_;
    const int current = Vertical ? TopLine() : leftColumn_;
    const int thumb = win::HIWORD(win::LPARAM(Code));
    int target = current;
    switch (win::LOWORD(win::LPARAM(Code))) {
    case win::SB_LINEUP: target = current - 1; break;
    case win::SB_LINEDOWN: target = current + 1; break;
    case win::SB_PAGEUP: target = current - page; break;
    case win::SB_PAGEDOWN: target = current + page; break;
    case win::SB_THUMBTRACK: target = Vertical ? thumb * ScrollScale() : thumb; break;
    case win::SB_BOTTOM:
        if (Vertical)
            target = thumb * ScrollScale();
        break;
    default: return;
    }
    if (Vertical)
        SetTopLine(target);
    else
        SetLeftColumn(target);
}

// --- the text as a whole ---

void TCustomSyntaxMemo::SetTextBuffer(const char* Text)
{
    SetText(Text ? std::string_view(Text) : std::string_view());
}

int TCustomSyntaxMemo::GetTextBuffer(std::span<char> Buffer)
{
    if (Buffer.empty())
        return 0;
    const TLineEnds ends = TextStore().SelLineStyle == lsCRLF ? TLineEnds::CRLF : TLineEnds::CR;
    const std::string text = TextStore().GetText(0, int(Buffer.size()), ends);
    const std::size_t count = std::min(text.size(), Buffer.size() - 1);
    std::memcpy(Buffer.data(), text.data(), count);
    Buffer[count] = '\0';
    return int(count);
}

int TCustomSyntaxMemo::GetTextLen()
{
    return int(TextStore().GetText(0, TextLength(), TextStore().SelLineStyle == lsCRLF ? TLineEnds::CRLF
                                                                                       : TLineEnds::CR)
                   .size());
}

int TCustomSyntaxMemo::GetLineBuffer(int Line, std::span<char> Buffer)
{
    const std::string text = GetLine(Line, int(std::min<std::size_t>(Buffer.size(), 0xFFFF)));
    std::memcpy(Buffer.data(), text.data(), text.size());
    return int(text.size());
}

// --- token bytes ---

bool TCustomSyntaxMemo::LinesOf(const sm::TLineRange* Range, TLineRecord*& First, TLineRecord*& Last)
{
    TTextStore& store = TextStore();
    if (store.LineCount() == 0)
        return false;
    First = Range ? store.LineByIndex(std::max(0, Range->First)) : store.FirstLine();
    Last = Range ? store.LineByIndex(std::max(0, Range->Last)) : store.LastLine();
    return First && Last;
}

void TCustomSyntaxMemo::SetTokenBytes(std::span<const std::uint8_t> Buffer, const sm::TLineRange* Range)
{
    TLineRecord* first = nullptr;
    TLineRecord* last = nullptr;
    if (!LinesOf(Range, first, last))
        return;
    std::size_t at = 0;
    for (TLineRecord* line = first; line; line = line->Next) {
        const std::size_t length = std::size_t(line->Length());
        if (at + length > Buffer.size())
            break;
        if (!line->Tokens)
            line->Tokens = std::make_unique<std::uint8_t[]>(length);
        std::copy_n(Buffer.data() + at, length, line->Tokens.get());
        line->Flags |= lfRepaint;
        at += length;
        if (line == last)
            break;
    }
    if (!Range) {
        TextStore().SetHighlightFrom(nullptr);
        Invalidate();
    }
}

void TCustomSyntaxMemo::GetTokenBytes(std::span<std::uint8_t> Buffer, const sm::TLineRange* Range)
{
    TLineRecord* first = nullptr;
    TLineRecord* last = nullptr;
    if (!LinesOf(Range, first, last))
        return;
    std::size_t at = 0;
    for (const TLineRecord* line = first; line; line = line->Next) {
        const std::size_t length = std::size_t(line->Length());
        if (at + length > Buffer.size())
            break;
        if (line->Tokens)
            std::copy_n(line->Tokens.get(), length, Buffer.data() + at);
        else
            std::fill_n(Buffer.data() + at, length, 0);
        at += length;
        if (line == last)
            break;
    }
}

// --- undo log and store ---

std::unique_ptr<TUndoStack> TCustomSyntaxMemo::SetUndoLog(std::unique_ptr<TUndoStack> Log)
{
    std::unique_ptr<TUndoStack> previous = TextStore().AttachUndoLog(std::move(Log));
    Changed();
    return previous;
}

std::unique_ptr<TTextStore> TCustomSyntaxMemo::SetTextStore(std::unique_ptr<TTextStore> Store)
{
    return ExchangeTextStore(std::move(Store));
}

const char* TCustomSyntaxMemo::Identity()
{
    static const std::string identity = std::string("<TSyntaxMemo>:") + Version;
    return identity.c_str();
}

win::LRESULT TCustomSyntaxMemo::DialogCode() const
{
    return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | (WantTab ? win::DLGC_WANTTAB : 0);
}
