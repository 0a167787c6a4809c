// TCustomToolBarFrm, its lists and CustomizeToolBar.
#include "app/toolbars/custom_tool_bar_frm.h"

#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "dialogs/designed_controls.h"
#include "dialogs/web_address.h"
#include "platform/graphics/image_list.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/action_button.h"
#include "platform/widgets/item_images.h"
#include "platform/widgets/label.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {

const QString EntryMimeType = QStringLiteral("application/x-halyard-toolbar-entry");

// A caption as it reads: the access-key marks taken out.
QString PlainCaption(const QString& Caption)
{
    QString plain;
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&') && i + 1 < Caption.size())
            ++i;
        plain += Caption[i];
    }
    return plain;
}

// Each entry: the action's image 2 pixels from the left and its caption after it, both centred
// in a row 4 pixels higher than the images; the current list's last entry (the trailing
// separator) in grey.
class TEntryDelegate : public QStyledItemDelegate {
public:
    TEntryDelegate(TToolbarActionListBox* List, const TImageList* Images, bool GreyLast)
        : QStyledItemDelegate(List), list_(List), images_(Images), greyLast_(GreyLast)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), ImageSize().height() + 4};
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        QStyleOptionViewItem option = Option;
        initStyleOption(&option, Index);
        option.text.clear();
        option.icon = QIcon();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &option, Painter, list_);
        const QRect row = Option.rect;
        const TAction* action = list_->EntryAction(Index.row());
        const QPixmap image = action ? ItemImagePixmap(images_, action->ImageIndex, -1, false) : QPixmap();
        const QSize size = ImageSize();
        if (!image.isNull())
            Painter->drawPixmap(row.left() + 2, row.top() + (row.height() - size.height()) / 2, image);
        const bool grey = greyLast_ && Index.row() == list_->count() - 1;
        const QPalette::ColorRole role = (Option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
        Painter->setPen(grey ? Option.palette.color(QPalette::Disabled, QPalette::Text) : Option.palette.color(role));
        const QRect text(row.left() + size.width() + 4, row.top(), row.width() - size.width() - 4, row.height());
        Painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, Index.data().toString());
    }

private:
    QSize ImageSize() const { return images_ ? QSize(images_->Width(), images_->Height()) : QSize(16, 16); }

    TToolbarActionListBox* list_;
    const TImageList* images_;
    bool greyLast_;
};

} // namespace

TToolbarActionListBox::TToolbarActionListBox(QWidget* Parent) : QListWidget(Parent)
{
    setSelectionMode(SingleSelection);
    setAcceptDrops(true);
    setDragDropMode(DragDrop);
}

TAction* TToolbarActionListBox::EntryAction(int Row) const
{
    const QListWidgetItem* entry = item(Row);
    return entry ? qobject_cast<TAction*>(entry->data(Qt::UserRole).value<QObject*>()) : nullptr;
}

void TToolbarActionListBox::InsertEntry(int Row, TAction* Action)
{
    auto* entry = new QListWidgetItem(PlainCaption(Action->text()));
    entry->setData(Qt::UserRole, QVariant::fromValue<QObject*>(Action));
    insertItem(Row < 0 || Row > count() ? count() : Row, entry);
}

void TToolbarActionListBox::SelectFirst()
{
    if (count() > 0)
        setCurrentRow(0);
}

void TToolbarActionListBox::mousePressEvent(QMouseEvent* Event)
{
    QListWidget::mousePressEvent(Event);
    pressPos_ = Event->position().toPoint();
    pressRow_ = Event->button() == Qt::LeftButton ? indexAt(pressPos_).row() : -1;
    if (pressRow_ >= 0 && CanDrag && !CanDrag(pressRow_))
        pressRow_ = -1;
}

