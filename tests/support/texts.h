// Texts for tests: the lines of a string list as a QStringList, and a text of every 8-bit character.
#pragma once

#include "platform/rtl/string_list.h"

#include <QStringList>

inline QStringList Lines(const TStrings& Strings)
{
    QStringList lines;
    for (int i = 0; i < Strings.Count(); ++i)
        lines << Strings.Strings(i);
    return lines;
}

// U+0000 to U+00FF, in order: the characters that stand for the bytes of byte texts.
inline QString AllLatin1Characters()
{
    QString text;
    for (int c = 0; c < 256; ++c)
        text += QChar(c);
    return text;
}
