// TBookmarkPropertiesFrm.
#include "dialogs/bookmark_properties_frm.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/pt_group.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "routines/bitmap_resources.h"
#include "routines/date_stamp.h"
#include "routines/path_routines.h"
#include "routines/size_texts.h"
#include "settings/bookmarks.h"
#include "settings/upload_profiles.h"

#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

// The type text and glyph of each kind.
struct TBookmarkKind {
    const char* TypeText;
    int Glyph;
};
constexpr TBookmarkKind BookmarkKinds[] = {{"Local Bookmark", 9}, {"Remote Bookmark", 7}};

TEdit* NewDateText(QWidget* Parent, const char* Name, const QRect& Rect)
{
    auto* edit = Designed(new TEdit(Parent), Name, Rect);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setBackgroundRole(QPalette::Button);
    edit->setStyleSheet(QStringLiteral("background: palette(button)"));
    return edit;
}

QString StampText(const QString& Stamp)
{
    return FormatDateTimeLong(Stamp.isEmpty() ? 0 : DateStampToDateTime(Stamp));
}

} // namespace

TBookmarkPropertiesFrm::TBookmarkPropertiesFrm(TComponent* AOwner)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Bookmark")))
{
    SetBorderStyle(bsDialog);
    SetClientSize(359, 330);
    setWindowTitle(QStringLiteral("Bookmark Properties"));

    TabControl1 = Designed(new QTabWidget(this), "TabControl1", QRect(8, 8, 343, 280));
    auto* page = new QWidget();
    TabControl1->addTab(page, QStringLiteral("General"));

    imgType = Designed(new QLabel(page), "imgType", QRect(16, 12, 32, 32));
    imgType->setAlignment(Qt::AlignCenter);
    txtComment = Designed(new TEdit(page), "txtComment", QRect(64, 16, 259, 22));
    NewLabel(page, "Label1", QRect(16, 60, 76, 16), QStringLiteral("Type:"));
    lblType = NewLabel(page, "lblType", QRect(96, 60, 227, 16), {});
    NewLabel(page, "Label2", QRect(16, 86, 76, 16), QStringLiteral("Location:"));
    txtLocation = Designed(new TEdit(page), "txtLocation", QRect(96, 83, 196, 22));
    btnBrowse = Designed(new QPushButton(QStringLiteral("..."), page), "btnBrowse", QRect(298, 83, 25, 22));

    grpSite = Designed(new TPTGroup(nullptr, page, ptfsHorzEdge), "grpSite", QRect(16, 114, 307, 40));
    NewLabel(grpSite, "Label3", QRect(0, 14, 76, 16), QStringLiteral("Site:"));
    cbHost = Designed(new TCustomComboBox(grpSite), "cbHost", QRect(80, 11, 227, 22));

    const char* const captions[] = {"Created:", "Modified:", "Accessed:"};
    const char* const names[] = {"txtDateCreated", "txtDateModified", "txtDateLastAccessed"};
    TEdit** const fields[] = {&txtDateCreated, &txtDateModified, &txtDateLastAccessed};
    for (int i = 0; i < 3; ++i) {
        NewLabel(page, "", QRect(16, 172 + i * 24, 76, 16), QLatin1String(captions[i]));
        *fields[i] = NewDateText(page, names[i], QRect(96, 170 + i * 24, 227, 20));
    }

    Button1 = NewButton(*this, this, "Button1", QRect(195, 298, 75, 25), QStringLiteral("OK"), mrOk);
    Button1->setDefault(true);
    Button2 = NewButton(*this, this, "Button2", QRect(276, 298, 75, 25), QStringLiteral("Cancel"), mrCancel);

    for (TEdit* field : {txtComment, txtLocation})
        field->installEventFilter(this);
    cbHost->OnChange = [this](TObject*) { Modified = true; };
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
    txtComment->setFocus();
}

