// The bookmark properties dialog: the kind's texts and enabling, the site selection, the decoded
// dates, what counts as a change, and the browse for a local folder.
#include "dialogs/bookmark_properties_frm.h"
#include "dialogs/pt_group.h"

#include "platform/ui/modal_results.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "routines/date_stamp.h"
#include "routines/size_texts.h"
#include "support/clock_scope.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using TFormStep = std::function<void(TBookmarkPropertiesFrm& Form)>;

class BookmarkProperties : public ::testing::Test {
protected:
    BookmarkProperties() { form.cbHost->addItems({"Alpha", "Beta"}); }

    // Shows the form with the bookmark, runs Step on it and returns the modal result.
    int Show(const QString& Comment, int Kind, const TFormStep& Step, const QString& Site = "Beta")
    {
        form.SetBookmark(Comment, "/www/docs/", Site, created, "", "", Kind);
        prompts.Then([this, Step](QDialog&) { Step(form); });
        return form.ShowModal();
    }

    TRegistryScope registry;
    TScriptedPrompts prompts;
    const QString created = DateStampEncode(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    TBookmarkPropertiesFrm form;
};

TEST_F(BookmarkProperties, KindSiteAndDates)
{
    ClockScope clock(EncodeDate(2025, 1, 2) + EncodeTime(8, 0, 0, 0));
    EXPECT_EQ(Show("docs", RemoteBookmark,
                   [](TBookmarkPropertiesFrm& f) {
                       EXPECT_EQ(f.windowTitle(), "Bookmark Properties");
                       EXPECT_EQ(f.txtComment->text(), "docs");
                       EXPECT_EQ(f.txtLocation->text(), "/www/docs/");
                       EXPECT_EQ(f.lblType->text(), "Remote Bookmark");
                       EXPECT_FALSE(f.imgType->pixmap().isNull());
                       EXPECT_EQ(f.cbHost->currentText(), "Beta");
                       EXPECT_TRUE(f.findChild<TPTGroup*>("grpSite")->isEnabled());
                       EXPECT_FALSE(f.btnBrowse->isEnabled());
                       EXPECT_EQ(f.txtDateCreated->text(),
                                 FormatDateTimeLong(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0)));
                       // An empty modified stamp is the present moment, an empty accessed one is none.
                       EXPECT_EQ(f.txtDateModified->text(), FormatDateTimeLong(Now()));
                       EXPECT_EQ(f.txtDateLastAccessed->text(), "Not yet visited");
                       f.Button2->click();
                   }),
              mrCancel);

    // A site that is gone shows no selection.
    Show("docs", RemoteBookmark, [](TBookmarkPropertiesFrm& f) {
        EXPECT_EQ(f.cbHost->ItemIndex(), -1);
        EXPECT_EQ(f.cbHost->currentText(), "");
        f.Button2->click();
    }, "Gone");

    Show("home", LocalBookmark, [](TBookmarkPropertiesFrm& f) {
        EXPECT_EQ(f.lblType->text(), "Local Bookmark");
        EXPECT_FALSE(f.grpSite->isEnabled());
        EXPECT_TRUE(f.btnBrowse->isEnabled());
        f.Button2->click();
    });
}

// Typed Text replaces the comment's; the field is then left by the tab key or the form confirmed
// with the return key from within it.
TEST_F(BookmarkProperties, ChangesCountByTheirTrimmedText)
{
    struct Case {
        const char* name;
        QString comment;
        QString typed; // null: the field is entered and left untouched
        bool confirmWithReturn;
        bool modified;
    } cases[] = {
        {"untouched", "docs", {}, false, false},
        {"trailing blanks added", "docs", "docs   ", false, false},
        {"text changed", "docs", "Docs", false, true},
        {"text changed, return key", "docs", "new docs", true, true},
        {"blanks removed", "docs  ", "docs", false, true},
        {"entered with blanks at its end", "docs  ", {}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.Modified = false;
        Show(c.comment, RemoteBookmark, [&c](TBookmarkPropertiesFrm& f) {
            f.txtComment->setFocus(Qt::TabFocusReason);
            if (!c.typed.isNull()) {
                f.txtComment->selectAll();
                QTest::keyClicks(f.txtComment, c.typed);
            }
            if (c.confirmWithReturn) {
                QTest::keyClick(f.txtComment, Qt::Key_Return);
                return;
            }
            f.txtLocation->setFocus(Qt::TabFocusReason);
            f.Button1->click();
        });
        EXPECT_EQ(form.Modified, c.modified);
    }

    form.Modified = false;
    Show("docs", RemoteBookmark, [](TBookmarkPropertiesFrm& f) {
        f.cbHost->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.cbHost, Qt::Key_Up);
        EXPECT_EQ(f.cbHost->currentText(), "Alpha");
        f.Button1->click();
    });
    EXPECT_TRUE(form.Modified);
}

TEST_F(BookmarkProperties, BrowseStartsInAnExistingFolderAndReplacesTheLocation)
{
    TTempTree tree;
    tree.Folder("chosen");
    QStringList asked;
    TFolderPicker saved = SetFolderPicker([&](const QString& caption, QString& folder) {
        asked.append(caption + "|" + folder);
        if (folder.isEmpty())
            return false;
        folder = tree.Path("chosen");
        return true;
    });
    Show("home", LocalBookmark, [&](TBookmarkPropertiesFrm& f) {
        f.txtLocation->setText("/no/such/folder");
        f.btnBrowse->click();
        EXPECT_EQ(f.txtLocation->text(), "/no/such/folder");
        f.txtLocation->setText(tree.Path());
        f.btnBrowse->click();
        EXPECT_EQ(f.txtLocation->text(), tree.Path("chosen"));
        EXPECT_TRUE(f.txtLocation->hasFocus());
        f.Button1->click();
    });
    SetFolderPicker(saved);
    EXPECT_EQ(asked, QStringList({"Bookmark Location|", "Bookmark Location|" + tree.Path()}));
    EXPECT_TRUE(form.Modified);
}

} // namespace
