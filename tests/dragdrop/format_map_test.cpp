// The conversion map: the registrations of the drag-and-drop formats replayed with stand-in
// classes give each data format its compatible formats in the expected order and scope.
#include "test_formats.h"

#include "dragdrop/drag_drop_component.h"
#include "dragdrop/format_map.h"
#include "platform/rtl/exception.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

const TDataFormatClass TextData{"TTextDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass FeedbackData{"TFeedbackDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass DataStreamData{"TDataStreamDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass PidlData{"TPIDLDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass FileData{"TFileDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass FileMapData{"TFileMapDataFormat", &TCustomDataFormat::Class, nullptr};
// Classes of the ordering tests, which use only the test formats.
const TDataFormatClass OrderData{"TOrderDataFormat", &TCustomDataFormat::Class, nullptr};
const TDataFormatClass OrderChildData{"TOrderChildDataFormat", &OrderData, nullptr};
const TClipboardFormatClass ParentFormat{"TParentFormat", &TClipboardFormat::Class, nullptr};
const TClipboardFormatClass ChildFormat{"TChildFormat", &ParentFormat, []() -> TClipboardFormat* { return new TestFormat<fText>; }};

const TDataFormatClass* const DataClasses[] = {&TextData, &FeedbackData, &DataStreamData, &PidlData,
                                               &FileData, &FileMapData, &OrderData, &OrderChildData};

struct Registration {
    const TDataFormatClass* Data;
    TestFormatIndex Format;
    int Priority;
    TDataDirections Directions;
    TConversionScopes Scopes;
};

const Registration Registrations[] = {
    {&TextData, fText, 0, 1, 3},
    {&TextData, fFileContents, 1, 1, 3},
    {&TextData, fFileGroupDescriptor, 1, 1, 1},
    {&TextData, fFileGroupDescriptorW, 1, 1, 1},
    {&FeedbackData, fPreferredDropEffect, 0, 1, 3},
    {&FeedbackData, fPerformedDropEffect, 0, 2, 3},
    {&FeedbackData, fPasteSucceeded, 0, 2, 3},
    {&FeedbackData, fInShellDragLoop, 0, 1, 3},
    {&FeedbackData, fTargetCLSID, 0, 2, 3},
    {&FeedbackData, fLogicalPerformedDropEffect, 0, 2, 3},
    {&DataStreamData, fFileContentsStream, 0, 1, 2},
    {&PidlData, fPIDL, 0, 1, 3},
    {&PidlData, fFile, 1, 1, 3},
    {&FileData, fFile, 0, 1, 3},
    {&FileData, fPIDL, 1, 1, 3},
    {&FileData, fFilename, 2, 1, 3},
    {&FileData, fFilenameW, 2, 1, 3},
    {&FileMapData, fFilenameMap, 0, 1, 3},
    {&FileMapData, fFilenameMapW, 0, 1, 3},
};

// A format as the lists below name it: its registered name, or the standard format's name.
QString Label(const TClipboardFormat& Format)
{
    const QString name = Format.GetClipboardFormatName();
    if (!name.isEmpty())
        return name;
    return Format.FormatEtc().cfFormat == CF_TEXT ? QStringLiteral("CF_TEXT") : QStringLiteral("CF_HDROP");
}

QStringList Labels(const TClipboardFormats& Formats)
{
    QStringList labels;
    for (int i = 0; i < Formats.Count(); ++i)
        labels << Label(*Formats.Formats(i));
    return labels;
}

QStringList Collected(const TDataFormatClass& Class, TConversionScopes Scope)
{
    TClipboardFormats formats;
    CollectConvertibleFormats(Class, formats, Scope);
    return Labels(formats);
}

QStringList ClassNames(const TDataFormatClass& Class, TConversionScopes Scope)
{
    TClipboardFormats formats;
    CollectConvertibleFormats(Class, formats, Scope);
    QStringList names;
    for (int i = 0; i < formats.Count(); ++i)
        names << formats.Formats(i)->ClassName();
    return names;
}

// A component whose data formats serve one side, as the multi-source and multi-target
// components do.
class SideComponent : public TDragDropComponent {
public:
    SideComponent(TConversionScopes Scope) : TDragDropComponent(nullptr), scope_(Scope)
    {
        DataFormats = std::make_unique<TDataFormats>();
    }
    TConversionScopes DataFormatScope() const override { return scope_; }

private:
    TConversionScopes scope_;
};

class FormatMap : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const TDataFormatClass* data : DataClasses)
            WithdrawDataFormatClass(*data);
    }

    static void ReplayRegistrations()
    {
        for (const Registration& r : Registrations)
            DeclareFormatConversion(*r.Data, TestFormatClass(r.Format), r.Priority, r.Scopes, r.Directions);
    }
};

} // namespace

