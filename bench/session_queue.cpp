// Recursive download benchmark: the session engine (offscreen QApplication, a plain local pane and
// a window that shows nothing) fetches a tree of small files (1-4 KiB) through its transfer queue
// from pyftpdlib on 127.0.0.1, side by side with lftp's mirror of the same tree from the same
// server. Each run logs in, lists and fetches the whole tree; the fastest of --repeat runs counts.
// Printed: the wall time of each, the CPU time of our process and of lftp, and the ratio of our
// wall time to lftp's (the goal is at most 1).
//
// Usage: bench_session_queue [--folders N] [--files N] [--repeat N] [--server pyftpdlib|vsftpd]
#include "dialogs/dialogs_init.h"
#include "dialogs/ftp_progress_dlg.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/platform_init.h"
#include "platform/widgets/platform_widgets_init.h"
#include "session/local_pane.h"
#include "session/session_engine.h"
#include "session/session_window.h"
#include "settings/app_settings.h"
#include "shell/shell_init.h"

#include "../tests/support/vsftpd_config.h"
#include "plain_session_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Options {
    int folders = 10;
    int files = 100;
    int repeat = 3;
    QString server = QStringLiteral("pyftpdlib");
};

struct Measure {
    double wall = 1e9; // seconds, the fastest run
    double cpu = 1e9;  // seconds of processor time of that client, the least of the runs
    bool ok = false;

    void Add(double Wall, double Cpu)
    {
        wall = std::min(wall, Wall);
        cpu = std::min(cpu, Cpu);
        ok = true;
    }
};

double ProcessCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double ChildrenCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop until Done holds; false after a minute. The loop sleeps while nothing
// happens, as the program's own does (processEvents with a time limit never waits: it would spin
// and take the processor from the server). The tick wakes it for conditions no event reports.
bool RunUntil(const std::function<bool()>& Done)
{
    QElapsedTimer waited;
    waited.start();
    QTimer tick;
    tick.start(50);
    while (!Done()) {
        if (waited.elapsed() > 60000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

class TPlainPane : public ILocalPane {
public:
    QString CurrentFolder() override { return Folder; }
    bool GoToFolder(const QString& Path) override
    {
        Folder = Path;
        return true;
    }
    QStringList SelectedEntries() override { return {}; }

    QString Folder;
};

// A port of 127.0.0.1 that nothing uses now.
int FreeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                       ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ::close(fd);
    return bound ? ntohs(address.sin_port) : 0;
}

bool Listening(int Port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{AF_INET, htons(std::uint16_t(Port)), {htonl(INADDR_LOOPBACK)}, {}};
    const bool accepted = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return accepted;
}

// The server the tree is fetched from: its port, login, the local folder that holds the tree and
// that folder's path on the server.
class TServer {
public:
    // pyftpdlib through the tests' server script, with one user whose root is Folder.
    bool StartPyftpdlib(const QString& Folder)
    {
        Root = Folder;
        QDir().mkpath(Root);
        process_.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(HFTP_SOURCE_DIR "/tests/support/ftp_server.py")});
        const QByteArray port = ReadLine();
        if (!port.startsWith("port "))
            return false;
        Port = port.mid(5).toInt();
        process_.write(QStringLiteral("user %1 %2 %3\n").arg(User, Password, Root).toUtf8());
        return ReadLine() == "ok";
    }

    // vsftpd with anonymous logins; the tree lies in "pub" below Folder.
    bool StartVsftpd(const QString& Folder)
    {
        User = QStringLiteral("anonymous");
        Password = QStringLiteral("bench@example.org");
        RemoteFolder = QStringLiteral("pub");
        Root = Folder + QStringLiteral("/anon/pub");
        QDir().mkpath(Root);
        QDir().mkpath(Folder + QStringLiteral("/empty"));
        Port = FreeLoopbackPort();
        QFile config(Folder + QStringLiteral("/vsftpd.conf"));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write(VsftpdConfig(Port, Folder + QStringLiteral("/anon"), Folder + QStringLiteral("/empty")));
        config.close();
        process_.start(QStringLiteral("/usr/sbin/vsftpd"), {config.fileName()});
        if (!process_.waitForStarted())
            return false;
        return RunUntil([this] { return Listening(Port); });
    }

    int Port = 0;
    QString User = QStringLiteral("bench");
    QString Password = QStringLiteral("secret");
    QString Root;
    QString RemoteFolder;

private:
    QByteArray ReadLine()
    {
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) {
        }
        return process_.readLine().trimmed();
    }

    QProcess process_;
};

void MakeTree(const QString& Root, const Options& Options)
{
    for (int f = 0; f < Options.folders; ++f) {
        const QString folder = QStringLiteral("%1/tree/folder%2").arg(Root).arg(f, 2, 10, QChar(u'0'));
        QDir().mkpath(folder);
        for (int i = 0; i < Options.files; ++i) {
            QFile file(QStringLiteral("%1/file%2.dat").arg(folder).arg(i, 3, 10, QChar(u'0')));
            if (!file.open(QIODevice::WriteOnly))
                return;
            QByteArray bytes(1024 + (f * Options.files + i) * 997 % 3073, '\0');
            for (qsizetype b = 0; b < bytes.size(); ++b)
                bytes[b] = char((b * 31 + i) & 0xFF);
            file.write(bytes);
        }
    }
}

bool SameTrees(const QString& A, const QString& B)
{
    return QProcess::execute(QStringLiteral("diff"), {QStringLiteral("-r"), A, B}) == 0;
}

