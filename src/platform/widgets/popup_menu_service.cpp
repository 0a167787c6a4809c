// FillQMenu and TQMenuPopupService.
#include "platform/widgets/popup_menu_service.h"

#include <QAction>
#include <QMenu>

namespace {

const char* const CommandProperty = "hftpMenuCommand";

} // namespace

void FillQMenu(QMenu& Menu, const TMenuModel& Model)
{
    for (const TMenuItem& item : Model.Items()) {
        if (item.Separator) {
            Menu.addSeparator();
        } else if (item.HasSubmenu) {
            QMenu* submenu = Menu.addMenu(item.Text);
            submenu->setEnabled(!item.Grayed);
            FillQMenu(*submenu, item.Submenu);
        } else {
            QAction* action = Menu.addAction(item.Text);
            action->setProperty(CommandProperty, item.Id);
            action->setEnabled(!item.Grayed);
            action->setStatusTip(item.HelpText);
            if (item.IsDefault) {
                QFont font = action->font();
                font.setBold(true);
                action->setFont(font);
                Menu.setDefaultAction(action);
            }
        }
    }
}

unsigned MenuCommandOf(const QAction* Action)
{
    return Action ? Action->property(CommandProperty).toUInt() : 0;
}

unsigned TQMenuPopupService::Popup(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint)
{
    QMenu menu;
    FillQMenu(menu, Menu);
    if (OnHint) {
        // Each submenu reports the actions hovered in it.
        QList<QMenu*> menus = menu.findChildren<QMenu*>();
        menus.prepend(&menu);
        for (QMenu* each : menus)
            QObject::connect(each, &QMenu::hovered, each,
                             [&OnHint](QAction* Action) { OnHint(Action->statusTip()); });
    }
    return MenuCommandOf(menu.exec(At));
}
