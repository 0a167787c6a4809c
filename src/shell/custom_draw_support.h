// TPTCustomDrawSupport: what the program's list and tree views share: the custom-draw events with
// the wrapper of the last notification, the control's menu, and where menus are handed on to be
// shown. TItem is the list's item or the tree's node.
#pragma once

#include "shell/custom_draw.h"

#include "platform/rtl/events.h"

#include <QPainter>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

// The class library's pop-up menu (shown through the popup-menu service).
class TPopupMenu;

template <class TItem> class TPTCustomDrawSupport {
public:
    virtual ~TPTCustomDrawSupport() = default;

    // The control's own menu (not owned).
    TPopupMenu* PopupMenu = nullptr;

    // The item pre-paint stage only.
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TItem* aItem)> OnPTCustomDraw;
    // Every stage (the control's pre-paint with no item).
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TItem* aItem)> OnPTCustomDrawEx;
    // Where the control hands a menu to be shown at ScreenPos, with the control as its popup
    // component: the popup-menu service connects here.
    std::function<void(TObject* Sender, TPopupMenu* Menu, const QPoint& ScreenPos)> OnShowPopupMenu;

protected:
    bool HasCustomDraw() const { return bool(OnPTCustomDraw) || bool(OnPTCustomDrawEx); }
    virtual std::unique_ptr<TPTCustomDraw> MakeCustomDraw(TCustomDrawNotification& Notification, int& Result) = 0;

    // One notification: the previous wrapper goes; OnPTCustomDrawEx gets a new one, OnPTCustomDraw
    // (at the item pre-paint stage) the same or a new one; then the wrapper writes the answer.
    void RunCustomDrawEvents(TObject* Sender, TCustomDrawNotification& Notification, int& Result, TItem* Item)
    {
        if (OnPTCustomDrawEx)
            Fire(OnPTCustomDrawEx, Sender, &NewCustomDraw(Notification, Result), Item);
        if (OnPTCustomDraw && Notification.DrawStage == CDDS_ITEMPREPAINT)
            Fire(OnPTCustomDraw, Sender, customDraw_ ? customDraw_.get() : &NewCustomDraw(Notification, Result), Item);
        if (customDraw_)
            customDraw_->Apply();
    }

    // Makes the wrapper of this notification, kept until the next one or the end of the paint
    // (for descendants that fire events of their own with it).
    TPTCustomDraw& NewCustomDraw(TCustomDrawNotification& Notification, int& Result)
    {
        customDraw_ = MakeCustomDraw(Notification, Result);
        return *customDraw_;
    }

    // Before the view paints: the control's pre-paint notification (run by Draw) when
    // OnPTCustomDrawEx wants it. After it: the wrapper goes, as it draws through that paint.
    void RunPaintStage(QWidget* Viewport, bool Begin, const QFont& Font,
                       const std::function<void(TCustomDrawNotification& Notification)>& Draw)
    {
        customDraw_.reset();
        if (!Begin || !OnPTCustomDrawEx)
            return;
        QPainter painter(Viewport);
        TCustomDrawNotification notification{&painter, CDDS_PREPAINT, Viewport->rect(), Font, clWindowText, clWindow};
        Draw(notification);
        customDraw_.reset();
    }

    // Hands Menu (when there is one) on to be shown at ScreenPos.
    void PopUpMenu(TObject* Sender, TPopupMenu* Menu, const QPoint& ScreenPos)
    {
        if (Menu)
            Fire(OnShowPopupMenu, Sender, Menu, ScreenPos);
    }

    // Drops the wrapper of the last notification.
    void ResetCustomDraw() { customDraw_.reset(); }

private:
    std::unique_ptr<TPTCustomDraw> customDraw_;
};
