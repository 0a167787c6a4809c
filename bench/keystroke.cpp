// Typing into a generated 20 MB web page highlighted by the "Web Documents" parser, through the
// shown editor, beside a QPlainTextEdit holding the same text (without wrapping, as the editor
// shows it). 1,000 characters at four places (mid-text, inside a tag, in a script block, inside
// the 200 KB minified line), each timed from the key event to the end of the repaint it causes;
// the median and the 99th percentile of each. Last, apart, the keys of opening "<!--" near the
// top: once on the page as it is (the comment ends at the next "-->"), once on the page with
// every "-->" broken, so that the rest of the page turns into a comment; there also letters typed
// into the comment just opened, how long the run then goes on in idle time (and its longest turn
// of the event loop), letters typed deep inside the comment, and whether the token bytes left in
// the end equal those of a full pass.
// Needs an X server with a window manager:
//   xvfb-run -a sh -c 'openbox & build/bench_keystroke [size in MB]'
#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/rtl/object.h"
#include "web_page.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TPlace {
    const char* Name;
    int Position;
};

// The places typed at, as character positions (each line end counts one in both editors).
std::vector<TPlace> Places(const std::string& Page)
{
    std::size_t longLine = 0;
    for (std::size_t start = 0, end; (end = Page.find('\n', start)) != std::string::npos; start = end + 1) {
        if (end - start > 100000) {
            longLine = start + 100000;
            break;
        }
    }
    const std::size_t size = Page.size();
    return {{"mid-text", int(Page.find(">alpha", size / 3) + 3)},
            {"inside a tag", int(Page.find("<div ", size / 4) + 5)},
            {"script block", int(Page.find("\tvar ", size * 2 / 3) + 1)},
            {"long line", int(longLine)}};
}

// Counts the paints of a viewport.
class TPaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(Watched, Event);
    }
};

// One editor under test: its widget, the viewport it paints and how the caret is put.
struct TEditorUnderTest {
    const char* Name;
    QAbstractScrollArea* Widget;
    std::function<void(int)> PutCaret;
    std::vector<double> Times;
};

// Types C and waits for the repaint it causes; the milliseconds from the key event to its end.
double Keystroke(TEditorUnderTest& Editor, TPaintCounter& Counter, char C)
{
    const int key = C >= 'a' && C <= 'z' ? Qt::Key_A + (C - 'a') : int(C);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QLatin1Char(C)));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QLatin1Char(C)));
    Counter.Paints = 0;
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(Editor.Widget, &press);
    QApplication::sendEvent(Editor.Widget, &release);
    QApplication::processEvents();
    const QDeadlineTimer deadline(1000);
    while (Counter.Paints == 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return double(timer.nsecsElapsed()) / 1e6;
}

// Lets the pending paints and deferred work end before the next measurement.
void Settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 100)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

double Percentile(std::vector<double> Times, double Fraction)
{
    std::sort(Times.begin(), Times.end());
    return Times[std::min(Times.size() - 1, std::size_t(Fraction * double(Times.size())))];
}

void TypeAtPlaces(TEditorUnderTest& Editor, const std::vector<TPlace>& Places)
{
    TPaintCounter counter;
    Editor.Widget->viewport()->installEventFilter(&counter);
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    for (const TPlace& place : Places) {
        Editor.PutCaret(place.Position);
        Settle();
        std::vector<double> times;
        for (int i = 0; i < 250; ++i)
            times.push_back(Keystroke(Editor, counter, letters[std::size_t(i) % letters.size()]));
        std::printf("  %-22s %-13s median %7.3f ms  p99 %7.3f ms  worst %7.3f ms\n", Editor.Name, place.Name,
                    Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0));
        Editor.Times.insert(Editor.Times.end(), times.begin(), times.end());
    }
    std::printf("%-24s all places    median %7.3f ms  p99 %7.3f ms  (goal p99 < 16 ms)\n", Editor.Name,
                Percentile(Editor.Times, 0.5), Percentile(Editor.Times, 0.99));
    Editor.Widget->viewport()->removeEventFilter(&counter);
}

// Types Count letters, each timed from the key event to the end of its repaint.
void TypeLetters(TEditorUnderTest& Editor, TPaintCounter& Counter, int Count, const char* What)
{
    std::vector<double> times;
    for (int i = 0; i < Count; ++i)
        times.push_back(Keystroke(Editor, Counter, char('a' + i % 26)));
    std::printf("  %d letters typed %s: median %.3f ms  worst %.3f ms\n", Count, What, Percentile(times, 0.5),
                Percentile(times, 1.0));
}

