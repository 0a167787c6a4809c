// TToolbarMenu.
#include "app/toolbars/toolbar_menu.h"

#include "app/toolbars/custom_tool_bar_frm.h"
#include "app/toolbars/toolbar_layout.h"
#include "platform/ui/action_list.h"

#include <QMenu>

TToolbarMenu::TToolbarMenu(QWidget* Parent) : QObject(Parent)
{
    popToolbarSm = new QMenu(Parent);
    popToolbarSm->setObjectName(QStringLiteral("popToolbarSm"));
    auto item = [this](const char* Name, const QString& Caption, int Tag) {
        QAction* action = popToolbarSm->addAction(Caption);
        action->setObjectName(QLatin1String(Name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, Tag] { ItemClick(Tag); });
        return action;
    };
    popToolbarSmItem = item("popToolbarSmItem", QStringLiteral("Hints"), 0);
    MenuItem8 = item("MenuItem8", QStringLiteral("Flat"), 1);
    Visible2 = item("Visible2", QStringLiteral("Captions"), 2);
    Visible1 = item("Visible1", QStringLiteral("Visible"), 3);
    popToolbarSm->addSeparator();
    MenuItem10 = popToolbarSm->addAction(QStringLiteral("Select Buttons..."));
    MenuItem10->setObjectName(QStringLiteral("MenuItem10"));
    connect(MenuItem10, &QAction::triggered, this, [this] { MenuItem10Click(); });
}

void TToolbarMenu::Attach(TToolBar& ToolBar)
{
    ToolBar.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&ToolBar, &QWidget::customContextMenuRequested, this,
            [this, &ToolBar](const QPoint& Pos) { Show(ToolBar, ToolBar.mapToGlobal(Pos)); });
}

void TToolbarMenu::Show(TToolBar& ToolBar, const QPoint& Pos)
{
    Popup(ToolBar);
    popToolbarSm->popup(Pos);
}

void TToolbarMenu::Popup(TToolBar& ToolBar)
{
    popupComponent_ = &ToolBar;
    popToolbarSmItem->setChecked(ToolBar.ShowHint());
    MenuItem8->setChecked(ToolBar.Flat());
    Visible2->setChecked(ToolBar.ShowCaptions());
    Visible1->setVisible(ToolBar.Tag < 0);
    Visible1->setChecked(ToolBar.ToolbarVisible());
}

void TToolbarMenu::ItemClick(int Tag)
{
    TToolBar* toolBar = popupComponent_;
    if (!toolBar)
        return;
    switch (Tag) {
    case 0:
        toolBar->SetShowHint(!toolBar->ShowHint());
        return;
    case 1:
        toolBar->SetFlat(!toolBar->Flat());
        break;
    case 2:
        toolBar->SetShowCaptions(!toolBar->ShowCaptions());
        ApplyButtonSize(*toolBar);
        break;
    case 3:
        toolBar->SetToolbarVisible(!toolBar->ToolbarVisible());
        break;
    default:
        return;
    }
    // The container takes the tool bar's height (the main one's two pixels more).
    if (QWidget* container = toolBar->Container(); container != toolBar)
        container->setFixedHeight(toolBar->sizeHint().height() + (toolBar->Tag < 0 ? 2 : 0));
    if (OnLayoutChanged)
        OnLayoutChanged(*toolBar);
}

void TToolbarMenu::MenuItem10Click()
{
    TToolBar* toolBar = popupComponent_;
    if (!toolBar || !toolBar->ActionList)
        return;
    CustomizeToolBar(*toolBar, *toolBar->ActionList, CustomFormKey,
                     ActionsNamed(*toolBar->ActionList, DefaultToolbarNames(toolBar->Tag)));
}
