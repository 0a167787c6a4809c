// Blocks from other programs that break their format's rules are refused whole, without a read
// outside the block (each block is an exact-size allocation, so the address sanitizer sees any),
// and the data format then tries its next format.
#include "format_media.h"

#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/file_data_formats.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/pidl_clipboard_format.h"
#include "dragdrop/string_lines.h"
#include "support/qt_printers.h"

#include <cstring>
#include <functional>
#include <memory>

using namespace win;

namespace {

QByteArray U32s(std::initializer_list<std::uint32_t> Values)
{
    QByteArray bytes;
    for (std::uint32_t value : Values)
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    return bytes;
}

QByteArray DropFiles(std::uint32_t Files, std::uint32_t Wide, const QByteArray& Names)
{
    return U32s({Files, 0, 0, 0, Wide}) + Names;
}

struct Malformed {
    const char* what;
    std::function<std::unique_ptr<TClipboardFormat>()> format;
    QByteArray block;
};

template <class F>
std::unique_ptr<TClipboardFormat> Make()
{
    return std::make_unique<F>();
}

const QByteArray Parent("\x04\x00\x10\x01\x00\x00", 6);
const QByteArray Item("\x04\x00\x41\x42\x00\x00", 6);

std::vector<Malformed> MalformedBlocks()
{
    const QByteArray descriptor(332, '\0');
    return {
        {"a DROPFILES block of 20 bytes", Make<TFileClipboardFormat>, DropFiles(20, 0, {})},
        {"pFiles past the end", Make<TFileClipboardFormat>, DropFiles(64, 0, QByteArray("a\0\0", 3))},
        {"pFiles inside the header", Make<TFileClipboardFormat>, DropFiles(4, 0, QByteArray("a\0\0", 3))},
        {"a list with no names", Make<TFileClipboardFormat>, DropFiles(20, 0, QByteArray("\0\0", 2))},
        {"an unterminated name", Make<TFileClipboardFormat>, DropFiles(20, 0, "abc")},
        {"an odd wide tail", Make<TFileClipboardFormat>, DropFiles(20, 1, QByteArray("a\0b", 3))},
        {"a name map with an unterminated name", Make<TFilenameMapClipboardFormat>, "abc"},
        {"a wide name map of one byte", Make<TFilenameMapWClipboardFormat>, "a"},
        {"a CIDA of 3 bytes", Make<TPIDLClipboardFormat>, QByteArray("\x01\x00\x00", 3)},
        {"a CIDA with cidl 0", Make<TPIDLClipboardFormat>, U32s({0, 8}) + Parent},
        {"a CIDA with cidl 0x20000000", Make<TPIDLClipboardFormat>, U32s({0x20000000, 16, 22}) + Parent + Item},
        {"a CIDA offset past the end", Make<TPIDLClipboardFormat>, U32s({1, 12, 4000}) + Parent},
        {"a CIDA offset table past the end", Make<TPIDLClipboardFormat>, U32s({2, 16, 22})},
        {"a CIDA item count of 1", Make<TPIDLClipboardFormat>,
         U32s({1, 12, 18}) + Parent + QByteArray("\x01\x00\x00\x00", 4)},
        {"a CIDA list running past the end", Make<TPIDLClipboardFormat>,
         U32s({1, 12, 18}) + Parent + QByteArray("\x08\x00\x41\x42", 4)},
        {"a CIDA list without terminator", Make<TPIDLClipboardFormat>,
         U32s({1, 12, 18}) + Parent + QByteArray("\x04\x00\x41\x42", 4)},
        {"a descriptor with two items in the count and one in the block",
         Make<TFileGroupDescritorClipboardFormat>, U32s({2}) + descriptor},
        {"a descriptor with one item in the count and two in the block",
         Make<TFileGroupDescritorClipboardFormat>, U32s({1}) + descriptor + descriptor},
        {"a descriptor of 3 bytes", Make<TFileGroupDescritorClipboardFormat>, QByteArray("\x01\x00\x00", 3)},
        {"a wide descriptor sized for 8-bit names", Make<TFileGroupDescritorWClipboardFormat>, U32s({1}) + descriptor},
        {"a value of 3 bytes", Make<TPreferredDropEffectClipboardFormat>, QByteArray("\x01\x00\x00", 3)},
        {"a CLSID of 15 bytes", Make<TTargetCLSIDClipboardFormat>, QByteArray(15, '\x01')},
    };
}

} // namespace

TEST(MalformedBlocks, AreRefusedThroughEitherMedium)
{
    for (const Malformed& m : MalformedBlocks()) {
        for (const DWORD tymed : {TYMED_HGLOBAL, TYMED_ISTREAM}) {
            const auto format = m.format();
            EXPECT_FALSE(Decoded(*format, m.block, tymed)) << m.what << " tymed " << tymed;
        }
    }
}

TEST(MalformedBlocks, ARefusedBlockLeavesTheFieldsAsTheyWere)
{
    TPreferredDropEffectClipboardFormat effect;
    effect.Value = DROPEFFECT_LINK;
    EXPECT_FALSE(effect.ParseBlock({reinterpret_cast<const std::uint8_t*>("\x01\x00\x00"), 3}));
    EXPECT_EQ(effect.Value, DROPEFFECT_LINK);

    TFileClipboardFormat files;
    SetLines(files.Files, {"kept"});
    const QByteArray empty = DropFiles(20, 0, QByteArray("\0\0", 2));
    EXPECT_FALSE(files.ParseBlock({reinterpret_cast<const std::uint8_t*>(empty.constData()), std::size_t(empty.size())}));
    EXPECT_EQ(LinesOf(files.Files), QStringList{"kept"});
}

TEST(MalformedBlocks, AFileDataFormatPassesOverARefusedFileListToTheNextFormat)
{
    auto object = MakeComObject<MediaDataObject>();
    object->OfferBlock(CF_HDROP, DropFiles(4000, 0, QByteArray("a\0\0", 3)));
    TFilenameClipboardFormat name;
    object->OfferBlock(name.FormatEtc().cfFormat, "/tmp/next");
    TFileDataFormat files(nullptr);
    EXPECT_TRUE(files.GetData(object.Get()));
    EXPECT_EQ(LinesOf(files.Files), QStringList{"/tmp/next"});
}
