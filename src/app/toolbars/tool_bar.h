// TToolBar and TToolButton: a tool bar whose buttons are each bound to an action, with the look
// options the user switches (flat, captions, hints) and the button sizes that go with them.
#pragma once

#include <QToolBar>
#include <QToolButton>
#include <vector>

class QMenu;
class TAction;
class TActionList;
class TImageList;
class TToolBar;

// How a button shows its action: a plain button, a button with a drop-down menu, or a separator
// (a gap of SeparatorWidth pixels with a line; its action does nothing).
enum TToolButtonStyle { tbsButton, tbsDropDown, tbsSeparator };

class TToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit TToolButton(TToolBar& Owner);

    TAction* Action() const { return action_; }
    // Shows Action's caption, hint, image and enabled and checked states, now and whenever they
    // change; a click triggers it. Once per button.
    void SetAction(TAction* Action);

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle Value);
    // The menu the drop-down arrow opens (not owned); null for none.
    QMenu* DropdownMenu() const { return menu(); }
    void SetDropdownMenu(QMenu* Menu);

    // Whether the tool bar shows the button (a hidden button keeps its place in the order).
    bool Shown() const;
    void SetShown(bool Value);

    // Follows the tool bar's look options and button size.
    void ApplyLook();

    static constexpr int SeparatorWidth = 8;

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    friend class TToolBar;
    void FollowAction();

    TToolBar& owner_;
    TAction* action_ = nullptr;
    TToolButtonStyle style_ = tbsButton;
    // The tool bar's entry for the button, through which it is shown, hidden and removed.
    QAction* entry_ = nullptr;
};

// The buttons stand in the order of Buttons(). GUI thread only.
class TToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit TToolBar(QWidget* Parent = nullptr);
    ~TToolBar() override;

    // -1 the main tool bar, 0 the local pane's, 1 the remote pane's.
    int Tag = 0;
    // The actions the buttons may be bound to (not owned).
    TActionList* ActionList = nullptr;
    // The images of the actions' ImageIndex (not owned).
    TImageList* Images = nullptr;
    // The widget that holds the tool bar in the window, shown or hidden with "Visible"; the tool
    // bar itself when it has none.
    QWidget* Container() const { return container_ ? container_ : const_cast<TToolBar*>(this); }
    void SetContainer(QWidget* Value) { container_ = Value; }

    const std::vector<TToolButton*>& Buttons() const { return buttons_; }
    // A new last button.
    TToolButton* AddButton();
    // Frees every button, the last first; a button's drop-down menu stays with its action
    // (TAction::HelpContext), so that the next button of that action gets it again.
    void DestroyButtons();

    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value) { showHint_ = Value; }
    // The container is shown (while the window is).
    bool ToolbarVisible() const { return visible_; }
    void SetToolbarVisible(bool Value);

    // Every button's height; a button's width (at least this wide with captions, exactly this
    // wide without; separators are SeparatorWidth wide).
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int Value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);

private:
    void ApplyLook();

    std::vector<TToolButton*> buttons_;
    QWidget* container_ = nullptr;
    bool flat_ = true;
    bool showCaptions_ = false;
    bool showHint_ = true;
    bool visible_ = true;
    int buttonHeight_ = 22;
    int buttonWidth_ = 23;
};
