// Random edits against a plain string model: after every edit the store's text, structure, line
// lookups (with the cached top line at the start, middle and end) and character stream agree with
// the model; then every edit is undone back to the start and redone to the end again.
// HFTP_EDITOR_SEEDS sets the number of seeds (default 40).
#include "editor/document/ed_stream.h"
#include "memo_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace {

int SeedCount()
{
    const char* value = std::getenv("HFTP_EDITOR_SEEDS");
    return value && std::atoi(value) > 0 ? std::atoi(value) : 40;
}

// The store's form of one block, written out rule by rule.
std::string NormalisedBlock(std::string_view Block)
{
    std::string out;
    for (std::size_t i = 0; i < Block.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(Block[i]);
        const bool pair = i + 1 < Block.size() &&
                          ((c == '\r' && Block[i + 1] == '\n') || (c == '\n' && Block[i + 1] == '\r'));
        if (c == '\r' || c == '\n') {
            out += '\r';
            i += pair ? 1 : 0;
        } else {
            out += c == '\t' || c >= 32 ? char(c) : '.';
        }
    }
    return out;
}

// What the store holds after inserting Raw: the text normalised in 8192-byte blocks, a block
// never ending in the CR of a CR LF pair.
std::string Normalised(std::string_view Raw)
{
    std::string out;
    while (!Raw.empty()) {
        std::size_t n = std::min<std::size_t>(Raw.size(), 8192);
        if (n == 8192 && Raw[8191] == '\r')
            n = 8191;
        out += NormalisedBlock(Raw.substr(0, n));
        Raw.remove_prefix(n);
    }
    return out;
}

class TEditScript {
public:
    explicit TEditScript(unsigned Seed) : random_(Seed) {}

    int Below(int Limit)
    {
        return Limit <= 0 ? 0 : std::uniform_int_distribution<int>(0, Limit - 1)(random_);
    }
    bool OneIn(int N) { return Below(N) == 0; }

    std::string Text()
    {
        static const std::string pieces[] = {
            "a", "b", "xyz", " ", "\t", "\r", "\n", "\r\n", "\n\r", std::string(1, '\0'), "\x07", "\xe9"};
        std::string text;
        if (OneIn(25)) {
            // A line long enough to be cut into continuation records.
            text.assign(std::size_t(2100 + Below(3000)), char('k' + Below(5)));
        } else if (OneIn(60)) {
            // More than one insertion block.
            while (text.size() < 9000) {
                if (OneIn(3))
                    text.append("\r\n");
                else
                    text.append(std::size_t(1 + Below(90)), 'q');
            }
        } else {
            const int count = Below(4) == 0 ? 0 : 1 + Below(12);
            for (int i = 0; i < count; ++i)
                text += pieces[Below(int(std::size(pieces)))];
        }
        return text;
    }

private:
    std::mt19937 random_;
};

// The start of each record, read from the chain itself.
std::vector<int> RecordStarts(const TTextStore& Store)
{
    std::vector<int> starts;
    int start = 0;
    for (const TLineRecord* line = Store.FirstLine(); line; line = line->Next) {
        starts.push_back(start);
        start += line->Length();
    }
    return starts;
}

