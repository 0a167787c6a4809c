// LayoutHTML: the two passes over each line, the tags and the pictures.
#include "dialogs/html_layout.h"

#include "dialogs/file_type_icon.h"
#include "dialogs/html_colors.h"
#include "platform/graphics/image_list.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QRegularExpression>

QString THTMLLayout::AnchorAt(const QPoint& Point) const
{
    for (const THTMLDrawRun& run : Runs) {
        if (!run.Anchor.isEmpty() && run.Box.contains(Point))
            return run.Anchor;
    }
    return {};
}

namespace {

// The font and the modes a line starts with and the tags change.
struct TRenderState {
    QFont Font;
    QColor Color;
    QString SavedFamily;
    qreal SavedSize = 0;
    QColor SavedColor;
    QColor AnchorSavedColor;
    QColor Brush;
    QColor SavedBrush;
    bool InAnchor = false;
    bool Sub = false;
    bool Sup = false;
    QString Anchor;
    int Align = 0; // 0 left, 1 right, 2 centre
};

// What the measuring pass finds out about a line.
struct TLineMetrics {
    int Width = 0;
    int Height = 0;
    int SubOffset = 0;
    int SupOffset = 0;
    int Align = 0;
};

// What a tag does to the line.
enum TTagEffect { teContinue, teEndLineAfter };

QString Attribute(const QString& Tag, const char* Name)
{
    const QRegularExpression pattern(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(QLatin1String(Name)),
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(Tag);
    return match.hasMatch() ? match.captured(1) : QString();
}

int TextHeight(const QFont& Font, const QString& Text)
{
    return QFontMetrics(Font).size(Qt::TextSingleLine, Text).height();
}

class TLayoutEngine {
public:
    explicit TLayoutEngine(const THTMLLayoutInput& Input) : in_(Input)
    {
        state_.Font = Input.Font;
        state_.Color = Input.FontColor;
        state_.SavedFamily = Input.Font.family();
        state_.SavedSize = Input.Font.pointSizeF();
        state_.SavedColor = Input.FontColor;
        state_.AnchorSavedColor = Input.FontColor;
    }

    THTMLLayout Run()
    {
        const QString& text = in_.Text;
        const QRect& rect = in_.Rect;
        if (text.isEmpty()) {
            out_.Height = TextHeight(in_.Font, QStringLiteral("gh"));
            return out_;
        }
        int top = rect.top();
        qsizetype pos = 0;
        while (pos < text.size()) {
            TRenderState measured = state_;
            TLineMetrics line;
            const qsizetype next = Line(pos, measured, false, rect.left(), top, line);
            const int lineStep = line.Height + line.SubOffset + line.SupOffset;
            if (in_.Clip && top + lineStep > rect.bottom() + 1 && top > rect.top())
                break;
            int x = rect.left();
            if (line.Align == 1)
                x = rect.right() + 1 - line.Width;
            else if (line.Align == 2)
                x = rect.left() + (rect.width() - line.Width) / 2;
            Line(pos, state_, true, x, top, line);
            top += lineStep;
            out_.Height += lineStep;
            out_.Width = qMax(out_.Width, line.Width);
            if (next <= pos)
                break;
            pos = next;
        }
        return out_;
    }

private:
    // Lays out one line from Pos, measuring only or placing runs (Place), and returns where the
    // next line starts. When placing, Line holds the measured metrics and is left alone.
    qsizetype Line(qsizetype Pos, TRenderState& State, bool Place, int LineX, int LineTop, TLineMetrics& Line)
    {
        const QString& text = in_.Text;
        const int lineWidth = in_.Rect.width();
        int x = LineX;
        int height = 0, subOffset = 0, supOffset = 0, baselineOffset = 0, blankWidth = 0;
        bool placed = false;
        // The bottom the line's words stand on, known when placing.
        const int bottom = LineTop + Line.SupOffset + Line.Height;
        while (Pos < text.size()) {
            if (text[Pos] == QLatin1Char('<')) {
                const qsizetype close = text.indexOf(QLatin1Char('>'), Pos);
                if (close < 0) {
                    Pos = text.size(); // an unclosed tag ends the text
                    break;
                }
                const QString tag = text.mid(Pos + 1, close - Pos - 1);
                TPicture picture;
                const TTagEffect effect = Tag(tag, State, Place, LineX, LineTop, Line, x, picture);
                if (!picture.Image.isNull() || picture.Width > 0) {
                    if (x - LineX + picture.Width > lineWidth && picture.Width < lineWidth && placed)
                        break;
                    if (Place) {
                        THTMLDrawRun run;
                        run.Kind = THTMLDrawRun::rkPicture;
                        run.Box = QRect(x, bottom - picture.Height - baselineOffset, picture.Width, picture.Height);
                        run.Picture = picture.Image;
                        run.Anchor = State.InAnchor ? State.Anchor : QString();
                        out_.Runs << run;
                    }
                    x += picture.Width;
                    height = qMax(height, picture.Height);
                    const int textHeight = TextHeight(State.Font, QStringLiteral("gh"));
                    if (picture.Align == QLatin1String("top"))
                        baselineOffset = height - textHeight;
                    else if (picture.Align == QLatin1String("middle"))
                        baselineOffset = (height - textHeight) / 2;
                    placed = true;
                    blankWidth = 0;
                }
                Pos = close + 1;
                if (effect == teEndLineAfter)
                    break;
                continue;
            }
            qsizetype end = text.indexOf(QLatin1Char('<'), Pos);
            const qsizetype blank = text.indexOf(QLatin1Char(' '), Pos);
            if (end < 0)
                end = text.size();
            if (blank >= 0 && blank < end)
                end = blank + 1;
            const QString word = text.mid(Pos, end - Pos);
            const QFontMetrics metrics(State.Font);
            const int wordWidth = metrics.horizontalAdvance(word);
            const int wordHeight = metrics.height();
            if (x - LineX + wordWidth > lineWidth && wordWidth < lineWidth && placed)
                break;
            const int offset = wordHeight / 4;
            if (State.Sub)
                subOffset = qMax(subOffset, offset);
            if (State.Sup)
                supOffset = qMax(supOffset, offset);
            height = qMax(height, wordHeight);
            if (Place) {
                THTMLDrawRun run;
                run.Text = word;
                run.Font = State.Font;
                run.Color = State.Color;
                const int shift = (State.Sub ? offset : 0) - (State.Sup ? offset : 0) - baselineOffset;
                run.Box = QRect(x, bottom + shift - wordHeight, wordWidth, wordHeight);
                run.Anchor = State.InAnchor ? State.Anchor : QString();
                out_.Runs << run;
                out_.PlainText += word;
            }
            x += wordWidth;
            placed = true;
            blankWidth = word.endsWith(QLatin1Char(' ')) ? metrics.horizontalAdvance(QLatin1Char(' ')) : 0;
            Pos = end;
        }
        if (!Place) {
            Line.Width = x - LineX - blankWidth;
            Line.Height = height > 0 ? height : TextHeight(State.Font, QStringLiteral("gh"));
            Line.SubOffset = subOffset;
            Line.SupOffset = supOffset;
            Line.Align = State.Align;
        }
        return Pos;
    }

    struct TPicture {
        QImage Image;
        int Width = 0;
        int Height = 0;
        QString Align;
    };

    TTagEffect Tag(const QString& Tag, TRenderState& State, bool Place, int LineX, int LineTop,
                   const TLineMetrics& Line, int& X, TPicture& Picture)
    {
        const QString name = Tag.section(QRegularExpression(QStringLiteral("\\s")), 0, 0).toUpper();
        if (name == QLatin1String("A")) {
            State.Font.setUnderline(true);
            State.AnchorSavedColor = State.Color;
            State.Color = in_.URLColor;
            State.InAnchor = true;
            State.Anchor = Attribute(Tag, "href");
        } else if (name == QLatin1String("/A")) {
            State.Font.setUnderline(false);
            State.Color = State.AnchorSavedColor;
            State.InAnchor = false;
            State.Anchor.clear();
        } else if (name == QLatin1String("B") || name == QLatin1String("/B")) {
            State.Font.setBold(name == QLatin1String("B"));
        } else if (name == QLatin1String("I") || name == QLatin1String("/I")) {
            State.Font.setItalic(name == QLatin1String("I"));
        } else if (name == QLatin1String("U") || name == QLatin1String("/U")) {
            State.Font.setUnderline(name == QLatin1String("U"));
        } else if (name == QLatin1String("S") || name == QLatin1String("/S")) {
            State.Font.setStrikeOut(name == QLatin1String("S"));
        } else if (name == QLatin1String("SUB") || name == QLatin1String("SUP")) {
            (name == QLatin1String("SUB") ? State.Sub : State.Sup) = true;
        } else if (name == QLatin1String("/SUB") || name == QLatin1String("/SUP")) {
            State.Sub = State.Sup = false;
        } else if (name == QLatin1String("BR")) {
            if (Place)
                out_.PlainText += QLatin1Char('\r');
            return teEndLineAfter;
        } else if (name == QLatin1String("/P")) {
            return teEndLineAfter;
        } else if (name == QLatin1String("P")) {
            const QString align = Attribute(Tag, "align").toLower();
            if (align.contains(QLatin1String("right")))
                State.Align = 1;
            if (align.contains(QLatin1String("left")))
                State.Align = 0;
            if (align.contains(QLatin1String("center")))
                State.Align = 2;
        } else if (name == QLatin1String("HR")) {
            if (Place) {
                THTMLDrawRun rule;
                rule.Kind = THTMLDrawRun::rkRule;
                rule.Color = Qt::black;
                rule.Box = QRect(in_.Rect.left(), LineTop + Line.SupOffset + Line.Height + 1, in_.Rect.width(), 1);
                out_.Runs << rule;
            }
            return teEndLineAfter;
        } else if (name == QLatin1String("BODY")) {
            const QColor color = HTMLColor(Attribute(Tag, "bgcolor"), in_.Palette);
            if (Place && color.isValid()) {
                State.SavedBrush = State.Brush;
                State.Brush = color;
                THTMLDrawRun fill;
                fill.Kind = THTMLDrawRun::rkFill;
                fill.Color = color;
                fill.Box = in_.Rect;
                out_.Runs << fill;
            }
        } else if (name == QLatin1String("FONT")) {
            State.SavedFamily = State.Font.family();
            State.SavedSize = State.Font.pointSizeF();
            State.SavedColor = State.Color;
            const QString face = Attribute(Tag, "face");
            if (!face.isEmpty())
                State.Font.setFamily(face);
            const QColor color = HTMLColor(Attribute(Tag, "color"), in_.Palette);
            if (color.isValid())
                State.Color = color;
            const QColor background = HTMLColor(Attribute(Tag, "bgcolor"), in_.Palette);
            if (Place && background.isValid()) {
                State.SavedBrush = State.Brush;
                State.Brush = background;
            }
            bool ok = false;
            const int size = Attribute(Tag, "size").toInt(&ok);
            if (ok && size > 0)
                State.Font.setPointSize(size);
        } else if (name == QLatin1String("/FONT")) {
            State.Font.setFamily(State.SavedFamily);
            if (State.SavedSize > 0)
                State.Font.setPointSizeF(State.SavedSize);
            State.Color = State.SavedColor;
            if (Place)
                State.Brush = State.SavedBrush;
        } else if (name == QLatin1String("IND")) {
            bool ok = false;
            const int indent = Attribute(Tag, "x").toInt(&ok);
            if (ok && X < LineX + indent)
                X = LineX + indent;
        } else if (name == QLatin1String("IMG")) {
            Picture = LoadPicture(Attribute(Tag, "src"));
            Picture.Align = Attribute(Tag, "align").toLower();
        }
        return teContinue;
    }

    TPicture LoadPicture(const QString& Source) const
    {
        TPicture picture;
        auto fromList = [&](const TImageList& List, int Index) {
            if (Index < 0 || Index >= List.Count())
                return;
            picture.Image = List.GetImage(Index);
            picture.Width = List.Width();
            picture.Height = List.Height();
        };
        if (Source.startsWith(QLatin1String("idx:"), Qt::CaseInsensitive)) {
            bool ok = false;
            const int index = Source.mid(4).toInt(&ok);
            if (ok && in_.Images)
                fromList(*in_.Images, index);
        } else if (Source.startsWith(QLatin1String("ssys:"), Qt::CaseInsensitive) ||
                   Source.startsWith(QLatin1String("lsys:"), Qt::CaseInsensitive)) {
            const bool large = Source[0].toLower() == QLatin1Char('l');
            const QString rest = Source.mid(5);
            bool isNumber = false;
            int index = rest.toInt(&isNumber);
            if (!isNumber)
                index = IconIndexByName(rest, rest.endsWith(QLatin1Char('/')));
            picture.Image = SystemIconImage(index, large);
            picture.Width = picture.Image.width();
            picture.Height = picture.Image.height();
        } else if (Source.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
            const QString path = Source.mid(7);
            if (QFileInfo(path).isFile() && picture.Image.load(path)) {
                picture.Width = picture.Image.width();
                picture.Height = picture.Image.height();
            }
        }
        return picture;
    }

    const THTMLLayoutInput& in_;
    TRenderState state_;
    THTMLLayout out_;
};

} // namespace

THTMLLayout LayoutHTML(const THTMLLayoutInput& Input)
{
    return TLayoutEngine(Input).Run();
}
