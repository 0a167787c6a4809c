// Tokenizer speed of the seven language parsers in MB/s, each over its corpus: the system's C
// headers for C, a generated 20 MB web page for HTML, and the test samples repeated to 4 MB for
// the others. The text is loaded into an editor's text store once; an iteration is one pass of
// NextToken from the start to the end, as a full highlight makes it (without writing the tokens
// into the line records). The counter peakMiB is the process's peak resident memory.
//   build/bench_language_tokenizer [--benchmark_filter=...]
#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/document/text_store.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "web_page.h"

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>
#include <sys/resource.h>

namespace {

constexpr std::size_t MB = 1000 * 1000;

QByteArray FileBytes(const QString& Name)
{
    QFile file(Name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Repeated(const QByteArray& Sample, std::size_t Size)
{
    std::string text;
    while (text.size() < Size)
        text += Sample.toStdString() + "\n";
    return text;
}

std::string Headers(std::size_t Size)
{
    std::string text;
    QDirIterator files(QStringLiteral("/usr/include"), {QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext() && text.size() < Size)
        text += FileBytes(files.next()).toStdString();
    return text;
}

struct TCorpus {
    const char* Parser;
    std::string Text;
};

const std::vector<TCorpus>& Corpora()
{
    static const std::vector<TCorpus> corpora = [] {
        const QString samples = QStringLiteral(HFTP_SOURCE_DIR "/tests/highlighter/samples/");
        return std::vector<TCorpus>{
            {"parserHTML", TPageWriter().Page(20 * MB)},
            {"parserPlainText", Repeated(FileBytes(samples + "sample.txt"), 4 * MB)},
            {"parserPascal", Repeated(FileBytes(samples + "sample.pas"), 4 * MB)},
            {"parserANSIC", Headers(16 * MB)},
            {"parserVB", Repeated(FileBytes(samples + "sample.bas"), 4 * MB)},
            {"parserJava", Repeated(FileBytes(samples + "Sample.java"), 4 * MB)},
            {"parserSQL", Repeated(FileBytes(samples + "sample.sql"), 4 * MB)},
        };
    }();
    return corpora;
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// state.range(0): the parser's place in the main window's order.
void Tokenize(benchmark::State& state)
{
    TComponent owner;
    const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);
    const std::size_t index = std::size_t(state.range(0));
    const TCorpus& corpus = Corpora()[index];
    TSyntaxMemoParser& parser = *parsers[index];
    state.SetLabel(corpus.Parser);
    TMemoCore memo;
    memo.SetText(corpus.Text);
    std::int64_t tokens = 0;
    for (auto _ : state) {
        TEdStream stream(&memo);
        stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
        parser.ResetState(0);
        tokens = 0;
        while (!stream.EndOfText()) {
            int length = 0;
            benchmark::DoNotOptimize(parser.NextToken(nullptr, stream, length));
            ++tokens;
        }
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(memo.TextLength()));
    state.counters["MB"] = double(memo.TextLength()) / MB;
    state.counters["tokens"] = double(tokens);
    state.counters["peakMiB"] = PeakMiB();
}

BENCHMARK(Tokenize)->DenseRange(0, 6)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
