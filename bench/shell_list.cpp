// Shell list benchmark: a TPTShellList in report view over a generated folder of 100,000 files
// (mixed name lengths, sizes and times): filled until first painted, sorted by name, size and
// modified, then refreshed after 1,000 files were added. Beside it, on the same folder: `ls -l`
// and `ls -l --sort=size` (wall time), and pcmanfm-qt opened on the same X server (wall time until
// its window shows and its CPU falls idle, then its resident memory; pcmanfm-qt is not installed by
// the set-up: install it by hand to compare with it).
//
// Run it on an X server with a window manager, as a person would see it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'openbox & sleep 1; bench_shell_list [count]'
// Each of our steps reports wall time, CPU time (this process) and the peak resident memory so
// far (VmHWM); the last lines give the ratios to the peers.
#include "shell/shell_list.h"

#include "platform/platform_init.h"
#include "platform/rtl/application.h"
#include "platform/widgets/platform_widgets_init.h"
#include "shell/shell_init.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A field of /proc/<pid>/status in kB.
long StatusKb(qint64 Pid, const char* Field)
{
    QFile file(Pid ? QStringLiteral("/proc/%1/status").arg(Pid) : QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(Field))
            return line.mid(int(qstrlen(Field)) + 1).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// utime + stime of a process, in clock ticks.
long long ProcessTicks(qint64 Pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(Pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

// Files with names of 1 to 60 characters, sizes up to 100 MB (sparse) and times over ten years.
void MakeFiles(const QString& Folder, int First, int Count)
{
    std::mt19937 random(unsigned(First) + 7);
    for (int index = First; index < First + Count; ++index) {
        const int length = 1 + int(random() % 60);
        QByteArray name = QByteArray::number(index) + '-';
        while (name.size() < length + 8)
            name.append(char('a' + random() % 26));
        name.append(index % 3 ? ".txt" : ".png");
        const QByteArray path = QFile::encodeName(Folder) + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0)
            continue;
        if (::ftruncate(fd, off_t(random() % 100000000)) != 0) {
            // an empty file is as good
        }
        const timespec times[2] = {{1300000000 + long(random() % 315000000), 0},
                                   {1300000000 + long(random() % 315000000), 0}};
        ::futimens(fd, times);
        ::close(fd);
    }
}

struct TStep {
    const char* Name;
    double Wall;
    double Cpu;
    long PeakKb;
};

// Runs Work, then the event loop until the list's rows were painted again.
TStep Measure(const char* Name, TPTShellList& List, bool& Painted, const std::function<void()>& Work)
{
    QElapsedTimer wall;
    wall.start();
    const double cpu = CpuSeconds();
    Painted = false;
    Work();
    List.View()->viewport()->update();
    // processEvents with a time limit never waits, so the loop would spin and take the processor
    // from the work it measures; the tick wakes a waiting loop for a paint no other event reports.
    QTimer tick;
    tick.start(50);
    while (!Painted)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return {Name, double(wall.nsecsElapsed()) / 1e9, CpuSeconds() - cpu, StatusKb(0, "VmHWM:")};
}

double RunWall(const QString& Command)
{
    QElapsedTimer wall;
    wall.start();
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), Command + QStringLiteral(" > /dev/null")});
    return double(wall.nsecsElapsed()) / 1e9;
}

struct TPeer {
    double Wall = 0;
    double Cpu = 0;
    long RssKb = 0;
    long PeakKb = 0;
};

