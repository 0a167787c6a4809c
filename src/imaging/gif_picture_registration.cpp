// Registering the GIF picture class with the picture registry.
#include "imaging/gif_picture_registration.h"

#include "imaging/gif_image.h"
#include "platform/graphics/clipboard_format.h"
#include "platform/graphics/picture.h"

#include <QGuiApplication>
#include <QScreen>

unsigned GIFClipboardFormat()
{
    static const unsigned format = win::RegisterClipboardFormat(QStringLiteral("GIF Image"));
    return format;
}

void RegisterGIFPictureFormat()
{
    TPicture::RegisterFileFormat(QStringLiteral("GIF"), QStringLiteral("GIF Image"), &NewGraphic<TGIFImage>);
    TPicture::RegisterClipboardFormat(GIFClipboardFormat(), &NewGraphic<TGIFImage>);
    // A screen of 8 bits per pixel or fewer shows colours through a palette.
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    SetPaletteDisplay(screen && screen->depth() < 9);
}
