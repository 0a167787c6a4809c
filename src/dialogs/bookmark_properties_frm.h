// TBookmarkPropertiesFrm: the properties of one bookmark, its folder, comment and (for a remote
// bookmark) its site to change.
#pragma once

#include "settings/forms/stream_position_form.h"

class QLabel;
class QPushButton;
class QTabWidget;
class TBookmarkItem;
class TCustomComboBox;
class TEdit;
class TLabel;
class TPTGroup;

// The kinds of bookmarks.
enum : int { LocalBookmark = 0, RemoteBookmark = 1 };

// The caller fills cbHost with the site names, calls SetBookmark and shows the form; after OK it
// reads txtComment, txtLocation and the cbHost text when Modified is set. Modified is set when a
// field is left (or the form confirmed while in it) with a trimmed text that differs from the
// text it had when it was entered, and when another site is picked.
class TBookmarkPropertiesFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TBookmarkPropertiesFrm(TComponent* AOwner = nullptr);

    // Shows Bookmark (for a remote one with the server profiles' names to choose its site from);
    // confirmed with a change, stores the comment, the folder (a remote one ending in "/"), the
    // chosen site and the modified stamp. True when the bookmark was changed.
    static bool Execute(TBookmarkItem& Bookmark);

    // The dates are date stamps; an empty created or modified stamp shows the current time, an
    // empty last-accessed stamp "Not yet visited".
    void SetBookmark(const QString& Comment, const QString& Location, const QString& SiteName,
                     const QString& DateCreated, const QString& DateLastAccessed, const QString& DateModified,
                     int Kind);

    QTabWidget* TabControl1;
    QLabel* imgType;
    TEdit* txtComment;
    TLabel* lblType;
    TEdit* txtLocation;
    QPushButton* btnBrowse;
    TPTGroup* grpSite;
    TCustomComboBox* cbHost;
    TEdit* txtDateCreated;
    TEdit* txtDateModified;
    TEdit* txtDateLastAccessed;
    QPushButton* Button1;
    QPushButton* Button2;

    bool Modified = false;

    void done(int Result) override;

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override;

private:
    void txtCommentEnter(TEdit* Field);
    void txtCommentExit(TEdit* Field);
    void btnBrowseClick();

    // The text of the field being edited when it was entered.
    TEdit* enteredField_ = nullptr;
    QString keptText_;
};
