// The HTML the page, link, image, font and image-viewer dialogs write, built from the texts of
// their fields by plain functions.
#pragma once

#include "platform/rtl/date_time.h"

#include <QColor>
#include <QString>
#include <QStringList>

// "Created with" and "Brewed on" in the page head.
struct TPageHead {
    QString AppTitle;
    TDateTime Now = 0;
};

// The Quick Start page.
struct TQuickStartFields {
    QString Title;
    QString BgImage;
    QString MetaDescription;
    QString MetaKeywords;
    bool NoLinkUnderline = false;
    QColor Background;
    QColor Text;
    QColor Link;
    QColor VisitedLink;
};

// The link targets in the order of the target list: none, then _self, _top, _blank, _parent.
constexpr int LinkTargetCount = 5;
extern const char* const LinkTargetItems[LinkTargetCount];

struct TLinkFields {
    QString Url;
    // The index into the target list; 0 (or any index outside it) adds no TARGET attribute.
    int Target = 0;
    // The status text shown on MouseOver; empty without the box ticked.
    bool ShowStatus = false;
    QString Status;
    // The linked text: its lines, each ended by CR LF.
    QStringList Lines;
};

// The alignments of pictures, as the align lists offer them.
extern const QStringList ImageAlignItems;

struct TImageFields {
    QString FileName;
    int Height = 0;
    int Width = 0;
    QString Alt;
    QString Border;
    // Empty: no align attribute.
    QString Align;
    // Not empty: the tag becomes the text of a link to it.
    QString ImageLink;
};

struct TFontWizardFields {
    QString Face;
    QString Size;
    QString Color;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    QString Text;
};

// A new page: the head comments, the title, the META lines that are given, the style that keeps
// links from being underlined, and the body with the four colours and the background picture.
QString QuickStartHtml(const TPageHead& Head, const TQuickStartFields& Fields);
// A link around the text, with its target and status attributes.
QString LinkHtml(const TLinkFields& Fields);
// An image tag with ALT, BORDER and align attributes, in a link when one is given.
QString ImageHtml(const TImageFields& Fields);
// The text in a FONT tag with the attributes given (none: no FONT tag), then in u, i and b tags,
// b outermost; an empty text is "-".
QString FontWizardHtml(const TFontWizardFields& Fields);
// The image viewer's tag: lower-case alt and a border of 0.
QString ImageViewHtml(const QString& FileName, const QString& Height, const QString& Width, const QString& Alt,
                      const QString& Align);
// Text for the inside of a single-quoted script string within a double-quoted attribute.
QString ScriptStringText(const QString& Text);
