// TSysFolderPicker.
#include "dialogs/sys_folder_picker.h"

#include "shell/shell_tree.h"

#include "platform/rtl/exception.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSysFolderPicker::TSysFolderPicker(win::LPCITEMIDLIST Root, unsigned Flags, const QString& Title) : flags_(Flags)
{
    SetBorderStyle(bsSizeable);
    Position = poScreenCenter;
    setWindowTitle(Title.isEmpty() ? QStringLiteral("Browse for Folder") : Title);
    auto* layout = new QVBoxLayout(this);
    StatusLabel = new QLabel(this);
    StatusLabel->setVisible(Flags & bifStatusText);
    layout->addWidget(StatusLabel);
    Tree = new TPTShellTree(this);
    Tree->SetOptions(TPTCustomShellTree::DefaultOptions & ~(ptstoOleDrag | ptstoOleDrop));
    Tree->setRootIsDecorated(true);
    Tree->BaseFolder()->SetPidl(Root);
    layout->addWidget(Tree);
    auto* buttons = new QDialogButtonBox(this);
    OkBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    CancelBtn = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    OkBtn->setDefault(true);
    SetButtonModalResult(OkBtn, mrOk);
    SetButtonModalResult(CancelBtn, mrCancel);
    layout->addWidget(buttons);
    resize(320, 360);
    Tree->OnChange = [this](TObject*, TTreeNode*) { SelectionChanged(); };
}

TSysFolderPicker::~TSysFolderPicker()
{
    // The tree's nodes go after the form: their selection tells no one.
    Tree->OnChange = nullptr;
}

void TSysFolderPicker::showEvent(QShowEvent* E)
{
    const bool first = !WasShown();
    TForm::showEvent(E);
    if (!first)
        return;
    AtBoundary([this] {
        Tree->CreateWnd();
        if (Tree->TopCount() == 0)
            Tree->FillRoot();
        initialized_ = true;
        if (OnInitialized)
            OnInitialized();
        SelectionChanged();
    });
}

void TSysFolderPicker::SetStatusText(const QString& Text)
{
    StatusLabel->setText(Text);
}

void TSysFolderPicker::SetOkEnabled(bool Value)
{
    OkBtn->setEnabled(Value);
}

void TSysFolderPicker::SetSelection(win::LPCITEMIDLIST Pidl)
{
    Tree->SetFolderPidl(Pidl);
}

win::LPCITEMIDLIST TSysFolderPicker::Selection() const
{
    TPTShTreeData* data = Tree->GetSelectedData();
    return data ? data->AbsolutePidl() : nullptr;
}

void TSysFolderPicker::SelectionChanged()
{
    TPTShTreeData* data = Tree->GetSelectedData();
    if (!data || !initialized_)
        return;
    if (flags_ & bifReturnOnlyFSDirs) {
        bool allowed = !data->GetPath().isEmpty();
        if (!allowed && (flags_ & bifReturnFSAncestors) && data->ParentFolder()) {
            win::ULONG attribs = win::SFGAO_FILESYSANCESTOR;
            const win::LPCITEMIDLIST one[] = {data->RelativePidl()};
            allowed = win::SUCCEEDED(data->ParentFolder()->GetAttributesOf(one, &attribs)) &&
                      (attribs & win::SFGAO_FILESYSANCESTOR);
        }
        OkBtn->setEnabled(allowed);
    }
    if (OnSelChanged)
        OnSelChanged(data->AbsolutePidl());
}
