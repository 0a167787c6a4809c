// Reading and writing the regedit text form of the user's registry.
#include "platform/registry/hive_file.h"

#include "platform/registry/reg_data.h"
#include "platform/system/name_encoding.h"

#include <algorithm>

using win::DWORD;

namespace {

const QString RootName = QStringLiteral("HKEY_CURRENT_USER");
const QByteArray Header = "REGEDIT4";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the file line by line; every failure names the line it is on.
class THiveReader {
public:
    explicit THiveReader(const QByteArray& Text)
    {
        QByteArray text = Text;
        if (text.startsWith("\xEF\xBB\xBF"))
            text.remove(0, 3);
        lines_ = text.split('\n');
        for (QByteArray& line : lines_) {
            if (line.endsWith('\r'))
                line.chop(1);
        }
    }

    THiveKey Read()
    {
        THiveKey root;
        if (!NextLine() || line_.trimmed() != Header)
            Fail(QStringLiteral("the file does not begin with REGEDIT4"));
        THiveKey* key = nullptr;
        while (NextLine()) {
            pos_ = 0;
            SkipBlanks();
            if (pos_ == line_.size() || line_[pos_] == ';')
                continue;
            if (line_[pos_] == '[') {
                key = &ReadKeyLine(root);
                continue;
            }
            if (!key)
                Fail(QStringLiteral("a value comes before the first key"));
            ReadValueLine(*key);
        }
        return root;
    }

private:
    [[noreturn]] void Fail(const QString& Problem) const { throw EHiveFileError(lineNo_, Problem); }

    // Moves to the next line that is not blank; false at the end of the text.
    bool NextLine()
    {
        while (next_ < lines_.size()) {
            line_ = lines_[next_++];
            lineNo_ = int(next_);
            if (!line_.trimmed().isEmpty())
                return true;
        }
        return false;
    }

    void SkipBlanks()
    {
        while (pos_ < line_.size() && IsBlank(line_[pos_]))
            ++pos_;
    }

    void ExpectLineEnd()
    {
        SkipBlanks();
        if (pos_ != line_.size())
            Fail(QStringLiteral("unexpected text after the value"));
    }

    THiveKey& ReadKeyLine(THiveKey& Root)
    {
        const qsizetype close = line_.lastIndexOf(']');
        if (close < pos_ || !line_.mid(close + 1).trimmed().isEmpty())
            Fail(QStringLiteral("a key line must end with \"]\""));
        const QStringList parts = DecodeName(line_.mid(pos_ + 1, close - pos_ - 1)).split(QLatin1Char('\\'));
        if (!SameRegName(parts.first(), RootName))
            Fail(QStringLiteral("keys must lie below HKEY_CURRENT_USER"));
        if (parts.size() - 1 > MaxRegKeyDepth)
            Fail(QStringLiteral("keys are nested too deep"));
        THiveKey* key = &Root;
        for (qsizetype i = 1; i < parts.size(); ++i) {
            if (!IsValidRegKeyName(parts[i]))
                Fail(QStringLiteral("invalid key name \"%1\"").arg(parts[i]));
            key = &key->AddSubKey(parts[i]);
        }
        return *key;
    }

    void ReadValueLine(THiveKey& Key)
    {
        QString name;
        if (line_[pos_] == '@')
            ++pos_;
        else if (line_[pos_] == '"')
            name = DecodeName(ReadQuoted());
        else
            Fail(QStringLiteral("a value must start with a quoted name or \"@\""));
        if (!IsValidRegValueName(name))
            Fail(QStringLiteral("invalid value name \"%1\"").arg(name));
        SkipBlanks();
        if (pos_ == line_.size() || line_[pos_] != '=')
            Fail(QStringLiteral("\"=\" expected after the value name"));
        ++pos_;
        SkipBlanks();

        const QByteArray rest = line_.mid(pos_);
        if (rest.startsWith('"')) {
            const QByteArray text = ReadQuoted();
            ExpectLineEnd();
            Key.SetValue(name, win::REG_SZ, RegStringData(DecodeName(text)));
        } else if (rest.startsWith("dword:")) {
            pos_ += 6;
            Key.SetValue(name, win::REG_DWORD, RegDwordData(ReadHexNumber(8)));
            ExpectLineEnd();
        } else if (rest.startsWith("hex:")) {
            pos_ += 4;
            Key.SetValue(name, win::REG_BINARY, ReadHexBytes());
        } else if (rest.startsWith("hex(")) {
            pos_ += 4;
            const DWORD type = ReadHexNumber(8);
            if (!line_.mid(pos_).startsWith("):"))
                Fail(QStringLiteral("\"):\" expected after the value type"));
            pos_ += 2;
            Key.SetValue(name, type, ReadHexBytes());
        } else {
            Fail(QStringLiteral("unknown kind of value data"));
        }
    }

