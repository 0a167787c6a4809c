// TTarnwickFTPApp: printing, print setup and print preview of the current document, and find and
// replace in it.
#include "app/main_form.h"
#include "app/page_setup.h"
#include "dialogs/ed_repl_frm.h"
#include "editor/file_object.h"
#include "editor/preview_printer.h"
#include "editor/printer.h"
#include "editor/syntax_memo.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/format.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "platform/widgets/prompt_service.h"
#include "routines/path_routines.h"
#include "routines/registry_helpers.h"
#include "session/session_state.h"
#include "settings/app_settings.h"
#include "settings/forms/remembered_dialogs.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

void TTarnwickFTPApp::BindPrinting()
{
    const auto on = [this](const char* Name, std::function<void()> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = [Run](TAction*) { Run(); };
    };
    on("actEditPrint", [this] { actEditPrintExecute(); });
    on("actEditPrintSetup", [this] { actEditPrintSetupExecute(); });
    on("actEditPrintPreview", [this] { actEditPrintPreviewExecute(); });
    on("actEditFind", [this] { actEditFindExecute(false); });
    on("actEditReplace", [this] { actEditFindExecute(true); });
}

QString TTarnwickFTPApp::PrintDocumentName() const
{
    const TFileObject* document = GetDocument(-1);
    if (!document)
        return QStringLiteral("Unknown Filename");
    return document->IsRemote ? ExtractRemoteName(document->RemotePath) : QFileInfo(document->FileName).fileName();
}

void TTarnwickFTPApp::actEditPrintExecute()
{
    ShowEditTab();
    const QString name = PrintDocumentName();
    const QString valueName = QStringLiteral("HidePrintDocDlg");
    if (MessageDlgRemember(Format(QStringLiteral("Would you like to print the current document '%s'?"), {name}),
                           QStringLiteral("Do not ask again"), MainFormRegKey, int(RememberedAnswerNames.indexOf(valueName)),
                           &TSessionState::RememberAnswerClick, {mbYes, mbNo}, mtConfirmation, valueName) != mrYes)
        return;
    SynMemo->SetPrintRect(PrintRectInMargins(PageSetup, Printer()));
    SetStatusText(Format(QStringLiteral("'%s' document sent to the printer"), {name}), 3);
    // A server document's print job is named by its remote path.
    const TFileObject* document = GetDocument(-1);
    if (document && document->IsRemote)
        SynMemo->Title = document->RemotePath;
    try {
        SynMemo->Print();
    } catch (const EPrinter& E) {
        MessageDlg(E.Message, mtError, {mbOK});
    }
    if (document)
        SynMemo->Title = document->FileName;
}

void TTarnwickFTPApp::actEditPrintSetupExecute()
{
    QPrinter& printer = Printer();
    ApplyPageSetup(PageSetup, printer);
    PageSetup.Flags = psdMinMargins | psdMargins | psdInThousandthsOfInches;
    QPageSetupDialog dialog(&printer, this);
    if (ExecModal(dialog) == QDialog::Accepted)
        ReadPageSetup(PageSetup, printer);
}

void TTarnwickFTPApp::actEditPrintPreviewExecute()
{
    TTextOptions& options = PreviewPrinter->TextOptions();
    options.SetBodyFont(SynMemo->font());
    options.MarginLeft = PageSetup.MarginLeft / 1000.0;
    options.MarginTop = PageSetup.MarginTop / 1000.0;
    options.MarginRight = PageSetup.MarginRight / 1000.0;
    options.MarginBottom = PageSetup.MarginBottom / 1000.0;
    PreviewPrinter->Orientation =
        Printer().pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    PreviewPrinter->PaginateSyntaxMemo(*SynMemo);
    PreviewPrinter->Preview();
}

void TTarnwickFTPApp::actEditFindExecute(bool Replace)
{
    if (!SynMemo->isVisible())
        return;
    ShowEditTab();
    GetEdReplFrm()->Execute(DecodeAnsi(QByteArray::fromStdString(SynMemo->GetSelText())), SynMemo,
                            Replace ? TEdReplFrm::fmReplace : TEdReplFrm::fmFind);
}
