// initDragdrop: OLE on the GUI thread.
#include "dragdrop/dragdrop_init.h"

#include "platform/ole/com_init.h"

void initDragdrop()
{
    win::OleInitialize(nullptr);
}
