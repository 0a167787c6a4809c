// The palette window: drawing, hit testing, selection and closing.
#include "highlighter/options/color_button_palette.h"

#include "highlighter/options/color_dialog.h"
#include "highlighter/options/custom_color_entries.h"
#include "highlighter/options/guarded.h"
#include "highlighter/options/palette_geometry.h"

#include "platform/rtl/events.h"
#include "platform/rtl/resource_strings.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The default colours, row by row (y 1..5), x 1..4 in each row.
constexpr win::COLORREF DefaultPalette[palette::Rows][palette::Columns] = {
    {win::RGB(255, 255, 255), win::RGB(0, 0, 0), win::RGB(191, 191, 191), win::RGB(127, 127, 127)},
    {win::RGB(255, 0, 0), win::RGB(127, 0, 0), win::RGB(255, 255, 0), win::RGB(127, 127, 0)},
    {win::RGB(0, 255, 0), win::RGB(0, 127, 0), win::RGB(0, 255, 255), win::RGB(0, 127, 127)},
    {win::RGB(0, 0, 255), win::RGB(0, 0, 127), win::RGB(255, 0, 255), win::RGB(127, 0, 127)},
    {win::RGB(191, 215, 191), win::RGB(159, 191, 239), win::RGB(255, 247, 239), win::RGB(159, 159, 159)},
};

QColor Sys(int Index)
{
    return ColorToQColor(clSystemColor | Index);
}

// A one-pixel frame: TopLeft on the top and left edges, BottomRight on the others; the rectangle
// shrinks by one.
void Frame3D(QPainter& Painter, QRect& Rect, const QColor& TopLeft, const QColor& BottomRight)
{
    Painter.setPen(TopLeft);
    Painter.drawLine(Rect.topLeft(), Rect.topRight());
    Painter.drawLine(Rect.topLeft(), Rect.bottomLeft());
    Painter.setPen(BottomRight);
    Painter.drawLine(Rect.bottomLeft(), Rect.bottomRight());
    Painter.drawLine(Rect.topRight(), Rect.bottomRight());
    Rect.adjust(1, 1, -1, -1);
}

} // namespace

void FillDefaultPalette(TColorArrayClass& Colors)
{
    for (int y = 1; y <= palette::Rows; ++y)
        for (int x = 1; x <= palette::Columns; ++x)
            Colors.SetColor(x, y, TColor(DefaultPalette[y - 1][x - 1]));
}

TTSM_DFSColorButtonPalette::TTSM_DFSColorButtonPalette(QWidget* Parent)
    : QWidget(Parent, Qt::Tool | Qt::FramelessWindowHint), otherColor_(clBtnFace)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    FillDefaultPalette(PaletteColors);
    btnOther = new QPushButton(LoadStr(4363), this);
    btnOther->setObjectName(QStringLiteral("btnOther"));
    btnOther->setGeometry(2, palette::OtherTop, palette::OtherWidth, palette::OtherHeight);
    connect(btnOther, &QPushButton::clicked, this, [this] { RunGuarded([this] { OtherClick(); }); });
    setFixedSize(palette::ClientWidth, palette::ClientHeight);
    // The application losing activation closes the palette, unless the colour dialog is up.
    deactivation_ = connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState State) {
        if (State != Qt::ApplicationActive && !dialogOpen_)
            close();
    });
}

TTSM_DFSColorButtonPalette::~TTSM_DFSColorButtonPalette()
{
    disconnect(deactivation_);
}

void TTSM_DFSColorButtonPalette::SetOtherColor(TColor Value)
{
    otherColor_ = Value;
    update(palette::CellRect(palette::SwatchCell));
}

void TTSM_DFSColorButtonPalette::SelectCurrent(TColor Color)
{
    const win::COLORREF rgb = ColorToRGB(Color);
    for (int y = 1; y <= palette::Rows; ++y)
        for (int x = 1; x <= palette::Columns; ++x)
            if (ColorToRGB(PaletteColors.Color(x, y)) == rgb) {
                hotCell_ = QPoint(x, y);
                update();
                return;
            }
    SetOtherColor(Color);
}

