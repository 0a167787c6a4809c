// TToolBar and TToolButton.
#include "app/toolbars/tool_bar.h"

#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/action_button.h"
#include "platform/widgets/item_images.h"

#include <QEvent>
#include <QMenu>
#include <QStyleOption>
#include <QStylePainter>
#include <algorithm>

TToolButton::TToolButton(TToolBar& Owner) : owner_(Owner)
{
    setFocusPolicy(Qt::NoFocus);
}

void TToolButton::SetAction(TAction* Action)
{
    action_ = Action;
    // Caption, enabled state and the click; the rest follows below.
    BindButtonToAction(this, Action);
    connect(Action, &QAction::changed, this, &TToolButton::FollowAction);
    connect(Action, &QObject::destroyed, this, [this] { action_ = nullptr; });
    FollowAction();
}

void TToolButton::FollowAction()
{
    if (!action_)
        return;
    setToolTip(action_->toolTip());
    setCheckable(action_->isCheckable());
    setChecked(action_->isChecked());
    const QPixmap image = ItemImagePixmap(owner_.Images, action_->ImageIndex, -1, false);
    setIcon(image.isNull() || style_ == tbsSeparator ? QIcon() : QIcon(image));
    if (owner_.Images)
        setIconSize(QSize(owner_.Images->Width(), owner_.Images->Height()));
    // A new caption may need another width.
    if (owner_.ShowCaptions())
        ApplyLook();
}

void TToolButton::SetStyle(TToolButtonStyle Value)
{
    style_ = Value;
    setPopupMode(Value == tbsDropDown ? MenuButtonPopup : DelayedPopup);
    FollowAction();
    ApplyLook();
}

void TToolButton::SetDropdownMenu(QMenu* Menu)
{
    setMenu(Menu);
}

bool TToolButton::Shown() const
{
    return entry_ && entry_->isVisible();
}

void TToolButton::SetShown(bool Value)
{
    if (entry_)
        entry_->setVisible(Value);
}

void TToolButton::ApplyLook()
{
    setAutoRaise(owner_.Flat());
    setToolButtonStyle(owner_.ShowCaptions() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    setFixedHeight(owner_.ButtonHeight());
    if (style_ == tbsSeparator) {
        setFixedWidth(SeparatorWidth);
    } else if (owner_.ShowCaptions()) {
        // The picture with the caption under it: as wide as the caption needs, at least the
        // tool bar's button width.
        setFixedWidth(std::max(owner_.ButtonWidth(), QToolButton::sizeHint().width()));
    } else {
        setFixedWidth(owner_.ButtonWidth());
    }
}

bool TToolButton::event(QEvent* Event)
{
    // Hints off: the button shows no tool tip.
    if (Event->type() == QEvent::ToolTip && (!owner_.ShowHint() || style_ == tbsSeparator)) {
        Event->ignore();
        return true;
    }
    return QToolButton::event(Event);
}

void TToolButton::paintEvent(QPaintEvent* Event)
{
    if (style_ != tbsSeparator) {
        QToolButton::paintEvent(Event);
        return;
    }
    QStylePainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    painter.drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, option);
}

TToolBar::TToolBar(QWidget* Parent) : QToolBar(Parent)
{
    setMovable(false);
    setFloatable(false);
}

TToolBar::~TToolBar()
{
    DestroyButtons();
}

TToolButton* TToolBar::AddButton()
{
    auto* button = new TToolButton(*this);
    button->entry_ = addWidget(button);
    button->ApplyLook();
    buttons_.push_back(button);
    return button;
}

void TToolBar::DestroyButtons()
{
    while (!buttons_.empty()) {
        TToolButton* button = buttons_.back();
        buttons_.pop_back();
        if (QMenu* menu = button->DropdownMenu(); menu && button->Action())
            button->Action()->HelpContext = menu;
        // The entry owns the button: removing it frees both.
        delete button->entry_;
    }
}

void TToolBar::SetFlat(bool Value)
{
    flat_ = Value;
    ApplyLook();
}

void TToolBar::SetShowCaptions(bool Value)
{
    showCaptions_ = Value;
    ApplyLook();
}

void TToolBar::SetToolbarVisible(bool Value)
{
    visible_ = Value;
    Container()->setVisible(Value);
}

void TToolBar::SetButtonHeight(int Value)
{
    buttonHeight_ = Value;
    ApplyLook();
}

void TToolBar::SetButtonWidth(int Value)
{
    buttonWidth_ = Value;
    ApplyLook();
}

void TToolBar::ApplyLook()
{
    for (TToolButton* button : buttons_)
        button->ApplyLook();
}
