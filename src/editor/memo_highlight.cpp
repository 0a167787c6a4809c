// The highlighting driver: after an edit it runs the active parser over as few lines as it can
// and writes one token byte per character into the line records.
//
// A run starts one line before the first changed line, or further back where the stored tokens
// show a place the parser can resume from (a run of an anchor state's token), always scans the
// changed line, and ends at the first later line whose tokens come out unchanged, unless the
// parser is in a state that binds lines together or a token runs on past the line end. A token
// that opens a container is scanned once more from its start with the container's states.
//
// A run writes at most HighlightSliceLines lines in one go. The rest follows from the event loop,
// slice by slice, as long as nothing else changed the text or used a parser meanwhile; otherwise
// the line the run had reached stays marked and a later run starts there afresh. A parser that
// can returns a long token (a comment opened and left open up to the end of the text) in pieces,
// so that a slice does not read on to the token's end. The token bytes come out as one whole run
// would leave them.
#include "editor/custom_syntax_memo.h"

#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"

#include <QTimer>
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

class TCustomSyntaxMemo::THighlightRun {
public:
    THighlightRun(TCustomSyntaxMemo& Memo, TCustomSyntaxMemoParser& Parser) : memo_(Memo), parser_(Parser) {}

    // Finds where the run starts and prepares the parser.
    void Start(TLineRecord* First)
    {
        FindRestart(First);
        memo_.FireTokenSeen(-1, -1, -1);
        memo_.edStream_.SetRange(line_, offset_, memo_.TextStore().StartOf(line_));
        TakeLine();
        parser_.ResetState(startToken_);
    }

    // Runs on until the run ends (true) or Budget lines were written (0: no limit), where it
    // stops with the line it reached marked. An exception of the parser ends the run with the
    // line being scanned still marked and its old token bytes in place.
    bool Continue(int Budget)
    {
        budget_ = Budget;
        sliceLines_ = 0;
        // A handler of the token event sees every token whole.
        parser_.SetTokenPiece(Budget > 0 && !memo_.OnTokenSeen ? std::max(1, memo_.HighlightPieceLength) : 0);
        if (suspended_)
            Resume();
        try {
            if (!parser_.CustomParseMissing())
                Scan();
            if (suspended_) {
                Suspend();
                return false;
            }
            if (pending_)
                FinishLine(false);
        } catch (...) {
            if (line_)
                line_->Flags |= lfHighlightIncomplete;
            parser_.ResetState(startToken_);
            throw;
        }
        parser_.ResetState(startToken_);
        return true;
    }

    TCustomSyntaxMemoParser& Parser() const { return parser_; }
    // The lines written in all slices, and in the last one.
    int Highlighted = 0;
    int SliceLines() const { return sliceLines_; }

private:
    // Where the parser can resume, with the token it resumes after: the start of the run of
    // equal tokens that ends at the last anchor token before the line's end. Lines without tokens
    // before First (an edit at the end of a line rebuilds that line too) are read again: only the
    // first line starts without a token before it.
    void FindRestart(TLineRecord* First)
    {
        line_ = First;
        counter_ = 0;
        do {
            if (!line_->Prev)
                break;
            line_ = line_->Prev;
            --counter_;
        } while (!line_->Tokens);
        offset_ = 0;
        startToken_ = 0;
        if (!line_->Tokens)
            return;
        TSM_StateSet anchors;
        parser_.GetAnchorStates(anchors);
        if (anchors.Contains(0) && line_->Tokens[0] == 0)
            return;

        TLineRecord* at = line_;
        int pos = at->Length() - 1;
        int counter = counter_;
        // Back from pos over the tokens Skip holds for, across line ends into lines that have
        // tokens, a line at a time: a comment may hold most of the text. False when the tokens
        // ran out first, on the first character that has one.
        const auto backWhile = [&](const auto& Skip) {
            for (;;) {
                const std::uint8_t* tokens = at->Tokens.get();
                while (pos >= 0 && Skip(tokens[pos]))
                    --pos;
                if (pos >= 0)
                    return true;
                if (!at->Prev || !at->Prev->Tokens) {
                    pos = 0;
                    return false;
                }
                at = at->Prev;
                pos = at->Length() - 1;
                --counter;
            }
        };
        backWhile([&anchors](std::uint8_t Token) { return !anchors.Contains(Token); });
        startToken_ = at->Tokens[std::size_t(pos)];
        --pos;
        const bool other = backWhile([this](std::uint8_t Token) { return Token == startToken_; });
        int restart = other ? pos + 1 : 0;
        if (restart == at->Length() && at->Next) {
            at = at->Next;
            restart = 0;
            ++counter;
        }
        line_ = at;
        offset_ = restart;
        counter_ = counter;
    }

