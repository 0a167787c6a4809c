// The code-template file.
#include "editor/templates/code_templates.h"

#include "platform/rtl/format.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/trim.h"

#include <QFile>
#include <QSaveFile>
#include <string_view>

namespace {

bool IsLineEnd(char C)
{
    return C == '\r' || C == '\n';
}

QByteArray TrimBlanks(const QByteArray& Text)
{
    return Trim(QString::fromLatin1(Text)).toLatin1();
}

// Reads up to (not over) the first character of Stops or a line end.
QByteArray ReadUpTo(const QByteArray& Text, qsizetype& Pos, const char* Stops)
{
    const qsizetype start = Pos;
    while (Pos < Text.size() && !IsLineEnd(Text[Pos]) &&
           std::string_view(Stops).find(Text[Pos]) == std::string_view::npos)
        ++Pos;
    return Text.mid(start, Pos - start);
}

} // namespace

std::unique_ptr<TSM_Base> TCodeTemplates::NewInstance() const
{
    return std::make_unique<TCodeTemplates>();
}

QByteArray TCodeTemplates::ToText() const
{
    QByteArray text;
    for (const TMacro& macro : Macros()) {
        text += '[' + macro.Name + " | " + macro.Description + "]\r\n";
        for (const QByteArray& line : macro.Body.split('\r'))
            text += line + "\r\n";
    }
    return text;
}

void TCodeTemplates::LoadFromText(const QByteArray& Text)
{
    Clear();
    qsizetype pos = 0;
    for (;;) {
        pos = Text.indexOf('[', pos);
        if (pos < 0)
            return;
        ++pos;
        const QByteArray name = ReadUpTo(Text, pos, "]|");
        QByteArray description;
        if (pos < Text.size() && Text[pos] == '|') {
            ++pos;
            description = ReadUpTo(Text, pos, "]");
        }
        if (pos < Text.size() && Text[pos] == ']')
            ++pos;
        for (int i = 0; i < 2 && pos < Text.size() && IsLineEnd(Text[pos]); ++i)
            ++pos;

        QList<QByteArray> lines;
        while (pos < Text.size() && Text[pos] != '[') {
            lines.append(ReadUpTo(Text, pos, ""));
            if (pos < Text.size() && Text[pos] == '\r' && pos + 1 < Text.size() && Text[pos + 1] == '\n')
                pos += 2;
            else if (pos < Text.size())
                ++pos;
        }
        AddMacro(TrimBlanks(name), TrimBlanks(description), 0, lines.join("\r\n"));
    }
}

void TCodeTemplates::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(Format(QStringLiteral("Cannot open file \"%s\" for reading"), {FileName}));
    LoadFromText(file.readAll());
}

void TCodeTemplates::SaveToFile(const QString& FileName) const
{
    QSaveFile file(FileName);
    const QByteArray text = ToText();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw EFCreateError(
            Format(QStringLiteral("Cannot create file \"%s\". %s"), {FileName, file.errorString()}));
}

void TCodeTemplates::Assign(const TObject& Source)
{
    if (!dynamic_cast<const TCodeTemplates*>(&Source))
        throw Exception(Format(QStringLiteral("Cannot assign %s to %s"), {Source.ClassName(), ClassName()}));
    TSM_Base::Assign(Source);
}
