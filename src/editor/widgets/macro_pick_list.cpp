// The template pick list: filling, placing, searching, drawing and accepting.
#include "editor/widgets/macro_pick_list.h"

#include "editor/templates/macro_keywords.h"
#include "editor/document/memo_core.h"

#include "platform/rtl/events.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

constexpr int NameRole = Qt::UserRole;
// The list keeps the height it is made with.
constexpr int ListHeight = 97;

QFont BoldOf(const QFont& Font)
{
    QFont bold = Font;
    bold.setBold(true);
    return bold;
}

// Draws an item as its description, then its name in bold in a column of its own.
class TPickListDelegate : public QStyledItemDelegate {
public:
    explicit TPickListDelegate(TMacroPickList& List) : QStyledItemDelegate(&List), list_(List) {}

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        const QFontMetrics bold(BoldOf(list_.font()));
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), bold.height() + 2};
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        const QString text = Index.data(Qt::DisplayRole).toString();
        const qsizetype tab = text.indexOf(u'\t');
        const bool selected = Option.state & QStyle::State_Selected;
        Painter->save();
        Painter->fillRect(Option.rect, Option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        Painter->setPen(Option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        Painter->setFont(list_.font());
        const QRect line = Option.rect;
        Painter->drawText(line.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text.left(tab));
        Painter->setFont(BoldOf(list_.font()));
        Painter->drawText(line.adjusted(list_.WidestDescription() + 24, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, text.mid(tab + 1));
        Painter->restore();
    }

private:
    TMacroPickList& list_;
};

} // namespace

TMacroPickList::TMacroPickList(TMacroKeywords& Owner, IMacroEditor& Editor)
    : QListWidget(Editor.PickListParent()), owner_(Owner), editor_(&Editor)
{
    hide();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setItemDelegate(new TPickListDelegate(*this));
    setUniformItemSizes(true);
    resize(width(), ListHeight);
}

void TMacroPickList::Reuse(IMacroEditor& Editor)
{
    editor_ = &Editor;
    setParent(Editor.PickListParent());
    clear();
}

QByteArray TMacroPickList::NameOf(int Row) const
{
    const QListWidgetItem* entry = item(Row);
    return entry ? entry->data(NameRole).toByteArray() : QByteArray();
}

void TMacroPickList::Open()
{
    clear();
    search_.clear();
    const QFontMetrics plain(font());
    const QFontMetrics bold(BoldOf(font()));
    widestDescription_ = 0;
    widestName_ = 0;
    int selected = -1;
    for (const TMacroKeywords::TMacro& macro : owner_.Macros()) {
        const QString description = QString::fromLatin1(macro.Description);
        const QString name = QString::fromLatin1(macro.Name);
        auto* entry = new QListWidgetItem(description + u'\t' + name, this);
        entry->setData(NameRole, macro.Name);
        widestDescription_ = std::max(widestDescription_, plain.horizontalAdvance(description));
        widestName_ = std::max(widestName_, bold.horizontalAdvance(name));
        if (selected < 0 && LowerAscii(macro.Name).contains(owner_.TypedPrefix))
            selected = count() - 1;
    }
    setCurrentRow(std::max(selected, 0));

    resize(widestDescription_ + widestName_ + 48, height());
    const QWidget* editor = editor_->PickListParent();
    move(Placement(editor_->CaretLineRect(), size(), editor ? editor->size() : QSize()));
    show();
    raise();
    setFocus();
}

QPoint TMacroPickList::Placement(const QRect& CaretLine, const QSize& List, const QSize& Editor)
{
    int left = CaretLine.left();
    int top = CaretLine.top() + CaretLine.height();
    if (top + List.height() > Editor.height())
        top = CaretLine.top() - List.height();
    if (left + List.width() > Editor.width())
        left = Editor.width() - List.width() - 24;
    return {left, top};
}

void TMacroPickList::Search(char C)
{
    const auto find = [this] {
        const QByteArray wanted = LowerAscii(search_);
        for (int row = 0; row < count(); ++row) {
            if (LowerAscii(NameOf(row)).startsWith(wanted))
                return row;
        }
        return -1;
    };
    search_ += C;
    int row = find();
    while (row < 0 && !search_.isEmpty()) {
        search_ = search_.size() == 1 ? QByteArray() : QByteArray(1, C);
        if (!search_.isEmpty())
            row = find();
    }
    if (row >= 0)
        setCurrentRow(row);
}

void TMacroPickList::Accept()
{
    if (currentItem() && owner_.OnExpand) {
        const QByteArray name = NameOf(currentRow());
        QByteArray body;
        owner_.GetMacro(name, body);
        if (!LowerAscii(name).contains(owner_.TypedPrefix)) {
            TMemoCore& memo = editor_->Memo();
            const int end = std::max(memo.SelStart(), memo.SelEnd());
            memo.SetSelection(end, end);
        }
        Fire(owner_.OnExpand, &owner_, QByteArray(), body);
    }
    Cancel();
}

void TMacroPickList::Cancel()
{
    if (QWidget* editor = editor_->PickListParent())
        editor->setFocus();
    Close();
}

void TMacroPickList::Close()
{
    if (isHidden())
        return;
    hide();
    editor_->PickListClosed();
    TMemoCore& memo = editor_->Memo();
    const int end = std::max(memo.SelStart(), memo.SelEnd());
    memo.SetSelection(end, end);
}

void TMacroPickList::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Accept(); return;
    case Qt::Key_Escape: Cancel(); return;
    default: break;
    }
    const QString text = Event->text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() <= 0xFF &&
        text[0].unicode() != 0x7F) {
        Search(char(text[0].unicode()));
        return;
    }
    QListWidget::keyPressEvent(Event);
}

void TMacroPickList::focusOutEvent(QFocusEvent* Event)
{
    QListWidget::focusOutEvent(Event);
    Close();
}

void TMacroPickList::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QListWidget::mouseDoubleClickEvent(Event);
    Accept();
}
