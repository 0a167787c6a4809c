// TEditPageFrm.
#include "dialogs/html/edit_page_frm.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/html/color_frame.h"
#include "dialogs/html/picture_preview.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/file_names.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/file_dialogs.h"
#include "platform/widgets/prompt_service.h"
#include "platform/widgets/std_controls.h"
#include "settings/forms/gui_routines.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace {

const char* const PageCaptions[] = {"Quick Start", "Link", "Image"};
const char* const PictureFilter = "Pictures|*.gif;*.jpg;*.jpeg;*.bmp;*.wbmp|All Files|*.*";
const char* const LinkFilter = "HTML Files|*.htm;*.html|All Files|*.*";

// The sample window of the Quick Start page: the page's background colour with its background
// picture tiled over it.
class TPageSample : public QWidget {
public:
    using QWidget::QWidget;
    QColor Color = Qt::white;
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Color);
        if (!Picture.isNull())
            painter.drawTiledPixmap(rect(), QPixmap::fromImage(Picture));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

TEdit* NewEdit(QWidget* Parent, const char* Name, const QRect& Rect)
{
    return Designed(new TEdit(Parent), Name, Rect);
}

TColorFrame* NewColorFrame(QWidget* Parent, const char* Name, const QRect& Rect, const QColor& Color)
{
    auto* frame = Designed(new TColorFrame(Parent), Name, Rect);
    frame->SetColor(Color);
    return frame;
}

void SetTextColor(QLabel* Label, const QColor& Color)
{
    QPalette palette = Label->palette();
    palette.setColor(QPalette::WindowText, Color);
    Label->setPalette(palette);
}

QLabel* NewSampleLabel(QWidget* Parent, const char* Name, const QRect& Rect, const QString& Text, bool Link)
{
    auto* label = Designed(new QLabel(Text, Parent), Name, Rect);
    QFont font = label->font();
    font.setUnderline(Link);
    label->setFont(font);
    return label;
}

} // namespace

const char* const ImagePageFileFilter = "*.gif;*.jpg;*.jpeg;*.bmp;*.wbmp";

bool IsPictureItem(TPTShListData& Item)
{
    return Item.IsFileSystem() && !Item.IsFolder() && !Item.IsLink();
}

TEditPageFrm::TEditPageFrm(TComponent* AOwner, int Mode, const QString& Text)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Html Edit"))),
      mode_(Mode >= epmQuickStart && Mode <= epmImage ? Mode : epmQuickStart),
      startFolder_(Mode == epmImage ? Text : QString())
{
    SetBorderStyle(bsDialog);
    SetClientSize(470, 382);
    setWindowTitle(QLatin1String(PageCaptions[mode_]));

    PageControl1 = Designed(new QTabWidget(this), "PageControl1", QRect(8, 8, 454, 334));
    QWidget* const pages[] = {BuildQuickStartPage(), BuildLinkPage(), BuildImagePage()};
    for (int index = 0; index < 3; ++index)
        PageControl1->addTab(pages[index], QLatin1String(PageCaptions[index]));
    for (int index = 0; index < 3; ++index)
        PageControl1->setTabVisible(index, index == mode_);
    PageControl1->setCurrentIndex(mode_);
    if (mode_ == epmLink)
        mmoLink->setPlainText(Text);

    btnOk = NewButton(*this, this, "btnOk", QRect(306, 350, 75, 25), QStringLiteral("OK"), mrOk);
    btnOk->setDefault(true);
    btnCancel = NewButton(*this, this, "btnCancel", QRect(387, 350, 75, 25), QStringLiteral("Cancel"), mrCancel);
}

TEditPageFrm::~TEditPageFrm() = default;

