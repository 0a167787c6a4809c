// TImageViewFrm: the image preview dialog, which shows one local or downloaded remote picture with
// its name, location, kind, size and dimensions and can give back an image tag for it.
#pragma once

#include "settings/forms/stream_position_form.h"

#include <QHash>
#include <QIcon>

class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class TCustomComboBox;
class TEdit;
class TPicturePreview;

class TImageViewFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    // FileName is the local file shown (for a remote file its downloaded copy); RemotePath names
    // the remote file when IsRemote. KindIcon and KindText are the shell's icon and type name.
    TImageViewFrm(TComponent* AOwner, const QString& FileName, const QString& RemotePath, bool IsRemote,
                  const QIcon& KindIcon, const QString& KindText);
    ~TImageViewFrm() override;

    // Shows the dialog; Html receives the image tag when the user presses the insert button and is
    // left alone otherwise. True when it was pressed.
    static bool Execute(const QString& FileName, const QString& RemotePath, QString& Html, bool IsRemote,
                        const QIcon& KindIcon, const QString& KindText);

    // The image tag of the fields as they stand.
    QString ResultHtml() const;

    QTabWidget* PageControl1;
    QLabel* imgType;
    QLabel* lblType;
    TEdit* txtFilename;
    TEdit* txtLocation;
    QLabel* lblSize;
    TPicturePreview* ScrollBox1;
    TEdit* txtHeight;
    TEdit* txtWidth;
    TEdit* txtAlt;
    TCustomComboBox* cbAlign;
    QStatusBar* StatusBar1;
    QLabel* lblStatus;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    // Places the tab area, the preview and the buttons for the client size.
    void LayoutControls();

    QWidget* page_;
    // The caption label of each field.
    QHash<QWidget*, QLabel*> captions_;
};
