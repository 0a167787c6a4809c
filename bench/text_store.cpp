// Editing and loading cost of the editor's text store: 10^5 inserts and deletes, each a fixed
// distance from the one before, in documents of 1, 4 and 16 MiB (the cost per operation should
// not grow with the document), and loading a 20 MB file.
//   build/bench_text_store [--benchmark_filter=...]
#include "editor/document/memo_core.h"

#include "bench_documents.h"
#include "platform/rtl/streams.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <random>

namespace {

constexpr int Operations = 100000;
constexpr int Distance = 1000; // characters between one edit and the next
constexpr std::size_t MiB = 1 << 20;

void Load(TMemoCore& Memo, const std::string& Text)
{
    TMemoryStream stream;
    stream.WriteBuffer(Text.data(), std::int64_t(Text.size()));
    stream.SetPosition(0);
    Memo.LoadFromStream(stream);
}

// The next edit position: Distance on from the previous one, either way, inside the text.
int NextPosition(std::mt19937& Random, int Previous, int Length)
{
    const int pos = Previous + (Random() % 2 ? Distance : -Distance);
    return pos < 0 || pos > Length - 8 ? Length / 2 : pos;
}

// Through the editor: select, replace, with the undo log recording every step. One untimed pass
// first, so that the memory the undo log grows into is not touched for the first time while timed.
void EditorEdits(benchmark::State& State)
{
    TMemoCore memo;
    Load(memo, BenchDocument(std::size_t(State.range(0)) * MiB, 1));
    std::mt19937 random(2);
    int pos = memo.TextLength() / 2;
    const auto edit = [&] {
        for (int op = 0; op < Operations; ++op) {
            pos = NextPosition(random, pos, memo.TextLength());
            memo.SetSelection(pos, op % 2 == 0 ? pos : pos + 3);
            memo.ReplaceSelection(op % 2 == 0 ? (op % 8 == 0 ? std::string_view("x\r\n") : "abc") : "");
        }
    };
    edit();
    memo.SetModified(false); // empties the undo log
    for (auto _ : State) {
        edit();
        State.PauseTiming();
        memo.SetModified(false);
        State.ResumeTiming();
    }
    State.SetItemsProcessed(std::int64_t(State.iterations()) * Operations);
}

// The store alone.
void StoreEdits(benchmark::State& State)
{
    TMemoCore memo;
    Load(memo, BenchDocument(std::size_t(State.range(0)) * MiB, 1));
    TTextStore& store = memo.TextStore();
    std::mt19937 random(2);
    int pos = store.TextLength() / 2;
    for (auto _ : State) {
        for (int op = 0; op < Operations; ++op) {
            pos = NextPosition(random, pos, store.TextLength());
            if (op % 2 == 0)
                store.Insert(pos, op % 8 == 0 ? std::string_view("x\r") : "abc", 40);
            else
                store.Delete(pos, pos + 3);
        }
    }
    State.SetItemsProcessed(std::int64_t(State.iterations()) * Operations);
}

void LoadFile(benchmark::State& State)
{
    const QString name = QDir::tempPath() + QStringLiteral("/bench-text-store-20mb.txt");
    {
        const std::string text = BenchDocument(20 * 1000 * 1000, 3);
        TFileStream file(name, fmCreate);
        file.WriteBuffer(text.data(), std::int64_t(text.size()));
    }
    TMemoCore memo;
    for (auto _ : State) {
        TFileStream file(name, fmOpenRead | fmShareDenyNone);
        memo.LoadFromStream(file);
        benchmark::DoNotOptimize(memo.TextLength());
        State.PauseTiming(); // freeing the document is not loading it
        memo.Clear();
        State.ResumeTiming();
    }
    State.SetBytesProcessed(std::int64_t(State.iterations()) * 20 * 1000 * 1000);
    QFile::remove(name);
}

} // namespace

BENCHMARK(EditorEdits)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(StoreEdits)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
