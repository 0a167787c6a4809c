// The "HTML Format" clipboard format of the editor.
#include "editor/memo_formats.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/cf_html.h"
#include "platform/rtl/ansi_codec.h"

#include <optional>

unsigned HtmlFormat()
{
    static const unsigned format = win::RegisterClipboardFormat(QStringLiteral("HTML Format"));
    return format;
}

QByteArray HtmlAsDocumentText(const QByteArray& Block)
{
    const std::optional<QByteArray> html = win::HtmlOfCfHtml(Block);
    return html ? EncodeAnsi(QString::fromUtf8(*html)) : QByteArray();
}
