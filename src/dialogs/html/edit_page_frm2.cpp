// TEditPageFrm2.
#include "dialogs/html/edit_page_frm2.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/html/color_frame.h"
#include "platform/rtl/string_list.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/prompt_service.h"
#include "platform/widgets/std_controls.h"
#include "settings/app_settings.h"
#include "settings/forms/gui_routines.h"
#include "settings/streamable_strings.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QStringList FontSizeItems()
{
    QStringList items;
    for (const char* prefix : {"", "+", "-"})
        for (int size = 1; size <= 7; ++size)
            items << QLatin1String(prefix) + QString::number(size);
    return items;
}

TCustomComboBox* NewEditableCombo(QWidget* Parent, const char* Name, const QRect& Rect)
{
    auto* combo = Designed(new TCustomComboBox(Parent), Name, Rect);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

TEditPageFrm2::TEditPageFrm2(TComponent* AOwner, const QString& Text)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Html Edit2"))), text_(Text)
{
    SetBorderStyle(bsDialog);
    SetClientSize(330, 212);
    setWindowTitle(QStringLiteral("Font Wizard"));

    history_ = new TStreamableStrings(this, DialogKey(QStringLiteral("Html Edit2")), nullptr);

    NewLabel(this, "Label1", QRect(12, 15, 64, 16), QStringLiteral("Font:"));
    cbFont = NewEditableCombo(this, "cbFont", QRect(80, 12, 238, 22));
    for (int index = 0; index < history_->Strings()->Count(); ++index)
        cbFont->addItem(history_->Strings()->Strings(index));
    cbFont->setCurrentIndex(-1);
    NewLabel(this, "Label2", QRect(12, 45, 64, 16), QStringLiteral("Size:"));
    cbFontSize = NewEditableCombo(this, "cbFontSize", QRect(80, 42, 80, 22));
    cbFontSize->addItems(FontSizeItems());
    cbFontSize->setCurrentIndex(-1);
    NewLabel(this, "Label3", QRect(12, 77, 64, 16), QStringLiteral("Color:"));
    txtFontColor = Designed(new TEdit(this), "txtFontColor", QRect(80, 74, 100, 22));
    fraBg = Designed(new TColorFrame(this), "fraBg", QRect(188, 72, 40, 26));
    chkBold = Designed(new TCheckBox(QStringLiteral("Bold"), this), "chkBold", QRect(80, 106, 200, 20));
    chkItalic = Designed(new TCheckBox(QStringLiteral("Italic"), this), "chkItalic", QRect(80, 128, 200, 20));
    chkUnderline =
        Designed(new TCheckBox(QStringLiteral("Underline"), this), "chkUnderline", QRect(80, 150, 200, 20));

    btnOk = NewButton(*this, this, "btnOk", QRect(162, 180, 75, 25), QStringLiteral("OK"), mrOk);
    btnOk->setDefault(true);
    btnCancel = NewButton(*this, this, "btnCancel", QRect(243, 180, 75, 25), QStringLiteral("Cancel"), mrCancel);

    for (TCustomComboBox* combo : {cbFont, cbFontSize})
        connect(combo, &QComboBox::editTextChanged, this, [this] { UpdateOk(); });
    txtFontColor->OnChange = [this](TObject*) { txtFontColorChange(); };
    for (TCheckBox* box : {chkBold, chkItalic, chkUnderline})
        box->OnClick = [this](TObject*) { UpdateOk(); };
    fraBg->OnColorChange = [this](const QColor& Color) { ColorChosen(Color); };
    UpdateOk();
}

TEditPageFrm2::~TEditPageFrm2() = default;

void TEditPageFrm2::UpdateOk()
{
    btnOk->setEnabled(!cbFont->currentText().isEmpty() || !cbFontSize->currentText().isEmpty() ||
                      !txtFontColor->text().isEmpty() || chkBold->isChecked() || chkItalic->isChecked() ||
                      chkUnderline->isChecked());
}

void TEditPageFrm2::ColorChosen(const QColor& Color)
{
    const QString html = ColorToHtml(Color);
    txtFontColor->setText(AppSettings()->HTMLUpperCase ? html.toUpper() : html.toLower());
}

void TEditPageFrm2::txtFontColorChange()
{
    if (txtFontColor->text().isEmpty())
        fraBg->SetColor(palette().color(QPalette::Button));
    UpdateOk();
}

QString TEditPageFrm2::ResultHtml() const
{
    const TFontWizardFields fields{cbFont->currentText(),  cbFontSize->currentText(), txtFontColor->text(),
                                   chkBold->isChecked(),   chkItalic->isChecked(),    chkUnderline->isChecked(),
                                   text_};
    return FontWizardHtml(fields);
}

void TEditPageFrm2::RememberFontName()
{
    const QString face = cbFont->currentText();
    TStrings* names = history_->Strings();
    if (!face.isEmpty() && names->IndexOf(face) < 0)
        names->Insert(0, face);
    history_->Save();
}

bool TEditPageFrm2::Execute(int Mode, const QString& Text, QString& Html)
{
    Html.clear();
    std::unique_ptr<TEditPageFrm2> form;
    {
        const TBusyCursor busy;
        form = std::make_unique<TEditPageFrm2>(nullptr, Text);
    }
    if (ExecModal(*form) != mrOk || Mode != 0)
        return false;
    Html = form->ResultHtml();
    form->RememberFontName();
    return true;
}
