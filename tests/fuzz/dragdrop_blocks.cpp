// Fuzz target: a block dropped by another program, read by each drag-and-drop format that takes
// blocks (file list, item list array, name maps, file group descriptors, texts, values), never
// reads outside the block; what a format accepts it writes again into a block it accepts too,
// holding the same.
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/pidl_clipboard_format.h"
#include "dragdrop/text_clipboard_formats.h"
#include "platform/ole/hglobal.h"
#include "platform/ole/medium.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// The fields of a format that must survive a write and a read.
template <class F>
QString Fields(F& Format)
{
    if constexpr (std::is_base_of_v<TFileClipboardFormat, F>)
        return QString::number(Format.Files.Count());
    else if constexpr (std::is_base_of_v<TPIDLClipboardFormat, F>)
        return Format.PIDLs.Text();
    else if constexpr (std::is_base_of_v<TCustomFilenameMapClipboardFormat, F>)
        return QString::number(Format.FileMaps.Count());
    else if constexpr (std::is_base_of_v<TCustomFileGroupDescriptorClipboardFormat, F>)
        return QString::fromLatin1(Format.Block.toHex()) + Format.FileName(0) + Format.FileName(Format.Count() - 1);
    else if constexpr (std::is_base_of_v<TCustomDWORDClipboardFormat, F>)
        return QString::number(Format.Value);
    else if constexpr (std::is_base_of_v<TTargetCLSIDClipboardFormat, F>)
        return QString::number(Format.CLSID.Data1);
    else if constexpr (std::is_base_of_v<TCustomWideTextClipboardFormat, F>)
        return Format.Data.endsWith(QChar(0)) ? Format.Data : Format.Data + QChar(0); // a NUL is added when written
    else
        return QString::fromLatin1(Format.Data);
}

template <class F>
void Check(const QByteArray& Block)
{
    win::STGMEDIUM medium;
    medium.hGlobal = win::GlobalFromBytes(Block); // an exact-size block
    medium.tymed = win::TYMED_HGLOBAL;
    F format;
    if (!format.TakeFromMedium(nullptr, medium) || !format.HoldsData())
        return;
    win::FORMATETC request = format.FormatEtc();
    request.tymed = win::TYMED_HGLOBAL;
    win::STGMEDIUM written;
    if (!format.EncodeMedium(request, written))
        return; // nothing to write (an empty text)
    F again;
    if (!again.TakeFromMedium(nullptr, written) || Fields(again) != Fields(format))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size));
    Check<TFileClipboardFormat>(block);
    Check<TPIDLClipboardFormat>(block);
    Check<TFilenameMapClipboardFormat>(block);
    Check<TFilenameMapWClipboardFormat>(block);
    Check<TFileGroupDescritorClipboardFormat>(block);
    Check<TFileGroupDescritorWClipboardFormat>(block);
    Check<TTextClipboardFormat>(block);
    Check<TFilenameWClipboardFormat>(block);
    Check<TPreferredDropEffectClipboardFormat>(block);
    Check<TTargetCLSIDClipboardFormat>(block);
    return 0;
}
