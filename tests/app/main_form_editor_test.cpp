// The main window's editor: documents in tabs over the one editor, opened, switched, saved and
// closed, and the width of their tabs.
#include "main_form_fixture.h"

#include "app/editor_tab_set.h"
#include "editor/file_object.h"
#include "editor/parser_repository.h"
#include "editor/language/custom_syntax_memo_parser.h"
#include "highlighter/syntax_memo_parser.h"
#include "editor/syntax_memo.h"
#include "editor/document/memo_strings.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/screen.h"
#include "platform/widgets/std_controls.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "support/pump.h"
#include "support/scripted_prompts.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class MainFormEditor : public TMainFormTest {
protected:
    MainFormEditor() { MakeForm(); }
    ~MainFormEditor() override { Screen().SetPixelsPerInch(std::nullopt); }

    TTabSetEdit& Tabs() { return *Form->TabSetEdit; }
    QStringList TabNames()
    {
        QStringList names;
        for (int i = 0; i < Tabs().Tabs().Count(); ++i)
            names += Tabs().Tabs().Strings(i);
        return names;
    }
    QString FirstLine() { return Form->SynMemo->Lines().Count() ? Form->SynMemo->Lines().Strings(0) : QString(); }
    QString Text() { return Form->SynMemo->Lines().Text(); }
    // Opens a file of the test's tree and marks it modified.
    void OpenModified(const QString& Name)
    {
        ASSERT_TRUE(Form->OpenDocument(File(Name, "x\n"), QString()));
        Form->SynMemo->SetSelText("y");
    }
    // A step that types Text into the input box and confirms it.
    static TScriptedPrompts::TStep Type(const QString& Text)
    {
        return [Text](QDialog& Dialog) {
            auto* edit = Dialog.findChild<TEdit*>();
            ASSERT_NE(edit, nullptr);
            edit->setText(Text);
            Click("OK")(Dialog);
        };
    }
    // A file of the test's tree with Text.
    QString File(const QString& Name, const QByteArray& Text)
    {
        Tree.File(Name, Text);
        return Tree.Path(Name);
    }
};

} // namespace

TEST_F(MainFormEditor, StartsWithTheHintAndNoDocument)
{
    EXPECT_TRUE(Form->SynMemo->isHidden());
    EXPECT_TRUE(Tabs().isHidden());
    EXPECT_FALSE(Form->fraHFTP->isHidden());
    EXPECT_EQ(Form->fraHFTP->text(), "You can edit Web Pages and Preview\r\nImages by dragging them here.");
    EXPECT_EQ(Form->GetDocument(-1), nullptr);
}

TEST_F(MainFormEditor, OpeningAnOpenFileSelectsItsTabAndAddsNone)
{
    const QString page = File("a.html", "<p>page</p>\n");
    const QString text = File("b.txt", "plain\n");
    ASSERT_TRUE(Form->OpenDocument(page, QString()));
    ASSERT_TRUE(Form->OpenDocument(text, QString()));
    EXPECT_EQ(TabNames(), QStringList({page, text}));
    EXPECT_EQ(FirstLine(), "plain");
    EXPECT_FALSE(Form->SynMemo->isHidden());

    EXPECT_TRUE(Form->OpenDocument(page, QString()));
    EXPECT_EQ(TabNames(), QStringList({page, text}));
    EXPECT_EQ(Tabs().TabIndex(), 0);
    EXPECT_EQ(FirstLine(), "<p>page</p>");
    EXPECT_EQ(Form->GetDocument(-1)->ParserName, "Web Documents");
    EXPECT_EQ(Form->GetDocument(1)->ParserName, "Text Documents");

    EXPECT_FALSE(Form->OpenDocument(Tree.Path("missing.html"), QString()));
    EXPECT_EQ(Tabs().Tabs().Count(), 2);
}

TEST_F(MainFormEditor, SwitchingTabsKeepsEachDocumentsEdits)
{
    const QString first = File("one.txt", "one\n");
    const QString second = File("two.txt", "two\n");
    ASSERT_TRUE(Form->OpenDocument(first, QString()));
    Form->SynMemo->SetSelStart(0);
    Form->SynMemo->SetSelText("edited ");
    ASSERT_TRUE(Form->OpenDocument(second, QString()));
    EXPECT_EQ(FirstLine(), "two");
    EXPECT_FALSE(Form->SynMemo->Modified());

    Tabs().SetTabIndex(0);
    EXPECT_EQ(FirstLine(), "edited one");
    EXPECT_TRUE(Form->SynMemo->Modified());
    EXPECT_EQ(Form->SynMemo->GetSelStart(), 7);
    Tabs().SetTabIndex(1);
    EXPECT_EQ(FirstLine(), "two");
    EXPECT_TRUE(Form->GetDocument(0)->Modified);
}

