// TCustomSyntaxMemo, the editor control: a scroll area over the editor core, driven through the
// standard edit-control messages and its private messages (Perform), with the settings it shows,
// its font measurements and its published properties, its scroll bars and the mapping between
// positions and window points (memo_window.cpp).
//
// Where the later parts of the control attach:
// - the command executor: typing and key commands edit through ReplaceSelectionText and the
//   undo blocks of the core;
// - the highlighting driver: the parser slots, the settings of the active parser and the run of
//   the parser after every edit (memo_parsers.cpp, memo_highlight.cpp).
#pragma once

#include "editor/document/caret_control.h"
#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/language/custom_syntax_memo_parser.h"
#include "editor/language/key_controller.h"
#include "editor/line_renderer.h"
#include "editor/memo_messages.h"
#include "editor/memo_metrics.h"
#include "editor/memo_mouse_state.h"
#include "editor/scroll_info.h"
#include "editor/word_break.h"

#include "platform/graphics/colors.h"
#include "platform/messages/messages.h"
#include "platform/ole/types.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;
class TCodeTemplates;
struct TDropObj;
namespace win {
struct IDataObject;
}
class TMemoSearch;
class TMemoMacroEditor;
struct TSM_StyleEffect;
class TSM_Settings;
class TStrings;
struct TGutterFont;

// The members of the Options set, numbered as the set numbers them; each stands for one bit of
// the settings' option word (OptionBit).
enum TSyntaxMemoOption {
    smoSyntaxHighlight,
    smoPrintWrap,
    smoPrintLineNos,
    smoPrintFilename,
    smoPrintDate,
    smoPrintPageNos,
    smoWordWrap,
    smoAutoIndent,
    smoTabToColumn,
    smoWrapOverride,
    smoWordSelect,
    smoShowRMargin,
    smoShowGutter,
    smoShowWrapColumn,
    smoTitleAsFilename,
    smoProcessDroppedFiles,
    smoBlockOverwriteCursor,
    smoShowWrapGlyph,
    smoColumnTrack,
    smoUseTAB,
    smoSmartFill,
    smoOLEDragSource,
    smoCaretAfterEOL,
    smoLineNumbers,
    smoShowAllChars,
};
constexpr int SyntaxMemoOptionCount = 25;
// A set of TSyntaxMemoOption: bit n for member n.
using TSyntaxMemoOptions = std::uint32_t;

// The option word's bit of a member.
std::uint32_t OptionBit(TSyntaxMemoOption Option);
// The word of a set (bits of no member stay clear) and the set of a word.
std::uint32_t OptionsToWord(TSyntaxMemoOptions Options);
TSyntaxMemoOptions WordToOptions(std::uint32_t Word);

// Colours that replace a piece's own while the control is disabled or read-only, each replacement
// under its own flag.
struct TColourOverride {
    bool Use;
    bool ReplaceBack;
    TColor Back;
    bool ReplaceText;
    TColor Text;
};

// The formats the clipboard copy puts on the clipboard.
enum TSM_Clipformat { smTEXT = 1, smRTF = 2 };
// Source types of a paste beside the HTML trimming flags (htmlTrim, the HTML on the clipboard, and
// the others of TrimHtmlFragment): plain text is on the clipboard, something can be pasted.
constexpr unsigned stPlainText = 0x0004;
constexpr unsigned stPasteable = 0x0200;
// The format SaveToStream writes.
enum TSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };

// Called with the search text when a search finds nothing; without it a message box tells.
using TSearchFailEvent = std::function<void(TObject* Sender, const QString& SearchText)>;
// Called before a paste with the clipboard's source types, which it may change.
using TDataDropEvent = std::function<void(TObject* Sender, unsigned& SourceTypes)>;
// Called with a code template's name and body before the body is inserted; may change the body.
using TTemplateEvent = std::function<void(TObject* Sender, const QByteArray& Name, QByteArray& Body)>;
// Called before a word typed before an activation key is replaced, with a stream over the text at
// the word's start: may change the replacement or veto it.
using TAutoReplaceEvent = std::function<void(TObject* Sender, TEdStream& IStream, const QByteArray& ReplaceItem,
                                             QByteArray& ReplaceWith, bool& CanReplace)>;

