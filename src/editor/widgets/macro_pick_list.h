// TMacroPickList, the list of all templates that pops up at the caret when the trigger key finds
// no name: each item shows the description and, in bold, the name; typing searches the names.
#pragma once

#include "editor/templates/macro_keywords.h"

#include <QByteArray>
#include <QListWidget>
#include <QPoint>
#include <QRect>
#include <QSize>

class TMacroPickList : public QListWidget, public IMacroPickList {
public:
    // A hidden, empty list on the editor's widget.
    TMacroPickList(TMacroKeywords& Owner, IMacroEditor& Editor);

    // Moves the list to Editor's widget and empties it.
    void Reuse(IMacroEditor& Editor) override;
    // Fills the list with the macros, selects the first whose name contains the typed prefix (else
    // the first), sizes and places it at the caret, shows and focuses it.
    void Open() override;
    QObject* Widget() override { return this; }
    // Appends C to the search text and selects the first name that starts with it (ignoring case).
    // When none does, a one-character search text is dropped and a longer one starts again at C.
    void Search(char C);
    // Expands the selected macro in the editor and gives the editor the focus back.
    void Accept();
    // Gives the editor the focus back without expanding.
    void Cancel();

    // The top left of a list of size List for the caret's line in an editor of size Editor: below
    // the caret's line when it fits, else above it; moved left when it would pass the right edge.
    static QPoint Placement(const QRect& CaretLine, const QSize& List, const QSize& Editor);

    // The name of an item.
    QByteArray NameOf(int Row) const;
    int WidestDescription() const { return widestDescription_; }
    int WidestName() const { return widestName_; }
    const QByteArray& SearchText() const { return search_; }

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    // Hides the list, lets the editor restore its state and collapses the selection to its end.
    void Close();

    TMacroKeywords& owner_;
    IMacroEditor* editor_;
    int widestDescription_ = 0;
    int widestName_ = 0;
    QByteArray search_;
};
