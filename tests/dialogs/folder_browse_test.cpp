// The folder-browse dialogs answered by scripted prompts: their guards, sizes, titles and options,
// the form's buttons and layout, and the system folder picker steered while it runs.
#include "dialogs/folder_browse_dlg.h"
#include "dialogs/folder_browse_form.h"
#include "dialogs/pt_frame.h"
#include "dialogs/sys_folder_dlg.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"

#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The message of what Run raises; empty when it raises nothing.
template <class F> QString Raised(F Run)
{
    try {
        Run();
    } catch (const Exception& E) {
        return E.Message;
    }
    return {};
}

TPTFrmFolderBrowseDlg& FormOf(QDialog& Dialog)
{
    return dynamic_cast<TPTFrmFolderBrowseDlg&>(Dialog);
}

} // namespace

TEST(FolderBrowseDlg, RunsOnceAtATimeKeepsItsSizeAndTitleAndReturnsTheSelection)
{
    TTempTree tree;
    tree.Folder("base/one/two");
    TPTFolderBrowseDlg dlg;
    dlg.BaseFolder()->SetPath(tree.Path("base"));
    dlg.SetSelectedPath(tree.Path("base/one"));
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        TPTFrmFolderBrowseDlg& form = FormOf(Dialog);
        EXPECT_EQ(form.size(), QSize(358, 313));
        EXPECT_EQ(form.windowTitle(), "Browse for Folder");
        EXPECT_EQ(form.PTShellTree1->GetSelectedPath(), tree.Path("base/one"));
        EXPECT_EQ(Raised([&] { dlg.Execute(); }), "TPTFolderBrowseDlg already executing");
        form.resize(500, 420);
        form.PTShellTree1->SetFolderPath(tree.Path("base/one/two"));
        ButtonOf(Dialog, "OK")->click();
    });
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.GetSelectedPath(), tree.Path("base/one/two"));
    EXPECT_EQ(QSize(dlg.FormWidth, dlg.FormHeight), QSize(500, 420));

    // The size left is the next run's; a title of its own; Cancel keeps the selection.
    dlg.Title = "Pick one";
    prompts.Then([&](QDialog& Dialog) {
        EXPECT_EQ(Dialog.size(), QSize(500, 420));
        EXPECT_EQ(Dialog.windowTitle(), "Pick one");
        FormOf(Dialog).PTShellTree1->SetFolderPath(tree.Path("base"));
        ButtonOf(Dialog, "Cancel")->click();
    });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.GetSelectedPath(), tree.Path("base/one/two"));

    // The form data as a stream.
    TMemoryStream stream;
    WriteDialogFormData(stream, dlg);
    EXPECT_EQ(QByteArray(static_cast<const char*>(stream.Memory()), int(stream.Size())),
              QByteArray::fromHex("f4010000a401000000"));
    TPTFolderBrowseDlg other;
    stream.SetPosition(0);
    ReadDialogFormData(stream, other);
    EXPECT_EQ(QSize(other.FormWidth, other.FormHeight), QSize(500, 420));
}

TEST(FolderBrowseDlg, OptionsSwitchTheTreeAndTheButtons)
{
    const TPTShellTreeOptions keep = ptstoAutoFill | ptstoDynamicRefresh;
    const struct {
        TPTFolderBrowseDlgOptions options;
        TPTShellTreeOptions tree;
    } cases[] = {
        {TPTCustomFolderBrowseDlg::DefaultOptions, keep | ptstoContextMenus | ptstoShowHidden},
        {ptfbOleDrag | ptfbOleDrop, keep | ptstoOleDrag | ptstoOleDrop},
        {ptfbIncludeNonFolders | ptfbVirtualFolders, keep | ptstoIncludeNonFolders | ptstoVirtualFolders},
        {{}, keep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderBrowseTreeOptions(c.options, keep | ptstoOleDrag | ptstoShowHidden), c.tree);

    // The buttons: the top node of the file system may take a new folder but not go; Computer
    // neither; a folder below both.
    TTempTree tree;
    tree.Folder("base/sub");
    TPTFolderBrowseDlg dlg;
    dlg.Options = TPTCustomFolderBrowseDlg::DefaultOptions | ptfbCreateDeleteButtons | ptfbReadOnly;
    dlg.BaseFolder()->SetPath(tree.Path("base"));
    dlg.StatusText = "Pick a folder";
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        TPTFrmFolderBrowseDlg& form = FormOf(Dialog);
        // The status line is a frameless frame control showing the text at its left.
        EXPECT_EQ(form.StatusTxt->Caption(), "Pick a folder");
        EXPECT_EQ(form.StatusTxt->FrameStyle(), ptfsNone);
        EXPECT_EQ(form.StatusTxt->Alignment(), taLeftJustify);
        EXPECT_TRUE(form.CreateBtn->isVisible());
        EXPECT_TRUE(form.CreateNewFolderBtn->isVisible());
        EXPECT_TRUE(form.PTShellTree1->ReadOnly());
        EXPECT_TRUE(form.CreateBtn->isEnabled());
        EXPECT_FALSE(form.DeleteBtn->isEnabled());
        form.PTShellTree1->SetFolderPath(tree.Path("base/sub"));
        EXPECT_TRUE(form.DeleteBtn->isEnabled());
        EXPECT_TRUE(form.DeleteFolderBtn->isEnabled());
        ButtonOf(Dialog, "Cancel")->click();
    });
    dlg.Execute();

    TPTFolderBrowseDlg desktop;
    desktop.Options = {};
    desktop.SelectedFolder()->SetSpecialFolder(csidlDrives);
    prompts.Then([&](QDialog& Dialog) {
        TPTFrmFolderBrowseDlg& form = FormOf(Dialog);
        EXPECT_FALSE(form.CreateBtn->isVisible());
        EXPECT_FALSE(form.CreateNewFolderBtn->isVisible());
        EXPECT_EQ(form.PTShellTree1->Selected()->Text(), "Computer");
        EXPECT_FALSE(form.CreateBtn->isEnabled());
        EXPECT_FALSE(form.DeleteBtn->isEnabled());
        ButtonOf(Dialog, "Cancel")->click();
    });
    desktop.Execute();
}