TEST_F(FormatMap, RegistrationsGiveEachDataFormatItsFormatsInOrder)
{
    ReplayRegistrations();
    const QStringList feedbackReversed = {"Logical Performed DropEffect", "TargetCLSID", "InShellDragLoop",
                                          "Paste Succeeded", "Performed DropEffect", "Preferred DropEffect"};
    struct Case {
        const TDataFormatClass* data;
        TConversionScopes scope;
        QStringList formats;
    };
    const Case cases[] = {
        {&FileData, csTarget, {"CF_HDROP", "Shell IDList Array", "FileNameW", "FileName"}},
        {&FileData, csSource, {"CF_HDROP", "Shell IDList Array", "FileNameW", "FileName"}},
        {&FileMapData, csTarget, {"FileNameMapW", "FileNameMap"}},
        {&PidlData, csTarget, {"Shell IDList Array", "CF_HDROP"}},
        {&TextData, csSource, {"CF_TEXT", "FileGroupDescriptorW", "FileGroupDescriptor", "FileContents"}},
        {&TextData, csTarget, {"CF_TEXT", "FileContents"}},
        {&FeedbackData, csSource, feedbackReversed},
        {&FeedbackData, csTarget, feedbackReversed},
        {&DataStreamData, csTarget, {"FileContents"}},
        {&DataStreamData, csSource, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Collected(*c.data, c.scope), c.formats) << c.data->Name << " scope " << int(c.scope);
    // The two "FileContents" are different classes.
    EXPECT_EQ(ClassNames(TextData, csTarget).last(), "TFileContentsClipboardFormat");
    EXPECT_EQ(ClassNames(DataStreamData, csTarget), QStringList{"TFileContentsStreamClipboardFormat"});
}

TEST_F(FormatMap, CollectedFormatsCarryTheirEntrysDirections)
{
    ReplayRegistrations();
    TClipboardFormats formats;
    CollectConvertibleFormats(FeedbackData, formats, csTarget);
    std::map<QString, int> directions;
    for (int i = 0; i < formats.Count(); ++i)
        directions[Label(*formats.Formats(i))] = formats.Formats(i)->TransferDirections;
    EXPECT_EQ(directions["Preferred DropEffect"], ddRead);
    EXPECT_EQ(directions["Performed DropEffect"], ddWrite);
    EXPECT_EQ(directions["InShellDragLoop"], ddRead);
}

TEST_F(FormatMap, ADataFormatWithoutOwnerTakesTheTargetFormatsAndAnOwnerItsSide)
{
    ReplayRegistrations();
    TestDataFormat unowned(TextData, nullptr);
    EXPECT_EQ(Labels(unowned.ConvertibleFormats()), (QStringList{"CF_TEXT", "FileContents"}));

    SideComponent source(csSource);
    auto* owned = new TestDataFormat(TextData, &source);
    EXPECT_EQ(owned->ConvertibleFormats().Count(), 4);
    EXPECT_EQ(owned->Owner(), &source);
    ASSERT_EQ(source.DataFormats->Count(), 1);
    EXPECT_EQ(source.DataFormats->Formats(0), owned);
    EXPECT_EQ(source.DataFormats->Add(owned), 0) << "a format is listed once";
    delete owned;
    EXPECT_EQ(source.DataFormats->Count(), 0);
}

TEST_F(FormatMap, ADataFormatRefusesAnOwnerThatServesNoSide)
{
    TComponent plain;
    SideComponent neither(0);
    for (TComponent* owner : {&plain, static_cast<TComponent*>(&neither)}) {
        try {
            TestDataFormat format(TextData, owner);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, owner->ClassName() +
                                     " is not a valid owner for TTextDataFormat. Owner must be derived from "
                                     "TCustomDropMultiSource or TCustomDropMultiTarget");
        }
    }
    EXPECT_EQ(plain.ClassName(), "TComponent");
}

