// TFileObject, one open editor document while its tab is not shown: its parked text store and the
// editor state to bring back; the lookups of documents by name, and the "~ED" temporary files.
#pragma once

#include "editor/document/text_store.h"

#include "platform/rtl/object.h"

#include <QString>
#include <cstdint>
#include <memory>

class TCustomSyntaxMemo;
class TStrings;

// The look a document was laid out for: the font and the width word wrap filled.
struct TDocumentLook {
    QString FontName;
    int FontSize = 0;
    int FontCharSet = 0;
    int WrapColumn = 0;
    int ClientWidth = 0;
};
// A word-wrapped document shown again must be wrapped anew when its font, its wrap column or, while
// it wraps at the window's edge (wrap column 0), the window's width changed.
bool ReWrapNeeded(bool WordWrap, const TDocumentLook& Saved, const TDocumentLook& Now);

// One editor serves every document: showing a document exchanges text stores between the editor
// and its object (the object then keeps the store the editor had), so no text is copied and one
// spare store circulates.
class TFileObject : public TObject {
public:
    TFileObject(const QString& FileName, bool IsRemote);

    // Empties the editor and loads the file into it (when the file exists) with the parser at
    // ParserIndex of the parser list (none when out of range), then parks it here.
    void LoadIntoEditor(const QString& FileName, TCustomSyntaxMemo& Editor, int ParserIndex);
    // Takes the editor's document and its state into this object.
    void SaveEditorState(TCustomSyntaxMemo& Editor);
    // Shows this object's document in the editor with its parser, selection and first line, and
    // re-wraps it when its look changed meanwhile.
    void RestoreEditorState(TCustomSyntaxMemo& Editor);
    // Saves the editor's text to FileName and records the undo log's save point.
    void SaveToFile(const QString& FileName, TCustomSyntaxMemo& Editor);

    // Raised while the main window opens the document: a tab change does not restore it then.
    void IncLoading() { ++loading_; }
    void DecLoading() { --loading_; }
    bool IsLoading() const { return loading_ != 0; }

    // The store this object holds: the parked document, or the spare one while it is shown.
    TTextStore& Store() const { return *store_; }

    int SelStart = 0;
    int SelEnd = 0;
    // 1-based.
    int TopLine = 0;
    // The language name of the document's parser; empty without one.
    QString ParserName;
    // For a remote document, the local temporary copy.
    QString FileName;
    int SavedUndoID = 0;
    int SavedUndoCount = 0;
    QString FontName = QStringLiteral("Courier New");
    int FontSize = 10;
    std::uint8_t FontCharSet = 1;
    int ClientWidth = 0;
    int WrapColumn = 0;
    bool WordWrap = false;
    bool Untitled = false;
    bool IsRemote = false;
    bool Modified = false;
    // The server path of a remote document.
    QString RemotePath;
    // The temporary ".html" file its browser preview is written to; empty until first used.
    QString PreviewFile;

private:
    // The look of this object's document, and the editor's now.
    TDocumentLook SavedLook() const;
    static TDocumentLook LookOf(TCustomSyntaxMemo& Editor);
    void TakeLook(TCustomSyntaxMemo& Editor);

    std::unique_ptr<TTextStore> store_;
    int loading_ = 0;
};

// The index of the entry of Tabs (objects that are file objects; others are skipped) whose
// FileName, or RemotePath, equals Name with case; -1 when none.
int IndexOfFileObjectByName(const QString& Name, const TStrings& Tabs);
int IndexOfFileObjectByRemote(const QString& RemotePath, const TStrings& Tabs);

// A new empty file with the prefix "~ED" in the program's temporary folder (the caller deletes it);
// empty text when none could be made.
QString MakeEditorTempFile();
