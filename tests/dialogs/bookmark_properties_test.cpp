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
#include "settings/bookmarks.h"
#include "settings/upload_profiles.h"
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

// What the dialog stores into a bookmark: only when confirmed with a change, a remote folder
// with its trailing "/", the chosen site (a gone site kept when none was chosen instead).
TEST(BookmarkPropertiesExecute, StoresTheChangesWhenConfirmed)
{
    TRegistryScope registry;
    TScriptedPrompts prompts;
    UploadProfiles()->Add()->ItemName = "Alpha";
    UploadProfiles()->Add()->ItemName = "Beta";
    const QString created = DateStampEncode(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    const TDateTime now = EncodeDate(2025, 1, 2) + EncodeTime(8, 0, 0, 0);
    ClockScope clock(now);

    struct Case {
        const char* name;
        int kind;
        QString host;
        QString comment; // typed into the comment field; null: left alone
        QString location; // typed into the location field; null: left alone
        bool pickAlpha; // the site "Alpha" chosen in the combo
        bool confirm;
        // The bookmark afterwards; a null comment: unchanged.
        QString storedComment, storedFolder, storedHost;
        QStringList sites;
    } cases[] = {
        {"remote", RemoteBookmark, "Beta", "Docs", "/www/new", true, true, "Docs", "/www/new/", "Alpha",
         {"Alpha", "Beta"}},
        {"remote, site only", RemoteBookmark, "Beta", {}, {}, true, true, "docs", "/www/docs/", "Alpha",
         {"Alpha", "Beta"}},
        {"remote, site gone", RemoteBookmark, "Gone", "Docs", {}, false, true, "Docs", "/www/docs/", "Gone",
         {"Alpha", "Beta"}},
        {"local", LocalBookmark, "", "Home", "/home/x", false, true, "Home", "/home/x", "", {}},
        {"cancelled", RemoteBookmark, "Beta", "Docs", "/www/new", true, false, {}, {}, {}, {"Alpha", "Beta"}},
        {"no change", RemoteBookmark, "Beta", "docs  ", {}, false, true, {}, {}, {}, {"Alpha", "Beta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBookmarkItem bookmark(nullptr);
        bookmark.BookmarkType = c.kind;
        bookmark.Comment = "docs";
        bookmark.Folder = c.kind == RemoteBookmark ? "/www/docs/" : "/home";
        bookmark.Host = c.host;
        bookmark.DateCreated = bookmark.DateModified = created;
        QStringList sites;
        prompts.Then([&](QDialog& dialog) {
            auto& f = static_cast<TBookmarkPropertiesFrm&>(dialog);
            for (int i = 0; i < f.cbHost->count(); ++i)
                sites.append(f.cbHost->itemText(i));
            const std::pair<TEdit*, QString> typed[] = {{f.txtComment, c.comment}, {f.txtLocation, c.location}};
            for (const auto& [field, text] : typed) {
                if (text.isNull())
                    continue;
                field->setFocus(Qt::TabFocusReason);
                field->selectAll();
                QTest::keyClicks(field, text);
            }
            if (c.pickAlpha) {
                f.cbHost->setFocus(Qt::TabFocusReason);
                QTest::keyClick(f.cbHost, Qt::Key_Up);
            }
            (c.confirm ? f.Button1 : f.Button2)->click();
        });
        const bool changed = TBookmarkPropertiesFrm::Execute(bookmark);
        EXPECT_EQ(sites, c.sites);
        EXPECT_EQ(changed, !c.storedComment.isNull());
        if (!changed) {
            EXPECT_EQ(bookmark.Comment, "docs");
            EXPECT_EQ(bookmark.DateModified, created);
            continue;
        }
        EXPECT_EQ(bookmark.Comment, c.storedComment);
        EXPECT_EQ(bookmark.Folder, c.storedFolder);
        EXPECT_EQ(bookmark.Host, c.storedHost);
        EXPECT_EQ(bookmark.DateModified, DateStampEncode(now));
    }
    UploadProfiles(1);
}

} // namespace
