// Registry value bytes.
#include "platform/registry/reg_data.h"

#include <QtEndian>

QByteArray RegStringData(const QString& Text)
{
    QByteArray data(2 * (Text.size() + 1), '\0');
    qToLittleEndian<char16_t>(Text.utf16(), Text.size(), data.data());
    return data;
}

QString RegDataString(const QByteArray& Data)
{
    qsizetype units = Data.size() / 2;
    const auto* bytes = reinterpret_cast<const uchar*>(Data.constData());
    if (units > 0 && qFromLittleEndian<char16_t>(bytes + 2 * (units - 1)) == 0)
        --units;
    QString text(units, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes, units, text.data());
    return text;
}

QByteArray RegDwordData(std::uint32_t Value)
{
    QByteArray data(4, '\0');
    qToLittleEndian(Value, data.data());
    return data;
}

std::optional<std::uint32_t> RegDataDword(const QByteArray& Data)
{
    if (Data.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<std::uint32_t>(Data.constData());
}
