// TScriptedMenus and the guard against unexpected popup menus.
#include "support/scripted_menus.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

class TUnexpectedMenus : public TPopupMenuService {
public:
    unsigned Popup(const TMenuModel& Menu, QPoint, const TMenuHintHandler&) override
    {
        ADD_FAILURE() << "unexpected popup menu: " << DescribeMenu(Menu).toStdString();
        return 0;
    }
};

QString PlainText(const QString& Text)
{
    return QString(Text).remove(QLatin1Char('&'));
}

const TMenuItem* FindByText(const TMenuModel& Menu, const QString& Text)
{
    for (const TMenuItem& item : Menu.Items()) {
        if (item.HasSubmenu) {
            if (const TMenuItem* found = FindByText(item.Submenu, Text))
                return found;
        } else if (!item.Separator && !item.Grayed && PlainText(item.Text) == Text) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

TScriptedMenus::TScriptedMenus() : previous_(SetPopupMenuService(this)) {}

TScriptedMenus::~TScriptedMenus()
{
    SetPopupMenuService(previous_);
    if (!steps_.empty())
        ADD_FAILURE() << steps_.size() << " scripted menu choice(s) left unused";
}

TScriptedMenus& TScriptedMenus::Then(TStep Step)
{
    steps_.push_back(std::move(Step));
    return *this;
}

unsigned TScriptedMenus::Popup(const TMenuModel& Menu, QPoint, const TMenuHintHandler&)
{
    shown_.push_back(Menu);
    if (steps_.empty()) {
        ADD_FAILURE() << "no scripted choice for the menu: " << DescribeMenu(Menu).toStdString();
        return 0;
    }
    const TStep step = std::move(steps_.front());
    steps_.pop_front();
    return step(Menu);
}

TScriptedMenus::TStep ChooseMenuItem(const QString& Text)
{
    return [Text](const TMenuModel& Menu) -> unsigned {
        if (const TMenuItem* item = FindByText(Menu, Text))
            return item->Id;
        ADD_FAILURE() << "no command '" << Text.toStdString() << "' in: " << DescribeMenu(Menu).toStdString();
        return 0;
    };
}

TScriptedMenus::TStep CloseMenu()
{
    return [](const TMenuModel&) -> unsigned { return 0; };
}

QString DescribeMenu(const TMenuModel& Menu)
{
    QStringList entries;
    for (const TMenuItem& item : Menu.Items()) {
        if (item.Separator) {
            entries += QStringLiteral("-");
            continue;
        }
        QString text = PlainText(item.Text);
        if (item.HasSubmenu)
            text += QStringLiteral(" [%1]").arg(DescribeMenu(item.Submenu));
        if (item.Grayed)
            text = QStringLiteral("(%1)").arg(text);
        if (item.IsDefault)
            text.prepend(QLatin1Char('*'));
        entries += text;
    }
    return entries.join(QStringLiteral(", "));
}

void InstallUnexpectedMenuGuard()
{
    static TUnexpectedMenus guard;
    SetPopupMenuService(&guard);
}
