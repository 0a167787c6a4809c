// ProgramFolder from the XDG data home.
#include "platform/system/program_folder.h"

#include "platform/system/name_encoding.h"

#include <QtGlobal>
#include <sys/stat.h>

QString ProgramFolder()
{
    QByteArray base = qgetenv("XDG_DATA_HOME");
    if (!base.startsWith('/'))
        base = qgetenv("HOME") + "/.local/share";
    const QByteArray folder = base + "/tarnwick-halyard/";
    for (qsizetype slash = folder.indexOf('/', 1); slash > 0; slash = folder.indexOf('/', slash + 1))
        ::mkdir(folder.left(slash).constData(), 0700);
    return DecodeName(folder);
}
