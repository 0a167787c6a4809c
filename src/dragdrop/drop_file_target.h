// TDropFileTarget: the drop target of file lists, giving the dropped files' full paths.
#pragma once

#include "dragdrop/drop_multi_target.h"

class TFileDataFormat;
class TFileMapDataFormat;
class TStrings;

class TDropFileTarget : public TCustomDropMultiTarget {
public:
    // OptimizedMove on; a file list and a name-map data format.
    explicit TDropFileTarget(TComponent* AOwner);

    // The dropped files; valid inside OnDrop.
    TStrings& GetFiles() const;

protected:
    // A source that prefers nothing is read as preferring copy.
    win::DWORD ReadPreferredEffect() override;

private:
    TFileDataFormat* fileFormat_;
    TFileMapDataFormat* fileMapFormat_;
};
