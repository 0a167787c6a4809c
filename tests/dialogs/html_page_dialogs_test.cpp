// The HTML page dialog (Quick Start, Link and Image pages) and the Font Wizard as the user drives
// them: what each page shows, the colour frames, the picture list and preview, the OK rule and the
// font-name history.
#include "dialogs/html/color_frame.h"
#include "dialogs/html/edit_page_frm.h"
#include "dialogs/html/edit_page_frm2.h"
#include "dialogs/html/picture_preview.h"

#include "imaging/gif_image.h"
#include "platform/graphics/bitmap.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/modal_results.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/std_controls.h"
#include "settings/app_settings.h"
#include "settings/streamable_strings.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "support/pump.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Answers the colour dialog with Color.
TScriptedPrompts::TStep ChooseColor(const QColor& Color)
{
    return [Color](QDialog& Dialog) {
        auto* dialog = qobject_cast<QColorDialog*>(&Dialog);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(Color);
        dialog->accept();
    };
}

// A 24-bit BMP file of the given size and colour.
void WriteBitmap(const QString& Path, int Width, int Height, QRgb Colour = qRgb(0, 0, 0))
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Colour);
    TBitmap bitmap;
    bitmap.AssignImage(image);
    bitmap.SaveToFile(Path);
}

// Answers the open dialog with the file Path, as typed into its name field.
TScriptedPrompts::TStep OpenFile(const QString& Path)
{
    return [Path](QDialog& Dialog) {
        auto* name = Dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(Path);
        Dialog.accept();
    };
}

// Selects the row of the list whose file name is Name.
bool SelectRow(TPTShellList& List, const QString& Name)
{
    for (int index = 0; index < List.Count(); ++index)
        if (List.GetItemData(index)->GetFileName() == Name) {
            List.Item(index)->SetSelected(true);
            return true;
        }
    return false;
}

class HtmlPageDialogs : public ::testing::Test {
protected:
    TRegistryScope registry;
    TScriptedPrompts prompts;
};

TEST_F(HtmlPageDialogs, EachModeShowsItsOwnPageAndCancelGivesNothing)
{
    const char* const captions[] = {"Quick Start", "Link", "Image"};
    for (int mode = 0; mode < 3; ++mode) {
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TEditPageFrm&>(Dialog);
            EXPECT_EQ(form.windowTitle(), captions[mode]);
            for (int page = 0; page < 3; ++page)
                EXPECT_EQ(form.PageControl1->isTabVisible(page), page == mode) << mode;
            QWidget* first = mode == 0 ? static_cast<QWidget*>(form.txtTitle)
                             : mode == 1 ? static_cast<QWidget*>(form.mmoLink)
                                         : static_cast<QWidget*>(form.cbShell);
            EXPECT_EQ(form.focusWidget(), first) << mode;
            if (mode == 1)
                EXPECT_EQ(form.mmoLink->toPlainText(), "the selection");
            form.btnCancel->click();
        });
        QString html = "old";
        EXPECT_FALSE(TEditPageFrm::Execute(mode, "the selection", html));
        EXPECT_EQ(html, "");
    }
}

TEST_F(HtmlPageDialogs, QuickStartColoursReachTheSampleAndThePage)
{
    TEditPageFrm form(nullptr, epmQuickStart, {});
    prompts.Then(ChooseColor(QColor(0x12, 0x34, 0x56))).Then(ChooseColor(QColor(0xAB, 0xCD, 0xEF)));
    form.fraText->ChooseColor();
    form.fraBg->ChooseColor();
    EXPECT_EQ(form.fraText->Color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(form.lblText->palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
    form.txtTitle->setText("Boats");
    const QString html = form.ResultHtml();
    EXPECT_TRUE(html.contains("<TITLE>Boats</TITLE>\r\n")) << html.toStdString();
    EXPECT_TRUE(html.contains("<BODY BGCOLOR=\"#ABCDEF\" TEXT=\"#123456\" LINK=\"#0000FF\" VLINK=\"#800080\">"))
        << html.toStdString();
    EXPECT_TRUE(html.startsWith("<!--   Created with Tarnwick Halyard FTP 5.2       -->\r\n"));

    // A colour dialog left with Cancel keeps the colour.
    prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
    form.fraLink->ChooseColor();
    EXPECT_EQ(form.fraLink->Color(), QColor(0, 0, 255));
}

TEST_F(HtmlPageDialogs, PickedFilesGiveTheirNamesAndTheBackgroundPictureShows)
{
    TTempTree tree;
    WriteBitmap(tree.Path("red.bmp"), 8, 8, qRgb(255, 0, 0));
    tree.File("page.htm");
    TEditPageFrm form(nullptr, epmQuickStart, {});
    form.show();
    const auto sampleColour = [&] { return form.pnlSample->grab().toImage().pixel(40, 40); };
    EXPECT_EQ(sampleColour(), qRgb(255, 255, 255));
    prompts.Then(OpenFile(tree.Path("red.bmp")));
    form.btnBgImage->click();
    EXPECT_EQ(form.txtBgImage->text(), "red.bmp");
    EXPECT_EQ(sampleColour(), qRgb(255, 0, 0));
    form.txtBgImage->clear();
    EXPECT_EQ(sampleColour(), qRgb(255, 255, 255));

    prompts.Then(OpenFile(tree.Path("page.htm"))).Then([](QDialog& Dialog) { Dialog.reject(); });
    form.btnLink->click();
    EXPECT_EQ(form.txtLink->text(), "page.htm");
    form.btnLink->click();
    EXPECT_EQ(form.txtLink->text(), "page.htm");
}

TEST_F(HtmlPageDialogs, LinkPageWrapsTheSelection)
{
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TEditPageFrm&>(Dialog);
        form.txtLink->setText("sails.htm");
        form.cbLinkTarget->SetItemIndex(3);
        form.chkLinkStatus->setChecked(true);
        form.txtLinkStatus->setText("Sails");
        form.btnOk->click();
    });
    QString html;
    EXPECT_TRUE(TEditPageFrm::Execute(epmLink, "two\nlines", html));
    EXPECT_EQ(html, "<a href=\"sails.htm\" TARGET=\"_blank\" onMouseOver=\"window.status='Sails'; return true\" "
                    "onMouseOut=\"window.status=' '\">two\r\nlines\r\n</a>");
}

