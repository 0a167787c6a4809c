// TPTCustomDraw and its list and tree forms: what a custom-draw handler gets for one stage of
// painting a list or tree view (a font, a brush and a canvas) and how its changes are handed back
// to the painting; with the stage and answer codes of a custom-draw notification.
#pragma once

#include "platform/graphics/colors.h"
#include "platform/rtl/object.h"

#include <QFont>
#include <QRect>
#include <memory>

class QPainter;
class TCanvas;

// The stage of painting a notification is sent at.
constexpr int CDDS_PREPAINT = 0x1;
constexpr int CDDS_POSTPAINT = 0x2;
constexpr int CDDS_ITEM = 0x10000;
constexpr int CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr int CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
// The answer to it.
constexpr int CDRF_DODEFAULT = 0x0;
constexpr int CDRF_NEWFONT = 0x2;
constexpr int CDRF_SKIPDEFAULT = 0x4;
constexpr int CDRF_NOTIFYITEMDRAW = 0x20;

// One custom-draw notification: the painter (open on the view), the stage, the rectangle, and the
// font and colours the item is drawn with, which Apply may change.
struct TCustomDrawNotification {
    QPainter* Painter = nullptr;
    int DrawStage = CDDS_PREPAINT;
    QRect Rect;
    QFont Font;
    TColor TextColor = clWindowText;
    TColor TextBkColor = clWindow;
};

// The font a handler may change: a font and its colour. Every change after it was made marks
// it changed.
class TCustomDrawFont {
public:
    TCustomDrawFont(const QFont& Font, TColor Color) : font_(Font), color_(Color) {}

    const QFont& Font() const { return font_; }
    void SetFont(const QFont& Value);
    void SetBold(bool Value);
    void SetItalic(bool Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool Changed() const { return changed_; }

private:
    QFont font_;
    TColor color_;
    bool changed_ = false;
};

// The brush a handler may change: a solid colour.
class TCustomDrawBrush {
public:
    explicit TCustomDrawBrush(TColor Color) : color_(Color) {}

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool Changed() const { return changed_; }

private:
    TColor color_;
    bool changed_ = false;
};

// One stage of painting as a handler sees it. The wrapper does not outlive the paint it was made
// for (its canvas draws through the painter of that paint).
class TPTCustomDraw : public TObject {
public:
    // For the control's font FontSource, answering Notification into Result.
    TPTCustomDraw(const QFont& FontSource, TCustomDrawNotification& Notification, int& Result);
    ~TPTCustomDraw() override;

    // Takes a notification and the place of its answer; clears KeepResult and drops the font and
    // the brush.
    virtual void Init(TCustomDrawNotification& Notification, int& Result);
    // Writes the answer (and the font and colours the item is to be drawn with).
    virtual void Apply() = 0;

    // 1 control pre-paint, 2 control post-paint, 4 item pre-paint, 5 item post-paint, else 0.
    int Stage() const;
    // The font, copied from the control's with the current text colour (made again when missing).
    TCustomDrawFont& GetFont();
    // The brush, of the current background colour (made again when missing).
    TCustomDrawBrush& GetBrush();
    bool FontChanged() const { return font_ && font_->Changed(); }
    bool BrushChanged() const { return brush_ && brush_->Changed(); }
    // A canvas drawing through the notification's painter, made on first use.
    TCanvas& GetCanvas();

    // Ask for item notifications at the control's pre-paint stage.
    bool NotifyItemDraw = false;
    // The handler drew the item itself.
    bool SkipDefault = false;
    // The tree's answer is added to, not replaced.
    bool KeepResult = false;

    TCustomDrawNotification& Notification() const { return *notification_; }

protected:
    virtual void CreateFont();
    virtual void CreateBrush();
    // Writes the answer: from nothing unless Keep, which also leaves out skipping the default
    // drawing; a changed font goes into the notification (with CDRF_NEWFONT when it differs), as
    // do the font's colour and a changed brush's colour.
    void Answer(bool Keep);

private:
    QFont fontSource_;
    TCustomDrawNotification* notification_ = nullptr;
    int* result_ = nullptr;
    std::unique_ptr<TCustomDrawFont> font_;
    std::unique_ptr<TCustomDrawBrush> brush_;
    std::unique_ptr<TCanvas> canvas_;
};

// A list view's: the answer starts from nothing at every Apply.
class TPTLvCustomDraw final : public TPTCustomDraw {
public:
    using TPTCustomDraw::TPTCustomDraw;
    void Apply() override;
};

// A tree view's: asks for item notifications; with KeepResult set the answer is added to and
// skipping the default drawing is not asked.
class TPTTvCustomDraw final : public TPTCustomDraw {
public:
    TPTTvCustomDraw(const QFont& FontSource, TCustomDrawNotification& Notification, int& Result);
    void Apply() override;
};
