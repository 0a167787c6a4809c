// The print preview window: its tool bar, status bar and page area built in code, the layout of
// the pages by the zoom list, navigation, the zoom and hand tools, and the page boxes' painting.
#include "editor/widgets/preview_form.h"

#include "editor/preview_printer.h"
#include "editor/widgets/go_page_form.h"

#include "platform/rtl/format.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QToolButton>
#include <algorithm>
#include <array>

namespace {

// The factors of the zoom list's fixed entries, after "Fit To Page", "Fit To Width" and "Custom".
constexpr std::array<double, 9> FixedZooms{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// The room left around the pages in the scroll box.
constexpr int PageGap = 20;

// A magnifying glass: the cursor of the zoom tool, its hot spot in the middle of the glass.
QCursor ZoomCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(19, 19, 29, 29);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(12, 12), 9, 9);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(8, 12, 16, 12);
    painter.drawLine(12, 8, 12, 16);
    painter.end();
    return QCursor(picture, 12, 12);
}

// Hints show as tool tips and, while the pointer is over the control, in the status bar.
template <class Widget>
Widget* Hinted(Widget* Control, const QString& Hint)
{
    Control->setToolTip(Hint);
    Control->setStatusTip(Hint);
    return Control;
}

QToolButton* SpeedButton(const QString& Text, const QString& Hint, bool Checkable, QWidget* Parent)
{
    auto* button = Hinted(new QToolButton(Parent), Hint);
    button->setText(Text);
    button->setCheckable(Checkable);
    button->setAutoRaise(true);
    return button;
}

QLabel* StatusPanel(const QString& Hint, QWidget* Parent)
{
    auto* label = Hinted(new QLabel(Parent), Hint);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

// --- the page boxes ---

TPageBox::TPageBox(TPreviewForm& Form, int Offset, QWidget* Parent) : QWidget(Parent), form_(Form), offset_(Offset)
{
    Hinted(this, QStringLiteral("Page View.  With Zoom Tool, left or right click to zoom in/out.  "
                                "Click & drag with Hand Tool to pan."));
}

int TPageBox::PageIndex() const
{
    if (offset_ > 0 && !form_.TwoPageBut->isChecked())
        return -1;
    const int index = form_.CurrentPage() + offset_;
    return index < form_.Printer().PageCount() ? index : -1;
}

// The page's recording is stretched from the physical page onto the box; the grid has a line
// every inch.
void TPageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int index = PageIndex();
    const TPreviewPrinter& printer = form_.Printer();
    const int width = printer.PhysicalWidth();
    const int height = printer.PhysicalHeight();
    if (index < 0 || width <= 0 || height <= 0)
        return;
    DrawPage(painter, form_.Printer().Page(index), rect());
    if (!form_.GridBut->isChecked())
        return;
    painter.setWindow(0, 0, width, height);
    painter.setViewport(rect());
    painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
    const int inchX = std::max(1, printer.PixelsPerInchX());
    const int inchY = std::max(1, printer.PixelsPerInchY());
    for (int i = 1; i <= width / inchX; ++i)
        painter.drawLine(i * inchX, 0, i * inchX, height);
    for (int i = 1; i <= height / inchY; ++i)
        painter.drawLine(0, i * inchY, width, i * inchY);
}

void TPageBox::mousePressEvent(QMouseEvent* Event)
{
    const QPoint point = Event->position().toPoint();
    if (form_.HandTool())
        form_.HandPress(point);
    else if (Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton)
        form_.ZoomAt(*this, point, Event->button());
}

void TPageBox::mouseMoveEvent(QMouseEvent* Event)
{
    form_.HandMove(Event->position().toPoint());
}

void TPageBox::mouseReleaseEvent(QMouseEvent*)
{
    form_.HandRelease();
}

// --- the window ---