void TBookmarkPropertiesFrm::SetBookmark(const QString& Comment, const QString& Location, const QString& SiteName,
                                         const QString& DateCreated, const QString& DateLastAccessed,
                                         const QString& DateModified, int Kind)
{
    txtComment->setText(Comment);
    txtLocation->setText(Location);
    if (Kind == RemoteBookmark)
        cbHost->SetItemIndex(cbHost->findText(SiteName, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    grpSite->setEnabled(Kind == RemoteBookmark);
    btnBrowse->setEnabled(Kind == LocalBookmark);
    txtDateCreated->setText(StampText(DateCreated));
    txtDateModified->setText(StampText(DateModified));
    txtDateLastAccessed->setText(DateLastAccessed.isEmpty() ? QStringLiteral("Not yet visited")
                                                            : StampText(DateLastAccessed));
    const TBookmarkKind& kind = BookmarkKinds[Kind == RemoteBookmark ? 1 : 0];
    lblType->setText(QLatin1String(kind.TypeText));
    QImage glyph;
    if (LoadGlyph(glyph, kind.Glyph))
        imgType->setPixmap(QPixmap::fromImage(glyph));
}

bool TBookmarkPropertiesFrm::Execute(TBookmarkItem& Bookmark)
{
    TBusyCursor busy;
    TBookmarkPropertiesFrm form;
    const bool remote = Bookmark.BookmarkType == RemoteBookmark;
    if (remote) {
        for (int i = 0; i < UploadProfiles()->Profiles()->Count(); ++i)
            form.cbHost->addItem(UploadProfiles()->GetProfile(i)->ItemName);
    }
    form.SetBookmark(Bookmark.Comment, Bookmark.Folder, Bookmark.Host, Bookmark.DateCreated,
                     Bookmark.DateLastAccessed, Bookmark.DateModified, Bookmark.BookmarkType);
    if (form.ShowModal() != mrOk || !form.Modified)
        return false;
    Bookmark.Comment = form.txtComment->text();
    Bookmark.Folder = form.txtLocation->text();
    if (remote) {
        AddTrailingSlash(Bookmark.Folder);
        // A site that is gone and was not replaced by another keeps its name: the bookmark finds
        // it again once a profile of that name exists.
        if (form.cbHost->ItemIndex() >= 0)
            Bookmark.Host = form.cbHost->currentText();
    }
    Bookmark.DateModified = DateStampNow();
    return true;
}

void TBookmarkPropertiesFrm::txtCommentEnter(TEdit* Field)
{
    enteredField_ = Field;
    keptText_ = Field->text();
}

void TBookmarkPropertiesFrm::txtCommentExit(TEdit* Field)
{
    if (enteredField_ != Field)
        return;
    if (Field->text().trimmed() != keptText_)
        Modified = true;
    enteredField_ = nullptr;
    keptText_.clear();
}

void TBookmarkPropertiesFrm::btnBrowseClick()
{
    txtLocation->setFocus();
    const QString location = txtLocation->text();
    QString folder = !location.isEmpty() && QDir(location).exists() ? location : QString();
    if (PickFolder(QStringLiteral("Bookmark Location"), folder))
        txtLocation->setText(folder);
}

bool TBookmarkPropertiesFrm::eventFilter(QObject* Watched, QEvent* E)
{
    auto* field = Watched == txtComment ? txtComment : Watched == txtLocation ? txtLocation : nullptr;
    if (field && E->type() == QEvent::FocusIn) {
        txtCommentEnter(field);
    } else if (field && E->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(E)->reason();
        // Leaving the window (to a message, to another program) is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtCommentExit(field);
    }
    return TStreamPositionFrm::eventFilter(Watched, E);
}

void TBookmarkPropertiesFrm::done(int Result)
{
    // Confirmed from within a field (the default button's key): that field is left now.
    if (Result == mrOk && enteredField_)
        txtCommentExit(enteredField_);
    TStreamPositionFrm::done(Result);
}
