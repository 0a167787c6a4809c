// TTabSet: the bottom area's tab set, whose tabs its owner draws: a picture of the window's small
// image list before each caption, the selected caption bold in pure blue.
#pragma once

#include "platform/graphics/colors.h"

#include <QTabBar>
#include <QTabWidget>

class TImageList;

// The colour of the selected tab's caption, as the window stores it (blue-green-red: pure blue).
constexpr TColor SelectedTabColor = 16711680;

// The tab bar: each tab's picture index is its tab data. Tabs are 18 pixels high and as wide as
// their picture and caption (the caption measured bold for the selected tab).
class TTabSetBar : public QTabBar {
    Q_OBJECT
public:
    TTabSetBar(const TImageList& Images, QWidget* Parent);

    // The font the captions are drawn in (the bar's own while unset).
    QWidget* FontSource = nullptr;

    // The caption font of tab Index: bold for the selected tab.
    QFont TabFont(int Index) const;
    // The caption colour of tab Index.
    QColor TabColor(int Index) const;

protected:
    QSize tabSizeHint(int Index) const override;
    QSize minimumTabSizeHint(int Index) const override { return tabSizeHint(Index); }
    void paintEvent(QPaintEvent* Event) override;

private:
    // TabSetDrawTab: the picture at the left edge of Rect, the caption after it.
    void DrawTab(QPainter& Painter, int Index, const QRect& Rect) const;

    const TImageList& images_;
};

class TTabSet : public QTabWidget {
    Q_OBJECT
public:
    TTabSet(const TImageList& Images, QWidget* Parent);

    // Adds Page under Caption with picture ImageIndex of the image list.
    int AddTab(QWidget* Page, const QString& Caption, int ImageIndex);
    TTabSetBar* Bar() const { return bar_; }

private:
    TTabSetBar* bar_;
};