// Called while a drag moves over the editor with its data object, the effect to answer (which it
// may change) and the client point; and with the names of files dropped on the editor.
using TSynMemoOLEDragEvent = std::function<void(TObject* Sender, win::IDataObject* DataObject, win::DWORD& Effect, QPoint Point)>;
using TFileDropEvent = std::function<void(TObject* Sender, const QStringList& Files)>;

// Called with the 1-based logical line of a click in the gutter.
using TGutterClick = std::function<void(TObject* Sender, int LineNo)>;
// Called for a triple click with its client point and the position under it.
using TMultiClickEvent = std::function<void(TObject* Sender, QPoint ClickPos, int CharOffset)>;
// Called for a click on a hot spot with its text and its token byte.
using THyperEvent = std::function<void(TObject* Sender, const QByteArray& HyperData, int HyperType)>;
// Called before a highlighting run (-1, -1, -1), for each token with its value and its start and
// end in the text, and after the run (-2, -2, -2). The handler may change a token's value.
using TTokenSeenEvent = std::function<void(TObject* Sender, int& Token, int StartPos, int EndPos)>;

class TCustomSyntaxMemo : public QAbstractScrollArea, public TMemoCore {
    Q_OBJECT

public:
    static constexpr const char* Version = "3.00.39";

    explicit TCustomSyntaxMemo(QWidget* Parent = nullptr);
    ~TCustomSyntaxMemo() override;

    // The message interface: the private messages SM_SELECTION..SM_IDENTITY and the standard
    // edit-control messages, each unpacked onto the typed method below that does the work. Other
    // numbers answer 0. A direct call on the GUI thread.
    virtual win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

    // --- the settings shown (the active parser's once the highlighting driver installs one) ---
    TSM_Settings& Settings() const { return *settings_; }
    TSM_CaretControl& CaretControl() { return caretControl_; }
    TEdStream& EdStream() { return edStream_; }

    // --- selection (SM_SELECTION, EM_GETSEL, EM_SETSEL) ---
    // Also keeps the remembered caret column and, unless Quiet, repaints and shows the caret.
    void SetSelection(int Start, int End, bool Quiet = false) override;
    // The selection into Buffer as SM_SELTOBUFFER writes it: at most Buffer.size() - 1 bytes and a
    // NUL (nothing for an empty buffer); returns the selection's whole byte count.
    int SelectionToBuffer(std::span<char> Buffer, bool CRLF);
    // The selection's byte count with CR or CR LF line ends (SM_SELTOBUFFER without a buffer).
    int SelectionByteCount(bool CRLF);

    // --- editing (SM_REPLACESEL, EM_REPLACESEL, SM_READSTREAM) ---
    // Replaces the selection with Text; in caret-after-end-of-line state the blanks up to the
    // virtual column go first. Unless Quiet, repaints and shows the caret.
    void ReplaceSelectionText(std::string_view Text, bool Quiet = false);
    void ReadSelectionFromStream(TStream& Source, bool Quiet = false);
    // The selection into Stream in one of the TWriteFormat formats.
    void WriteSelectionToStream(TStream& Stream, unsigned Format);

    // --- selection as properties: ordered, line ends as SelLineStyle says ---
    int GetSelStart() const;
    // An empty selection at Value.
    void SetSelStart(int Value);
    // One more per line end inside the selection under lsCRLF.
    int GetSelLength();
    void SetSelLength(int Value);
    std::string GetSelText();
    void SetSelText(std::string_view Text);
    // The selection into Buffer: at most its size - 1 bytes and a NUL; returns the bytes written.
    int GetSelTextBuf(std::span<char> Buffer);
    void SetSelTextBuf(const char* Text);
    void SelectAll();
    void ClearSelection();

    // --- the clipboard (WM_COPY, WM_CUT, WM_PASTE) ---
    // Puts the selection on the clipboard in the ClipCopyFormats: text (CR LF line ends) and RTF.
    void CopyToClipboard();
    // Copies and deletes the selection as one undo step; nothing while ReadOnly.
    void CutToClipboard();
    // Replaces the selection with the clipboard's plain text, or with its HTML when OnDataDrop
    // chose it (then trimmed as the source types ask); one undo step; nothing while ReadOnly.
    void PasteFromClipboard();
    // Plain text is on the clipboard (EM_CANPASTE).
    bool CanPaste() const;

