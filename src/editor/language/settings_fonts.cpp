// The settings' style fonts and control-character glyphs.
#include "editor/language/sm_settings.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int ScreenDpi = 96;
constexpr int AssumedPrinterDpi = 600;

TPrinterDpiSource& PrinterDpiSource()
{
    static TPrinterDpiSource source;
    return source;
}

// A glyph as the renderer stamps it: one character wide, a line and ten pixels high, white on
// black.
QImage DrawGlyph(const QString& Character, const QFont& Font)
{
    const QFontMetrics metrics(Font);
    const int width = std::max(1, metrics.horizontalAdvance(Character.repeated(4)) / 4);
    const int height = metrics.height() + metrics.leading() + 1 + 10;
    QImage glyph(width, height, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    QPainter painter(&glyph);
    painter.setFont(Font);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), Character);
    painter.end();
    glyph.invertPixels();
    return glyph;
}

QFont GlyphFont(QFont Font, int PointSize, int DpiY)
{
    Font.setPixelSize(CreateStyleFont(Font.family(), PointSize, 0, DpiY, 0).Font.pixelSize());
    return Font;
}

} // namespace

TPrinterDpiSource SetPrinterDpiSource(TPrinterDpiSource Source)
{
    return std::exchange(PrinterDpiSource(), std::move(Source));
}

int TSM_Settings::DeviceDpiY() const
{
    if (PrintCanvas)
        return PrintCanvas->logicalDpiY();
    if (PrinterFonts) {
        const TPrinterDpiSource source = PrinterDpiSource();
        return source ? source() : AssumedPrinterDpi;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::primaryScreen())
        return int(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    return ScreenDpi;
}

void TSM_Settings::UpdateStyleFonts()
{
    if (userCount_ < 1)
        return;
    const int dpiY = DeviceDpiY();
    for (std::size_t style = 0; style < styleEffects_.size(); ++style) {
        if (styleEffects_[style].InUse)
            styleFonts_[style] =
                CreateStyleFont(FontName, FontSize, int(styleEffects_[style].FontStyles), dpiY, FontCharSet);
    }
    glyphs_.fill(QImage());
    if (Options & OPT_SHOW_CONTROL_CHARS)
        DrawControlGlyphs(dpiY);
}

void TSM_Settings::DrawControlGlyphs(int DpiY)
{
    // The pilcrow in the system's proportional font; the arrows where the font has them.
    const QFont system = GlyphFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont), FontSize, DpiY);
    const QFont arrows = GlyphFont(QFont(QStringLiteral("DejaVu Sans")), FontSize, DpiY);
    glyphs_[cgPilcrow] = DrawGlyph(QStringLiteral("\u00B6"), system);
    glyphs_[cgArrow] = DrawGlyph(QStringLiteral("\u2192"), arrows);
    glyphs_[cgReturn] = DrawGlyph(QStringLiteral("\u21B5"), arrows);
}

void TSM_Settings::FreeStyleFonts()
{
    styleFonts_.fill(std::nullopt);
}

const TStyleFont* TSM_Settings::StyleFont(int Style) const
{
    const std::optional<TStyleFont>& font = styleFonts_[std::size_t(Style)];
    return font ? &*font : nullptr;
}
