// TLogLineDelegate: draws the lines of the FTP log with a picture chosen by their first character.
#pragma once

#include <QStyledItemDelegate>

class TImageList;

// The picture of a log line: "!" a notice, "*" an error, "<" a reply, ">" a command, else plain.
int LogLineImage(const QString& Line);
// The text drawn for a log line: without its marking first character when it has one.
QString LogLineText(const QString& Line);

// The picture at x 2 and the text at the picture's width + 4, both centred vertically, in the list
// box's own colours.
class TLogLineDelegate : public QStyledItemDelegate {
public:
    TLogLineDelegate(TImageList& Images, QObject* Parent);

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

private:
    TImageList& images_;
};
