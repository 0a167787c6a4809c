// Fuzz target: the first byte chooses one of the seven language parsers, the rest is a text. Every
// token is at least one character long, the tokens cover the text, nothing is raised, and a scan
// resumed at the start of a run of equal tokens whose token is an anchor gives the tokens the scan
// from the start gave there.
#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/document/text_store.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "../highlighter/token_scan.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr int MaxRestarts = 8;

const std::vector<TSyntaxMemoParser*>& Parsers()
{
    static TComponent owner;
    static const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);
    return parsers;
}

std::vector<std::uint8_t> TokenBytes(TSyntaxMemoParser& Parser, TMemoCore& Memo, int From, int Context)
{
    TTokenScan scan = ScanTokenBytes(Parser, Memo, From, Context);
    if (scan.BadStart >= 0)
        std::abort();
    return std::move(scan.Bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    TSyntaxMemoParser& parser = *Parsers()[data[0] % Parsers().size()];
    TMemoCore memo;
    memo.SetText(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const std::vector<std::uint8_t> bytes = TokenBytes(parser, memo, 0, 0);
    if (int(bytes.size()) != memo.TextLength())
        std::abort();
    int restarts = 0;
    for (std::size_t p = 0; p < bytes.size() && restarts < MaxRestarts; ++p) {
        if ((p > 0 && bytes[p - 1] == bytes[p]) || !parser.AnchorStates.Contains(bytes[p]))
            continue;
        ++restarts;
        const std::vector<std::uint8_t> resumed = TokenBytes(parser, memo, int(p), bytes[p]);
        if (!std::equal(resumed.begin(), resumed.end(), bytes.begin() + std::ptrdiff_t(p), bytes.end()))
            std::abort();
    }
    return 0;
}
