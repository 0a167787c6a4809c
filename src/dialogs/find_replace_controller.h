// TFindReplaceController: what the find and replace dialog does with the editor it serves: find
// the next occurrence, replace one, replace all with or without asking, the option word of its
// controls and its history lists. The dialog only wires its controls to it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>

class TCustomSyntaxMemo;

// What the dialog's controls hold when a button is pressed.
struct TFindReplaceRequest {
    QString FindText;
    QString ReplaceText;
    unsigned FindOpt = 0; // foMatchCase, foWholeWord, foRegularExpression, foBackward
    bool PromptOnReplace = true;
};

class TFindReplaceController {
public:
    // The option word of the controls.
    static unsigned OptionsOf(bool MatchCase, bool WholeWords, bool RegularExpressions, bool Back);
    // A stored option word: only the case, regular-expression, whole-word and direction bits count.
    static unsigned MaskFindOpt(int Stored);
    static constexpr int HistoryLength = 10;
    // History with Text on top when it was not in it yet, at most HistoryLength entries.
    static QStringList WithHistoryEntry(QStringList History, const QString& Text);

    // The editor served; null once it is freed.
    TCustomSyntaxMemo* Editor() const;
    void SetEditor(TCustomSyntaxMemo* Editor);

    // OK in find mode: the next occurrence is selected (a selection that is the find text counts
    // as found already); otherwise "'%s' not found". True when found.
    bool Find(const TFindReplaceRequest& Request);
    // OK in replace mode: the next occurrence is selected and replaced, after asking when the
    // request says so. True when one was found.
    bool ReplaceOne(const TFindReplaceRequest& Request);
    // From the start of the text, always forward, every occurrence is replaced (asking about
    // each when the request says so; Cancel stops) as one undo step. Returns how many.
    int ReplaceAll(const TFindReplaceRequest& Request);

private:
    // Moves the selection start one on when the selection is the find text.
    void SkipSelectedText(const TFindReplaceRequest& Request, bool CaseSensitive);
    // The next non-empty occurrence from the selection, selected, with its replacement.
    bool FindNextReplacement(const TFindReplaceRequest& Request, unsigned Options, std::string& Replacement);
    void ReportNotFound(const QString& FindText);
    int AskReplace(const TFindReplaceRequest& Request);

    TCustomSyntaxMemo* editor_ = nullptr;
    QPointer<QObject> editorAlive_;
};