    // --- loading and saving ---
    // Replaces the whole text with the stream's from its position on; caret at 0, empty undo log.
    void LoadFromStream(TStream& Stream) override;
    // Writes the whole text in the SaveFormat at the stream's position. A short write is tried
    // again from the same position (the stream cut back there) up to three times before it raises
    // EFileSaveError "Could not save text to stream". Only a complete write empties the undo log
    // (Modified false); a failed one leaves text, undo log and Modified as they were.
    void SaveToStream(TStream& Stream) override;
    // As above; a null stream raises EFileSaveError "Bad TStream instance".
    void SaveToStream(TStream* Stream);
    // A file that cannot be opened raises EFOpenError "File '%s' cannot be opened for reading"
    // and leaves the text as it was.
    void LoadFromFile(const QString& FileName);
    // Writes a new file beside FileName and puts it in its place only once it is complete: on
    // failure (EFCreateError naming the cause) the old file stays as it was. A symbolic link is
    // saved through to the file it names; a replaced file keeps its permission bits.
    void SaveToFile(const QString& FileName);

    // --- view state ---
    bool UpdateLocked() const { return updateLock_; }
    void SetUpdateLock(bool Locked, bool Quiet = false);
    int LeftColumn() const { return leftColumn_; }
    void SetLeftColumn(int Column, bool Quiet = false);
    void SetTopLine(int Line) override;
    void SetRedraw(bool On) override;
    void Invalidate() override;
    void InvalidateLines() override;
    // After an edit that began with LinesBefore records: the rows of the edited lines when the
    // rows below stayed where they were, else the whole view.
    void RepaintEdit(int LinesBefore);
    // The rows of the visible lines flagged for repaint (or highlighting) and the rows below the
    // text, which show the background.
    QRegion FlaggedRows();
    // Repaints are asked for while painting is enabled; this counts them (tests and diagnostics).
    int RepaintRequests() const { return repaintRequests_; }
    // Client size in pixels, and the columns and lines that fit (from WM_SIZE).
    void SetClientSize(int Width, int Height);
    int VisibleColumns() const { return visibleColumns_; }
    // Scrolls by Columns and Lines (EM_LINESCROLL); WM_VSCROLL and WM_HSCROLL with a scroll code.
    void ScrollBy(int Columns, int Lines);
    void Scroll(bool Vertical, win::WPARAM Code);
    // Lines per step of the vertical scroll bar: (line count div 32000) + 1.
    int ScrollScale() const;
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // --- the window: frame, scroll bars, positions and points ---
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    // The bars the style names stay on (disabled when there is nothing to scroll); the others off.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    // Kept for the settings; the plain bars are used.
    bool FlatScrollBars = false;
    // The values last computed for the bars (the vertical one in steps of the scroll scale).
    const TScrollInfo& HorizontalScrollValues() const { return horizontalInfo_; }
    const TScrollInfo& VerticalScrollValues() const { return verticalInfo_; }
    // The client point of the character at Pos: (-1, -1) above the top line; below the client
    // area, the first row past its bottom (EM_POSFROMCHAR).
    QPoint PointFromPosition(int Pos);
    // The position under a client point: its row from the top line (the last line below the
    // text), its column from the left column.
    int PositionFromPoint(QPoint Point);
    // EM_CHARFROMPOS: -1 outside the text area (left of the text edge, right of or below the
    // client area), else PositionFromPoint.
    int CharFromPoint(QPoint Point);
    // Scrolls to a left column and top line, each limited to the text (the column to the longest
    // line); with Repaint the view is redrawn and told that it scrolled (Change). With AutoScroll
    // and the focus, the view goes on scrolling toward the pointer while the left button is held
    // and the pointer is outside the client area.
    void ScrollTo(int Column, int Line, bool Repaint, bool AutoScroll = false);
    // One step of that: a line up or down and a column sideways toward Pointer (a client point),
    // the selection's end (or the margin line being dragged) following to the client edge. False
    // when Pointer is inside.
    bool AutoScrollStep(QPoint Pointer);
    // Scrolls the caret into view: whole lines up or down, 8 columns at a time sideways.
    virtual void ScrollCaretIntoView();
    // Computes the bars' values and applies them; skipped while painting is off or locked and
    // while printing.
    virtual void UpdateScrollBars();

    // --- word characters: the assigned test, else letters and "_" start a word, and letters,
    // digits, "_", "'" and "-" belong to one ---
    std::function<bool(char)> fn_CharStartsWord;
    std::function<bool(char)> fn_CharIsInWord;
    bool CharStartsWord(char C) const;
    bool CharIsInWord(char C) const;
    // Replaces the default word-break rule when assigned.
    TSM_WordBreakProc OnWordBreakProc;
    int WordBreak(const char* Text, int Current, int Count, int Code) const;

