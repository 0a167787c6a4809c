// The editor's 8-bit text (one byte a character, in the editor's code page) to and from the QString
// that dialogs show.
#pragma once

#include "platform/rtl/ansi_codec.h"

#include <QString>
#include <string>
#include <string_view>

inline std::string EditorBytes(const QString& Text)
{
    const QByteArray bytes = EncodeAnsi(Text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

inline QString EditorString(std::string_view Bytes)
{
    return DecodeAnsi(QByteArray(Bytes.data(), qsizetype(Bytes.size())));
}
