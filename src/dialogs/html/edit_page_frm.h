// TEditPageFrm: the dialog that writes a new page's skeleton (Quick Start), a link around the
// editor's selection (Link) or an image tag picked from the file system (Image).
#pragma once

#include "dialogs/html/html_builders.h"
#include "settings/forms/stream_position_form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TCheckBox;
class TColorFrame;
class TCustomComboBox;
class TEdit;
class TPicturePreview;
class TPTShellCombo;
class TPTShellList;
class TPTShListData;

// The dialog's modes, one page each.
enum TEditPageMode : int { epmQuickStart = 0, epmLink = 1, epmImage = 2 };

// The pictures the image page lists.
extern const char* const ImagePageFileFilter;

// A list item is taken as a picture file when it is a file-system item that is neither a folder
// nor a shortcut.
bool IsPictureItem(TPTShListData& Item);

class TEditPageFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // Mode picks the page shown (its caption is the form's); Text is the editor's selection for
    // a link and the start folder of the image page and its file dialogs.
    TEditPageFrm(TComponent* AOwner, int Mode, const QString& Text);
    ~TEditPageFrm() override;

    // Shows the dialog for Mode; Html receives the HTML when the user confirms and is emptied
    // otherwise. True when confirmed.
    static bool Execute(int Mode, const QString& Text, QString& Html);

    // The HTML of the page shown, as OK gives it.
    QString ResultHtml() const;

    QTabWidget* PageControl1;
    // Quick Start; pnlSample shows the page's background colour and picture.
    TEdit* txtTitle;
    TEdit* txtBgImage;
    QPushButton* btnBgImage;
    TEdit* txtMetaDescription;
    TEdit* txtMetaKeywords;
    TCheckBox* chkUnderlineLinks;
    TColorFrame* fraBg;
    TColorFrame* fraText;
    TColorFrame* fraLink;
    TColorFrame* fraVLink;
    QWidget* pnlSample;
    QLabel* lblText;
    QLabel* lblLink;
    QLabel* lblVLink;
    // Link.
    QPlainTextEdit* mmoLink;
    TEdit* txtLink;
    QPushButton* btnLink;
    TCustomComboBox* cbLinkTarget;
    TCheckBox* chkLinkStatus;
    TEdit* txtLinkStatus;
    // Image.
    TPTShellCombo* cbShell;
    QToolButton* btnUpOneLevel;
    TPTShellList* lvShell;
    TEdit* txtImageFilename;
    QSpinBox* txtImageBorder;
    TEdit* txtImgAlt;
    TCustomComboBox* cbAlign;
    TEdit* txtImageLink;
    QPushButton* btnImageLink;
    TPicturePreview* imgPreview;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    QWidget* BuildQuickStartPage();
    QWidget* BuildLinkPage();
    QWidget* BuildImagePage();
    // The file the user picks in the open dialog (empty when cancelled).
    QString PickFile(const QString& Title, const QString& Filter);
    // The name part of a picked file into Field.
    void PickLink(TEdit* Field);
    void btnBgImageClick();
    void txtBgImageChange();
    void lvShellSelect();
    void txtImageFilenameChange();

    int mode_;
    QString startFolder_;
};
