// TItemContextMenu.
#include "platform/shellapi/item_context_menu.h"

#include "platform/shellapi/file_clipboard.h"
#include "platform/shellapi/item_verbs.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/system/name_encoding.h"

#include <algorithm>

namespace {

struct TCommand {
    win::UINT Offset;
    const char* Verb;
    const char* Text;
    const char* Help;
    int Group; // commands of different groups are parted by separators
};

// The commands in menu order.
constexpr TCommand Commands[] = {
    {win::CMD_OPEN, "open", "&Open", "Opens the selected items.", 0},
    {win::CMD_CUT, "cut", "Cu&t", "Prepares the selected items to be moved by a paste.", 1},
    {win::CMD_COPY, "copy", "&Copy", "Prepares the selected items to be copied by a paste.", 1},
    {win::CMD_PASTE, "paste", "&Paste", "Copies or moves the files on the clipboard into this folder.", 1},
    {win::CMD_LINK, "link", "Create &Link", "Creates a link to the selected items beside them.", 2},
    {win::CMD_DELETE, "delete", "&Delete", "Moves the selected items to the trash.", 2},
    {win::CMD_RENAME, "rename", "Rena&me", "Renames the selected item.", 2},
    {win::CMD_PROPERTIES, "properties", "P&roperties", "Shows the properties of the selected items.", 3},
};
constexpr win::UINT IdCount = win::CMD_PROPERTIES + 1;

const TCommand* CommandAt(win::UINT Offset)
{
    for (const TCommand& command : Commands) {
        if (command.Offset == Offset)
            return &command;
    }
    return nullptr;
}

bool IsComputerOrVolume(const win::TShellPlace& Place)
{
    return Place.Kind == win::TShellPlace::pkComputer ||
           (!Place.Items.isEmpty() && Place.Item().Kind == win::TShellItem::ikVolume);
}

TMenuItem Separator()
{
    TMenuItem item;
    item.Separator = true;
    return item;
}

} // namespace

win::TItemContextMenu::TItemContextMenu(QList<TTarget> Targets) : targets_(std::move(Targets))
{
    ULONG common = ~ULONG(0);
    // Computer and volumes offer only open and properties.
    bool noVolumes = !targets_.isEmpty();
    bool entries = true;
    for (const TTarget& target : targets_) {
        common &= target.Attributes;
        noVolumes = noVolumes && !IsComputerOrVolume(target.Place);
        entries = entries && !target.Place.Items.isEmpty() && target.Place.Item().IsEntry();
    }
    const bool single = targets_.size() == 1;
    offsets_.push_back(CMD_OPEN);
    if (noVolumes) {
        if (common & SFGAO_CANMOVE)
            offsets_.push_back(CMD_CUT);
        if (common & SFGAO_CANCOPY)
            offsets_.push_back(CMD_COPY);
        if (single && targets_[0].Place.IsFolder())
            offsets_.push_back(CMD_PASTE);
        if (entries && (common & SFGAO_CANLINK))
            offsets_.push_back(CMD_LINK);
        if (common & SFGAO_CANDELETE)
            offsets_.push_back(CMD_DELETE);
        if (single && (common & SFGAO_CANRENAME))
            offsets_.push_back(CMD_RENAME);
        sendTo_ = (common & SFGAO_CANCOPY) != 0;
    }
    if (!targets_.isEmpty())
        offsets_.push_back(CMD_PROPERTIES);
}

bool win::TItemContextMenu::Offers(UINT Offset) const
{
    return std::find(offsets_.begin(), offsets_.end(), Offset) != offsets_.end();
}

QStringList win::TItemContextMenu::Paths() const
{
    QStringList paths;
    for (const TTarget& target : targets_)
        paths += DecodeName(target.Place.Path);
    return paths;
}

