// TMemoCore, the editor's half that needs no window: the document shown, the selection and top
// line, replacing the selection (the one road of every change of the text), the undo recorder
// with undo and redo, numbered bookmarks and marks, and loading and saving text. The editor
// control derives from it, maps its messages onto these operations and overrides the view hooks.
#pragma once

#include "editor/document/display_columns.h"
#include "editor/document/text_store.h"

#include "platform/rtl/object.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCustomSyntaxMemoParser;
class TMemoCore;
class TStream;
class TSyntaxMemoStrings;

// One who keeps a pointer to an editor (a parser lists the editors it serves) and must drop it
// when the editor is freed.
class TEditorLink {
public:
    virtual void EditorFreed(TMemoCore* Editor) = 0;

protected:
    ~TEditorLink() = default;
};

using TTextChangeEvent = std::function<void(TObject* Sender, int Start, int Extent)>;
using TBookmarkEvent = std::function<void(TObject* Sender, int N)>;
using TCustomBookmarkFreeEvent = std::function<void(TObject* Sender, const QString& Name)>;
using TMarkChangeEvent = std::function<void(TObject* Sender, TMark* Mark)>;
using TMemoNotifyEvent = std::function<void(TObject* Sender)>;

// Texts are bytes, one byte a character. Positions are 0-based character indexes with each line
// end counting one. The selection is kept unordered; the caret stands at its end.
class TMemoCore : public TComponent {
public:
    explicit TMemoCore(TComponent* AOwner = nullptr);
    ~TMemoCore() override;

    // --- the document ---
    TTextStore& TextStore() const { return *store_; }
    // Shows Store (ignored when null) and hands back the store shown before: whoever holds a
    // store frees it. The store's annotations report to this editor from now on, and painting
    // stays off until the next SetRedraw(true).
    std::unique_ptr<TTextStore> ExchangeTextStore(std::unique_ptr<TTextStore> Store);
    int TextLength() const { return store_->TextLength(); }

    // --- selection ---
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    // A Start of -1 selects the whole text; otherwise both ends are limited to the text. Quiet
    // asks the view not to repaint or scroll.
    virtual void SetSelection(int Start, int End, bool Quiet = false);
    // The selected text with the given line ends.
    std::string SelText(TLineEnds Ends = TLineEnds::CR);

    // --- editing ---
    // Replaces the selection with Text (line ends of any kind) as undo block 24, leaving the
    // caret after it.
    void ReplaceSelection(std::string_view Text);
    // Replaces the selection with the stream's content from its position to its end.
    void ReadStream(TStream& Source);
    // Replaces the whole text with the stream's content; the undo log ends up empty.
    virtual void LoadFromStream(TStream& Stream);
    // Writes the whole text with the line ends SelLineStyle asks for; empties the undo log.
    virtual void SaveToStream(TStream& Stream);
    // Replaces the whole text, as LoadFromStream does.
    void SetText(std::string_view Text);
    // The whole text with the line ends SelLineStyle asks for.
    std::string GetText();
    // Deletes the whole text and empties the undo log.
    void Clear();

    // --- lines (records) ---
    // The number of lines, at least 1.
    int LineCount() const;
    // The start of a line (-1: the caret's); the text length for a line past the last.
    int LineIndex(int Line);
    // The length without line end of the line holding Pos; 0 when there is none.
    int LineLength(int Pos);
    // The index of the line holding Pos (-1: the caret).
    int LineFromChar(int Pos);
    // A line's text without its line end, at most Capacity characters; empty past the last line.
    std::string GetLine(int Line, int Capacity);
    int TopLine() const { return store_->TopLine(); }
    // Scrolls so that the 0-based line is first, limited to the lines there are.
    virtual void SetTopLine(int Line);
    // The caret's 1-based display column.
    int CaretColumn();

    // --- undo ---
    // The recorder, the one entry through which the log is written (see memo_undo.cpp).
    void RecordUndo(int Kind, int A = 0, int B = 0, std::string_view Text = {});
    void BeginUndoBlock(int ID);
    void EndUndoBlock(int ID);
    // Undoes one edit step or one whole block; Redo does it again.
    void Undo();
    void Redo();
    // Undoes or redoes until Target (a node of the log, as the undo-list walk hands it out) is
    // reached; undoing includes Target's own step. Nothing happens when Target is not in the log.
    void UndoRedoTo(const TUndoNode* Target);
    bool CanUndo() const;
    bool CanRedo() const;
    bool Modified() const;
    // False empties the undo log; True makes the text count as changed until the next save.
    void SetModified(bool Value);
    TUndoStack* GetUndoStack() const { return store_->UndoLog(); }

    // --- highlighting ---
    // While held, edits leave the highlighting alone; the last release brings every line changed
    // meanwhile up to date, each once, going down from the first of them. Batches of edits
    // (replacing every match, undoing a block) hold it. THighlightHold holds it for a scope.
    void HoldHighlighting() { ++highlightHolds_; }
    void ReleaseHighlighting();
    bool HighlightingHeld() const { return highlightHolds_ > 0; }

