// TMenuModel: a popup menu as data (entries with ids, texts, verbs and submenus), which code
// without widgets fills and the popup-menu service shows.
#pragma once

#include <QChar>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct TMenuItem;

// What a letter typed in a menu does.
enum class TMenuCharAction {
    Close,   // nothing answers to it: the menu closes
    Select,  // highlight the entry at Position
    Execute, // choose the entry at Position
};
struct TMenuCharAnswer {
    TMenuCharAction Action = TMenuCharAction::Close;
    int Position = -1;

    bool operator==(const TMenuCharAnswer&) const = default;
};
// A menu's own rule for typed letters: the entries' texts (without access-key marks), the position
// of the highlighted one (-1: none) and the letter typed.
using TMenuCharRule = std::function<TMenuCharAnswer(const QStringList& Texts, int Highlighted, QChar Typed)>;

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

    // How the menu answers typed letters; none: through the entries' access keys.
    TMenuCharRule OnMenuChar;

private:
    std::vector<TMenuItem> items_;
};

// One entry: a command (Id above 0), a separator, or a submenu (Submenu holds its entries).
struct TMenuItem {
    unsigned Id = 0;
    QString Text; // with "&" before the access key
    QString Verb; // the command's language-independent name
    QString HelpText;
    QImage Image; // shown before the text; null for none
    bool IsDefault = false;
    bool Grayed = false;
    bool Separator = false;
    bool HasSubmenu = false;
    TMenuModel Submenu;
};
