// Helpers of the transfer tests: files by content and digest, a flag a server thread waits for,
// and a fake FTP server whose script also plays the data connection.
#pragma once

#include "ftp/ftp_helpers.h"
#include "support/scripted_server.h"

#include <QCryptographicHash>
#include <QFile>
#include <condition_variable>
#include <mutex>

inline void WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

// The file's bytes; a null array when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray data = file.readAll();
    if (data.isNull())
        data = QByteArray(""); // empty, but there
    return data;
}

inline QByteArray FileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return "no file " + path.toUtf8();
    return hash.result().toHex();
}

inline QByteArray Sha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

// Bytes of every value in a pattern that does not repeat at powers of two.
inline QByteArray Pattern(qsizetype size, int seed = 0)
{
    QByteArray data(size, '\0');
    quint32 x = 2463534242u + quint32(seed);
    for (qsizetype i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = char(x);
    }
    return data;
}

// A flag set on the GUI thread that a server thread waits for, at most timeoutMs.
class Flag {
public:
    void Set()
    {
        std::lock_guard lock(mutex_);
        set_ = true;
        changed_.notify_all();
    }
    bool Wait(int timeoutMs = 5000)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

// A client connected to a scripted FTP server past its banner. The script plays the data
// connection too, on its own thread: passive connections come to dataListener; in active mode
// the script connects to the port of the client's PORT line.
struct FakeFtp {
    PeerListener dataListener;
    PeerConnection data; // used by the script's thread only
    QByteArray portLine;
    ScriptedServer control;
    RecordingClient rc;

    FakeFtp() { control.Send("220 Fake ready\r\n"); }

    ::testing::AssertionResult Open()
    {
        control.Start();
        const int error = rc.Open(control.Port());
        if (error != 0)
            return ::testing::AssertionFailure() << "open gave " << error;
        rc.log.clear();
        rc.done.clear();
        return ::testing::AssertionSuccess();
    }

    // The 227 reply that names the data listener's port (and the address hostBytes).
    QByteArray Pasv227(const QByteArray& hostBytes = "127,0,0,1") const
    {
        const int port = dataListener.Port();
        return "227 Entering Passive Mode (" + hostBytes + "," + QByteArray::number(port / 256) + "," +
               QByteArray::number(port % 256) + ")\r\n";
    }

    // PASV answered with the data listener's port.
    FakeFtp& Passive()
    {
        control.ExpectLine("PASV").Send(Pasv227());
        return *this;
    }
    // PORT read, answered 200; the script connects to it later with ConnectData.
    FakeFtp& Active()
    {
        control.ExpectLineStartingWith("PORT 127,0,0,1,", &portLine).Send("200 PORT ok\r\n");
        return *this;
    }
    FakeFtp& AcceptData()
    {
        control.Do([this] {
            data = dataListener.Accept();
            return data.Valid() ? QString() : QStringLiteral("no data connection came");
        });
        return *this;
    }
    FakeFtp& ConnectData()
    {
        control.Do([this] {
            const QList<QByteArray> fields = portLine.mid(5).split(',');
            data = PeerConnection::Connect(fields.value(4).toInt() * 256 + fields.value(5).toInt());
            return data.Valid() ? QString()
                                : QStringLiteral("cannot connect to ") + QString::fromLatin1(portLine);
        });
        return *this;
    }
    FakeFtp& SendData(const QByteArray& bytes)
    {
        control.Do(
            [this, bytes] { return data.Write(bytes) ? QString() : QStringLiteral("data write failed"); });
        return *this;
    }
    FakeFtp& CloseData()
    {
        control.Do([this] {
            data.ShutdownWrite();
            data.Close();
            return QString();
        });
        return *this;
    }
    // Reads the data connection to its end into *into.
    FakeFtp& ReadData(QByteArray* into)
    {
        control.Do([this, into] {
            const PeerConnection::Ending ending = data.ReadToEnd();
            *into = ending.data;
            data.Close();
            return ending.eof ? QString() : QStringLiteral("the upload did not end with a close");
        });
        return *this;
    }
    FakeFtp& WaitFor(Flag& flag, const QString& what)
    {
        control.Do([&flag, what] { return flag.Wait() ? QString() : QStringLiteral("never came: ") + what; });
        return *this;
    }

    // Waits for the end of the script and tells whether it went as written.
    ::testing::AssertionResult ScriptDone()
    {
        if (!pumpUntil([&] { return control.Finished(); }))
            return ::testing::AssertionFailure() << "the script did not finish";
        if (!control.Failure().isEmpty())
            return ::testing::AssertionFailure() << control.Failure().toStdString();
        return ::testing::AssertionSuccess();
    }
};