    // The current line's tokens as they were, and the buffer the new ones go into.
    void TakeLine()
    {
        const std::size_t length = std::size_t(line_->Length());
        old_ = line_->Tokens.get();
        new_ = std::make_unique<std::uint8_t[]>(length);
        if (old_)
            std::memcpy(new_.get(), old_, length);
        pending_ = true;
        changed_ = false;
    }

    void Scan()
    {
        TEdStream& stream = memo_.edStream_;
        // The rest of a token that the last slice did not write.
        if (fillLeft_ > 0 && !Fill(std::exchange(fillLeft_, 0), fillToken_, fillKeepPlain_))
            return;
        while (!stream.EndOfText() && !stop_) {
            if (BudgetSpent()) {
                suspended_ = true;
                return;
            }
            TLineRecord* const savedLine = line_;
            const int savedOffset = offset_;
            const int savedCounter = counter_;
            const int tokenStart = stream.GetPosition();
            bool rescanning = false;
            do {
                const int start = stream.GetPosition();
                int length = 0;
                int token = parser_.NextToken(&memo_, stream, length);
                if (length <= 0) {
                    if (!stream.EndOfText())
                        stream.Next();
                    length = 1;
                }
                token = memo_.FireTokenSeen(token, start, stream.GetPosition());
                token &= 0xFF;
                if (parser_.ContainerPending() && !rescanning) {
                    // The container's text is scanned again with its states; what they leave as
                    // plain text keeps the container's token. The line is compared with its
                    // tokens from before the run, not with this first pass: a container that
                    // ran on past the line end leaves the line marked as changed instead.
                    Fill(length, std::uint8_t(token), false);
                    if (line_ != savedLine || !new_) {
                        if (!stop_ && new_) {
                            line_->Tokens = std::move(new_);
                            line_->Flags |= lfHighlightIncomplete;
                        }
                        line_ = savedLine;
                        TakeLine();
                        changed_ = true;
                    }
                    stream.SetPosition(tokenStart);
                    counter_ = savedCounter;
                    offset_ = savedOffset;
                    pending_ = true;
                    stop_ = false;
                    rescanning = true;
                } else if (!Fill(length, std::uint8_t(token), rescanning)) {
                    return;
                }
            } while (!stream.EndOfText() && parser_.ContainerPending());
        }
    }

    // Writes Token over Length characters, finishing each line it completes. A token that runs
    // on into the next line (also in its next piece) makes that line part of the run. Once the
    // slice's lines are written the rest of the token waits for the next slice (false), unless a
    // container is pending.
    bool Fill(int Length, std::uint8_t Token, bool KeepPlain)
    {
        const bool goesOn = parser_.TokenPaused();
        for (int i = 0; i < Length && new_; ++i) {
            if (offset_ < line_->Length() && !(KeepPlain && Token == 0))
                new_[std::size_t(offset_)] = Token;
            ++offset_;
            if (offset_ >= line_->Length()) {
                FinishLine(i + 1 < Length || goesOn);
                if (i + 1 < Length && new_ && BudgetSpent() && !parser_.ContainerPending()) {
                    fillLeft_ = Length - i - 1;
                    fillToken_ = Token;
                    fillKeepPlain_ = KeepPlain;
                    suspended_ = true;
                    return false;
                }
            }
        }
        if (stop_ && (offset_ != 0 || goesOn) && new_)
            stop_ = false;
        return true;
    }

    bool BudgetSpent() const { return budget_ > 0 && sliceLines_ >= budget_; }

    // Between slices the line reached is marked, so that no other run ends there; the stream
    // may serve others meanwhile.
    void Suspend()
    {
        TEdStream& stream = memo_.edStream_;
        streamLine_ = stream.Line();
        streamOffset_ = stream.Offset();
        streamPosition_ = stream.GetPosition();
        frontierMarked_ = line_->Flags & lfNeedsHighlight;
        line_->Flags |= lfNeedsHighlight;
    }

