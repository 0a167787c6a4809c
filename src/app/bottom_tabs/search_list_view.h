// TSearchListView: the search result list lvSearch, which draws its heading row (the
// "Searching for ..." row and the completion text) bold behind a picture of the window's own.
#pragma once

#include "shell/pt_list_view.h"

class TSearchListView : public TPTListView {
    Q_OBJECT
public:
    // HeadingImage is the picture of AppImages the heading row shows.
    TSearchListView(const TImageList& AppImages, int HeadingImage, QWidget* Parent = nullptr);

protected:
    void PaintStage(QWidget* Viewport, bool Begin) override;

private:
    const TImageList& appImages_;
    int headingImage_;
};
