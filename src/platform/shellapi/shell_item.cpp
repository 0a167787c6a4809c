// Encoding and decoding the namespace's items.
#include "platform/shellapi/shell_item.h"

namespace {

void PutLE(QByteArray& Out, std::uint64_t Value, int Bytes)
{
    for (int i = 0; i < Bytes; ++i)
        Out.append(char((Value >> (8 * i)) & 0xFF));
}

std::uint64_t GetLE(const win::BYTE* In, int Bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < Bytes; ++i)
        value |= std::uint64_t(In[i]) << (8 * i);
    return value;
}

bool ValidName(const QByteArray& Name)
{
    return !Name.isEmpty() && Name != "." && Name != ".." && !Name.contains('/');
}

// The text of Count bytes at Text, which must end in its only NUL.
bool ReadText(const win::BYTE* Text, std::size_t Count, QByteArray& Out)
{
    if (Count == 0 || Text[Count - 1] != 0)
        return false;
    Out = QByteArray(reinterpret_cast<const char*>(Text), qsizetype(Count - 1));
    return !Out.contains('\0');
}

constexpr std::size_t EntryHeader = 3 + 1 + 8 + 8; // count, kind, flags, size, time

} // namespace

QByteArray win::TShellItem::Encode() const
{
    QByteArray body;
    body.append(char(Kind));
    switch (Kind) {
    case ikRoot: body.append(char(RootId)); break;
    case ikVolume:
        body.append(char(VolumeKind));
        body.append(MountPath);
        body.append('\0');
        break;
    case ikFolder:
    case ikFile:
        body.append(char(Flags));
        PutLE(body, Size, 8);
        PutLE(body, std::uint64_t(ModifiedNs), 8);
        body.append(Name);
        body.append('\0');
        break;
    }
    if (body.size() + 2 > 0xFFFF)
        return {};
    QByteArray item;
    PutLE(item, std::uint64_t(body.size() + 2), 2);
    return item + body;
}

bool win::TShellItem::Decode(const BYTE* Item, std::size_t Count, TShellItem& Out)
{
    if (Count < 4)
        return false;
    Out = TShellItem();
    const BYTE* body = Item + 3;
    const std::size_t rest = Count - 3;
    switch (Item[2]) {
    case ikRoot:
        Out.Kind = ikRoot;
        Out.RootId = body[0];
        return rest == 1 && (Out.RootId == rootComputer || Out.RootId == rootHome);
    case ikVolume:
        Out.Kind = ikVolume;
        Out.VolumeKind = body[0];
        return Out.VolumeKind <= vkRam && ReadText(body + 1, rest - 1, Out.MountPath) &&
               Out.MountPath.startsWith('/');
    case ikFolder:
    case ikFile:
        if (Count < EntryHeader + 2)
            return false;
        Out.Kind = TKind(Item[2]);
        Out.Flags = body[0];
        Out.Size = GetLE(body + 1, 8);
        Out.ModifiedNs = std::int64_t(GetLE(body + 9, 8));
        return ReadText(Item + EntryHeader, Count - EntryHeader, Out.Name) && ValidName(Out.Name);
    default: return false;
    }
}

bool win::DecodeItems(LPCITEMIDLIST List, QList<TShellItem>& Items)
{
    Items.clear();
    QList<QByteArray> encoded;
    if (!SplitItemList(List, encoded))
        return false;
    for (const QByteArray& bytes : encoded) {
        TShellItem item;
        if (!TShellItem::Decode(reinterpret_cast<const BYTE*>(bytes.constData()), std::size_t(bytes.size()), item)) {
            Items.clear();
            return false;
        }
        Items.append(item);
    }
    return true;
}

win::LPITEMIDLIST win::EncodeItems(const QList<TShellItem>& Items)
{
    QByteArray bytes;
    for (const TShellItem& item : Items) {
        const QByteArray encoded = item.Encode();
        if (encoded.isEmpty())
            return nullptr;
        bytes += encoded;
    }
    return ItemListFromBytes(bytes);
}
