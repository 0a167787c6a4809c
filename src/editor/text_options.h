// TTextOptions, the page layout of the preview printer: margins, fonts, header and footer texts
// and where the page number goes.
#pragma once

#include "platform/rtl/persistent.h"
#include "platform/widgets/list_view.h"

#include <QFont>
#include <QString>

enum TDrawStyle { dsStandard, dsOwnerDrawFixed, dsOwnerDrawVariable };
enum TPrintPageNumber { pnBottom, pnTop, pnNone };

class TTextOptions : public TPersistent {
public:
    TTextOptions();

    // Copies every value of another TTextOptions.
    void Assign(TPersistent* Source) override;

    const QFont& BodyFont() const { return bodyFont_; }
    void SetBodyFont(const QFont& Value) { bodyFont_ = Value; }
    const QFont& HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const QFont& Value) { headerFont_ = Value; }
    const QFont& FooterFont() const { return footerFont_; }
    void SetFooterFont(const QFont& Value) { footerFont_ = Value; }
    const QFont& PageNumFont() const { return pageNumFont_; }
    void SetPageNumFont(const QFont& Value) { pageNumFont_ = Value; }

    TDrawStyle DrawStyle = dsStandard;
    // In the printer's units (TPreviewPrinter::Units).
    double MarginLeft = 1.0;
    double MarginTop = 1.0;
    double MarginRight = 1.0;
    double MarginBottom = 1.0;
    QString Header;
    QString Footer;
    double HeaderMargin = 0.5;
    double FooterMargin = 0.75;
    TAlignment HeaderAlign = taCenter;
    TAlignment FooterAlign = taCenter;
    TPrintPageNumber PrintPageNumber = pnBottom;
    TAlignment PageNumAlign = taRightJustify;
    QString PageNumText = QStringLiteral("Page %d");

private:
    QFont bodyFont_;
    QFont headerFont_;
    QFont footerFont_;
    QFont pageNumFont_;
};
