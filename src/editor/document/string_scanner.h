// TStringScanner: a 1-based cursor over a text, read character by character.
#pragma once

#include <QByteArray>

class TStringScanner {
public:
    explicit TStringScanner(const QByteArray& Text = {}) { SetText(Text); }

    // Position 1, or 0 for an empty text.
    void SetText(const QByteArray& Text)
    {
        text_ = Text;
        position_ = text_.isEmpty() ? 0 : 1;
    }
    const QByteArray& Text() const { return text_; }
    int Length() const { return int(text_.size()); }
    int Position() const { return position_; }
    void SetPosition(int P) { position_ = P; }
    bool AtEnd() const { return text_.isEmpty() || position_ > Length() || position_ < 1; }
    // The character at the position; character 0 at the end.
    char Current() const { return AtEnd() ? '\0' : text_[position_ - 1]; }
    void Next()
    {
        if (position_ <= Length())
            ++position_;
    }

private:
    QByteArray text_;
    int position_ = 0;
};
