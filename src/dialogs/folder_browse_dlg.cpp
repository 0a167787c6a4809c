// TPTCustomFolderBrowseDlg.
#include "dialogs/folder_browse_dlg.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/folder_browse_form.h"
#include "dialogs/pt_frame.h"

#include "platform/rtl/exception.h"

#include <QPushButton>
#include <QToolButton>

TPTShellTreeOptions FolderBrowseTreeOptions(TPTFolderBrowseDlgOptions Options, TPTShellTreeOptions Tree)
{
    const std::pair<TPTFolderBrowseDlgOption, TPTShellTreeOption> pairs[] = {
        {ptfbOleDrag, ptstoOleDrag},
        {ptfbOleDrop, ptstoOleDrop},
        {ptfbIncludeNonFolders, ptstoIncludeNonFolders},
        {ptfbVirtualFolders, ptstoVirtualFolders},
        {ptfbContextMenus, ptstoContextMenus},
        {ptfbShowHidden, ptstoShowHidden},
    };
    for (const auto& [dialog, tree] : pairs)
        Tree.setFlag(tree, Options.testFlag(dialog));
    return Tree;
}

TPTCustomFolderBrowseDlg::TPTCustomFolderBrowseDlg(TComponent* AOwner)
    : TPTDialog(AOwner), baseFolder_(std::make_unique<TPTShellLocator>()),
      selectedFolder_(std::make_unique<TPTShellLocator>())
{
}

TPTCustomFolderBrowseDlg::~TPTCustomFolderBrowseDlg() = default;

void TPTCustomFolderBrowseDlg::Prepare(TPTFrmFolderBrowseDlg& Form)
{
    Form.OnFormShow = OnFormShow;
    Form.OnFormClose = OnFormClose;
    Form.OnInitialized = OnInitialized;
    Form.OnSelChange = OnSelChange;
    TPTShellTree& tree = *Form.PTShellTree1;
    tree.OnCustomDrawSh = OnTvCustomDrawSh;
    tree.OnCustomDrawShEx = OnTvCustomDrawShEx;
    tree.OnAddItem = OnAddItem;
    tree.SetOptions(FolderBrowseTreeOptions(Options, tree.Options()));
    tree.SetReadOnly(Options.testFlag(ptfbReadOnly));
    Form.CreateDeleteButtons = Options.testFlag(ptfbCreateDeleteButtons);
    Form.CreateBtn->setVisible(Form.CreateDeleteButtons);
    Form.DeleteBtn->setVisible(Form.CreateDeleteButtons);
    Form.CreateNewFolderBtn->setVisible(Options.testFlag(ptfbCreateFolderIcon));
    Form.DeleteFolderBtn->setVisible(Options.testFlag(ptfbDeleteFolderIcon));
    Form.StatusTxt->SetCaption(StatusText);
    if (FormWidth > 0 || FormHeight > 0)
        Form.SetClientSize(FormWidth > 0 ? FormWidth : Form.width(), FormHeight > 0 ? FormHeight : Form.height());
    if (FormWindowState == wsMaximized)
        Form.setWindowState(Qt::WindowMaximized);
    Form.setWindowTitle(Title.isEmpty() ? QStringLiteral("Browse for Folder") : Title);
    tree.BaseFolder()->Assign(baseFolder_.get());
    tree.Folder()->Assign(selectedFolder_.get());
}

bool TPTCustomFolderBrowseDlg::DoExecute()
{
    if (form_)
        throw Exception(QStringLiteral("TPTFolderBrowseDlg form already active"));
    const TBusyCursor busy;
    TPTFrmFolderBrowseDlg form;
    form_ = &form;
    int result = mrCancel;
    try {
        Prepare(form);
        result = form.ShowModal();
    } catch (...) {
        form_ = nullptr;
        throw;
    }
    form_ = nullptr;
    FormWidth = form.width();
    FormHeight = form.height();
    FormWindowState = form.isMaximized() ? wsMaximized : form.isMinimized() ? wsMinimized : wsNormal;
    if (result == mrOk)
        selectedFolder_->Assign(form.PTShellTree1->Folder());
    return result == mrOk;
}