TColor TTSM_DFSColorButtonPalette::CellColor(QPoint Cell) const
{
    return Cell == palette::SwatchCell ? otherColor_ : PaletteColors.Color(Cell.x(), Cell.y());
}

void TTSM_DFSColorButtonPalette::DrawCell(QPainter& Painter, QPoint Cell, bool Hot)
{
    QRect rect = palette::CellRect(Cell, width()).adjusted(0, 0, -1, -1);
    if (Hot) {
        Frame3D(Painter, rect, Sys(win::COLOR_3DDKSHADOW), Sys(win::COLOR_3DDKSHADOW));
        Frame3D(Painter, rect, Sys(win::COLOR_BTNHIGHLIGHT), Sys(win::COLOR_BTNHIGHLIGHT));
        Frame3D(Painter, rect, Sys(win::COLOR_3DDKSHADOW), Sys(win::COLOR_3DDKSHADOW));
    } else {
        Frame3D(Painter, rect, Sys(win::COLOR_WINDOW), Sys(win::COLOR_WINDOW));
        Frame3D(Painter, rect, Sys(win::COLOR_BTNSHADOW), Sys(win::COLOR_BTNHIGHLIGHT));
        Frame3D(Painter, rect, Sys(win::COLOR_3DDKSHADOW), Sys(win::COLOR_3DLIGHT));
    }
    Painter.fillRect(rect.adjusted(0, 0, 1, 1), ColorToQColor(CellColor(Cell)));
}

void TTSM_DFSColorButtonPalette::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Sys(win::COLOR_BTNFACE));
    for (int y = 1; y <= palette::Rows; ++y)
        for (int x = 1; x <= palette::Columns; ++x)
            DrawCell(painter, QPoint(x, y), hotCell_ == QPoint(x, y));
    DrawCell(painter, palette::SwatchCell, hotCell_ == palette::SwatchCell);
    painter.setPen(Sys(win::COLOR_BTNSHADOW));
    painter.drawLine(2, palette::ShadowLineY, width() - 2, palette::ShadowLineY);
    painter.setPen(Sys(win::COLOR_BTNHIGHLIGHT));
    painter.drawLine(2, palette::HighlightLineY, width() - 2, palette::HighlightLineY);
}

void TTSM_DFSColorButtonPalette::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint cell = palette::CellAt(Event->position().toPoint(), width());
    if (cell != palette::NoCell && cell != hotCell_) {
        hotCell_ = cell;
        update();
    }
}

void TTSM_DFSColorButtonPalette::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint cell = palette::CellAt(Event->position().toPoint(), width());
    RunGuarded([&] {
        if (OnSelected && cell != palette::NoCell)
            Fire(OnSelected, static_cast<TObject*>(this), CellColor(cell));
    });
    close();
}

void TTSM_DFSColorButtonPalette::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(Event);
}

void TTSM_DFSColorButtonPalette::closeEvent(QCloseEvent* Event)
{
    if (dialogOpen_) {
        Event->ignore();
        return;
    }
    Event->accept();
    disconnect(deactivation_);
    RunGuarded([this] { Fire(OnClosed, static_cast<TObject*>(this)); });
}

void TTSM_DFSColorButtonPalette::OtherClick()
{
    TColor color = otherColor_;
    QStringList entries = CustomColorEntries(CustomColors);
    dialogOpen_ = true;
    bool accepted = false;
    try {
        accepted = ExecuteColorDialog(this, color, entries);
    } catch (...) {
        dialogOpen_ = false;
        throw;
    }
    dialogOpen_ = false;
    if (!accepted)
        return;
    SetOtherColor(color);
    ReadCustomColorEntries(entries, CustomColors);
    Fire(OnSelected, static_cast<TObject*>(this), otherColor_);
    close();
}
