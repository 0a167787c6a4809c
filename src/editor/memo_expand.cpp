// The expansion of a code template or an auto-replacement at the caret: the permission of an
// auto-replacement, the body indented to the insertion column with the caret at its "|" marker, and
// the editor as the templates see it (TMemoMacroEditor).
#include "editor/memo_macro_editor.h"

#include "editor/document/undo_block.h"
#include "editor/templates/auto_replace.h"

#include "platform/rtl/events.h"

#include <QWidget>
#include <string>

namespace {

constexpr char CaretMarkerChar = '|';

// Blanks after every line end of Body, reaching Column.
QByteArray Indented(const QByteArray& Body, int Column)
{
    const QByteArray blanks(Column, ' ');
    QByteArray indented;
    for (const char c : Body) {
        indented += c;
        if (c == LineEndChar)
            indented += blanks;
    }
    return indented;
}

} // namespace

QRect TMemoMacroEditor::CaretLineRect()
{
    const QPoint caret = memo_.viewport()->mapTo(&memo_, memo_.PointFromPosition(memo_.SelEnd()));
    return {caret.x(), caret.y(), 1, memo_.Metrics().LineHeight};
}

void TMemoMacroEditor::PickListOpened()
{
    hideSelection_ = memo_.HideSelection;
    memo_.HideSelection = false;
    memo_.Invalidate();
}

void TMemoMacroEditor::PickListClosed()
{
    memo_.HideSelection = hideSelection_;
    memo_.Invalidate();
}

// Name is the name as typed before the caret (empty when the pick list chose the body).
void TCustomSyntaxMemo::Expand(TObject* Sender, const QByteArray& Name, QByteArray& Body)
{
    const auto [selStart, selEnd] = OrderRange(SelStart(), SelEnd());
    const int nameLength = int(Name.size());
    const int wordStart = selEnd - nameLength;
    auto* macros = dynamic_cast<TMacroKeywords*>(Sender);
    if (dynamic_cast<TAutoReplace*>(Sender)) {
        const auto charAt = [this](int Pos) {
            const std::string text = TextStore().GetText(Pos, Pos + 1);
            return text.empty() ? '\0' : text[0];
        };
        // A word is replaced where it ends (a part of a longer word is left alone), and not where a
        // replacement that begins a word would join the word before it.
        bool canReplace = nameLength > 0 && (!CharIsInWord(Name.back()) || !CharIsInWord(charAt(selEnd)));
        if (!Body.isEmpty() && CharStartsWord(Body[0]) && wordStart > 0 && CharIsInWord(charAt(wordStart - 1)))
            canReplace = false;
        if (OnAutoReplace) {
            TEdStream stream(this);
            int lineStart = 0;
            if (TLineRecord* line = TextStore().LineAt(wordStart, nullptr, &lineStart))
                stream.SetRange(line, wordStart - lineStart, lineStart);
            OnAutoReplace(this, stream, Name, Body, canReplace);
        }
        if (!canReplace)
            return;
    } else {
        Fire(OnTemplateEvent, this, Name, Body);
    }

    if (nameLength <= selStart)
        SetSelection(selStart - nameLength, selEnd, true);
    // The body is taken in the store's form first, so that the marker's offset counts the
    // characters that are inserted.
    std::string stored;
    NormalizeLineEnds(stored, std::string_view(Body.constData(), std::size_t(Body.size())));
    QByteArray body = QByteArray::fromStdString(stored);
    const int insertAt = std::min(SelStart(), SelEnd());
    if (macros && macros->IndentBody && !body.isEmpty()) {
        int lineStart = 0;
        const TLineRecord* line = TextStore().LineAt(insertAt, nullptr, &lineStart);
        body = Indented(body, line ? DisplayColumn(*line, insertAt - lineStart, TabStops) : 0);
    }
    const qsizetype marker = macros && macros->CaretMarker ? body.indexOf(CaretMarkerChar) : -1;
    if (marker >= 0)
        body.remove(marker, 1);

    const bool locked = UpdateLocked();
    SetUpdateLock(true);
    try {
        TUndoBlock block(*this, ubTemplate);
        ReplaceSelectionText(std::string_view(body.constData(), std::size_t(body.size())));
        if (marker >= 0) {
            // The caret after the body: blanks that filled the columns up to the caret went first.
            const int caret = SelEnd() - int(body.size()) + int(marker);
            std::int32_t pair[2] = {caret, caret};
            Perform(sm::SM_SELECTION, sm::smSet, win::LPARAM(pair));
        }
    } catch (...) {
        SetUpdateLock(locked);
        throw;
    }
    SetUpdateLock(locked);
}
