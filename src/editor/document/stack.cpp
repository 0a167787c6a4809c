// The error every stack raises when it is read past either end.
#include "editor/document/stack.h"

void ThrowStackUnderflow()
{
    throw EStackError(QStringLiteral("Stack underflow"));
}