TPreviewForm::TPreviewForm(TPreviewPrinter& Printer, TComponent* AOwner) : TForm(AOwner), printer_(Printer)
{
    setWindowTitle(QStringLiteral("Preview Form"));
    // Its designed size for when it is restored; it opens maximised.
    SetClientSize(706, 504);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    BuildPageArea();
    BuildStatusBar();
    layout->addWidget(ToolBarPanel);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(StatBarPanel);
    setWindowState(Qt::WindowMaximized);
    SetTool(true);
    ScrollBox1->viewport()->installEventFilter(this);

    GridBut->setChecked(printer_.ShowGrid);
    {
        const QSignalBlocker blocker(ZoomBox);
        switch (printer_.ZoomOption) {
        case zoFitToPage: ZoomBox->setCurrentIndex(ziFitToPage); break;
        case zoFitToWidth: ZoomBox->setCurrentIndex(ziFitToWidth); break;
        case zoTwoPages:
            ZoomBox->setCurrentIndex(ziFitToPage);
            TwoPageBut->setChecked(true);
            break;
        case zoCustom:
            // The layout of the last entry replaces the stored factor.
            zoom_ = printer_.ZoomVal / 100.0;
            ZoomBox->setCurrentIndex(ZoomBox->count() - 1);
            break;
        }
    }
    LayoutPages();
}

void TPreviewForm::BuildToolBar()
{
    ToolBarPanel = new QFrame(this);
    ToolBarPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolBarPanel->setFixedHeight(32);
    auto* bar = new QHBoxLayout(ToolBarPanel);
    bar->setContentsMargins(4, 2, 4, 2);
    PrintBut = Hinted(new QPushButton(QStringLiteral("&Print..."), ToolBarPanel), QStringLiteral("Print the Current Document"));
    PrevPageBut = Hinted(new QPushButton(QStringLiteral("Pre&v"), ToolBarPanel),
                         QStringLiteral("Move to Previous Page in Document"));
    PrevPageBut->setEnabled(false);
    NextPageBut = Hinted(new QPushButton(QStringLiteral("&Next"), ToolBarPanel),
                         QStringLiteral("Advance to Next Page in Document"));
    ZoomBox = Hinted(new QComboBox(ToolBarPanel), QStringLiteral("Displays the Current Zoom Level (100% = normal)"));
    ZoomBox->addItems({QStringLiteral("Fit To Page"), QStringLiteral("Fit To Width"), QStringLiteral("Custom"),
                       QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                       QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("300%"),
                       QStringLiteral("400%")});
    FitPageBut = SpeedButton(QStringLiteral("Fit Page"), QStringLiteral("Fit to Page"), true, ToolBarPanel);
    FitWidthBut = SpeedButton(QStringLiteral("Fit Width"), QStringLiteral("Fit to Width"), true, ToolBarPanel);
    GridBut = SpeedButton(QStringLiteral("Grid"), QStringLiteral("Turns Grid On/Off"), true, ToolBarPanel);
    ZoomCursorBut = SpeedButton(QStringLiteral("Zoom"), QStringLiteral("Selects the Zoom Tool to zoom in or out"), true,
                                ToolBarPanel);
    ZoomCursorBut->setIcon(QIcon(ZoomCursor().pixmap()));
    HandCursorBut = SpeedButton(QStringLiteral("Hand"), QStringLiteral("Selects the Hand Tool to pan across the Page"),
                                true, ToolBarPanel);
    OnePageBut = SpeedButton(QStringLiteral("&1"), QStringLiteral("Display One page at a time"), true, ToolBarPanel);
    OnePageBut->setChecked(true);
    TwoPageBut = SpeedButton(QStringLiteral("&2"), QStringLiteral("Display Two pages side by side"), true, ToolBarPanel);
    CloseBut = Hinted(new QPushButton(QStringLiteral("&Close"), ToolBarPanel), QStringLiteral("Close the Print Preview window"));
    auto* tools = new QButtonGroup(this);
    tools->addButton(ZoomCursorBut);
    tools->addButton(HandCursorBut);
    auto* pages = new QButtonGroup(this);
    pages->addButton(OnePageBut);
    pages->addButton(TwoPageBut);
    for (QWidget* control : std::initializer_list<QWidget*>{PrintBut, PrevPageBut, NextPageBut, ZoomBox, FitPageBut,
                                                             FitWidthBut, GridBut, ZoomCursorBut, HandCursorBut,
                                                             OnePageBut, TwoPageBut})
        bar->addWidget(control);
    bar->addStretch(1);
    bar->addWidget(CloseBut);

    connect(PrintBut, &QPushButton::clicked, this, [this] { printer_.PrintWithDialog(); });
    connect(CloseBut, &QPushButton::clicked, this, &TPreviewForm::reject);
    connect(ZoomBox, &QComboBox::currentIndexChanged, this, &TPreviewForm::ZoomChanged);
    const auto selectZoom = [this](int Entry) {
        const QSignalBlocker blocker(ZoomBox);
        ZoomBox->setCurrentIndex(Entry);
        ZoomChanged();
    };
    connect(FitPageBut, &QToolButton::clicked, this, [selectZoom] { selectZoom(ziFitToPage); });
    connect(FitWidthBut, &QToolButton::clicked, this, [selectZoom] { selectZoom(ziFitToWidth); });
    connect(TwoPageBut, &QToolButton::clicked, this, [selectZoom] { selectZoom(ziFitToPage); });
    connect(OnePageBut, &QToolButton::clicked, this, &TPreviewForm::LayoutPages);
    connect(GridBut, &QToolButton::clicked, this, &TPreviewForm::RepaintPages);
    connect(ZoomCursorBut, &QToolButton::clicked, this, [this] { SetTool(true); });
    connect(HandCursorBut, &QToolButton::clicked, this, [this] { SetTool(false); });
}

