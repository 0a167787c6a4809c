// The editor control's OLE drag and drop: its drop target on the viewport, the drop caret that
// follows a drag, the drop handler, and the drag of the selection out of the editor.
#include "editor/custom_syntax_memo.h"

#include "editor/document/memo_strings.h"
#include "editor/document/undo_block.h"
#include "editor/document/undo_stack.h"
#include "editor/language/settings_routines.h"
#include "editor/syn_memo_data_object.h"
#include "editor/syn_memo_drop_target.h"

#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/drag_loop.h"
#include "platform/ole/drop_actions.h"

#include <QWidget>

#include <algorithm>
#include <utility>

using namespace win;

namespace {

// The editor's Lines in update state (painting off) for the lifetime of a scope.
class TLinesUpdate {
public:
    explicit TLinesUpdate(TStrings& Lines) : lines_(Lines) { lines_.BeginUpdate(); }
    ~TLinesUpdate() { lines_.EndUpdate(); }
    TLinesUpdate(const TLinesUpdate&) = delete;
    TLinesUpdate& operator=(const TLinesUpdate&) = delete;

private:
    TStrings& lines_;
};

} // namespace

void TCustomSyntaxMemo::RegisterDropTarget()
{
    dropCaret_ = new QWidget(viewport());
    dropCaret_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dropCaret_->setAutoFillBackground(true);
    QPalette palette = dropCaret_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Text));
    dropCaret_->setPalette(palette);
    dropCaret_->hide();
    const auto target = MakeComObject<TSynMemoDropTarget>(this);
    target->OnDragOver = [this](IDataObject* DataObject, DWORD& Effect, QPoint Point) {
        if (OnOLEDragOver)
            OnOLEDragOver(this, DataObject, Effect, Point);
    };
    target->OnDrop = [this](TDropObj& Data, unsigned Flags, DWORD& Effect) { return DataDropped(Data, Flags, Effect); };
    RegisterDragDrop(viewport(), target.Get());
}

void TCustomSyntaxMemo::MoveDropCaret(QPoint ScreenPoint)
{
    QPoint point = viewport()->mapFromGlobal(ScreenPoint);
    point.setX(std::max(point.x(), TextLeft()));
    const int lineHeight = std::max(1, metrics_.LineHeight);
    if (clientHeight_ > lineHeight) {
        if (point.y() < lineHeight / 2)
            ScrollBy(0, -1);
        else if (point.y() >= clientHeight_ - lineHeight / 2)
            ScrollBy(0, 1);
    }
    dropPos_ = PositionFromPoint(point);
    const QPoint at = PointFromPosition(dropPos_);
    dropCaret_->setGeometry(at.x(), at.y(), 2, lineHeight);
    dropCaret_->setVisible(at.y() >= 0 && at.y() < clientHeight_);
}

void TCustomSyntaxMemo::EndDropCaret()
{
    dropPos_ = -1;
    dropCaret_->hide();
}

// A move within this editor is the drop's alone: the selection goes and the text comes back at
// the drop position in one undo step; the drag's side deletes nothing more.
HRESULT TCustomSyntaxMemo::DataDropped(TDropObj& Data, unsigned Flags, DWORD& Effect)
{
    TrimHtmlFragment(Data.Text, Flags);
    if ((Flags & stFiles) && (Flags & stFilesToHandler) && HasOption(smoProcessDroppedFiles) && OnFilesDropped) {
        OnFilesDropped(this, Data.Files);
        return S_OK;
    }
    const bool fromHere = mouse_.Dragging;
    const int start = std::min(SelStart(), SelEnd());
    const int end = std::max(SelStart(), SelEnd());
    int pos = dropPos_ >= 0 ? dropPos_ : SelEnd();
    if (fromHere && start != end && pos >= start && pos <= end) {
        Effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }
    if (ReadOnly()) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    {
        const TUndoBlock block(*this, ubDrop);
        const TLinesUpdate update(Lines());
        if (fromHere && Effect == DROPEFFECT_MOVE) {
            if (pos > end)
                pos -= end - start;
            ReplaceSelectionText({}, true);
        }
        SetSelection(pos, pos, true);
        ReplaceSelectionText(std::string_view(Data.Text.constData(), std::size_t(Data.Text.size())), true);
    }
    droppedIntoSelf_ = fromHere;
    ScrollCaretIntoView();
    Invalidate();
    Changed();
    return S_OK;
}

Qt::DropAction TCustomSyntaxMemo::DragSelectionText(Qt::DropActions Allowed, bool& IntoSelf)
{
    const auto data = MakeComObject<TSynMemoDataObject>(this);
    const auto source = MakeComObject<TSynMemoDragSource>();
    droppedIntoSelf_ = false;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data.Get(), source.Get(), EffectsOf(Allowed), &effect);
    IntoSelf = std::exchange(droppedIntoSelf_, false);
    if (result != DRAGDROP_S_DROP)
        return Qt::IgnoreAction;
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    return effect & DROPEFFECT_COPY ? Qt::CopyAction : Qt::IgnoreAction;
}
