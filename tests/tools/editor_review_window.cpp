// A test-only program for reviewing the editor's painting by eye: a window holding the editor with
// a fixed document (hand-set token bytes and styles, TABs, a long wrapped line, line numbers,
// bookmarks, a breakpoint, the execution point, a mark, a selection and both guides). Once the
// window is on the screen it saves a picture of the whole screen and quits.
//
//   editor_review_window <picture.png> [plain]
//
// With "plain" word wrap is off and every character shows (blanks, TABs and line ends), so that
// the long line runs past the right edge.
//
// Run it on an X server with a window manager, e.g. xvfb-run with openbox.
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"

#include "screen_picture.h"

#include <QApplication>
#include <QWindow>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

void runFolderInits(); // generated for the program

namespace {

const char* const Document =
    "// Tarnwick review fixture\r"
    "int main(void)\r"
    "{\r"
    "\tint count = 0;\r"
    "\tfor (int i = 0; i < 10; ++i)\r"
    "\t\tcount += i; /* add */\r"
    "\treturn count;\r"
    "}\r"
    "A long line that word wrap breaks into several segments at the wrap column, so that the "
    "gutter shows the wrap glyph beside every segment after the first one of the line.\r"
    "last line";

// Tokens: 1 comment, 2 keyword, 3 number; everything else 0.
std::vector<std::uint8_t> TokensOf(const std::string& Text)
{
    std::vector<std::uint8_t> tokens(Text.size(), 0);
    const auto isLetter = [&](std::size_t At) { return At < Text.size() && std::isalnum(static_cast<unsigned char>(Text[At])); };
    // Whole words only.
    const auto mark = [&](const std::string& Word, std::uint8_t Token) {
        for (std::size_t at = Text.find(Word); at != std::string::npos; at = Text.find(Word, at + 1))
            if (!(at > 0 && isLetter(at - 1)) && !isLetter(at + Word.size()))
                std::fill_n(tokens.begin() + std::ptrdiff_t(at), Word.size(), Token);
    };
    for (const char* keyword : {"int", "for", "return", "void"})
        mark(keyword, 2);
    for (const char* number : {"0", "10"})
        mark(number, 3);
    mark("// Tarnwick review fixture", 1);
    mark("/* add */", 1);
    return tokens;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    runFolderInits();
    if (argc < 2) {
        std::fputs("usage: editor_review_window <picture.png>\n", stderr);
        return 2;
    }
    TCustomSyntaxMemo memo;
    memo.SetCaretBlinking(false);
    TSM_Settings& settings = memo.Settings();
    settings.SetStyleEffects(1, {fsItalic, 0x008000, clWhite, 0, 0, 0, 0, 1});
    settings.SetStyleEffects(2, {fsBold, 0x800000, clWhite, 0, 0, 0, 0, 1});
    settings.SetStyleEffects(3, {0, 0x0000C0, 0xE0FFFF, 0, 0, 0, 0, 1});
    for (int token = 1; token <= 3; ++token)
        settings.SetTokenStyle(token, token);
    settings.FontName = QStringLiteral("DejaVu Sans Mono");
    memo.setFont(QFont(settings.FontName, 11));
    memo.SetOptions(memo.Options() | (1u << smoLineNumbers) | (1u << smoShowWrapColumn) | (1u << smoShowRMargin) |
                    (1u << smoShowWrapGlyph));
    memo.SetWrapAtColumn(60);
    memo.SetRightMargin(64);
    const bool plain = argc > 2 && QByteArray(argv[2]) == "plain";
    memo.SetWordWrap(!plain);
    if (plain)
        memo.SetOptions(memo.Options() | (1u << smoShowAllChars));
    memo.resize(760, 420);
    memo.setWindowTitle(QStringLiteral("Editor review"));

    memo.SetTextBuffer(Document);
    std::string stored;
    for (const TLineRecord* line = memo.TextStore().FirstLine(); line; line = line->Next)
        stored += line->Text;
    const std::vector<std::uint8_t> tokens = TokensOf(stored);
    memo.SetTokenBytes(tokens, nullptr);

    memo.SetBookmark(1, 2, 1);
    memo.SetBookmark(3, 6, 1);
    TTextStore& store = memo.TextStore();
    auto breakpoint = std::make_unique<TSM_BreakpointData>(0, true, QStringLiteral("stop"), 0);
    breakpoint->Position = memo.LineIndex(4);
    store.Breakpoints().Add(std::move(breakpoint));
    store.CodeBreaks().Marker()->Position = memo.LineIndex(6);
    store.CodeBreaks().Marker()->SetActive(true);
    memo.AddMark(memo.LineIndex(5) + 8, 5, 0);
    store.LineByIndex(7)->MarkGlyphs = 1u << 13;
    memo.HideSelection = false;
    memo.SetSelection(memo.LineIndex(1) + 4, memo.LineIndex(3) + 5);

    memo.show();
    memo.activateWindow();
    memo.setFocus();
    return SaveScreenPicture(
        [&] { return memo.windowHandle() && memo.windowHandle()->isExposed() && memo.hasFocus(); },
        [&] {
            memo.viewport()->repaint();
            app.processEvents();
        },
        argv[1]);
}
