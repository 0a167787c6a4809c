// The token of every character of a memo's text from one position on, as a language parser reads it.
#pragma once

#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/document/text_store.h"
#include "highlighter/syntax_memo_parser.h"

#include <cstdint>
#include <vector>

// One token byte per character scanned; BadStart is the start of the first token that was empty or
// did not end where its length said (the scan stops there), else -1.
struct TTokenScan {
    std::vector<std::uint8_t> Bytes;
    int BadStart = -1;
    int BadLength = 0;
    int BadEnd = 0;
};

// Scans from From to the end of the text, starting in the states of Context.
inline TTokenScan ScanTokenBytes(TSyntaxMemoParser& Parser, TMemoCore& Memo, int From, int Context)
{
    TEdStream stream(&Memo);
    stream.SetRange(Memo.TextStore().FirstLine(), 0, 0);
    stream.SetPosition(From);
    Parser.ResetState(std::uint8_t(Context));
    TTokenScan scan;
    while (!stream.EndOfText()) {
        const int start = stream.GetPosition();
        int length = 0;
        const std::uint8_t token = Parser.NextToken(nullptr, stream, length);
        if (length < 1 || stream.GetPosition() != start + length) {
            scan.BadStart = start;
            scan.BadLength = length;
            scan.BadEnd = stream.GetPosition();
            break;
        }
        scan.Bytes.insert(scan.Bytes.end(), std::size_t(length), token);
    }
    return scan;
}
