// FTP transfer benchmark: our engine (TFtpClient in a headless QCoreApplication) side by side with
// curl and lftp against the same local server: RETR and STOR of a large file in passive and active
// mode, and many small uploads and downloads one after another on one connection (against lftp's
// mput and mget); --size-mib 0 or --files 0 leaves a part out. Runs
// against pyftpdlib and, when it is installed, vsftpd.
//
// Each client's wall time and its own CPU time (ours: this process; curl and lftp: the child
// process) are measured; every case runs --repeat times in turn and the fastest run of each client
// counts. At the end of each case the ratios are printed: throughput ours/curl (curl's wall time
// over ours) and CPU ours/curl, and the same against lftp.
//
// Usage: bench_ftp_transfer [--size-mib N] [--repeat N] [--files N] [--server pyftpdlib|vsftpd|both]
#include "ftp/client/ftp_client.h"
#include "platform/platform_init.h"

#include "../tests/support/vsftpd_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <ctime>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Options {
    qint64 sizeMiB = 1024;
    int repeat = 3;
    int files = 1000;
    QString server = QStringLiteral("both");
};

struct Measure {
    double wall = 0; // seconds
    double cpu = 0;  // seconds of the client's own processor time
    bool ok = false;
};

// The server under test, with the local folder that is the FTP root of its user.
struct Server {
    QString name;
    int port = 0;
    QString user;
    QString password;
    QString root;         // local folder of the remote files
    QString remotePrefix; // path of that folder on the server ("" or "pub/")
    QProcess process;
};

double Seconds(const timespec& t)
{
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double ProcessCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return Seconds(t);
}

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t len = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &len);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

bool StartPyftpdlib(Server& server, const QString& root)
{
    server.name = QStringLiteral("pyftpdlib");
    server.user = QStringLiteral("bench");
    server.password = QStringLiteral("secret");
    server.root = root;
    server.process.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral(HFTP_SOURCE_DIR "/tests/support/ftp_server.py")});
    if (!server.process.waitForStarted())
        return false;
    const auto readLine = [&server] {
        QElapsedTimer waited;
        waited.start();
        while (!server.process.canReadLine() && waited.elapsed() < 60000)
            server.process.waitForReadyRead(1000);
        return server.process.readLine().trimmed();
    };
    const QByteArray line = readLine();
    if (!line.startsWith("port "))
        return false;
    server.port = line.mid(5).toInt();
    server.process.write(QStringLiteral("user %1 %2 %3\n").arg(server.user, server.password, root).toUtf8());
    return readLine() == "ok";
}

