// TToolbarMenu: the tool bars' context menu popToolbarSm, which switches hints, flat buttons,
// captions and the main tool bar's visibility, and opens "Select Buttons...".
#pragma once

#include "app/toolbars/tool_bar.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

class TToolbarMenu : public QObject {
    Q_OBJECT
public:
    explicit TToolbarMenu(QWidget* Parent);

    // Its items by Tag: 0 "Hints", 1 "Flat", 2 "Captions", 3 "Visible"; then "Select Buttons...".
    QMenu* popToolbarSm;
    QAction* popToolbarSmItem;
    QAction* MenuItem8;
    QAction* Visible2;
    QAction* Visible1;
    QAction* MenuItem10;

    // Opening the menu on ToolBar (right click) shows it there.
    void Attach(TToolBar& ToolBar);
    // The tool bar the menu was opened on last; null before.
    TToolBar* PopupComponent() const { return popupComponent_; }
    // Before showing on ToolBar: the items show its hints, flat and captions; "Visible" is shown,
    // checked as the tool bar's visibility, only for the main tool bar.
    void Popup(TToolBar& ToolBar);
    // The item Tag was clicked: it toggles, and the tool bar follows.
    void ItemClick(int Tag);
    // "Select Buttons...": the customisation dialog on the tool bar, with its default layout.
    void MenuItem10Click();

    // After flat, captions or visibility changed: the window places what lies over the tool bar's
    // pane again (the folder-text overlay).
    std::function<void(TToolBar& ToolBar)> OnLayoutChanged;

private:
    void Show(TToolBar& ToolBar, const QPoint& Pos);

    QPointer<TToolBar> popupComponent_;
};
