// The shell item list array and its view as paths.
#include "dragdrop/pidl_clipboard_format.h"

#include "dragdrop/id_lists.h"
#include "dragdrop/string_lines.h"
#include "platform/ole/cida.h"
#include "platform/rtl/exception.h"

#include <cstring>
#include <vector>

using namespace win;

const TClipboardFormatClass TPIDLClipboardFormat::Class{"TPIDLClipboardFormat", &TCustomSimpleClipboardFormat::Class,
                                                        []() -> TClipboardFormat* { return new TPIDLClipboardFormat; }};

namespace {

std::vector<QByteArray> ListsOf(const TStrings& PIDLs)
{
    std::vector<QByteArray> lists;
    for (int i = 0; i < PIDLs.Count(); ++i)
        lists.push_back(IdListOfLine(PIDLs.Strings(i)));
    return lists;
}

} // namespace

int TPIDLsToFilenamesStrings::Count() const
{
    return pidls_.Count() < 2 ? 0 : pidls_.Count() - 1;
}

QString TPIDLsToFilenamesStrings::Get(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw Exception(QStringLiteral("Filename index out of range"));
    return PathOfIdList(ConcatIdLists(IdListOfLine(pidls_.Strings(0)), IdListOfLine(pidls_.Strings(Index + 1))));
}

void TPIDLsToFilenamesStrings::Assign(const TStrings& Source)
{
    IdListsFromNames(LinesOf(Source), pidls_);
}

TPIDLClipboardFormat::TPIDLClipboardFormat() : TCustomSimpleClipboardFormat(Class) {}

CLIPFORMAT TPIDLClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("Shell IDList Array"));
    return id;
}

bool TPIDLClipboardFormat::ParseBlock(std::span<const std::uint8_t> Block)
{
    const std::optional<std::vector<QByteArray>> lists = ReadCida(Block);
    if (!lists || lists->size() < 2)
        return false;
    QStringList lines;
    for (const QByteArray& list : *lists)
        lines.append(IdListLine(list));
    SetLines(PIDLs, lines);
    return true;
}

bool TPIDLClipboardFormat::FillBlock(std::span<std::uint8_t> Block)
{
    const QByteArray cida = MakeCida(ListsOf(PIDLs));
    if (PIDLs.Count() == 0 || Block.size() < std::size_t(cida.size()))
        return false;
    std::memcpy(Block.data(), cida.constData(), std::size_t(cida.size()));
    return true;
}

std::int64_t TPIDLClipboardFormat::BlockSize() const
{
    return PIDLs.Count() == 0 ? 0 : MakeCida(ListsOf(PIDLs)).size();
}
