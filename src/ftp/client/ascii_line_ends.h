// Line ends of ASCII transfers as Unix clients handle them: CR LF from the server becomes LF in the
// local file, and LF from the local file goes out as CR LF.
#pragma once

#include <QByteArray>

// Converts received bytes piece by piece; a CR at the end of a piece waits for the next piece to
// show whether LF follows it.
class TAsciiReceiver {
public:
    // Forgets a CR held back from an earlier transfer.
    void Reset() { FHeldCr = false; }
    // The bytes to store for Data: every CR LF becomes LF, any other byte stays.
    QByteArray Convert(const char* Data, int Len);
    // What is still held back at the end of the transfer: a lone CR, or nothing.
    QByteArray Finish();

private:
    bool FHeldCr = false;
};

// The bytes to send for Data: every LF becomes CR LF.
QByteArray LfToCrLf(const char* Data, int Len);
