// The read-only text stream.
#include "editor/document/fast_memory_stream.h"

#include "platform/rtl/resource_strings.h"

TFastMemoryStream::TFastMemoryStream(const char* Text)
{
    SetPointer(const_cast<char*>(Text), Text ? std::int64_t(std::strlen(Text)) : 0);
}

std::int64_t TFastMemoryStream::Write(const void*, std::int64_t)
{
    throw EStreamError(LoadStr(4203));
}
