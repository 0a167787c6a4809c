// Clipboard formats and data formats against a data object: matching records, reading through
// the compatible formats in order, and every medium released exactly once on every path.
#include "test_formats.h"

#include "../platform/fake_data_object.h"
#include "dragdrop/format_map.h"
#include "dragdrop/raw_formats.h"
#include "dragdrop/storage_medium.h"
#include "platform/rtl/exception.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace win;

namespace {

const TDataFormatClass PairData{"TPairDataFormat", &TCustomDataFormat::Class, nullptr};

// A format whose EncodeMedium hands out media whose release is counted.
class CountedFormat : public TestFormat<fFilename> {
public:
    bool EncodeMedium(const FORMATETC&, STGMEDIUM& Medium) override
    {
        Medium = Counter.Medium(Block);
        return true;
    }
    ReleaseCounter Counter;
};

// A format whose decoding fails with an exception.
class ThrowingFormat : public TestFormat<fFilename> {
public:
    bool DecodeMedium(IDataObject*, const STGMEDIUM&) override { throw std::runtime_error("decode"); }
};

const TClipboardFormatClass NoIdClass{"TNoIdFormat", &TClipboardFormat::Class, nullptr};

class NoIdFormat : public TestBlockFormat {
public:
    NoIdFormat() : TestBlockFormat(NoIdClass, TYMED_HGLOBAL) {}
};

FORMATETC Record(CLIPFORMAT Format, DWORD Tymed = TYMED_HGLOBAL)
{
    return {Format, nullptr, DVASPECT_CONTENT, -1, Tymed};
}

CLIPFORMAT FileNameId()
{
    return RegisterFormatName("FileName");
}

} // namespace

