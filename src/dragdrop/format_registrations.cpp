// The declarations of the drag-and-drop formats.
#include "dragdrop/format_registrations.h"

#include "dragdrop/data_stream_data_format.h"
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/feedback_data_format.h"
#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/file_contents_stream_format.h"
#include "dragdrop/file_data_formats.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/format_map.h"
#include "dragdrop/text_clipboard_formats.h"
#include "dragdrop/text_data_format.h"

namespace {

struct TConversion {
    const TDataFormatClass& Data;
    const TClipboardFormatClass& Format;
    std::int32_t Priority;
    TDataDirections Directions;
    TConversionScopes Scopes;
};

constexpr TConversionScopes Both = csSource | csTarget;

const TConversion Conversions[] = {
    {TTextDataFormat::Class, TTextClipboardFormat::Class, 0, ddRead, Both},
    {TTextDataFormat::Class, TFileContentsClipboardFormat::Class, 1, ddRead, Both},
    {TTextDataFormat::Class, TFileGroupDescritorClipboardFormat::Class, 1, ddRead, csSource},
    {TTextDataFormat::Class, TFileGroupDescritorWClipboardFormat::Class, 1, ddRead, csSource},
    {TFeedbackDataFormat::Class, TPreferredDropEffectClipboardFormat::Class, 0, ddRead, Both},
    {TFeedbackDataFormat::Class, TPerformedDropEffectClipboardFormat::Class, 0, ddWrite, Both},
    {TFeedbackDataFormat::Class, TPasteSuccededClipboardFormat::Class, 0, ddWrite, Both},
    {TFeedbackDataFormat::Class, TInShellDragLoopClipboardFormat::Class, 0, ddRead, Both},
    {TFeedbackDataFormat::Class, TTargetCLSIDClipboardFormat::Class, 0, ddWrite, Both},
    {TFeedbackDataFormat::Class, TLogicalPerformedDropEffectClipboardFormat::Class, 0, ddWrite, Both},
    {TDataStreamDataFormat::Class, TFileContentsStreamClipboardFormat::Class, 0, ddRead, csTarget},
    {TPIDLDataFormat::Class, TPIDLClipboardFormat::Class, 0, ddRead, Both},
    {TPIDLDataFormat::Class, TFileClipboardFormat::Class, 1, ddRead, Both},
    {TFileDataFormat::Class, TFileClipboardFormat::Class, 0, ddRead, Both},
    {TFileDataFormat::Class, TPIDLClipboardFormat::Class, 1, ddRead, Both},
    {TFileDataFormat::Class, TFilenameClipboardFormat::Class, 2, ddRead, Both},
    {TFileDataFormat::Class, TFilenameWClipboardFormat::Class, 2, ddRead, Both},
    {TFileMapDataFormat::Class, TFilenameMapClipboardFormat::Class, 0, ddRead, Both},
    {TFileMapDataFormat::Class, TFilenameMapWClipboardFormat::Class, 0, ddRead, Both},
};

// The classes declared as data format classes (the feedback format is not one of them).
const TDataFormatClass* const DeclaredClasses[] = {&TTextDataFormat::Class, &TDataStreamDataFormat::Class,
                                                   &TPIDLDataFormat::Class, &TFileDataFormat::Class,
                                                   &TFileMapDataFormat::Class};

} // namespace

void DeclareDragDropFormats()
{
    for (const TConversion& c : Conversions)
        DeclareFormatConversion(c.Data, c.Format, c.Priority, c.Scopes, c.Directions);
    for (const TDataFormatClass* data : DeclaredClasses)
        DeclareDataFormatClass(*data);
}

void WithdrawDragDropFormats()
{
    for (const TConversion& c : Conversions) {
        WithdrawDataFormatClass(c.Data);
        WithdrawClipboardFormatClass(c.Format);
    }
}
