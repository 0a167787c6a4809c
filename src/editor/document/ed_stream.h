// TEdStream: the read-only character stream over an editor's text through which the tokenizer,
// word selection, search and auto-replace read it.
#pragma once

#include "platform/rtl/streams.h"

#include <string_view>

class TMemoCore;
struct TLineRecord;

// A stream that also steps character by character.
class TCustomEdStream : public TStream {
public:
    virtual char CurrentChar() = 0;
    virtual int GetPosition() = 0;
    virtual void SetPosition(int Pos) = 0;
    virtual bool EndOfText() = 0;
    virtual void Next() = 0;
    virtual void Back() = 0;
    // The characters from the place on that the stream holds in one piece (never past the end of
    // the text), to be read without stepping; empty where it has none.
    virtual std::string_view Ahead() { return {}; }
};

// Reads the text of the editor's current store. Callers set a range before reading; the stream
// stands on a line record at an offset, and the position is the absolute character position.
class TEdStream : public TCustomEdStream {
public:
    explicit TEdStream(TMemoCore* Editor);

    // Places the stream at Offset in Line, whose first character is at LineStart, and takes the
    // editor's current text length.
    void SetRange(TLineRecord* Line, int Offset, int LineStart);

    // The character at the place (the CR at a line end). Only meaningful while not EndOfText.
    char CurrentChar() override;
    int GetPosition() override { return position_; }
    // Walks record by record to Pos; running off either end of the text leaves the stream at that
    // end of the first or last record, but the position becomes Pos. Nothing without a line.
    void SetPosition(int Pos) override;
    bool EndOfText() override { return position_ >= length_; }
    // One character on; past the last character of the text the stream moves once more, to just
    // behind it, and then stays.
    void Next() override;
    // One character back; at the start of the text it stays.
    void Back() override;
    // The rest of the current record.
    std::string_view Ahead() override;

    // Copies characters from the place on, record after record, up to the text length.
    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    // Raises EStreamError "Cannot write to a read-only stream".
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // From soEnd the stream goes to length - Offset, so Seek(0, soEnd) (and Size) give the length.
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    TLineRecord* Line() const { return line_; }
    int Offset() const { return offset_; }
    // The text length minus 1 (0 for an empty text).
    int LastIndex() const { return lastIndex_; }

private:
    TMemoCore* editor_;
    int lastIndex_ = 0;
    int length_ = 0;
    TLineRecord* line_ = nullptr;
    int position_ = 0;
    int offset_ = 0;
};