    // Flags Line and every later line for highlighting again.
    void MarkIncompleteFrom(TLineRecord* Line);
    // Flags the first visible line and the lines of a page and two more after it for repaint.
    void MarkVisibleForRepaint();
    // Frees every line's token bytes, flags every line for highlighting and starts the highlighter
    // at the first line.
    void ClearHighlighting();

    // --- word wrap and block indent (memo_rewrap.cpp, memo_indent.cpp) ---
    // The width word wrap fills: WrapAtColumn columns, else the client width less the text's
    // left edge and two scroll-bar widths; never below 8 pixels.
    int WrapWidth() const;
    // Puts Count (0: IndentStep) blanks, or TABs when Flags bit 0 asks and smoUseTAB allows, before
    // each line of the selection, as one undo step (SM_INDENTBLOCK).
    void IndentBlock(int Count, unsigned Flags);
    // Removes up to Count (0: IndentStep) leading blanks, TABs or hard spaces from each line of the
    // selection, as one undo step (SM_UNINDENTBLOCK).
    void UnindentBlock(int Count);
    // The window x of a display column of Line and the column under a window x, measuring the
    // line's runs in their styles' fonts.
    int PixelAtColumn(int Column, const TLineRecord* Line);
    int ColumnAtPixel(int X, const TLineRecord* Line);

    // --- painting (memo_paint.cpp) ---
    // Draws the text as the request asks, on the request's painter.
    void Render(TRenderRequest& Request) { renderer_.Render(Request); }
    TLineRenderer& Renderer() { return renderer_; }
    // Where the caret shows in the client area: a 2-pixel bar, or the character cell in overwrite
    // mode with the block cursor; empty when it is outside the text area.
    QRect CaretRect();
    // The lines above and below the caret's row, in the inverse of style 0's background.
    void DrawFocusLine(QPainter& Painter);
    // The caret blinks while the control has the focus (tests switch it off).
    void SetCaretBlinking(bool On);
    TLineDrawEvent OnDrawLine;
    TMarkDrawEvent OnDrawMark;

    // --- text as a whole (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH) ---
    // Replaces the whole text (null: empties it); the undo log ends up empty.
    void SetTextBuffer(const char* Text);
    // The text from the start, line ends as SelLineStyle says, into Buffer: at most its size - 1
    // bytes and a NUL; returns the bytes written without the NUL.
    int GetTextBuffer(std::span<char> Buffer);
    // The length of the whole text as it leaves the editor: one more per line end under lsCRLF.
    int GetTextLen();
    // Line Line (0-based) without its line end into Buffer, no NUL (EM_GETLINE).
    int GetLineBuffer(int Line, std::span<char> Buffer);

    // --- token bytes (SM_SETTOKENS, SM_GETTOKENS) ---
    // Line by line from Range's first line (the document's first when null) to its last (the end
    // when null), each line's length of bytes. Stops where the buffer runs out.
    void SetTokenBytes(std::span<const std::uint8_t> Buffer, const sm::TLineRange* Range);
    void GetTokenBytes(std::span<std::uint8_t> Buffer, const sm::TLineRange* Range);

    // --- undo log and store (SM_UNDOLOG, SM_TEXTSTORE) ---
    // Attaches Log (null detaches) and hands back the log attached before.
    std::unique_ptr<TUndoStack> SetUndoLog(std::unique_ptr<TUndoStack> Log);
    // The text store exchange: painting stays off until SetRedraw(true); selection and top line
    // are kept as numbers for the caller to set.
    std::unique_ptr<TTextStore> SetTextStore(std::unique_ptr<TTextStore> Store);

    // "<TSyntaxMemo>:" and the version (SM_IDENTITY).
    static const char* Identity();
    // WM_GETDLGCODE: arrows and characters, and TAB while WantTab.
    win::LRESULT DialogCode() const;

    // --- settings (SM_OPTIONS, SM_APPLYSETTINGS) ---
    std::uint32_t OptionWord() const;
    void SetOptionWord(std::uint32_t Word, bool Quiet = false);
    // Re-reads the settings: the font, the measurements, a full repaint.
    virtual void ApplySettings();
    // After a setter: the active parser refreshes its editors; without one SM_APPLYSETTINGS.
    void RefreshView();

