// The declarations made at start-up give each data format of drag and drop its compatible
// clipboard formats, in order, for the side it serves.
#include "dragdrop/data_stream_data_format.h"
#include "dragdrop/drag_drop_component.h"
#include "dragdrop/feedback_data_format.h"
#include "dragdrop/file_data_formats.h"
#include "dragdrop/format_map.h"
#include "dragdrop/text_data_format.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SideComponent : public TDragDropComponent {
public:
    explicit SideComponent(TConversionScopes Scope) : TDragDropComponent(nullptr), scope_(Scope)
    {
        DataFormats = std::make_unique<TDataFormats>();
    }
    TConversionScopes DataFormatScope() const override { return scope_; }

private:
    TConversionScopes scope_;
};

QStringList ClassNames(const TCustomDataFormat& Format)
{
    QStringList names;
    for (int i = 0; i < Format.ConvertibleFormats().Count(); ++i)
        names << Format.ConvertibleFormats().Formats(i)->ClassName();
    return names;
}

} // namespace

TEST(FormatRegistrations, EachDataFormatGetsItsFormatsInOrderForItsSide)
{
    SideComponent source(csSource);
    SideComponent target(csTarget);
    const QStringList feedback = {"TLogicalPerformedDropEffectClipboardFormat", "TTargetCLSIDClipboardFormat",
                                  "TInShellDragLoopClipboardFormat", "TPasteSuccededClipboardFormat",
                                  "TPerformedDropEffectClipboardFormat", "TPreferredDropEffectClipboardFormat"};
    struct Case {
        std::unique_ptr<TCustomDataFormat> format;
        QStringList formats;
    };
    Case cases[] = {
        {std::make_unique<TFileDataFormat>(&target),
         {"TFileClipboardFormat", "TPIDLClipboardFormat", "TFilenameWClipboardFormat", "TFilenameClipboardFormat"}},
        {std::make_unique<TFileMapDataFormat>(&target), {"TFilenameMapWClipboardFormat", "TFilenameMapClipboardFormat"}},
        {std::make_unique<TPIDLDataFormat>(&source), {"TPIDLClipboardFormat", "TFileClipboardFormat"}},
        {std::make_unique<TTextDataFormat>(&source),
         {"TTextClipboardFormat", "TFileGroupDescritorWClipboardFormat", "TFileGroupDescritorClipboardFormat",
          "TFileContentsClipboardFormat"}},
        {std::make_unique<TTextDataFormat>(nullptr), {"TTextClipboardFormat", "TFileContentsClipboardFormat"}},
        {std::make_unique<TDataStreamDataFormat>(&target), {"TFileContentsStreamClipboardFormat"}},
        {std::make_unique<TDataStreamDataFormat>(&source), {}},
        {std::make_unique<TFeedbackDataFormat>(&target), feedback},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassNames(*c.format), c.formats) << c.format->ClassName().toStdString();

    const auto& declared = TDataFormatClasses::Instance().Classes();
    EXPECT_EQ(std::count(declared.begin(), declared.end(), &TFileDataFormat::Class), 1);
    EXPECT_EQ(std::count(declared.begin(), declared.end(), &TFeedbackDataFormat::Class), 0);
}
