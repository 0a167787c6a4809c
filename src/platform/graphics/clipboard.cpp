// TClipboard over QClipboard and QMimeData.
#include "platform/graphics/clipboard.h"

#include "platform/graphics/graphic.h"
#include "platform/graphics/picture.h"
#include "platform/ole/mime_map.h"
#include "platform/ole/types.h"
#include "platform/rtl/ansi_codec.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

QClipboard* SystemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The formats the map of clipboard formats and MIME types converts.
bool IsTextFormat(unsigned Format)
{
    return Format == win::CF_TEXT || Format == win::RegisterClipboardFormat(QStringLiteral("HTML Format"));
}

} // namespace

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() = default;

void TClipboard::Open()
{
    if (openCount_++ == 0)
        pending_.reset();
}

void TClipboard::Close()
{
    if (openCount_ == 0 || --openCount_ > 0)
        return;
    if (pending_) {
        if (QClipboard* clipboard = SystemClipboard())
            clipboard->setMimeData(pending_.release());
        pending_.reset();
    }
}

void TClipboard::Clear()
{
    Open();
    pending_ = std::make_unique<QMimeData>();
    Close();
}

bool TClipboard::HasFormat(unsigned Format) const
{
    return !GetAsHandle(Format).IsEmpty();
}

TClipboardData TClipboard::GetAsHandle(unsigned Format) const
{
    TClipboardData data;
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (!mime)
        return data;
    if (Format == win::CF_BITMAP) {
        if (mime->hasImage())
            data.Picture = qvariant_cast<QImage>(mime->imageData());
        return data;
    }
    if (IsTextFormat(Format)) {
        if (const std::optional<QByteArray> block = win::FormatOfMimeData(*mime, win::CLIPFORMAT(Format)))
            data.Bytes = *block;
        return data;
    }
    const QString type = win::ClipboardFormatMimeType(Format);
    if (!type.isEmpty() && mime->hasFormat(type))
        data.Bytes = mime->data(type);
    return data;
}

bool TClipboard::SetAsHandle(unsigned Format, const TClipboardData& Data)
{
    if (!SystemClipboard())
        return false;
    const QString type = win::ClipboardFormatMimeType(Format);
    if (Format == win::CF_BITMAP ? Data.Picture.isNull() : type.isEmpty() && Format != win::CF_TEXT)
        return false;
    Open();
    if (!pending_)
        pending_ = std::make_unique<QMimeData>();
    if (Format == win::CF_BITMAP) {
        pending_->setImageData(Data.Picture);
    } else if (Format == win::CF_TEXT) {
        const qsizetype nul = Data.Bytes.indexOf('\0');
        QString text = DecodeAnsi(nul < 0 ? Data.Bytes : Data.Bytes.left(nul));
        pending_->setText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    } else {
        pending_->setData(type, Data.Bytes);
    }
    Close();
    return true;
}

void TClipboard::Assign(TPersistent* Source)
{
    TGraphic* graphic = dynamic_cast<TGraphic*>(Source);
    if (auto* picture = dynamic_cast<TPicture*>(Source))
        graphic = picture->Graphic();
    if (!graphic) {
        TPersistent::Assign(Source);
        return;
    }
    Open();
    try {
        unsigned format = 0;
        TClipboardData data;
        win::Palette palette;
        graphic->SaveToClipboardFormat(format, data, palette);
        if (!data.IsEmpty())
            SetAsHandle(format, data);
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}
