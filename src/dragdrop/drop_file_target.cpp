// The drop target of file lists.
#include "dragdrop/drop_file_target.h"

#include "dragdrop/file_data_formats.h"

TDropFileTarget::TDropFileTarget(TComponent* AOwner)
    : TCustomDropMultiTarget(AOwner), fileFormat_(new TFileDataFormat(this)), fileMapFormat_(new TFileMapDataFormat(this))
{
    OptimizedMove = true;
}

TStrings& TDropFileTarget::GetFiles() const
{
    return fileFormat_->Files;
}

win::DWORD TDropFileTarget::ReadPreferredEffect()
{
    const win::DWORD effect = TCustomDropMultiTarget::ReadPreferredEffect();
    return effect == win::DROPEFFECT_NONE ? win::DROPEFFECT_COPY : effect;
}