    // The text is as the last slice left it; the line's stored tokens may have been replaced.
    void Resume()
    {
        suspended_ = false;
        if (!frontierMarked_)
            line_->Flags &= ~lfNeedsHighlight;
        old_ = line_->Tokens.get();
        memo_.edStream_.SetRange(streamLine_, streamOffset_, streamPosition_ - streamOffset_);
    }

    // A line whose tokens come out unchanged ends the run once the changed line lies behind,
    // the next line has tokens of its own and no state binds it to this one. A line that had no
    // tokens always takes the new ones.
    void FinishLine(bool CharsRemain)
    {
        const std::size_t length = std::size_t(line_->Length());
        if (changed_ || parser_.ContainerPending() || !old_ || std::memcmp(old_, new_.get(), length) != 0) {
            stop_ = false;
        } else {
            stop_ = !(line_->Flags & lfNeedsHighlight) && counter_ >= 1 &&
                    (!line_->Next || line_->Next->Tokens) && !parser_.InBoundState();
        }
        pending_ = false;
        if (stop_ && !CharsRemain) {
            new_.reset();
            return;
        }
        ++Highlighted;
        ++sliceLines_;
        line_->Tokens = std::move(new_);
        std::uint32_t& flags = line_->SettledFlags();
        flags = (flags & ~(lfNeedsHighlight | lfHighlightIncomplete)) | lfRepaint;
        if (!line_->Next) {
            stop_ = true;
            return;
        }
        line_ = line_->Next;
        offset_ = 0;
        ++counter_;
        TakeLine();
    }

    TCustomSyntaxMemo& memo_;
    TCustomSyntaxMemoParser& parser_;
    TLineRecord* line_ = nullptr;
    const std::uint8_t* old_ = nullptr;
    std::unique_ptr<std::uint8_t[]> new_;
    int offset_ = 0;
    // The current line's distance from the line the run was asked to start at.
    int counter_ = 0;
    std::uint8_t startToken_ = 0;
    bool pending_ = false;
    bool stop_ = false;
    // The current line's stored tokens were already replaced in this run.
    bool changed_ = false;
    // Slicing: the lines this slice may write (0: any number) and has written; where the run
    // stopped, with the rest of the token being written and the stream's place.
    int budget_ = 0;
    int sliceLines_ = 0;
    bool suspended_ = false;
    bool frontierMarked_ = false;
    int fillLeft_ = 0;
    std::uint8_t fillToken_ = 0;
    bool fillKeepPlain_ = false;
    TLineRecord* streamLine_ = nullptr;
    int streamOffset_ = 0;
    int streamPosition_ = 0;
};

void TCustomSyntaxMemo::TRunDeleter::operator()(THighlightRun* Run) const
{
    delete Run;
}

namespace {

// Counts the slices of all runs of all editors: a run may go on with its parser only when no
// other slice used a parser since its own.
unsigned slicesRun = 0;

} // namespace

void TCustomSyntaxMemo::UpdateHighlighting()
{
    if (TLineRecord* line = TextStore().HighlightFrom())
        HighlightFrom(line);
}

void TCustomSyntaxMemo::HighlightFrom(TLineRecord* Line)
{
    TextStore().SetHighlightFrom(Line);
    if (Line)
        Line->Flags |= lfNeedsHighlight;
    RunHighlighter();
}

void TCustomSyntaxMemo::HighlightAll()
{
    TLineRecord* first = TextStore().FirstLine();
    if (!first)
        return;
    const bool whole = std::exchange(wholeRuns_, true);
    HighlightFrom(first);
    DrainHighlightBacklog();
    wholeRuns_ = whole;
}

void TCustomSyntaxMemo::FinishHighlighting()
{
    const bool whole = std::exchange(wholeRuns_, true);
    if (SlicedRunCanGoOn())
        RunSlice();
    else
        DropSlicedRun();
    DrainHighlightBacklog();
    wholeRuns_ = whole;
}

// Every line a dropped run left marked starts one run, whatever that run can do there.
void TCustomSyntaxMemo::DrainHighlightBacklog()
{
    while (highlightBacklog_) {
        TLineRecord* marked = MarkedLine();
        highlightBacklog_ = marked != nullptr;
        if (!marked)
            return;
        const unsigned changes = TextStore().Changes();
        HighlightFrom(marked);
        if (TextStore().Changes() == changes && !slicedRun_ && !(CurrentParser() && CurrentParser()->Busy()))
            marked->Flags &= ~lfNeedsHighlight;
    }
}

