// The HTML label, on its draw runs: fonts, plain text, links to the event and to the shell,
// centred paragraphs, pictures, automatic size, colours and an unclosed tag.
#include "dialogs/dialog_pictures.h"
#include "dialogs/html_colors.h"
#include "dialogs/html_label.h"

#include "platform/graphics/image_list.h"
#include "platform/shellapi/shell_execute.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFontMetrics>
#include <QTest>

namespace {

// The wizard's welcome text.
const QStringList WelcomeText = {
    "<P align=\"center\"><B>Welcome to the Server Profile Wizard</B></P><BR>",
    "This wizard helps you create a new server profile. Click <A href=\"start\">start</A> to begin, ",
    "or write to <A href=\"mailto:support@example.com\">support</A>.",
};

THTMLLayout Laid(const QString& Text, int Width = 400, int Height = 300)
{
    THTMLLayoutInput input;
    input.Text = Text;
    input.Rect = QRect(0, 0, Width, Height);
    input.Font = QFont();
    input.FontColor = Qt::black;
    return LayoutHTML(input);
}

const THTMLDrawRun* RunOf(const THTMLLayout& Layout, const QString& Word)
{
    for (const THTMLDrawRun& run : Layout.Runs) {
        if (run.Kind == THTMLDrawRun::rkText && run.Text.trimmed() == Word)
            return &run;
    }
    return nullptr;
}

// Replaces the shell's launcher while it lives.
struct TLaunches {
    QList<QUrl> Urls;
    TShellLauncher previous;
    TLaunches()
    {
        previous = SetShellLauncher([this](const TShellLaunch& Launch) {
            Urls << Launch.Url;
            return true;
        });
    }
    ~TLaunches() { SetShellLauncher(previous); }
};

} // namespace

TEST(HTMLabel, BoldWordAmongPlainOnesAndThePlainText)
{
    const THTMLLayout layout = Laid("one <b>two</b> three <i>four</i> <u>five</u> <s>six</s>");
    EXPECT_EQ(layout.PlainText, "one two three four five six");
    const struct {
        const char* Word;
        bool Bold, Italic, Underline, StrikeOut;
    } cases[] = {
        {"one", false, false, false, false}, {"two", true, false, false, false},
        {"three", false, false, false, false}, {"four", false, true, false, false},
        {"five", false, false, true, false}, {"six", false, false, false, true},
    };
    for (const auto& c : cases) {
        const THTMLDrawRun* run = RunOf(layout, c.Word);
        ASSERT_NE(run, nullptr) << c.Word;
        EXPECT_EQ(run->Font.bold(), c.Bold) << c.Word;
        EXPECT_EQ(run->Font.italic(), c.Italic) << c.Word;
        EXPECT_EQ(run->Font.underline(), c.Underline) << c.Word;
        EXPECT_EQ(run->Font.strikeOut(), c.StrikeOut) << c.Word;
    }
    // One line, the words one after another.
    EXPECT_EQ(RunOf(layout, "two")->Box.left(), RunOf(layout, "one")->Box.right() + 1);
    EXPECT_EQ(RunOf(layout, "two")->Box.bottom(), RunOf(layout, "one")->Box.bottom());
}