// Logs in, lists, and downloads "tree" recursively into Target; false when anything failed.
bool RunOurs(const TServer& Server, const QString& Target, double& Wall, double& Cpu)
{
    TPlainWindow window;
    TPlainPane pane;
    pane.Folder = Target;
    TFtpClient2 client;
    TSessionEngine engine(client, window, pane);
    engine.BindClientEvents();
    client.SetHostName(QStringLiteral("127.0.0.1"));
    client.SetPort(QString::number(Server.Port));
    client.SetUserName(Server.User);
    client.SetPassWord(Server.Password);
    client.SetPassive(true);
    client.SetBinary(true);
    QElapsedTimer wall;
    const double cpu0 = ProcessCpu();
    wall.start();
    FtpConnect(client);
    if (!RunUntil([&] { return window.Listings > 0 && client.State() == ftpReady; }))
        return false;
    if (!Server.RemoteFolder.isEmpty()) {
        FtpChangeDir(client, Server.RemoteFolder);
        if (!RunUntil([&] { return window.Listings > 1 && client.State() == ftpReady; }))
            return false;
    }
    const int row = engine.RemoteList.IndexOfCaption(QStringLiteral("tree"));
    if (row <= 0)
        return false;
    engine.RemoteList.SetSelected(row, true);
    if (!engine.DownloadSelection(nullptr, true, false, QString()))
        return false;
    if (!RunUntil([&] { return engine.State.PendingRecursionRequest == 0 && client.State() == ftpReady; }))
        return false;
    Wall = double(wall.nsecsElapsed()) / 1e9;
    Cpu = ProcessCpu() - cpu0;
    FtpDisconnect(client);
    RunUntil([&] { return !client.Connected(); });
    return true;
}

bool RunLftp(const TServer& Server, const QString& Target, double& Wall, double& Cpu)
{
    QProcess lftp;
    const double cpu0 = ChildrenCpu();
    QElapsedTimer wall;
    wall.start();
    lftp.start(QStringLiteral("lftp"),
               {QStringLiteral("-c"),
                QStringLiteral("set cmd:fail-exit yes; set net:max-retries 1; set ftp:prefer-epsv no; "
                               "set ftp:passive-mode on; open -u %1,%2 -p %3 127.0.0.1; mirror %4 %5/tree")
                    .arg(Server.User, Server.Password)
                    .arg(Server.Port)
                    .arg(Server.RemoteFolder.isEmpty() ? QStringLiteral("tree") : Server.RemoteFolder + QStringLiteral("/tree"),
                         Target)});
    if (!lftp.waitForFinished(600000) || lftp.exitCode() != 0) {
        std::fprintf(stderr, "lftp: %s\n", lftp.readAllStandardError().constData());
        return false;
    }
    Wall = double(wall.nsecsElapsed()) / 1e9;
    Cpu = ChildrenCpu() - cpu0;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    // Settings and log go to a folder of this run, never to the user's own.
    qputenv("XDG_CONFIG_HOME", (work.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (work.path() + QStringLiteral("/data")).toUtf8());
    QApplication app(argc, argv);
    initPlatform();
    initPlatformWidgets();
    initShell();
    initDialogs();
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--folders"))
            options.folders = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--files"))
            options.files = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--repeat"))
            options.repeat = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--server"))
            options.server = args[i + 1];
    }
    AppSettings()->PlaySounds = false;
    AppSettings()->OverwritePrompt = false;
    AppSettings()->TransferMode = 1;

    TServer server;
    const QString serverFolder = work.path() + QStringLiteral("/server");
    const bool vsftpd = options.server == QLatin1String("vsftpd");
    if (!(vsftpd ? server.StartVsftpd(serverFolder) : server.StartPyftpdlib(serverFolder))) {
        std::fprintf(stderr, "%s did not start\n", qPrintable(options.server));
        return 1;
    }
    const QString root = server.Root;
    MakeTree(root, options);
    Measure ours, lftp;
    for (int r = 0; r < options.repeat; ++r) {
        double wall = 0, cpu = 0;
        const QString oursTarget = work.path() + QStringLiteral("/ours%1").arg(r);
        QDir().mkpath(oursTarget);
        if (RunOurs(server, oursTarget, wall, cpu) && SameTrees(root + "/tree", oursTarget + "/tree"))
            ours.Add(wall, cpu);
        else
            std::fprintf(stderr, "ours: run %d failed\n", r);
        const QString lftpTarget = work.path() + QStringLiteral("/lftp%1").arg(r);
        QDir().mkpath(lftpTarget);
        if (RunLftp(server, lftpTarget, wall, cpu) && SameTrees(root + "/tree", lftpTarget + "/tree"))
            lftp.Add(wall, cpu);
        // The copies stay until the end: files created right after many were deleted take the
        // file system much longer, which would weigh on whichever client runs next.
    }
    GetFtpProgressDlgFrm(true);
    std::printf("recursive download of %d folders of %d files (1-4 KiB), %s, passive\n", options.folders,
                options.files, qPrintable(options.server));
    std::printf("  %-6s %9s %9s\n", "client", "wall s", "cpu s");
    for (const auto& [name, m] : {std::pair{"ours", ours}, {"lftp", lftp}}) {
        if (m.ok)
            std::printf("  %-6s %9.3f %9.3f\n", name, m.wall, m.cpu);
        else
            std::printf("  %-6s failed\n", name);
    }
    if (ours.ok && lftp.ok)
        std::printf("  wall ours/lftp: %.2f\n", ours.wall / lftp.wall);
    return ours.ok && lftp.ok ? 0 : 1;
}
