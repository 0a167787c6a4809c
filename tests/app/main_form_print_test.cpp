// Printing from the main window: the page setup's margins on the printer's page, the current
// document printed into a PDF file, the preview's pages, and the find dialog on the editor.
#include "main_form_fixture.h"

#include "app/page_setup.h"
#include "dialogs/ed_repl_frm.h"
#include "editor/pdf_printer.h"
#include "editor/preview_printer.h"
#include "editor/syntax_memo.h"
#include "platform/ui/action_list.h"
#include "platform/ui/modal_results.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QComboBox>
#include <QTest>

TEST(PageSetup, MarginsInThousandthsOfAnInchInsetThePage)
{
    TPageSetup setup;
    setup.MarginLeft = setup.MarginTop = setup.MarginRight = setup.MarginBottom = 1000;
    // A letter page at 600 dots per inch.
    const QRect rect = PrintRectInMargins(setup, QSize(5100, 6600), 600, 600);
    EXPECT_EQ(rect.left(), 600);
    EXPECT_EQ(rect.top(), 600);
    EXPECT_EQ(rect.right(), 5100 - 600);
    EXPECT_EQ(rect.bottom(), 6600 - 600);
    // Each side by its own margin and resolution, rounded.
    setup.MarginLeft = 250;
    setup.MarginTop = 333;
    setup.MarginRight = 0;
    setup.MarginBottom = 1500;
    EXPECT_EQ(PrintRectInMargins(setup, QSize(2550, 3300), 300, 200),
              QRect(QPoint(75, 67), QPoint(2550, 3300 - 300)));
}

class MainFormPrint : public TMainFormTest {
protected:
    // The window with a local document of Lines numbered lines open in the editor.
    TTarnwickFTPApp& FormWithDocument(int Lines)
    {
        QByteArray text;
        for (int i = 1; i <= Lines; ++i)
            text += "line " + QByteArray::number(i) + "\n";
        Tree.File("doc.txt", text);
        TTarnwickFTPApp& form = MakeForm();
        form.resize(900, 640);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(form.OpenDocument(Tree.Path("doc.txt"), QString()));
        return form;
    }
};

TEST_F(MainFormPrint, PrintsTheDocumentAfterTheQuestion)
{
    TPdfPrinter pdf;
    TTarnwickFTPApp& form = FormWithDocument(150);
    QString question;
    TScriptedPrompts prompts;
    prompts.Then([&question](QDialog& Dialog) {
        question = Describe(Dialog);
        Click("&No")(Dialog);
    });
    prompts.Then(Click("&Yes"));
    form.ExecuteAction("actEditPrint");
    EXPECT_TRUE(question.contains("Would you like to print the current document 'doc.txt'?")) << question.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf.Path()));

    form.ExecuteAction("actEditPrint");
    ASSERT_TRUE(QFileInfo::exists(pdf.Path()));
    EXPECT_GE(pdf.Pages(), 2);
    const QString info = ProgramOutput("pdfinfo", {pdf.Path()});
    EXPECT_TRUE(info.contains("612 x 792 pts")) << info.toStdString();
    EXPECT_TRUE(pdf.Text(1).contains("line 1"));
    EXPECT_EQ(form.SynMemo->Title, Tree.Path("doc.txt"));
}

TEST_F(MainFormPrint, ThePreviewPaginatesTheDocument)
{
    TPdfPrinter pdf;
    TTarnwickFTPApp& form = FormWithDocument(200);
    form.Action("actEditPrintPreview")->setVisible(true);
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
    form.ExecuteAction("actEditPrintPreview");
    EXPECT_GE(form.PreviewPrinter->PageCount(), 2);
    EXPECT_DOUBLE_EQ(form.PreviewPrinter->TextOptions().MarginLeft, form.PageSetup.MarginLeft / 1000.0);
}

TEST_F(MainFormPrint, CancelledPageSetupKeepsTheMargins)
{
    TTarnwickFTPApp& form = MakeForm();
    form.PageSetup.MarginLeft = 750;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
    form.ExecuteAction("actEditPrintSetup");
    EXPECT_EQ(prompts.Shown(), 1);
    EXPECT_EQ(form.PageSetup.MarginLeft, 750);
}

TEST_F(MainFormPrint, FindStartsWithTheSelectedText)
{
    TTarnwickFTPApp& form = FormWithDocument(3);
    form.ShowEditTab();
    form.SynMemo->SelectAll();
    form.ExecuteAction("actEditReplace");
    TEdReplFrm* dialog = GetEdReplFrm();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Mode(), TEdReplFrm::fmReplace);
    EXPECT_TRUE(dialog->cbFindHistoryBox->currentText().startsWith("line 1"));
    dialog->hide();
}
