// TMenuModel: a popup menu as data (entries with ids, texts, verbs and submenus), which code
// without widgets fills and the popup-menu service shows.
#pragma once

#include <QString>
#include <vector>

struct TMenuItem;

class TMenuModel {
public:
    std::vector<TMenuItem>& Items() { return items_; }
    const std::vector<TMenuItem>& Items() const { return items_; }

    // Puts Item before position Index (at the end when Index is past it); returns the position.
    std::size_t Insert(std::size_t Index, TMenuItem Item);
    // The entry with the command Id, in this menu or a submenu; null when there is none.
    const TMenuItem* Find(unsigned Id) const;
    // The default entry of this menu (not of its submenus); null when there is none.
    const TMenuItem* Default() const;

private:
    std::vector<TMenuItem> items_;
};

// One entry: a command (Id above 0), a separator, or a submenu (Submenu holds its entries).
struct TMenuItem {
    unsigned Id = 0;
    QString Text; // with "&" before the access key
    QString Verb; // the command's language-independent name
    QString HelpText;
    bool IsDefault = false;
    bool Grayed = false;
    bool Separator = false;
    bool HasSubmenu = false;
    TMenuModel Submenu;
};
