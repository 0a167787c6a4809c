// TImageViewFrm.
#include "dialogs/html/image_view_frm.h"

#include "dialogs/busy_cursor.h"
#include "dialogs/designed_controls.h"
#include "dialogs/html/html_builders.h"
#include "dialogs/html/picture_preview.h"
#include "platform/rtl/file_names.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/label.h"
#include "platform/widgets/prompt_service.h"
#include "platform/widgets/std_controls.h"
#include "routines/file_routines.h"
#include "routines/path_routines.h"
#include "routines/size_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QTabWidget>

namespace {

constexpr int ButtonHeight = 25;
constexpr int StatusHeight = 22;

TEdit* NewEdit(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* edit = Designed(new TEdit(Parent), Name, QRect());
    edit->setText(Text);
    return edit;
}

// Height and width take digits only.
TEdit* NewNumberEdit(QWidget* Parent, const char* Name, int Value)
{
    TEdit* edit = NewEdit(Parent, Name, QString::number(Value));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

TImageViewFrm::TImageViewFrm(TComponent* AOwner, const QString& FileName, const QString& RemotePath, bool IsRemote,
                             const QIcon& KindIcon, const QString& KindText)
    : TStreamPositionFrm(AOwner, skRegistry, DialogKey(QStringLiteral("Image Viewer")))
{
    setWindowTitle(QStringLiteral("Image Preview"));
    setMinimumSize(380, 400);

    PageControl1 = Designed(new QTabWidget(this), "PageControl1", QRect());
    page_ = new QWidget();
    PageControl1->addTab(page_, QStringLiteral("General"));
    imgType = Designed(new QLabel(page_), "imgType", QRect(12, 10, 32, 32));
    imgType->setPixmap(KindIcon.pixmap(32, 32));
    lblType = Designed(new QLabel(KindText, page_), "lblType", QRect());
    const QString name = IsRemote ? ExtractRemoteName(RemotePath) : ExtractFileName(FileName);
    txtFilename = NewEdit(page_, "txtFilename", name);
    txtLocation = NewEdit(page_, "txtLocation", IsRemote ? RemotePath : FileName);
    txtLocation->setReadOnly(true);
    lblSize = Designed(new QLabel(FormatByteSize(FileSizeByName(FileName)), page_), "lblSize", QRect());
    ScrollBox1 = new TPicturePreview(page_);
    ScrollBox1->LoadFile(FileName, name);
    const QImage& image = ScrollBox1->Image();
    txtHeight = NewNumberEdit(page_, "txtHeight", image.height());
    txtWidth = NewNumberEdit(page_, "txtWidth", image.width());
    txtAlt = NewEdit(page_, "txtAlt", QStringLiteral("Image"));
    cbAlign = Designed(new TCustomComboBox(page_), "cbAlign", QRect());
    cbAlign->addItems(ImageAlignItems);
    cbAlign->SetItemIndex(-1);
    const std::pair<const char*, QWidget*> captions[] = {
        {"Name:", txtFilename}, {"Location:", txtLocation}, {"Size:", lblSize}, {"Height:", txtHeight},
        {"Width:", txtWidth},   {"Alt text:", txtAlt},      {"Align:", cbAlign}};
    for (const auto& [caption, field] : captions)
        captions_[field] = NewLabel(page_, "", QRect(), QLatin1String(caption));

    StatusBar1 = Designed(new QStatusBar(this), "StatusBar1", QRect());
    StatusBar1->setSizeGripEnabled(true);
    lblStatus = new QLabel(IsRemote ? QStringLiteral("Remote File") : QStringLiteral("Local File"));
    StatusBar1->addWidget(lblStatus, 1);

    btnOk = NewButton(*this, this, "btnOk", QRect(), QStringLiteral("Insert into current document as IMG tag"), mrOk);
    btnOk->setDefault(true);
    btnCancel = NewButton(*this, this, "btnCancel", QRect(), QStringLiteral("Cancel"), mrCancel);
    SetClientSize(460, 520);
    LayoutControls();
}

TImageViewFrm::~TImageViewFrm() = default;

void TImageViewFrm::LayoutControls()
{
    const int width = this->width();
    const int height = this->height();
    const int buttonTop = height - StatusHeight - 8 - ButtonHeight;
    StatusBar1->setGeometry(0, height - StatusHeight, width, StatusHeight);
    btnCancel->setGeometry(width - 8 - 75, buttonTop, 75, ButtonHeight);
    const int okWidth = btnOk->sizeHint().width() + 16;
    btnOk->setGeometry(btnCancel->x() - 8 - okWidth, buttonTop, okWidth, ButtonHeight);
    PageControl1->setGeometry(8, 8, width - 16, buttonTop - 16);

    // The page: the kind, the name, location and size, the preview, then its fields in two rows.
    const int pageWidth = PageControl1->width() - 8;
    const int pageHeight = PageControl1->height() - PageControl1->tabBar()->height() - 8;
    const int fieldLeft = 84;
    const int fieldWidth = pageWidth - fieldLeft - 12;
    lblType->setGeometry(fieldLeft, 18, fieldWidth, 18);
    int top = 50;
    for (QWidget* field : {static_cast<QWidget*>(txtFilename), static_cast<QWidget*>(txtLocation),
                           static_cast<QWidget*>(lblSize)}) {
        captions_.value(field)->setGeometry(12, top + 3, fieldLeft - 16, 16);
        field->setGeometry(fieldLeft, top, fieldWidth, 22);
        top += 28;
    }
    const int rowsTop = pageHeight - 58;
    ScrollBox1->setGeometry(12, top + 4, pageWidth - 24, rowsTop - top - 12);
    const int half = (pageWidth - 24) / 2;
    const int smallLabel = 56;
    const struct {
        QWidget* Field;
        int Left;
        int Top;
    } rows[] = {{txtHeight, 12, rowsTop},
                {txtWidth, 12 + half + 8, rowsTop},
                {txtAlt, 12, rowsTop + 30},
                {cbAlign, 12 + half + 8, rowsTop + 30}};
    for (const auto& row : rows) {
        captions_.value(row.Field)->setGeometry(row.Left, row.Top + 3, smallLabel, 16);
        row.Field->setGeometry(row.Left + smallLabel + 4, row.Top, half - smallLabel - 12, 22);
    }
}

void TImageViewFrm::resizeEvent(QResizeEvent* Event)
{
    TStreamPositionFrm::resizeEvent(Event);
    LayoutControls();
}

QString TImageViewFrm::ResultHtml() const
{
    return ImageViewHtml(txtFilename->text(), txtHeight->text(), txtWidth->text(), txtAlt->text(),
                         cbAlign->currentText());
}

bool TImageViewFrm::Execute(const QString& FileName, const QString& RemotePath, QString& Html, bool IsRemote,
                            const QIcon& KindIcon, const QString& KindText)
{
    std::unique_ptr<TImageViewFrm> form;
    {
        const TBusyCursor busy;
        form = std::make_unique<TImageViewFrm>(nullptr, FileName, RemotePath, IsRemote, KindIcon, KindText);
    }
    if (ExecModal(*form) != mrOk)
        return false;
    Html = form->ResultHtml();
    return true;
}
