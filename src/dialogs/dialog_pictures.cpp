// The dialogs' image lists, filled from the compiled-in pictures.
#include "dialogs/dialog_pictures.h"

#include "platform/graphics/image_list.h"

#include <QImage>

namespace {

TImageList& Filled(TImageList& List, std::initializer_list<const char*> Names)
{
    if (List.Count() == 0) {
        for (const char* name : Names)
            List.Add(QImage(QStringLiteral(":/dialogs/%1.png").arg(QLatin1String(name))));
    }
    return List;
}

} // namespace

TImageList& PermissionCellImages()
{
    static TImageList list(16, 16);
    return Filled(list, {"CHECK_OFF", "CHECK_ON"});
}

TImageList& LabelImages()
{
    static TImageList list(16, 16);
    return Filled(list, {"NOTE"});
}
