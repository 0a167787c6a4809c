// A test-only program for reviewing the print preview by eye: an editor's text of three pages
// (a header with title and date, numbered lines, a long line wrapped for print) paginated and shown
// in the preview window. Once the window is on the screen it saves a picture of the whole screen
// and quits.
//
//   preview_review_window <picture.png> [two | grid]
//
// "two" shows two pages side by side, "grid" the one-inch grid at 100%.
//
// Run it on an X server with a window manager, e.g. xvfb-run with openbox.
#include "editor/custom_syntax_memo.h"
#include "editor/preview_printer.h"
#include "editor/widgets/preview_form.h"

#include "screen_picture.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#include <string>

void runFolderInits(); // generated for the program

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    runFolderInits();
    if (argc < 2) {
        std::fputs("usage: preview_review_window <picture.png> [two | grid]\n", stderr);
        return 2;
    }
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    TCustomSyntaxMemo memo;
    memo.Title = QStringLiteral("review.txt");
    std::string text = "A long line that printing wraps into rows after blanks, so that only its first row "
                       "carries the line number and the rows after it start at the text's left edge.\r";
    for (int n = 2; n <= 150; ++n)
        text += "Line " + std::to_string(n) + " of the review document\r";
    memo.SetText(text);

    TPreviewPrinter printer;
    printer.ShowGrid = mode == "grid";
    printer.ZoomOption = mode == "two" ? zoTwoPages : zoFitToPage;
    printer.PaginateSyntaxMemo(memo);
    TPreviewForm form(printer);
    if (mode == "grid")
        form.ZoomBox->setCurrentIndex(6); // 100%
    form.show();
    form.activateWindow();
    return SaveScreenPicture([&] { return form.windowHandle() && form.windowHandle()->isExposed(); },
                             [&] {
                                 // Room for the window manager's last moves.
                                 QDeadlineTimer settle(500);
                                 while (!settle.hasExpired())
                                     app.processEvents(QEventLoop::AllEvents, 50);
                             },
                             argv[1]);
}
