// Editor documents: one editor shows several documents in turn, each parked in its file object
// with its state, while one spare text store circulates.
#include "language_list.h"

#include "editor/custom_syntax_memo.h"
#include "editor/file_object.h"

#include "routines/file_routines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString WriteFile(const QString& Name, const QByteArray& Text)
{
    const QString path = QDir::temp().filePath(Name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Text);
    return path;
}

// What the main window does to open a document and to change tabs.
std::unique_ptr<TFileObject> Open(TCustomSyntaxMemo& Editor, TFileObject* Shown, const QString& FileName)
{
    if (Shown)
        Shown->SaveEditorState(Editor);
    auto object = std::make_unique<TFileObject>(FileName, false);
    object->IncLoading();
    object->LoadIntoEditor(FileName, Editor, ParserIndexForFileDef(FileName));
    object->RestoreEditorState(Editor);
    object->DecLoading();
    return object;
}

void Show(TCustomSyntaxMemo& Editor, TFileObject& From, TFileObject& To)
{
    From.SaveEditorState(Editor);
    if (!To.IsLoading())
        To.RestoreEditorState(Editor);
}

// Everything a document brings back when it is shown again.
struct TShownState {
    std::string Text;
    int SelStart;
    int SelEnd;
    int TopLine;
    bool Modified;
    int BookmarkLine;
    QString Title;
    QString ParserName;

    static TShownState Of(TCustomSyntaxMemo& Editor)
    {
        int line = 0;
        int column = 0;
        Editor.GetBookmarkPos(3, line, column);
        const TCustomSyntaxMemoParser* parser = Editor.CurrentParser();
        return {Editor.TextStore().GetText(0, Editor.TextLength()), Editor.SelStart(), Editor.SelEnd(),
                Editor.TopLine(), Editor.Modified(), line, Editor.Title,
                parser ? parser->Settings().Name : QString()};
    }
    bool operator==(const TShownState&) const = default;
};

TEST(FileObject, DocumentsComeBackExactlyWithOneSpareStore)
{
    TLanguageList languages;
    const int storesBefore = TTextStore::Instances();
    TCustomSyntaxMemo editor;
    QByteArray lines;
    for (int i = 0; i < 60; ++i)
        lines += "<p>line " + QByteArray::number(i) + "</p>\r\n";
    const QString pathA = WriteFile(QStringLiteral("doc-a.html"), lines);
    const QString pathB = WriteFile(QStringLiteral("doc-b.txt"), "plain\r\ntext\r\n");

    auto a = Open(editor, nullptr, pathA);
    EXPECT_EQ(editor.CurrentParser(), languages.Parsers[0].get());
    editor.SetSelection(30, 30);
    editor.ReplaceSelection("edit ");
    editor.SetSelection(40, 44);
    editor.SetBookmark(3, -1, -1);
    editor.SetTopLine(20);
    const TShownState stateA = TShownState::Of(editor);
    EXPECT_TRUE(stateA.Modified);

    auto b = Open(editor, a.get(), pathB);
    EXPECT_EQ(editor.CurrentParser(), languages.Parsers[1].get());
    const TShownState stateB = TShownState::Of(editor);
    EXPECT_EQ(stateB.Text, "plain\rtext\r");
    EXPECT_FALSE(stateB.Modified);
    EXPECT_EQ(TTextStore::Instances(), storesBefore + 3) << "two documents and the spare";

    // The files are not read again.
    QFile::remove(pathA);
    QFile::remove(pathB);
    Show(editor, *b, *a);
    EXPECT_EQ(TShownState::Of(editor), stateA);
    EXPECT_TRUE(editor.TextStore().FirstLine()->Tokens) << "highlighted as before";
    Show(editor, *a, *b);
    EXPECT_EQ(TShownState::Of(editor), stateB);
    Show(editor, *b, *a);
    EXPECT_EQ(TShownState::Of(editor), stateA);
    editor.Undo();
    EXPECT_EQ(editor.TextStore().GetText(0, editor.TextLength()), lines.replace("\r\n", "\r").toStdString());

    // A document being loaded is not restored by a tab change.
    b->IncLoading();
    Show(editor, *a, *b);
    EXPECT_EQ(editor.TextLength(), 0) << "the spare store stays shown";
    b->DecLoading();

    a.reset();
    b.reset();
    EXPECT_EQ(TTextStore::Instances(), storesBefore + 1) << "only the editor's own";
}

