// The open and save dialogs: the filter string in Qt's terms, the chosen filter both ways, the
// initial folder and name, the answer, and the places bar.
#include "dialogs/ag_file_dialogs.h"

#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>

TEST(FileDialogs, FilterStringsBecomeNameFilters)
{
    const struct {
        const char* Filter;
        QStringList Expected;
    } cases[] = {
        {"HTML Files|*.htm;*.html|All Files|*.*", {"HTML Files (*.htm *.html)", "All Files (*)"}},
        {"Text (*.txt)|*.txt", {"Text (*.txt) (*.txt)"}},
        {"Pictures|*.gif; *.jpg ;*.bmp", {"Pictures (*.gif *.jpg *.bmp)"}},
        {"Everything|*", {"Everything (*)"}},
        {"", {}},
        {"Missing patterns", {}},
        {"Empty|;|Zip|*.zip|Dangling", {"Zip (*.zip)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterToNameFilters(c.Filter), c.Expected) << c.Filter;
}

TEST(FileDialogs, OpenShowsTheSettingsAndReturnsTheChoice)
{
    TTempTree tree;
    tree.File("site/index.html", "x");
    tree.File("site/notes.txt", "x");
    TScriptedPrompts prompts;
    TAgOpenDialog dialog;
    dialog.Filter = "HTML Files|*.htm;*.html|All Files|*.*";
    dialog.FilterIndex = 2;
    dialog.InitialDir = tree.Path("site");
    int typeChanges = 0;
    dialog.OnTypeChange = [&](TObject*) { ++typeChanges; };
    prompts.Then([&](QDialog& Dialog) {
        auto& files = static_cast<QFileDialog&>(Dialog);
        EXPECT_TRUE(files.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(files.selectedNameFilter(), "All Files (*)");
        EXPECT_EQ(QDir(files.directory()).canonicalPath(), QDir(tree.Path("site")).canonicalPath());
        QWidget* sidebar = files.findChild<QWidget*>("sidebar");
        ASSERT_NE(sidebar, nullptr);
        EXPECT_FALSE(sidebar->isHidden()); // the places bar shows by default
        files.selectNameFilter("HTML Files (*.htm *.html)");
        Q_EMIT files.filterSelected("HTML Files (*.htm *.html)");
        EXPECT_EQ(dialog.FilterIndex, 1);
        auto* name = files.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("index.html"); // as typed
        static_cast<QDialog&>(files).accept();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(typeChanges, 1);
    EXPECT_EQ(QFileInfo(dialog.FileName).fileName(), "index.html");
    EXPECT_EQ(dialog.Files.size(), 1);
    EXPECT_EQ(dialog.FilterIndex, 1);

    prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
    EXPECT_FALSE(dialog.Execute());
}

TEST(FileDialogs, AFilterWithoutPatternsShiftsNoFilterIndex)
{
    TTempTree tree;
    TScriptedPrompts prompts;
    TAgSaveDialog dialog;
    dialog.InitialDir = tree.Path();
    dialog.Filter = "Empty|;|Zip|*.zip|All Files|*.*";
    const struct {
        int Given;
        const char* Shown;
        const char* Picked;
        int Returned;
    } cases[] = {
        {2, "Zip (*.zip)", "All Files (*)", 3},
        {3, "All Files (*)", "Zip (*.zip)", 2},
        // The dropped first pair: the next one shown; past the end, the last.
        {1, "Zip (*.zip)", "Zip (*.zip)", 2},
        {9, "All Files (*)", "All Files (*)", 3},
    };
    for (const auto& c : cases) {
        dialog.FilterIndex = c.Given;
        int typed = 0;
        dialog.OnTypeChange = [&](TObject*) { typed = dialog.FilterIndex; };
        prompts.Then([&](QDialog& Dialog) {
            auto& files = static_cast<QFileDialog&>(Dialog);
            EXPECT_EQ(files.selectedNameFilter().toStdString(), c.Shown) << c.Given;
            files.selectNameFilter(c.Picked);
            Q_EMIT files.filterSelected(c.Picked);
            files.findChild<QLineEdit*>("fileNameEdit")->setText("name");
            Dialog.accept();
        });
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(typed, c.Returned) << c.Given;
        EXPECT_EQ(dialog.FilterIndex, c.Returned) << c.Given;
    }
}

TEST(FileDialogs, SaveWithoutPlacesBarAndWithTheOverwritePrompt)
{
    TTempTree tree;
    TScriptedPrompts prompts;
    TAgSaveDialog dialog;
    dialog.ShowPlacesBar = false;
    dialog.Options = ofOverwritePrompt;
    dialog.InitialDir = tree.Path("");
    dialog.FileName = "page.html";
    prompts.Then([&](QDialog& Dialog) {
        auto& files = static_cast<QFileDialog&>(Dialog);
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(files.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(files.sidebarUrls().isEmpty());
        QWidget* sidebar = files.findChild<QWidget*>("sidebar");
        ASSERT_NE(sidebar, nullptr);
        EXPECT_TRUE(sidebar->isHidden());
        static_cast<QDialog&>(files).accept();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, QDir(tree.Path("")).filePath("page.html"));
}

TEST(FileDialogs, MultiSelectGivesEveryChosenFile)
{
    TTempTree tree;
    tree.File("a.txt");
    tree.File("b.txt");
    TScriptedPrompts prompts;
    TAgOpenDialog dialog;
    dialog.Options = ofAllowMultiSelect;
    dialog.InitialDir = tree.Path();
    prompts.Then([](QDialog& Dialog) {
        auto& files = static_cast<QFileDialog&>(Dialog);
        EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFiles);
        files.findChild<QLineEdit*>("fileNameEdit")->setText("\"a.txt\" \"b.txt\"");
        static_cast<QDialog&>(files).accept();
    });
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(dialog.Files.size(), 2);
    EXPECT_EQ(QFileInfo(dialog.Files[0]).fileName(), "a.txt");
    EXPECT_EQ(QFileInfo(dialog.Files[1]).fileName(), "b.txt");
    EXPECT_EQ(dialog.FileName, dialog.Files[0]);
}