TEST(HTMLabel, LinesBreakAtTagsAndWrapAtWords)
{
    const THTMLLayout breaks = Laid("first<br>second<hr>third");
    EXPECT_EQ(breaks.PlainText, "first\rsecondthird");
    EXPECT_LT(RunOf(breaks, "first")->Box.top(), RunOf(breaks, "second")->Box.top());
    EXPECT_LT(RunOf(breaks, "second")->Box.top(), RunOf(breaks, "third")->Box.top());
    ASSERT_TRUE(std::any_of(breaks.Runs.begin(), breaks.Runs.end(),
                            [](const THTMLDrawRun& Run) { return Run.Kind == THTMLDrawRun::rkRule; }));

    const QFontMetrics metrics{QFont()};
    const int width = metrics.horizontalAdvance("alpha beta ");
    const THTMLLayout wrapped = Laid("alpha beta gamma delta", width + 2);
    EXPECT_EQ(RunOf(wrapped, "alpha")->Box.top(), RunOf(wrapped, "beta")->Box.top());
    EXPECT_GT(RunOf(wrapped, "gamma")->Box.top(), RunOf(wrapped, "beta")->Box.top());
    EXPECT_EQ(RunOf(wrapped, "gamma")->Box.left(), 0);
    EXPECT_EQ(wrapped.PlainText, "alpha beta gamma delta");

    EXPECT_EQ(Laid("").Height, metrics.size(0, "gh").height());
}

TEST(HTMLabel, CentredParagraphsUntilAnotherAlignment)
{
    const int width = 400;
    const THTMLLayout layout =
        Laid("<p align=\"center\">short</p>centred too<br><p align=\"right\">right</p><P ALIGN=\"left\">left", width);
    for (const char* word : {"short"}) {
        const QRect box = RunOf(layout, word)->Box;
        EXPECT_EQ(box.left(), (width - box.width()) / 2) << word;
    }
    const QRect centred = RunOf(layout, "centred")->Box;
    const QFontMetrics metrics{QFont()};
    EXPECT_EQ(centred.left(), (width - metrics.horizontalAdvance("centred too")) / 2);
    EXPECT_EQ(RunOf(layout, "right")->Box.right(), width - 1);
    EXPECT_EQ(RunOf(layout, "left")->Box.left(), 0);
}

TEST(HTMLabel, PicturesTakeTheirRoomOrNoneWhenMissing)
{
    TImageList& images = LabelImages();
    ASSERT_EQ(images.Count(), 1);
    THTMLLayoutInput input;
    input.Rect = QRect(0, 0, 400, 100);
    input.Images = &images;
    input.Text = "a<img src=\"idx:0\">b<img src=\"idx:5\">c<img src=\"file:///no/such.png\">d";
    const THTMLLayout layout = LayoutHTML(input);
    const QFontMetrics metrics(input.Font);
    EXPECT_EQ(RunOf(layout, "b")->Box.left(), metrics.horizontalAdvance("a") + 16);
    EXPECT_EQ(RunOf(layout, "c")->Box.left(), RunOf(layout, "b")->Box.right() + 1); // idx:5 takes no room
    EXPECT_EQ(RunOf(layout, "d")->Box.left(), RunOf(layout, "c")->Box.right() + 1);
    int pictures = 0;
    for (const THTMLDrawRun& run : layout.Runs) {
        if (run.Kind == THTMLDrawRun::rkPicture) {
            ++pictures;
            EXPECT_EQ(run.Box.size(), QSize(16, 16));
            EXPECT_FALSE(run.Picture.isNull());
        }
    }
    EXPECT_EQ(pictures, 1);

    // System icons by a name that exists nowhere, small and large.
    input.Text = "<img src=\"ssys:/no/such/notes.txt\"><img src=\"lsys:notes.txt\">";
    const THTMLLayout icons = LayoutHTML(input);
    ASSERT_EQ(icons.Runs.size(), 2);
    EXPECT_EQ(icons.Runs[0].Box.size(), QSize(16, 16));
    EXPECT_EQ(icons.Runs[1].Box.size(), QSize(32, 32));
    EXPECT_FALSE(icons.Runs[1].Picture.isNull());
}

