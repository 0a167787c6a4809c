// TScriptedMenus: chooses from the program's popup menus by script, so tests drive them and no
// menu loop ever blocks a test.
#pragma once

#include "platform/ui/popup_menu.h"

#include <deque>
#include <functional>
#include <vector>

// While it lives, every popup menu the program shows is handed to the next step of the script,
// which returns the id of the command chosen (0 for none). A menu with no step left fails the
// running test and chooses nothing; so do steps left unused when the script goes. Every menu
// shown is kept for the test to look at.
class TScriptedMenus : public TPopupMenuService {
public:
    using TStep = std::function<unsigned(const TMenuModel& Menu)>;

    TScriptedMenus();
    ~TScriptedMenus() override;
    TScriptedMenus(const TScriptedMenus&) = delete;
    TScriptedMenus& operator=(const TScriptedMenus&) = delete;

    TScriptedMenus& Then(TStep Step);
    const std::vector<TMenuModel>& Shown() const { return shown_; }

    unsigned Popup(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint) override;

private:
    std::deque<TStep> steps_;
    std::vector<TMenuModel> shown_;
    TPopupMenuService* previous_;
};

// Steps: choose the enabled command whose text (without "&") is Text, failing the test when there
// is none; close the menu without a choice.
TScriptedMenus::TStep ChooseMenuItem(const QString& Text);
TScriptedMenus::TStep CloseMenu();

// The texts of a menu's entries without "&", a separator as "-", a submenu as its text followed by
// its entries in brackets, a grayed entry in parentheses and the default with a "*":
// "*Open, -, Cut, (Paste), Send To [(Nothing)]".
QString DescribeMenu(const TMenuModel& Menu);
// Installs the service the test main keeps for the whole run: any popup menu fails the running
// test and chooses nothing.
void InstallUnexpectedMenuGuard();