    // A quoted text at the position, with "\\" and "\"" undone; a "\" before anything else stays.
    QByteArray ReadQuoted()
    {
        QByteArray text;
        ++pos_;
        while (pos_ < line_.size()) {
            const char c = line_[pos_++];
            if (c == '"')
                return text;
            if (c == '\\' && pos_ < line_.size() && (line_[pos_] == '\\' || line_[pos_] == '"'))
                text += line_[pos_++];
            else
                text += c;
        }
        Fail(QStringLiteral("a quoted text is not closed"));
    }

    DWORD ReadHexNumber(int MaxDigits)
    {
        DWORD value = 0;
        int digits = 0;
        for (; pos_ < line_.size() && HexDigit(line_[pos_]) >= 0; ++pos_, ++digits)
            value = value << 4 | DWORD(HexDigit(line_[pos_]));
        if (digits == 0 || digits > MaxDigits)
            Fail(QStringLiteral("a hexadecimal number of 1 to %1 digits expected").arg(MaxDigits));
        return value;
    }

    // Comma-separated hexadecimal bytes to the end of the line, continued on the next line after
    // a closing "\".
    QByteArray ReadHexBytes()
    {
        QByteArray list = line_.mid(pos_).trimmed();
        while (list.endsWith('\\')) {
            list.chop(1);
            if (next_ >= lines_.size())
                Fail(QStringLiteral("the continued value has no next line"));
            line_ = lines_[next_++];
            lineNo_ = int(next_);
            list += line_.trimmed();
        }
        QByteArray bytes;
        if (list.isEmpty())
            return bytes;
        for (const QByteArray& item : list.split(',')) {
            const QByteArray digits = item.trimmed();
            if (digits.isEmpty() || digits.size() > 2 ||
                !std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigit(c) >= 0; }))
                Fail(QStringLiteral("a byte of two hexadecimal digits expected"));
            bytes += char(digits.size() == 1 ? HexDigit(digits[0])
                                             : HexDigit(digits[0]) << 4 | HexDigit(digits[1]));
        }
        return bytes;
    }

    QList<QByteArray> lines_;
    qsizetype next_ = 0;
    QByteArray line_;
    int lineNo_ = 0;
    qsizetype pos_ = 0;
};

QByteArray Quoted(const QByteArray& Text)
{
    QByteArray out = "\"";
    for (const char c : Text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The text of REG_SZ data when the quoted form carries it exactly.
std::optional<QString> PlainText(const QByteArray& Data)
{
    if (Data.size() < 2 || Data.size() % 2 != 0 || !Data.endsWith(QByteArray(2, '\0')))
        return std::nullopt;
    const QString text = RegDataString(Data);
    const bool plain = text.isValidUtf16() && std::none_of(text.begin(), text.end(), [](QChar c) {
                           return c.unicode() < 0x20 || c.unicode() == 0x7F;
                       });
    return plain ? std::optional(text) : std::nullopt;
}

QByteArray HexList(const QByteArray& Data)
{
    return Data.toHex(',');
}

QByteArray ValueData(const THiveValue& Value)
{
    if (Value.Type == win::REG_SZ) {
        if (const auto text = PlainText(Value.Data))
            return Quoted(text->toUtf8());
    }
    if (Value.Type == win::REG_DWORD) {
        if (const auto number = RegDataDword(Value.Data))
            return "dword:" + QByteArray::number(*number, 16).rightJustified(8, '0');
    }
    if (Value.Type == win::REG_BINARY)
        return "hex:" + HexList(Value.Data);
    return "hex(" + QByteArray::number(Value.Type, 16) + "):" + HexList(Value.Data);
}

void WriteKey(QByteArray& Out, const THiveKey& Key, const QByteArray& Path, bool IsRoot)
{
    if (!IsRoot || !Key.Values().empty()) {
        Out += '[' + Path + "]\n";
        for (const THiveValue& value : Key.Values())
            Out += (value.Name.isEmpty() ? QByteArray("@") : Quoted(EncodeName(value.Name))) + '=' +
                   ValueData(value) + '\n';
        Out += '\n';
    }
    for (const auto& [name, subKey] : Key.SubKeys())
        WriteKey(Out, *subKey, Path + '\\' + EncodeName(subKey->Name()), false);
}

} // namespace

EHiveFileError::EHiveFileError(int Line, const QString& Problem)
    : Exception(QStringLiteral("line %1: %2").arg(Line).arg(Problem)), Line(Line)
{
}

THiveKey ReadHiveText(const QByteArray& Text)
{
    return THiveReader(Text).Read();
}

QByteArray WriteHiveText(const THiveKey& Root)
{
    QByteArray out = Header + "\n\n";
    WriteKey(out, Root, RootName.toLatin1(), true);
    return out;
}
