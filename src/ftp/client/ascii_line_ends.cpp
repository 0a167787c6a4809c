// TAsciiReceiver and TAsciiSender.
#include "ftp/client/ascii_line_ends.h"

#include <cstring>

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
    // The bytes between CRs are copied a run at a time; a CR goes out unless LF follows it.
    while (i < Len) {
        const void* cr = std::memchr(Data + i, '\r', std::size_t(Len - i));
        const int end = cr ? int(static_cast<const char*>(cr) - Data) : Len;
        Out.append(Data + i, end - i);
        if (!cr)
            break;
        if (end + 1 == Len)
            FHeldCr = true;
        else if (Data[end + 1] != '\n')
            Out += '\r';
        i = end + 1;
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
