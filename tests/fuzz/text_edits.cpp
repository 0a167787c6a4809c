// Fuzz target: any run of edits, undos and redos keeps the text store sound after every step, and
// from the top of the undo log undoing everything gives back the text as last loaded, redoing
// everything the text at the top.
#include "editor/document/memo_core.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Reads the input a byte at a time; zero once it is used up.
class TReader {
public:
    TReader(const uint8_t* Data, size_t Size) : data_(Data), size_(Size) {}
    bool AtEnd() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string_view Text(size_t Length)
    {
        Length = std::min(Length, size_ - pos_);
        const std::string_view text(reinterpret_cast<const char*>(data_ + pos_), Length);
        pos_ += Length;
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void Check(const TMemoCore& Memo, const char* Step)
{
    const std::string breach = Memo.TextStore().CheckInvariants();
    if (!breach.empty()) {
        std::fprintf(stderr, "after %s: %s\n", Step, breach.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TReader in(data, size);
    TMemoCore memo;
    std::string loaded;
    while (!in.AtEnd()) {
        const uint8_t op = in.Byte();
        const int length = memo.TextLength() + 1;
        switch (op % 6) {
        case 0: {
            const int start = in.Byte() * 256 % length;
            memo.SetSelection(start, (start + in.Byte()) % length);
            memo.ReplaceSelection(in.Text(op / 6 % 24));
            break;
        }
        case 1: memo.SetSelection(in.Byte() % length, in.Byte() % length); break;
        case 2: memo.Undo(); break;
        case 3: memo.Redo(); break;
        case 4:
            memo.SetText(in.Text(op / 6 % 40));
            loaded = memo.GetText();
            break;
        case 5:
            memo.TextStore().SelLineStyle = op & 0x80 ? lsCRLF : lsLF;
            loaded = memo.GetText();
            memo.SetModified(false);
            break;
        }
        Check(memo, "a step");
    }
    // From the top of the log, undoing everything gives the text as loaded, and redoing everything
    // the text at the top again.
    while (memo.CanRedo()) {
        memo.Redo();
        Check(memo, "a redo");
    }
    const std::string final = memo.GetText();
    while (memo.CanUndo()) {
        memo.Undo();
        Check(memo, "an undo");
    }
    if (memo.GetText() != loaded)
        std::abort();
    while (memo.CanRedo()) {
        memo.Redo();
        Check(memo, "a redo");
    }
    if (memo.GetText() != final)
        std::abort();
    return 0;
}
