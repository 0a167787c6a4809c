// TFtpDirInfo.
#include "ftp/listing/dir_info.h"

#include "ftp/listing/listing_arena.h"
#include "platform/rtl/trim.h"

static_assert(alignof(TFtpDirInfo) <= alignof(void*), "the arena aligns objects as pointers");

QString TFtpDirInfo::GetSize()
{
    SizeText = Trim(SizeText);
    return SizeText.isEmpty() ? QStringLiteral("0") : SizeText;
}

bool TFtpDirInfo::IsDirectory() const
{
    return Attributes.startsWith(u'd') || Attributes.startsWith(u'l');
}

void* TFtpDirInfo::operator new(std::size_t Size)
{
    return TListingArena::AllocateAlone(Size);
}

void* TFtpDirInfo::operator new(std::size_t Size, TListingArena& Arena)
{
    return Arena.AllocateObject(Size);
}

void TFtpDirInfo::operator delete(void* Entry) noexcept
{
    TListingArena::FreeObject(Entry);
}

void TFtpDirInfo::operator delete(void* Entry, TListingArena&) noexcept
{
    TListingArena::FreeObject(Entry);
}
