// TCustomComponentStreamer.
#include "settings/component_streamer.h"

#include "platform/rtl/exception.h"

TCustomComponentStreamer::TCustomComponentStreamer(TComponent* AOwner) : TComponent(AOwner) {}

TCustomComponentStreamer::TCustomComponentStreamer(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TComponent(AOwner), kind_(Kind), name_(Name)
{
}

void TCustomComponentStreamer::SaveOnDestroy() noexcept
{
    if (!AutoSave || name_.isEmpty())
        return;
    AutoSave = false;
    AtBoundary([this] { Save(); });
}

void TCustomComponentStreamer::CreateStorage()
{
    if (kind_ == skFile)
        storage_ = std::make_shared<TStorageCfg2>(name_);
    else
        storage_ = std::make_shared<TStorageReg2>(name_);
}

void TCustomComponentStreamer::Save()
{
    CreateStorage();
    storage_->Save(this);
}

bool TCustomComponentStreamer::Load()
{
    CreateStorage();
    return storage_->Load(this);
}

void TCustomComponentStreamer::SaveVia(QObject* Component)
{
    if (!storage_)
        CreateStorage();
    storage_->Save(Component);
}

bool TCustomComponentStreamer::LoadVia(QObject* Component)
{
    if (!storage_)
        CreateStorage();
    return storage_->Load(Component);
}
