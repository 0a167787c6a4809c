// TPicturePreview.
#include "dialogs/html/picture_preview.h"

#include "dialogs/busy_cursor.h"
#include "imaging/gif_image.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/clipboard.h"
#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"
#include "settings/forms/gui_routines.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>

QImage GraphicImage(TGraphic& Graphic)
{
    if (auto* gif = dynamic_cast<TGIFImage*>(&Graphic)) {
        TBitmap* frame = gif->Bitmap();
        return frame ? frame->ToImage() : QImage();
    }
    if (Graphic.Empty())
        return {};
    TBitmap target;
    target.SetSize(Graphic.Width(), Graphic.Height());
    Graphic.Draw(target.Canvas(), QRect(0, 0, Graphic.Width(), Graphic.Height()));
    return target.ToImage();
}

QString PreviewErrorText(const QString& FileName)
{
    const QString title = Application ? Application->Title() : QString();
    return QStringLiteral("%1 was unable to display the image '%2'.").arg(title, FileName);
}

TPicturePreview::TPicturePreview(QWidget* Parent) : QScrollArea(Parent)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Base);
    imgImg = new QLabel();
    imgImg->setObjectName(QStringLiteral("imgImg"));
    setWidget(imgImg);
    lblError = new QLabel(viewport());
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    lblError->setAlignment(Qt::AlignCenter);
    lblError->hide();

    popmniCopy = new QAction(QStringLiteral("Copy to clipboard"), this);
    popmniCopy->setObjectName(QStringLiteral("popmniCopy"));
    popmniCopy->setEnabled(false);
    connect(popmniCopy, &QAction::triggered, this, [this] { CopyToClipboard(); });
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(popmniCopy);

    wbmp_.OnError = [this](TObject*, int) { wbmpFailed_ = true; };
    Clear();
}

TPicturePreview::~TPicturePreview() = default;

bool TPicturePreview::LoadFile(const QString& FileName, const QString& DisplayName)
{
    const TBusyCursor busy;
    Clear();
    if (QFileInfo(FileName).suffix().compare(QLatin1String("wbmp"), Qt::CaseInsensitive) == 0) {
        wbmpFailed_ = false;
        wbmp_.LoadFromFile(FileName);
        if (wbmpFailed_)
            ShowError(DisplayName);
        else if (!wbmp_.GetEmpty())
            Show(wbmp_.Bitmap().ToImage());
        return HasPicture();
    }
    try {
        TPicture picture;
        picture.LoadFromFile(FileName);
        Show(GraphicImage(*picture.Graphic()));
    } catch (const Exception&) {
        ShowError(DisplayName);
    }
    return HasPicture();
}

void TPicturePreview::Clear()
{
    image_ = QImage();
    imgImg->clear();
    imgImg->resize(0, 0);
    lblError->hide();
    popmniCopy->setEnabled(false);
}

void TPicturePreview::Show(const QImage& Image)
{
    image_ = Image;
    imgImg->setPixmap(QPixmap::fromImage(image_));
    imgImg->resize(image_.size());
    popmniCopy->setEnabled(HasPicture());
    Center();
}

void TPicturePreview::ShowError(const QString& DisplayName)
{
    lblError->setText(PreviewErrorText(DisplayName));
    lblError->setGeometry(viewport()->rect().adjusted(8, 8, -8, -8));
    lblError->show();
}

void TPicturePreview::CopyToClipboard()
{
    if (!HasPicture())
        return;
    TBitmap bitmap;
    bitmap.AssignImage(image_);
    Clipboard().Assign(&bitmap);
}

void TPicturePreview::Center()
{
    CenterImageInForm(this, imgImg);
}

void TPicturePreview::resizeEvent(QResizeEvent* Event)
{
    QScrollArea::resizeEvent(Event);
    lblError->setGeometry(viewport()->rect().adjusted(8, 8, -8, -8));
    if (HasPicture())
        Center();
}
