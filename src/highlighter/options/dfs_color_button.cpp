// The colour button: its colours, drawing and the palette it drops down.
#include "highlighter/options/dfs_color_button.h"

#include "highlighter/options/color_button_palette.h"
#include "highlighter/options/guarded.h"
#include "highlighter/options/palette_geometry.h"

#include "platform/rtl/events.h"
#include "platform/rtl/resource_strings.h"
#include "platform/ui/screen.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

QColor Sys(int Index)
{
    return ColorToQColor(clSystemColor | Index);
}

} // namespace

TDFSColorButton::TDFSColorButton(QWidget* Parent)
    : QAbstractButton(Parent), OtherBtnCaption(LoadStr(4363)),
      arrow_(QStringLiteral(":/options/TSM_DFS_ARROW_BMP.png")),
      arrowDisabled_(QStringLiteral(":/options/TSM_DFS_ARROW_DISABLED_BMP.png"))
{
    resize(DefaultWidth, DefaultHeight);
    setFocusPolicy(Qt::StrongFocus);
    ResetDefaultColors();
    connect(this, &QAbstractButton::clicked, this, [this] { RunGuarded([this] { DropDown(); }); });
}

TDFSColorButton::~TDFSColorButton()
{
    if (palette_) {
        palette_->OnClosed = nullptr;
        palette_->OnSelected = nullptr;
        delete palette_.data();
    }
}

void TDFSColorButton::ResetDefaultColors()
{
    FillDefaultPalette(paletteColors_);
    for (int y = 1; y <= customColors_.YSize(); ++y)
        for (int x = 1; x <= customColors_.XSize(); ++x)
            customColors_.SetColor(x, y, clWhite);
    otherColor_ = clBtnFace;
}

QString TDFSColorButton::GetCustomColorsKey() const
{
    return parentWidget() ? parentWidget()->objectName() + QLatin1Char('.') + objectName() : objectName();
}

void TDFSColorButton::ColorChanged()
{
    Fire(OnColorChange, static_cast<TObject*>(this));
}

void TDFSColorButton::SetColor(TColor Value)
{
    if (Value == color_)
        return;
    color_ = Value;
    update();
    ColorChanged();
}

void TDFSColorButton::SetPaletteColors(const TColorArrayClass& Value)
{
    paletteColors_.Assign(const_cast<TColorArrayClass*>(&Value));
}

void TDFSColorButton::SetCustomColors(const TColorArrayClass& Value)
{
    customColors_.Assign(const_cast<TColorArrayClass*>(&Value));
}

void TDFSColorButton::SetStyle(TButtonStyle Value)
{
    style_ = Value;
    update();
}

void TDFSColorButton::SetFlat(bool Value)
{
    flat_ = Value;
    update();
}

void TDFSColorButton::DropDown()
{
    if (palette_)
        return;
    auto* dropped = new TTSM_DFSColorButtonPalette(this);
    dropped->btnOther->setText(OtherBtnCaption);
    dropped->SetOtherColor(otherColor_);
    dropped->PaletteColors.Assign(&paletteColors_);
    dropped->CustomColors.Assign(&customColors_);
    dropped->SelectCurrent(color_);
    dropped->OnSelected = [this](TObject*, TColor Chosen) { SetColor(Chosen); };
    dropped->OnClosed = [this](TObject*) { PaletteClosed(); };
    const QRect buttonRect(mapToGlobal(QPoint(0, 0)), size());
    dropped->move(palette::DropPosition(buttonRect, dropped->frameSize(), Screen().WorkAreaRect()));
    palette_ = dropped;
    update();
    dropped->show();
    dropped->activateWindow();
}

void TDFSColorButton::PaletteClosed()
{
    if (palette_)
        customColors_.Assign(&palette_->CustomColors);
    palette_ = nullptr;
    update();
}

void TDFSColorButton::mouseDoubleClickEvent(QMouseEvent* Event)
{
    // A second press, as the first one was.
    mousePressEvent(Event);
}

void TDFSColorButton::enterEvent(QEnterEvent* Event)
{
    QAbstractButton::enterEvent(Event);
    if (!mouseInside_) {
        mouseInside_ = true;
        if (flat_)
            update();
    }
}

void TDFSColorButton::leaveEvent(QEvent* Event)
{
    QAbstractButton::leaveEvent(Event);
    if (mouseInside_) {
        mouseInside_ = false;
        if (flat_)
            update();
    }
}

void TDFSColorButton::changeEvent(QEvent* Event)
{
    QAbstractButton::changeEvent(Event);
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::EnabledChange)
        update();
}

void TDFSColorButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const bool pressed = isDown() || palette_;
    QRect rect = this->rect();
    if (pressed) {
        painter.setPen(Sys(win::COLOR_WINDOWFRAME));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        rect.adjust(1, 1, -1, -1);
        painter.setPen(Sys(win::COLOR_BTNSHADOW));
        painter.setBrush(Sys(win::COLOR_BTNFACE));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setBrush(Qt::NoBrush);
    } else if (!flat_ || mouseInside_ || hasFocus()) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.features = QStyleOptionButton::None;
        if (!isEnabled())
            option.state &= ~QStyle::State_Enabled;
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
    } else {
        painter.fillRect(rect, Sys(win::COLOR_BTNFACE));
    }

    // The content: moved one pixel while pressed, the swatch on the left, the arrow on the right.
    QRect content = this->rect().adjusted(3, 3, -3, -3);
    if (pressed)
        content.translate(1, 1);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    const QRect swatch = content.adjusted(1, 1, -1, -1).adjusted(2, 1, -2 - 10, -1);
    painter.setPen(Sys(win::COLOR_WINDOWFRAME));
    if (isEnabled()) {
        painter.setBrush(ColorToQColor(color_));
    } else {
        painter.setBrush(QBrush(Sys(win::COLOR_BTNSHADOW), Qt::Dense4Pattern));
    }
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);

    const int separator = swatch.right() + 4;
    painter.setPen(Sys(win::COLOR_BTNSHADOW));
    painter.drawLine(separator, content.top() + 1, separator, content.bottom() - 1);
    painter.setPen(Sys(win::COLOR_BTNHIGHLIGHT));
    painter.drawLine(separator + 1, content.top() + 1, separator + 1, content.bottom() - 1);
    const QPixmap& arrow = isEnabled() ? arrow_ : arrowDisabled_;
    painter.drawPixmap(separator + 3, content.top() + (content.height() - arrow.height()) / 2, arrow);
}
