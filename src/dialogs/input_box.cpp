// TInputDlgFrm, InputBoxPos and InputBoxPos2.
#include "dialogs/input_box.h"

#include "dialogs/busy_cursor.h"
#include "platform/widgets/std_controls.h"
#include "routines/bitmap_resources.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// The picture the dialog shows unless the caller picks another glyph.
constexpr int InfoGlyph = 10;

} // namespace

TInputDlgFrm::TInputDlgFrm(TComponent* AOwner, const QString& Key)
    : TStreamPositionFrm(AOwner, skRegistry, Key)
{
    SetBorderStyle(bsDialog);
    SetClientSize(479, 130);

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 18, 48, 48);
    Image1->setAlignment(Qt::AlignCenter);
    QImage designed;
    if (LoadGlyph(designed, InfoGlyph))
        Image1->setPixmap(QPixmap::fromImage(designed));

    lblPrompt = new QLabel(this);
    lblPrompt->setGeometry(72, 6, 401, 34);
    lblPrompt->setWordWrap(true);
    lblPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    txtValue = new TEdit(this);
    txtValue->setGeometry(72, 40, 393, 21);
    txtValue->OnChange = [this](TObject* Sender) { txtValueChange(Sender); };

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 88, 479, 2);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setGeometry(312, 99, 75, 23);
    btnOk->setDefault(true);
    btnOk->setEnabled(false);
    SetButtonModalResult(btnOk, mrOk);

    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(392, 99, 75, 23);
    SetButtonModalResult(Button2, mrCancel);

    txtValue->setFocus();
}

void TInputDlgFrm::txtValueChange(TObject*)
{
    btnOk->setEnabled(!txtValue->text().isEmpty());
}

bool TInputDlgFrm::Execute(const QString& Caption, const QString& Prompt, const QString& Key, int Icon,
                           QString& Value)
{
    return Ask(Caption, Prompt, Key, Icon, Value, false);
}

bool TInputDlgFrm::ExecutePassword(const QString& Caption, const QString& Prompt, const QString& Key,
                                   int Icon, QString& Value)
{
    return Ask(Caption, Prompt, Key, Icon, Value, true);
}

bool TInputDlgFrm::Ask(const QString& Caption, const QString& Prompt, const QString& Key, int Icon,
                       QString& Value, bool Password)
{
    TBusyCursor busy;
    TInputDlgFrm form(nullptr, Key);
    QImage glyph;
    if (LoadGlyph(glyph, Icon))
        form.Image1->setPixmap(QPixmap::fromImage(glyph));
    if (Password)
        form.txtValue->setEchoMode(QLineEdit::Password);
    form.setWindowTitle(Caption);
    form.lblPrompt->setText(Prompt);
    form.txtValue->setText(Value);
    if (form.ShowModal() != mrOk)
        return false;
    Value = form.txtValue->text();
    return true;
}

bool InputBoxPos(const QString& Caption, const QString& Prompt, QString& Value, int Icon)
{
    return TInputDlgFrm::Execute(Caption, Prompt, DialogKey(QStringLiteral("InputBox")), Icon, Value);
}

bool InputBoxPos2(const QString& Caption, const QString& Prompt, QString& Value, int Icon)
{
    return TInputDlgFrm::ExecutePassword(Caption, Prompt, DialogKey(QStringLiteral("InputBox")), Icon, Value);
}
