// Golden byte files of the editor's streams and files (tests/editor/golden/), and the bytes an
// object writes to a stream.
#pragma once

#include "editor/language/sm_base.h"

#include "platform/rtl/streams.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

inline QString GoldenPath(const char* Name)
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/golden/") +
           QLatin1String(Name);
}

inline QByteArray GoldenBytes(const char* Name)
{
    QFile file(GoldenPath(Name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing golden file " << Name;
    return file.readAll();
}

inline QByteArray StreamBytes(const TSM_Base& Object)
{
    TMemoryStream stream;
    Object.SaveToStream(stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

// A memory stream holding Bytes, positioned at the start.
class TBytesStream : public TMemoryStream {
public:
    explicit TBytesStream(const QByteArray& Bytes)
    {
        WriteBuffer(Bytes.constData(), Bytes.size());
        SetPosition(0);
    }
};

// Loading every proper prefix of Bytes into a fresh T raises the stream's read error.
template <class T> void ExpectEveryTruncationFails(const QByteArray& Bytes)
{
    for (qsizetype length = 0; length < Bytes.size(); ++length) {
        TBytesStream stream(Bytes.left(length));
        T object;
        EXPECT_THROW(object.LoadFromStream(stream), EReadError) << "prefix of " << length << " bytes";
    }
}
