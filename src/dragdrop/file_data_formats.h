// The data formats of files: TFileDataFormat (a file list), TFileMapDataFormat (the names a
// target gives the dropped files) and TPIDLDataFormat (shell item lists, viewed as paths).
#pragma once

#include "dragdrop/data_format.h"
#include "dragdrop/pidl_clipboard_format.h"

// A data format over one string list whose changes fire the data format's Changing.
class TCustomStringsDataFormat : public TCustomDataFormat {
public:
    static const TDataFormatClass Class;

    void Clear() override { lines_.Clear(); }
    bool HoldsData() const override { return lines_.Count() > 0; }

protected:
    TCustomStringsDataFormat(const TDataFormatClass& AClass, TComponent* AOwner);

    TStringList lines_;
};

// The files, from CF_HDROP, the paths of "Shell IDList Array", or "FileNameW" / "FileName".
class TFileDataFormat : public TCustomStringsDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TFileDataFormat(TComponent* AOwner);

    bool Assign(TClipboardFormat* ClipboardFormat) override;
    // Gives the files to CF_HDROP, and their item lists to "Shell IDList Array" (false when they
    // cannot be converted).
    bool AssignTo(TClipboardFormat* ClipboardFormat) override;

    TStringList& Files = lines_;
};

class TFileMapDataFormat : public TCustomStringsDataFormat {
public:
    static const TDataFormatClass Class;

    // Exchanges the names with "FileNameMapW" and "FileNameMap" through their own Assign and
    // AssignTo.
    explicit TFileMapDataFormat(TComponent* AOwner);

    TStringList& NameMappings = lines_;
};

// The item lists (the folder's first), from "Shell IDList Array" or made from CF_HDROP's files.
class TPIDLDataFormat : public TCustomStringsDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TPIDLDataFormat(TComponent* AOwner);

    // Takes the lists of "Shell IDList Array", or makes them from CF_HDROP's files (false when
    // they cannot be converted).
    bool Assign(TClipboardFormat* ClipboardFormat) override;
    bool AssignTo(TClipboardFormat* ClipboardFormat) override;

    TStringList& PIDLs = lines_;
    TPIDLsToFilenamesStrings Filenames{lines_};
};
