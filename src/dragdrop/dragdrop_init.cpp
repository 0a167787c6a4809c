// initDragdrop: OLE on the GUI thread and the declarations of the formats.
#include "dragdrop/dragdrop_init.h"

#include "dragdrop/format_registrations.h"
#include "platform/ole/com_init.h"

#include <QCoreApplication>

void initDragdrop()
{
    win::OleInitialize(nullptr);
    DeclareDragDropFormats();
    qAddPostRoutine(WithdrawDragDropFormats);
}
