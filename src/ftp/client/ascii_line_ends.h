// Line ends of ASCII transfers as Unix clients handle them: CR LF from the server becomes LF in the
// local file, and a bare LF from the local file goes out as CR LF (a CR LF pair stays as it is).
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

// Converts the bytes of a local file piece by piece for sending; a CR at the end of a piece tells
// the next piece that an LF at its start already has its CR.
class TAsciiSender {
public:
    // The bytes to send for Data: an LF not preceded by CR becomes CR LF, any other byte stays.
    QByteArray Convert(const char* Data, int Len);

private:
    bool FLastWasCr = false;
};
