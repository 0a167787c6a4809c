// The sub-block writer.
#include "imaging/gif_writer.h"

#include "imaging/gif_types.h"
#include "platform/rtl/exception.h"

int64_t TGIFStream::Read(void*, int64_t)
{
    throw Exception(gifmsg::InvalidStreamOperation);
}

int64_t TGIFStream::Seek(int64_t, TSeekOrigin)
{
    throw Exception(gifmsg::InvalidStreamOperation);
}

TGIFWriter::~TGIFWriter()
{
    if (written_) {
        try {
            Flush();
        } catch (...) {
            // A destructor cannot report it; encoders flush before they let go of the writer.
        }
    }
}

int64_t TGIFWriter::Write(const void* Buffer, int64_t Count)
{
    const auto* bytes = static_cast<const uint8_t*>(Buffer);
    for (int64_t i = 0; i < Count; ++i)
        WriteByte(bytes[i]);
    return Count;
}

void TGIFWriter::Flush()
{
    written_ = false;
    if (fill_ == 1)
        return;
    buffer_[0] = uint8_t(fill_ - 1);
    stream_.WriteBuffer(buffer_.data(), fill_);
    fill_ = 1;
}
