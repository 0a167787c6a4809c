// Virtual files and streams: "FileContents" fetched as one stream per described file, the text
// offered as the one file "Text scrap.txt", the shell's feedback values, and the IStream handed
// to other programs with a CopyTo that always ends.
#include "format_media.h"

#include "dragdrop/data_stream_data_format.h"
#include "dragdrop/drag_drop_component.h"
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/feedback_data_format.h"
#include "dragdrop/file_contents_stream_format.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/fixed_stream_adapter.h"
#include "dragdrop/text_clipboard_formats.h"
#include "dragdrop/text_data_format.h"
#include "support/qt_printers.h"

using namespace win;

namespace {

CLIPFORMAT FileContentsId()
{
    return TFileContentsStreamClipboardFormat().FormatEtc().cfFormat;
}

QByteArray DescriptorOf(const QStringList& Names)
{
    TFileGroupDescritorClipboardFormat descriptor;
    descriptor.SetFileNames(Names);
    return descriptor.Block;
}

QByteArray BytesOf(TStream& Stream)
{
    QByteArray bytes(qsizetype(Stream.Size()), '\0');
    Stream.SetPosition(0);
    Stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

// The names and contents of a stream list.
std::vector<std::pair<QString, QByteArray>> Contents(const TStreamList& Streams)
{
    std::vector<std::pair<QString, QByteArray>> contents;
    for (int i = 0; i < Streams.Count(); ++i)
        contents.emplace_back(Streams.Names(i), BytesOf(*Streams.Streams(i)));
    return contents;
}

// A component whose data formats serve the source side.
class SourceComponent : public TDragDropComponent {
public:
    SourceComponent() : TDragDropComponent(nullptr) { DataFormats = std::make_unique<TDataFormats>(); }
    TConversionScopes DataFormatScope() const override { return csSource; }
};

// A stream that takes at most Limit bytes per Write and reports success.
class ShortWriteStream : public MemoryStream {
public:
    explicit ShortWriteStream(ULONG Limit) : limit_(Limit) {}
    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        return MemoryStream::Write(pv, std::min(cb, limit_), pcbWritten);
    }

private:
    ULONG limit_;
};

// An adapter over a memory stream of Bytes, at its start.
ComPtr<TFixedStreamAdapter> AdapterOver(const QByteArray& Bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(Bytes.constData(), Bytes.size());
    stream->SetPosition(0);
    return MakeComObject<TFixedStreamAdapter>(std::move(stream));
}

} // namespace

TEST(FileContentsStreams, EachDescribedFileBecomesANamedStream)
{
    auto object = MakeComObject<MediaDataObject>();
    object->OfferBlock(TFileGroupDescritorClipboardFormat().FormatEtc().cfFormat, DescriptorOf({"one.txt", "two.bin"}));
    object->OfferStream(FileContentsId(), new MemoryStream("first"), 0);
    auto* second = new MemoryStream("second");
    second->Seek(0, STREAM_SEEK_END, nullptr); // handed over at its end, as sources do
    object->OfferStream(FileContentsId(), second, 1);

    TDataStreamDataFormat streams(nullptr);
    ASSERT_TRUE(streams.GetData(object.Get()));
    const std::vector<std::pair<QString, QByteArray>> expected = {{"one.txt", "first"}, {"two.bin", "second"}};
    EXPECT_EQ(Contents(streams.Streams), expected);
}

TEST(FileContentsStreams, WithoutADescriptorOneUnnamedStreamIsAskedFor)
{
    auto object = MakeComObject<MediaDataObject>();
    object->OfferStream(FileContentsId(), new MemoryStream("alone"), -1);
    TFileContentsStreamClipboardFormat contents;
    ASSERT_TRUE(contents.GetData(object.Get()));
    const std::vector<std::pair<QString, QByteArray>> expected = {{"", "alone"}};
    EXPECT_EQ(Contents(contents.Streams), expected);
}

