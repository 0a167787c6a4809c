// Listing benchmark: a generated 1,000,000-line Standard UNIX or DOS/Windows listing file read into
// directory entries by a whole process (start, read the file, detect the format, parse every line
// into its entry), side by side with mawk splitting the same file into fields
// (mawk '{print $5, $9}'), the fastest awk there is.
//
// Each process runs five times; the fastest run of each counts. Times are the CPU seconds (user
// and system) the process used, which stay comparable on a busy machine where wall-clock times do
// not; the wall-clock times are printed beside them. Memory is the peak resident size of our
// process and the heap its entries take, per entry. The reading process ends once its entries
// stand, without freeing them, as mawk ends once it has printed. A second figure is the reading
// done again in one process, on memory it has touched before: on a machine where the first touch
// of a page is dear, the gap between the two is what the entries' memory costs. A third is the
// whole process again with its heap on transparent huge pages (glibc's "hugetlb" tunable). The
// last is what the program does with the file: the remote list filled with a row for each entry
// (its size and date texts and its icon), timed inside a process that started the offscreen
// platform first.
//
// Usage: bench_listing [lines]        (default 1000000)
//        bench_listing --read <file>  (the reading process itself: prints its entry count and heap)
#include "ftp/listing/listing_file.h"
#include "platform/platform_init.h"
#include "session/remote_list_model.h"
#include "session/session_log.h"
#include "shell/shell_init.h"

#include "plain_session_window.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

long long SizeOf(int i)
{
    return (long long)i * 7919 % 6000000000LL;
}

// Folders every tenth line, names with blanks every third, dates with a time or with a year.
QByteArray UnixLine(int i)
{
    char line[160];
    const bool folder = i % 10 == 0;
    char when[8];
    if (i % 2 == 0)
        std::snprintf(when, sizeof when, "%02d:%02d", i % 24, i % 60);
    else
        std::snprintf(when, sizeof when, " %d", 1995 + i % 30);
    std::snprintf(line, sizeof line, "%s   1 owner    group    %10lld %s %2d %s %s%07d%s\r\n",
                  folder ? "drwxr-xr-x" : "-rw-r--r--", folder ? 4096LL : SizeOf(i), Months[i % 12],
                  1 + i % 28, when, i % 3 == 0 ? "my file " : "name", i, folder ? "" : ".txt");
    return line;
}

QByteArray DosLine(int i)
{
    char line[160];
    const char* half = i % 2 ? "PM" : "AM";
    if (i % 10 == 0)
        std::snprintf(line, sizeof line, "%02d-%02d-%02d  %02d:%02d%s       <DIR>          folder %d\r\n",
                      1 + i % 12, 1 + i % 28, i % 100, 1 + i % 12, i % 60, half, i);
    else
        std::snprintf(line, sizeof line, "%02d-%02d-%02d  %02d:%02d%s %20lld %s%07d.txt\r\n", 1 + i % 12,
                      1 + i % 28, i % 100, 1 + i % 12, i % 60, half, SizeOf(i),
                      i % 3 == 0 ? "my file " : "name", i);
    return line;
}

QString WriteListing(const QString& folder, const std::string& kind, int lines)
{
    const QString name = folder + "/" + QString::fromStdString(kind) + ".txt";
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray chunk;
    for (int i = 0; i < lines; ++i) {
        chunk += kind == "unix" ? UnixLine(i) : DosLine(i);
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return name;
}

struct Run {
    double cpu = 0;  // user and system seconds
    double wall = 0; // seconds
    long peakKiB = 0;
    std::string output;
};

double Seconds(const timeval& t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// Runs argv with its output into a pipe (or /dev/null), with Setting ("NAME=value") added to its
// environment when given, and measures it.
Run RunProcess(const std::vector<std::string>& argv, bool keepOutput, const char* Setting = nullptr)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::abort();
    timeval start, end;
    gettimeofday(&start, nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = keepOutput ? pipeFds[1] : ::open("/dev/null", O_WRONLY);
        dup2(out, 1);
        close(pipeFds[0]);
        if (Setting)
            putenv(const_cast<char*>(Setting));
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    Run run;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    gettimeofday(&end, nullptr);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0].c_str());
        std::exit(1);
    }
    run.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.wall = Seconds(end) - Seconds(start);
    run.peakKiB = usage.ru_maxrss;
    return run;
}

