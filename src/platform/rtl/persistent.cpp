// TPersistent.
#include "platform/rtl/persistent.h"

#include "platform/rtl/exception.h"

void TPersistent::Assign(TPersistent* Source)
{
    if (!Source)
        AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source)
{
    const QString source = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(source, ClassName()));
}