void TToolbarActionListBox::mouseMoveEvent(QMouseEvent* Event)
{
    if (!(Event->buttons() & Qt::LeftButton) || pressRow_ < 0 ||
        (Event->position().toPoint() - pressPos_).manhattanLength() < DragThreshold)
        return;
    auto* data = new QMimeData;
    data->setData(EntryMimeType, QByteArray::number(pressRow_));
    pressRow_ = -1;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

void TToolbarActionListBox::dragEnterEvent(QDragEnterEvent* Event)
{
    if (qobject_cast<TToolbarActionListBox*>(Event->source()) && Event->mimeData()->hasFormat(EntryMimeType))
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TToolbarActionListBox::dragMoveEvent(QDragMoveEvent* Event)
{
    if (qobject_cast<TToolbarActionListBox*>(Event->source()) && Event->mimeData()->hasFormat(EntryMimeType))
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TToolbarActionListBox::dropEvent(QDropEvent* Event)
{
    auto* source = qobject_cast<TToolbarActionListBox*>(Event->source());
    if (!source || !Event->mimeData()->hasFormat(EntryMimeType)) {
        Event->ignore();
        return;
    }
    Event->acceptProposedAction();
    const int sourceRow = Event->mimeData()->data(EntryMimeType).toInt();
    const int row = indexAt(Event->position().toPoint()).row();
    if (OnDropEntry)
        OnDropEntry(source, sourceRow, row);
}

TCustomToolBarFrm::TCustomToolBarFrm(TComponent* AOwner, TToolBar& ToolBar, TActionList& Actions, const QString& Key,
                                     const QList<TAction*>& Defaults)
    : TStreamPositionFrm(AOwner, skRegistry, Key), toolBar_(ToolBar), actions_(Actions), defaults_(Defaults)
{
    SetBorderStyle(bsDialog);
    SetClientSize(552, 262);
    setWindowTitle(QStringLiteral("Select Buttons"));

    Label1 = NewLabel(this, "Label1", QRect(8, 8, 170, 16), QStringLiteral("A&vailable toolbar buttons:"));
    lbAllToolbarActions = Designed(new TToolbarActionListBox(this), "lbAllToolbarActions", QRect(8, 26, 170, 228));
    Label2 = NewLabel(this, "Label2", QRect(286, 8, 170, 16), QStringLiteral("Current &toolbar buttons:"));
    lbCurrentToolbar = Designed(new TToolbarActionListBox(this), "lbCurrentToolbar", QRect(286, 26, 170, 228));
    Label1->setBuddy(lbAllToolbarActions);
    Label2->setBuddy(lbCurrentToolbar);
    lbAllToolbarActions->setItemDelegate(new TEntryDelegate(lbAllToolbarActions, ToolBar.Images, false));
    lbCurrentToolbar->setItemDelegate(new TEntryDelegate(lbCurrentToolbar, ToolBar.Images, true));
    lbCurrentToolbar->CanDrag = [this](int Row) { return Row != lbCurrentToolbar->count() - 1; };
    lbAllToolbarActions->OnDropEntry = [this](TToolbarActionListBox* Source, int SourceRow, int Row) {
        DropEntry(Source, SourceRow, lbAllToolbarActions, Row);
    };
    lbCurrentToolbar->OnDropEntry = [this](TToolbarActionListBox* Source, int SourceRow, int Row) {
        DropEntry(Source, SourceRow, lbCurrentToolbar, Row);
    };

    ActionList = new TActionList(this);
    ActionList->setObjectName(QStringLiteral("ActionList"));
    auto newAction = [this](const char* Name, const QString& Caption, std::function<void()> Execute,
                            std::function<bool()> Enabled) {
        auto* action = new TAction(Caption, ActionList);
        action->setObjectName(QLatin1String(Name));
        action->OnExecute = [Execute](TAction*) { Execute(); };
        action->OnUpdate = [Enabled](TAction* Sender) { Sender->setEnabled(Enabled()); };
        return action;
    };
    const auto currentSelected = [this] { return CurrentEntrySelected(); };
    actCustomAdd = newAction("actCustomAdd", QStringLiteral("&Add ->"), [this] { actCustomAddExecute(); },
                             [this] { return lbAllToolbarActions->currentRow() >= 0; });
    actCustomRemove = newAction("actCustomRemove", QStringLiteral("<- &Remove"), [this] { actCustomRemoveExecute(); },
                                currentSelected);
    actCustomMoveUp = newAction("actCustomMoveUp", QStringLiteral("Move &Up"), [this] { MoveSelected(-1); },
                                currentSelected);
    actCustomMoveDown = newAction("actCustomMoveDown", QStringLiteral("Move &Down"), [this] { MoveSelected(1); },
                                  currentSelected);
    actCustomReset = newAction("actCustomReset", QStringLiteral("R&eset"), [this] { actCustomResetExecute(); },
                               [this] { return !defaults_.isEmpty(); });

    auto bound = [this](const char* Name, const QRect& Rect, TAction* Action) {
        auto* button = NewButton(*this, this, Name, Rect, {}, mrNone);
        BindButtonToAction(button, Action);
        return button;
    };
    btnAdd = bound("btnAdd", QRect(188, 90, 88, 25), actCustomAdd);
    btnRemove = bound("btnRemove", QRect(188, 122, 88, 25), actCustomRemove);
    Button1 = NewButton(*this, this, "Button1", QRect(466, 26, 78, 25), QStringLiteral("&Close"), mrOk);
    Button1->setDefault(true);
    btnMoveUp = bound("btnMoveUp", QRect(466, 90, 78, 25), actCustomMoveUp);
    btnMoveDown = bound("btnMoveDown", QRect(466, 122, 78, 25), actCustomMoveDown);
    btnReset = bound("btnReset", QRect(466, 166, 78, 25), actCustomReset);
    Button3 = NewButton(*this, this, "Button3", QRect(466, 229, 78, 25), QStringLiteral("&Help"), mrNone);
    connect(Button3, &QPushButton::clicked, this, [] {
        win::ShellExecute(nullptr, QStringLiteral("open"), ProgramWebAddress + QStringLiteral("help/"), QString(),
                          QString(), win::SW_SHOWNORMAL);
    });

    FillLists();
    ActionList->UpdateActions();
}

void TCustomToolBarFrm::FillLists()
{
    lbCurrentToolbar->clear();
    lbAllToolbarActions->clear();
    QList<TAction*> onToolBar;
    for (const TToolButton* button : toolBar_.Buttons()) {
        if (button->Action()) {
            lbCurrentToolbar->InsertEntry(-1, button->Action());
            onToolBar.append(button->Action());
        }
    }
    for (TAction* action : actions_.Actions())
        if (action->Tag == SeparatorActionTag || !onToolBar.contains(action))
            lbAllToolbarActions->InsertEntry(-1, action);
    lbCurrentToolbar->SelectFirst();
    lbAllToolbarActions->SelectFirst();
}

bool TCustomToolBarFrm::CurrentEntrySelected() const
{
    const int row = lbCurrentToolbar->currentRow();
    return row >= 0 && row < lbCurrentToolbar->count() - 1;
}

void TCustomToolBarFrm::actCustomAddExecute()
{
    const int from = lbAllToolbarActions->currentRow();
    TAction* action = lbAllToolbarActions->EntryAction(from);
    if (!action)
        return;
    int target = lbCurrentToolbar->currentRow();
    if (target >= 1)
        --target;
    target = std::max(target, 0);
    lbCurrentToolbar->InsertEntry(target, action);
    if (action->Tag != SeparatorActionTag) {
        delete lbAllToolbarActions->takeItem(from);
        if (lbAllToolbarActions->count() > 0)
            lbAllToolbarActions->setCurrentRow(std::max(from - 1, 0));
    }
    lbCurrentToolbar->setCurrentRow(target);
    RebuildToolBar();
}

void TCustomToolBarFrm::actCustomRemoveExecute()
{
    if (!CurrentEntrySelected())
        return;
    const int from = lbCurrentToolbar->currentRow();
    TAction* action = lbCurrentToolbar->EntryAction(from);
    int target = lbAllToolbarActions->currentRow();
    if (target >= 1)
        --target;
    target = std::max(target, 0);
    if (action->Tag != SeparatorActionTag) {
        lbAllToolbarActions->InsertEntry(target, action);
        lbAllToolbarActions->setCurrentRow(target);
    }
    delete lbCurrentToolbar->takeItem(from);
    lbCurrentToolbar->setCurrentRow(std::max(from - 1, 0));
    RebuildToolBar();
}

void TCustomToolBarFrm::MoveSelected(int Step)
{
    if (!CurrentEntrySelected())
        return;
    const int from = lbCurrentToolbar->currentRow();
    MoveEntry(from, from + Step);
}

void TCustomToolBarFrm::MoveEntry(int From, int To)
{
    // The trailing separator and the entry before it keep their places.
    if (To == From || To < 0 || To >= lbCurrentToolbar->count() - 2)
        return;
    QListWidgetItem* entry = lbCurrentToolbar->takeItem(From);
    lbCurrentToolbar->insertItem(To, entry);
    lbCurrentToolbar->setCurrentRow(To);
    RebuildToolBar();
}

void TCustomToolBarFrm::actCustomResetExecute()
{
    RestoreToolBarButtons(toolBar_, defaults_);
    FillLists();
}

void TCustomToolBarFrm::DropEntry(TToolbarActionListBox* Source, int SourceRow, TToolbarActionListBox* Target, int Row)
{
    if (Source == lbAllToolbarActions && Target == lbCurrentToolbar) {
        lbAllToolbarActions->setCurrentRow(SourceRow);
        const int last = lbCurrentToolbar->count() - 1;
        lbCurrentToolbar->setCurrentRow(Row < 0 ? last : std::min(Row + 1, last));
        actCustomAddExecute();
    } else if (Source == lbCurrentToolbar && Target == lbCurrentToolbar) {
        if (SourceRow < lbCurrentToolbar->count() - 1)
            MoveEntry(SourceRow, Row < 0 ? lbCurrentToolbar->count() - 3 : Row);
    } else if (Source == lbCurrentToolbar && Target == lbAllToolbarActions) {
        lbCurrentToolbar->setCurrentRow(SourceRow);
        actCustomRemoveExecute();
    }
    ActionList->UpdateActions();
}

void TCustomToolBarFrm::RebuildToolBar()
{
    QList<TAction*> entries;
    for (int row = 0; row < lbCurrentToolbar->count(); ++row)
        entries.append(lbCurrentToolbar->EntryAction(row));
    SetToolBarButtons(toolBar_, entries);
    ActionList->UpdateActions();
}

void CustomizeToolBar(TToolBar& ToolBar, TActionList& Actions, const QString& Key, const QList<TAction*>& Defaults)
{
    TCustomToolBarFrm form(nullptr, ToolBar, Actions, Key, Defaults);
    form.ShowModal();
}
