// The image preview dialog: names and status of local and remote files, the pictures it shows
// (GIF, WBMP, JPEG, BMP) and the errors of those it cannot, the digits-only size fields and the tag.
#include "dialogs/html/image_view_frm.h"
#include "dialogs/html/picture_preview.h"

#include "imaging/gif_image.h"
#include "platform/graphics/bitmap.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/std_controls.h"
#include "routines/size_texts.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ImageView : public ::testing::Test {
protected:
    ImageView()
    {
        TBitmap bitmap;
        bitmap.SetSize(5, 3);
        bitmap.SaveToFile(tree.Path("pic.bmp"));
        TGIFImage gif;
        bitmap.SetSize(7, 2);
        gif.AddFrame(&bitmap);
        gif.AddFrame(&bitmap);
        gif.SaveToFile(tree.Path("pic.gif"));
        // A 9 x 2 type-0 wireless bitmap, and one whose type is 1.
        tree.File("pic.wbmp", QByteArray("\x00\x00\x09\x02\xff\x80\x00\x00", 8));
        tree.File("type1.wbmp", QByteArray("\x01\x00\x09\x02\xff\x80\x00\x00", 8));
        QImage photo(11, 6, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        photo.save(tree.Path("photo.jpg"), "JPG");
        QByteArray jpeg = tree.Read("photo.jpg");
        tree.File("broken.jpg", jpeg.left(jpeg.size() / 3) + QByteArray(40, '\x33'));
    }

    std::unique_ptr<TImageViewFrm> Local(const QString& Name)
    {
        return std::make_unique<TImageViewFrm>(nullptr, tree.Path(Name), QString(), false, QIcon(), "Picture");
    }

    TRegistryScope registry;
    TTempTree tree;
};

TEST_F(ImageView, ARemoteFileShowsItsNameAndGivesItsTag)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TImageViewFrm&>(Dialog);
        EXPECT_EQ(form.windowTitle(), "Image Preview");
        EXPECT_EQ(form.txtFilename->text(), "pic.gif");
        EXPECT_EQ(form.txtLocation->text(), "/www/dir/pic.gif");
        EXPECT_EQ(form.lblStatus->text(), "Remote File");
        EXPECT_EQ(form.lblType->text(), "GIF Image");
        EXPECT_EQ(form.txtHeight->text(), "2");
        EXPECT_EQ(form.txtWidth->text(), "7");
        form.btnOk->click();
    });
    QString html = "kept";
    EXPECT_TRUE(TImageViewFrm::Execute(tree.Path("pic.gif"), "/www/dir/pic.gif", html, true, QIcon(), "GIF Image"));
    EXPECT_EQ(html, "<img src=\"pic.gif\" height=\"2\" width=\"7\" alt=\"Image\" border=\"0\">");

    // Cancel leaves the text alone.
    prompts.Then([](QDialog& Dialog) { static_cast<TImageViewFrm&>(Dialog).btnCancel->click(); });
    EXPECT_FALSE(TImageViewFrm::Execute(tree.Path("pic.gif"), "/www/dir/pic.gif", html, true, QIcon(), ""));
    EXPECT_EQ(html, "<img src=\"pic.gif\" height=\"2\" width=\"7\" alt=\"Image\" border=\"0\">");
}

TEST_F(ImageView, LocalPicturesOfEachKindShow)
{
    const struct {
        const char* Name;
        QSize Size;
    } cases[] = {{"pic.bmp", {5, 3}}, {"pic.gif", {7, 2}}, {"pic.wbmp", {9, 2}}, {"photo.jpg", {11, 6}},
                 {"PHOTO.JPEG", {11, 6}}};
    QFile::copy(tree.Path("photo.jpg"), tree.Path("PHOTO.JPEG"));
    for (const auto& c : cases) {
        const auto form = Local(c.Name);
        EXPECT_EQ(form->txtFilename->text(), c.Name);
        EXPECT_EQ(form->txtLocation->text(), tree.Path(c.Name));
        EXPECT_EQ(form->lblStatus->text(), "Local File");
        EXPECT_EQ(form->lblSize->text(), FormatByteSize(QFileInfo(tree.Path(c.Name)).size()));
        EXPECT_EQ(form->ScrollBox1->Image().size(), c.Size) << c.Name;
        EXPECT_EQ(form->txtWidth->text(), QString::number(c.Size.width()));
        EXPECT_EQ(form->txtHeight->text(), QString::number(c.Size.height()));
        EXPECT_TRUE(form->ScrollBox1->lblError->isHidden());
        EXPECT_TRUE(form->ScrollBox1->popmniCopy->isEnabled());
    }
}

TEST_F(ImageView, PicturesThatCannotBeShownGiveTheErrorAndNoSize)
{
    for (const char* name : {"type1.wbmp", "broken.jpg"}) {
        const auto form = Local(name);
        EXPECT_FALSE(form->ScrollBox1->HasPicture()) << name;
        EXPECT_FALSE(form->ScrollBox1->lblError->isHidden()) << name;
        EXPECT_EQ(form->ScrollBox1->lblError->text(),
                  QStringLiteral("Tarnwick Halyard FTP 5.2 was unable to display the image '%1'.").arg(name));
        EXPECT_EQ(form->txtHeight->text(), "0");
        EXPECT_EQ(form->txtWidth->text(), "0");
        EXPECT_FALSE(form->ScrollBox1->popmniCopy->isEnabled());
    }
}

TEST_F(ImageView, SizeFieldsTakeDigitsOnlyAndEditsReachTheTag)
{
    const auto form = Local("pic.bmp");
    form->show();
    for (TEdit* field : {form->txtHeight, form->txtWidth}) {
        field->clear();
        QTest::keyClicks(field, "1a2-b");
        EXPECT_EQ(field->text(), "12");
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), "1");
    }
    form->txtFilename->setText("boat.bmp");
    form->txtAlt->clear();
    form->cbAlign->SetItemIndex(form->cbAlign->findText("absmiddle"));
    EXPECT_EQ(form->ResultHtml(), "<img src=\"boat.bmp\" height=\"1\" width=\"1\" alt=\"\" border=\"0\" align=\"absmiddle\">");
}

TEST_F(ImageView, ThePreviewStaysCentredWhenTheFormIsResized)
{
    const auto form = Local("pic.bmp");
    form->resize(500, 560);
    form->show();
    const auto centred = [&] {
        const QRect box = form->ScrollBox1->viewport()->rect();
        const QRect picture = form->ScrollBox1->imgImg->geometry();
        return std::abs(picture.center().x() - box.center().x()) <= 1 &&
               std::abs(picture.center().y() - box.center().y()) <= 1;
    };
    EXPECT_TRUE(centred());
    form->resize(700, 640);
    QCoreApplication::processEvents();
    EXPECT_TRUE(centred());
    EXPECT_EQ(form->btnCancel->geometry().right(), form->width() - 9);
    EXPECT_EQ(form->PageControl1->width(), form->width() - 16);
}

} // namespace
