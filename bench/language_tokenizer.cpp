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

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>
#include <random>
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

// A web page of Size bytes from a fixed seed: nested tags with attributes, entities, comments,
// script and style blocks, lines indented with tabs, and one minified line of 200 KB.
class TPageWriter {
public:
    std::string Page(std::size_t Size)
    {
        text_ = "<!DOCTYPE html>\n<html>\n<head>\n";
        Style();
        Script();
        text_ += "</head>\n<body class=\"page\">\n";
        bool minified = false;
        while (text_.size() < Size) {
            if (!minified && text_.size() > Size / 2) {
                MinifiedLine(200 * 1000);
                minified = true;
            }
            switch (random_() % 10) {
            case 0: Script(); break;
            case 1: Style(); break;
            case 2: text_ += "<!-- section " + std::to_string(random_()) + " -->\n"; break;
            default: Element(1, 0); break;
            }
        }
        text_ += "</body>\n</html>\n";
        return std::move(text_);
    }

private:
    std::string Word() { return words_[random_() % words_.size()]; }
    void Indent(int Depth) { text_.append(std::size_t(Depth), '\t'); }

    void Text()
    {
        for (int n = int(random_() % 12) + 1; n > 0; --n) {
            text_ += Word();
            text_ += random_() % 9 == 0 ? entities_[random_() % entities_.size()] : " ";
        }
    }

    void Element(int Depth, int Level)
    {
        const std::string tag = tags_[random_() % tags_.size()];
        Indent(Depth);
        text_ += "<" + tag;
        for (int n = int(random_() % 4); n > 0; --n)
            text_ += " " + Word() + "=\"" + Word() + " " + Word() + "\"";
        if (random_() % 3 == 0)
            text_ += " width=" + std::to_string(random_() % 500);
        text_ += ">";
        if (Level < 4 && random_() % 2 == 0) {
            text_ += "\n";
            for (int n = int(random_() % 4) + 1; n > 0; --n)
                Element(Depth + 1, Level + 1);
            Indent(Depth);
        } else {
            Text();
        }
        text_ += "</" + tag + ">\n";
    }

    void Script()
    {
        text_ += "<script type=\"text/javascript\">\n<!--\n";
        for (int n = int(random_() % 8) + 1; n > 0; --n) {
            text_ += "\tvar " + Word() + " = " + std::to_string(random_() % 1000) + "; // " + Word() + "\n";
            text_ += "\tfunction " + Word() + "(a, b) { if (a < b) return 'x' + \"" + Word() + "\"; }\n";
        }
        text_ += "/* " + Word() + " */\n//-->\n</script>\n";
    }

    void Style()
    {
        text_ += "<style>\n";
        for (int n = int(random_() % 6) + 1; n > 0; --n)
            text_ += "\t." + Word() + " { color: #" + std::to_string(100000 + random_() % 800000) +
                     "; font-family: \"" + Word() + "\"; } /* " + Word() + " */\n";
        text_ += "</style>\n";
    }

    void MinifiedLine(std::size_t Size)
    {
        const std::size_t end = text_.size() + Size;
        while (text_.size() < end)
            text_ += "<span class=\"" + Word() + "\">" + Word() + "&nbsp;</span><b>" + Word() + "</b>";
        text_ += "\n";
    }

    std::mt19937 random_{20260101};
    std::string text_;
    const std::vector<std::string> tags_{"div", "p", "span", "a", "td", "li", "em", "table", "tr", "ul"};
    const std::vector<std::string> entities_{" &amp; ", " &lt;", "&gt; ", " &#160;", " &copy; "};
    const std::vector<std::string> words_{"alpha", "beta", "gamma", "delta", "title", "content", "item",
                                          "value", "header", "footer", "nav", "main", "left", "right"};
};

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
