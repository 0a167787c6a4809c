// TFtpDirInfo: one remote directory entry, attached to its item in the remote list.
#pragma once

#include "platform/rtl/date_time.h"
#include "platform/rtl/object.h"

#include <QString>
#include <cstddef>

class TListingArena;

class TFtpDirInfo : public TObject {
public:
    // Given by the remote list: the item's kind (its icon, 1999 for the parent entry). The
    // listing line the entry comes from (a link's target follows " -> " in it).
    int Kind = 0;
    QString Line;
    // The listing's fields and the date read from its date text.
    QString SizeText = QStringLiteral("0");
    QString Name;
    QString Attributes;
    TDateTime DateTime = 0;

    // The size text trimmed (and kept so); "0" when it is empty.
    QString GetSize();
    // True for folders ("d") and links ("l"), which are shown as folders.
    bool IsDirectory() const;

    // The entries of a listing are made in its arena (new (Arena) TFtpDirInfo), others alone; any
    // entry is freed with delete.
    static void* operator new(std::size_t Size);
    static void* operator new(std::size_t Size, TListingArena& Arena);
    static void operator delete(void* Entry) noexcept;
    static void operator delete(void* Entry, TListingArena& Arena) noexcept;
};