QWidget* TEditPageFrm::BuildQuickStartPage()
{
    auto* page = new QWidget();
    NewLabel(page, "Label1", QRect(12, 15, 128, 16), QStringLiteral("Title:"));
    txtTitle = NewEdit(page, "txtTitle", QRect(144, 12, 290, 22));
    NewLabel(page, "Label2", QRect(12, 43, 128, 16), QStringLiteral("Background image:"));
    txtBgImage = NewEdit(page, "txtBgImage", QRect(144, 40, 260, 22));
    btnBgImage = Designed(new QPushButton(QStringLiteral("..."), page), "btnBgImage", QRect(410, 40, 24, 22));
    NewLabel(page, "Label3", QRect(12, 71, 128, 16), QStringLiteral("Description:"));
    txtMetaDescription = NewEdit(page, "txtMetaDescription", QRect(144, 68, 290, 22));
    NewLabel(page, "Label4", QRect(12, 99, 128, 16), QStringLiteral("Keywords:"));
    txtMetaKeywords = NewEdit(page, "txtMetaKeywords", QRect(144, 96, 290, 22));
    chkUnderlineLinks = Designed(new TCheckBox(QStringLiteral("Do not underline links"), page), "chkUnderlineLinks",
                                 QRect(144, 126, 290, 20));

    auto* sample = Designed(new TPageSample(page), "pnlSample", QRect(222, 158, 212, 132));
    pnlSample = sample;
    lblText = NewSampleLabel(sample, "lblText", QRect(14, 14, 200, 18), QStringLiteral("Normal text"), false);
    lblLink = NewSampleLabel(sample, "lblLink", QRect(14, 40, 200, 18), QStringLiteral("Link"), true);
    lblVLink = NewSampleLabel(sample, "lblVLink", QRect(14, 66, 200, 18), QStringLiteral("Visited link"), true);

    const struct {
        const char* Caption;
        const char* Name;
        QColor Color;
        TColorFrame** Field;
        QLabel* Sample;
    } frames[] = {{"Background:", "fraBg", Qt::white, &fraBg, nullptr},
                  {"Text:", "fraText", Qt::black, &fraText, lblText},
                  {"Link:", "fraLink", QColor(0, 0, 255), &fraLink, lblLink},
                  {"Visited link:", "fraVLink", QColor(128, 0, 128), &fraVLink, lblVLink}};
    int top = 158;
    for (const auto& frame : frames) {
        NewLabel(page, "", QRect(12, top + 5, 128, 16), QLatin1String(frame.Caption));
        *frame.Field = NewColorFrame(page, frame.Name, QRect(144, top, 60, 26), frame.Color);
        QLabel* label = frame.Sample;
        if (label)
            SetTextColor(label, frame.Color);
        (*frame.Field)->OnColorChange = [sample, label](const QColor& Color) {
            if (label) {
                SetTextColor(label, Color);
            } else {
                sample->Color = Color;
                sample->update();
            }
        };
        top += 35;
    }

    connect(btnBgImage, &QPushButton::clicked, this, [this] { btnBgImageClick(); });
    txtBgImage->OnChange = [this](TObject*) { txtBgImageChange(); };
    return page;
}

QWidget* TEditPageFrm::BuildLinkPage()
{
    auto* page = new QWidget();
    NewLabel(page, "Label5", QRect(12, 15, 100, 16), QStringLiteral("Text:"));
    mmoLink = Designed(new QPlainTextEdit(page), "mmoLink", QRect(116, 12, 318, 96));
    NewLabel(page, "Label6", QRect(12, 123, 100, 16), QStringLiteral("URL:"));
    txtLink = NewEdit(page, "txtLink", QRect(116, 120, 288, 22));
    btnLink = Designed(new QPushButton(QStringLiteral("..."), page), "btnLink", QRect(410, 120, 24, 22));
    NewLabel(page, "Label7", QRect(12, 153, 100, 16), QStringLiteral("Target:"));
    cbLinkTarget = Designed(new TCustomComboBox(page), "cbLinkTarget", QRect(116, 150, 318, 22));
    for (const char* item : LinkTargetItems)
        cbLinkTarget->addItem(QLatin1String(item));
    cbLinkTarget->SetItemIndex(0);
    chkLinkStatus = Designed(new TCheckBox(QStringLiteral("Show status window message on MouseOver"), page),
                             "chkLinkStatus", QRect(116, 184, 318, 20));
    txtLinkStatus = NewEdit(page, "txtLinkStatus", QRect(116, 208, 318, 22));
    connect(btnLink, &QPushButton::clicked, this, [this] { PickLink(txtLink); });
    return page;
}

QWidget* TEditPageFrm::BuildImagePage()
{
    auto* page = new QWidget();
    cbShell = Designed(new TPTShellCombo(page), "cbShell", QRect(12, 12, 222, 24));
    btnUpOneLevel = Designed(new QToolButton(page), "btnUpOneLevel", QRect(238, 12, 24, 24));
    btnUpOneLevel->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    btnUpOneLevel->setToolTip(QStringLiteral("Up One Level"));
    lvShell = Designed(new TPTShellList(page), "lvShell", QRect(12, 40, 250, 158));
    lvShell->SetViewStyle(vsReport);
    lvShell->SetFileFilter(QLatin1String(ImagePageFileFilter));
    cbShell->SetShellList(lvShell);
    if (mode_ == epmImage && !startFolder_.isEmpty())
        lvShell->Folder()->SetPath(startFolder_);
    imgPreview = Designed(new TPicturePreview(page), "imgPreview", QRect(270, 12, 164, 186));

    NewLabel(page, "Label8", QRect(12, 211, 70, 16), QStringLiteral("File name:"));
    txtImageFilename = NewEdit(page, "txtImageFilename", QRect(86, 208, 176, 22));
    NewLabel(page, "Label9", QRect(274, 211, 50, 16), QStringLiteral("Border:"));
    txtImageBorder = Designed(new QSpinBox(page), "txtImageBorder", QRect(330, 208, 104, 22));
    txtImageBorder->setRange(0, 999);
    txtImageBorder->setValue(0);
    NewLabel(page, "Label10", QRect(12, 239, 70, 16), QStringLiteral("Alt text:"));
    txtImgAlt = NewEdit(page, "txtImgAlt", QRect(86, 236, 176, 22));
    txtImgAlt->setText(QStringLiteral("Image"));
    NewLabel(page, "Label11", QRect(274, 239, 50, 16), QStringLiteral("Align:"));
    cbAlign = Designed(new TCustomComboBox(page), "cbAlign", QRect(330, 236, 104, 22));
    cbAlign->addItems(ImageAlignItems);
    cbAlign->SetItemIndex(-1);
    NewLabel(page, "Label12", QRect(12, 267, 70, 16), QStringLiteral("Link to:"));
    txtImageLink = NewEdit(page, "txtImageLink", QRect(86, 264, 318, 22));
    btnImageLink = Designed(new QPushButton(QStringLiteral("..."), page), "btnImageLink", QRect(410, 264, 24, 22));

    connect(btnUpOneLevel, &QToolButton::clicked, this, [this] { cbShell->GoUp(1); });
    lvShell->OnSelectItem = [this](TObject*, TListItem*, bool Selected) {
        if (Selected)
            lvShellSelect();
    };
    txtImageFilename->OnChange = [this](TObject*) { txtImageFilenameChange(); };
    connect(btnImageLink, &QPushButton::clicked, this, [this] { PickLink(txtImageLink); });
    return page;
}

