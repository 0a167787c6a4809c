// The Send To submenu.
#include "shell/send_to_menu.h"

#include "shell/send_to_list.h"

#include "platform/graphics/image_list.h"
#include "platform/shellapi/system_image_list.h"

namespace {

bool IsPlaceholder(const TMenuItem& Item)
{
    return Item.HasSubmenu && Item.Submenu.Items().size() == 1 && Item.Submenu.Items().front().Grayed;
}

QChar FirstUpper(const QString& Name)
{
    return Name.isEmpty() ? QChar() : Name.front().toUpper();
}

} // namespace

int SendToIndexOfId(unsigned Id)
{
    return Id >= 1 && Id <= SendToLastId ? int(Id - 1) : -1;
}

bool FillSendToPlaceholders(TMenuModel& Menu)
{
    bool found = false;
    for (TMenuItem& item : Menu.Items()) {
        if (!item.HasSubmenu)
            continue;
        if (!IsPlaceholder(item)) {
            found = FillSendToPlaceholders(item.Submenu) || found;
            continue;
        }
        found = true;
        RebuildSendToList();
        std::vector<TMenuItem>& entries = item.Submenu.Items();
        entries.clear();
        const TSendToEntries& list = SendToList();
        TImageList icons;
        icons.ShareImages = true;
        icons.SetHandle(win::SystemImageList(false));
        item.Submenu.OnMenuChar = SendToMenuChar;
        for (std::size_t index = 0; index < list.size() && index < SendToLastId; ++index) {
            TMenuItem entry;
            entry.Id = unsigned(index + 1);
            // An "&" of the name is a letter of it, not the mark of an access key.
            entry.Text = SendToEntryText(list[index]).replace(u'&', QStringLiteral("&&"));
            if (list[index].IconIndex > 0)
                entry.Image = icons.GetImage(list[index].IconIndex);
            entries.push_back(std::move(entry));
        }
    }
    return found;
}

TMenuCharAnswer SendToMenuChar(const QStringList& Names, int Highlighted, QChar Typed)
{
    const QChar letter = Typed.toUpper();
    const int count = int(Names.size());
    const int start = Highlighted >= 0 && Highlighted < count ? Highlighted + 1 : 0;
    int first = -1;
    int matches = 0;
    for (int step = 0; step < count; ++step) {
        const int position = (start + step) % count;
        if (FirstUpper(Names[position]) != letter)
            continue;
        if (first < 0)
            first = position;
        ++matches;
    }
    if (first < 0)
        return {};
    return {matches > 1 ? TMenuCharAction::Select : TMenuCharAction::Execute, first};
}
