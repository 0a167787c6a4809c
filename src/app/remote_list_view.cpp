// TRemoteListView.
#include "app/remote_list_view.h"

#include "app/app_images.h"
#include "session/remote_list_model.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPainter>
#include <QTreeView>

TRemoteListView::TRemoteListView(TRemoteListModel& Model, TImageList& AppImages, QWidget* Parent)
    : TPTListView(Parent), model_(Model), appImages_(AppImages)
{
    setObjectName(QStringLiteral("lvRemote"));
    Name = objectName();
    SetMultiSelect(true);
    for (const auto& [caption, width, alignment] :
         {std::tuple{"Name", 180, taLeftJustify}, {"Size", 80, taRightJustify}, {"Type", 120, taLeftJustify},
          {"Modified", 120, taLeftJustify}}) {
        TListColumn column;
        column.Caption = QString::fromLatin1(caption);
        column.Width = width;
        column.Alignment = alignment;
        AddColumn(column);
    }
    Logo = LogoImage();
}

void TRemoteListView::ModelChanged()
{
    if (retrieving_)
        EndRetrieving();
    ResetItems(model_.Count());
    update();
}

void TRemoteListView::ShowRetrieving()
{
    if (!retrieving_) {
        Tag = ViewStyle();
        retrieving_ = true;
    }
    SetViewStyle(vsReport);
    Header()->setVisible(false);
    ResetItems(1);
}

void TRemoteListView::EndRetrieving()
{
    retrieving_ = false;
    setFocus();
    SetViewStyle(TViewStyle(Tag));
    Header()->setVisible(ViewStyle() == vsReport);
}

void TRemoteListView::ResetItems(int Count)
{
    Clear();
    AddRows(Count);
}

void TRemoteListView::SyncSelectionToModel()
{
    if (retrieving_ || Count() != model_.Count())
        return;
    for (int i = 0; i < model_.Count(); ++i)
        if (model_.Row(i).Selected)
            model_.SetSelected(i, false);
    for (TListItem* item : SelectedItems())
        model_.SetSelected(item->Index(), true);
    TListItem* focused = ItemFocused();
    model_.FocusedIndex = focused ? focused->Index() : -1;
}

QString TRemoteListView::ItemText(TListItem& Item, int Column)
{
    if (retrieving_)
        return Column == 0 ? RetrievingText : QString();
    if (Item.Index() >= model_.Count())
        return {};
    const TRemoteRow& row = model_.Row(Item.Index());
    switch (Column) {
    case 0:
        return row.Caption();
    case 1:
        return row.SizeText();
    case 2:
        return row.TypeName();
    case 3:
        return row.DateText();
    default:
        return {};
    }
}

int TRemoteListView::ItemImageIndex(TListItem& Item)
{
    if (retrieving_ || Item.Index() >= model_.Count())
        return -1;
    return model_.Row(Item.Index()).ImageIndex();
}

void TRemoteListView::PaintStage(QWidget* Viewport, bool Begin)
{
    TPTListView::PaintStage(Viewport, Begin);
    if (Begin)
        return;
    QPainter painter(Viewport);
    if (retrieving_ && Count() == 1) {
        // The placeholder row: bold, with the "still to come" picture.
        const QRect row = ReportView()->visualRect(ReportView()->model()->index(0, 0)).adjusted(0, 0, Viewport->width(), 0);
        painter.fillRect(row, palette().color(QPalette::Base));
        const QImage image = appImages_.GetImage(AppImage::Placeholder);
        painter.drawImage(row.left() + 2, row.top() + 1, image);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(row.adjusted(image.width() + 6, 0, 0, 0), Qt::AlignVCenter | Qt::TextSingleLine, RetrievingText);
    } else if (Count() == 0 && LogoShown && LogoShown()) {
        const int lower = ViewStyle() == vsReport ? 8 : 0;
        painter.drawImage((Viewport->width() - Logo.width()) / 2, (Viewport->height() - Logo.height()) / 2 + lower, Logo);
    }
}

void TRemoteListView::resizeEvent(QResizeEvent* Event)
{
    TPTListView::resizeEvent(Event);
    if (Count() == 0)
        View()->viewport()->update();
}
