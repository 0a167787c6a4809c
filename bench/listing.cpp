// Listing benchmark: a generated 1,000,000-line Standard UNIX or DOS/Windows listing read into
// directory entries (detection, the format's parser, the date reader), side by side with awk
// splitting the same file into fields (awk '{print $5, $9}').
//
// Every run reports the CPU time it used (awk's as its child process), which stays comparable
// on a busy machine where wall-clock times do not. At the end the ratios awk / ours are printed,
// from the fastest run of each.
#include "ftp/listing/dir_info.h"
#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_format.h"
#include "ftp/listing/dir_info_list.h"
#include "platform/rtl/string_list.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int LineCount = 1000000;
const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QTemporaryDir& Folder()
{
    static QTemporaryDir folder(QDir::tempPath() + "/hftp-bench-XXXXXX");
    return folder;
}

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

QString ListingFile(const std::string& kind)
{
    const QString name = Folder().path() + "/" + QString::fromStdString(kind) + ".txt";
    if (!QFile::exists(name)) {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        QByteArray chunk;
        for (int i = 0; i < LineCount; ++i) {
            chunk += kind == "unix" ? UnixLine(i) : DosLine(i);
            if (chunk.size() > (1 << 20)) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }
    return name;
}

double CpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double ChildCpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The fastest run's CPU seconds, by "what/kind".
std::map<std::string, double>& Fastest()
{
    static std::map<std::string, double> fastest;
    return fastest;
}

void Record(benchmark::State& state, const std::string& name, double seconds)
{
    state.SetIterationTime(seconds);
    auto [it, added] = Fastest().emplace(name, seconds);
    if (!added)
        it->second = std::min(it->second, seconds);
}

// What the remote pane does with the lines of a listing file: detect the format once, parse
// every line, and keep one entry per parsed line with its date read.
std::vector<std::unique_ptr<TFtpDirInfo>> ReadEntries(const TStrings& lines)
{
    std::vector<std::unique_ptr<TFtpDirInfo>> entries;
    entries.reserve(size_t(lines.Count()));
    const TListingFormat format = DetectListingFormat(lines);
    const TDateTime now = Now();
    TFtpDirInfoList fields;
    for (int i = 0; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i);
        switch (format) {
        case lfStandardUnix: fields.ParseStandardUnix(line); break;
        case lfAppleUnix: fields.ParseAppleUnix(line); break;
        case lfDos: fields.ParseDos(line); break;
        case lfWebStar: fields.ParseWebStar(line); break;
        case lfUnknown: return entries;
        }
        if (fields.Count() == 0)
            continue;
        auto entry = std::make_unique<TFtpDirInfo>();
        entry->Line = line;
        entry->Attributes = fields.GetAttributes();
        entry->SizeText = fields.GetSize();
        entry->Name = fields.GetEntryName();
        entry->DateTime = ParseListingDate(fields.GetDate(), now);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Detection, parsing and entries, from the lines of the file already read; the heap bytes the
// entries take (beyond the lines they share) per entry.
void Entries(benchmark::State& state, const std::string& kind)
{
    TStringList lines;
    lines.LoadFromFile(ListingFile(kind));
    std::size_t bytes = 0, count = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        const std::size_t before = mallinfo2().uordblks;
        auto entries = ReadEntries(lines);
        bytes = mallinfo2().uordblks - before;
        count = entries.size();
        entries.clear();
        Record(state, "entries/" + kind, CpuSeconds() - start);
    }
    state.counters["entries"] = double(count);
    state.counters["bytes_per_entry"] = double(bytes) / double(count);
}

// Detection and parsing into the fields of each line, nothing kept (what the offline search
// does): the same work as awk's.
void Fields(benchmark::State& state, const std::string& kind)
{
    TStringList lines;
    lines.LoadFromFile(ListingFile(kind));
    for (auto _ : state) {
        const double start = CpuSeconds();
        const TListingFormat format = DetectListingFormat(lines);
        TFtpDirInfoList fields;
        std::size_t characters = 0;
        for (int i = 0; i < lines.Count(); ++i) {
            if (format == lfDos)
                fields.ParseDos(lines.Strings(i));
            else
                fields.ParseStandardUnix(lines.Strings(i));
            characters += fields.GetSize().size() + fields.GetFileName().size();
        }
        benchmark::DoNotOptimize(characters);
        Record(state, "fields/" + kind, CpuSeconds() - start);
    }
}

// Reading the file into its lines, as the remote pane does before parsing.
void Load(benchmark::State& state, const std::string& kind)
{
    const QString file = ListingFile(kind);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        const std::size_t before = mallinfo2().uordblks;
        TStringList lines;
        lines.LoadFromFile(file);
        bytes = mallinfo2().uordblks - before;
        Record(state, "load/" + kind, CpuSeconds() - start);
    }
    state.counters["bytes_per_line"] = double(bytes) / double(LineCount);
}

void Awk(benchmark::State& state, const std::string& kind)
{
    const std::string command = "awk '{print $5, $9}' '" + ListingFile(kind).toStdString() + "' > /dev/null";
    for (auto _ : state) {
        const double start = ChildCpuSeconds();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("awk failed");
        Record(state, "awk/" + kind, ChildCpuSeconds() - start);
    }
}

void Register()
{
    for (const std::string kind : {"unix", "dos"}) {
        for (auto [name, run] :
             {std::pair{"Entries", &Entries}, {"Fields", &Fields}, {"Awk", &Awk}, {"Load", &Load}}) {
            benchmark::RegisterBenchmark((std::string(name) + "/" + kind).c_str(), run, kind)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->MinWarmUpTime(0.5)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Steady state of a long-running program: freed memory stays with the process and is reused,
    // so the runs after the warm-up measure the work and not the kernel's first touch of new pages.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string kind : {"unix", "dos"}) {
        const double awk = Fastest()["awk/" + kind];
        std::printf(
            "%s: CPU seconds awk %.3f, fields %.3f (awk / fields %.2f), entries %.3f (awk / entries %.2f), "
            "load %.3f\n",
            kind.c_str(), awk, Fastest()["fields/" + kind], awk / Fastest()["fields/" + kind],
            Fastest()["entries/" + kind], awk / Fastest()["entries/" + kind], Fastest()["load/" + kind]);
    }
    return 0;
}
