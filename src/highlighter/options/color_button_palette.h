// TTSM_DFSColorButtonPalette: the borderless window a colour button drops down: 20 colours, the
// other colour's swatch and the "&Other" button that opens the colour dialog.
#pragma once

#include "highlighter/options/color_array.h"

#include "platform/graphics/colors.h"
#include "platform/rtl/object.h"

#include <QMetaObject>
#include <QPoint>
#include <QPushButton>
#include <QWidget>
#include <functional>

// Fills a 4 x 5 grid with the palette's default colours.
void FillDefaultPalette(TColorArrayClass& Colors);

class TTSM_DFSColorButtonPalette : public QWidget, public TComponent {
    Q_OBJECT
public:
    // A tool window without a frame (not a popup: it stays open while the colour dialog runs).
    // It frees itself when it closes.
    explicit TTSM_DFSColorButtonPalette(QWidget* Parent = nullptr);
    ~TTSM_DFSColorButtonPalette() override;

    QPushButton* btnOther;

    TColorArrayClass PaletteColors{4, 5};
    TColorArrayClass CustomColors{8, 2};
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor Value);
    QPoint HotCell() const { return hotCell_; }
    // Makes the grid cell of Color's RGB value hot; without one, the swatch shows Color.
    void SelectCurrent(TColor Color);
    // The colour dialog is up: the palette does not close meanwhile.
    bool DialogOpen() const { return dialogOpen_; }

    // A colour was chosen (a cell, the swatch or the colour dialog).
    std::function<void(TObject* Sender, TColor Color)> OnSelected;
    // The palette closed (it is freed right after).
    std::function<void(TObject* Sender)> OnClosed;

    // "&Other": the colour dialog with the other colour and the custom colours.
    void OtherClick();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void DrawCell(QPainter& Painter, QPoint Cell, bool Hot);
    TColor CellColor(QPoint Cell) const;

    TColor otherColor_;
    QPoint hotCell_{-1, -1};
    bool dialogOpen_ = false;
    QMetaObject::Connection deactivation_;
};
