// Copying storage media.
#include "dragdrop/storage_medium.h"

#include "platform/ole/medium.h"

bool DuplicateStorageMedium(const win::STGMEDIUM& Source, win::STGMEDIUM& Dest)
{
    return win::CopyStgMedium(&Source, &Dest) == win::S_OK;
}
