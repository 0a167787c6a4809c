// TAsciiReceiver and TAsciiSender.
#include "ftp/client/ascii_line_ends.h"

QByteArray TAsciiReceiver::Convert(const char* Data, int Len)
{
    QByteArray Out;
    Out.reserve(Len + 1);
    int i = 0;
    if (FHeldCr && Len > 0) {
        FHeldCr = false;
        if (Data[0] != '\n')
            Out += '\r';
    }
    for (; i < Len; ++i) {
        const char C = Data[i];
        if (C != '\r') {
            Out += C;
            continue;
        }
        if (i + 1 == Len)
            FHeldCr = true;
        else if (Data[i + 1] != '\n')
            Out += C;
    }
    return Out;
}

QByteArray TAsciiReceiver::Finish()
{
    const bool Held = FHeldCr;
    FHeldCr = false;
    return Held ? QByteArray("\r") : QByteArray();
}

QByteArray TAsciiSender::Convert(const char* Data, int Len)
{
    QByteArray Out;
    Out.reserve(Len + Len / 32 + 16);
    for (int i = 0; i < Len; ++i) {
        if (Data[i] == '\n' && !FLastWasCr)
            Out += '\r';
        Out += Data[i];
        FLastWasCr = Data[i] == '\r';
    }
    return Out;
}