Run Fastest(const std::vector<std::string>& argv, bool keepOutput, const char* Setting = nullptr)
{
    Run best;
    for (int i = 0; i < 5; ++i) {
        const Run run = RunProcess(argv, keepOutput, Setting);
        if (i == 0 || run.cpu < best.cpu)
            best = run;
    }
    return best;
}

double CpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Reads the file twice and prints the CPU seconds of the second reading, which finds its memory
// already touched (what a running program that lists folders again sees).
int ReadListingAgain(const char* file)
{
    // The heap keeps what the first reading gave back, also its large blocks, which it would
    // otherwise map on their own and unmap when they are freed.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    {
        TListingFile first;
        first.LoadFromFile(QString::fromLocal8Bit(file));
    }
    const double start = CpuSeconds();
    TListingFile listing;
    listing.LoadFromFile(QString::fromLocal8Bit(file));
    std::printf("%.4f\n", CpuSeconds() - start);
    std::fflush(stdout);
    _exit(0);
}

// The bytes of the heap in use, also those of the large blocks it maps on their own.
std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int ReadListing(const char* file)
{
    const std::size_t before = HeapInUse();
    TListingFile listing;
    listing.LoadFromFile(QString::fromLocal8Bit(file));
    const std::size_t heap = HeapInUse() - before;
    std::printf("%zu %zu\n", listing.Entries().size(), heap);
    std::fflush(stdout);
    _exit(0);
}

// Fills the remote list from the file and prints the CPU seconds that took and the rows it made.
int FillRemoteList(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initPlatform();
    initShell();
    TPlainWindow window;
    TSessionLog log(window);
    TRemoteListModel model(window, log);
    const double start = CpuSeconds();
    model.LoadListingFile(QString::fromLocal8Bit(argv[2]));
    std::printf("%.4f %d\n", CpuSeconds() - start, model.Count());
    std::fflush(stdout);
    _exit(0);
}

// The reading process again with glibc's heap on transparent huge pages: where the kernel hands
// them out only on request, one page fault then brings 2 MiB instead of 4 KiB.
const char* const HugePageHeap = "GLIBC_TUNABLES=glibc.malloc.hugetlb=1";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0)
        return ReadListing(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--again") == 0)
        return ReadListingAgain(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--fill") == 0)
        return FillRemoteList(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir folder(QDir::tempPath() + "/hftp-bench-XXXXXX");
    const char* self = "/proc/self/exe";
    char ourPath[4096] = {};
    if (readlink(self, ourPath, sizeof ourPath - 1) < 0)
        return 1;

    for (const std::string kind : {"unix", "dos"}) {
        const std::string file = WriteListing(folder.path(), kind, lines).toStdString();
        const Run mawk = Fastest({"mawk", "{print $5, $9}", file}, false);
        const Run ours = Fastest({ourPath, "--read", file}, true);
        const Run hugePages = Fastest({ourPath, "--read", file}, true, HugePageHeap);
        std::size_t entries = 0, heap = 0;
        std::sscanf(ours.output.c_str(), "%zu %zu", &entries, &heap);
        double again = 1e9;
        for (int i = 0; i < 5; ++i)
            again = std::min(again, std::atof(RunProcess({ourPath, "--again", file}, true).output.c_str()));
        double fill = 1e9;
        int rows = 0;
        for (int i = 0; i < 3; ++i) {
            double seconds = 0;
            std::sscanf(RunProcess({ourPath, "--fill", file}, true).output.c_str(), "%lf %d", &seconds, &rows);
            fill = std::min(fill, seconds);
        }
        std::printf("%s, %d lines: mawk %.3f s CPU (%.3f s wall); ours %.3f s CPU (%.3f s wall): %.2fx mawk; "
                    "%zu entries, %.0f heap bytes and %.0f peak resident bytes per entry; a second reading in "
                    "the same process %.3f s CPU: %.2fx mawk; with %s %.3f s CPU (%.3f s wall): %.2fx mawk; "
                    "the remote list filled from the file, %d rows: %.3f s CPU: %.2fx mawk\n",
                    kind.c_str(), lines, mawk.cpu, mawk.wall, ours.cpu, ours.wall, ours.cpu / mawk.cpu, entries,
                    double(heap) / double(std::max<std::size_t>(entries, 1)),
                    double(ours.peakKiB) * 1024 / double(std::max<std::size_t>(entries, 1)), again,
                    again / mawk.cpu, HugePageHeap, hugePages.cpu, hugePages.wall, hugePages.cpu / mawk.cpu, rows,
                    fill, fill / mawk.cpu);
    }
    return 0;
}
