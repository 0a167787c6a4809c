// ScriptedServer.
#include "support/scripted_server.h"

#include <QDeadlineTimer>
#include <climits>

namespace {
// How long one step waits for the client before the script fails.
constexpr int StepTimeoutMs = 10000;
// How often a waiting step looks at the stop flag.
constexpr int SliceMs = 20;
} // namespace

ScriptedServer::ScriptedServer() = default;

ScriptedServer::~ScriptedServer()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

ScriptedServer& ScriptedServer::Send(const QByteArray& bytes)
{
    steps_.push_back({SendStep, bytes});
    return *this;
}

ScriptedServer& ScriptedServer::Expect(const QByteArray& bytes)
{
    steps_.push_back({ExpectStep, bytes});
    return *this;
}

ScriptedServer& ScriptedServer::ExpectLine(const QByteArray& line)
{
    steps_.push_back({LineStep, line});
    return *this;
}

ScriptedServer& ScriptedServer::ExpectLineStartingWith(const QByteArray& prefix, QByteArray* line)
{
    steps_.push_back({LinePrefixStep, prefix, line});
    return *this;
}

ScriptedServer& ScriptedServer::Do(std::function<QString()> action)
{
    steps_.push_back({DoStep, {}, nullptr, std::move(action)});
    return *this;
}

ScriptedServer& ScriptedServer::Close()
{
    steps_.push_back({CloseStep, {}});
    return *this;
}

ScriptedServer& ScriptedServer::Reset()
{
    steps_.push_back({ResetStep, {}});
    return *this;
}

ScriptedServer& ScriptedServer::AwaitClose()
{
    steps_.push_back({AwaitCloseStep, {}});
    return *this;
}

ScriptedServer& ScriptedServer::Accept()
{
    steps_.push_back({AcceptStep, {}});
    return *this;
}

void ScriptedServer::Start()
{
    thread_ = std::thread([this] { Run(); });
}

QString ScriptedServer::Failure() const
{
    std::lock_guard lock(mutex_);
    return failure_;
}

QByteArray ScriptedServer::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

void ScriptedServer::Fail(const QString& why)
{
    std::lock_guard lock(mutex_);
    if (failure_.isEmpty())
        failure_ = why;
}

void ScriptedServer::Run()
{
    PeerConnection peer;
    std::vector<Step> script = steps_;
    script.insert(script.begin(), Step{AcceptStep, {}});
    for (const Step& step : script) {
        if (!RunStep(step, peer))
            break;
    }
    finished_ = true;
}

bool ScriptedServer::RunStep(const Step& step, PeerConnection& peer)
{
    bool ended = false;
    switch (step.kind) {
    case AcceptStep: {
        peer.Close();
        QDeadlineTimer deadline(StepTimeoutMs);
        while (!stop_ && !deadline.hasExpired()) {
            peer = listener_.Accept(SliceMs);
            if (peer.Valid())
                return true;
        }
        Fail(QStringLiteral("no connection came"));
        return false;
    }
    case SendStep:
        if (!peer.Write(step.data)) {
            Fail(QStringLiteral("could not send ") + QString::fromLatin1(step.data.toHex(' ')));
            return false;
        }
        return true;
    case ExpectStep:
    case LineStep: {
        const QByteArray got = ReadBytes(peer, step.kind == LineStep ? -1 : int(step.data.size()), ended);
        const QByteArray want = step.kind == LineStep ? step.data + "\r\n" : step.data;
        if (got != want) {
            Fail(QStringLiteral("expected %1, got %2")
                     .arg(QString::fromLatin1(want.toHex(' ')), QString::fromLatin1(got.toHex(' '))));
            return false;
        }
        return true;
    }
    case LinePrefixStep: {
        const QByteArray got = ReadBytes(peer, -1, ended);
        if (!got.startsWith(step.data) || !got.endsWith("\r\n")) {
            Fail(QStringLiteral("expected a line starting with %1, got %2")
                     .arg(QString::fromLatin1(step.data), QString::fromLatin1(got.toHex(' '))));
            return false;
        }
        if (step.line)
            *step.line = got.chopped(2);
        return true;
    }
    case DoStep: {
        const QString why = step.action();
        if (!why.isEmpty())
            Fail(why);
        return why.isEmpty();
    }
    case CloseStep:
        peer.ShutdownWrite();
        peer.Close();
        return true;
    case ResetStep: peer.Reset(); return true;
    case AwaitCloseStep:
        ReadBytes(peer, INT_MAX, ended);
        if (!ended)
            Fail(QStringLiteral("the client did not close"));
        return ended;
    }
    return false;
}

QByteArray ScriptedServer::ReadBytes(PeerConnection& peer, int count, bool& ended)
{
    QByteArray data;
    QDeadlineTimer deadline(StepTimeoutMs);
    while (!stop_ && !deadline.hasExpired()) {
        if (count < 0 ? data.endsWith("\r\n") : data.size() >= count)
            break;
        const PeerConnection::Chunk chunk = peer.ReadSome(count < 0 ? 1 : count - int(data.size()), SliceMs);
        data += chunk.data;
        {
            std::lock_guard lock(mutex_);
            received_ += chunk.data;
        }
        if (chunk.ended) {
            ended = true;
            break;
        }
    }
    return data;
}
