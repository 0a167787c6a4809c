// TPicturePainter: draws one of the window's pictures at any size on a grid of 16 units.
#pragma once

#include <QImage>
#include <QPainter>

// A transparent square picture Size pixels wide.
inline QImage BlankPicture(int Size)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// An antialiased painter on Image whose 16 units span the picture, so one drawing serves the
// small (16) and the tool bar's (32) pictures.
class TPicturePainter : public QPainter {
public:
    explicit TPicturePainter(QImage& Image) : QPainter(&Image)
    {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
        scale(Image.width() / 16.0, Image.height() / 16.0);
    }
};
