// TPreviewForm, the print preview window: the pages of a preview printer one or two at a time,
// zoomed, with a one-inch grid, a zoom tool and a hand tool, page navigation and printing; and
// TPageBox, the box that paints one page.
#pragma once

#include "platform/widgets/form.h"

#include <QPoint>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;
class TPreviewForm;
class TPreviewPrinter;

// Paints one page scaled to the box's size: the current page, or the one after it (Offset 1)
// while two pages show.
class TPageBox : public QWidget {
public:
    TPageBox(TPreviewForm& Form, int Offset, QWidget* Parent);

    // The page shown; -1 for none.
    int PageIndex() const;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    TPreviewForm& form_;
    int offset_;
};

class TPreviewForm : public TForm {
public:
    // The zoom list's entries: the two fits, the factor of the zoom tool, then fixed factors.
    enum { ziFitToPage, ziFitToWidth, ziCustom };

    // A window over Printer's pages, set up as its ShowGrid and ZoomOption ask.
    explicit TPreviewForm(TPreviewPrinter& Printer, TComponent* AOwner = nullptr);

    TPreviewPrinter& Printer() const { return printer_; }
    int CurrentPage() const { return currentPage_; }
    // The zoom factor; 1.0 shows a page at its real size.
    double ZoomFactor() const { return zoom_; }
    // How often the layout has run (diagnostics and tests).
    int LayoutCount() const { return layoutCount_; }

    // Shows page N (0-based) with its number in the status bar.
    void GoToPage(int N);
    // Enables the navigation buttons for the current page.
    void UpdateNavigation();
    // Computes the zoom factor from the zoom list and places the pages in the scroll box.
    void LayoutPages();
    // The zoom list changed: the layout runs twice, since the first pass may bring or take away
    // scroll bars and so change the room there is.
    void ZoomChanged();
    // The zoom tool's click at Point of Box: the left button zooms in by half, the right button
    // out, and the clicked point goes to the middle of the scroll box.
    void ZoomAt(TPageBox& Box, QPoint Point, Qt::MouseButton Button);
    // The hand tool: pressing starts a drag, moving scrolls by the distance from where it started.
    void HandPress(QPoint Point);
    void HandMove(QPoint Point);
    void HandRelease() { dragging_ = false; }
    bool HandTool() const;

    QFrame* ToolBarPanel;
    QPushButton* PrintBut;
    QPushButton* PrevPageBut;
    QPushButton* NextPageBut;
    QComboBox* ZoomBox;
    QToolButton* FitPageBut;
    QToolButton* FitWidthBut;
    QToolButton* GridBut;
    QToolButton* ZoomCursorBut;
    QToolButton* HandCursorBut;
    QToolButton* OnePageBut;
    QToolButton* TwoPageBut;
    QPushButton* CloseBut;
    QFrame* StatBarPanel;
    QToolButton* FirstPageSpeed;
    QToolButton* PrevPageSpeed;
    QToolButton* NextPageSpeed;
    QToolButton* LastPageSpeed;
    QToolButton* PageNumSpeed;
    QLabel* CurPageLabel;
    QLabel* ZoomLabel;
    QLabel* HintLabel;
    QScrollArea* ScrollBox1;
    QWidget* ContainPanel;
    QFrame* PagePanel;
    QFrame* PagePanel2;
    TPageBox* PB1;
    TPageBox* PB2;

protected:
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPageArea();
    void SetTool(bool Zoom);
    void GoToPageNumber();
    void RepaintPages();

    TPreviewPrinter& printer_;
    int currentPage_ = 0;
    double zoom_ = 1.0;
    int layoutCount_ = 0;
    QPoint dragStart_;
    bool dragging_ = false;
};
