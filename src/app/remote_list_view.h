// TRemoteListView: the remote list lvRemote, showing the rows of the session's remote list model.
#pragma once

#include "shell/pt_list_view.h"

#include <QImage>
#include <functional>

class TRemoteListModel;

// The view keeps no texts of its own: each row's texts and icon are read from the model when the
// row is drawn, so a listing of any length costs one light item per row. While a listing is
// fetched the view shows one placeholder row in report style and parks its own style in Tag.
class TRemoteListView : public TPTListView {
    Q_OBJECT
public:
    TRemoteListView(TRemoteListModel& Model, TImageList& AppImages, QWidget* Parent = nullptr);

    static inline const QString RetrievingText = QStringLiteral("Retrieving directory listing...");

    // The model's rows changed: the view shows them (the placeholder display ends, the parked
    // style comes back).
    void ModelChanged();
    // The placeholder row while a listing is fetched.
    void ShowRetrieving();
    bool Retrieving() const { return retrieving_; }
    // Copies the view's selection and focused row into the model, where the transfer queue and
    // the commands read them.
    void SyncSelectionToModel();

    // The logo is drawn while the list is empty and LogoShown answers true.
    std::function<bool()> LogoShown;
    QImage Logo;

protected:
    QString ItemText(TListItem& Item, int Column) override;
    int ItemImageIndex(TListItem& Item) override;
    void PaintStage(QWidget* Viewport, bool Begin) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    // Count empty items: their texts come from the model.
    void ResetItems(int Count);
    // Back from the placeholder display to the style parked in Tag.
    void EndRetrieving();

    TRemoteListModel& model_;
    TImageList& appImages_;
    bool retrieving_ = false;
};
