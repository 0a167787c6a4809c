// TTabSet and its owner-drawn tab bar.
#include "app/bottom_tabs/tab_set.h"

#include "platform/graphics/image_list.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace {

constexpr int TabHeight = 18;
// The space between a tab's frame and its picture, on either side.
constexpr int TabMargin = 4;

} // namespace

TTabSetBar::TTabSetBar(const TImageList& Images, QWidget* Parent) : QTabBar(Parent), images_(Images)
{
    setDrawBase(false);
    setExpanding(false);
    // The selected tab's caption is wider: the tabs are laid out again for every change.
    connect(this, &QTabBar::currentChanged, this, [this] { setIconSize(iconSize()); });
}

QFont TTabSetBar::TabFont(int Index) const
{
    QFont font = (FontSource ? FontSource : this)->font();
    font.setBold(Index == currentIndex());
    return font;
}

QColor TTabSetBar::TabColor(int Index) const
{
    return Index == currentIndex() ? ColorToQColor(SelectedTabColor) : palette().color(QPalette::WindowText);
}

QSize TTabSetBar::tabSizeHint(int Index) const
{
    // TabSetMeasureTab: the caption's width in its font, the picture and 6 pixels.
    const int caption = QFontMetrics(TabFont(Index)).horizontalAdvance(tabText(Index));
    return {caption + images_.Width() + 6 + 2 * TabMargin, TabHeight};
}

void TTabSetBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        DrawTab(painter, i, tabRect(i).adjusted(TabMargin, 0, -TabMargin, 0));
    }
}

void TTabSetBar::DrawTab(QPainter& Painter, int Index, const QRect& Rect) const
{
    const int image = tabData(Index).toInt();
    Painter.drawImage(Rect.left(), Rect.top() + (Rect.height() - images_.Height()) / 2,
                      images_.GetImage(image));
    Painter.setFont(TabFont(Index));
    Painter.setPen(TabColor(Index));
    const QRect text(Rect.left() + images_.Width() + 3, Rect.top() - 1, Rect.width(), Rect.height());
    Painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, tabText(Index));
}

TTabSet::TTabSet(const TImageList& Images, QWidget* Parent)
    : QTabWidget(Parent), bar_(new TTabSetBar(Images, this))
{
    setTabBar(bar_);
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
}

int TTabSet::AddTab(QWidget* Page, const QString& Caption, int ImageIndex)
{
    const int index = addTab(Page, Caption);
    bar_->setTabData(index, ImageIndex);
    return index;
}