    // --- properties (stored in the settings) ---
    int Gutter() const;
    void SetGutter(int Value);
    int Margin() const;
    void SetMargin(int Value);
    int RightMargin() const;
    void SetRightMargin(int Value);
    int IndentStep() const;
    void SetIndentStep(int Value);
    int TabDefault() const;
    // Raises ESyntaxMemo (text 4204) for a value of 0 or less; the value stays.
    void SetTabDefault(int Value);
    QString TabColumns() const;
    // Raises the errors of StrToTabColumns; the columns stay.
    void SetTabColumns(const QString& Value);
    // (The core's WordWrap field follows the option bit.)
    TColor GutterColor() const;
    void SetGutterColor(TColor Value);
    TColor MarginColor() const;
    void SetMarginColor(TColor Value);
    TColor SelTextColor() const;
    void SetSelTextColor(TColor Value);
    TColor SelTextBack() const;
    void SetSelTextBack(TColor Value);
    const TGutterFont& GutterFont() const;
    void SetGutterFont(const TGutterFont& Value);
    // Style 0's look: the text colour, the background (which then no longer follows the default)
    // and the font style (fsBold, fsItalic, fsUnderline).
    TColor def_TextColor() const;
    void Setdef_TextColor(TColor Value);
    TColor def_BackColor() const;
    void Setdef_BackColor(TColor Value);
    std::uint32_t def_FontStyle() const;
    void Setdef_FontStyle(std::uint32_t Value);
    // The code templates of the settings shown.
    TCodeTemplates& GetCodeTemplates();
    bool GetWordWrap() const;
    void SetWordWrap(bool Value);
    int WrapAtColumn() const;
    void SetWrapAtColumn(int Value);
    QString WrapOverride() const;
    void SetWrapOverride(const QString& Value);
    TSyntaxMemoOptions Options() const;
    void SetOptions(TSyntaxMemoOptions Value);
    bool HasOption(TSyntaxMemoOption Option) const { return OptionWord() & OptionBit(Option); }
    // The x of text column 0: Margin, plus Gutter while the gutter shows.
    int TextLeft() const;
    const TMemoMetrics& Metrics() const { return metrics_; }

    // Logical line and character (1-based) to display row and column (1-based), and back.
    void LogicalToDisplay(int Line, int Char, int& Row, int& Column);
    void DisplayToLogical(int Row, int Column, int& Line, int& Char);

    // A search found nothing: OnSearchFail, or a message box.
    void ReportSearchFailure(const QString& SearchText);

    // --- find and replace (memo_search.cpp; the work is done by TMemoSearch) ---
    // The direct find from the selection with the find option bits: the match position or -1.
    int FindText(std::string_view Text, unsigned Options);
    // Finds the next match and selects it; Replacement is ReplaceText, with regular expressions
    // expanded from the match. False when nothing was found or Options hold foSearchNothing.
    bool FindReplaceText(std::string_view FindText, std::string_view ReplaceText, unsigned Options,
                         std::string& Replacement, int& Position);
    // Replaces every match from Start up to RangeEnd as one undo step; returns how many, or -1
    // when the regular expression does not compile.
    int ReplaceAll(int RangeEnd, int Start, unsigned Options, std::string_view ReplaceText, std::string_view FindText);
    int RegexMatchPos(int N);
    int RegexMatchCount();
    TMemoSearch& Search();

    // --- commands, keys and expansion (memo_commands.cpp, memo_keys.cpp, memo_expand.cpp) ---
    // Runs editor command Command & 0xFF (0..47, TEditorCommand; others do nothing). Reserved is
    // not used; Extend keeps the selection's anchor so that a caret move extends the selection.
    virtual void ExecuteCommand(int Command, int Reserved, bool Extend);
    // Points the key map, the code templates and the auto-replace list of the settings shown at
    // this editor: their commands and expansions run here.
    void HookSettings();
    // Fired with a recognised command before it runs: may change it (-1 runs nothing).
    TKeyboardActionEvent OnCommandRecognised;
    TTemplateEvent OnTemplateEvent;
    TAutoReplaceEvent OnAutoReplace;