TEST(ClipboardFormat, MatchesOfferedRecordsByIdAspectDeviceAndMedium)
{
    TestFormat<fFilename> format; // HGLOBAL | ISTREAM
    DVTARGETDEVICE* const device = reinterpret_cast<DVTARGETDEVICE*>(&format);
    struct Case {
        const char* what;
        FORMATETC offered;
        bool matches;
    };
    const Case cases[] = {
        {"the same record", Record(FileNameId(), TYMED_HGLOBAL | TYMED_ISTREAM), true},
        {"one medium in common", Record(FileNameId(), TYMED_ISTREAM), true},
        {"lindex is not compared", {FileNameId(), nullptr, DVASPECT_CONTENT, 7, TYMED_HGLOBAL}, true},
        {"another id", Record(CF_TEXT), false},
        {"a target device", {FileNameId(), device, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, false},
        {"another aspect", {FileNameId(), nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, false},
        {"no medium in common", Record(FileNameId(), TYMED_ISTORAGE), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format.MatchesFormatRecord(c.offered), c.matches) << c.what;
}

TEST(ClipboardFormat, ReadsAnOfferedFormatAndReleasesTheMediumOnce)
{
    const auto data = MakeComObject<FakeDataObject>();
    data->Offer(FileNameId(), "report.txt");
    TestFormat<fFilename> format;
    EXPECT_TRUE(format.IsAvailableIn(data.Get()));
    ASSERT_TRUE(format.GetData(data.Get()));
    EXPECT_EQ(format.Block, "report.txt");
    EXPECT_EQ(data->Counter.MediaMade, 1);
    EXPECT_EQ(data->Counter.Releases, 1);

    TestFormat<fText> absent;
    EXPECT_FALSE(absent.IsAvailableIn(data.Get()));
    EXPECT_FALSE(absent.GetData(data.Get()));
    EXPECT_EQ(data->Counter.MediaMade, 1);
}

TEST(ClipboardFormat, TakeFromMediumReleasesTheMediumWhateverHappens)
{
    ReleaseCounter counter;
    TestFormat<fFileContentsStream> streamOnly;
    STGMEDIUM global = counter.Medium("bytes");
    EXPECT_FALSE(streamOnly.TakeFromMedium(nullptr, global)) << "an HGLOBAL for a stream-only format";
    EXPECT_EQ(counter.Releases, 1);
    EXPECT_EQ(global.tymed, TYMED_NULL);

    ThrowingFormat throwing;
    STGMEDIUM medium = counter.Medium("bytes");
    EXPECT_THROW(throwing.TakeFromMedium(nullptr, medium), std::runtime_error);
    EXPECT_EQ(counter.Releases, 2);
}

TEST(ClipboardFormat, SetDataHandsTheMediumOverOnlyWhenTheDataObjectTakesIt)
{
    const auto data = MakeComObject<FakeDataObject>();
    CountedFormat format;
    format.Block = "a.txt";
    STGMEDIUM medium;

    ASSERT_TRUE(format.SetData(data.Get(), Record(FileNameId()), medium));
    EXPECT_EQ(data->Received[FileNameId()], "a.txt");
    EXPECT_EQ(medium.tymed, TYMED_NULL);
    EXPECT_EQ(format.Counter.Releases, 1) << "released once, by the data object that took it";

    data->AcceptSetData = false;
    EXPECT_FALSE(format.SetData(data.Get(), Record(FileNameId()), medium));
    EXPECT_EQ(format.Counter.MediaMade, 2);
    EXPECT_EQ(format.Counter.Releases, 2) << "released once, by the format, when refused";

    EXPECT_FALSE(format.SetData(data.Get(), Record(CF_TEXT), medium)) << "a request for another format";
    EXPECT_FALSE(format.SetData(data.Get(), Record(FileNameId(), TYMED_ISTORAGE), medium));
    EXPECT_EQ(format.Counter.MediaMade, 2) << "no medium built for a request that does not match";
}

TEST(ClipboardFormat, DataFormatReadsOnlyTheFirstOfItsFormatsThatGivesData)
{
    DeclareFormatConversion(PairData, TestFormatClass(fFile), 0, csTarget, ddRead);
    DeclareFormatConversion(PairData, TestFormatClass(fFilename), 1, csTarget, ddRead);
    const auto both = MakeComObject<FakeDataObject>();
    both->Offer(FileNameId(), "from FileName");
    both->Offer(CF_HDROP, "from CF_HDROP");
    TestDataFormat format(PairData, nullptr);
    EXPECT_TRUE(format.IsAvailableIn(both.Get()));
    ASSERT_TRUE(format.GetData(both.Get()));
    EXPECT_EQ(format.Block, "from CF_HDROP");
    EXPECT_EQ(both->GetDataCalls[CF_HDROP], 1);
    EXPECT_EQ(both->GetDataCalls.count(FileNameId()), 0u) << "the second format is never read";
    EXPECT_EQ(both->Counter.Releases, both->Counter.MediaMade);

    const auto second = MakeComObject<FakeDataObject>();
    second->Offer(FileNameId(), "from FileName");
    format.Clear();
    ASSERT_TRUE(format.GetData(second.Get()));
    EXPECT_EQ(format.Block, "from FileName");
    EXPECT_EQ(format.Source, "TFilenameClipboardFormat");
    EXPECT_EQ(second->Counter.Releases, second->Counter.MediaMade);

    const auto none = MakeComObject<FakeDataObject>();
    format.Clear();
    EXPECT_FALSE(format.IsAvailableIn(none.Get()));
    EXPECT_FALSE(format.GetData(none.Get()));
    WithdrawDataFormatClass(PairData);
}

TEST(ClipboardFormat, FailuresOfTheBaseAndOfTheRawFormatCarryTheirTexts)
{
    NoIdFormat noId;
    try {
        noId.FormatEtc();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Internal error: TNoIdFormat.GetClipboardFormat needs implementation");
    }
    TestFormat<fText> text;
    try {
        text.StoreFormatName("Other");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "TTextClipboardFormat.ClipboardFormat is read-only");
    }
    try {
        delete TRawClipboardFormat::Class.Create();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "The TRawClipboardFormat class can not be instantiated with the default constructor");
    }
    EXPECT_EQ(text.GetClipboardFormatName(), "") << "a standard format has no registered name";
}

TEST(ClipboardFormat, RawFormatKeepsACopyOfWhatItReadsAndGivesCopies)
{
    const CLIPFORMAT rawId = RegisterFormatName("Raw Test Format");
    const auto data = MakeComObject<FakeDataObject>();
    data->Offer(rawId, "raw bytes");

    TRawClipboardFormat raw(Record(CF_TEXT));
    raw.StoreFormatName("raw test format");
    EXPECT_EQ(raw.FormatEtc().cfFormat, rawId) << "names are compared without case";
    EXPECT_FALSE(raw.HoldsData());
    ASSERT_TRUE(raw.GetData(data.Get()));
    EXPECT_EQ(data->Counter.Releases, 1) << "the received medium is released; the raw format keeps a copy";
    EXPECT_EQ(BytesOfMedium(raw.Medium), QByteArray("raw bytes"));

    STGMEDIUM copy;
    ASSERT_TRUE(raw.EncodeMedium(raw.FormatEtc(), copy));
    EXPECT_EQ(BytesOfMedium(copy), QByteArray("raw bytes"));
    ReleaseStgMedium(&copy);

    TRawDataFormat rawData(nullptr);
    TestDataFormat other(PairData, nullptr);
    EXPECT_TRUE(raw.AssignTo(&rawData));
    EXPECT_FALSE(raw.AssignTo(&other));

    auto* empty = new TRawClipboardFormat(Record(rawId));
    rawData.ConvertibleFormats().Add(new TRawClipboardFormat(raw.FormatEtc()));
    rawData.ConvertibleFormats().Add(empty);
    ASSERT_TRUE(rawData.ConvertibleFormats().Formats(0)->GetData(data.Get()));
    EXPECT_TRUE(rawData.HoldsData());
    EXPECT_TRUE(rawData.LacksData()) << "one of its formats holds nothing";
    int changes = 0;
    rawData.OnChanging = [&](TObject*) { ++changes; };
    rawData.Clear();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(rawData.HoldsData());
}

TEST(ClipboardFormat, DuplicateStorageMediumGivesAnIndependentCopy)
{
    STGMEDIUM source;
    ASSERT_TRUE(MediumFromBytes("block", TYMED_HGLOBAL, source));
    STGMEDIUM copy;
    ASSERT_TRUE(DuplicateStorageMedium(source, copy));
    ReleaseStgMedium(&source);
    EXPECT_EQ(BytesOfMedium(copy), QByteArray("block"));
    ReleaseStgMedium(&copy);
}
