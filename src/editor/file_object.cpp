// The editor documents: parking and restoring, loading and saving, and their lookups.
#include "editor/file_object.h"

#include "editor/custom_syntax_memo.h"
#include "editor/document/memo_strings.h"
#include "editor/language/sm_settings.h"
#include "editor/parser_repository.h"

#include "routines/file_routines.h"

#include "platform/rtl/string_list.h"

#include <QFileInfo>
#include <functional>
#include <utility>

namespace {

// Keeps the editor's lines locked for update and its ready flag clear until the scope ends.
class TSwapScope {
public:
    explicit TSwapScope(TCustomSyntaxMemo& Editor) : editor_(Editor)
    {
        editor_.Lines().BeginUpdate();
        editor_.SetReady(false);
    }
    ~TSwapScope()
    {
        editor_.SetReady(true);
        editor_.Lines().EndUpdate();
    }
    TSwapScope(const TSwapScope&) = delete;
    TSwapScope& operator=(const TSwapScope&) = delete;

private:
    TCustomSyntaxMemo& editor_;
};

int IndexOfFileObject(const TStrings& Tabs, const std::function<bool(const TFileObject&)>& Matches)
{
    for (int i = 0; i < Tabs.Count(); ++i) {
        const auto* object = dynamic_cast<const TFileObject*>(Tabs.Objects(i));
        if (object && Matches(*object))
            return i;
    }
    return -1;
}

} // namespace

bool ReWrapNeeded(bool WordWrap, const TDocumentLook& Saved, const TDocumentLook& Now)
{
    if (!WordWrap)
        return false;
    return Saved.FontName != Now.FontName || Saved.FontSize != Now.FontSize ||
           Saved.FontCharSet != Now.FontCharSet || Saved.WrapColumn != Now.WrapColumn ||
           (Now.WrapColumn == 0 && Saved.ClientWidth != Now.ClientWidth);
}

TFileObject::TFileObject(const QString& FileName, bool IsRemote)
    : FileName(FileName), IsRemote(IsRemote), store_(std::make_unique<TTextStore>())
{
}

// The look of the parser's settings, or of the editor's own font without a parser.
TDocumentLook TFileObject::LookOf(TCustomSyntaxMemo& Editor)
{
    TDocumentLook look;
    if (const TCustomSyntaxMemoParser* parser = Editor.CurrentParser()) {
        look.FontName = parser->Settings().FontName;
        look.FontSize = parser->Settings().FontSize;
        look.FontCharSet = parser->Settings().FontCharSet;
    } else {
        look.FontName = Editor.font().family();
        look.FontSize = Editor.font().pointSize();
        look.FontCharSet = 1;
    }
    look.WrapColumn = Editor.WrapAtColumn();
    look.ClientWidth = Editor.ClientWidth();
    return look;
}

TDocumentLook TFileObject::SavedLook() const
{
    return {FontName, FontSize, FontCharSet, WrapColumn, ClientWidth};
}

void TFileObject::TakeLook(TCustomSyntaxMemo& Editor)
{
    const TDocumentLook look = LookOf(Editor);
    FontName = look.FontName;
    FontSize = look.FontSize;
    FontCharSet = std::uint8_t(look.FontCharSet);
    WrapColumn = look.WrapColumn;
    ClientWidth = look.ClientWidth;
}

void TFileObject::LoadIntoEditor(const QString& FileName, TCustomSyntaxMemo& Editor, int ParserIndex)
{
    TCustomSyntaxMemoParser* parser = ParserByIndex(ParserIndex);
    {
        TSwapScope swap(Editor);
        Editor.Clear();
        Editor.SetParser(1, nullptr);
        Editor.SetWordWrap(false);
        if (QFileInfo::exists(FileName))
            Editor.LoadFromFile(FileName);
        Editor.Title = FileName;
        ParserName = parser ? parser->Settings().Name : QString();
        WordWrap = parser && (parser->Settings().Options & OPT_WORDWRAP);
        Editor.SetReady(true);
        Editor.SetParser(1, parser);
        TakeLook(Editor);
        Modified = Editor.Modified();
    }
    SaveEditorState(Editor);
}

// The first visible line is read before the exchange: it travels with the store.
void TFileObject::SaveEditorState(TCustomSyntaxMemo& Editor)
{
    Modified = Editor.Modified();
    TopLine = Editor.CaretControl().GetTopLine();
    store_ = Editor.SetTextStore(std::move(store_));
    SelStart = Editor.SelStart();
    SelEnd = Editor.SelEnd();
    FileName = Editor.Title;
    WordWrap = Editor.GetWordWrap();
    TakeLook(Editor);
}

void TFileObject::RestoreEditorState(TCustomSyntaxMemo& Editor)
{
    {
        TSwapScope swap(Editor);
        TCustomSyntaxMemoParser* remembered = Editor.CurrentParser();
        Editor.SetParser(1, nullptr);
        if (remembered) {
            TCustomSyntaxMemoParser* parser = ParserByName(ParserName);
            if (!parser)
                parser = remembered;
            std::uint32_t& options = parser->Settings().Options;
            options = WordWrap ? options | OPT_WORDWRAP : options & ~OPT_WORDWRAP;
            Editor.SetParser(1, parser);
        }
        store_ = Editor.SetTextStore(std::move(store_));
        Editor.SetSelection(SelStart, SelEnd);
        Editor.CaretControl().SetTopLine(TopLine);
        Editor.Title = FileName;
        Editor.SetReady(true);
        if (ReWrapNeeded(WordWrap, SavedLook(), LookOf(Editor))) {
            Editor.SetWordWrap(false);
            Editor.SetWordWrap(true);
        }
        Modified = Editor.Modified();
    }
    Editor.Invalidate();
}

void TFileObject::SaveToFile(const QString& FileName, TCustomSyntaxMemo& Editor)
{
    Editor.SaveToFile(FileName);
    this->FileName = FileName;
    const TUndoStack* log = Editor.GetUndoStack();
    SavedUndoCount = log ? log->Count() : 0;
    SavedUndoID = log ? log->TopEntryID() : 0;
}

int IndexOfFileObjectByName(const QString& Name, const TStrings& Tabs)
{
    return IndexOfFileObject(Tabs, [&](const TFileObject& Object) { return Object.FileName == Name; });
}

int IndexOfFileObjectByRemote(const QString& RemotePath, const TStrings& Tabs)
{
    return IndexOfFileObject(Tabs, [&](const TFileObject& Object) { return Object.RemotePath == RemotePath; });
}

QString MakeEditorTempFile()
{
    return MakeTempFileName(GetTempFolder(), QStringLiteral("~ED"));
}
