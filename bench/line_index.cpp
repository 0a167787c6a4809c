// Random access into the editor's document: 10,000 edits through the editor, each at a random
// place, in a 1 MB and a 20 MB text. Finding the record of a position should cost about the same in
// both (goal: at most 1.5 times the cost per edit at 20 times the size).
//   build/bench_line_index [--benchmark_filter=...]
#include "editor/document/memo_core.h"

#include "bench_documents.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int Operations = 10000;

// Each edit selects a random place (sometimes three characters there) and replaces the selection;
// line starts by number are asked for as a jump would. The undo log is emptied between rounds.
void RandomEdits(benchmark::State& State)
{
    TMemoCore memo;
    memo.SetText(BenchDocument(std::size_t(State.range(0)) * 1000 * 1000, 1));
    std::mt19937 random(2);
    for (auto _ : State) {
        for (int op = 0; op < Operations; ++op) {
            const int length = memo.TextLength();
            const int pos = int(random() % unsigned(length - 8));
            memo.SetSelection(pos, op % 2 == 0 ? pos : pos + 3);
            memo.ReplaceSelection(op % 2 == 0 ? (op % 8 == 0 ? std::string_view("x\r\n") : "abc") : "");
            benchmark::DoNotOptimize(memo.LineIndex(int(random() % unsigned(memo.LineCount()))));
        }
        State.PauseTiming();
        memo.SetModified(false);
        State.ResumeTiming();
    }
    State.SetItemsProcessed(std::int64_t(State.iterations()) * Operations);
}

} // namespace

BENCHMARK(RandomEdits)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
