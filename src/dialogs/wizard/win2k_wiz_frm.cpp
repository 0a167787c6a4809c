// TWin2kWizFrm.
#include "dialogs/wizard/win2k_wiz_frm.h"

#include "platform/ui/action_list.h"
#include "platform/widgets/action_button.h"
#include "settings/component_position.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The client of the wizard running now: one wizard at a time.
IWizClient* currentClient = nullptr;

QFrame* Bevel(QWidget* Parent)
{
    auto* bevel = new QFrame(Parent);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(2);
    return bevel;
}

} // namespace

TWin2kWizFrm::TWin2kWizFrm(TComponent* AOwner, bool KeepSize) : TStreamPositionFrm(AOwner), keepSize_(KeepSize)
{
    Build();
}

TWin2kWizFrm::TWin2kWizFrm(TComponent* AOwner, bool KeepSize, const QString& Key, bool KeyIsRegistry)
    : TStreamPositionFrm(AOwner, KeyIsRegistry ? skRegistry : skFile, Key), keepSize_(KeepSize)
{
    Build();
}

TWin2kWizFrm::~TWin2kWizFrm()
{
    currentClient = nullptr;
}

void TWin2kWizFrm::Build()
{
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont designed(QStringLiteral("MS Sans Serif"), 8);
    designed.setFamily(font().family()); // the font rule of the dialogs decides the family
    setFont(designed);
    SetClientSize(534, 414);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);

    pnlTopInfo = new QFrame(this);
    pnlTopInfo->setFixedHeight(59);
    pnlTopInfo->setAutoFillBackground(true);
    SetHeaderColor(Qt::white);
    auto* top = new QVBoxLayout(pnlTopInfo);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 4, 6, 2);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    lblCaptionTopBold = new QLabel(pnlTopInfo);
    QFont bold = lblCaptionTopBold->font();
    bold.setBold(true);
    bold.setPointSize(9);
    lblCaptionTopBold->setFont(bold);
    lblCaptionTopBold->setFixedHeight(18);
    lblCaptionTop = new QLabel(pnlTopInfo);
    lblCaptionTop->setWordWrap(true);
    lblCaptionTop->setContentsMargins(16, 0, 0, 0);
    lblCaptionTop->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblCaptionTop->setFixedHeight(32); // two lines
    texts->addWidget(lblCaptionTopBold);
    texts->addWidget(lblCaptionTop);
    texts->addStretch(1);
    header->addLayout(texts, 1);
    imgTop = new QLabel(pnlTopInfo);
    imgTop->setFixedSize(48, 48);
    imgTop->setAlignment(Qt::AlignCenter);
    header->addWidget(imgTop, 0, Qt::AlignVCenter);
    top->addLayout(header, 1);
    top->addWidget(Bevel(pnlTopInfo));
    layout_->addWidget(pnlTopInfo);
    layout_->addStretch(1); // the client's place

    pnlBottom = new QFrame(this);
    pnlBottom->setFixedHeight(46);
    auto* bottom = new QVBoxLayout(pnlBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(Bevel(pnlBottom));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 10, 4);
    buttons->setSpacing(0);
    buttons->addStretch(1);
    Button1 = new QPushButton(pnlBottom);
    btnNext = new QPushButton(pnlBottom);
    Button3 = new QPushButton(pnlBottom);
    for (QPushButton* button : {Button1, btnNext, Button3}) {
        button->setFixedSize(75, 23);
        button->setAutoDefault(false);
    }
    buttons->addWidget(Button1);
    buttons->addWidget(btnNext);
    buttons->addSpacing(10);
    buttons->addWidget(Button3);
    bottom->addLayout(buttons, 1);
    layout_->addWidget(pnlBottom);

    ActionList = new TActionList(this);
    actBack = new TAction(QStringLiteral("< Back"), ActionList);
    actNext = new TAction(QStringLiteral("Next >"), ActionList);
    actCancel = new TAction(QStringLiteral("Cancel"), ActionList);
    actBack->OnUpdate = [](TAction* Sender) {
        if (currentClient)
            Sender->setEnabled(currentClient->CanGoBack());
    };
    actNext->OnUpdate = [](TAction* Sender) {
        if (!currentClient)
            return;
        Sender->setText(currentClient->IsLastStep() ? QStringLiteral("Finish") : QStringLiteral("Next >"));
        Sender->setEnabled(currentClient->CanGoNext());
    };
    actBack->OnExecute = [](TAction*) {
        if (currentClient)
            currentClient->Back();
    };
    actNext->OnExecute = [](TAction*) {
        if (currentClient)
            currentClient->Next();
    };
    actCancel->OnExecute = [this](TAction*) { done(mrCancel); };
    BindButtonToAction(Button1, actBack);
    BindButtonToAction(btnNext, actNext);
    BindButtonToAction(Button3, actCancel);
    btnNext->setDefault(true);
    btnNext->setFocus();
}