void TPreviewForm::BuildStatusBar()
{
    StatBarPanel = new QFrame(this);
    StatBarPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    StatBarPanel->setFixedHeight(28);
    auto* bar = new QHBoxLayout(StatBarPanel);
    bar->setContentsMargins(2, 1, 2, 1);
    auto* moveButPanel = new QWidget(StatBarPanel);
    auto* moves = new QHBoxLayout(moveButPanel);
    moves->setContentsMargins(0, 0, 0, 0);
    moves->setSpacing(0);
    FirstPageSpeed = SpeedButton(QStringLiteral("|<"), QStringLiteral("Go to First Page in Document"), false, moveButPanel);
    PrevPageSpeed = SpeedButton(QStringLiteral("<"), QStringLiteral("Move to Previous Page in Document"), false, moveButPanel);
    NextPageSpeed = SpeedButton(QStringLiteral(">"), QStringLiteral("Advance to Next Page in Document"), false, moveButPanel);
    LastPageSpeed = SpeedButton(QStringLiteral(">|"), QStringLiteral("Go to Last Page in Document"), false, moveButPanel);
    PageNumSpeed = SpeedButton(QStringLiteral("#"), QStringLiteral("Go to Page by Page Number"), false, moveButPanel);
    for (QToolButton* button : {FirstPageSpeed, PrevPageSpeed, NextPageSpeed, LastPageSpeed, PageNumSpeed})
        moves->addWidget(button);
    CurPageLabel = StatusPanel(QStringLiteral("Displays the Current Page of the Document"), StatBarPanel);
    CurPageLabel->setMinimumWidth(110);
    ZoomLabel = StatusPanel(QStringLiteral("Displays the Current Zoom Level (100% = normal)"), StatBarPanel);
    ZoomLabel->setMinimumWidth(60);
    auto* panel1 = new QFrame(StatBarPanel);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* hints = new QHBoxLayout(panel1);
    hints->setContentsMargins(4, 0, 4, 0);
    HintLabel = Hinted(new QLabel(panel1), QStringLiteral("Displays Help for the object beneath the mouse"));
    hints->addWidget(HintLabel);
    bar->addWidget(moveButPanel);
    bar->addWidget(CurPageLabel);
    bar->addWidget(ZoomLabel);
    bar->addWidget(panel1, 1);

    const auto connectMove = [this](QAbstractButton* Button, const std::function<int()>& Target) {
        connect(Button, &QAbstractButton::clicked, this, [this, Target] {
            GoToPage(Target());
            UpdateNavigation();
        });
    };
    const auto next = [this] { return currentPage_ + 1; };
    const auto previous = [this] { return currentPage_ - 1; };
    connectMove(NextPageBut, next);
    connectMove(NextPageSpeed, next);
    connectMove(PrevPageBut, previous);
    connectMove(PrevPageSpeed, previous);
    connectMove(FirstPageSpeed, [] { return 0; });
    connectMove(LastPageSpeed, [this] { return printer_.PageCount() - 1; });
    connect(PageNumSpeed, &QToolButton::clicked, this, &TPreviewForm::GoToPageNumber);
}

