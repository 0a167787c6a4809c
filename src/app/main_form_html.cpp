// TTarnwickFTPApp: the editor's editing commands: the HTML insertions, the browser preview,
// copy and paste, undo and redo by blocks, bookmarks, the parsers' menu, and pictures.
#include "app/editor_tab_set.h"
#include "app/image_open.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "dialogs/html/edit_page_frm.h"
#include "dialogs/html/edit_page_frm2.h"
#include "dialogs/html/image_view_frm.h"
#include "editor/document/memo_strings.h"
#include "editor/document/undo_stack.h"
#include "editor/file_object.h"
#include "editor/language/sm_settings.h"
#include "editor/memo_messages.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "highlighter/options/color_dialog.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/graphics/image_list.h"
#include "platform/messages/messages.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/application.h"
#include "platform/rtl/file_names.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/screen.h"
#include "routines/file_routines.h"
#include "routines/name_checks.h"
#include "routines/shell_routines.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/forms/gui_routines.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "shell/system_icons.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabBar>

namespace {

struct TEditCommandDef {
    const char* Name;
    const char* Caption;
    int ImageIndex;
};

// The editing commands, enabled only while a document is open.
const TEditCommandDef EditCommandDefs[] = {
    {"actEditUndo", "&Undo", -1},        {"actEditRedo", "&Redo", -1},
    {"actEditCopy", "&Copy", -1},        {"actEditCut", "Cu&t", -1},
    {"actEditBold", "&Bold", 56},        {"actEditUnderline", "&Underline", 57},
    {"actEditItalic", "&Italic", 58},    {"actEditBreak", "&Break", 59},
    {"actEditParag", "&Paragraph", 60},  {"actEditDiv", "&Div", -1},
    {"actEditColor", "C&olor...", 62},   {"actEditFontColor", "Font C&olor...", 65},
    {"actEditImage", "&Image...", 63},   {"actEditLink", "&Link...", 64},
    {"actEditFont", "Font &Wizard...", -1}, {"actEditPreview", "&Preview in Browser", -1},
};


} // namespace