bool TCustomSyntaxMemo::SlicedRunCanGoOn() const
{
    return slicedRun_ && ready_ && sliceStore_ == &TextStore() && sliceChanges_ == TextStore().Changes() &&
           sliceCount_ == slicesRun && &slicedRun_->Parser() == CurrentParser() && !slicedRun_->Parser().Busy();
}

void TCustomSyntaxMemo::RunHighlighter()
{
    // Asked from within a slice (by a token handler): the run comes after this one.
    if (slicing_) {
        PostRun();
        return;
    }
    DropSlicedRun();
    TTextStore& store = TextStore();
    TLineRecord* first = store.HighlightFrom();
    store.SetHighlightFrom(nullptr);
    highlightedLines_ = 0;
    if (!ready_)
        return;
    TCustomSyntaxMemoParser* parser = CurrentParser();
    if (!parser || !first || !(first->SettledFlags() & (lfNeedsHighlight | lfHighlightIncomplete))) {
        FireTokenSeen(-2, -2, -2);
        return;
    }
    if (parser->Busy()) {
        // Another run is inside a container with this parser: this one waits for it to end.
        first->Flags |= lfNeedsHighlight;
        PostRun();
        return;
    }
    slicedRun_.reset(new THighlightRun(*this, *parser));
    try {
        slicedRun_->Start(first);
    } catch (...) {
        slicedRun_.reset();
        ReportHighlightFailure();
        FireTokenSeen(-2, -2, -2);
        return;
    }
    RunSlice();
}

// One slice of the run; a run that goes on is taken up again once the events now waiting have
// been handled.
void TCustomSyntaxMemo::RunSlice()
{
    THighlightRun& run = *slicedRun_;
    ++slicesRun;
    bool ended = true;
    slicing_ = true;
    try {
        ended = run.Continue(wholeRuns_ ? 0 : std::max(1, HighlightSliceLines));
    } catch (...) {
        ReportHighlightFailure();
    }
    slicing_ = false;
    highlightedLines_ = run.Highlighted;
    if (run.SliceLines() > 0)
        InvalidateLines();
    if (!ended) {
        sliceStore_ = &TextStore();
        sliceChanges_ = TextStore().Changes();
        sliceCount_ = slicesRun;
        PostRun();
        return;
    }
    slicedRun_.reset();
    FireTokenSeen(-2, -2, -2);
    if (highlightBacklog_)
        PostRun();
}

// A run left between slices is dropped: the line it had reached stays marked for a later run.
void TCustomSyntaxMemo::DropSlicedRun()
{
    if (!slicedRun_)
        return;
    slicedRun_.reset();
    highlightBacklog_ = true;
    FireTokenSeen(-2, -2, -2);
}

void TCustomSyntaxMemo::ReportHighlightFailure()
{
    WithCaughtException([](Exception& E) {
        if (Application)
            Application->HandleException(E);
        else
            TApplication::ReportException(E);
    });
}

// The run goes on where its last slice stopped when nothing changed meanwhile; otherwise a run
// starts at the first line still marked, unless an edit has named one since.
void TCustomSyntaxMemo::PostRun()
{
    if (runPosted_)
        return;
    runPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        runPosted_ = false;
        AtBoundary([this] {
            if (SlicedRunCanGoOn()) {
                RunSlice();
                return;
            }
            DropSlicedRun();
            TLineRecord* marked = nullptr;
            if (!TextStore().HighlightFrom()) {
                marked = MarkedLine();
                highlightBacklog_ = marked != nullptr;
                TextStore().SetHighlightFrom(marked);
            }
            const unsigned changes = TextStore().Changes();
            RunHighlighter();
            // A marked line starts one run only, whatever that run could do.
            if (marked && !slicedRun_ && TextStore().Changes() == changes)
                marked->Flags &= ~lfNeedsHighlight;
        });
    });
}

TLineRecord* TCustomSyntaxMemo::MarkedLine() const
{
    for (TLineRecord* line = TextStore().FirstLine(); line; line = line->Next) {
        if (line->Flags & lfNeedsHighlight)
            return line;
    }
    return nullptr;
}

// A handler's failure does not stop the run.
int TCustomSyntaxMemo::FireTokenSeen(int Token, int StartPos, int EndPos)
{
    if (!OnTokenSeen)
        return Token;
    const TTokenSeenEvent handler = OnTokenSeen;
    try {
        handler(this, Token, StartPos, EndPos);
    } catch (...) {
    }
    return Token;
}
