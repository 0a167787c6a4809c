// TListBoxHrz: a list box whose horizontal scroll extent follows its widest line.
#pragma once

#include "platform/rtl/object.h"

#include <QListWidget>

// CurrentWidth is the horizontal extent in pixels: a line added or inserted that is wider (its
// text width + 26) raises it to that width + Margin; deleting a line or changing the font sets it
// to the widest line's width + Margin (Margin alone for an empty list); clearing sets it to 0. The
// horizontal scroll bar scrolls over CurrentWidth.
class TListBoxHrz : public QListWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int CurrentWidth READ CurrentWidth WRITE SetCurrentWidth)
public:
    // Added to the text width of every line.
    static constexpr int LineExtra = 26;

    explicit TListBoxHrz(TComponent* AOwner = nullptr, QWidget* Parent = nullptr);
    ~TListBoxHrz() override;

    int CurrentWidth() const { return currentWidth_; }
    void SetCurrentWidth(int Value);
    int Margin = 0;

protected:
    void updateGeometries() override;
    void changeEvent(QEvent* E) override;

private:
    int LineWidth(int Row) const;
    void LinesInserted(int First, int Last);
    void Recompute();

    int currentWidth_ = 0;
    // Set while updateGeometries runs: a scroll bar that shows or hides meanwhile resizes the
    // viewport, which would lay the list out again from within.
    bool updatingGeometries_ = false;
};
