// The system image lists and their icons from the theme and the style.
#include "platform/shellapi/system_image_list.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>

#include <functional>

namespace {

win::TSystemIconFallback& Fallback()
{
    static win::TSystemIconFallback* fallback = new win::TSystemIconFallback;
    return *fallback;
}

QStringList ThemeNames(win::TSystemIcon Icon)
{
    using win::TSystemIcon;
    switch (Icon) {
    case TSystemIcon::File: return {"application-octet-stream", "unknown"};
    case TSystemIcon::Folder: return {"folder"};
    case TSystemIcon::FolderOpen: return {"folder-open"};
    case TSystemIcon::Computer: return {"computer"};
    case TSystemIcon::Desktop: return {"user-desktop"};
    case TSystemIcon::Home: return {"user-home"};
    case TSystemIcon::VolumeRoot: return {"drive-harddisk-system", "drive-harddisk"};
    case TSystemIcon::VolumeFixed: return {"drive-harddisk"};
    case TSystemIcon::VolumeRemovable: return {"drive-removable-media"};
    case TSystemIcon::VolumeNetwork: return {"folder-remote", "network-server"};
    case TSystemIcon::VolumeRam: return {"media-flash", "drive-harddisk"};
    }
    return {};
}

// The first icon of the theme among Names, else the fallback's icon of Kind.
QIcon IconOf(const QStringList& Names, win::TSystemIcon Kind)
{
    for (const QString& name : Names) {
        const QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            return icon;
    }
    return Fallback() ? Fallback()(Kind) : QIcon();
}

QImage Rendered(const QIcon& Icon, int Size)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!Icon.isNull() && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QPainter painter(&image);
        Icon.paint(&painter, image.rect());
    }
    return image;
}

// An emblem in the lower left quarter of a blank image, as the shell's overlay images are: the
// theme's emblem, or a drawn one (an arrow for links, a hand-like dot for sharing).
QImage Emblem(const QString& ThemeName, bool Link, int Size)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect corner(0, Size - Size / 2, Size / 2, Size / 2);
    const QIcon themed = QIcon::fromTheme(ThemeName);
    if (!themed.isNull() && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        themed.paint(&painter, corner);
        return image;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(corner.adjusted(0, 0, -1, -1));
    if (Link) {
        painter.setPen(QPen(Qt::black, Size / 16.0 + 0.5));
        painter.drawLine(corner.left() + 2, corner.bottom() - 1, corner.right() - 2, corner.top() + 2);
        painter.drawLine(corner.right() - 2, corner.top() + 2, corner.right() - 2, corner.top() + corner.height() / 2);
        painter.drawLine(corner.right() - 2, corner.top() + 2, corner.left() + corner.width() / 2, corner.top() + 2);
    } else {
        painter.setBrush(QColor(0, 0, 160));
        painter.drawEllipse(corner.adjusted(2, 2, -3, -3));
    }
    return image;
}

class TSystemLists {
public:
    TSystemLists()
    {
        small_.Add(Blank(16));
        large_.Add(Blank(32));
        small_.Add(Emblem(QStringLiteral("emblem-shared"), false, 16));
        large_.Add(Emblem(QStringLiteral("emblem-shared"), false, 32));
        small_.Add(Emblem(QStringLiteral("emblem-symbolic-link"), true, 16));
        large_.Add(Emblem(QStringLiteral("emblem-symbolic-link"), true, 32));
        for (TImageList* list : {&small_, &large_}) {
            list->Overlay(1, win::OverlayShared);
            list->Overlay(2, win::OverlayLink);
        }
    }

    win::HIMAGELIST Handle(bool Large) { return Large ? large_.Handle() : small_.Handle(); }

    // The index of the icon Key, made from Source on first use.
    int Index(const QString& Key, const std::function<QIcon()>& Source)
    {
        const auto found = indexes_.constFind(Key);
        if (found != indexes_.constEnd())
            return found.value();
        const QIcon icon = Source();
        const int index = small_.Add(Rendered(icon, 16));
        large_.Add(Rendered(icon, 32));
        indexes_.insert(Key, index);
        return index;
    }

private:
    static QImage Blank(int Size)
    {
        QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

    TImageList small_{16, 16};
    TImageList large_{32, 32};
    QHash<QString, int> indexes_;
};

TSystemLists& Lists()
{
    static TSystemLists* lists = new TSystemLists; // shared by every control to the end of the process
    return *lists;
}

} // namespace

win::HIMAGELIST win::SystemImageList(bool Large)
{
    return Lists().Handle(Large);
}

void win::SetSystemIconFallback(TSystemIconFallback Fallback)
{
    ::Fallback() = std::move(Fallback);
}

int win::SystemIconIndex(TSystemIcon Icon)
{
    return Lists().Index(QStringLiteral("system:%1").arg(int(Icon)), [Icon] { return IconOf(ThemeNames(Icon), Icon); });
}

int win::MimeIconIndex(const QMimeType& Type)
{
    if (!Type.isValid() || Type.isDefault())
        return SystemIconIndex(TSystemIcon::File);
    return Lists().Index(QStringLiteral("mime:") + Type.iconName(), [&Type] {
        return IconOf({Type.iconName(), Type.genericIconName()}, TSystemIcon::File);
    });
}