TEST(FolderBrowseDlg, TheLayoutFollowsTheSize)
{
    const struct {
        QSize client;
        bool createDelete, icons;
        QRect status, tree, ok, cancel, create, deleteIcon;
    } cases[] = {
        {{358, 313}, false, true, {12, 8, 276, 22}, {12, 38, 334, 226}, {188, 280, 75, 25}, {267, 280, 75, 25},
         {}, {319, 8, 23, 22}},
        {{500, 400}, true, false, {12, 8, 476, 22}, {12, 38, 476, 313}, {12, 367, 75, 25}, {91, 367, 75, 25},
         {170, 367, 75, 25}, {}},
    };
    for (const auto& c : cases) {
        const TFolderBrowseLayout layout = FolderBrowseLayout(c.client, c.createDelete, c.icons, c.icons);
        EXPECT_EQ(layout.Status, c.status);
        EXPECT_EQ(layout.Tree, c.tree);
        EXPECT_EQ(layout.Ok, c.ok);
        EXPECT_EQ(layout.Cancel, c.cancel);
        EXPECT_EQ(layout.Create, c.create);
        EXPECT_EQ(layout.DeleteIcon, c.deleteIcon);
        EXPECT_EQ(layout.Grip, QRect(c.client.width() - 13, c.client.height() - 13, 13, 13));
    }
}

TEST(FolderBrowseDlg, CreateMakesANewFolderAndDeleteTrashesOne)
{
    TTempTree tree;
    tree.Folder("base/old");
    TDataHomeScope dataHome(tree.Path("data"));
    TPTFolderBrowseDlg dlg;
    dlg.BaseFolder()->SetPath(tree.Path("base"));
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        TPTFrmFolderBrowseDlg& form = FormOf(Dialog);
        form.CreateNewFolderBtn->click();
        EXPECT_TRUE(tree.Exists("base/New Folder"));
        EXPECT_TRUE(form.PTShellTree1->IsEditing());
        form.PTShellTree1->SetFolderPath(tree.Path("base/old"));
        form.DeleteFolderBtn->click();
        ButtonOf(Dialog, "Cancel")->click();
    });
    prompts.Then(Click("&Yes"));
    dlg.Execute();
    EXPECT_FALSE(tree.Exists("base/old"));
    EXPECT_TRUE(tree.Exists("data/Trash/files/old"));
}

TEST(SysFolderDlg, KeepsTheChosenFolderAndIsSteeredOnlyWhileItRuns)
{
    TTempTree tree;
    tree.Folder("one/two");
    TPTSysFolderDlg dlg;
    dlg.Name = "dlgZip";
    dlg.Options = fdoReturnOnlyFSDirs | fdoStatusText;
    EXPECT_EQ(Raised([&] { dlg.SetStatusText("x"); }), "dlgZip: Status text assignment only valid during Execute");
    EXPECT_EQ(Raised([&] { dlg.SetOkEnabled(true); }), "dlgZip: SetOkEnabled assignment only valid during Execute");
    dlg.SetFolderPath(tree.Path("one"));
    dlg.SetFolderPath(tree.Path("missing"));
    EXPECT_EQ(dlg.GetFolderPath(), tree.Path("one") + "/");

    int initialized = 0;
    dlg.OnInitialized = [&](TObject*, TSysFolderPicker*) { ++initialized; };
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        auto& picker = dynamic_cast<TSysFolderPicker&>(Dialog);
        EXPECT_EQ(picker.windowTitle(), "Browse for Folder");
        EXPECT_EQ(picker.Tree->GetSelectedPath(), tree.Path("one"));
        EXPECT_EQ(Raised([&] { dlg.Execute(); }), "dlgZip: Execute already called.");
        dlg.SetStatusText("Choose wisely");
        EXPECT_EQ(picker.StatusLabel->text(), "Choose wisely");
        dlg.SetOkEnabled(false);
        EXPECT_FALSE(picker.OkBtn->isEnabled());
        picker.Tree->SetFolderPath(tree.Path("one/two"));
        EXPECT_TRUE(picker.OkBtn->isEnabled());
        ButtonOf(Dialog, "OK")->click();
    });
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(initialized, 1);
    EXPECT_EQ(dlg.GetFolderPath(), tree.Path("one/two") + "/");

    prompts.Then(Click("Cancel"));
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.GetFolderPath(), "");
}