void CheckLookups(TTestMemo& Memo, const std::string& Model, TEditScript& Script)
{
    TTextStore& store = Memo.TextStore();
    const std::vector<int> starts = RecordStarts(store);
    const int length = int(Model.size());
    // Without continuation records every record is one line: line indexes count line ends.
    bool plainLines = true;
    for (const TLineRecord* line = store.FirstLine(); line; line = line->Next)
        plainLines = plainLines && !line->IsContinuation();
    const int savedTop = Memo.TopLine();
    for (const int top : {0, int(starts.size()) / 2, int(starts.size()) - 1}) {
        Memo.SetTopLine(top);
        for (int probe = 0; probe < 12; ++probe) {
            const int pos = probe == 0 ? 0 : probe == 1 ? length : Script.Below(length + 1);
            int index = -1;
            int start = -1;
            const TLineRecord* line = store.LineAt(pos, &index, &start);
            if (starts.empty()) {
                EXPECT_EQ(line, nullptr);
                continue;
            }
            const int expected =
                int(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
            ASSERT_EQ(index, std::min(expected, int(starts.size()) - 1)) << "pos " << pos << " top " << top;
            EXPECT_EQ(start, starts[std::size_t(index)]);
            EXPECT_EQ(line, RecordAt(store, index));
            EXPECT_EQ(Memo.LineFromChar(pos), index);
            EXPECT_EQ(Memo.LineIndex(index), start);
            if (plainLines && pos < length) {
                EXPECT_EQ(index, int(std::count(Model.begin(), Model.begin() + pos, '\r')));
            }
        }
    }
    Memo.SetTopLine(savedTop);
}

void CheckStream(TTestMemo& Memo, const std::string& Model, TEditScript& Script, bool Walk)
{
    TEdStream stream(&Memo);
    const int length = int(Model.size());
    stream.SetRange(Memo.TextStore().FirstLine(), 0, 0);
    EXPECT_EQ(stream.Seek(0, soEnd), length);
    EXPECT_EQ(stream.Size(), length);
    if (Walk) {
        std::string read;
        stream.SetPosition(0);
        while (!stream.EndOfText()) {
            read += stream.CurrentChar();
            stream.Next();
        }
        EXPECT_EQ(read, Model);
        EXPECT_EQ(stream.GetPosition(), length);
        std::string back;
        while (stream.GetPosition() > 0) {
            stream.Back();
            back += stream.CurrentChar();
        }
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(back, Model);
    }
    for (int probe = 0; probe < 4 && length > 0; ++probe) {
        const int pos = Script.Below(length);
        stream.SetPosition(pos);
        ASSERT_EQ(stream.CurrentChar(), Model[std::size_t(pos)]) << "pos " << pos;
        std::string rest(std::size_t(length - pos), '\0');
        EXPECT_EQ(stream.Read(rest.data(), std::int64_t(rest.size()) + 5), length - pos);
        EXPECT_EQ(rest, Model.substr(std::size_t(pos)));
        EXPECT_EQ(stream.Seek(length - pos, soEnd), pos);
        EXPECT_EQ(stream.CurrentChar(), Model[std::size_t(pos)]);
    }
}

void CheckState(TTestMemo& Memo, const std::string& Model, TEditScript& Script, bool Walk)
{
    ASSERT_EQ(StoreText(Memo.TextStore()), Model);
    ASSERT_EQ(Memo.TextStore().CheckInvariants(), "");
    CheckLookups(Memo, Model, Script);
    CheckStream(Memo, Model, Script, Walk);
}

} // namespace

TEST(TextStoreProperty, RandomEditsMatchAPlainStringAndUndoRedoRoundTrips)
{
    const int seeds = SeedCount();
    for (int seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TEditScript script{unsigned(seed)};
        TTestMemo memo;
        std::string model;
        std::vector<std::string> history{model};
        std::vector<std::pair<int, int>> selectionsBefore;
        std::vector<std::pair<int, int>> selectionsAfter;
        const int edits = 60 + script.Below(80);
        for (int edit = 0; edit < edits; ++edit) {
            if (script.OneIn(4))
                memo.SetTopLine(script.Below(memo.LineCount()));
            const int length = int(model.size());
            int a = script.Below(length + 1);
            int b = script.OneIn(3) ? a : script.Below(length + 1);
            if (length > 12000)
                b = std::min(length, a + 3000);
            const std::string text = length > 12000 ? std::string() : script.Text();
            selectionsBefore.emplace_back(a, b);
            memo.Replace(a, b, text);
            const auto [start, end] = OrderRange(a, b);
            const std::string inserted = Normalised(text);
            model.replace(std::size_t(start), std::size_t(end - start), inserted);
            history.push_back(model);
            selectionsAfter.emplace_back(start + int(inserted.size()), start + int(inserted.size()));
            ASSERT_EQ(memo.SelEnd(), start + int(inserted.size()));
            ASSERT_NO_FATAL_FAILURE(CheckState(memo, model, script, edit % 10 == 0));
        }
        ASSERT_TRUE(memo.Modified());

        // Every replacement is one block: one undo each, back to the empty start.
        for (int step = edits - 1; step >= 0; --step) {
            ASSERT_TRUE(memo.CanUndo());
            memo.Undo();
            ASSERT_EQ(StoreText(memo.TextStore()), history[std::size_t(step)]) << "undo to " << step;
            ASSERT_EQ(std::pair(memo.SelStart(), memo.SelEnd()), selectionsBefore[std::size_t(step)]);
            ASSERT_EQ(memo.TextStore().CheckInvariants(), "");
        }
        EXPECT_FALSE(memo.CanUndo());
        EXPECT_FALSE(memo.Modified());
        ASSERT_NO_FATAL_FAILURE(CheckState(memo, history.front(), script, true));

        for (int step = 1; step <= edits; ++step) {
            ASSERT_TRUE(memo.CanRedo());
            memo.Redo();
            ASSERT_EQ(StoreText(memo.TextStore()), history[std::size_t(step)]) << "redo to " << step;
            ASSERT_EQ(std::pair(memo.SelStart(), memo.SelEnd()), selectionsAfter[std::size_t(step - 1)]);
            ASSERT_EQ(memo.TextStore().CheckInvariants(), "");
        }
        EXPECT_FALSE(memo.CanRedo());
        ASSERT_NO_FATAL_FAILURE(CheckState(memo, model, script, true));
    }
}