void TWin2kWizFrm::Loaded()
{
    TStreamPositionFrm::Loaded();
    if (!keepSize_ && (!PositionStore() || PositionStore()->Width() < 1))
        SetBounds(Left(), Top(), 503, 385);
    ShowClient();
}

QPixmap TWin2kWizFrm::GetPicture() const
{
    return imgTop->pixmap();
}

QString TWin2kWizFrm::GetCaption() const
{
    return windowTitle();
}

void TWin2kWizFrm::SetPicture(const QPixmap& Picture)
{
    imgTop->setPixmap(Picture);
}

void TWin2kWizFrm::SetCaption(const QString& Text)
{
    setWindowTitle(Text);
}

void TWin2kWizFrm::Finish()
{
    done(mrOk);
}

QString TWin2kWizFrm::GetSubtitle() const
{
    return lblCaptionTop->text();
}

QString TWin2kWizFrm::GetTitle() const
{
    return lblCaptionTopBold->text();
}

QColor TWin2kWizFrm::GetHeaderFontColor() const
{
    return lblCaptionTopBold->palette().color(QPalette::WindowText);
}

bool TWin2kWizFrm::GetHeaderHidden() const
{
    return pnlTopInfo->isHidden();
}

QColor TWin2kWizFrm::GetHeaderColor() const
{
    return pnlTopInfo->palette().color(QPalette::Window);
}

void TWin2kWizFrm::SetSubtitle(const QString& Text)
{
    lblCaptionTop->setText(Text);
}

void TWin2kWizFrm::SetTitle(const QString& Text)
{
    lblCaptionTopBold->setText(Text);
}

void TWin2kWizFrm::SetHeaderFontColor(const QColor& Color)
{
    for (QLabel* label : {lblCaptionTopBold, lblCaptionTop}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Color);
        label->setPalette(palette);
    }
}

void TWin2kWizFrm::SetHeaderHidden(bool Hidden)
{
    pnlTopInfo->setHidden(Hidden);
}

void TWin2kWizFrm::SetHeaderColor(const QColor& Color)
{
    QPalette palette = pnlTopInfo->palette();
    palette.setColor(QPalette::Window, Color);
    pnlTopInfo->setPalette(palette);
}

void TWin2kWizFrm::SetClient(IWizClient* Client)
{
    currentClient = Client;
    if (auto* widget = dynamic_cast<QWidget*>(Client)) {
        // Docked between the header and the buttons, in place of the stretch.
        delete layout_->takeAt(1);
        layout_->insertWidget(1, widget, 1);
    }
    ActionList->UpdateActions();
}

void TWin2kWizFrm::ShowClient()
{
    if (currentClient)
        currentClient->Show();
}

void TWin2kWizFrm::done(int Result)
{
    if (IWizClient* client = currentClient) {
        bool canClose = true;
        client->CloseQuery(canClose, Result);
        if (!canClose)
            return;
        // Nothing may ask the released client again while the host closes.
        currentClient = nullptr;
        client->Release();
    }
    TStreamPositionFrm::done(Result);
}