// vsftpd with anonymous write access below "pub/" of a folder of its own.
bool StartVsftpd(Server& server, const QString& folder)
{
    if (!QFile::exists(QStringLiteral("/usr/sbin/vsftpd")))
        return false;
    server.name = QStringLiteral("vsftpd");
    server.user = QStringLiteral("anonymous");
    server.password = QStringLiteral("bench");
    server.remotePrefix = QStringLiteral("pub/");
    const QString top = folder + QStringLiteral("/anon");
    server.root = top + QStringLiteral("/pub");
    QDir().mkpath(server.root);
    QFile::setPermissions(top, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(server.root, QFileDevice::Permissions(0x7777));
    const QString empty = folder + QStringLiteral("/empty");
    QDir().mkpath(empty);
    server.port = FreePort();
    const QString config = folder + QStringLiteral("/vsftpd.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(VsftpdConfig(server.port, top, empty));
    file.close();
    server.process.start(QStringLiteral("/usr/sbin/vsftpd"), {config});
    if (!server.process.waitForStarted())
        return false;
    for (int i = 0; i < 100 && !Accepts(server.port); ++i)
        QThread::msleep(50);
    return Accepts(server.port);
}

// Our client: one connection, the request, QUIT; wall and process CPU around all of it.
class OurClient {
public:
    explicit OurClient(const Server& server) : server_(server)
    {
        client_.OnRequestDone = [this](TObject*, TFtpRequest, win::WORD Error) {
            result_ = Error;
            loop_.quit();
        };
        client_.SetHostName(QStringLiteral("127.0.0.1"));
        client_.SetPort(QString::number(server.port));
        client_.SetUserName(server.user);
        client_.SetPassWord(server.password);
    }

    // Connects, switches to binary type (as curl and lftp do), runs each step of requests, quits.
    // OK when every request ended with 0.
    Measure
    Run(bool passive,
        const std::function<bool(TFtpClient&, const std::function<bool(void (TFtpClient::*)())>&)>& work)
    {
        client_.SetPassive(passive);
        Measure m;
        QElapsedTimer wall;
        const double cpu0 = ProcessCpu();
        wall.start();
        const auto request = [this](void (TFtpClient::*method)()) {
            result_ = -1;
            (client_.*method)();
            if (result_ == -1)
                loop_.exec();
            return result_ == 0;
        };
        m.ok = request(&TFtpClient::ConnectAsync) && request(&TFtpClient::TypeBinaryAsync) &&
               work(client_, request) && request(&TFtpClient::QuitAsync);
        m.wall = double(wall.nsecsElapsed()) / 1e9;
        m.cpu = ProcessCpu() - cpu0;
        if (!m.ok) {
            std::fprintf(stderr, "ours: %s\n",
                         qPrintable(client_.ErrorMessage() + " " + client_.LastResponse()));
            client_.AbortAsync();
        }
        return m;
    }

private:
    const Server& server_;
    TFtpClient client_;
    QEventLoop loop_;
    int result_ = -1;
};

// Runs a program and measures its wall time and its own CPU time.
Measure RunProgram(const QStringList& arguments)
{
    std::vector<QByteArray> bytes;
    for (const QString& a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    Measure m;
    QElapsedTimer wall;
    wall.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return m;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    m.wall = double(wall.nsecsElapsed()) / 1e9;
    m.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!m.ok)
        std::fprintf(stderr, "%s failed\n", qPrintable(arguments.join(' ')));
    return m;
}

QString Url(const Server& server, const QString& name)
{
    return QStringLiteral("ftp://%1:%2@127.0.0.1:%3/%4%5")
        .arg(server.user, server.password)
        .arg(server.port)
        .arg(server.remotePrefix, name);
}

QStringList Curl(const Server& server, bool passive, bool upload, const QString& local, const QString& name)
{
    QStringList args{QStringLiteral("curl"), QStringLiteral("-s"), QStringLiteral("-S"),
                     QStringLiteral("--disable-epsv"), QStringLiteral("--disable-eprt")};
    if (!passive)
        args << QStringLiteral("-P") << QStringLiteral("127.0.0.1");
    if (upload)
        args << QStringLiteral("-T") << local;
    else
        args << QStringLiteral("-o") << QStringLiteral("/dev/null");
    return args << Url(server, name);
}

QStringList Lftp(const Server& server, bool passive, const QString& commands)
{
    return {QStringLiteral("lftp"), QStringLiteral("-c"),
            QStringLiteral("set cmd:fail-exit yes; set net:max-retries 1; set ftp:prefer-epsv no; "
                           "set ftp:passive-mode %1; set xfer:clobber yes; open -u %2,%3 -p %4 127.0.0.1; %5")
                .arg(QLatin1String(passive ? "on" : "off"), server.user, server.password)
                .arg(server.port)
                .arg(commands)};
}

struct Result {
    Measure best;
    void Add(const Measure& m)
    {
        if (!m.ok)
            return;
        if (!best.ok || m.wall < best.wall)
            best.wall = m.wall;
        if (!best.ok || m.cpu < best.cpu)
            best.cpu = m.cpu;
        best.ok = true;
    }
};

// A transfer of bytes (MiB/s shown), or files uploads (ms per file shown) when bytes is 0.
void Report(const QString& title, qint64 bytes, int files,
            const std::vector<std::pair<QString, Result>>& results)
{
    std::printf("\n%s\n", qPrintable(title));
    std::printf("  %-6s %9s %9s %10s\n", "client", "wall s", "cpu s", bytes ? "MiB/s" : "ms/file");
    for (const auto& [name, r] : results) {
        if (!r.best.ok) {
            std::printf("  %-6s failed\n", qPrintable(name));
            continue;
        }
        const double rate = bytes ? double(bytes) / (1 << 20) / r.best.wall : r.best.wall * 1000 / files;
        std::printf("  %-6s %9.3f %9.3f %10.1f\n", qPrintable(name), r.best.wall, r.best.cpu, rate);
    }
    const Measure& ours = results[0].second.best;
    for (std::size_t i = 1; i < results.size(); ++i) {
        const Measure& peer = results[i].second.best;
        if (ours.ok && peer.ok)
            std::printf("  ours/%s: throughput %.2f, cpu %.2f\n", qPrintable(results[i].first),
                        peer.wall / ours.wall, ours.cpu / peer.cpu);
    }
    std::fflush(stdout);
}

void BenchLarge(Server& server, const Options& options, const QString& work);
void BenchSmall(Server& server, const Options& options, const QString& work);

void BenchServer(Server& server, const Options& options, const QString& work)
{
    const qint64 size = options.sizeMiB << 20;
    if (size > 0)
        BenchLarge(server, options, work);
    if (options.files > 0)
        BenchSmall(server, options, work);
}

// RETR and STOR of one large file in both modes.
void BenchLarge(Server& server, const Options& options, const QString& work)
{
    const qint64 size = options.sizeMiB << 20;
    const QString big = work + QStringLiteral("/big.bin");
    {
        QFile file(big);
        file.open(QIODevice::WriteOnly);
        QByteArray block(1 << 20, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(i * 7919 >> 3);
        for (qint64 i = 0; i < options.sizeMiB; ++i)
            file.write(block);
    }
    // The server's copy is a hard link: both servers refuse links that lead out of their root.
    QFile::remove(server.root + QStringLiteral("/big.bin"));
    if (::link(QFile::encodeName(big).constData(),
               QFile::encodeName(server.root + QStringLiteral("/big.bin")).constData()) != 0)
        QFile::copy(big, server.root + QStringLiteral("/big.bin"));

    OurClient ours(server);
    for (const bool upload : {false, true}) {
        for (const bool passive : {true, false}) {
            Result mine, curl, lftp;
            for (int r = 0; r < options.repeat; ++r) {
                const QString target = QStringLiteral("up-%1.bin").arg(r);
                mine.Add(ours.Run(passive, [&](TFtpClient& c, const auto& request) {
                    c.SetHostFileName(server.remotePrefix + (upload ? target : QStringLiteral("big.bin")));
                    c.SetLocalFileName(upload ? big : QStringLiteral("/dev/null"));
                    if (!request(upload ? &TFtpClient::PutAsync : &TFtpClient::GetAsync))
                        return false;
                    // A size that differs means the data was changed on the way (an ASCII transfer).
                    const qint64 arrived =
                        upload ? QFileInfo(server.root + "/" + target).size() : c.ByteCount();
                    if (arrived == size)
                        return true;
                    std::fprintf(stderr, "ours: %lld bytes arrived, %lld expected\n", arrived, size);
                    return false;
                }));
                QFile::remove(server.root + "/" + target);
                curl.Add(RunProgram(
                    Curl(server, passive, upload, big, upload ? target : QStringLiteral("big.bin"))));
                QFile::remove(server.root + "/" + target);
                lftp.Add(RunProgram(
                    Lftp(server, passive,
                         upload ? QStringLiteral("put %1 -o %2%3").arg(big, server.remotePrefix, target)
                                : QStringLiteral("get %1big.bin -o /dev/null").arg(server.remotePrefix))));
                QFile::remove(server.root + "/" + target);
            }
            Report(QStringLiteral("%1: %2 %3 MiB, %4")
                       .arg(server.name, upload ? "STOR" : "RETR")
                       .arg(options.sizeMiB)
                       .arg(passive ? "passive" : "active"),
                   size, 0,
                   {{QStringLiteral("ours"), mine},
                    {QStringLiteral("curl"), curl},
                    {QStringLiteral("lftp"), lftp}});
        }
    }
    QFile::remove(big);
    QFile::remove(server.root + QStringLiteral("/big.bin"));
}

// Many files of 1 KiB one after another.
void BenchSmall(Server& server, const Options& options, const QString& work)
{
    OurClient ours(server);
    // Small uploads and downloads, one after another on one connection, as the transfer queue
    // will do them.
    const QString small = work + QStringLiteral("/small");
    QDir().mkpath(small);
    QStringList names;
    for (int i = 0; i < options.files; ++i) {
        names << QStringLiteral("s%1.txt").arg(i, 5, 10, QChar(u'0'));
        QFile file(small + "/" + names.last());
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(1024, char('a' + i % 26)));
    }
    // The files to download lie on the server; downloads go into a folder of their own.
    const QString source = QStringLiteral("small-source");
    QDir().mkpath(server.root + "/" + source);
    for (const QString& name : names)
        QFile::copy(small + "/" + name, server.root + "/" + source + "/" + name);
    const QString downloads = work + QStringLiteral("/downloads");
    for (const bool upload : {true, false}) {
        Result mine, lftp;
        for (int r = 0; r < options.repeat; ++r) {
            const QString folder = QStringLiteral("small%1").arg(r);
            for (const QString& who : {QStringLiteral("-ours"), QStringLiteral("-lftp")}) {
                QDir().mkpath(server.root + "/" + folder + who);
                QFile::setPermissions(server.root + "/" + folder + who, QFileDevice::Permissions(0x7777));
                QDir().mkpath(downloads + who);
            }
            mine.Add(ours.Run(true, [&](TFtpClient& c, const auto& request) {
                for (const QString& name : names) {
                    if (upload) {
                        c.SetHostFileName(server.remotePrefix + folder + "-ours/" + name);
                        c.SetLocalFileName(small + "/" + name);
                    } else {
                        c.SetHostFileName(server.remotePrefix + source + "/" + name);
                        c.SetLocalFileName(downloads + "-ours/" + name);
                    }
                    if (!request(upload ? &TFtpClient::PutAsync : &TFtpClient::GetAsync))
                        return false;
                }
                return true;
            }));
            lftp.Add(RunProgram(Lftp(
                server, true,
                upload ? QStringLiteral("cd %1%2-lftp; lcd %3; mput *.txt").arg(server.remotePrefix, folder, small)
                       : QStringLiteral("cd %1%2; lcd %3-lftp; mget *.txt").arg(server.remotePrefix, source, downloads))));
            for (const QString& who : {QStringLiteral("-ours"), QStringLiteral("-lftp")}) {
                QDir(server.root + "/" + folder + who).removeRecursively();
                QDir(downloads + who).removeRecursively();
            }
        }
        Report(QStringLiteral("%1: %2 %3 of 1 KiB, passive")
                   .arg(server.name)
                   .arg(options.files)
                   .arg(upload ? "uploads" : "downloads"),
               0, options.files, {{QStringLiteral("ours"), mine}, {QStringLiteral("lftp"), lftp}});
    }
    QDir(server.root + "/" + source).removeRecursively();
    QDir(small).removeRecursively();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    initPlatform();
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--size-mib"))
            options.sizeMiB = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--repeat"))
            options.repeat = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--files"))
            options.files = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--server"))
            options.server = args[i + 1];
    }
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/hftp-bench-XXXXXX"));
    for (const QString& kind : {QStringLiteral("pyftpdlib"), QStringLiteral("vsftpd")}) {
        if (options.server != QLatin1String("both") && options.server != kind)
            continue;
        Server server;
        const QString folder = work.path() + "/" + kind;
        QDir().mkpath(folder + "/root");
        const bool started = kind == QLatin1String("pyftpdlib") ? StartPyftpdlib(server, folder + "/root")
                                                                : StartVsftpd(server, folder);
        if (!started) {
            std::printf("%s: could not start, skipped\n", qPrintable(kind));
            continue;
        }
        BenchServer(server, options, folder);
        server.process.closeWriteChannel();
        server.process.terminate();
        server.process.waitForFinished(5000);
    }
    return 0;
}
