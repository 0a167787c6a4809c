// TFtpTransfer: the state of the transfer in progress (its phase, its flags, its counters and its
// local file), kept in one struct that is reset in one place when a transfer starts.
#pragma once

#include "ftp/client/ascii_line_ends.h"
#include "ftp/client/download_file.h"
#include "platform/rtl/streams.h"

#include <QLoggingCategory>
#include <QString>
#include <cstdint>
#include <memory>

// Where a transfer stands. A transfer moves forward only; every failure ends it.
enum TFtpTransferPhase : unsigned char {
    ftpTransferIdle,       // none has started on this client yet
    ftpTransferConnecting, // the passive data connection is being made
    ftpTransferStarting,   // the command went out; its first reply (150 or 125) is awaited
    ftpTransferRunning,    // the server accepted the command: data moves
    ftpTransferFinishing,  // one of the final reply and the close of the data connection came
    ftpTransferFailing,    // it cannot succeed: the server's final reply is awaited
    ftpTransferEnded,      // it succeeded or failed; the request has ended
};

// The debug log of the phases a transfer goes through ("hftp.ftp.transfer", off unless enabled,
// e.g. QT_LOGGING_RULES="hftp.ftp.transfer.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcFtpTransfer)

// The name of a phase ("Idle", "Connecting", "Starting", "Running", "Finishing", "Failing",
// "Ended").
QString FtpTransferPhaseName(TFtpTransferPhase Phase);

struct TFtpTransfer {
    TFtpTransferPhase Phase = ftpTransferIdle;
    bool Upload = false;
    // The receive command ("RETR", "LIST", "NLST"), and the whole command line of the transfer.
    QString DataCommand;
    QString CommandLine;
    bool Binary = true; // the type the transfer started with
    qint64 ByteCount = 0;
    std::uint32_t StartTime = 0;
    std::uint32_t StopTime = 0;
    int DataError = 0; // the error the data socket reported

    bool Replied = false;         // the final reply came
    bool DataClosed = false;      // the data connection closed
    bool Aborted = false;         // the progress handler asked to stop
    bool CutShort = false;        // the upload's data connection closed before the end of the file
    bool CommandAnswered = false; // the first reply (150 or 125) came
    bool DataConnected = false;   // the data connection stands
    bool SendStarted = false;     // the first chunk of an upload went out
    bool EofReached = false;      // the upload has read its whole file
    bool LocalFileWanted = false; // a receive opens its local file at the first sign of success

    std::unique_ptr<TFileStream> LocalStream; // the file an upload reads
    std::unique_ptr<TDownloadFile> LocalFile; // the file a download writes
    qint64 AnnouncedSize = -1; // the size the 150 or 125 reply of a RETR named, -1 when none
    int StopCode = 0;          // why a stopped receive failed: the code (0: the local file) and text
    QString StopText;
    TAsciiReceiver AsciiReceiver;
    TAsciiSender AsciiSender;
};
