// The HTML label's layout: a small HTML subset laid out line by line into draw runs (texts with
// their fonts, pictures, rules and fills, each at its place), which the label paints and tests read.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QString>

class TImageList;

struct THTMLDrawRun {
    enum TKind { rkText, rkPicture, rkRule, rkFill };
    TKind Kind = rkText;
    // The word with its trailing blank (text runs).
    QString Text;
    // The font of a text run: family, size, bold, italic, underline, strike-out.
    QFont Font;
    // The colour of a text, a rule or a fill.
    QColor Color;
    QRect Box;
    QImage Picture;
    // The link target the run belongs to; empty outside links.
    QString Anchor;
};

struct THTMLLayoutInput {
    QString Text;
    // Where the text goes; lines that would end below it are left out when Clip is set.
    QRect Rect;
    bool Clip = true;
    QFont Font;
    QColor FontColor;
    QColor URLColor = Qt::blue;
    // Where the system colour names and the system pictures' background come from.
    QPalette Palette;
    // The pictures of "idx:" sources; none when null.
    const TImageList* Images = nullptr;
};

struct THTMLLayout {
    QList<THTMLDrawRun> Runs;
    // The words without the tags, "\r" for each BR.
    QString PlainText;
    // The widest line and the height of all lines laid out.
    int Width = 0;
    int Height = 0;

    // The link target of the run under Point; empty when none.
    QString AnchorAt(const QPoint& Point) const;
};

// Lays out Input.Text: each line is measured first (its width, height and alignment) and then
// placed at its aligned x. A "<" with no ">" after it ends the text there.
THTMLLayout LayoutHTML(const THTMLLayoutInput& Input);
