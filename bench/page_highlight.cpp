// Loading and highlighting a generated 20 MB web page: LoadFromFile into an offscreen editor
// with the "Web Documents" parser, which colours the whole text once it is in, beside
// kate-syntax-highlighter colouring the same file as HTML into /dev/null (when it is installed).
// Wall times, their ratio, and our peak resident memory.
//   build/bench_page_highlight [size in MB]
#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/rtl/object.h"
#include "web_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::size_t(std::atoi(argv[1])) : 20;
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("page.html"));
    {
        const std::string page = TPageWriter().Page(megabytes * 1000 * 1000);
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(page.data(), qint64(page.size()));
    }
    TComponent owner;
    const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);
    const double before = PeakMiB();
    TSyntaxMemo memo;
    memo.SetParser(1, parsers.front());
    QElapsedTimer timer;
    timer.start();
    memo.LoadFromFile(file);
    const double ours = double(timer.nsecsElapsed()) / 1e6;
    std::printf("ours: %d characters, %d lines, %d highlighted by \"%s\" in %.1f ms; peak %.0f MiB "
                "(%.0f MiB before loading)\n",
                memo.TextLength(), memo.LineCount(), memo.HighlightedLines(),
                qPrintable(parsers.front()->Settings().Name), ours, PeakMiB(), before);

    const QString peer = QStandardPaths::findExecutable(QStringLiteral("kate-syntax-highlighter"));
    if (peer.isEmpty()) {
        std::printf("kate-syntax-highlighter: not installed\n");
        return 0;
    }
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    timer.restart();
    process.start(peer, {QStringLiteral("--syntax"), QStringLiteral("HTML"), QStringLiteral("--output-format"),
                         QStringLiteral("html"), file});
    process.waitForFinished(-1);
    const double theirs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("kate-syntax-highlighter: %.1f ms (exit %d)\nratio %.2f (goal <= 0.5)\n", theirs,
                process.exitCode(), ours / theirs, 0.5);
    return 0;
}
