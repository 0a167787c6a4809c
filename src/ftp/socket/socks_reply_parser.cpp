// ParseSocksReply.
#include "ftp/socket/socks_reply_parser.h"

namespace {

TSocksReply Failure(int Code, const QString& Text)
{
    TSocksReply Reply;
    Reply.Result = TSocksReply::Failed;
    Reply.ErrorCode = Code;
    Reply.ErrorText = Text;
    return Reply;
}

TSocksReply Need(int Count)
{
    TSocksReply Reply;
    Reply.Need = Count;
    return Reply;
}

TSocksReply Outcome(TSocksReply::Kind Kind, int Length)
{
    TSocksReply Reply;
    Reply.Result = Kind;
    Reply.Length = Length;
    return Reply;
}

quint8 Byte(const QByteArray& Data, int Index)
{
    return quint8(Data[Index]);
}

TSocksReply VersionError()
{
    return Failure(20002, QStringLiteral("socks version error"));
}

TSocksReply Unassigned(int Value)
{
    return Failure(20012, QStringLiteral("unassigned error #%1").arg(Value));
}

// The two-byte answers: the method choice and the result of the authentication.
TSocksReply ParseTwoByteAnswer(TSocksPhase Phase, const QByteArray& Data)
{
    const quint8 Version = Phase == socksPhaseMethod ? 0x05 : 0x01;
    if (!Data.isEmpty() && Byte(Data, 0) != Version)
        return VersionError();
    if (Data.size() < 2)
        return Need(2);
    // The server says nothing more until the client's next request.
    if (Data.size() > 2)
        return Failure(20001, QStringLiteral("too much data availaible"));
    const quint8 Value = Byte(Data, 1);
    if (Phase == socksPhaseAuth) {
        if (Value != 0x00)
            return Failure(20015, QStringLiteral("socks authentication failed"));
        return Outcome(TSocksReply::AuthAccepted, 2);
    }
    if (Value == 0x00)
        return Outcome(TSocksReply::MethodNone, 2);
    if (Value == 0x02)
        return Outcome(TSocksReply::MethodUsercode, 2);
    return Failure(20003, QStringLiteral("authentification method not acceptable"));
}

TSocksReply ParseSocks4Reply(const QByteArray& Data)
{
    if (Data.size() < 8)
        return Need(8);
    if (Byte(Data, 0) != 0x00)
        return VersionError();
    switch (Byte(Data, 1)) {
    case 90: return Outcome(TSocksReply::Granted, 8);
    case 91: return Failure(20016, QStringLiteral("request rejected or failed"));
    case 92: return Failure(20008, QStringLiteral("connection refused"));
    case 93: return Failure(20015, QStringLiteral("authentification failed"));
    default: return Unassigned(Byte(Data, 1));
    }
}

TSocksReply ParseSocks5Reply(const QByteArray& Data)
{
    static const char* const ReplyTexts[] = {
        "general SOCKS server failure", "connection not allowed by ruleset",
        "network unreachable",          "host unreachable",
        "connection refused",           "time to live expired",
        "command not supported",        "address type not supported",
    };
    if (!Data.isEmpty() && Byte(Data, 0) != 0x05)
        return VersionError();
    if (Data.size() >= 2 && Byte(Data, 1) != 0) {
        const int Rep = Byte(Data, 1);
        if (Rep <= 8)
            return Failure(20003 + Rep, QLatin1String(ReplyTexts[Rep - 1]));
        return Unassigned(Rep);
    }
    if (Data.size() < 5)
        return Need(5);
    // Version, reply, reserved, address type, the address, then the port (2 bytes).
    int AddrLength;
    int AddrStart = 4;
    switch (Byte(Data, 3)) {
    case 1: AddrLength = 4; break;
    case 3:
        AddrLength = Byte(Data, 4);
        AddrStart = 5;
        break;
    case 4: AddrLength = 16; break;
    default: return Failure(20011, QStringLiteral("address type not supported"));
    }
    const int Length = AddrStart + AddrLength + 2;
    if (Data.size() < Length)
        return Need(Length);

    TSocksReply Reply = Outcome(TSocksReply::Granted, Length);
    const QByteArray Addr = Data.mid(AddrStart, AddrLength);
    switch (Byte(Data, 3)) {
    case 1:
        Reply.BoundAddr = QStringLiteral("%1.%2.%3.%4")
                              .arg(Byte(Addr, 0))
                              .arg(Byte(Addr, 1))
                              .arg(Byte(Addr, 2))
                              .arg(Byte(Addr, 3));
        break;
    case 3: Reply.BoundAddr = QString::fromLatin1(Addr); break;
    default: {
        QStringList Groups;
        for (int i = 0; i < 16; i += 2)
            Groups << QString::number(Byte(Addr, i) << 8 | Byte(Addr, i + 1), 16);
        Reply.BoundAddr = Groups.join(u':');
    }
    }
    Reply.BoundPort = QString::number(Byte(Data, Length - 2) << 8 | Byte(Data, Length - 1));
    return Reply;
}

} // namespace

TSocksReply ParseSocksReply(TSocksPhase Phase, bool Level5, const QByteArray& Data)
{
    switch (Phase) {
    case socksPhaseMethod:
        // SOCKS 4 sends its request at once and never waits for a method choice.
        if (!Level5)
            return Failure(20001, QStringLiteral("TWSocket logic error"));
        return ParseTwoByteAnswer(Phase, Data);
    case socksPhaseAuth: return ParseTwoByteAnswer(Phase, Data);
    case socksPhaseConnect: return Level5 ? ParseSocks5Reply(Data) : ParseSocks4Reply(Data);
    default: return Failure(20013, QStringLiteral("internal error"));
    }
}
