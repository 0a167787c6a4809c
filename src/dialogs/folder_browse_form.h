// TPTFrmFolderBrowseDlg: the resizable form of the folder-browse dialog (a status line, the shell
// folder tree, create and delete buttons) and the layout of its controls.
#pragma once

#include "platform/shellapi/item_id_list.h"
#include "platform/widgets/form.h"

#include <QRect>
#include <functional>

class QPushButton;
class QSizeGrip;
class QToolButton;
class TPTFrame;
class TPTShellTree;

// Where the form's controls go in a client area of Client. CreateDeleteButtons: the create and
// delete buttons stand in the button row (OK first at the tree's left edge), else OK and Cancel
// stand at the right. The visible speed buttons stand at the top right, the status line ending
// before them.
struct TFolderBrowseLayout {
    QRect Status, Tree, Ok, Cancel, Create, Delete, CreateIcon, DeleteIcon, Grip;
};
TFolderBrowseLayout FolderBrowseLayout(QSize Client, bool CreateDeleteButtons, bool CreateIcon, bool DeleteIcon);

// Sizeable, centred on the screen; at least 366 x 340. The tree fills once, when the form is
// first shown, with the settings made by then.
class TPTFrmFolderBrowseDlg : public TForm {
    Q_OBJECT
public:
    explicit TPTFrmFolderBrowseDlg(TComponent* AOwner = nullptr);
    ~TPTFrmFolderBrowseDlg() override;

    TPTFrame* StatusTxt;
    QToolButton* CreateNewFolderBtn;
    QToolButton* DeleteFolderBtn;
    TPTShellTree* PTShellTree1;
    QWidget* ButtonPanel;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* CreateBtn;
    QPushButton* DeleteBtn;
    QSizeGrip* SizeGrip;

    // Whether the create and delete buttons stand in the button row.
    bool CreateDeleteButtons = false;

    TNotifyEvent OnInitialized;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;
    // The selected folder changed (its absolute list).
    std::function<void(TObject* Sender, win::LPCITEMIDLIST Pidl)> OnSelChange;

    // Places the controls by the client size.
    void FormResize();
    // Makes a folder in the selected one and edits its name.
    void CreateBtnClick();
    // Deletes the selected folder through the shell (which asks first) and refreshes.
    void DeleteBtnClick();

protected:
    void Loaded() override;
    void showEvent(QShowEvent* E) override;
    void resizeEvent(QResizeEvent* E) override;
    void done(int Result) override;

private:
    // The tree selected another node: the buttons follow it.
    void TreeChange();
};
