// TMessageForm, CreateMessageDialog and the widget side of MessageDlg.
#include "platform/widgets/message_form.h"

#include "platform/rtl/application.h"
#include "platform/widgets/prompt_service.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

struct TButtonKind {
    TMsgDlgBtn button;
    const char* caption;
};

// In the order the buttons stand on a dialog.
constexpr TButtonKind ButtonKinds[] = {
    {mbYes, "&Yes"},
    {mbNo, "&No"},
    {mbOK, "OK"},
    {mbCancel, "Cancel"},
    {mbAbort, "&Abort"},
    {mbRetry, "&Retry"},
    {mbIgnore, "&Ignore"},
    {mbAll, "&All"},
    {mbNoToAll, "N&o to All"},
    {mbYesToAll, "Yes to &All"},
};

QString TitleOf(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    case mtCustom: break;
    }
    return Application ? Application->Title() : QString();
}

QMessageBox::Icon IconOf(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    case mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

TMessageForm::TMessageForm(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                           TComponent* AOwner)
    : TComponent(AOwner)
{
    setWindowTitle(TitleOf(DlgType));
    setIcon(IconOf(DlgType));
    setText(Msg);
    setTextFormat(Qt::PlainText);
    TMsgDlgBtn defaultKind = mbOK;
    const bool hasDefault = DefaultButtonOf(Buttons, defaultKind);
    QPushButton* defaultButton = nullptr;
    QPushButton* escapeButton = nullptr;
    for (const TButtonKind& kind : ButtonKinds) {
        if (!Buttons.Contains(kind.button))
            continue;
        // One role for all keeps the buttons in the order they are added, on every platform.
        auto* button = new QPushButton(QString::fromLatin1(kind.caption), this);
        addButton(button, QMessageBox::ActionRole);
        buttons_ += button;
        results_ += ModalResultOf(kind.button);
        if (hasDefault && kind.button == defaultKind)
            defaultButton = button;
        if (kind.button == mbCancel || (kind.button == mbNo && !Buttons.Contains(mbCancel)) ||
            (kind.button == mbOK && !Buttons.Contains(mbCancel) && !Buttons.Contains(mbNo)))
            escapeButton = button;
    }
    setDefaultButton(defaultButton);
    setEscapeButton(escapeButton);
}

QCheckBox* TMessageForm::AddCheckBox(const QString& Caption)
{
    auto* check = new QCheckBox(Caption, this);
    setCheckBox(check);
    return check;
}

int TMessageForm::ShowModal()
{
    closedByBox_ = false;
    ExecModal(*this);
    return ModalResult();
}

int TMessageForm::ModalResult() const
{
    const int index = buttons_.indexOf(qobject_cast<QPushButton*>(clickedButton()));
    return closedByBox_ || index < 0 ? mrCancel : results_[index];
}

void TMessageForm::closeEvent(QCloseEvent* E)
{
    // Closed by the window, not by a button.
    if (!clickedButton())
        closedByBox_ = true;
    QDialog::closeEvent(E);
}

void TMessageForm::keyPressEvent(QKeyEvent* E)
{
    // Without a button for it, Escape does nothing (the message box would press a lone button).
    if (E->matches(QKeySequence::Cancel) && !escapeButton())
        return;
    QMessageBox::keyPressEvent(E);
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const QString& Msg, TMsgDlgType DlgType,
                                                  TMsgDlgButtons Buttons)
{
    return std::make_unique<TMessageForm>(Msg, DlgType, Buttons);
}

int ShowMessageForm(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    return CreateMessageDialog(Msg, DlgType, Buttons)->ShowModal();
}
