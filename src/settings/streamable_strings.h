// TStreamableStrings: a history list with a maximum length, kept in the registry.
#pragma once

#include "platform/rtl/string_list.h"
#include "settings/component_streamer.h"

#include <memory>

// Stored as the value "MaxStrings" and the subkey "Strings" with the values Strings0, Strings1, ...
// Trimming keeps the entries at indexes 0 .. MaxStrings (so MaxStrings + 1 of them) and drops
// every empty entry.
class TStreamableStrings : public TCustomComponentStreamer {
    Q_OBJECT
    Q_PROPERTY(TStrings* Strings READ Strings WRITE SetStrings)
    Q_PROPERTY(int MaxStrings READ MaxStrings WRITE SetMaxStrings)
    Q_CLASSINFO("default:MaxStrings", "10")
public:
    // Kept under the registry key Key: Strings starts as a trimmed copy of InitialStrings (when
    // given), MaxStrings as 10, then the stored list is loaded after them.
    TStreamableStrings(TComponent* AOwner, const QString& Key, const TStrings* InitialStrings);
    // Saves (with autosave on).
    ~TStreamableStrings() override;

    TStrings* Strings() const { return strings_.get(); }
    // Copies Value's lines (another list than the own one) and trims.
    void SetStrings(TStrings* Value);
    int MaxStrings() const { return maxStrings_; }
    void SetMaxStrings(int Value) { maxStrings_ = Value; }

    void Trim();
    // Trims, then saves.
    void Save() override;
    // Appends the stored lines to the present ones, then trims. A missing stored MaxStrings (or
    // one below 1) keeps the present one, so a new list keeps its 10 entries.
    bool Load() override;

private:
    std::unique_ptr<TStringList> strings_ = std::make_unique<TStringList>();
    int maxStrings_ = 10;
};
