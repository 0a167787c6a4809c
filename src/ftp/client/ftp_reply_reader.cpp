// TFtpReplyReader.
#include "ftp/client/ftp_reply_reader.h"

#include <algorithm>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
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
