// The pictures of the prompts: the icon of a file's type by its name alone, and the style's
// message box pictures.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStyle>

// The large system icon of a file named Name (a normal file: only its name counts, the disk is
// not asked); null when there is none.
QPixmap FileTypeIcon(const QString& Name);
// The style's picture Icon at 32 x 32 pixels.
QPixmap StylePicture(QStyle::StandardPixmap Icon);
