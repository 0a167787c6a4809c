// FtpStateName.
#include "ftp/ftp_types.h"

QString FtpStateName(TFtpState State)
{
    static const char* const Names[] = {"Not Connected", "Ready", "Internal Ready", "Dns Lookup...",
                                        "Connected",     "Abort", "Internal Abort", "Waiting Banner...",
                                        "Busy..."};
    return QLatin1String(Names[State]);
}
