// TDFSColorButton: a push button that shows a colour as a swatch beside a drop-down arrow and
// drops a palette window to choose another.
#pragma once

#include "highlighter/options/color_array.h"
#include "highlighter/options/color_button_palette.h"

#include "platform/graphics/colors.h"
#include "platform/rtl/object.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>


enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TDFSColorButton : public QAbstractButton, public TComponent {
    Q_OBJECT
public:
    static constexpr int DefaultWidth = 45;
    static constexpr int DefaultHeight = 22;

    explicit TDFSColorButton(QWidget* Parent = nullptr);
    ~TDFSColorButton() override;

    TColor Color() const { return color_; }
    // A change repaints and fires OnColorChange.
    void SetColor(TColor Value);
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor Value) { otherColor_ = Value; }
    TColorArrayClass& PaletteColors() { return paletteColors_; }
    void SetPaletteColors(const TColorArrayClass& Value);
    TColorArrayClass& CustomColors() { return customColors_; }
    void SetCustomColors(const TColorArrayClass& Value);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    // The caption of the palette's other-colour button.
    QString OtherBtnCaption;
    // Kept for the form; the button does not use it.
    QString CustomColorsKey;
    std::function<void(TObject* Sender)> OnColorChange;

    // The default palette, white custom colours and the button face as the other colour.
    virtual void ResetDefaultColors();
    // The parent's name, ".", the button's name (only the name without a parent).
    virtual QString GetCustomColorsKey() const;
    // OnColorChange.
    virtual void ColorChanged();

    // Drops the palette below the button (the click does this).
    void DropDown();
    // The palette while it is dropped down.
    TTSM_DFSColorButtonPalette* Palette() const { return palette_; }
    bool DroppedDown() const { return palette_ != nullptr; }

    QSize sizeHint() const override { return QSize(DefaultWidth, DefaultHeight); }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void PaletteClosed();

    TColor color_ = clBlack;
    TColor otherColor_ = clBtnFace;
    TColorArrayClass paletteColors_{4, 5};
    TColorArrayClass customColors_{8, 2};
    TButtonStyle style_ = bsAutoDetect;
    bool flat_ = false;
    bool mouseInside_ = false;
    QPixmap arrow_;
    QPixmap arrowDisabled_;
    QPointer<TTSM_DFSColorButtonPalette> palette_;
};