TEST_F(FormatMap, ReRegisteringAPairKeepsOneEntryWithJoinedSetsAndTheLaterPriority)
{
    DeclareFormatConversion(OrderData, TestFormatClass(fText), 0, csSource, ddRead);
    DeclareFormatConversion(OrderData, TestFormatClass(fFile), 1, csSource, ddRead);
    DeclareFormatConversion(OrderData, TestFormatClass(fText), 2, csTarget, ddWrite);
    std::vector<TConversionMapEntry> entries;
    for (const TConversionMapEntry& e : TDataFormatMap::Instance().Entries())
        if (e.DataFormatClass == &OrderData)
            entries.push_back(e);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].ClipboardFormatClass, &TestFormatClass(fText));
    EXPECT_EQ(entries[1].Priority, 2);
    EXPECT_EQ(entries[1].Scopes, csSource | csTarget);
    EXPECT_EQ(entries[1].Directions, ddRead | ddWrite);
}

TEST_F(FormatMap, EqualPrioritiesPutTheLaterFirstAndLowerPrioritiesComeFirst)
{
    struct Case {
        const char* what;
        std::vector<std::pair<TestFormatIndex, int>> declared;
        QStringList order;
    };
    const Case cases[] = {
        {"0, 1, 1", {{fText, 0}, {fFile, 1}, {fFilename, 1}}, {"CF_TEXT", "FileName", "CF_HDROP"}},
        {"a single registration", {{fFilenameW, 5}}, {"FileNameW"}},
        {"1 then 0 at the start of the map", {{fFile, 1}, {fText, 0}}, {"CF_TEXT", "CF_HDROP"}},
        {"2, 0, 1", {{fFile, 2}, {fText, 0}, {fFilename, 1}}, {"CF_TEXT", "FileName", "CF_HDROP"}},
    };
    for (const Case& c : cases) {
        for (const auto& [format, priority] : c.declared)
            DeclareFormatConversion(OrderData, TestFormatClass(format), priority, csTarget, ddRead);
        EXPECT_EQ(Collected(OrderData, csTarget), c.order) << c.what;
        WithdrawDataFormatClass(OrderData);
    }
}

TEST_F(FormatMap, WithdrawingAClassRemovesItsEntriesAndThoseOfItsDescendants)
{
    ReplayRegistrations();
    DeclareDataFormatClass(OrderData);
    DeclareDataFormatClass(OrderData);
    DeclareFormatConversion(OrderData, TestFormatClass(fText), 0, csTarget, ddRead);
    DeclareFormatConversion(OrderChildData, TestFormatClass(fFile), 0, csTarget, ddRead);
    DeclareFormatConversion(OrderData, ChildFormat, 1, csTarget, ddRead);
    EXPECT_EQ(Collected(OrderData, csTarget), (QStringList{"CF_TEXT", "CF_TEXT", "CF_HDROP"}))
        << "a class collects its descendants' entries too";
    EXPECT_EQ(std::count(TDataFormatClasses::Instance().Classes().begin(), TDataFormatClasses::Instance().Classes().end(),
                         &OrderData),
              1);

    WithdrawClipboardFormatClass(ParentFormat);
    EXPECT_EQ(Collected(OrderData, csTarget), (QStringList{"CF_TEXT", "CF_HDROP"}));
    WithdrawDataFormatClass(OrderData);
    EXPECT_TRUE(Collected(OrderData, csTarget).isEmpty());
    EXPECT_TRUE(Collected(OrderChildData, csTarget).isEmpty());
    EXPECT_EQ(std::count(TDataFormatClasses::Instance().Classes().begin(), TDataFormatClasses::Instance().Classes().end(),
                         &OrderData),
              0);
    EXPECT_EQ(Collected(FileData, csTarget).size(), 4) << "other classes keep theirs";
}
