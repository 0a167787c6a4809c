// FillQMenu and TQMenuPopupService.
#include "platform/widgets/popup_menu_service.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QPixmap>

namespace {

const char* const CommandProperty = "hftpMenuCommand";

// Text without its access-key marks ("&&" stands for "&").
QString WithoutAccessKeys(const QString& Text)
{
    QString plain;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] == u'&' && i + 1 < Text.size())
            ++i;
        plain += Text[i];
    }
    return plain;
}

// Answers the letters typed in one menu by the menu's own rule.
class TMenuCharFilter final : public QObject {
public:
    TMenuCharFilter(QMenu* Menu, TMenuCharRule Rule) : QObject(Menu), menu_(Menu), rule_(std::move(Rule))
    {
        Menu->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched != menu_ || Event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(Event);
        if (key->text().isEmpty() || !key->text().front().isLetterOrNumber() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QList<QAction*> actions = menu_->actions();
        QStringList texts;
        for (const QAction* action : actions)
            texts.append(action->isSeparator() ? QString() : WithoutAccessKeys(action->text()));
        const TMenuCharAnswer answer = rule_(texts, int(actions.indexOf(menu_->activeAction())), key->text().front());
        if (answer.Action == TMenuCharAction::Close || answer.Position < 0 || answer.Position >= actions.size()) {
            menu_->close();
            return true;
        }
        menu_->setActiveAction(actions[answer.Position]);
        if (answer.Action == TMenuCharAction::Execute) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(menu_, &enter);
        }
        return true;
    }

private:
    QMenu* menu_;
    TMenuCharRule rule_;
};

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
            if (item.Submenu.OnMenuChar)
                new TMenuCharFilter(submenu, item.Submenu.OnMenuChar);
        } else {
            QAction* action = Menu.addAction(item.Text);
            action->setProperty(CommandProperty, item.Id);
            action->setEnabled(!item.Grayed);
            action->setStatusTip(item.HelpText);
            if (!item.Image.isNull())
                action->setIcon(QIcon(QPixmap::fromImage(item.Image)));
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