TEST(FileContentsStreams, TheFirstMissingFileEndsTheFetch)
{
    auto object = MakeComObject<MediaDataObject>();
    const CLIPFORMAT contents = FileContentsId();
    object->OfferBlock(TFileGroupDescritorClipboardFormat().FormatEtc().cfFormat, DescriptorOf({"a", "b", "c"}));
    object->OfferStream(contents, new MemoryStream("A"), 0);
    object->OfferStream(contents, new MemoryStream("C"), 2);
    TFileContentsStreamClipboardFormat format;
    ASSERT_TRUE(format.GetData(object.Get()));
    EXPECT_EQ(format.Streams.Count(), 1);
    EXPECT_EQ(object->Requests.back(), std::make_pair(contents, LONG(1)));
}

TEST(FileContentsStreams, StreamsThatClaimTooMuchOrRunDryKeepOnlyWhatTheyGive)
{
    auto object = MakeComObject<MediaDataObject>();
    const CLIPFORMAT contents = FileContentsId();
    object->OfferBlock(TFileGroupDescritorClipboardFormat().FormatEtc().cfFormat, DescriptorOf({"huge", "short", "ok"}));
    object->OfferStream(contents, new ClaimingStream("tiny", ULARGE_INTEGER(5) << 30), 0);
    object->OfferStream(contents, new ClaimingStream("abc", 1000), 1);
    object->OfferStream(contents, new ClaimingStream("0123456789", 4), 2);
    TFileContentsStreamClipboardFormat format;
    ASSERT_TRUE(format.GetData(object.Get()));
    const std::vector<std::pair<QString, QByteArray>> expected = {{"short", "abc"}, {"ok", "0123"}};
    EXPECT_EQ(Contents(format.Streams), expected) << "the 5 GiB stream is passed over";

    // Through the simple formats too: a block stream that states 5 GiB is refused.
    TTextClipboardFormat text;
    STGMEDIUM medium;
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = new ClaimingStream("abc", ULARGE_INTEGER(5) << 30);
    EXPECT_FALSE(text.TakeFromMedium(nullptr, medium));
    EXPECT_EQ(medium.tymed, TYMED_NULL) << "released";
}

TEST(TextDataFormat, AsASourceTheTextIsAlsoTheFileTextScrap)
{
    SourceComponent source;
    auto* text = new TTextDataFormat(&source);
    text->SetText("hello");
    std::map<QString, QByteArray> blocks;
    for (int i = 0; i < text->ConvertibleFormats().Count(); ++i) {
        TClipboardFormat* format = text->ConvertibleFormats().Formats(i);
        ASSERT_TRUE(text->AssignTo(format)) << format->ClassName().toStdString();
        blocks[format->ClassName()] = Encoded(*format).value_or("refused");
    }
    const std::map<QString, QByteArray> expected = {
        {"TTextClipboardFormat", QByteArray("hello", 6)},
        {"TFileContentsClipboardFormat", QByteArray("hello", 6)},
        {"TFileGroupDescritorClipboardFormat", GoldenHex("fgd_text_scrap.hex")},
        {"TFileGroupDescritorWClipboardFormat", GoldenHex("fgdw_text_scrap.hex")},
    };
    EXPECT_EQ(blocks, expected);
    delete text;
}

TEST(TextDataFormat, TakesTheTextOfCfTextBeforeFileContents)
{
    auto object = MakeComObject<MediaDataObject>();
    object->OfferBlock(TFileContentsClipboardFormat().FormatEtc().cfFormat, QByteArray("contents\0", 9), 0);
    TTextDataFormat text(nullptr);
    ASSERT_TRUE(text.GetData(object.Get()));
    EXPECT_EQ(text.Text(), "contents");
    object->OfferBlock(CF_TEXT, "plain");
    text.Clear();
    ASSERT_TRUE(text.GetData(object.Get()));
    EXPECT_EQ(text.Text(), "plain");
}