void TEditPageFrm::showEvent(QShowEvent* Event)
{
    TStreamPositionFrm::showEvent(Event);
    FocusFirstControl(PageControl1->currentWidget());
}

QString TEditPageFrm::PickFile(const QString& Title, const QString& Filter)
{
    TOpenDialog dialog;
    dialog.Title = Title;
    dialog.Filter = Filter;
    dialog.InitialDir = startFolder_;
    dialog.Options = ofFileMustExist;
    return dialog.Execute() ? dialog.FileName : QString();
}

void TEditPageFrm::PickLink(TEdit* Field)
{
    const QString file = PickFile(QStringLiteral("Link"), QLatin1String(LinkFilter));
    if (!file.isEmpty())
        Field->setText(ExtractFileName(file));
}

void TEditPageFrm::btnBgImageClick()
{
    const QString file = PickFile(QStringLiteral("Background Image"), QLatin1String(PictureFilter));
    if (file.isEmpty())
        return;
    auto* sample = static_cast<TPageSample*>(pnlSample);
    TPicture picture;
    try {
        picture.LoadFromFile(file);
        sample->Picture = GraphicImage(*picture.Graphic());
    } catch (const Exception&) {
        sample->Picture = QImage();
    }
    // The name goes in after the picture: setting it must not clear the picture again.
    txtBgImage->setText(ExtractFileName(file));
    sample->update();
}

void TEditPageFrm::txtBgImageChange()
{
    if (!txtBgImage->text().isEmpty())
        return;
    auto* sample = static_cast<TPageSample*>(pnlSample);
    sample->Picture = QImage();
    sample->update();
}

void TEditPageFrm::lvShellSelect()
{
    TPTShListData* data = lvShell->GetSelectedData();
    if (!data || !IsPictureItem(*data))
        return;
    const QString name = data->GetFileName();
    txtImageFilename->setText(name);
    imgPreview->LoadFile(data->GetPath(), name);
}

void TEditPageFrm::txtImageFilenameChange()
{
    if (txtImageFilename->text().isEmpty())
        imgPreview->Clear();
}

QString TEditPageFrm::ResultHtml() const
{
    switch (mode_) {
    case epmQuickStart: {
        const TPageHead head{Application ? Application->Title() : QString(), Now()};
        const TQuickStartFields fields{txtTitle->text(),
                                       txtBgImage->text(),
                                       txtMetaDescription->text(),
                                       txtMetaKeywords->text(),
                                       chkUnderlineLinks->isChecked(),
                                       fraBg->Color(),
                                       fraText->Color(),
                                       fraLink->Color(),
                                       fraVLink->Color()};
        return QuickStartHtml(head, fields);
    }
    case epmLink: {
        const QString text = mmoLink->toPlainText();
        TLinkFields fields{txtLink->text(), cbLinkTarget->ItemIndex(), chkLinkStatus->isChecked(),
                           txtLinkStatus->text(), text.isEmpty() ? QStringList() : text.split(u'\n')};
        return LinkHtml(fields);
    }
    default: {
        const QImage& image = imgPreview->Image();
        const TImageFields fields{txtImageFilename->text(), image.height(),           image.width(),
                                  txtImgAlt->text(),        txtImageBorder->text(),   cbAlign->currentText(),
                                  txtImageLink->text()};
        return ImageHtml(fields);
    }
    }
}

bool TEditPageFrm::Execute(int Mode, const QString& Text, QString& Html)
{
    Html.clear();
    std::unique_ptr<TEditPageFrm> form;
    {
        const TBusyCursor busy;
        form = std::make_unique<TEditPageFrm>(nullptr, Mode, Text);
    }
    if (ExecModal(*form) != mrOk)
        return false;
    Html = form->ResultHtml();
    return true;
}