TEST(FileObject, ARemoteDocumentKeepsItsRemoteNameAndIsFoundByIt)
{
    TLanguageList languages;
    TCustomSyntaxMemo editor;
    const QString temp = MakeEditorTempFile();
    ASSERT_FALSE(temp.isEmpty());
    EXPECT_TRUE(QFileInfo(temp).fileName().startsWith(QStringLiteral("~ED")));
    EXPECT_EQ(QFileInfo(temp).absolutePath() + QLatin1Char('/'), GetTempFolder());
    EXPECT_TRUE(QFileInfo::exists(temp)) << "the caller's to delete";

    auto remote = std::make_unique<TFileObject>(temp, true);
    remote->IncLoading();
    remote->LoadIntoEditor(temp, editor, ParserIndexForFileDef(QStringLiteral("index.html")));
    remote->RemotePath = QStringLiteral("/www/index.html");
    remote->RestoreEditorState(editor);
    remote->DecLoading();
    editor.ReplaceSelection("<b>");
    remote->SaveToFile(temp, editor);
    EXPECT_FALSE(editor.Modified());
    QFile saved(temp);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("<b>"));
    remote->SaveEditorState(editor);
    remote->RestoreEditorState(editor);
    EXPECT_EQ(remote->RemotePath, QStringLiteral("/www/index.html"));
    EXPECT_EQ(remote->FileName, temp);
    EXPECT_TRUE(remote->IsRemote);
    EXPECT_EQ(remote->ParserName, QStringLiteral("Web Documents"));

    TFileObject local(QStringLiteral("/home/u/a.txt"), false);
    TStringList tabs;
    tabs.AddObject(QStringLiteral("a.txt"), &local);
    tabs.AddObject(QStringLiteral("empty"), nullptr);
    tabs.AddObject(QStringLiteral("index.html"), remote.get());
    EXPECT_EQ(IndexOfFileObjectByRemote(QStringLiteral("/www/index.html"), tabs), 2);
    EXPECT_EQ(IndexOfFileObjectByName(QStringLiteral("/home/u/a.txt"), tabs), 0);
    EXPECT_EQ(IndexOfFileObjectByName(QStringLiteral("/home/u/A.txt"), tabs), -1);
    EXPECT_EQ(IndexOfFileObjectByRemote(QStringLiteral("/www"), tabs), -1);
    QFile::remove(temp);
}

TEST(FileObject, AWrappedDocumentIsWrappedAgainWhenItsLookChanged)
{
    const TDocumentLook saved{QStringLiteral("Courier New"), 10, 1, 0, 600};
    const auto with = [&](auto Change) {
        TDocumentLook look = saved;
        Change(look);
        return look;
    };
    const struct {
        const char* what;
        bool wordWrap;
        TDocumentLook now;
        bool reWrap;
    } cases[] = {
        {"unchanged", true, saved, false},
        {"no word wrap", false, with([](TDocumentLook& L) { L.FontSize = 12; }), false},
        {"font name", true, with([](TDocumentLook& L) { L.FontName = QStringLiteral("Mono"); }), true},
        {"font size", true, with([](TDocumentLook& L) { L.FontSize = 12; }), true},
        {"charset", true, with([](TDocumentLook& L) { L.FontCharSet = 0; }), true},
        {"wrap column", true, with([](TDocumentLook& L) { L.WrapColumn = 72; }), true},
        {"width at the window's edge", true, with([](TDocumentLook& L) { L.ClientWidth = 500; }), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReWrapNeeded(c.wordWrap, saved, c.now), c.reWrap) << c.what;

    TDocumentLook fixedColumn = saved;
    fixedColumn.WrapColumn = 72;
    TDocumentLook wider = fixedColumn;
    wider.ClientWidth = 900;
    EXPECT_FALSE(ReWrapNeeded(true, fixedColumn, wider)) << "a fixed wrap column ignores the width";
}

} // namespace