TEST_F(HtmlPageDialogs, ImagePageListsPicturesPreviewsThemAndGivesTheirTag)
{
    TTempTree tree;
    tree.Folder("site/images");
    tree.Folder("site/images/old.gif");
    tree.File("site/images/notes.txt");
    tree.File("site/images/broken.jpg", "not a picture");
    tree.Link("site/images/pic.lnk", tree.Path("site/images/boat.bmp"));
    WriteBitmap(tree.Path("site/images/boat.bmp"), 40, 30);

    prompts.Then([&](QDialog& Dialog) {
        auto& form = static_cast<TEditPageFrm&>(Dialog);
        TPTShellList& list = *form.lvShell;
        ASSERT_TRUE(pumpUntil([&] { return list.Count() == 3; })) << list.Count();
        EXPECT_EQ(list.Folder()->GetPath(), tree.Path("site/images"));

        // Only the picture masks are listed (with the folders); a folder is no picture.
        QStringList pictures;
        for (int index = 0; index < list.Count(); ++index)
            if (IsPictureItem(*list.GetItemData(index)))
                pictures << list.GetItemData(index)->GetFileName();
        pictures.sort();
        EXPECT_EQ(pictures, (QStringList{"boat.bmp", "broken.jpg"}));
        ASSERT_TRUE(SelectRow(list, "old.gif"));
        EXPECT_EQ(form.txtImageFilename->text(), "");

        // A file that cannot be read shows the error text and no picture.
        ASSERT_TRUE(SelectRow(list, "broken.jpg"));
        EXPECT_EQ(form.txtImageFilename->text(), "broken.jpg");
        EXPECT_FALSE(form.imgPreview->HasPicture());
        EXPECT_FALSE(form.imgPreview->lblError->isHidden());
        EXPECT_EQ(form.imgPreview->lblError->text(),
                  "Tarnwick Halyard FTP 5.2 was unable to display the image 'broken.jpg'.");

        ASSERT_TRUE(SelectRow(list, "boat.bmp"));
        EXPECT_EQ(form.txtImageFilename->text(), "boat.bmp");
        EXPECT_EQ(form.imgPreview->Image().size(), QSize(40, 30));
        EXPECT_TRUE(form.imgPreview->lblError->isHidden());
        EXPECT_TRUE(form.imgPreview->popmniCopy->isEnabled());

        // Clearing the name clears the preview; choosing the file again shows it.
        form.txtImageFilename->clear();
        EXPECT_FALSE(form.imgPreview->HasPicture());
        EXPECT_FALSE(form.imgPreview->popmniCopy->isEnabled());
        for (int index = 0; index < list.Count(); ++index)
            list.Item(index)->SetSelected(false);
        ASSERT_TRUE(SelectRow(list, "boat.bmp"));
        EXPECT_EQ(form.txtImageFilename->text(), "boat.bmp");

        // The border takes digits only.
        form.txtImageBorder->clear();
        QTest::keyClicks(form.txtImageBorder, "2x");
        EXPECT_EQ(form.txtImageBorder->text(), "2");
        form.cbAlign->SetItemIndex(form.cbAlign->findText("right"));
        form.txtImageLink->setText("boat.htm");
        form.btnOk->click();
    });
    QString html;
    EXPECT_TRUE(TEditPageFrm::Execute(epmImage, tree.Path("site/images"), html));
    EXPECT_EQ(html, "<a href=\"boat.htm\"><img src=\"boat.bmp\" height=\"30\" width=\"40\" ALT=\"Image\" "
                    "BORDER=\"2\" align=\"right\"></a>");
}