TEST(HTMLabel, ColourNamesAndHexValues)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    const struct {
        const char* Value;
        QColor Expected;
    } cases[] = {
        {"clRed", QColor(255, 0, 0)},   {"clNavy", QColor(0, 0, 128)},  {"clbtnface", QColor(1, 2, 3)},
        {"clHighlight", QColor(4, 5, 6)}, {"clnosuch", QColor(0, 0, 0)}, {"#FF8000", QColor(255, 128, 0)},
        {"#00ff7f", QColor(0, 255, 127)}, {"red", QColor()},             {"#12", QColor()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HTMLColor(c.Value, palette), c.Expected) << c.Value;
    const THTMLLayout layout = Laid("<font color=\"clGreen\" size=\"20\">big</font> small <a href=\"x\">link</a>");
    EXPECT_EQ(RunOf(layout, "big")->Color, QColor(0, 128, 0));
    EXPECT_EQ(RunOf(layout, "big")->Font.pointSize(), 20);
    EXPECT_EQ(RunOf(layout, "small")->Color, QColor(Qt::black));
    EXPECT_EQ(RunOf(layout, "link")->Color, QColor(Qt::blue));
    EXPECT_TRUE(RunOf(layout, "link")->Font.underline());
}

TEST(HTMLabel, UnclosedTagEndsTheText)
{
    QDeadlineTimer deadline(5000);
    const THTMLLayout layout = Laid("abc <b");
    EXPECT_FALSE(deadline.hasExpired());
    EXPECT_EQ(layout.PlainText, "abc ");
    EXPECT_EQ(Laid("<").PlainText, "");
    EXPECT_EQ(Laid("x <b>y</b").PlainText, "x y");
}

TEST(HTMLabel, LinksGoToTheEventOrToTheShell)
{
    TLaunches launches;
    THTMLabel label;
    label.resize(420, 200);
    label.SetHTMLText(WelcomeText);
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    QStringList clicked, entered;
    label.OnAnchorClick = [&](TObject*, const QString& Anchor) { clicked << Anchor; };
    label.OnAnchorEnter = [&](TObject*, const QString& Anchor) { entered << Anchor; };
    const THTMLLayout layout = label.Layout();
    const QPoint start = RunOf(layout, "start")->Box.center();
    const QPoint support = RunOf(layout, "support")->Box.center();
    EXPECT_EQ(label.HitTest(start.x(), start.y()), "start");
    EXPECT_EQ(label.HitTest(2, 199), "");

    QStringList left;
    label.OnAnchorExit = [&](TObject*, const QString& Anchor) { left << Anchor; };
    QTest::mouseMove(&label, start);
    EXPECT_EQ(entered, QStringList({"start"}));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&label, QPoint(2, 199));
    EXPECT_EQ(left, QStringList({""}));
    EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&label, start);
    EXPECT_EQ(entered, QStringList({"start", "start"}));
    QTest::mouseClick(&label, Qt::LeftButton, {}, start);
    EXPECT_EQ(clicked, QStringList({"start"}));
    EXPECT_TRUE(launches.Urls.isEmpty());

    QTest::mouseClick(&label, Qt::LeftButton, {}, support);
    EXPECT_EQ(clicked.size(), 1);
    ASSERT_EQ(launches.Urls.size(), 1);
    EXPECT_EQ(launches.Urls[0].toString(), "mailto:support@example.com");

    // The title line is centred and bold.
    const THTMLDrawRun* welcome = RunOf(layout, "Welcome");
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->Font.bold());
    EXPECT_GT(welcome->Box.left(), 20);
}

TEST(HTMLabel, AutoSizingMakesTheLabelSixPixelsWiderThanItsText)
{
    THTMLabel label;
    label.resize(50, 10);
    label.SetAutoSizing(true);
    label.SetHTMLText({"A one-line ", "<b>label</b>"});
    const QFontMetrics plain(label.font());
    QFont boldFont = label.font();
    boldFont.setBold(true);
    const int textWidth = plain.horizontalAdvance("A one-line ") + QFontMetrics(boldFont).horizontalAdvance("label");
    EXPECT_EQ(label.width(), textWidth + 6);
    EXPECT_EQ(label.height(), QFontMetrics(boldFont).height() + 6);
    EXPECT_EQ(label.PlainText(), "A one-line label");
}
