// StyleIcon over QStyle's standard pixmaps.
#include "platform/widgets/style_icons.h"

#include <QApplication>
#include <QStyle>

QIcon StyleIcon(win::TSystemIcon Icon)
{
    using win::TSystemIcon;
    QStyle::StandardPixmap pixmap = QStyle::SP_FileIcon;
    switch (Icon) {
    case TSystemIcon::File: pixmap = QStyle::SP_FileIcon; break;
    case TSystemIcon::Folder: pixmap = QStyle::SP_DirClosedIcon; break;
    case TSystemIcon::FolderOpen: pixmap = QStyle::SP_DirOpenIcon; break;
    case TSystemIcon::Computer: pixmap = QStyle::SP_ComputerIcon; break;
    case TSystemIcon::Desktop: pixmap = QStyle::SP_DesktopIcon; break;
    case TSystemIcon::Home: pixmap = QStyle::SP_DirHomeIcon; break;
    case TSystemIcon::VolumeRoot:
    case TSystemIcon::VolumeFixed:
    case TSystemIcon::VolumeRam: pixmap = QStyle::SP_DriveHDIcon; break;
    case TSystemIcon::VolumeRemovable: pixmap = QStyle::SP_DriveFDIcon; break;
    case TSystemIcon::VolumeNetwork: pixmap = QStyle::SP_DriveNetIcon; break;
    }
    return QApplication::style()->standardIcon(pixmap);
}
