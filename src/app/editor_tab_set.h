// TTabSetEdit: the editor's strip of document tabs, drawn and measured by its owner, with the
// names and objects of its tabs kept as a string list.
#pragma once

#include "platform/rtl/string_list.h"

#include <QTabBar>
#include <functional>
#include <memory>

class QPainter;

class TTabSetEdit : public QTabBar {
    Q_OBJECT
public:
    explicit TTabSetEdit(QWidget* Parent = nullptr);
    ~TTabSetEdit() override;

    // One line per tab: its name, and its object (not owned). Adding, inserting, deleting and
    // renaming lines does the same to the tabs; none of it runs OnChange. Deleting the current
    // tab leaves the same index current (the last tab when it was the last).
    TStrings& Tabs() const;
    // The current tab; -1 while there is none.
    int TabIndex() const { return tabIndex_; }
    // Makes Tab the current tab: OnChange runs first, while the old tab is still the current one.
    // Nothing happens when Tab is current already. Clicks and keys select through here.
    void SetTabIndex(int Tab);
    // The tab at a point of the strip; -1 for none.
    int ItemAtPos(const QPoint& Pos) const { return tabAt(Pos); }
    // Lays the tabs out again (their widths may have changed) and repaints them.
    void Refresh();

    std::function<void(int NewTab)> OnChange;
    // Runs once a new tab has become the current one.
    std::function<void()> OnChanged;
    std::function<void(QPainter& Canvas, int Index, const QRect& Rect, bool Selected)> OnDrawTab;
    // The width of tab Index.
    std::function<int(int Index)> OnMeasureTab;
    std::function<void(QMouseEvent* Event)> OnMouseDown;

protected:
    QSize tabSizeHint(int Index) const override;
    QSize minimumTabSizeHint(int Index) const override { return tabSizeHint(Index); }
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    class TTabList;
    // The bar's own current index follows TabIndex without running OnChange.
    void SyncCurrent();

    std::unique_ptr<TTabList> tabs_;
    int tabIndex_ = -1;
    bool syncing_ = false;
};
