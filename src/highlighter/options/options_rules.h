// The rules of the editor options dialog that need no widget: the margin edits and their spin
// buttons, the keys the number edits accept, the states of the auto-correct and code-template
// buttons, the binding texts and the drop flags of the template editor.
#pragma once

#include "platform/ui/vkeys.h"

#include <QString>
#include <QStringList>

namespace options {

// The margin edits hold 0 to 199.
constexpr int MaxMargin = 199;
// The value of a margin edit: its number when it is one from 0 to 199, else 1.
int MarginValue(const QString& Text);
// A spin button's step on a margin edit: down lowers by 1 unless at 0, up raises by 1 unless at
// 199 or more; a text that is no number becomes "1".
QString SpinMargin(const QString& Text, bool Up);

// The keys (virtual keys) the wrap-column and indent-step edits accept: Backspace, Tab, End,
// Home, Left, Right, Delete and the digits.
bool NumberEditAccepts(int Key);
// The keys the margin edits accept: Backspace, Left, Right, Insert, Delete and the digits.
bool MarginEditAccepts(int Key);

// A button of the auto-correct and code-template pages: enabled, and its caption.
struct TButtonState {
    bool Enabled = false;
    QString Caption;
    bool operator==(const TButtonState&) const = default;
};
struct TButtonStates {
    TButtonState Button1;
    TButtonState Button2;
    bool operator==(const TButtonStates&) const = default;
};

// The auto-correct buttons for the texts of the Replace and With boxes. Words: the words of the
// list (compared ignoring case); Items: the list's items, "word<TAB>replacement" or the word alone.
TButtonStates AutoReplaceButtons(const QString& Word, const QString& Replacement, const QStringList& Words,
                                 const QStringList& Items);
// The code-template buttons for the name and description boxes and the template text. Names: the
// template names (ignoring case); Items: "name<TAB>description"; StoredBody: the body stored under
// the name (when there is one).
TButtonStates TemplateButtons(const QString& Name, const QString& Description, const QByteArray& Text,
                              const QStringList& Names, const QStringList& Items, const QByteArray& StoredBody);

// The text of a binding in the "Uses keys" list: "[Ctrl+K]  [B]", "[F3]  [<none>]".
QString BindingText(TShortCut Key1, TShortCut Key2);

// The drop flags of data dropped on the template editor: the drop control bit 0x400 cleared;
// HTML (0x100) is taken as trimmed HTML (0x2000), else a file list (1) is processed (0x800).
unsigned TemplateDropFlags(unsigned Flags);

} // namespace options
