// "Shell IDList Array" (TPIDLClipboardFormat): the shell items of a drop as a folder's absolute
// item list followed by the items' lists relative to it; and TPIDLsToFilenamesStrings, the view
// of such lists as the items' file paths.
#pragma once

#include "dragdrop/simple_clipboard_format.h"
#include "platform/rtl/string_list.h"

// A read-only list of the paths of the items of a list of item lists (the folder's first, see
// id_lists.h), which it does not own. Assigning names to it replaces the item lists with theirs;
// every other change is ignored.
class TPIDLsToFilenamesStrings : public TStrings {
public:
    explicit TPIDLsToFilenamesStrings(TStrings& PIDLs) : pidls_(PIDLs) {}

    // One less than the number of lists; 0 with fewer than two.
    int Count() const override;
    void Insert(int, const QString&) override {}
    void Delete(int) override {}
    void Clear() override {}
    // Builds the item lists of Source's names (raising as IdListsFromNames).
    void Assign(const TStrings& Source) override;

protected:
    // The path of item Index in its folder; empty when it is not a file-system item. Raises
    // "Filename index out of range" outside 0 .. Count - 1.
    QString Get(int Index) const override;
    void Put(int, const QString&) override {}

private:
    TStrings& pidls_;
};

class TPIDLClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static const TClipboardFormatClass Class;

    TPIDLClipboardFormat();

    win::CLIPFORMAT GetClipboardFormat() const override;
    // Takes a block whose offset table and lists all lie whole inside it, with a folder and at
    // least one item.
    bool ParseBlock(std::span<const std::uint8_t> Block) override;
    // Needs a block at least BlockSize large.
    bool FillBlock(std::span<std::uint8_t> Block) override;
    // 4 × (lists + 1) and the lists' sizes; 0 with no lists.
    std::int64_t BlockSize() const override;
    void Clear() override { PIDLs.Clear(); }
    bool HoldsData() const override { return PIDLs.Count() > 0; }

    // The item lists, the folder's first.
    TStringList PIDLs;
    TPIDLsToFilenamesStrings Filenames{PIDLs};
};