TEST_F(HtmlPageDialogs, ImagePageGoesUpOneLevel)
{
    TTempTree tree;
    tree.Folder("site/images");
    TEditPageFrm form(nullptr, epmImage, tree.Path("site/images"));
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return form.cbShell->count() > 0; }));
    form.btnUpOneLevel->click();
    EXPECT_TRUE(pumpUntil([&] { return form.lvShell->Folder()->GetPath() == tree.Path("site"); }))
        << form.lvShell->Folder()->GetPath().toStdString();
}

TEST_F(HtmlPageDialogs, FontWizardEnablesOkOnlyWithSomethingToAdd)
{
    TEditPageFrm2 form(nullptr, "text");
    EXPECT_EQ(form.windowTitle(), "Font Wizard");
    EXPECT_FALSE(form.btnOk->isEnabled());
    const std::function<void(bool)> changes[] = {
        [&](bool On) { form.cbFont->setEditText(On ? "Arial" : ""); },
        [&](bool On) { form.cbFontSize->setEditText(On ? "+1" : ""); },
        [&](bool On) { form.txtFontColor->setText(On ? "#123456" : ""); },
        [&](bool On) { form.chkBold->setChecked(On); },
        [&](bool On) { form.chkItalic->setChecked(On); },
        [&](bool On) { form.chkUnderline->setChecked(On); },
    };
    for (const auto& change : changes) {
        change(true);
        EXPECT_TRUE(form.btnOk->isEnabled());
        change(false);
        EXPECT_FALSE(form.btnOk->isEnabled());
    }
    // Typing into a field enables it as well.
    form.show();
    QTest::keyClicks(form.cbFontSize, "3");
    EXPECT_TRUE(form.btnOk->isEnabled());
}

TEST_F(HtmlPageDialogs, FontWizardColourFollowsTheCaseSettingAndClearingResetsTheFrame)
{
    for (const bool upper : {false, true}) {
        AppSettings()->HTMLUpperCase = upper;
        TEditPageFrm2 form(nullptr, "text");
        const QColor face = form.fraBg->Color();
        prompts.Then(ChooseColor(QColor(0xAB, 0x12, 0xEF)));
        form.fraBg->ChooseColor();
        EXPECT_EQ(form.txtFontColor->text(), upper ? "#AB12EF" : "#ab12ef");
        EXPECT_EQ(form.fraBg->Color(), QColor(0xAB, 0x12, 0xEF));
        form.txtFontColor->clear();
        EXPECT_EQ(form.fraBg->Color(), face);
    }
    AppSettings()->HTMLUpperCase = false;
}

TEST_F(HtmlPageDialogs, FontWizardResultAndHistory)
{
    {
        TEditPageFrm2 seed;
        seed.History()->Strings()->Add("Verdana");
        seed.History()->Save();
    }
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TEditPageFrm2&>(Dialog);
        EXPECT_EQ(form.cbFont->count(), 1);
        EXPECT_EQ(form.cbFont->itemText(0), "Verdana");
        form.cbFont->setEditText("Georgia");
        form.chkBold->setChecked(true);
        form.btnOk->click();
    });
    QString html;
    EXPECT_TRUE(TEditPageFrm2::Execute(0, "", html));
    EXPECT_EQ(html, "<b><FONT FACE=\"Georgia\">-</FONT></b>");

    // The new face is at the top of the stored history; a face already there is not added again.
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TEditPageFrm2&>(Dialog);
        EXPECT_EQ(form.cbFont->itemText(0), "Georgia");
        EXPECT_EQ(form.cbFont->itemText(1), "Verdana");
        form.cbFont->setEditText("verdana");
        form.btnOk->click();
    });
    EXPECT_TRUE(TEditPageFrm2::Execute(0, "x", html));
    TEditPageFrm2 after;
    EXPECT_EQ(after.cbFont->count(), 2);

    // Only mode 0 gives text.
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TEditPageFrm2&>(Dialog);
        form.chkBold->setChecked(true);
        form.btnOk->click();
    });
    EXPECT_FALSE(TEditPageFrm2::Execute(1, "x", html));
    EXPECT_EQ(html, "");
}

TEST_F(HtmlPageDialogs, PreviewShowsTheFirstFrameOfAnAnimationAndCopiesIt)
{
    TTempTree tree;
    TGIFImage gif;
    TBitmap frame;
    frame.SetSize(6, 4);
    gif.AddFrame(&frame);
    gif.AddFrame(&frame);
    gif.SaveToFile(tree.Path("anim.gif"));

    TPicturePreview preview;
    preview.resize(100, 100);
    ASSERT_TRUE(preview.LoadFile(tree.Path("anim.gif"), "anim.gif"));
    EXPECT_EQ(preview.Image().size(), QSize(6, 4));
    // Centred in the box.
    EXPECT_EQ(preview.imgImg->size(), QSize(6, 4));
    preview.popmniCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(6, 4));
}

} // namespace
