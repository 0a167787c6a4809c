// FtpTransferPhaseName.
#include "ftp/client/ftp_transfer.h"

#include <iterator>

Q_LOGGING_CATEGORY(lcFtpTransfer, "hftp.ftp.transfer", QtInfoMsg)

QString FtpTransferPhaseName(TFtpTransferPhase Phase)
{
    static const char* const Names[] = {"Idle", "Connecting", "Starting", "Running", "Finishing", "Failing", "Ended"};
    return Phase < std::size(Names) ? QString::fromLatin1(Names[Phase]) : QStringLiteral("Phase %1").arg(Phase);
}
