// TTextCursor: fast reads of single characters by position from a text kept in pieces (the line
// records of a store, or one string), for the searches that jump about in it.
#pragma once

#include <string_view>

class TTextStore;
struct TLineRecord;

// A run of characters of the text and the position of its first one.
struct TTextPiece {
    const char* Data = nullptr;
    int Start = 0;
    int Length = 0;
};

// A text read piece by piece.
class TTextSource {
public:
    virtual ~TTextSource() = default;
    virtual int Length() const = 0;
    // The piece holding Pos (0 <= Pos < Length()).
    virtual TTextPiece PieceAt(int Pos) = 0;
};

// The text of a store: one piece per line record, found by walking from the last record read.
class TStoreTextSource : public TTextSource {
public:
    explicit TStoreTextSource(TTextStore& Store);
    int Length() const override;
    TTextPiece PieceAt(int Pos) override;

private:
    TTextStore& store_;
    TLineRecord* line_ = nullptr;
    int start_ = 0;
};

// One string as one piece.
class TStringTextSource : public TTextSource {
public:
    explicit TStringTextSource(std::string_view Text) : text_(Text) {}
    int Length() const override { return int(text_.size()); }
    TTextPiece PieceAt(int) override { return {text_.data(), 0, int(text_.size())}; }

private:
    std::string_view text_;
};

// Characters by position, the piece last read kept at hand. The text must not change while a
// cursor reads it.
class TTextCursor {
public:
    explicit TTextCursor(TTextSource& Source) : source_(Source), length_(Source.Length()) {}
    int Length() const { return length_; }
    // The character at Pos (0 <= Pos < Length()).
    char At(int Pos)
    {
        const unsigned offset = unsigned(Pos - piece_.Start);
        if (offset < unsigned(piece_.Length))
            return piece_.Data[offset];
        piece_ = source_.PieceAt(Pos);
        return piece_.Data[Pos - piece_.Start];
    }
    // The piece holding Pos (0 <= Pos < Length()).
    const TTextPiece& Piece(int Pos)
    {
        if (unsigned(Pos - piece_.Start) >= unsigned(piece_.Length))
            piece_ = source_.PieceAt(Pos);
        return piece_;
    }

private:
    TTextSource& source_;
    int length_;
    TTextPiece piece_;
};
