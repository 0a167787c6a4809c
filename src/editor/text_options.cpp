// The preview printer's text options.
#include "editor/text_options.h"

namespace {

QFont MakeFont(const QString& Family, int PointSize, bool Bold, bool Italic)
{
    QFont font(Family, PointSize);
    font.setBold(Bold);
    font.setItalic(Italic);
    return font;
}

} // namespace

TTextOptions::TTextOptions()
    : bodyFont_(MakeFont(QStringLiteral("Arial"), 10, false, false)),
      headerFont_(MakeFont(QStringLiteral("Times New Roman"), 18, true, false)),
      footerFont_(MakeFont(QStringLiteral("Times New Roman"), 10, false, true)), pageNumFont_(footerFont_)
{
}

void TTextOptions::Assign(TPersistent* Source)
{
    auto* options = dynamic_cast<TTextOptions*>(Source);
    if (!options) {
        TPersistent::Assign(Source);
        return;
    }
    if (options == this)
        return;
    DrawStyle = options->DrawStyle;
    MarginLeft = options->MarginLeft;
    MarginTop = options->MarginTop;
    MarginRight = options->MarginRight;
    MarginBottom = options->MarginBottom;
    bodyFont_ = options->bodyFont_;
    headerFont_ = options->headerFont_;
    footerFont_ = options->footerFont_;
    pageNumFont_ = options->pageNumFont_;
    Header = options->Header;
    Footer = options->Footer;
    HeaderMargin = options->HeaderMargin;
    FooterMargin = options->FooterMargin;
    HeaderAlign = options->HeaderAlign;
    FooterAlign = options->FooterAlign;
    PrintPageNumber = options->PrintPageNumber;
    PageNumAlign = options->PageNumAlign;
    PageNumText = options->PageNumText;
}
