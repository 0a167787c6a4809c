// The built-in flow's find and replace window.
#include "editor/search/platform_find_dialog.h"

#include "editor/search/editor_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPlatformFindDialog::TPlatformFindDialog(QWidget* Parent) : QDialog(Parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setModal(false);
    auto* fields = new QGridLayout;
    edFind = new QLineEdit(this);
    edFind->setObjectName(QStringLiteral("edFind"));
    auto* lblFind = new QLabel(QStringLiteral("Fi&nd what:"), this);
    lblFind->setBuddy(edFind);
    edReplace = new QLineEdit(this);
    edReplace->setObjectName(QStringLiteral("edReplace"));
    lblReplace = new QLabel(QStringLiteral("Re&place with:"), this);
    lblReplace->setBuddy(edReplace);
    fields->addWidget(lblFind, 0, 0);
    fields->addWidget(edFind, 0, 1);
    fields->addWidget(lblReplace, 1, 0);
    fields->addWidget(edReplace, 1, 1);

    chkMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    chkWholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    rbUp = new QRadioButton(QStringLiteral("&Up"), direction);
    rbUp->setObjectName(QStringLiteral("rbUp"));
    rbDown = new QRadioButton(QStringLiteral("&Down"), direction);
    rbDown->setObjectName(QStringLiteral("rbDown"));
    rbDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(rbUp);
    directionLayout->addWidget(rbDown);
    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkMatchCase);
    checks->addWidget(chkWholeWord);
    options->addLayout(checks);
    options->addWidget(direction);

    const auto button = [this](const QString& Caption, const char* Name) {
        auto* b = new QPushButton(Caption, this);
        b->setObjectName(QLatin1String(Name));
        return b;
    };
    btnFindNext = button(QStringLiteral("&Find Next"), "btnFindNext");
    btnFindNext->setDefault(true);
    btnReplace = button(QStringLiteral("&Replace"), "btnReplace");
    btnReplaceAll = button(QStringLiteral("Replace &All"), "btnReplaceAll");
    btnCancel = button(QStringLiteral("Cancel"), "btnCancel");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnFindNext, btnReplace, btnReplaceAll, btnCancel})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(edFind, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(btnFindNext, &QPushButton::clicked, this, [this] {
        if (auto handler = OnFind)
            handler(State());
    });
    connect(btnReplace, &QPushButton::clicked, this, [this] {
        if (auto handler = OnReplace)
            handler(State(), false);
    });
    connect(btnReplaceAll, &QPushButton::clicked, this, [this] {
        if (auto handler = OnReplace)
            handler(State(), true);
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::close);
    SetReplaceMode(false);
}

void TPlatformFindDialog::SetReplaceMode(bool Replace)
{
    replace_ = Replace;
    setWindowTitle(Replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    for (QWidget* w : {static_cast<QWidget*>(lblReplace), static_cast<QWidget*>(edReplace),
                       static_cast<QWidget*>(btnReplace), static_cast<QWidget*>(btnReplaceAll)})
        w->setVisible(Replace);
    UpdateButtons();
    adjustSize();
}

TFindDialogState TPlatformFindDialog::State() const
{
    TFindDialogState state;
    state.FindText = EditorBytes(edFind->text());
    state.ReplaceText = EditorBytes(edReplace->text());
    state.Down = rbDown->isChecked();
    state.MatchCase = chkMatchCase->isChecked();
    state.WholeWord = chkWholeWord->isChecked();
    return state;
}

void TPlatformFindDialog::SetFindText(const std::string& Text)
{
    edFind->setText(EditorString(Text));
}

void TPlatformFindDialog::SetMatchCase(bool On)
{
    chkMatchCase->setChecked(On);
}

void TPlatformFindDialog::UpdateButtons()
{
    const bool any = !edFind->text().isEmpty();
    for (QPushButton* b : {btnFindNext, btnReplace, btnReplaceAll})
        b->setEnabled(any);
}
