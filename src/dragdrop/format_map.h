// The registry of data format classes (TDataFormatClasses) and the conversion map
// (TDataFormatMap), which records which clipboard format classes feed or are fed by which data
// format class, with a priority, scopes and directions. Both are single instances made on first
// use; the format units fill them at start-up on the GUI thread.
//
// Map order: within one data format class, entries stand in ascending priority, and among equal
// priorities the most recently declared comes first. A data format's compatible formats are
// collected in map order.
#pragma once

#include "dragdrop/data_format.h"

#include <cstdint>
#include <vector>

class TDataFormatClasses {
public:
    static TDataFormatClasses& Instance();

    void Add(const TDataFormatClass& Class); // once only
    void Remove(const TDataFormatClass& Class);
    const std::vector<const TDataFormatClass*>& Classes() const { return classes_; }

private:
    std::vector<const TDataFormatClass*> classes_;
};

struct TConversionMapEntry {
    const TDataFormatClass* DataFormatClass;
    const TClipboardFormatClass* ClipboardFormatClass;
    std::int32_t Priority;
    TConversionScopes Scopes;
    TDataDirections Directions;
};

class TDataFormatMap {
public:
    static TDataFormatMap& Instance();

    // Declares a conversion. An entry for the pair already (the classes or descendants of them)
    // moves to its new place with the new priority and its sets joined with the new ones.
    void Add(const TDataFormatClass& DataFormatClass, const TClipboardFormatClass& ClipboardFormatClass,
             std::int32_t Priority, TConversionScopes Scopes, TDataDirections Directions);
    // Removes the entries of the class and of its descendants.
    void RemoveDataFormatClass(const TDataFormatClass& Class);
    void RemoveClipboardFormatClass(const TClipboardFormatClass& Class);
    const std::vector<TConversionMapEntry>& Entries() const { return entries_; }

private:
    std::vector<TConversionMapEntry> entries_;
};

void DeclareDataFormatClass(const TDataFormatClass& DataFormatClass);
void DeclareFormatConversion(const TDataFormatClass& DataFormatClass, const TClipboardFormatClass& ClipboardFormatClass,
                             std::int32_t Priority, TConversionScopes Scopes, TDataDirections Directions);
// Removes the map entries of the class and its descendants, then the class from the registry.
void WithdrawDataFormatClass(const TDataFormatClass& DataFormatClass);
// Removes the map entries of the clipboard format class and its descendants.
void WithdrawClipboardFormatClass(const TClipboardFormatClass& ClipboardFormatClass);
// Fills List with a new clipboard format for each entry of the map, in order, whose scopes hold
// Scope and whose data format class is DataFormatClass or a descendant of it; each format's
// transfer directions are the entry's.
void CollectConvertibleFormats(const TDataFormatClass& DataFormatClass, TClipboardFormats& List,
                               TConversionScopes Scope);
