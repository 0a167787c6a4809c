// TFtpAppSettings.
#include "settings/app_settings.h"

#include "settings/global_objects.h"
#include "settings/published_properties.h"
#include "routines/registry_helpers.h"

namespace {

std::unique_ptr<TStringList> SortedUniqueList()
{
    auto list = std::make_unique<TStringList>();
    list->SetSorted(true);
    list->Duplicates = dupIgnore;
    return list;
}

} // namespace

TFtpAppSettings::TFtpAppSettings(TComponent* AOwner, const QString& Key)
    : TComponentPosition(AOwner, skRegistry, Key, TDeferLoad{}), extensions_(SortedUniqueList())
{
    Load();
}

TFtpAppSettings::~TFtpAppSettings()
{
    SaveOnDestroy();
}

void TFtpAppSettings::Assign(const TObject* Source)
{
    if (const auto* settings = dynamic_cast<const TFtpAppSettings*>(Source))
        AssignPublishedProperties(*settings, *this);
    else
        TComponentPosition::Assign(Source);
}

bool TFtpAppSettings::Load()
{
    editFileFilters_->Clear();
    extensions_->Clear();
    return TComponentPosition::Load();
}

void TFtpAppSettings::SetEditFileFilters(TStrings* Value)
{
    if (Value && Value != editFileFilters_.get())
        editFileFilters_->Assign(*Value);
}

void TFtpAppSettings::SetExtensions(TStrings* Value)
{
    if (Value && Value != extensions_.get())
        extensions_->Assign(*Value);
}

void TFtpAppSettings::SetLogFileName(const QString& Value)
{
    const qsizetype cut = std::max({Value.lastIndexOf(QLatin1Char('\\')), Value.lastIndexOf(QLatin1Char(':')),
                                    Value.lastIndexOf(QLatin1Char('/'))});
    logFileName_ = Value.mid(cut + 1);
}

TFtpAppSettings* AppSettings(int Flag)
{
    static TFtpAppSettings* instance = nullptr;
    return GlobalObject(instance, Flag, [] { return new TFtpAppSettings(nullptr, MainFormRegKey); });
}