    // --- numbered bookmarks (N is 0..9) and marks ---
    // Toggles or moves bookmark N; Line -1 means the caret's line and column (1-based).
    void SetBookmark(int N, int Line, int Column);
    // Puts the caret at bookmark N and scrolls its line to the middle of the window.
    void GotoBookmark(int N);
    // The 1-based line and column of bookmark N; false when it is not set.
    bool GetBookmarkPos(int N, int& Line, int& Column);
    virtual TMark* AddMark(int Start, int Length, std::int32_t Data);
    virtual bool FindMark(int Pos, int Length, TMark*& Mark);
    virtual int GetMarkStart(const TMark* Mark) { return Mark->Start; }
    virtual void SetMarkStart(TMark* Mark, int Pos);
    virtual void SetMarkEnd(TMark* Mark, int Pos);
    virtual int GetMarkEnd(const TMark* Mark) { return Mark->End; }

    // --- view ---
    TSyntaxMemoStrings& Lines() const { return *lines_; }
    bool PaintingEnabled() const { return paintingEnabled_; }
    virtual void SetRedraw(bool On) { paintingEnabled_ = On; }
    // The view must be repainted (also asked by the settings the editor shows).
    virtual void Invalidate() {}
    // Only the lines flagged for repaint changed: the view repaints their rows.
    virtual void InvalidateLines() { Invalidate(); }
    // Flags the shown lines that hold a character of Start..End (both included) for repaint and
    // repaints their rows.
    void InvalidateRange(int Start, int End);
    // Values the view keeps up to date.
    int VisibleLines = 40;
    bool WordWrap = false;
    bool CaretAfterEOL = false;
    int VirtualColumn = 0; // 0-based, used in caret-after-end-of-line mode
    TTabStops TabStops;

    // --- parsers ---
    // Link->EditorFreed(this) runs once when this editor is freed, however often it was asked for.
    void FreeNotification(TEditorLink* Link);
    void RemoveFreeNotification(TEditorLink* Link);
    // A parser's RefreshEditors asks this of every editor it serves: install the active parser
    // again (re-apply its settings and re-highlight). The editor control overrides it.
    virtual void ReinstallParser() {}
    // Parser is being freed: empty every slot that holds it. It runs inside the parser's
    // destructor, where only the parser's settings and editor list may still be used. The editor
    // control overrides it.
    virtual void ParserFreed(TCustomSyntaxMemoParser* /*Parser*/) {}

    TTextChangeEvent OnTextChange;
    TBookmarkEvent OnBookmarkSet;
    TCustomBookmarkFreeEvent OnCustomBookmarkFree;
    TMarkChangeEvent OnMarkFree;
    TMarkChangeEvent OnMarkChange;
    TSM_BreakpointEvent OnBreakpointFree;
    TSM_BreakpointEvent OnBreakpointStateChange;
    TMemoNotifyEvent OnChange;

protected:
    // Re-wraps the logical lines from the one holding StartLine to the one holding EndLine (null:
    // from the first line, to the last).
    virtual void ReWrap(TLineRecord* StartLine, TLineRecord* EndLine);
    // Brings the highlighting up to date from the store's first line to re-highlight.
    virtual void UpdateHighlighting() {}
    // Highlights the lines without token bytes from the logical line holding From to the one
    // holding To.
    virtual void HighlightChangedLines(int /*From*/, int /*To*/) {}
    // The text changed as a whole (after a load, undo or redo).
    virtual void Changed();
    virtual void Beep();

private:
    void BindStore(TTextStore& Store);
    static void UnbindStore(TTextStore& Store);
    void BindMarks(TMarkList& Marks);
    // An edit while the highlighting is held: Count characters inserted at Pos, or -Count removed
    // from there.
    void NoteHeldEdit(int Pos, int Count);
    void InsertText(int Pos, std::string_view Text);
    void InsertBlock(int Pos, std::string_view Text);
    void DeleteText(int Start, int End);
    void RunSteps(bool Back);
    TLineRecord* LineWithBookmark(int N, int* Index, int* Start);

    std::vector<TEditorLink*> links_;
    std::unique_ptr<TTextStore> store_;
    std::unique_ptr<TSyntaxMemoStrings> lines_;
    int selStart_ = 0;
    int selEnd_ = 0;
    bool paintingEnabled_ = true;
    bool appendMode_ = false;
    int highlightHolds_ = 0;
    // The first and the last position, in the text as it is now, that edits changed while held
    // (-1: none).
    int heldEditFrom_ = -1;
    int heldEditTo_ = -1;
    std::string conversion_;

    // Undo state: recording is off only while undoing or redoing; an edit is pending between
    // the two phases of recording it.
    bool recording_ = false;
    bool undoing_ = false;
    bool pending_ = false;
    int pendingStart_ = 0;
    int pendingEnd_ = 0;
    std::string pendingOld_;
    std::string pendingNew_;
};

// Holds an editor's highlighting for the scope.
class THighlightHold {
public:
    explicit THighlightHold(TMemoCore& Memo) : memo_(Memo) { memo_.HoldHighlighting(); }
    ~THighlightHold() { memo_.ReleaseHighlighting(); }
    THighlightHold(const THighlightHold&) = delete;
    THighlightHold& operator=(const THighlightHold&) = delete;

private:
    TMemoCore& memo_;
};
