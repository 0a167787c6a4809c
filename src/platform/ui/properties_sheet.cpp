// ShowPropertiesSheet through the installed handler, or on standard error.
#include "platform/ui/properties_sheet.h"

#include <cstdio>
#include <utility>

namespace {

TPropertiesSheetHandler& Handler()
{
    static TPropertiesSheetHandler handler;
    return handler;
}

} // namespace

void ShowPropertiesSheet(const QString& Title, const QList<TPropertyRow>& Rows)
{
    const TPropertiesSheetHandler handler = Handler();
    if (handler) {
        handler(Title, Rows);
        return;
    }
    std::fprintf(stderr, "%s\n", Title.toLocal8Bit().constData());
    for (const TPropertyRow& row : Rows)
        std::fprintf(stderr, "  %s %s\n", row.Name.toLocal8Bit().constData(),
                     row.Value.toLocal8Bit().constData());
}

TPropertiesSheetHandler SetPropertiesSheetHandler(TPropertiesSheetHandler Handler_)
{
    return std::exchange(Handler(), std::move(Handler_));
}
