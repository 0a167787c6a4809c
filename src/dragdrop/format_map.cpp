// The data format class registry and the conversion map.
#include "dragdrop/format_map.h"

#include <algorithm>

TDataFormatClasses& TDataFormatClasses::Instance()
{
    static TDataFormatClasses classes;
    return classes;
}

void TDataFormatClasses::Add(const TDataFormatClass& Class)
{
    if (std::find(classes_.begin(), classes_.end(), &Class) == classes_.end())
        classes_.push_back(&Class);
}

void TDataFormatClasses::Remove(const TDataFormatClass& Class)
{
    classes_.erase(std::remove(classes_.begin(), classes_.end(), &Class), classes_.end());
}

TDataFormatMap& TDataFormatMap::Instance()
{
    static TDataFormatMap map;
    return map;
}

void TDataFormatMap::Add(const TDataFormatClass& DataFormatClass, const TClipboardFormatClass& ClipboardFormatClass,
                         std::int32_t Priority, TConversionScopes Scopes, TDataDirections Directions)
{
    TConversionMapEntry entry{&DataFormatClass, &ClipboardFormatClass, Priority, Scopes, Directions};
    const auto known = std::find_if(entries_.begin(), entries_.end(), [&](const TConversionMapEntry& e) {
        return e.DataFormatClass->InheritsFrom(DataFormatClass) && e.ClipboardFormatClass->InheritsFrom(ClipboardFormatClass);
    });
    if (known != entries_.end()) {
        entry.Scopes |= known->Scopes;
        entry.Directions |= known->Directions;
        entries_.erase(known);
    }
    // Behind the last entry of the same class, then back past those of its class whose priority
    // is not lower.
    auto place = entries_.end();
    const auto sameClass = [&](const TConversionMapEntry& e) { return e.DataFormatClass == &DataFormatClass; };
    const auto lastOfClass = std::find_if(entries_.rbegin(), entries_.rend(), sameClass);
    if (lastOfClass != entries_.rend()) {
        place = lastOfClass.base();
        while (place != entries_.begin() && sameClass(*(place - 1)) && (place - 1)->Priority >= Priority)
            --place;
    }
    entries_.insert(place, entry);
}

void TDataFormatMap::RemoveDataFormatClass(const TDataFormatClass& Class)
{
    std::erase_if(entries_, [&](const TConversionMapEntry& e) { return e.DataFormatClass->InheritsFrom(Class); });
}

void TDataFormatMap::RemoveClipboardFormatClass(const TClipboardFormatClass& Class)
{
    std::erase_if(entries_, [&](const TConversionMapEntry& e) { return e.ClipboardFormatClass->InheritsFrom(Class); });
}

void DeclareDataFormatClass(const TDataFormatClass& DataFormatClass)
{
    TDataFormatClasses::Instance().Add(DataFormatClass);
}

void DeclareFormatConversion(const TDataFormatClass& DataFormatClass, const TClipboardFormatClass& ClipboardFormatClass,
                             std::int32_t Priority, TConversionScopes Scopes, TDataDirections Directions)
{
    TDataFormatMap::Instance().Add(DataFormatClass, ClipboardFormatClass, Priority, Scopes, Directions);
}

void WithdrawDataFormatClass(const TDataFormatClass& DataFormatClass)
{
    TDataFormatMap::Instance().RemoveDataFormatClass(DataFormatClass);
    TDataFormatClasses::Instance().Remove(DataFormatClass);
}

void WithdrawClipboardFormatClass(const TClipboardFormatClass& ClipboardFormatClass)
{
    TDataFormatMap::Instance().RemoveClipboardFormatClass(ClipboardFormatClass);
}

void CollectConvertibleFormats(const TDataFormatClass& DataFormatClass, TClipboardFormats& List, TConversionScopes Scope)
{
    List.Clear();
    for (const TConversionMapEntry& entry : TDataFormatMap::Instance().Entries()) {
        if (!(entry.Scopes & Scope) || !entry.DataFormatClass->InheritsFrom(DataFormatClass) ||
            !entry.ClipboardFormatClass->Create)
            continue;
        TClipboardFormat* format = entry.ClipboardFormatClass->Create();
        format->TransferDirections = entry.Directions;
        List.Add(format);
    }
}
