// TPTCustomDraw, its font and brush, and its list and tree forms.
#include "shell/custom_draw.h"

#include "platform/widgets/painter_canvas.h"


void TCustomDrawFont::SetFont(const QFont& Value)
{
    font_ = Value;
    changed_ = true;
}

void TCustomDrawFont::SetBold(bool Value)
{
    font_.setBold(Value);
    changed_ = true;
}

void TCustomDrawFont::SetItalic(bool Value)
{
    font_.setItalic(Value);
    changed_ = true;
}

void TCustomDrawFont::SetColor(TColor Value)
{
    color_ = Value;
    changed_ = true;
}

void TCustomDrawBrush::SetColor(TColor Value)
{
    color_ = Value;
    changed_ = true;
}

TPTCustomDraw::TPTCustomDraw(const QFont& FontSource, TCustomDrawNotification& Notification, int& Result)
    : fontSource_(FontSource)
{
    TPTCustomDraw::Init(Notification, Result);
    TPTCustomDraw::CreateFont();
    TPTCustomDraw::CreateBrush();
}

TPTCustomDraw::~TPTCustomDraw()
{
    if (canvas_)
        canvas_->ReleaseHandle();
}

void TPTCustomDraw::Init(TCustomDrawNotification& Notification, int& Result)
{
    notification_ = &Notification;
    result_ = &Result;
    KeepResult = false;
    font_.reset();
    brush_.reset();
}

void TPTCustomDraw::CreateFont()
{
    font_ = std::make_unique<TCustomDrawFont>(fontSource_, notification_->TextColor);
}

void TPTCustomDraw::CreateBrush()
{
    brush_ = std::make_unique<TCustomDrawBrush>(notification_->TextBkColor);
}

int TPTCustomDraw::Stage() const
{
    switch (notification_->DrawStage) {
    case CDDS_PREPAINT: return 1;
    case CDDS_POSTPAINT: return 2;
    case CDDS_ITEMPREPAINT: return 4;
    case CDDS_ITEMPOSTPAINT: return 5;
    default: return 0;
    }
}

TCustomDrawFont& TPTCustomDraw::GetFont()
{
    if (!font_)
        CreateFont();
    return *font_;
}

TCustomDrawBrush& TPTCustomDraw::GetBrush()
{
    if (!brush_)
        CreateBrush();
    return *brush_;
}

TCanvas& TPTCustomDraw::GetCanvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TPainterCanvas>(notification_->Painter);
    return *canvas_;
}

void TPTCustomDraw::Answer(bool Keep)
{
    if (!Keep)
        *result_ = CDRF_DODEFAULT;
    switch (notification_->DrawStage) {
    case CDDS_PREPAINT:
        if (NotifyItemDraw)
            *result_ |= CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        if (SkipDefault) {
            if (!Keep)
                *result_ |= CDRF_SKIPDEFAULT;
            break;
        }
        if (FontChanged()) {
            if (notification_->Font != font_->Font()) {
                notification_->Font = font_->Font();
                *result_ |= CDRF_NEWFONT;
            }
            notification_->TextColor = font_->Color();
        }
        if (BrushChanged())
            notification_->TextBkColor = brush_->Color();
        break;
    default:
        break;
    }
}

void TPTLvCustomDraw::Apply()
{
    Answer(false);
}

TPTTvCustomDraw::TPTTvCustomDraw(const QFont& FontSource, TCustomDrawNotification& Notification, int& Result)
    : TPTCustomDraw(FontSource, Notification, Result)
{
    NotifyItemDraw = true;
}

void TPTTvCustomDraw::Apply()
{
    Answer(KeepResult);
}
