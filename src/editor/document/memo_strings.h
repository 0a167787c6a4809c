// TSyntaxMemoStrings: the editor's lines as a string list (the Lines property), working through
// the editor's own operations as a plain memo's lines do. Each byte of the text is one character
// U+0000..U+00FF of the list.
#pragma once

#include "platform/rtl/string_list.h"

class TMemoCore;

class TSyntaxMemoStrings : public TStrings {
public:
    explicit TSyntaxMemoStrings(TMemoCore* Editor) : editor_(Editor) {}

    // While the editor wraps words and this is set, lines are logical lines (the text up to and
    // including each line end) instead of records.
    bool WrappedView = false;

    // 0 for an empty text.
    int Count() const override;
    // Inserts S as a line before line Index (at the end for an Index at or past the count).
    // Ignored for a negative Index.
    void Insert(int Index, const QString& S) override;
    // Removes line Index with its line end. Ignored for a negative Index.
    void Delete(int Index) override;
    // The editor's Clear: the text and the undo log are emptied.
    void Clear() override;
    // The whole text, line ends as the store's SelLineStyle says.
    QString Text() const override;
    // Replaces the whole text, its line ends made CR LF first; nothing happens when it is the
    // text already there.
    void SetText(const QString& Text) override;
    // Replaces the whole text with the lines of Strings, each followed by CR LF.
    void AddStrings(const TStrings& Strings) override;
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;

protected:
    QString Get(int Index) const override;
    // Replaces the text of line Index (its line end stays).
    void Put(int Index, const QString& S) override;
    // Painting is off while the list is being updated.
    void SetUpdateState(bool Updating) override;

private:
    bool Wrapped() const;
    // The start of logical line Index; the text length past the last.
    int LogicalLineStart(int Index) const;
    void Replace(int Start, int End, const QByteArray& Text) const;

    TMemoCore* editor_;
};
