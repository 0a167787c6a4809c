// The editor's read-only character stream.
#include "editor/document/ed_stream.h"

#include "editor/document/memo_core.h"

#include <algorithm>
#include <cstring>

TEdStream::TEdStream(TMemoCore* Editor) : editor_(Editor), length_(Editor ? Editor->TextLength() : 0) {}

void TEdStream::SetRange(TLineRecord* Line, int Offset, int LineStart)
{
    line_ = Line;
    offset_ = Offset;
    position_ = LineStart + Offset;
    length_ = editor_ ? editor_->TextLength() : 0;
    lastIndex_ = length_ > 0 ? length_ - 1 : 0;
}

char TEdStream::CurrentChar()
{
    return line_ && offset_ >= 0 && offset_ < line_->Length() ? line_->Text[std::size_t(offset_)] : '\0';
}

void TEdStream::Next()
{
    if (!line_)
        return;
    const int last = line_->Length() - 1;
    if (offset_ < last) {
        ++position_;
        ++offset_;
    } else if (line_->Next) {
        line_ = line_->Next;
        offset_ = 0;
        ++position_;
    } else if (offset_ == last) {
        ++position_;
        offset_ = line_->Length();
    }
}

void TEdStream::Back()
{
    if (!line_)
        return;
    if (offset_ > 0) {
        --position_;
        --offset_;
    } else if (line_->Prev) {
        line_ = line_->Prev;
        offset_ = line_->Length() - 1;
        --position_;
    }
}

std::string_view TEdStream::Ahead()
{
    if (!line_ || offset_ < 0 || offset_ >= line_->Length() || position_ >= length_)
        return {};
    return std::string_view(line_->Text)
        .substr(std::size_t(offset_), std::size_t(std::min(line_->Length() - offset_, length_ - position_)));
}

void TEdStream::SetPosition(int Pos)
{
    if (!line_)
        return;
    int distance = Pos - position_;
    while (distance > 0) {
        const int remaining = line_->Length() - offset_;
        if (distance >= remaining && line_->Next) {
            distance -= remaining;
            line_ = line_->Next;
            offset_ = 0;
        } else {
            offset_ = std::min(offset_ + distance, line_->Length());
            distance = 0;
        }
    }
    while (distance < 0) {
        if (-distance <= offset_) {
            offset_ += distance;
            distance = 0;
        } else if (line_->Prev) {
            distance += offset_ + 1;
            line_ = line_->Prev;
            offset_ = line_->Length() - 1;
        } else {
            offset_ = 0;
            distance = 0;
        }
    }
    position_ = Pos;
}

std::int64_t TEdStream::Read(void* Buffer, std::int64_t Count)
{
    auto* out = static_cast<char*>(Buffer);
    std::int64_t copied = 0;
    while (line_ && copied < Count && position_ < length_) {
        if (offset_ >= line_->Length()) {
            if (!line_->Next)
                break;
            line_ = line_->Next;
            offset_ = 0;
            continue;
        }
        const std::int64_t n = std::min(
            {Count - copied, std::int64_t(line_->Length() - offset_), std::int64_t(length_ - position_)});
        std::memcpy(out + copied, line_->Text.data() + offset_, std::size_t(n));
        copied += n;
        offset_ += int(n);
        position_ += int(n);
    }
    return copied;
}

std::int64_t TEdStream::Write(const void*, std::int64_t)
{
    throw EStreamError(QStringLiteral("Cannot write to a read-only stream"));
}

std::int64_t TEdStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: SetPosition(int(Offset)); break;
    case soCurrent:
        if (Offset != 0)
            SetPosition(position_ + int(Offset));
        break;
    case soEnd:
        if (editor_)
            SetPosition(length_ - int(Offset));
        break;
    }
    return position_;
}
