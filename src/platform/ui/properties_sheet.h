// ShowPropertiesSheet: a small read-only window of named values (an item's name, kind, folder...).
// The window is a widget (platform/widgets installs it at start-up); code without widgets calls
// ShowPropertiesSheet all the same.
#pragma once

#include <QList>
#include <QString>
#include <functional>

struct TPropertyRow {
    QString Name;
    QString Value;
    bool operator==(const TPropertyRow&) const = default;
};

// Shows Rows under Title until it is closed.
void ShowPropertiesSheet(const QString& Title, const QList<TPropertyRow>& Rows);

// What ShowPropertiesSheet shows with. Until one is installed, the rows go to standard error.
using TPropertiesSheetHandler = std::function<void(const QString& Title, const QList<TPropertyRow>& Rows)>;
// Installs Handler (empty restores standard error) and returns the one installed before.
TPropertiesSheetHandler SetPropertiesSheetHandler(TPropertiesSheetHandler Handler);
