// TPicturePreview: the scroll box that shows a picture file centred, with its error label and the
// context menu that copies the picture to the clipboard.
#pragma once

#include "imaging/wbmp.h"
#include "platform/graphics/picture.h"

#include <QScrollArea>

class QAction;
class QLabel;

// WBMP files are read by the preview's own TWBmp, any other file through the picture registry.
// A file that cannot be shown leaves the preview empty and shows the error text.
class TPicturePreview : public QScrollArea {
    Q_OBJECT
public:
    explicit TPicturePreview(QWidget* Parent = nullptr);
    ~TPicturePreview() override;

    // Shows the picture of FileName (the hourglass meanwhile); DisplayName names it in the error
    // text. True when a picture shows.
    bool LoadFile(const QString& FileName, const QString& DisplayName);
    // Shows nothing and no error.
    void Clear();

    bool HasPicture() const { return !image_.isNull(); }
    // The picture shown (null when none) and its size in pixels (0 x 0 when none).
    const QImage& Image() const { return image_; }
    // Copies the picture shown to the clipboard as a bitmap.
    void CopyToClipboard();

    QLabel* imgImg;
    QLabel* lblError;
    QAction* popmniCopy;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void Show(const QImage& Image);
    void ShowError(const QString& DisplayName);
    void Center();

    TWBmp wbmp_;
    QImage image_;
    bool wbmpFailed_ = false;
};

// The pixels of a graphic as it is drawn; a GIF gives its first frame on its logical screen.
QImage GraphicImage(TGraphic& Graphic);
// The text a picture that cannot be shown gives.
QString PreviewErrorText(const QString& FileName);
