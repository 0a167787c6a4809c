// ShowPropertiesForm.
#include "platform/widgets/properties_form.h"

#include "platform/widgets/prompt_service.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

void ShowPropertiesForm(const QString& Title, const QList<TPropertyRow>& Rows)
{
    QDialog dialog;
    dialog.setWindowTitle(Title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    for (const TPropertyRow& row : Rows) {
        auto* value = new QLabel(row.Value);
        value->setObjectName(QStringLiteral("value:") + row.Name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(row.Name + QLatin1Char(':'), value);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    ExecModal(dialog);
}
