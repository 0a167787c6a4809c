// The key assignment wizard: its two steps, their buttons and its layout by the prompts.
#include "highlighter/options/key_assign_dialog.h"

#include "highlighter/options/guarded.h"
#include "highlighter/options/sm_hot_key.h"

#include "platform/widgets/label.h"

#include <QPushButton>
#include <algorithm>
#include <tuple>
#include <utility>

namespace {

// The designed places: margins, the prompts' width, the hot keys' size, the buttons' size.
constexpr int Margin = 12;
constexpr int InfoTop = 34;
constexpr int InfoWidth = 225;
constexpr int HotKeyGap = 15;
constexpr int HotKeyWidth = 150;
constexpr int HotKeyHeight = 22;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 8;
constexpr int ButtonPanelHeight = 41;

template <class TControl>
TControl* Named(TControl* Control, const char* Name)
{
    Control->setObjectName(QLatin1String(Name));
    return Control;
}

} // namespace

TKeyAssignDialog::TKeyAssignDialog(TComponent* AOwner) : TForm(AOwner)
{
    setObjectName(QStringLiteral("KeyAssignDialog"));
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    WizardPanel = Named(new QWidget(this), "WizardPanel");
    ButtonPanel = Named(new QWidget(this), "ButtonPanel");
    const auto makeStep = [this](const char* Panel, int Tag, const char* Label, const char* Info, TSM_HotKey*& HotKey,
                                 QPushButton*& Clear, const char* ClearName) {
        auto* panel = Named(new QWidget(WizardPanel), Panel);
        panel->setProperty("Tag", Tag);
        auto* label = Named(new TLabel(QStringLiteral("Step %1").arg(Tag), panel), Label);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setGeometry(Margin, Margin, InfoWidth, 18);
        auto* info = Named(new TLabel(QString(), panel), Info);
        info->setWordWrap(true);
        info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        HotKey = Named(new TSM_HotKey(panel), Tag == 1 ? "HotKey1" : "HotKey2");
        HotKey->OnChange = [this](TObject*) { UpdateButtons(); };
        Clear = Named(new QPushButton(QStringLiteral("Clear"), panel), ClearName);
        TSM_HotKey* hotKey = HotKey;
        connect(Clear, &QPushButton::clicked, this, [hotKey] {
            hotKey->SetHotKey(0);
            hotKey->setFocus();
        });
        return std::pair{panel, std::pair{label, info}};
    };
    auto step1 = makeStep("Step1Panel", 1, "Step1Label", "Step1InfoLabel", HotKey1, ClearKey1Button, "ClearKey1Button");
    auto step2 = makeStep("Step2Panel", 2, "Step2Label", "Step2InfoLabel", HotKey2, ClearKey2Button, "ClearKey2Button");
    Step1Panel = step1.first;
    Step1Label = step1.second.first;
    Step1InfoLabel = step1.second.second;
    Step2Panel = step2.first;
    Step2Label = step2.second.first;
    Step2InfoLabel = step2.second.second;

    BackButton = Named(new QPushButton(QStringLiteral("< Back"), ButtonPanel), "BackButton");
    NextButton = Named(new QPushButton(QStringLiteral("Next >"), ButtonPanel), "NextButton");
    CancelButton = Named(new QPushButton(QStringLiteral("Cancel"), ButtonPanel), "CancelButton");
    for (QPushButton* button : {BackButton, NextButton, CancelButton}) {
        button->resize(ButtonWidth, ButtonHeight);
        button->setAutoDefault(false);
    }
    SetButtonModalResult(CancelButton, mrCancel);
    connect(NextButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { NextClick(); }); });
    connect(BackButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { BackClick(); }); });
    ShowStep(1);
}

bool TKeyAssignDialog::Execute(TShortCut& Key1, TShortCut& Key2, TKeyAssignMode Mode, const QString& Prompt2,
                               const QString& Prompt1, const QString& CommandName)
{
    mode_ = Mode;
    setWindowTitle((Mode == kamEdit ? QStringLiteral("Edit ") : QStringLiteral("Add new ")) +
                   QStringLiteral("key pair for: ") + CommandName);
    Step1InfoLabel->setText(Prompt1);
    Step2InfoLabel->setText(Prompt2);
    HotKey1->SetHotKey(Mode == kamEdit ? Key1 : 0);
    HotKey2->SetHotKey(Mode == kamEdit ? Key2 : 0);
    LayOut();
    ShowStep(1);
    const bool finished = ShowModal() == mrOk;
    Key1 = HotKey1->HotKey();
    Key2 = HotKey2->HotKey();
    return finished;
}

// The form fits the prompts: each hot key stands beside its prompt, each "Clear" under its hot
// key, and the buttons along the bottom right.
void TKeyAssignDialog::LayOut()
{
    int panelHeight = 0;
    for (auto [info, hotKey, clear] : {std::tuple{Step1InfoLabel, HotKey1, ClearKey1Button},
                                        std::tuple{Step2InfoLabel, HotKey2, ClearKey2Button}}) {
        info->setGeometry(Margin, InfoTop, InfoWidth, info->heightForWidth(InfoWidth));
        hotKey->setGeometry(info->x() + InfoWidth + HotKeyGap, info->y(), HotKeyWidth, HotKeyHeight);
        clear->setGeometry(hotKey->x() + hotKey->width() - ButtonWidth, hotKey->y() + hotKey->height() + 6,
                           ButtonWidth, ButtonHeight);
        panelHeight = std::max({panelHeight, info->y() + info->height() + Margin, clear->y() + clear->height() + Margin});
    }
    const int width = InfoWidth + Margin + HotKeyGap + HotKeyWidth + 25;
    WizardPanel->setGeometry(0, 0, width, panelHeight);
    Step1Panel->setGeometry(WizardPanel->rect());
    Step2Panel->setGeometry(WizardPanel->rect());
    ButtonPanel->setGeometry(0, panelHeight, width, ButtonPanelHeight);
    CancelButton->move(width - ButtonGap - ButtonWidth, (ButtonPanelHeight - ButtonHeight) / 2);
    NextButton->move(CancelButton->x() - ButtonGap - ButtonWidth, CancelButton->y());
    BackButton->move(NextButton->x() - ButtonGap - ButtonWidth, CancelButton->y());
    setFixedSize(width, panelHeight + ButtonPanelHeight);
}

void TKeyAssignDialog::UpdateButtons()
{
    const bool hasFirst = !HotKey1->text().isEmpty();
    NextButton->setText(step_ == 2 ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    NextButton->setEnabled(hasFirst);
    BackButton->setEnabled(step_ == 2);
    ClearKey1Button->setEnabled(hasFirst);
    ClearKey2Button->setEnabled(!HotKey2->text().isEmpty());
}

void TKeyAssignDialog::ShowStep(int Step)
{
    step_ = Step;
    Step1Panel->setVisible(Step == 1);
    Step2Panel->setVisible(Step == 2);
    (Step == 1 ? HotKey1 : HotKey2)->setFocus();
    UpdateButtons();
}

void TKeyAssignDialog::NextClick()
{
    if (HotKey1->text().isEmpty())
        return;
    if (step_ == 1)
        ShowStep(2);
    else
        done(mrOk);
}

void TKeyAssignDialog::BackClick()
{
    if (step_ == 2)
        ShowStep(1);
}
