// TPTFrmFolderBrowseDlg and its layout.
#include "dialogs/folder_browse_form.h"

#include "dialogs/pt_frame.h"
#include "shell/shell_tree.h"

#include "platform/rtl/exception.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QSizeGrip>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int Margin = 12;        // the status line's and the tree's distance from the sides
constexpr int Gap = 8;            // between the status line, the tree and the button row
constexpr int EdgeRight = 16;     // the right-most buttons' distance from the right side
constexpr int ButtonGap = 4;      // between neighbouring buttons
constexpr int GripSize = 13;
constexpr int StatusTop = 8;
constexpr int StatusHeight = 22;
constexpr int PanelHeight = 41;
constexpr QSize ButtonSize{75, 25};
constexpr QSize IconSize{23, 22};

// The design size of the inside; the window (366 x 340 with its frame) is never made smaller.
constexpr QSize DesignClient{358, 313};

} // namespace

TFolderBrowseLayout FolderBrowseLayout(QSize Client, bool CreateDeleteButtons, bool CreateIcon, bool DeleteIcon)
{
    TFolderBrowseLayout layout;
    const int width = Client.width();
    const int height = Client.height();
    // The speed buttons from the right edge leftwards.
    int iconRight = width - EdgeRight;
    int statusRight = width - Margin;
    if (DeleteIcon) {
        layout.DeleteIcon = QRect(QPoint(iconRight - IconSize.width(), StatusTop), IconSize);
        iconRight = layout.DeleteIcon.left() - ButtonGap;
        statusRight = iconRight;
    }
    if (CreateIcon) {
        layout.CreateIcon = QRect(QPoint(iconRight - IconSize.width(), StatusTop), IconSize);
        statusRight = layout.CreateIcon.left() - ButtonGap;
    }
    layout.Status = QRect(Margin, StatusTop, std::min(width - 2 * Margin, statusRight - Margin), StatusHeight);
    const int panelTop = height - PanelHeight;
    const int treeTop = layout.Status.bottom() + 1 + Gap;
    layout.Tree = QRect(Margin, treeTop, width - 2 * Margin, panelTop - Gap - treeTop);
    const int buttonTop = panelTop + Gap;
    if (CreateDeleteButtons) {
        int left = layout.Tree.left();
        for (QRect* button : {&layout.Ok, &layout.Cancel, &layout.Create, &layout.Delete}) {
            *button = QRect(QPoint(left, buttonTop), ButtonSize);
            left += ButtonSize.width() + ButtonGap;
        }
    } else {
        layout.Cancel = QRect(QPoint(width - EdgeRight - ButtonSize.width(), buttonTop), ButtonSize);
        layout.Ok = QRect(QPoint(layout.Cancel.left() - ButtonGap - ButtonSize.width(), buttonTop), ButtonSize);
    }
    layout.Grip = QRect(width - GripSize, height - GripSize, GripSize, GripSize);
    return layout;
}

TPTFrmFolderBrowseDlg::TPTFrmFolderBrowseDlg(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsSizeable);
    Position = poScreenCenter;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint);
    setMinimumSize(DesignClient);
    SetClientSize(DesignClient.width(), DesignClient.height());

    // A frameless frame control used as the status line: its caption is the status text.
    StatusTxt = new TPTFrame(this, this);
    StatusTxt->SetFrameStyle(ptfsNone);
    StatusTxt->SetAlignment(taLeftJustify);
    CreateNewFolderBtn = new QToolButton(this);
    CreateNewFolderBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    DeleteFolderBtn = new QToolButton(this);
    DeleteFolderBtn->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    PTShellTree1 = new TPTShellTree(this);
    PTShellTree1->SetOptions(ptstoAutoFill | ptstoVirtualFolders | ptstoDesignInteractive | ptstoContextMenus |
                             ptstoDynamicRefresh);
    PTShellTree1->setIndentation(19);
    PTShellTree1->setRootIsDecorated(true);
    ButtonPanel = new QWidget(this);
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    SetButtonModalResult(OkBtn, mrOk);
    CancelBtn = new QPushButton(this);
    SetButtonModalResult(CancelBtn, mrCancel);
    CreateBtn = new QPushButton(QStringLiteral("Create"), this);
    DeleteBtn = new QPushButton(QStringLiteral("Delete"), this);
    CreateBtn->hide();
    DeleteBtn->hide();
    SizeGrip = new QSizeGrip(this);

    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{CreateNewFolderBtn, CreateBtn})
        connect(button, &QAbstractButton::clicked, this, [this] { AtBoundary([this] { CreateBtnClick(); }); });
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{DeleteFolderBtn, DeleteBtn})
        connect(button, &QAbstractButton::clicked, this, [this] { AtBoundary([this] { DeleteBtnClick(); }); });
    PTShellTree1->OnChange = [this](TObject*, TTreeNode*) { TreeChange(); };
}

