// TPTShListData: what a shell list keeps for one row: the item's lists, its cached name and the
// texts of its Size, Type and Modified columns.
#pragma once

#include "platform/rtl/object.h"
#include "platform/shellapi/shell_folder.h"

#include <QString>

class TPTCustomShellList;

// Owned by its row. The item's attributes are asked of the list's folder each time; the name and
// the detail texts are computed once, on first use. GUI thread only.
class TPTShListData : public TObject {
public:
    // Takes over RelPidl (from the task allocator).
    TPTShListData(TPTCustomShellList* Owner, win::LPITEMIDLIST RelPidl);
    ~TPTShListData() override;

    TPTCustomShellList* Owner() const { return owner_; }
    // The item within the list's folder.
    win::LPCITEMIDLIST RelPidl() const { return relPidl_; }
    // Takes over Value, frees the old list and forgets everything cached.
    void SetRelPidl(win::LPITEMIDLIST Value);
    // The folder's list and the item's, joined on first use.
    win::LPCITEMIDLIST AbsPidl();
    // The item's name as the shell shows it.
    const QString& DisplayName();

    bool IsFolder();
    bool IsFileSystem();
    bool CanRename();
    // A shortcut file (".lnk", without regard to case).
    bool IsLink();
    // The file-system path (empty for virtual items) and its last part.
    QString GetPath();
    QString GetFileName();

    // The item's small system icon, looked up once.
    int IconIndex();

    QString GetSizeText();
    QString GetTypeText();
    QString GetModifiedText();
    // The text of report column Column: empty for 0; through the list's detail provider when it
    // has one (empty when that fails); else 1 Size, 2 Type, 3 Modified, others empty.
    QString DetailText(int Column);

    // The attributes (SFGAO_...) the data asks of the folder.
    static constexpr win::ULONG AttributeMask = 0xF00F0037;

private:
    win::ULONG Attributes();
    void LoadDetails();
    void ForgetCache();

    TPTCustomShellList* owner_;
    win::LPITEMIDLIST relPidl_;
    win::LPITEMIDLIST absPidl_ = nullptr;
    QString displayName_;
    bool nameLoaded_ = false;
    int iconIndex_ = -1;
    bool detailsLoaded_ = false;
    QString sizeText_;
    QString typeText_;
    QString modifiedText_;
};
