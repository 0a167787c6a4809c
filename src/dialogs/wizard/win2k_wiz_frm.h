// TWin2kWizFrm: the host frame of a wizard (header, Back, Next or Finish, Cancel) that a client
// form docks into.
#pragma once

#include "dialogs/wizard/wiz_interfaces.h"
#include "settings/forms/stream_position_form.h"

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;
class TAction;
class TActionList;

// 534 x 414 inside, centred. Only one wizard runs at a time: the current client is kept program-wide.
class TWin2kWizFrm : public TStreamPositionFrm, public IWizHost2 {
    Q_OBJECT
public:
    // KeepSize: with no stored bounds the designed size stays; else the frame is made 503 x 385.
    TWin2kWizFrm(TComponent* AOwner, bool KeepSize);
    // The position kept under Key: a registry key when KeyIsRegistry, else a file name.
    TWin2kWizFrm(TComponent* AOwner, bool KeepSize, const QString& Key, bool KeyIsRegistry);
    ~TWin2kWizFrm() override;

    QPixmap GetPicture() const override;
    QString GetCaption() const override;
    void SetPicture(const QPixmap& Picture) override;
    void SetCaption(const QString& Text) override;
    void Finish() override;
    QString GetSubtitle() const override;
    QString GetTitle() const override;
    QColor GetHeaderFontColor() const override;
    bool GetHeaderHidden() const override;
    QColor GetHeaderColor() const override;
    void SetSubtitle(const QString& Text) override;
    void SetTitle(const QString& Text) override;
    void SetHeaderFontColor(const QColor& Color) override;
    void SetHeaderHidden(bool Hidden) override;
    void SetHeaderColor(const QColor& Color) override;
    void SetClient(IWizClient* Client) override;
    void ShowClient() override;

    // Closing asks the client first; a granted close releases it.
    void done(int Result) override;

    QFrame* pnlTopInfo;
    QLabel* imgTop;
    QLabel* lblCaptionTopBold;
    QLabel* lblCaptionTop;
    QFrame* pnlBottom;
    QPushButton* Button1;
    QPushButton* btnNext;
    QPushButton* Button3;
    TActionList* ActionList;
    TAction* actBack;
    TAction* actNext;
    TAction* actCancel;

protected:
    void Loaded() override;

private:
    void Build();

    bool keepSize_;
    QVBoxLayout* layout_ = nullptr;
};
