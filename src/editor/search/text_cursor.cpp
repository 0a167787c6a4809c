// The store's text as pieces.
#include "editor/search/text_cursor.h"

#include "editor/document/text_store.h"

#include <cstdlib>

namespace {

// Further than this from the record at hand, the store's own lookup (which starts from the
// nearest record it knows) is quicker than walking.
constexpr int WalkDistance = 16 * 1024;

} // namespace

TStoreTextSource::TStoreTextSource(TTextStore& Store) : store_(Store) {}

int TStoreTextSource::Length() const
{
    return store_.TextLength();
}

TTextPiece TStoreTextSource::PieceAt(int Pos)
{
    if (!line_ || std::abs(Pos - start_) > WalkDistance) {
        line_ = store_.LineAt(Pos, nullptr, &start_);
    } else {
        while (Pos >= start_ + line_->Length() && line_->Next) {
            start_ += line_->Length();
            line_ = line_->Next;
        }
        while (Pos < start_ && line_->Prev) {
            line_ = line_->Prev;
            start_ -= line_->Length();
        }
    }
    return {line_->Text.data(), start_, line_->Length()};
}
