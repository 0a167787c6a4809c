// An editor control for the key and command tests: real key events, the commands the key map
// recognised, and a client area of a given number of columns and lines.
#pragma once

#include "editor/custom_syntax_memo.h"

#include "platform/rtl/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

class TKeyMemo : public TCustomSyntaxMemo {
public:
    // The commands OnCommandRecognised saw.
    std::vector<int> Recognised;

    explicit TKeyMemo(int Columns = 40, int Rows = 10)
    {
        OnCommandRecognised = [this](TObject*, int& Command) { Recognised.push_back(Command); };
        SizeTo(Columns, Rows);
    }

    void SizeTo(int Columns, int Rows)
    {
        SetClientSize(TextLeft() + Columns * Metrics().CharWidth, Rows * Metrics().LineHeight);
    }

    // Sends one key press as the window system would; true when the editor took the key (false:
    // it goes on to be typed).
    bool Press(int QtKey, Qt::KeyboardModifiers Modifiers = Qt::NoModifier, const QString& Text = {})
    {
        QKeyEvent press(QEvent::KeyPress, QtKey, Modifiers, Text);
        QApplication::sendEvent(this, &press);
        QKeyEvent release(QEvent::KeyRelease, QtKey, Modifiers, Text);
        QApplication::sendEvent(this, &release);
        return press.isAccepted();
    }

    // The text with CR line ends.
    std::string Text() { return TextStore().GetText(0, TextLength()); }
    std::pair<int, int> Selection() const { return {SelStart(), SelEnd()}; }
    void Select(int Anchor, int Caret) { SetSelection(Anchor, Caret); }
    void SetOption(TSyntaxMemoOption Option, bool On)
    {
        const TSyntaxMemoOptions bit = TSyntaxMemoOptions(1) << Option;
        SetOptions(On ? Options() | bit : Options() & ~bit);
    }
};

// Collects the messages the application would show while it lives.
class TShownErrors {
public:
    TShownErrors()
        : previous_(TApplication::SetExceptionPrompt([this](const QString& Message) { Messages << Message; }))
    {
    }
    ~TShownErrors() { TApplication::SetExceptionPrompt(previous_); }

    QStringList Messages;

private:
    TApplication::ExceptionPrompt previous_;
};