void TTarnwickFTPApp::CreateEditorCommands()
{
    for (const TEditCommandDef& def : EditCommandDefs) {
        TAction* action = AddAction(QString::fromLatin1(def.Name), QString::fromLatin1(def.Caption), def.ImageIndex);
        action->setProperty("EditorAction", true);
    }
    // Paste also works without a document (it makes one); the picture preview is the panes'.
    AddAction(QStringLiteral("actEditPaste"), QStringLiteral("&Paste"));
    AddAction(QStringLiteral("actFtpPreviewImage"), QStringLiteral("Pre&view Image"));
    const auto on = [this](const char* Name, std::function<void()> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = [Run](TAction*) { Run(); };
    };
    on("actEditUndo", [this] { actEditUndoExecute(true); });
    on("actEditRedo", [this] { actEditUndoExecute(false); });
    on("actEditCopy", [this] {
        SynMemo->CopyToClipboard();
        SynMemo->setFocus();
    });
    on("actEditCut", [this] {
        SynMemo->CopyToClipboard();
        SynMemo->ClearSelection();
        SynMemo->setFocus();
    });
    on("actEditPaste", [this] {
        if (SynMemo->isHidden())
            AddDocument(QString(), WebParserIndex(), QString());
        SynMemo->PasteFromClipboard();
        SynMemo->setFocus();
    });
    for (const char* name : {"actEditBold", "actEditUnderline", "actEditItalic", "actEditBreak", "actEditParag"})
        on(name, [this, name] { actEditBoldExecute(Action(QString::fromLatin1(name))->ImageIndex); });
    on("actEditDiv", [] {});
    on("actEditColor", [this] { actEditFontColorExecute(false); });
    on("actEditFontColor", [this] { actEditFontColorExecute(true); });
    on("actEditImage", [this] { actEditImageExecute(true); });
    on("actEditLink", [this] { actEditImageExecute(false); });
    on("actEditFont", [this] { actEditFontExecute(); });
    on("actEditPreview", [this] { actEditPreviewExecute(); });
    on("actFtpPreviewImage", [this] { actFtpPreviewImageExecute(); });
    Action(QStringLiteral("actFtpPreviewImage"))->OnUpdate = [this](TAction* Sender) {
        Sender->setEnabled(CanEditSelection(GetFocusedPaneKind(), true));
    };
    for (const char* name : {"actEditCopy", "actEditCut", "actEditPaste"})
        Action(QString::fromLatin1(name))->OnUpdate = [this](TAction* Sender) {
            if (Sender == Action(QStringLiteral("actEditPaste"))) {
                const QMimeData* data = QApplication::clipboard()->mimeData();
                Sender->setEnabled(data && data->hasText());
            } else {
                Sender->setEnabled(GetDocument(-1) && SynMemo->GetSelLength() >= 1);
            }
        };
    for (const char* name : {"actEditUndo", "actEditRedo"})
        Action(QString::fromLatin1(name))->OnUpdate = [this](TAction* Sender) {
            const bool document = GetDocument(-1) != nullptr;
            if (Sender == Action(QStringLiteral("actEditUndo"))) {
                Sender->setEnabled(document && SynMemo->Modified());
                UpdateEditMenu();
            } else
                Sender->setEnabled(document && SynMemo->Perform(sm::SM_CANREDO, 0, 0) != 0);
            if (TFileObject* current = GetDocument(-1); current && current->Modified != SynMemo->Modified()) {
                current->Modified = SynMemo->Modified();
                UpdateEditCaption();
            }
        };
    // Editor command 41 is undo, 42 redo: they run as the window's commands, by blocks.
    SynMemo->OnCommandRecognised = [this](TObject*, int& Command) {
        if (Command == 41 || Command == 42) {
            actEditUndoExecute(Command == 41);
            Command = -1;
        }
    };
    BindEditorDrops();

    popDiv = new QMenu(this);
    popDiv->setObjectName(QStringLiteral("popDiv"));
    const char* const aligns[] = {"Align &Left", "Align &Center", "Align &Right"};
    for (int tag = 0; tag < 3; ++tag)
        connect(popDiv->addAction(QString::fromLatin1(aligns[tag])), &QAction::triggered, this,
                [this, tag] { FontSize11Click(tag); });
    Action(QStringLiteral("actEditDiv"))->HelpContext = static_cast<QObject*>(popDiv);

    popSave = new QMenu(this);
    popSave->setObjectName(QStringLiteral("popSave"));
    for (const char* name : {"actFileSaveAs", "actFileSaveRemote", "actFileSaveLocal"})
        popSave->addAction(Action(QString::fromLatin1(name)));
    Action(QStringLiteral("actEditSave"))->HelpContext = static_cast<QObject*>(popSave);

    mniEditHighlighter = new QMenu(QStringLiteral("&Highlighting"), this);
    mniEditHighlighter->setObjectName(QStringLiteral("mniEditHighlighter"));
    connect(mniEditHighlighter, &QMenu::aboutToShow, this, [this] { mniEditHighlighterClick(); });
}

void TTarnwickFTPApp::UpdateEditMenu()
{
    // While the menu bar itself has the focus (keyboard navigation) the menu keeps its state.
    QWidget* focus = QApplication::focusWidget();
    if (!mnuEdit || qobject_cast<QMenuBar*>(focus) || qobject_cast<QMenu*>(focus))
        return;
    mnuEdit->setEnabled(focus && (focus == SynMemo || SynMemo->isAncestorOf(focus)) && TabSetEdit->isVisible() &&
                        tabMain->currentIndex() == 0);
}

void TTarnwickFTPApp::mniEditHighlighterClick()
{
    // The items are made on first use, one radio item per parser; the current document's is checked.
    if (mniEditHighlighter->isEmpty()) {
        auto* group = new QActionGroup(mniEditHighlighter);
        const TStringList& list = *ParserList();
        for (int i = 0; i < list.Count(); ++i) {
            QAction* item = mniEditHighlighter->addAction(list.Strings(i));
            item->setCheckable(true);
            item->setActionGroup(group);
            auto* parser = static_cast<TCustomSyntaxMemoParser*>(list.Objects(i));
            item->setData(QVariant::fromValue(static_cast<void*>(parser)));
            connect(item, &QAction::triggered, this, [this, parser, item] {
                SetDocumentParser(parser);
                item->setChecked(true);
            });
        }
    }
    const TFileObject* document = GetDocument(-1);
    for (QAction* item : mniEditHighlighter->actions()) {
        const auto* parser = static_cast<TCustomSyntaxMemoParser*>(item->data().value<void*>());
        item->setChecked(document && parser && parser->Settings().Name == document->ParserName);
    }
}