void TPreviewForm::BuildPageArea()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setWidgetResizable(false);
    ContainPanel = new QWidget;
    ContainPanel->setAutoFillBackground(true);
    ContainPanel->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setWidget(ContainPanel);
    const auto pagePanel = [this](TPageBox*& Box, int Offset) {
        auto* panel = new QFrame(ContainPanel);
        panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        panel->setAutoFillBackground(true);
        panel->setBackgroundRole(QPalette::Base);
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        Box = new TPageBox(*this, Offset, panel);
        layout->addWidget(Box);
        return panel;
    };
    PagePanel = pagePanel(PB1, 0);
    PagePanel2 = pagePanel(PB2, 1);
    PagePanel2->hide();
}

bool TPreviewForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == ScrollBox1->viewport() && Event->type() == QEvent::Resize)
        LayoutPages();
    return TForm::eventFilter(Watched, Event);
}

// The hint of the control under the pointer shows in the status bar.
bool TPreviewForm::event(QEvent* Event)
{
    if (Event->type() == QEvent::StatusTip) {
        HintLabel->setText(static_cast<QStatusTipEvent*>(Event)->tip());
        return true;
    }
    return TForm::event(Event);
}

void TPreviewForm::showEvent(QShowEvent* Event)
{
    TForm::showEvent(Event);
    GoToPage(0);
    UpdateNavigation();
}

void TPreviewForm::SetTool(bool Zoom)
{
    ZoomCursorBut->setChecked(Zoom);
    HandCursorBut->setChecked(!Zoom);
    const QCursor cursor = Zoom ? ZoomCursor() : QCursor(Qt::PointingHandCursor);
    PB1->setCursor(cursor);
    PB2->setCursor(cursor);
}

bool TPreviewForm::HandTool() const
{
    return HandCursorBut->isChecked();
}

void TPreviewForm::GoToPage(int N)
{
    currentPage_ = N;
    CurPageLabel->setText(QString::asprintf("Page %d of %d", N + 1, printer_.PageCount()));
    RepaintPages();
}

void TPreviewForm::RepaintPages()
{
    PB1->update();
    PB2->update();
}

void TPreviewForm::UpdateNavigation()
{
    const bool next = printer_.PageCount() > currentPage_ + 1;
    const bool previous = currentPage_ >= 1;
    for (QWidget* button : std::initializer_list<QWidget*>{NextPageBut, NextPageSpeed, LastPageSpeed})
        button->setEnabled(next);
    for (QWidget* button : std::initializer_list<QWidget*>{PrevPageBut, PrevPageSpeed, FirstPageSpeed})
        button->setEnabled(previous);
    PageNumSpeed->setEnabled(printer_.PageCount() > 1);
}

void TPreviewForm::GoToPageNumber()
{
    TGoPageForm form;
    form.PageNum->setMaximum(printer_.PageCount());
    form.PageNum->setValue(currentPage_ + 1);
    if (form.ShowModal() != mrOk)
        return;
    GoToPage(form.PageNum->value() - 1);
    UpdateNavigation();
}