TEST_F(MainFormEditor, NewDocumentsAreNumberedUntitledForTheWholeRun)
{
    ASSERT_NE(Form->AddDocument(QString(), 0, QString()), nullptr);
    ASSERT_NE(Form->AddDocument(QString(), 0, QString()), nullptr);
    EXPECT_EQ(TabNames(), QStringList({"Untitled1", "Untitled2"}));
    EXPECT_TRUE(Form->GetDocument(1)->Untitled);
    EXPECT_FALSE(Form->GetDocument(1)->IsRemote);
    EXPECT_TRUE(Form->CloseAllDocuments());
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_TRUE(Form->SynMemo->isHidden());
    ASSERT_NE(Form->AddDocument(QString(), 0, QString()), nullptr);
    EXPECT_EQ(TabNames(), QStringList({"Untitled3"}));
}

TEST_F(MainFormEditor, ClosingAsksOnlyForModifiedDocuments)
{
    ASSERT_TRUE(Form->OpenDocument(File("plain.txt", "plain\n"), QString()));
    EXPECT_TRUE(Form->CloseDocument(-1));
    EXPECT_TRUE(Messages.isEmpty());

    OpenModified("kept.txt");
    MessageAnswer = mrNo;
    EXPECT_TRUE(Form->CloseDocument(-1));
    EXPECT_EQ(Messages, QStringList({"Would you like to save changes to 'kept.txt'?"}));
    EXPECT_EQ(Tabs().Tabs().Count(), 0);
    EXPECT_EQ(Tree.Read("kept.txt"), "x\n");
}

TEST_F(MainFormEditor, CancelStopsCloseAllAtThatTab)
{
    ASSERT_TRUE(Form->OpenDocument(File("a.txt", "a\n"), QString()));
    OpenModified("b.txt");
    ASSERT_TRUE(Form->OpenDocument(File("c.txt", "c\n"), QString()));
    MessageAnswer = mrCancel;
    EXPECT_FALSE(Form->CloseAllDocuments());
    EXPECT_EQ(Messages, QStringList({"Would you like to save changes to 'b.txt'?"}));
    EXPECT_EQ(TabNames(), QStringList({Tree.Path("a.txt"), Tree.Path("b.txt")}));
    EXPECT_EQ(Tabs().TabIndex(), 1);
    EXPECT_EQ(FirstLine(), "yx");
    EXPECT_TRUE(Form->SynMemo->Modified());

    // Yes saves it, and closing goes on.
    MessageAnswer = mrYes;
    EXPECT_TRUE(Form->CloseAllDocuments());
    EXPECT_EQ(Tree.Read("b.txt"), "yx\n");
}

TEST_F(MainFormEditor, CancelledSaveAsLocalKeepsAServerDocument)
{
    Form->ShowEditTab();
    ASSERT_NE(Form->AddDocument(File("~EDcopy.html", "<p>\n"), WebParserIndex(), "/site/index.html"), nullptr);
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
    Form->ExecuteAction("actFileSaveLocal");
    EXPECT_EQ(prompts.Shown(), 1);
    const TFileObject& document = *Form->GetDocument(-1);
    EXPECT_TRUE(document.IsRemote);
    EXPECT_FALSE(document.Modified);
    EXPECT_EQ(document.RemotePath, "/site/index.html");
}

TEST_F(MainFormEditor, ServerSaveAsAsksAgainForBadNamesAndAddsTheDefaultExtension)
{
    ASSERT_NE(Form->AddDocument(QString(), WebParserIndex(), QString()), nullptr);
    Form->Engine().State.CurrentRemoteFolder = "/www/";
    TScriptedPrompts prompts;
    prompts.Then(Type("bad:name")).Then(Type("what?")).Then(Type("page"));
    // Offline, the upload is refused after the naming.
    EXPECT_FALSE(Form->SaveDocument(-1, true, true, true));
    EXPECT_EQ(prompts.Shown(), 3);
    const TFileObject& document = *Form->GetDocument(-1);
    EXPECT_TRUE(document.IsRemote);
    EXPECT_FALSE(document.Untitled);
    EXPECT_EQ(document.RemotePath, "/www/page.html");
    EXPECT_TRUE(QFileInfo(document.FileName).fileName().startsWith("~ED"));
    EXPECT_TRUE(document.FileName.endsWith(".html"));
    EXPECT_EQ(Messages, QStringList({"Tarnwick Halyard FTP 5.2 is currently offline. Please reconnect."}));
}