// pcmanfm-qt on Folder: until its window is there and its CPU has been idle for half a second.
TPeer RunFileManager(const QString& Folder)
{
    TPeer peer;
    QProcess manager;
    QElapsedTimer wall;
    wall.start();
    manager.start(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--new-window"), Folder});
    if (!manager.waitForStarted(10000))
        return peer;
    const qint64 pid = manager.processId();
    // pcmanfm-qt ends at once when it cannot run (no session bus): no window comes then.
    const int found = QProcess::execute(QStringLiteral("timeout"),
                      {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--pid"), QString::number(pid)});
    if (found != 0) {
        manager.kill();
        manager.waitForFinished(5000);
        return peer;
    }
    long long last = -1;
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 500 && wall.elapsed() < 120000) {
        QThread::msleep(50);
        const long long ticks = ProcessTicks(pid);
        if (ticks != last) {
            last = ticks;
            idle.restart();
        }
    }
    peer.Wall = double(wall.nsecsElapsed() - 500000000) / 1e9;
    peer.Cpu = double(last) / double(sysconf(_SC_CLK_TCK));
    peer.RssKb = StatusKb(pid, "VmRSS:");
    peer.PeakKb = StatusKb(pid, "VmHWM:");
    manager.terminate();
    manager.waitForFinished(5000);
    return peer;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QApplication qt(argc, argv);
    TApplication app;
    initPlatform();
    initPlatformWidgets();
    initShell();

    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/hftp-bench-shell-XXXXXX"));
    MakeFiles(folder.path(), 0, count);
    std::printf("folder: %d files\n", count);

    const double lsWall = RunWall(QStringLiteral("ls -l '%1'").arg(folder.path()));
    const double lsSizeWall = RunWall(QStringLiteral("ls -l --sort=size '%1'").arg(folder.path()));
    const TPeer manager = RunFileManager(folder.path());

    TPTShellList list;
    list.SetOptions(list.Options() & ~ptsloDynamicRefresh);
    list.SetViewStyle(vsReport);
    list.resize(1000, 800);
    bool painted = false;
    struct TPaintSpy : QObject {
        bool* Painted;
        bool eventFilter(QObject*, QEvent* Event) override
        {
            if (Event->type() == QEvent::Paint)
                *Painted = true;
            return false;
        }
    } spy;
    spy.Painted = &painted;
    list.View()->viewport()->installEventFilter(&spy);
    list.show();
    QApplication::processEvents();

    std::vector<TStep> steps;
    steps.push_back(Measure("fill until painted", list, painted, [&] { list.Folder()->SetPath(folder.path()); }));
    steps.push_back(Measure("sort by name (descending)", list, painted, [&] { list.SetSignedSortColumn(-1); }));
    steps.push_back(Measure("sort by size", list, painted, [&] { list.SetSignedSortColumn(2); }));
    steps.push_back(Measure("sort by modified", list, painted, [&] { list.SetSignedSortColumn(4); }));
    MakeFiles(folder.path(), count, 1000);
    steps.push_back(Measure("refresh after 1,000 new files", list, painted, [&] { list.Refresh(); }));
    std::printf("rows: %d\n\n", list.Count());

    std::printf("%-32s %9s %9s %12s\n", "step (ours)", "wall s", "cpu s", "VmHWM kB");
    for (const TStep& step : steps)
        std::printf("%-32s %9.3f %9.3f %12ld\n", step.Name, step.Wall, step.Cpu, step.PeakKb);
    std::printf("\n%-32s %9.3f\n", "ls -l", lsWall);
    std::printf("%-32s %9.3f\n", "ls -l --sort=size", lsSizeWall);
    std::printf("%-32s %9.3f %9.3f %12ld (VmRSS %ld)\n", "pcmanfm-qt open until idle", manager.Wall, manager.Cpu,
                manager.PeakKb, manager.RssKb);
    std::printf("\nratios (ours / peer):\n");
    std::printf("fill wall / ls -l wall:            %.2f\n", steps[0].Wall / lsWall);
    std::printf("sort by size wall / ls --sort=size: %.2f\n", steps[2].Wall / lsSizeWall);
    if (manager.Wall > 0) {
        std::printf("fill wall / pcmanfm-qt wall:       %.2f\n", steps[0].Wall / manager.Wall);
        std::printf("fill cpu / pcmanfm-qt cpu:         %.2f\n", steps[0].Cpu / std::max(manager.Cpu, 0.001));
        std::printf("peak memory / pcmanfm-qt VmRSS:    %.2f (goal at most 0.5)\n",
                    double(steps.back().PeakKb) / double(std::max(manager.RssKb, 1L)));
    } else {
        std::printf("pcmanfm-qt did not start: no ratios to it\n");
    }
    return 0;
}