void TPreviewForm::ZoomChanged()
{
    LayoutPages();
    LayoutPages();
}

void TPreviewForm::LayoutPages()
{
    ++layoutCount_;
    const int entry = std::max(0, ZoomBox->currentIndex());
    FitPageBut->setChecked(entry == ziFitToPage);
    FitWidthBut->setChecked(entry == ziFitToWidth);

    const QSize room = ScrollBox1->viewport()->size();
    const double formInch = logicalDpiY();
    const double pageHeightInches = double(printer_.PhysicalHeight()) / std::max(1, printer_.PixelsPerInchY());
    const double pageWidthInches = double(printer_.PhysicalWidth()) / std::max(1, printer_.PixelsPerInchX());
    double factor = zoom_;
    if (entry == ziFitToPage && pageHeightInches > 0)
        factor = (room.height() - PageGap) / formInch / pageHeightInches;
    else if (entry == ziFitToWidth && pageWidthInches > 0)
        factor = (room.width() - PageGap) / formInch / pageWidthInches;
    else if (entry > ziCustom)
        factor = FixedZooms[std::size_t(entry - ziCustom - 1)];
    // Two pages side by side only fit whole pages.
    if (entry != ziFitToPage)
        OnePageBut->setChecked(true);

    const bool twoPages = TwoPageBut->isChecked();
    const int pageHeight = int(formInch * factor * pageHeightInches);
    const int pageWidth = int(formInch * factor * pageWidthInches);
    const int contentWidth = pageWidth + PageGap + (twoPages ? pageWidth + PageGap : 0);
    const int contentHeight = pageHeight + PageGap;
    ContainPanel->resize(std::max(contentWidth, room.width() - 1), std::max(contentHeight, room.height() - 1));
    const int containerWidth = ContainPanel->width();
    const int containerHeight = ContainPanel->height();
    const int top = containerHeight > pageHeight + PageGap ? containerHeight / 2 - pageHeight / 2 : 10;
    const int left = contentWidth < containerWidth ? containerWidth / 2 - (contentWidth - PageGap) / 2 : 10;
    PagePanel->setGeometry(left, top, pageWidth, pageHeight);
    PagePanel2->setGeometry(left + pageWidth + PageGap, top, pageWidth, pageHeight);
    PagePanel2->setVisible(twoPages);

    zoom_ = factor;
    ZoomLabel->setText(Format(QStringLiteral("%1.0n"), {factor * 100}) + QLatin1Char('%'));
}

void TPreviewForm::ZoomAt(TPageBox& Box, QPoint Point, Qt::MouseButton Button)
{
    const QSize size = Box.size();
    const double relativeX = size.width() > 0 ? double(Point.x()) / size.width() : 0.5;
    const double relativeY = size.height() > 0 ? double(Point.y()) / size.height() : 0.5;
    zoom_ = Button == Qt::RightButton ? zoom_ / 1.5 : zoom_ * 1.5;
    {
        const QSignalBlocker blocker(ZoomBox);
        ZoomBox->setCurrentIndex(ziCustom);
    }
    ZoomChanged();
    const QSize view = ScrollBox1->viewport()->size();
    ScrollBox1->horizontalScrollBar()->setValue(int(PagePanel->width() * relativeX) - view.width() / 2);
    ScrollBox1->verticalScrollBar()->setValue(int(PagePanel->height() * relativeY) - view.height() / 2);
}

void TPreviewForm::HandPress(QPoint Point)
{
    dragStart_ = Point;
    dragging_ = true;
}

// The boxes move with the scrolling, so the point under the pointer stays where the drag began.
void TPreviewForm::HandMove(QPoint Point)
{
    if (!dragging_)
        return;
    QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    horizontal->setValue(horizontal->value() + dragStart_.x() - Point.x());
    vertical->setValue(vertical->value() + dragStart_.y() - Point.y());
}