TEST_F(MainFormEditor, TagInsertionsPutTheCaretBetweenTheTags)
{
    AppSettings()->HTMLUpperCase = true;
    ASSERT_NE(Form->AddDocument(QString(), WebParserIndex(), QString()), nullptr);
    Form->actEditBoldExecute(56);
    EXPECT_EQ(FirstLine(), "<B></B>");
    EXPECT_EQ(Form->SynMemo->GetSelStart(), 3);
    Form->SynMemo->SetSelText("bold");
    EXPECT_EQ(FirstLine(), "<B>bold</B>");

    Form->SynMemo->SelectAll();
    Form->SynMemo->ClearSelection();
    Form->actEditBoldExecute(59);
    EXPECT_EQ(FirstLine(), "<BR>");
    EXPECT_EQ(Form->SynMemo->GetSelStart(), 4);

    // A selection goes between the tags.
    Form->SynMemo->SelectAll();
    AppSettings()->HTMLUpperCase = false;
    Form->FontSize11Click(1);
    EXPECT_EQ(FirstLine(), "<div align=\"center\"><BR></div>");
    EXPECT_EQ(Form->SynMemo->GetSelStart(), 24);
}

TEST_F(MainFormEditor, DroppedFiles)
{
    // Two files: the message, nothing opened.
    Form->SynMemoFilesDropped({File("a.txt", "a"), File("b.txt", "b")});
    EXPECT_EQ(Messages, QStringList({"You cannot open multiple files. Please select only one file at a time."}));
    EXPECT_EQ(Tabs().Tabs().Count(), 0);
    // A folder on the empty area.
    Messages.clear();
    Tree.Folder("folder");
    Form->DropFileTargetEditDrop({Tree.Path("folder")});
    EXPECT_EQ(Messages, QStringList({"Only files can be opened in the editor."}));
    // A file on the area opens; an unknown type is refused.
    Form->DropFileTargetEditDrop({Tree.Path("a.txt")});
    EXPECT_EQ(TabNames(), QStringList({Tree.Path("a.txt")}));
    Messages.clear();
    Form->DropFileTargetEditDrop({File("data.bin", "b")});
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("This file type '.bin' is not supported for editing."));
    // A folder on a text document: the message, without the question whether to open it.
    Messages.clear();
    TScriptedPrompts none;
    Form->SynMemoFilesDropped({Tree.Path("folder")});
    EXPECT_EQ(Messages, QStringList({"Only files can be opened in the editor."}));
    EXPECT_EQ(TabNames(), QStringList({Tree.Path("a.txt")}));
}

TEST_F(MainFormEditor, LocalEntriesDraggedOntoTheEditorOpenThere)
{
    Form->resize(900, 640);
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    const QString page = File("work/page.txt", "page\n");
    File("work/second.txt", "second\n");
    Tree.Folder("work/sub");
    ASSERT_TRUE(Form->GoToFolder(Tree.Path("work")));
    TPTShellList& list = *Form->lvMyComputer;
    const auto rowOf = [&list](const QString& Name) -> TListItem* {
        for (int i = 0; i < list.Count(); ++i)
            if (TPTShListData* data = list.GetItemData(i); data && data->GetPath().endsWith("/" + Name))
                return list.Item(i);
        return nullptr;
    };
    ASSERT_TRUE(pumpUntil([&] { return rowOf("sub") && rowOf("page.txt") && rowOf("second.txt"); }, 5000));
    const auto select = [&](const QStringList& Names) {
        list.ClearSelection();
        for (const QString& name : Names) {
            rowOf(name)->SetSelected(true);
            list.SetItemFocused(rowOf(name));
        }
    };
    // Drags the local list's selection onto Target and drops it there.
    const auto drag = [&](QWidget* Target) {
        const QPoint at = Target->rect().center();
        win::ScriptedDragLoop loop({{Target, at, win::MK_LBUTTON}, {Target, at, 0}});
        win::SetDragLoop(&loop);
        list.StartOleDrag(0);
        win::SetDragLoop(nullptr);
    };

    // One file on the empty area opens, without a question.
    select({"page.txt"});
    drag(Form->fraHFTP);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('|').toStdString();
    EXPECT_EQ(TabNames(), QStringList({page}));
    // Several, or a folder, on the editor: their messages, and nothing opens.
    select({"page.txt", "second.txt"});
    drag(Form->SynMemo->viewport());
    select({"sub"});
    drag(Form->SynMemo->viewport());
    EXPECT_EQ(Messages.join('|').toStdString(),
              "You cannot open multiple files. Please select only one file at a time.|"
              "Only files can be opened in the editor.");
    EXPECT_EQ(TabNames().join('|').toStdString(), page.toStdString());
    // Another file on the editor opens beside the first.
    select({"second.txt"});
    drag(Form->SynMemo->viewport());
    EXPECT_EQ(TabNames().join('|').toStdString(), (page + '|' + Tree.Path("work/second.txt")).toStdString());
    EXPECT_EQ(FirstLine(), "second");
}

