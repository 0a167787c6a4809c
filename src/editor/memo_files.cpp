// The editor control's loading and saving: streams, files and the save formats.
#include "editor/custom_syntax_memo.h"

#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/streams.h"
#include "platform/system/atomic_file.h"
#include "platform/system/error_text.h"

#include <memory>
#include <utility>

namespace {

// Attempts of a write that came out short: the first and three more.
constexpr int SaveAttempts = 4;

} // namespace

// Nothing is highlighted while the text comes in; the parser colours it once afterwards.
void TCustomSyntaxMemo::LoadFromStream(TStream& Stream)
{
    const bool ready = std::exchange(ready_, false);
    try {
        TMemoCore::LoadFromStream(Stream);
    } catch (...) {
        ready_ = ready;
        throw;
    }
    ready_ = ready;
    if (CurrentParser())
        Perform(sm::SM_APPLYSETTINGS, 0, 0);
    CaretAfterEOL = false;
    UpdateScrollBars();
}

void TCustomSyntaxMemo::WriteDocument(TStream& Stream)
{
    unsigned format = TextStore().SelLineStyle == lsCRLF ? sm::wfCRLF : sm::wfBare;
    switch (SaveFormat) {
    case sfRTF: format = sm::wfRTF; break;
    case sfHTML: format = sm::wfHTML; break;
    case sfUNIX: format = sm::wfUNIX; break;
    case sfTEXT: break;
    }
    const std::int64_t start = Stream.Position();
    const int length = TextLength();
    for (int attempt = 1;; ++attempt) {
        bool complete = false;
        try {
            WriteRange(Stream, 0, length, format);
            complete = Stream.Position() - start >= length;
        } catch (const EWriteError&) {
        }
        if (complete || length == 0)
            return;
        if (attempt == SaveAttempts)
            throw EFileSaveError(QStringLiteral("Could not save text to stream"));
        // Again from the start, so that a retry never leaves a partial copy in front of a whole one.
        Stream.SetPosition(start);
        Stream.SetSize(start);
    }
}

void TCustomSyntaxMemo::SaveToStream(TStream& Stream)
{
    WriteDocument(Stream);
    SetModified(false);
}

void TCustomSyntaxMemo::SaveToStream(TStream* Stream)
{
    if (!Stream)
        throw EFileSaveError(QStringLiteral("Bad TStream instance"));
    SaveToStream(*Stream);
}

void TCustomSyntaxMemo::LoadFromFile(const QString& FileName)
{
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyNone);
    } catch (const EFOpenError&) {
        throw EFOpenError(QStringLiteral("File '%1' cannot be opened for reading").arg(FileName));
    }
    LoadFromStream(*stream);
    if (HasOption(smoTitleAsFilename))
        Title = FileName;
}

void TCustomSyntaxMemo::SaveToFile(const QString& FileName)
{
    TMemoryStream content;
    WriteDocument(content);
    const int error =
        WriteDocumentAtomically(FileName, QByteArray(content.Memory(), qsizetype(content.Size())));
    if (error != 0)
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, SysErrorMessage(error)));
    SetModified(false);
    if (HasOption(smoTitleAsFilename))
        Title = FileName;
}
