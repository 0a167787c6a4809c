// The HTML of the page, link, image, font and image-viewer dialogs.
#include "dialogs/html/html_builders.h"

#include "settings/forms/gui_routines.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

const char* const PageHeadTemplate = "<!--   Created with %1       -->\r\n"
                                     "<!--   by Tarnwick Software         -->\r\n"
                                     "<!--     Brewed on %2          -->\r\n"
                                     "<HTML>\r\n"
                                     "<HEAD>\r\n";
const char* const LinkStyle = "<style type=\"text/css\">\r\n"
                              "<!--\r\n"
                              "     A:link {text-decoration: none;}\r\n"
                              "     A:visited {text-decoration: none;}\r\n"
                              "-->\r\n"
                              "</style>\r\n";
const char* const BodyTemplate = "</HEAD>\r\n<BODY BGCOLOR=\"%1\" TEXT=\"%2\" LINK=\"%3\" VLINK=\"%4\"%5>\r\n"
                                 "\r\n\r\n\r\n\r\n</BODY>\r\n</HTML>";
const char* const LinkTemplate = "<a href=\"%1\"%2%3>%4</a>";
const char* const StatusTemplate =
    " onMouseOver=\"window.status='%1'; return true\" onMouseOut=\"window.status=' '\"";
const char* const ImageTemplate = "<img src=\"%1\" height=\"%2\" width=\"%3\" %4 %5%6>";

// Fills a template whose only place is %1; an empty Text gives nothing.
QString Attribute(const char* Template, const QString& Text)
{
    return Text.isEmpty() ? QString() : QString::fromLatin1(Template).arg(Text);
}

QString ImageTag(const QString& FileName, const QString& Height, const QString& Width, const QString& AltAttr,
                 const QString& BorderAttr, const QString& Align)
{
    return QString::fromLatin1(ImageTemplate)
        .arg(FileName, Height, Width, AltAttr, BorderAttr, Attribute(" align=\"%1\"", Align));
}

QString Link(const QString& Url, const QString& Target, const QString& Status, const QString& Text)
{
    return QString::fromLatin1(LinkTemplate).arg(Url, Target, Status, Text);
}

} // namespace

const char* const LinkTargetItems[LinkTargetCount] = {
    "Page Default (none)", "Same Frame (TARGET=_self)", "Whole Page (TARGET=_top)",
    "New Browser Window (TARGET=_blank)", "Parent Frame (TARGET=_parent)"};

const QStringList ImageAlignItems = {QStringLiteral("left"),      QStringLiteral("right"),
                                     QStringLiteral("top"),       QStringLiteral("middle"),
                                     QStringLiteral("bottom"),    QStringLiteral("absmiddle"),
                                     QStringLiteral("texttop"),   QStringLiteral("baseline")};

QString QuickStartHtml(const TPageHead& Head, const TQuickStartFields& Fields)
{
    QString html = QString::fromLatin1(PageHeadTemplate).arg(Head.AppTitle, DateTimeToStr(Head.Now));
    html += QStringLiteral("<TITLE>%1</TITLE>").arg(Fields.Title) + CRLF;
    if (!Fields.MetaDescription.isEmpty())
        html += Attribute("<META name=\"description\" content=\"%1\">", Fields.MetaDescription) + CRLF;
    if (!Fields.MetaKeywords.isEmpty())
        html += Attribute("<META name=\"keywords\" content=\"%1\">", Fields.MetaKeywords) + CRLF;
    if (Fields.NoLinkUnderline)
        html += QLatin1String(LinkStyle);
    html += QString::fromLatin1(BodyTemplate)
                .arg(ColorToHtml(Fields.Background), ColorToHtml(Fields.Text), ColorToHtml(Fields.Link),
                     ColorToHtml(Fields.VisitedLink), Attribute(" BACKGROUND=\"%1\"", Fields.BgImage));
    return html;
}

QString ScriptStringText(const QString& Text)
{
    QString escaped;
    for (const QChar c : Text) {
        if (c == u'\\' || c == u'\'')
            escaped += u'\\';
        if (c == u'"')
            escaped += QStringLiteral("&quot;");
        else
            escaped += c;
    }
    return escaped;
}

QString LinkHtml(const TLinkFields& Fields)
{
    static const char* const targets[LinkTargetCount] = {"", "_self", "_top", "_blank", "_parent"};
    const bool hasTarget = Fields.Target > 0 && Fields.Target < LinkTargetCount;
    const QString target = hasTarget ? Attribute(" TARGET=\"%1\"", QLatin1String(targets[Fields.Target])) : QString();
    const QString status =
        Fields.ShowStatus ? QString::fromLatin1(StatusTemplate).arg(ScriptStringText(Fields.Status)) : QString();
    QString text;
    for (const QString& line : Fields.Lines)
        text += line + CRLF;
    return Link(Fields.Url, target, status, text);
}

QString ImageHtml(const TImageFields& Fields)
{
    const QString tag = ImageTag(Fields.FileName, QString::number(Fields.Height), QString::number(Fields.Width),
                                 QStringLiteral("ALT=\"%1\"").arg(Fields.Alt),
                                 QStringLiteral("BORDER=\"%1\"").arg(Fields.Border), Fields.Align);
    return Fields.ImageLink.isEmpty() ? tag : Link(Fields.ImageLink, {}, {}, tag);
}

QString FontWizardHtml(const TFontWizardFields& Fields)
{
    const QString face = Attribute(" FACE=\"%1\"", Fields.Face);
    const QString size = Attribute(" SIZE=\"%1\"", Fields.Size);
    const QString color = Attribute(" color=\"%1\"", Fields.Color);
    QString html = Fields.Text.isEmpty() ? QStringLiteral("-") : Fields.Text;
    if (!face.isEmpty() || !size.isEmpty() || !color.isEmpty())
        html = QStringLiteral("<FONT%1%2%3>%4</FONT>").arg(face, size, color, html);
    if (Fields.Underline)
        html = QStringLiteral("<u>%1</u>").arg(html);
    if (Fields.Italic)
        html = QStringLiteral("<i>%1</i>").arg(html);
    if (Fields.Bold)
        html = QStringLiteral("<b>%1</b>").arg(html);
    return html;
}

QString ImageViewHtml(const QString& FileName, const QString& Height, const QString& Width, const QString& Alt,
                      const QString& Align)
{
    return ImageTag(FileName, Height, Width, QStringLiteral("alt=\"%1\"").arg(Alt), QStringLiteral("border=\"0\""),
                    Align);
}