TEST_F(MainFormEditor, TheSaveDialogOffersTheDocumentFiltersAndTheirExtensions)
{
    ASSERT_NE(Form->AddDocument(QString(), WebParserIndex(), QString()), nullptr);
    QStringList offered;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        auto& files = dynamic_cast<QFileDialog&>(Dialog);
        offered = files.nameFilters();
        // The user picks the third filter and types a bare name.
        auto* types = files.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(2);
        Q_EMIT types->activated(2);
        Q_EMIT types->textActivated(types->itemText(2));
        auto* name = files.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(Tree.Path("notes"));
        Dialog.accept();
    });
    Form->ExecuteAction("actFileSaveAs");
    ASSERT_EQ(offered.size(), 8);
    EXPECT_EQ(offered[0].left(offered[0].indexOf(" (")), "Web Documents");
    EXPECT_EQ(offered[2], "Object Pascal Documents (*.pas *.dpr *.inc)");
    EXPECT_EQ(offered[7], "All Files (*)");
    EXPECT_EQ(TabNames().join('|').toStdString(), Tree.Path("notes.pas").toStdString());
    EXPECT_TRUE(QFileInfo::exists(Tree.Path("notes.pas")));
}

TEST_F(MainFormEditor, ALineWithoutEqualsShiftsNeitherTheSaveDialogsExtensionsNorTheParsers)
{
    TStrings& filters = *AppSettings()->EditFileFilters();
    filters.Insert(2, "Broken line *.zzz[zzz]");
    Form->ApplyEditFileFilters();
    Form->FillParserList();
    const char* const names[] = {"Web Documents",    "Text Documents",         "Object Pascal Documents",
                                 "ANSI C Documents", "Visual Basic Documents", "Java Documents",
                                 "PL/SQL Documents"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ParserList()->Strings(i).toStdString(), names[i]);

    // The filter the user picks in the save dialog, and the name a bare "doc" is saved under.
    const struct {
        int Filter;
        const char* Saved;
    } cases[] = {{0, "doc0.html"}, {1, "doc1.txt"}, {2, "doc2.pas"},
                 {3, "doc3.cpp"},  {6, "doc6.sql"}, {7, "doc7"}};
    for (const auto& c : cases) {
        ASSERT_NE(Form->AddDocument(QString(), WebParserIndex(), QString()), nullptr);
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& files = dynamic_cast<QFileDialog&>(Dialog);
            EXPECT_EQ(files.nameFilters().size(), 8);
            auto* types = files.findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            types->setCurrentIndex(c.Filter);
            Q_EMIT types->activated(c.Filter);
            Q_EMIT types->textActivated(types->itemText(c.Filter));
            files.findChild<QLineEdit*>("fileNameEdit")
                ->setText(Tree.Path(QStringLiteral("doc%1").arg(c.Filter)));
            Dialog.accept();
        });
        Form->ExecuteAction("actFileSaveAs");
        EXPECT_EQ(Form->GetDocument(-1)->FileName.toStdString(), Tree.Path(c.Saved).toStdString())
            << c.Filter;
    }
}

TEST_F(MainFormEditor, APictureDroppedOnTheEditorIsTheOneShown)
{
    ASSERT_TRUE(Form->OpenDocument(File("notes.txt", "n\n"), QString()));
    const QString picture = File("pics/photo.gif", QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACwAAAAAAQABAAACAkQBADs="));
    QString shown;
    TScriptedPrompts prompts;
    prompts.Then(Click("&Yes")).Then([&](QDialog& Dialog) {
        auto* location = Dialog.findChild<QLineEdit*>("txtLocation");
        ASSERT_NE(location, nullptr);
        shown = location->text();
        Dialog.reject();
    });
    Form->SynMemoFilesDropped({picture});
    EXPECT_EQ(prompts.Shown(), 2);
    EXPECT_EQ(shown.toStdString(), picture.toStdString());
}

TEST_F(MainFormEditor, AFileDroppedOnAWebPageBecomesALink)
{
    ASSERT_NE(Form->AddDocument(QString(), WebParserIndex(), QString()), nullptr);
    ASSERT_EQ(Form->SynMemo->CurrentParser(), static_cast<TCustomSyntaxMemoParser*>(Form->parserHTML));
    QString question;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        question = Describe(Dialog);
        EXPECT_NE(ButtonOf(Dialog, "&Open"), nullptr);
        EXPECT_NE(ButtonOf(Dialog, "Cancel"), nullptr);
        Click("As &Link")(Dialog);
    });
    Form->SynMemoFilesDropped({File("pics/photo.txt", "p")});
    EXPECT_TRUE(question.contains("Would you like insert 'photo.txt' as an HTML link or open it in the editor?"))
        << question.toStdString();
    EXPECT_EQ(FirstLine(), "<a href=\"photo.txt\"></a>");
    EXPECT_EQ(Form->SynMemo->GetSelStart(), 20);
}

