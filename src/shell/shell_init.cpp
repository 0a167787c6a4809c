// initShell and the shell item list clipboard format.
#include "shell/shell_init.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/com_init.h"

namespace {

unsigned IdListFormat = 0;

} // namespace

void initShell()
{
    IdListFormat = win::RegisterClipboardFormat(QStringLiteral("Shell IDList Array"));
    win::OleInitialize(nullptr);
}

unsigned ShellIdListFormat()
{
    return IdListFormat;
}