// Types "<!--" at Position, then (with Typed) that many letters into the comment just opened.
void OpenComment(TEditorUnderTest& Editor, int Position, int Typed = 0)
{
    TPaintCounter counter;
    Editor.Widget->viewport()->installEventFilter(&counter);
    Editor.PutCaret(Position);
    Settle();
    std::printf("%-24s \"<!--\" near the top:", Editor.Name);
    for (const char c : std::string("<!--"))
        std::printf(" '%c' %.1f ms", c, Keystroke(Editor, counter, c));
    std::printf("\n");
    if (Typed > 0)
        TypeLetters(Editor, counter, Typed, "into the comment");
    Editor.Widget->viewport()->removeEventFilter(&counter);
}

// Types letters at Position, deep inside a comment that began far above: every key makes the run
// go back to the comment's start.
void TypeDeepInComment(TEditorUnderTest& Editor, int Position, int Count)
{
    TPaintCounter counter;
    Editor.Widget->viewport()->installEventFilter(&counter);
    Editor.PutCaret(Position);
    Settle();
    TypeLetters(Editor, counter, Count, "deep inside the comment, mid-text");
    Editor.Widget->viewport()->removeEventFilter(&counter);
}

// Lets the run go on in idle time to its end: the time it took and its longest turn of the event
// loop (what a key pressed meanwhile waits at most).
void FinishInIdleTime(TSyntaxMemo& Memo)
{
    QElapsedTimer total;
    total.start();
    double longest = 0;
    int turns = 0;
    while (Memo.HighlightingPending()) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents(QEventLoop::AllEvents);
        longest = std::max(longest, double(turn.nsecsElapsed()) / 1e6);
        ++turns;
    }
    std::printf(
        "  the rest of the run in idle time: %.0f ms in %d turns of the event loop, the longest %.1f ms\n",
        double(total.nsecsElapsed()) / 1e6, turns, longest);
}

// The token bytes of the whole text.
std::vector<std::uint8_t> TokenBytes(TSyntaxMemo& Memo)
{
    std::vector<std::uint8_t> bytes(std::size_t(Memo.TextLength()));
    Memo.GetTokenBytes(bytes, nullptr);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::size_t(std::atoi(argv[1])) : 20;
    const std::string page = TPageWriter().Page(megabytes * 1000 * 1000);
    const std::vector<TPlace> places = Places(page);
    const int top = int(page.find('\n', page.find("<body")) + 1);

    TComponent owner;
    const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);
    TSyntaxMemo memo;
    memo.SetParser(1, parsers.front());
    memo.resize(1000, 700);
    memo.show();
    QElapsedTimer loading;
    loading.start();
    memo.SetText(page);
    std::printf("ours: %d characters loaded and highlighted by \"%s\" in %.0f ms\n", memo.TextLength(),
                qPrintable(parsers.front()->Settings().Name), double(loading.nsecsElapsed()) / 1e6);
    TEditorUnderTest ours{
        "ours (Web Documents)", &memo, [&](int Position) { memo.SetSelection(Position, Position); }, {}};

    QPlainTextEdit plain;
    plain.setLineWrapMode(QPlainTextEdit::NoWrap);
    plain.resize(1000, 700);
    plain.show();
    loading.restart();
    plain.setPlainText(QString::fromLatin1(page.data(), qsizetype(page.size())));
    std::printf("QPlainTextEdit: loaded in %.0f ms\n", double(loading.nsecsElapsed()) / 1e6);
    TEditorUnderTest peer{"QPlainTextEdit",
                          &plain,
                          [&](int Position) {
                              QTextCursor cursor = plain.textCursor();
                              cursor.setPosition(Position);
                              plain.setTextCursor(cursor);
                              plain.ensureCursorVisible();
                          },
                          {}};

    TypeAtPlaces(ours, places);
    TypeAtPlaces(peer, places);
    OpenComment(ours, top);
    std::printf("  lines the last run highlighted: %d\n", memo.HighlightedLines());
    OpenComment(peer, top);

    // The same page with no comment end anywhere, so that the comment runs on to the end.
    std::string unclosed = page;
    for (std::size_t at = 0; (at = unclosed.find("-->", at)) != std::string::npos;)
        unclosed[at + 2] = ']';
    memo.SetText(unclosed);
    Settle();
    OpenComment(ours, top, 50);
    std::printf("  (no comment end in the page) lines the last run highlighted: %d of %d\n",
                memo.HighlightedLines(), memo.LineCount());
    FinishInIdleTime(memo);
    TypeDeepInComment(ours, places[0].Position, 50);
    FinishInIdleTime(memo);

    // The bytes the run left are those of one full pass over the same text.
    TSyntaxMemo fresh;
    fresh.SetParser(1, parsers.front());
    fresh.SetText(memo.TextStore().GetText(0, memo.TextLength()));
    fresh.FinishHighlighting();
    std::printf("  token bytes %s those of a full pass\n",
                TokenBytes(memo) == TokenBytes(fresh) ? "equal" : "DIFFER FROM");
    return 0;
}