    // --- the mouse (memo_mouse.cpp) ---
    // The token byte of the character under the last pointer position; 255 where there is none.
    int TokenAtPointer();
    // Drags the selected text with the Allowed actions (DoDragDrop with the editor's data object
    // and drop source) and answers the action the drop ended with (IgnoreAction: cancelled) and
    // whether it was dropped into this editor, which then has done a move itself.
    virtual Qt::DropAction DragSelectionText(Qt::DropActions Allowed, bool& IntoSelf);
    TGutterClick OnGutterClick;
    TMultiClickEvent OnTripleClick;
    THyperEvent OnHyperlinkClick;
    TMemoNotifyEvent OnHyperlinkHover;
    // The cursor over a hot spot.
    Qt::CursorShape HyperCursor = Qt::PointingHandCursor;
    // The clock of click timing: monotonic milliseconds (unset: the program's own clock), and
    // the desktop's double-click interval.
    std::function<std::int64_t()> ClickClock;
    int DoubleClickInterval;

    // --- OLE drag and drop (memo_dragdrop.cpp): the viewport is a drop target from the start ---
    // The text position a drag over the editor points at (-1 outside a drag), where the drop
    // caret shows.
    int DropPosition() const { return dropPos_; }
    const QWidget& DropCaret() const { return *dropCaret_; }
    // Puts the drop position and caret under a screen point (its x at least TextLeft); on the
    // top or bottom row the view scrolls a line toward the pointer first.
    void MoveDropCaret(QPoint ScreenPoint);
    // The drag left or dropped: no drop position, no drop caret.
    void EndDropCaret();
    TSynMemoOLEDragEvent OnOLEDragOver;
    TFileDropEvent OnFilesDropped;

    // The document's title: the HTML export's, and the file name of the last load or save while
    // smoTitleAsFilename is set.
    QString Title;
    // Local text files end their lines in LF (ASCII uploads add the CR on the wire).
    TSaveFormat SaveFormat = sfUNIX;
    // Typing, editing commands, cut and paste do nothing, and a drag of the selection only copies.
    bool ReadOnly() const { return readOnly_; }
    // With the read-only colours in use a change repaints the view.
    void SetReadOnly(bool Value);
    bool WantTab = true;
    bool WantReturns = true;
    bool HideSelection = true;
    bool ShowFocusLine = false;
    unsigned ClipCopyFormats = smTEXT | smRTF;
    TSearchFailEvent OnSearchFail;
    TDataDropEvent OnDataDrop;
    // Typing inserts (else overwrites).
    bool InsertMode = true;
    // Printing in black and white.
    bool MonoPrint = true;
    TColourOverride DisabledColours{true, true, 0xC0C0C0, false, clBlack};
    TColourOverride ReadOnlyColours{false, true, clWhite, true, 0xC0C0C0};
    // --- printing (memo_print.cpp; the pages are drawn by the renderer) ---
    // The page printing lays out on (left, top, right, bottom) in printer pixels, and whether
    // each print run takes the printer's page instead.
    QRect PrintRect{QPoint(0, 0), QPoint(2550, 3300)};
    bool UsePrinterPage = true;
    // Prints on Rect from now on instead of the printer's page.
    void SetPrintRect(const QRect& Rect);
    // Prints the whole text on the program's printer (Printer()), the job named by Title; the
    // printer's failures raise EPrinter.
    void Print();
    // Prints the lines of the selection; a selection that ends at the start of a line leaves
    // that line out.
    void PrintSelection();
    // Draws page PageNumber (1-based) of the text on Canvas inside Rect, on white: true when the
    // text goes on after that page, false when it ends on it or is empty.
    bool RenderPage(QPainter& Canvas, const QRect& Rect, int PageNumber);
    // While printing the measurements and fonts are the printer's and the control does not paint.
    bool Printing() const { return printing_; }
    THeaderFooterEvent OnPrintHeaderFooter;

protected:
    // OnChange, except while the update lock is set or painting is off.
    void Changed() override;
    // A scroll bar moved: the top line or left column follows it.
    void scrollContentsBy(int Dx, int Dy) override;
    // A font change from Qt or from the settings: measurements, style fonts, repaint.
    virtual void FontChanged();