void TTarnwickFTPApp::EditorOptions1Click()
{
    SynMemo->VisiblePropEdPages = AllPropEdPages;
    SynMemo->EditOptions();
}

void TTarnwickFTPApp::InsertEditorText(const QString& Text)
{
    SynMemo->SetSelText(EncodeAnsi(Text).toStdString());
}

QString TTarnwickFTPApp::EditorSelText()
{
    return DecodeAnsi(QByteArray::fromStdString(SynMemo->GetSelText()));
}

void TTarnwickFTPApp::InsertAround(const QString& Open, const QString& Close)
{
    // The selection goes between the tags; the caret ends before the closing tag.
    const bool upper = AppSettings()->HTMLUpperCase;
    const QString selection = EditorSelText();
    SynMemo->ClearSelection();
    const QString closing = ConvertTagCase(Close, upper);
    InsertEditorText(ConvertTagCase(Open, upper) + selection + closing);
    SynMemo->SetSelStart(SynMemo->GetSelStart() - int(EncodeAnsi(closing).size()));
    SynMemo->setFocus();
}

void TTarnwickFTPApp::actEditBoldExecute(int ImageIndex)
{
    static const std::pair<int, const char*> tags[] = {{56, "b"}, {57, "u"}, {58, "i"}, {59, "br"}, {60, "p"}};
    QString tag;
    for (const auto& [index, word] : tags)
        if (index == ImageIndex)
            tag = QString::fromLatin1(word);
    if (tag.isEmpty())
        return;
    if (tag == QLatin1String("br")) {
        const QString selection = EditorSelText();
        SynMemo->ClearSelection();
        InsertEditorText(selection + ConvertTagCase(QStringLiteral("<br>"), AppSettings()->HTMLUpperCase));
        SynMemo->setFocus();
        return;
    }
    InsertAround(Format(QStringLiteral("<%s>"), {tag}), Format(QStringLiteral("</%s>"), {tag}));
}

void TTarnwickFTPApp::FontSize11Click(int Tag)
{
    static const char* const aligns[] = {"left", "center", "right"};
    if (Tag < 0 || Tag > 2)
        return;
    InsertAround(Format(QStringLiteral("<div align=\"%s\">"), {QString::fromLatin1(aligns[Tag])}), QStringLiteral("</div>"));
}

void TTarnwickFTPApp::actEditFontColorExecute(bool FontTag)
{
    TColor colour = clBlack;
    QStringList custom;
    if (!ExecuteColorDialog(this, colour, custom))
        return;
    QString text = ColorToHtml(ColorToQColor(colour));
    text = AppSettings()->HTMLUpperCase ? text.toUpper() : text.toLower();
    if (!FontTag) {
        SynMemo->ClearSelection();
        InsertEditorText(text);
        SynMemo->setFocus();
        return;
    }
    InsertAround(Format(QStringLiteral("<FONT COLOR=\"%s\">"), {text}), QStringLiteral("</FONT>"));
}

void TTarnwickFTPApp::actEditImageExecute(bool Image)
{
    QString html;
    TEditPageFrm::Execute(Image ? 2 : 1, Image ? CurrentFolder() : EditorSelText(), html);
    if (!html.isEmpty())
        InsertEditorText(html);
    SynMemo->setFocus();
}

void TTarnwickFTPApp::actEditFontExecute()
{
    const QString selection = EditorSelText();
    QString html;
    TEditPageFrm2::Execute(0, selection, html);
    if (html.isEmpty())
        return;
    SynMemo->ClearSelection();
    const int target = SynMemo->GetSelStart() + FindTagEnd(html, selection.isEmpty() ? QStringLiteral("-") : selection);
    InsertEditorText(ConvertTagCase(html, AppSettings()->HTMLUpperCase));
    SynMemo->SetSelStart(std::abs(target));
    SynMemo->setFocus();
}

