// TOpenDialog, TSaveDialog and the filter string conversion.
#include "platform/widgets/file_dialogs.h"

#include "platform/rtl/events.h"
#include "platform/widgets/prompt_service.h"

#include <QFileDialog>

QStringList FilterToNameFilters(const QString& Filter)
{
    QStringList filters;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (!patterns.isEmpty())
            filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return filters;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::Prepare(QFileDialog&) {}

bool TOpenDialog::Execute()
{
    QFileDialog dialog(nullptr, Title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (Saving())
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode((Options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(Options & ofOverwritePrompt));
    const QStringList filters = FilterToNameFilters(Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(qBound(1, FilterIndex, int(filters.size())) - 1));
    }
    if (!InitialDir.isEmpty())
        dialog.setDirectory(InitialDir);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, [this, &filters](const QString& Chosen) {
        FilterIndex = int(filters.indexOf(Chosen)) + 1;
        Fire(OnTypeChange, this);
    });
    Prepare(dialog);
    if (ExecModal(dialog) != QDialog::Accepted)
        return false;
    Files = dialog.selectedFiles();
    FileName = Files.value(0);
    if (!filters.isEmpty())
        FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}
