// TFtpReplyReader.
#include "ftp/client/ftp_reply_reader.h"

#include <algorithm>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Telnet's interpret-as-command byte and the option commands that take one more byte.
constexpr unsigned char Iac = 0xFF;
constexpr unsigned char FirstOptionCommand = 251; // WILL, WONT, DO, DONT
constexpr unsigned char FirstCommand = 240;

// The line without its Telnet commands: IAC WILL, WONT, DO or DONT with their option byte and the
// other IAC commands go, IAC IAC stands for one 0xFF byte; an IAC before any other byte stays.
QByteArray WithoutTelnetCommands(const QByteArray& Text)
{
    if (!Text.contains(char(Iac)))
        return Text;
    QByteArray Out;
    Out.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const auto C = static_cast<unsigned char>(Text[i]);
        const int Command = i + 1 < Text.size() ? static_cast<unsigned char>(Text[i + 1]) : -1;
        if (C != Iac || Command < FirstCommand) {
            Out += char(C);
        } else if (Command == Iac) {
            Out += char(Iac);
            ++i;
        } else {
            i += Command >= FirstOptionCommand ? 2 : 1;
        }
    }
    return Out;
}

} // namespace

void TFtpReplyReader::Append(const char* Data, int Count)
{
    FBuffer.append(Data, std::clamp(Count, 0, std::max(Room(), 0)));
}

void TFtpReplyReader::Clear()
{
    FBuffer.clear();
    FOpenCode.clear();
}

std::optional<TFtpReplyLine> TFtpReplyReader::NextLine(bool AcceptLF)
{
    const qsizetype End = AcceptLF ? FBuffer.indexOf('\n') : FBuffer.indexOf("\r\n");
    if (End < 0)
        return std::nullopt;
    TFtpReplyLine Line;
    Line.Text = FBuffer.left(End);
    FBuffer.remove(0, End + (AcceptLF ? 1 : 2));
    Line.Text = WithoutTelnetCommands(Line.Text);
    while (Line.Text.endsWith('\r') || Line.Text.endsWith('\n'))
        Line.Text.chop(1);

    const QByteArray& Text = Line.Text;
    if (Text.isEmpty() || !IsDigit(Text[0]))
        return Line;
    qsizetype Digits = 0;
    while (Digits < Text.size() && IsDigit(Text[Digits]))
        ++Digits;
    Line.StartsWithCode = true;
    Line.Code = Text.left(std::min<qsizetype>(Digits, 9)).toInt();
    const QByteArray Code = Text.left(Digits);
    const char After = Digits < Text.size() ? Text[Digits] : ' ';
    if (FOpenCode.isEmpty()) {
        if (After == '-')
            FOpenCode = Code;
        else
            Line.Final = true;
    } else if (Code == FOpenCode && After == ' ') {
        FOpenCode.clear();
        Line.Final = true;
    }
    return Line;
}
