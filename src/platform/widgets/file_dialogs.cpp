// TOpenDialog, TSaveDialog and the filter string conversion.
#include "platform/widgets/file_dialogs.h"

#include "platform/rtl/events.h"
#include "platform/widgets/prompt_service.h"

#include <QFileDialog>

#include <algorithm>

namespace {

// The name filters of a filter string, each with the 1-based number of its pair in the string
// (the number FilterIndex counts in, dropped pairs included).
struct TNameFilters {
    QStringList Filters;
    QList<int> Pairs;
};

TNameFilters ParseFilter(const QString& Filter)
{
    TNameFilters result;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty())
            continue;
        result.Filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                              QLatin1Char(')');
        result.Pairs << i / 2 + 1;
    }
    return result;
}

} // namespace

QStringList FilterToNameFilters(const QString& Filter)
{
    return ParseFilter(Filter).Filters;
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
    const TNameFilters named = ParseFilter(Filter);
    const QStringList& filters = named.Filters;
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The filter numbered FilterIndex, else the next one shown, past the end the last.
        const qsizetype at =
            std::lower_bound(named.Pairs.begin(), named.Pairs.end(), FilterIndex) - named.Pairs.begin();
        dialog.selectNameFilter(filters.value(std::min(at, filters.size() - 1)));
    }
    if (!InitialDir.isEmpty())
        dialog.setDirectory(InitialDir);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    // A pair without patterns shows no filter, yet keeps its number: the ones after it are not shifted.
    const auto numberOf = [&named](const QString& Chosen) {
        const qsizetype at = named.Filters.indexOf(Chosen);
        return at < 0 ? 0 : named.Pairs[at];
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, [this, &numberOf](const QString& Chosen) {
        FilterIndex = numberOf(Chosen);
        Fire(OnTypeChange, this);
    });
    Prepare(dialog);
    if (ExecModal(dialog) != QDialog::Accepted)
        return false;
    Files = dialog.selectedFiles();
    FileName = Files.value(0);
    if (!filters.isEmpty())
        FilterIndex = numberOf(dialog.selectedNameFilter());
    return true;
}
