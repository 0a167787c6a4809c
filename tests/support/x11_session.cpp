// X11Session.
#include "support/x11_session.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

namespace {

const QString Env = QStringLiteral("/usr/bin/env");
const QString XdotoolProgram = QStringLiteral("/usr/bin/xdotool");
// The longest an xdotool call may take. Its own waits end sooner when what they wait for comes;
// one that waits in vain (a --sync move to where the pointer already stands waits 15 s for a
// move that never comes) fails the call instead of slowing the test down unseen.
constexpr int XdotoolLimitMs = 10000;

QString& LastStartError()
{
    static QString error;
    return error;
}

} // namespace

X11Session* X11Session::Instance()
{
    static std::unique_ptr<X11Session> session = [] {
        std::unique_ptr<X11Session> made(new X11Session);
        if (!made->Start()) {
            LastStartError() = made->error_;
            made.reset();
        }
        return made;
    }();
    return session.get();
}

QString X11Session::StartError()
{
    return LastStartError();
}

bool X11Session::Start()
{
    if (!QFileInfo(XdotoolProgram).isExecutable()) {
        error_ = XdotoolProgram + " is not installed";
        return false;
    }
    // A test binary that itself runs on an X server (its whole program driven there) adds the
    // window manager to that server.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        display_ = qEnvironmentVariable("DISPLAY");
    else if (!StartServer())
        return false;
    // openbox runs its start-up command once it manages the screen.
    if (!QFileInfo(QStringLiteral("/usr/bin/openbox")).isExecutable()) {
        error_ = QStringLiteral("/usr/bin/openbox is not installed");
        return false;
    }
    if (!windowManager_.Start(Env, {QStringLiteral("DISPLAY=") + display_, QStringLiteral("/usr/bin/openbox"),
                                    QStringLiteral("--startup"), QStringLiteral("/bin/echo openbox-ready")})) {
        error_ = windowManager_.Error();
        return false;
    }
    StopAtApplicationEnd(&windowManager_);
    if (windowManager_.ReadLineStartingWith(QStringLiteral("openbox-ready")).isEmpty()) {
        error_ = windowManager_.Error();
        return false;
    }
    return true;
}

bool X11Session::StartServer()
{
    // Xvfb writes the number of the display it took once it accepts connections.
    if (!server_.Start(QStringLiteral("/usr/bin/Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")})) {
        error_ = server_.Error();
        return false;
    }
    StopAtApplicationEnd(&server_);
    const QString number = server_.ReadLineStartingWith(QString());
    if (number.isEmpty()) {
        error_ = server_.Error();
        return false;
    }
    display_ = QLatin1Char(':') + number;
    return true;
}

bool X11Session::Run(ServerProcess& Process, const QString& Program, const QStringList& Arguments) const
{
    // The X client libraries read strings past their ends and keep what they allocate, which a
    // sanitized program would report as its own faults.
    const QString sanitizer = qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":strict_string_checks=0:detect_leaks=0");
    return Process.Start(Env, QStringList{QStringLiteral("DISPLAY=") + display_, QStringLiteral("QT_QPA_PLATFORM=xcb"),
                                          QStringLiteral("ASAN_OPTIONS=") + sanitizer, Program} +
                                  Arguments);
}

bool X11Session::Xdotool(const QStringList& Arguments, QString* Output)
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    xdotool.setProcessEnvironment(environment);
    xdotool.start(XdotoolProgram, Arguments);
    const bool finished = xdotool.waitForFinished(XdotoolLimitMs);
    if (!finished || xdotool.exitCode() != 0) {
        error_ = QStringLiteral("xdotool %1: %2").arg(Arguments.join(QLatin1Char(' ')),
                                                      finished ? QString::fromUtf8(xdotool.readAllStandardError())
                                                               : QStringLiteral("still running after %1 ms").arg(XdotoolLimitMs));
        return false;
    }
    if (Output)
        *Output = QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
    return true;
}

QString X11Session::PlaceWindow(const QString& Title, int X, int Y)
{
    QString id;
    if (!Xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"), '^' + Title + '$'}, &id) ||
        id.isEmpty())
        return QString();
    id = id.section(QLatin1Char('\n'), 0, 0);
    if (!Xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), id, QString::number(X), QString::number(Y)}))
        return QString();
    return id;
}

bool X11Session::MoveTo(int X, int Y)
{
    // xdotool's --sync waits for the pointer to leave where it stands, so a move to that very
    // place is not made at all.
    QString where;
    if (!Xdotool({QStringLiteral("getmouselocation"), QStringLiteral("--shell")}, &where))
        return false;
    const QStringList lines = where.split(QLatin1Char('\n'));
    if (lines.contains(QStringLiteral("X=%1").arg(X)) && lines.contains(QStringLiteral("Y=%1").arg(Y)))
        return true;
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(X), QString::number(Y)});
}

bool X11Session::PointAt(const QString& Window, int X, int Y)
{
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), Window, QString::number(X), QString::number(Y)});
}
