// TComponentPosition.
#include "settings/component_position.h"

#include "settings/published_properties.h"

TComponentPosition::TComponentPosition(TComponent* AOwner) : TCustomComponentStreamer(AOwner) {}

TComponentPosition::TComponentPosition(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TCustomComponentStreamer(AOwner, Kind, Name)
{
    Load();
}

TComponentPosition::TComponentPosition(TComponent* AOwner, TStorageKind Kind, const QString& Name, TDeferLoad)
    : TCustomComponentStreamer(AOwner, Kind, Name)
{
}

TComponentPosition::~TComponentPosition()
{
    SaveOnDestroy();
}

void TComponentPosition::Assign(const TObject* Source)
{
    const auto* position = dynamic_cast<const TComponentPosition*>(Source);
    if (!position)
        RaiseAssignError(Source, *this);
    left_ = position->left_;
    top_ = position->top_;
    height_ = position->height_;
    width_ = position->width_;
}

void TComponentPosition::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
}
