// Find and replace in the editor beside GNU grep and sed, on one generated 20 MB HTML file of
// HTML highlighted by the "Web Documents" parser: counting a rare and a common word (plain, without case,
// whole words) beside "grep -c -F -i -w", counting two regular expressions beside "grep -c -E",
// and replacing every "<td>" with "<TD>" as one undo step beside "sed" (the highlighting kept up to
// date), then one undo and one redo.
// Wall times of each, and our time over the peer's.
//   build/bench_text_search [size in MB]
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"
#include "editor/search/memo_search.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/rtl/object.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

namespace {

// Rows of a table with links, pictures and text; "quagga" is rare, "the" common.
std::string HtmlDocument(std::size_t Size)
{
    static const char* const words[] = {"the", "site", "files", "upload", "server", "page", "the", "list",
                                        "editor", "folder", "the", "transfer"};
    std::mt19937 random(7);
    std::string text = "<html><body><table>\r\n";
    while (text.size() < Size) {
        text += "<tr><td>";
        for (int i = 0; i < 8; ++i) {
            text += words[random() % 12];
            text += ' ';
        }
        if (random() % 3000 == 0)
            text += "quagga ";
        text += "</td><td><a href=\"/pages/p" + std::to_string(random() % 10000) + ".html\">link</a></td>";
        if (random() % 4 == 0)
            text += "<td><img src=\"i" + std::to_string(random() % 100) + ".gif\" alt=\"x\"></td>";
        text += "</tr>\r\n";
    }
    return text + "</table></body></html>\r\n";
}

double Milliseconds(const QElapsedTimer& Timer)
{
    return double(Timer.nsecsElapsed()) / 1e6;
}

// Runs a peer; returns its wall time and (through Output) what it wrote. GNU grep stops at the
// first match when its output is the null device, so a counting grep must give its output back.
double RunPeer(const QString& Program, const QStringList& Arguments, QByteArray* Output = nullptr)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    if (!Output)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start(Program, Arguments);
    process.waitForFinished(-1);
    const double ms = Milliseconds(timer);
    if (Output)
        *Output = process.readAllStandardOutput().trimmed();
    return ms;
}

void Report(const char* What, double Ours, double Peer, const char* PeerName, double Goal)
{
    std::printf("%-34s ours %9.1f ms  %-5s %9.1f ms  ratio %5.2f (goal <= %.0f)\n", What, Ours, PeerName, Peer,
                Ours / Peer, Goal);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::size_t(std::atoi(argv[1])) : 20;
    const std::string document = HtmlDocument(megabytes * 1000 * 1000);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("page.html"));
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(document.data(), qint64(document.size()));
    }
    TComponent owner;
    const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);
    TCustomSyntaxMemo memo;
    memo.SetParser(1, parsers.front());
    QElapsedTimer loading;
    loading.start();
    memo.SetText(document);
    const double load = Milliseconds(loading);
    TMemoSearch& search = memo.Search();
    std::printf("document: %d characters, %d lines, loaded and highlighted by \"%s\" in %.1f ms\n",
                memo.TextLength(), memo.LineCount(), qPrintable(parsers.front()->Settings().Name), load);

    const auto count = [&](unsigned Options, const std::string& Find, int& Found) {
        Found = 0;
        QElapsedTimer timer;
        timer.start();
        search.ForEachMatch(memo.TextLength(), 0, Options, Find, [&](int, int) { ++Found; });
        return Milliseconds(timer);
    };
    int found = 0;
    for (const char* word : {"quagga", "the"}) {
        const double ours = count(foWholeWord, word, found);
        QByteArray lines;
        const double grep = RunPeer("grep", {"-c", "-F", "-i", "-w", word, file}, &lines);
        std::printf("  %s: %d matches (grep: %s lines)\n", word, found, lines.constData());
        Report(word, ours, grep, "grep", 3);
    }
    const std::pair<const char*, const char*> expressions[] = {{"<img[^>]*>", "<img[^>]*>"},
                                                               {"href=\\\"[^\"]*\\\"", "href=\"[^\"]*\""}};
    for (const auto& [ours, theirs] : expressions) {
        const double time = count(foRegularExpression, ours, found);
        QByteArray lines;
        const double grep = RunPeer("grep", {"-c", "-E", theirs, file}, &lines);
        std::printf("  %s: %d matches (grep: %s lines)\n", theirs, found, lines.constData());
        Report(theirs, time, grep, "grep", 5);
    }

    QElapsedTimer timer;
    timer.start();
    const int replaced = memo.ReplaceAll(memo.TextLength(), 0, foMatchCase, "<TD>", "<td>");
    const double replace = Milliseconds(timer);
    const double sed = RunPeer("sed", {"s/<td>/<TD>/g", file}, nullptr);
    std::printf("  <td>: %d replaced\n", replaced);
    Report("replace <td> with <TD>", replace, sed, "sed", 10);
    timer.restart();
    memo.Undo();
    const double undo = Milliseconds(timer);
    timer.restart();
    memo.Redo();
    const double redo = Milliseconds(timer);
    std::printf("undo %.1f ms, redo %.1f ms (goal: no slower than the replacement, %.1f ms)\n", undo, redo, replace);
    return 0;
}