    bool event(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool focusNextPrevChild(bool Next) override;
    void paintEvent(QPaintEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void inputMethodEvent(QInputMethodEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void ReWrap(TLineRecord* StartLine, TLineRecord* EndLine) override;

private:
    friend class TCommandExecutor;
    friend class TTypingHandler;
    friend class TMouseHandler;
    // The right-margin or wrap-column line being dragged, inverting what is under it.
    void DrawMarginDrag(QPainter& Painter);
    // Types the characters of Text at the caret (memo_typing.cpp); a character the code page
    // cannot hold beeps. True when a character was taken.
    bool TypeText(const QString& Text);
    friend class TMemoMacroEditor;
    // A key went down: the templates, the auto-replace list, then the key map look at it.
    void KeyDown(int Key, TShiftState Shift, bool& Handled);
    // The key map recognised Command: OnCommandRecognised, then ExecuteCommand.
    void CommandRecognised(int& Command);
    // The expansion of a code template or an auto-replacement (OnExpand of both lists).
    void Expand(TObject* Sender, const QByteArray& Name, QByteArray& Body);

    win::LRESULT PerformPrivate(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
    win::LRESULT PerformStandard(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
    void Measure();
    void MarkAllForHighlight();
    void WriteRange(TStream& Stream, int Start, int End, unsigned Format);
    // Writes the whole text as SaveToStream does, without taking the save point.
    void WriteDocument(TStream& Stream);
    void WrapRuleChanged(bool Changed);
    // Stores Value into Field when it differs, and refreshes the view.
    void SetSetting(TColor& Field, TColor Value);
    void SetPlainLook(const std::function<void(TSM_StyleEffect&)>& Change);
    // The lines of Range (null: all), as first and last record with the first's index.
    bool LinesOf(const sm::TLineRange* Range, TLineRecord*& First, TLineRecord*& Last);
    // The starts of the logical lines an indent or un-indent works on.
    std::vector<int> SelectedLineStarts();
    // Inserts (or removes) each edit's text at its position in one undo block, then selects the
    // lines and brings the caret into view.
    void EditLineStarts(int UndoBlock, const std::vector<std::pair<int, std::string>>& Edits, bool Insert);
    void AutoScrollTick();
    // Runs Body with the fonts and measurements of Device, painting off; then those of the
    // screen again, every line to be highlighted anew and a repaint.
    void RunPrinting(QPaintDevice& Device, const std::function<void()>& Body);
    void PrintLines(bool LineRange, int First, int Last);
    // The width of the display column of a laid-out line in its style's font.
    int CellWidth(const TLineLayout& Layout, int Column) const;

    std::unique_ptr<TSM_Settings> ownSettings_;
    TSM_Settings* settings_;
    TSM_CaretControl caretControl_;
    TEdStream edStream_;
    TMemoMetrics metrics_;
    bool updateLock_ = false;
    bool fontChanging_ = false;
    int leftColumn_ = 0;
    int rememberedColumn_ = 0;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int visibleColumns_ = 80;
    int repaintRequests_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    TScrollStyle scrollBars_ = ssBoth;
    TScrollInfo horizontalInfo_;
    TScrollInfo verticalInfo_;
    bool applyingScrollBars_ = false;
    struct TSearchDeleter {
        void operator()(TMemoSearch* Search) const;
    };
    std::unique_ptr<TMemoSearch, TSearchDeleter> search_;
    // Shift was held with the key the key map is looking at.
    bool extend_ = false;
    std::unique_ptr<TMemoMacroEditor> macroEditor_;
    // OLE drag and drop: the drop target registered on the viewport, and the drop handler that
    // inserts dropped text or hands dropped files to OnFilesDropped (memo_dragdrop.cpp).
    void RegisterDropTarget();
    win::HRESULT DataDropped(TDropObj& Data, unsigned Flags, win::DWORD& Effect);
    int dropPos_ = -1;
    // A drag from this editor ended in it (the drop handler did the move or copy).
    bool droppedIntoSelf_ = false;
    QWidget* dropCaret_ = nullptr;
    TLineRenderer renderer_{*this};
    // The last frame drawn, shown as it is while painting is off.
    QPixmap frame_;
    // Where the caret was last drawn (empty: nowhere).
    QRect caretShown_;
    QTimer caretTimer_;
    QTimer autoScrollTimer_;
    TMemoMouseState mouse_;
    bool caretBlinking_ = true;
    bool caretOn_ = true;
    bool printing_ = false;
    bool readOnly_ = false;

    // --- parser slots and the highlighting driver (memo_parsers.cpp, memo_highlight.cpp) ---
public:
    static constexpr int ParserSlotCount = 6;
    // Parser1..Parser6: the parser in slot 1..6 (null: empty). Setting one installs it; in the
    // active slot that switches the settings shown to the parser's (own settings when empty).
    TCustomSyntaxMemoParser* Parser(int Slot) const;
    void SetParser(int Slot, TCustomSyntaxMemoParser* Value);
    int ActiveParser() const { return activeParser_; }
    // Raises ESyntaxMemo "Parser index out of range" outside 1..6; else installs that slot again.
    void SetActiveParser(int Value);
    // The parser of the active slot; null when it is empty.
    TCustomSyntaxMemoParser* CurrentParser() const;
    // After the control's properties were set up: attaches it to every slot's parser.
    void Loaded();
    // While the ready flag is clear (a document is being swapped in) the highlighter does nothing
    // and font and option changes do not re-wrap the text.
    bool Ready() const { return ready_; }
    void SetReady(bool Value) { ready_ = Value; }
    // Marks Line as where highlighting starts and runs the highlighter.
    void HighlightFrom(TLineRecord* Line);
    // The same from the first line, to the end of the text at once.
    void HighlightAll();
    // Takes the run waiting between slices, and every run it left for later, to its end now.
    void FinishHighlighting();
    // Runs the active parser from the store's first line to highlight as far as the token bytes
    // change (see memo_highlight.cpp), HighlightSliceLines lines at a time: the rest follows from
    // the event loop. Never pumps events: while the parser is busy with another run, the start
    // line stays marked and the run is posted to the GUI thread.
    void RunHighlighter();
    // The lines a run writes before it lets the events waiting in.
    int HighlightSliceLines = 2000;
    // The characters of one token a run that goes on in slices lets the parser read before it
    // writes them (a parser that can pause a token returns a longer one in pieces).
    int HighlightPieceLength = 1 << 16;
    // A run waits for the event loop to go on.
    bool HighlightingPending() const { return runPosted_; }
    // The lines whose token bytes the last run replaced (so far, while it goes on).
    int HighlightedLines() const { return highlightedLines_; }
    TTokenSeenEvent OnTokenSeen;
    // The font is not fed back into the parser's settings (the options dialog's sample editor).
    bool NoFontFeedback = false;
    // The pages EditOptions shows.
    TPropEdPages VisiblePropEdPages = AllPropEdPages;
    // The active parser's options dialog; without a parser the message "No active parser".
    void EditOptions();

protected:
    void UpdateHighlighting() override;
    void HighlightChangedLines(int From, int To) override;
    void ReinstallParser() override;
    void ParserFreed(TCustomSyntaxMemoParser* Parser) override;

private:
    class THighlightRun;
    // Installs the parser of Slot: listed with the parser, and the settings switched when Slot is
    // the active one.
    void InstallParser(int Slot, TCustomSyntaxMemoParser* Value);
    void SwitchSettings(TSM_Settings& Settings);
    // The end of a measurement: the font goes into the active parser's settings.
    void FeedFontBack();
    // The first line marked as where highlighting starts.
    TLineRecord* MarkedLine() const;
    // Goes on with the run left between slices, or runs the highlighter from the first line
    // still marked, once the events now waiting have been handled.
    void PostRun();
    void RunSlice();
    void DropSlicedRun();
    bool SlicedRunCanGoOn() const;
    void DrainHighlightBacklog();
    void ReportHighlightFailure();
    // OnTokenSeen, its failures swallowed: the token as the handler left it.
    int FireTokenSeen(int Token, int StartPos, int EndPos);

    std::array<TCustomSyntaxMemoParser*, ParserSlotCount> parsers_{};
    int activeParser_ = 1;
    TSM_Settings* attachedSettings_ = nullptr;
    bool ready_ = true;
    bool destroying_ = false;
    bool firstMeasurement_ = true;
    // The font was set on this editor (not taken from the settings) since the last measurement.
    bool fontSet_ = false;
    bool reWrapNeeded_ = false;
    std::uint32_t cachedOptions_ = 0;
    int cachedWrapColumn_ = 0;
    int highlightedLines_ = 0;
    bool runPosted_ = false;
    // The run between two slices, with the store, its change count and the count of all slices
    // as its last slice left them.
    struct TRunDeleter {
        void operator()(THighlightRun* Run) const;
    };
    std::unique_ptr<THighlightRun, TRunDeleter> slicedRun_;
    const TTextStore* sliceStore_ = nullptr;
    unsigned sliceChanges_ = 0;
    unsigned sliceCount_ = 0;
    bool slicing_ = false;
    // A dropped run may have left marked lines behind.
    bool highlightBacklog_ = false;
    // Runs go on to their end in one go (for the exports).
    bool wholeRuns_ = false;
};
