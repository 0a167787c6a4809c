// TTarnwickFTPApp: the editor area: the editor, its tab strip and frame, the hint shown without a
// document, the drawing of the tabs, and the parsers.
#include "app/edit_frame.h"
#include "app/editor_tab_set.h"
#include "app/main_form.h"
#include "dragdrop/drop_file_target.h"
#include "editor/file_object.h"
#include "editor/language/sm_settings.h"
#include "editor/parser_repository.h"
#include "editor/preview_printer.h"
#include "editor/syntax_memo.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/graphics/image_list.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/screen.h"
#include "routines/name_checks.h"
#include "routines/path_routines.h"
#include "settings/app_settings.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

// The pictures of the editor area in ImageListSm: a modified document's mark, a server
// document's mark (the connection's picture), and the kinds the frame shows (no document, local,
// server).
constexpr int ModifiedMark = 2;
constexpr int ServerMark = 6;
constexpr int NoDocumentImage = 12;
constexpr int LocalDocumentImage = 44;
constexpr int ServerDocumentImage = 6;
// A modified tab's text colour.
const QColor ModifiedColour(0xFF, 0x00, 0xFF);

// The name a tab shows: the remote name of a server document, else the file name.
QString TabCaption(const TFileObject& Document)
{
    const QString path = Document.IsRemote ? Document.RemotePath : Document.FileName;
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

void TTarnwickFTPApp::CreateEditorArea()
{
    auto* layout = new QVBoxLayout(pnlEdit);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlEdit->setAutoFillBackground(true);
    lblEdit = new TEditFrame(pnlEdit);
    lblEdit->OnPaint = [this](QPainter& Canvas, const QRect& Rect) { lblEditPaint(Canvas, Rect); };
    SynMemo = new TSyntaxMemo(pnlEdit);
    SynMemo->setObjectName(QStringLiteral("SynMemo"));
    SynMemo->Name = SynMemo->objectName();
    TabSetEdit = new TTabSetEdit(pnlEdit);
    TabSetEdit->setObjectName(QStringLiteral("TabSetEdit"));
    TabSetEdit->OnChange = [this](int NewTab) { TabSetEditChange(NewTab); };
    TabSetEdit->OnChanged = [this] { UpdateEditCaption(); };
    TabSetEdit->OnMeasureTab = [this](int Index) { return TabSetEditMeasureTab(Index); };
    TabSetEdit->OnDrawTab = [this](QPainter& Canvas, int Index, const QRect& Rect, bool Selected) {
        TabSetEditDrawTab(Canvas, Index, Rect, Selected);
    };
    bevEdit = new QFrame(pnlEdit);
    bevEdit->setObjectName(QStringLiteral("bevEdit"));
    bevEdit->setFrameShape(QFrame::HLine);
    bevEdit->setFrameShadow(QFrame::Sunken);
    fraHFTP = new QLabel(pnlEdit);
    fraHFTP->setObjectName(QStringLiteral("fraHFTP"));
    fraHFTP->setAlignment(Qt::AlignCenter);
    QPalette hint = fraHFTP->palette();
    hint.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    fraHFTP->setPalette(hint);
    layout->addWidget(lblEdit);
    layout->addWidget(SynMemo, 1);
    layout->addWidget(TabSetEdit);
    layout->addWidget(bevEdit);
    layout->addWidget(fraHFTP, 1);

    const std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(this);
    TSyntaxMemoParser** named[] = {&parserHTML, &parserPlainText, &parserPascal, &parserANSIC,
                                   &parserVB,   &parserJava,      &parserSQL};
    for (std::size_t i = 0; i < parsers.size(); ++i)
        *named[i] = parsers[i];

    DropFileTargetEdit = new TDropFileTarget(this);
    DropFileTargetEdit->Dragtypes = DragTypeBit(dtCopy);

    // The preview turns its pages as the printer is turned when it is asked for; the printer
    // (and the print system behind it) is not loaded before.
    PageSetup = TPageSetup();
    PreviewPrinter = new TPreviewPrinter(this);
}

QString TTarnwickFTPApp::ApplicationTitle()
{
    return Application ? Application->Title() : QString();
}

void TTarnwickFTPApp::FillParserList()
{
    TStringList& list = *ParserList();
    list.Clear();
    for (TSyntaxMemoParser* parser : {parserHTML, parserPlainText, parserPascal, parserANSIC, parserVB, parserJava, parserSQL})
        list.AddObject(QString(), parser);
    // Parser i takes the name of filter entry i, counted as the file dialogs count them, so that a
    // line without "=" shifts no parser off its entry.
    const TStrings& filters = *AppSettings()->EditFileFilters();
    for (int i = 0; i < list.Count(); ++i) {
        const int line = FilterEntryLine(filters, i);
        if (line < 0)
            break;
        const QString name = filters.Names(line);
        const auto* parser = static_cast<TSyntaxMemoParser*>(list.Objects(i));
        if (name.compare(parser->Settings().Name, Qt::CaseInsensitive) == 0)
            list.SetStrings(i, name);
    }
}

void TTarnwickFTPApp::SetDocumentParser(TCustomSyntaxMemoParser* Parser)
{
    if (!Parser)
        return;
    SynMemo->SetParser(1, Parser);
    SynMemo->SetActiveParser(1);
    if (TFileObject* document = GetDocument(-1))
        document->ParserName = Parser->Settings().Name;
}

void TTarnwickFTPApp::ShowEditor(bool HasDocuments)
{
    if (fraHFTP->text().isEmpty())
        fraHFTP->setText(QStringLiteral("You can edit Web Pages and Preview\r\nImages by dragging them here."));
    QPalette colours = pnlEdit->palette();
    if (HasDocuments) {
        SynMemo->show();
        TabSetEdit->show();
        colours.setColor(QPalette::Window, palette().color(QPalette::Button));
        fraHFTP->hide();
        bevEdit->hide();
        DropFileTargetEdit->Unregister(pnlEdit);
    } else {
        SynMemo->Clear();
        SynMemo->hide();
        SetDocumentParser(WebParser());
        TabSetEdit->hide();
        colours.setColor(QPalette::Window, Qt::black);
        bevEdit->show();
        fraHFTP->raise();
        fraHFTP->show();
        DropFileTargetEdit->Register(pnlEdit);
    }
    pnlEdit->setPalette(colours);
    for (TAction* action : actions_)
        if (action->property("EditorAction").toBool())
            action->setEnabled(HasDocuments);
    UpdateEditCaption();
}

void TTarnwickFTPApp::ShowEditTab()
{
    tabMain->setCurrentIndex(0);
    tabMainChange(0);
    if (tabMainPanel->isHidden())
        ExecuteAction(QStringLiteral("actViewEditWindow"));
}

void TTarnwickFTPApp::ShowEditWindow(bool Visible)
{
    tabMainPanel->setVisible(Visible);
    UpdateLogCheck();
}

void TTarnwickFTPApp::OpenLocalDocument(const QString& FileName)
{
    ShowEditTab();
    OpenDocument(FileName, QString());
}

void TTarnwickFTPApp::UpdateEditCaption()
{
    const TFileObject* document = GetDocument(-1);
    if (!document) {
        lblEdit->SetCaption(QStringLiteral("Click the New button to create a new document"));
    } else {
        QString path = document->IsRemote ? document->RemotePath : document->FileName;
        if (SynMemo->Tag != 3) {
            const int maximum = lblEdit->width() / std::max(1, lblEdit->fontMetrics().horizontalAdvance('W')) + 10;
            if (document->IsRemote)
                ShortenRemotePath(path, maximum);
            else
                ShortenPath(path, maximum);
            lblEdit->SetCaption(QStringLiteral("%1 - %2").arg(
                document->IsRemote ? QStringLiteral("Remote File") : QStringLiteral("Local File"), path));
        } else {
            lblEdit->SetCaption(document->Untitled ? path : QStringLiteral("Click the New button to create a new document"));
        }
    }
    TabSetEdit->Refresh();
}

void TTarnwickFTPApp::lblEditPaint(QPainter& Canvas, const QRect& Rect)
{
    const TFileObject* document = GetDocument(-1);
    int image = NoDocumentImage;
    if (document && SynMemo->Tag != 3)
        image = document->IsRemote ? ServerDocumentImage : LocalDocumentImage;
    const QImage picture = ImageListSm->GetImage(image);
    Canvas.drawImage(2, Rect.top() + (Rect.height() - picture.height()) / 2, picture);
}

int TTarnwickFTPApp::TabSetEditMeasureTab(int Index)
{
    const TFileObject* document = GetDocument(Index);
    if (!document)
        return 0;
    QFont font = tabMain->font();
    font.setBold(Index == TabSetEdit->TabIndex());
    int width = QFontMetrics(font).horizontalAdvance(TabCaption(*document));
    const int imageWidth = ImageListSm->Width();
    if (document->IsRemote)
        width += imageWidth;
    width += document->Modified ? imageWidth + 3 : 6;
    if (Screen().PixelsPerInch() > 96) {
        width += 9;
        if (document->Modified && Index != TabSetEdit->TabIndex())
            width += 6;
    }
    return width;
}

void TTarnwickFTPApp::TabSetEditDrawTab(QPainter& Canvas, int Index, const QRect& Rect, bool Selected)
{
    const TFileObject* document = GetDocument(Index);
    if (!document)
        return;
    QFont font = tabMain->font();
    font.setBold(Selected);
    Canvas.setFont(font);
    const QString text = TabCaption(*document);
    const QFontMetrics metrics(font);
    const int imageWidth = ImageListSm->Width();
    const int textY = Rect.top() + (Rect.height() - metrics.height()) / 2 - 1;
    int textX;
    if (document->Modified) {
        Canvas.setPen(ModifiedColour);
        const QImage mark = ImageListSm->GetImage(ModifiedMark);
        Canvas.drawImage(Rect.left(), Rect.top() + (Rect.height() - mark.height()) / 2, mark);
        textX = Rect.left() + imageWidth;
    } else {
        Canvas.setPen(palette().color(QPalette::WindowText));
        textX = Rect.left() + (Rect.width() - metrics.horizontalAdvance(text)) / 2 + 2;
        if (Selected || document->IsRemote)
            textX = Rect.left() + 4;
    }
    if (document->IsRemote) {
        const QImage mark = ImageListSm->GetImage(ServerMark);
        const int x = Rect.right() - imageWidth + (Selected ? 0 : 2);
        Canvas.drawImage(x, Rect.top() + (Rect.height() - mark.height()) / 2, mark);
    }
    Canvas.drawText(QPoint(textX, textY + metrics.ascent()), text);
}