TPTFrmFolderBrowseDlg::~TPTFrmFolderBrowseDlg()
{
    // The tree's nodes go after the form: their selection tells no one.
    PTShellTree1->OnChange = nullptr;
}

void TPTFrmFolderBrowseDlg::Loaded()
{
    OkBtn->setText(QStringLiteral("OK"));
    CancelBtn->setText(QStringLiteral("Cancel"));
    CreateNewFolderBtn->setToolTip(QStringLiteral("Create Folder") + '|' + QStringLiteral("Creates a new, empty folder."));
    DeleteFolderBtn->setToolTip(QStringLiteral("Delete") + '|' + QStringLiteral("Deletes the selected items."));
    if (windowTitle().isEmpty())
        setWindowTitle(QStringLiteral("Browse for Folder"));
}

void TPTFrmFolderBrowseDlg::showEvent(QShowEvent* E)
{
    const bool first = !WasShown();
    TForm::showEvent(E);
    if (!first)
        return;
    // "MS Sans Serif" of the design is the default GUI font here.
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    AtBoundary([this] {
        PTShellTree1->CreateWnd();
        PTShellTree1->FillRoot();
        TreeChange();
        FormResize();
        Fire(OnFormShow, this);
        Fire(OnInitialized, this);
    });
}

void TPTFrmFolderBrowseDlg::resizeEvent(QResizeEvent* E)
{
    TForm::resizeEvent(E);
    FormResize();
}

void TPTFrmFolderBrowseDlg::done(int Result)
{
    AtBoundary([this] { Fire(OnFormClose, this); });
    TForm::done(Result);
}

void TPTFrmFolderBrowseDlg::FormResize()
{
    const TFolderBrowseLayout layout = FolderBrowseLayout(size(), CreateDeleteButtons, !CreateNewFolderBtn->isHidden(),
                                                          !DeleteFolderBtn->isHidden());
    StatusTxt->setGeometry(layout.Status);
    PTShellTree1->setGeometry(layout.Tree);
    ButtonPanel->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
    OkBtn->setGeometry(layout.Ok);
    CancelBtn->setGeometry(layout.Cancel);
    CreateBtn->setGeometry(layout.Create);
    DeleteBtn->setGeometry(layout.Delete);
    CreateNewFolderBtn->setGeometry(layout.CreateIcon);
    DeleteFolderBtn->setGeometry(layout.DeleteIcon);
    SizeGrip->setGeometry(layout.Grip);
    SizeGrip->raise();
}

void TPTFrmFolderBrowseDlg::TreeChange()
{
    TTreeNode* node = PTShellTree1->Selected();
    TPTShTreeData* data = TPTCustomShellTree::NodeData(node);
    const bool fileSystem = data && !data->GetPath().isEmpty();
    const bool deletable = fileSystem && node->Parent();
    CreateBtn->setEnabled(fileSystem);
    CreateNewFolderBtn->setEnabled(fileSystem);
    DeleteBtn->setEnabled(deletable);
    DeleteFolderBtn->setEnabled(deletable);
    if (data)
        AtBoundary([&] {
            if (OnSelChange)
                OnSelChange(this, data->AbsolutePidl());
        });
}

void TPTFrmFolderBrowseDlg::CreateBtnClick()
{
    PTShellTree1->CreateNewFolder();
}

void TPTFrmFolderBrowseDlg::DeleteBtnClick()
{
    if (TTreeNode* node = PTShellTree1->Selected())
        PTShellTree1->InvokeNodeVerb(node, TShellVerb(QStringLiteral("delete")));
}