void TTarnwickFTPApp::actEditPreviewExecute()
{
    TFileObject* document = GetDocument(-1);
    QString preview = document ? document->PreviewFile : QString();
    if (preview.isEmpty())
        preview = MakeTempFileWithExt(QStringLiteral("htm"), QStringLiteral(".html"), true);
    if (document)
        document->PreviewFile = preview;
    engine_->State.EditorTempFiles().insert(preview);
    Screen().SetCursor(crHourGlass);
    SynMemo->Lines().SaveToFile(preview);
    ShellOpenFile(preview, QString());
    Screen().SetCursor(crDefault);
}

void TTarnwickFTPApp::actEditUndoExecute(bool Undo)
{
    TUndoStack* log = SynMemo->GetUndoStack();
    if (!log)
        return;
    TUndoWalkResult walk;
    log->Enumerate(uwStart, walk);
    const int kind = log->Enumerate(Undo ? uwPeekPrevious : uwPeekNext, walk);
    int request = Undo ? uwPrevious : uwNext;
    if (kind == 14 || kind == 15)
        request |= uwMerge;
    log->Enumerate(request, walk);
    if (!walk.Node)
        return;
    SynMemo->Lines().BeginUpdate();
    SynMemo->UndoRedoTo(walk.Node);
    SynMemo->Lines().EndUpdate();
}

void TTarnwickFTPApp::SetEditorBookmark(int N, bool Go)
{
    if (N < 0 || N > 9)
        return;
    int line = 0, column = 0;
    if (!Go)
        SynMemo->SetBookmark(N, -1, -1);
    else if (SynMemo->GetBookmarkPos(N, line, column))
        SynMemo->GotoBookmark(N);
}

// Pictures.

void TTarnwickFTPApp::actFtpPreviewImageExecute()
{
    if (RemoteActive()) {
        lvRemote->SyncSelectionToModel();
        const QString name = engine_->RemoteList.GetSelectedRemoteFile();
        engine_->State.OpenAfterDownload = !name.isEmpty();
        if (engine_->State.OpenAfterDownload)
            DownloadForEditor(name);
        return;
    }
    if (const TListItem* item = lvMyComputer->ItemFocused())
        if (TPTShListData* data = lvMyComputer->GetItemData(item->Index()))
            ShowImageViewer(data->GetPath(), QString(), false);
}

void TTarnwickFTPApp::OpenImage(const QString& LocalFile, const QString& RemotePath, bool Deferred, bool IsRemote)
{
    if (!Deferred) {
        ShowImageViewer(LocalFile, RemotePath, IsRemote);
        return;
    }
    if (!PendingImage)
        PendingImage = std::make_unique<TImageOpen>();
    PendingImage->LocalFile = LocalFile;
    PendingImage->RemotePath = RemotePath;
    PendingImage->IsRemote = !RemotePath.isEmpty();
    if (PendingImage->IsRemote)
        engine_->State.EditorTempFiles().insert(LocalFile);
    Screen().SetCursor(crAppStart);
    win::PostMessage(handle_, WM_IMAGE_OPEN, 0, 0);
}

void TTarnwickFTPApp::ImageOpenMessage()
{
    Screen().SetCursor(crDefault);
    if (!PendingImage) {
        MessageDlg(QStringLiteral("Could not load remote image data."), mtWarning, {mbOK});
        return;
    }
    const TImageOpen image = *PendingImage;
    ShowImageViewer(image.LocalFile, image.RemotePath, image.IsRemote);
}

void TTarnwickFTPApp::ShowImageViewer(const QString& LocalFile, const QString& RemotePath, bool IsRemote)
{
    if (tabMainPanel->isHidden())
        ExecuteAction(QStringLiteral("actViewEditWindow"));
    Screen().SetCursor(crDefault);
    QString typeName;
    const int icon = GetFileIconIndexAndType(LocalFile, 0, typeName, 0);
    const QIcon kind(QPixmap::fromImage(SystemImagesSm->GetImage(icon)));
    QString html;
    TImageViewFrm::Execute(LocalFile, RemotePath, html, IsRemote, kind, typeName);
    PendingImage.reset();
    if (html.isEmpty())
        return;
    if (SynMemo->isHidden()) {
        actEditNewExecute(true);
    } else {
        SynMemo->ClearSelection();
        InsertEditorText(ConvertTagCase(html, AppSettings()->HTMLUpperCase));
    }
    SynMemo->setFocus();
}