TEST_F(MainFormEditor, TabsWidenAboveNinetySixPixelsPerInch)
{
    ASSERT_TRUE(Form->OpenDocument(File("a.txt", "a\n"), QString()));
    ASSERT_TRUE(Form->OpenDocument(File("b.txt", "b\n"), QString()));
    Form->GetDocument(0)->Modified = true;
    Screen().SetPixelsPerInch(96);
    const int plain = Form->TabSetEditMeasureTab(0);
    const int selected = Form->TabSetEditMeasureTab(1);
    Screen().SetPixelsPerInch(120);
    // A modified tab that is not the current one grows by 6 more.
    EXPECT_EQ(Form->TabSetEditMeasureTab(0), plain + 9 + 6);
    EXPECT_EQ(Form->TabSetEditMeasureTab(1), selected + 9);
}

TEST_F(MainFormEditor, TheParsersAreNamedByTheFileFiltersAndOfferedInTheHighlightingMenu)
{
    const TStringList& parsers = *ParserList();
    ASSERT_EQ(parsers.Count(), 7);
    EXPECT_EQ(parsers.Strings(0), "Web Documents");
    EXPECT_EQ(parsers.Objects(0), Form->parserHTML);
    EXPECT_EQ(parsers.Objects(6), Form->parserSQL);

    ASSERT_TRUE(Form->OpenDocument(File("notes.txt", "n\n"), QString()));
    Form->mniEditHighlighterClick();
    const QList<QAction*> items = Form->mniEditHighlighter->actions();
    ASSERT_EQ(items.size(), 7);
    EXPECT_TRUE(items[1]->isChecked());
    // Choosing another parser names it in the document.
    items[0]->trigger();
    EXPECT_EQ(Form->GetDocument(-1)->ParserName, "Web Documents");
    EXPECT_EQ(Form->SynMemo->CurrentParser(), static_cast<TCustomSyntaxMemoParser*>(Form->parserHTML));
}

TEST_F(MainFormEditor, UndoAndRedoGoByWholeSteps)
{
    ASSERT_TRUE(Form->OpenDocument(File("u.txt", "text\n"), QString()));
    Form->SynMemo->SetSelStart(0);
    Form->SynMemo->SetSelText("one ");
    Form->SynMemo->SetSelText("two ");
    Form->actEditUndoExecute(true);
    EXPECT_EQ(FirstLine(), "one text");
    Form->actEditUndoExecute(true);
    EXPECT_EQ(FirstLine(), "text");
    EXPECT_FALSE(Form->SynMemo->Modified());
    Form->actEditUndoExecute(false);
    EXPECT_EQ(FirstLine(), "one text");
}

TEST_F(MainFormEditor, TheLogFileOpensInATab)
{
    Form->actViewLogFileExecute();
    ASSERT_EQ(Tabs().Tabs().Count(), 1);
    EXPECT_EQ(Tabs().Tabs().Strings(0), TSessionLog::LogFilePath());
    EXPECT_TRUE(Text().contains("Winsock version")) << Text().toStdString();
    EXPECT_EQ(Form->GetDocument(-1)->ParserName, "Text Documents");
}

TEST_F(MainFormEditor, AnImageThatWasNotHandedOverIsReported)
{
    win::PostMessage(Form->Handle(), WM_IMAGE_OPEN, 0, 0);
    QApplication::processEvents();
    EXPECT_EQ(Messages, QStringList({"Could not load remote image data."}));
}

TEST_F(MainFormEditor, ClosingTheWindowStopsAtAnUnsavedDocument)
{
    Form->show();
    OpenModified("draft.txt");
    MessageAnswer = mrCancel;
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Form->isVisible());
    MessageAnswer = mrNo;
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Tree.Read("draft.txt"), "x\n");
}