win::HRESULT win::TItemContextMenu::QueryContextMenu(TMenuModel& Menu, UINT Index, UINT IdFirst, UINT IdLast,
                                                     UINT Flags)
{
    std::vector<TMenuItem> items;
    int group = -1;
    for (const UINT offset : offsets_) {
        const TCommand& command = *CommandAt(offset);
        if ((offset == CMD_RENAME && !(Flags & CMF_CANRENAME)) || IdFirst + offset > IdLast ||
            ((Flags & CMF_DEFAULTONLY) && offset != CMD_OPEN))
            continue;
        if (group >= 0 && command.Group != group)
            items.push_back(Separator());
        group = command.Group;
        TMenuItem item;
        item.Id = IdFirst + offset;
        item.Text = QString::fromLatin1(command.Text);
        item.Verb = QString::fromLatin1(command.Verb);
        item.HelpText = QString::fromLatin1(command.Help);
        item.IsDefault = offset == CMD_OPEN;
        item.Grayed = offset == CMD_PASTE && FilesOnClipboard().Paths.isEmpty();
        items.push_back(std::move(item));
        if (offset == CMD_OPEN && sendTo_ && !(Flags & CMF_DEFAULTONLY)) {
            TMenuItem sendTo;
            sendTo.Text = QStringLiteral("Se&nd To");
            sendTo.HasSubmenu = true;
            TMenuItem placeholder;
            placeholder.Text = QStringLiteral("Empty");
            placeholder.Grayed = true;
            sendTo.Submenu.Items().push_back(std::move(placeholder));
            items.push_back(Separator());
            items.push_back(std::move(sendTo));
        }
    }
    for (TMenuItem& item : items)
        Index = UINT(Menu.Insert(Index, std::move(item))) + 1;
    return HRESULT(IdCount);
}

win::HRESULT win::TItemContextMenu::GetCommandString(UINT Offset, UINT Type, QString* Text)
{
    if (!Text)
        return E_INVALIDARG;
    Text->clear();
    if (!Offers(Offset) || (Type != GCS_VERBA && Type != GCS_HELPTEXTA))
        return E_INVALIDARG;
    const TCommand& command = *CommandAt(Offset);
    *Text = QString::fromLatin1(Type == GCS_VERBA ? command.Verb : command.Help);
    return S_OK;
}

win::HRESULT win::TItemContextMenu::InvokeCommand(const CMINVOKECOMMANDINFO& Info)
{
    UINT offset = Info.Offset;
    if (!Info.Verb.isEmpty()) {
        const auto found = std::find_if(offsets_.begin(), offsets_.end(), [&](UINT Offset) {
            return Info.Verb.compare(QLatin1String(CommandAt(Offset)->Verb), Qt::CaseInsensitive) == 0;
        });
        if (found == offsets_.end())
            return E_INVALIDARG;
        offset = *found;
    }
    if (!Offers(offset))
        return E_INVALIDARG;
    const bool showErrors = Info.hwnd != nullptr;
    switch (offset) {
    case CMD_OPEN: {
        HRESULT result = S_OK;
        for (const TTarget& target : targets_) {
            const HRESULT opened = OpenPlace(target.Place);
            if (FAILED(opened))
                result = opened;
        }
        return result;
    }
    case CMD_CUT:
    case CMD_COPY: PutFilesOnClipboard({Paths(), offset == CMD_CUT}); return S_OK;
    case CMD_PASTE: return PasteFiles(Paths().first(), showErrors);
    case CMD_LINK:
        for (const QString& path : Paths()) {
            if (const HRESULT result = CreateLinkBeside(path); FAILED(result))
                return result;
        }
        return S_OK;
    case CMD_DELETE: return TrashPaths(Paths(), showErrors);
    case CMD_RENAME: return E_NOTIMPL; // the caller edits the name in place and calls SetNameOf
    case CMD_PROPERTIES: {
        QList<TShellPlace> places;
        for (const TTarget& target : targets_)
            places += target.Place;
        ShowPlaceProperties(places);
        return S_OK;
    }
    default: return E_INVALIDARG;
    }
}
