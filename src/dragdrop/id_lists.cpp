// Item identifier lists of the drag-and-drop formats, through the shell namespace.
#include "dragdrop/id_lists.h"

#include "dragdrop/string_lines.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/format.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <algorithm>
#include <memory>

using namespace win;

namespace {

constexpr qsizetype TerminatorSize = 2;

struct TaskMemFree {
    void operator()(ITEMIDLIST* List) const { CoTaskMemFree(List); }
};
using TaskIdList = std::unique_ptr<ITEMIDLIST, TaskMemFree>;

Ref<IShellFolder> DesktopFolder()
{
    Ref<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        throw Exception(QStringLiteral("Failed to get interface to Desktop"));
    return desktop;
}

// The items of a name's absolute list.
QList<QByteArray> ItemsOfName(IShellFolder& Desktop, const QString& Name)
{
    LPITEMIDLIST parsed = nullptr;
    QList<QByteArray> items;
    const bool found = SUCCEEDED(Desktop.ParseDisplayName(nullptr, Name, &parsed, nullptr));
    const TaskIdList list(parsed);
    if (!found || !SplitItemList(list.get(), items))
        throw Exception(Format("Invalid filename: %s", {Name}));
    return items;
}

} // namespace

std::size_t IdListLength(LPCITEMIDLIST Pidl)
{
    return ItemListSize(Pidl);
}

QByteArray IdListAsBytes(LPCITEMIDLIST Pidl)
{
    return QByteArray(reinterpret_cast<const char*>(Pidl), qsizetype(IdListLength(Pidl)));
}

LPITEMIDLIST IdListFromPath(const QString& Path)
{
    Ref<IShellFolder> desktop;
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop ||
        FAILED(desktop->ParseDisplayName(nullptr, Path, &list, nullptr)))
        return nullptr;
    return list;
}

QByteArray ConcatIdLists(const QByteArray& Parent, const QByteArray& Child)
{
    if (Parent.size() <= TerminatorSize)
        return Child;
    return Parent.chopped(TerminatorSize) + Child;
}

QByteArray EnclosingFolderIdList(const QStringList& Names)
{
    if (Names.isEmpty())
        return {};
    const Ref<IShellFolder> desktop = DesktopFolder();
    const QList<QByteArray> first = ItemsOfName(*desktop, Names.first());
    qsizetype common = first.size();
    qsizetype shortest = first.size();
    for (qsizetype i = 1; i < Names.size() && common > 0; ++i) {
        const QList<QByteArray> items = ItemsOfName(*desktop, Names[i]);
        shortest = std::min(shortest, items.size());
        qsizetype same = 0;
        while (same < std::min(common, items.size()) && items[same] == first[same])
            ++same;
        common = same;
    }
    // The enclosing folder of each name, never a name itself: one item short of the shortest.
    common = std::max<qsizetype>(0, std::min(common, shortest - 1));
    QByteArray list;
    for (qsizetype i = 0; i < common; ++i)
        list += first[i];
    return list + QByteArray(TerminatorSize, '\0');
}

bool IdListsFromNames(const QStringList& Names, TStrings& PIDLs)
{
    PIDLs.Clear();
    if (Names.isEmpty())
        return false;
    const QByteArray parent = EnclosingFolderIdList(Names);
    if (parent.size() <= TerminatorSize)
        return false;
    const QByteArray prefix = parent.chopped(TerminatorSize);
    QStringList lists{IdListLine(parent)};
    for (const QString& name : Names) {
        const TaskIdList list(IdListFromPath(name));
        const QByteArray bytes = IdListAsBytes(list.get());
        // The item must still lie below the folder (its folders unchanged since they were read).
        if (bytes.size() <= parent.size() || !bytes.startsWith(prefix))
            return false;
        lists.append(IdListLine(bytes.mid(prefix.size())));
    }
    SetLines(PIDLs, lists);
    return true;
}

QString PathOfIdList(const QByteArray& List)
{
    if (List.size() < TerminatorSize)
        return {};
    const TaskIdList list(ItemListFromBytes(List.chopped(TerminatorSize)));
    QString path;
    if (!list || ItemListSize(list.get()) != std::size_t(List.size()) || !SHGetPathFromIDList(list.get(), &path))
        return {};
    return path;
}

QString IdListLine(const QByteArray& List)
{
    return QString::fromLatin1(List);
}

QByteArray IdListOfLine(const QString& Line)
{
    return Line.toLatin1();
}
