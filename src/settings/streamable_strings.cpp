// TStreamableStrings.
#include "settings/streamable_strings.h"

TStreamableStrings::TStreamableStrings(TComponent* AOwner, const QString& Key, const TStrings* InitialStrings)
    : TCustomComponentStreamer(AOwner, skRegistry, Key)
{
    if (InitialStrings)
        strings_->Assign(*InitialStrings);
    Trim();
    Load();
}

TStreamableStrings::~TStreamableStrings()
{
    SaveOnDestroy();
}

void TStreamableStrings::SetStrings(TStrings* Value)
{
    if (!Value || Value == strings_.get())
        return;
    strings_->Assign(*Value);
    Trim();
}

void TStreamableStrings::Trim()
{
    for (int i = strings_->Count() - 1; i >= 0; --i) {
        if (i > maxStrings_ || strings_->Strings(i).isEmpty())
            strings_->Delete(i);
    }
}

void TStreamableStrings::Save()
{
    Trim();
    TCustomComponentStreamer::Save();
}

bool TStreamableStrings::Load()
{
    const int maxStrings = maxStrings_;
    const bool loaded = TCustomComponentStreamer::Load();
    if (maxStrings_ < 1)
        maxStrings_ = maxStrings;
    Trim();
    return loaded;
}