TEST(FeedbackDataFormat, ReadsEveryValueLastDeclaredFirstAndKeepsSomeOnClear)
{
    auto object = MakeComObject<MediaDataObject>();
    const auto offer = [&](TClipboardFormat&& format, std::uint32_t value) {
        object->OfferBlock(format.FormatEtc().cfFormat, QByteArray(reinterpret_cast<const char*>(&value), 4));
        return format.FormatEtc().cfFormat;
    };
    const CLIPFORMAT preferred = offer(TPreferredDropEffectClipboardFormat(), DROPEFFECT_MOVE);
    offer(TPerformedDropEffectClipboardFormat(), DROPEFFECT_COPY);
    offer(TPasteSuccededClipboardFormat(), DROPEFFECT_MOVE);
    offer(TInShellDragLoopClipboardFormat(), 1);
    const CLIPFORMAT logical = offer(TLogicalPerformedDropEffectClipboardFormat(), DROPEFFECT_LINK);

    TFeedbackDataFormat feedback(nullptr);
    int changes = 0;
    feedback.OnChanging = [&](TObject*) { ++changes; };
    ASSERT_TRUE(feedback.GetData(object.Get()));
    EXPECT_EQ(feedback.PreferredDropEffect(), DROPEFFECT_MOVE);
    EXPECT_EQ(feedback.PerformedDropEffect(), DROPEFFECT_COPY);
    EXPECT_EQ(feedback.PasteSucceeded, DROPEFFECT_MOVE);
    EXPECT_EQ(feedback.LogicalPerformedDropEffect, DROPEFFECT_LINK);
    EXPECT_TRUE(feedback.InShellDragLoop());
    EXPECT_TRUE(feedback.ShellLoopValuePresent);
    EXPECT_FALSE(feedback.LacksData());
    EXPECT_GT(changes, 0);
    EXPECT_EQ(object->Requests.front().first, logical);
    EXPECT_EQ(object->Requests.back().first, preferred);

    feedback.Clear();
    EXPECT_EQ(feedback.PreferredDropEffect(), 0u);
    EXPECT_EQ(feedback.PerformedDropEffect(), 0u);
    EXPECT_FALSE(feedback.ShellLoopValuePresent);
    EXPECT_EQ(feedback.PasteSucceeded, DROPEFFECT_MOVE) << "kept";
    EXPECT_EQ(feedback.LogicalPerformedDropEffect, DROPEFFECT_LINK) << "kept";
    EXPECT_TRUE(feedback.HoldsData()) << "a kept paste result still counts";
}

TEST(FixedStreamAdapter, CopyToFromTheEndCopiesTheWholeStream)
{
    const auto adapter = AdapterOver("0123456789");
    adapter->Seek(0, STREAM_SEEK_END, nullptr);
    auto target = MakeComObject<MemoryStream>();
    ULARGE_INTEGER read = 0, written = 0;
    EXPECT_EQ(adapter->CopyTo(target.Get(), ULARGE_INTEGER(-1), &read, &written), S_OK);
    EXPECT_EQ(target->Bytes(), "0123456789");
    EXPECT_EQ(read, 10u);
    EXPECT_EQ(written, 10u);
}

TEST(FixedStreamAdapter, CopyToEndsWhenTheStreamRunsDryAndFailsOnAShortWrite)
{
    const auto adapter = AdapterOver("abcde");
    auto target = MakeComObject<MemoryStream>();
    ULARGE_INTEGER read = 0, written = 0;
    EXPECT_EQ(adapter->CopyTo(target.Get(), 100, &read, &written), S_OK);
    EXPECT_EQ(target->Bytes(), "abcde");
    EXPECT_EQ(read, 5u);

    adapter->Seek(0, STREAM_SEEK_SET, nullptr);
    auto narrow = MakeComObject<ShortWriteStream>(2);
    EXPECT_EQ(adapter->CopyTo(narrow.Get(), 5, &read, &written), E_FAIL);
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(written, 2u);
}
