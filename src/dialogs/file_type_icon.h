// The pictures of the prompts and the HTML label: system icons by a file's name alone, and the
// style's message box pictures.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStyle>

// The system icon index of a normal file named Name (attribute 128) or, with Folder, of a folder:
// only the name counts, the disk is not read.
int IconIndexByName(const QString& Name, bool Folder = false);
// Icon Index of the large or small system image list; null for an index it does not hold.
QImage SystemIconImage(int Index, bool Large);
// The large system icon of a file named Name.
QPixmap FileTypeIcon(const QString& Name);
// The style's picture Icon at 32 x 32 pixels.
QPixmap StylePicture(QStyle::StandardPixmap Icon);
