// The Highlighting page of the editor options dialog: the elements and their look, the colour
// buttons, the default boxes, the font boxes and picking an element in the sample editor.
#include "highlighter/options/options_dialog.h"

#include "highlighter/options/dfs_color_button.h"

#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "editor/syntax_memo.h"

#include "platform/ui/screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <cstdlib>
#include <vector>

namespace {

// The character sets offered: name, the platform's number, and the writing system whose fonts
// stand for it (Any: every font).
struct TCharset {
    const char* Name;
    int Number;
    QFontDatabase::WritingSystem System;
};
constexpr TCharset Charsets[] = {
    {"ANSI", 0, QFontDatabase::Latin},
    {"Default", 1, QFontDatabase::Any},
    {"Symbol", 2, QFontDatabase::Symbol},
    {"MAC", 77, QFontDatabase::Any},
    {"SHIFTJIS", 128, QFontDatabase::Japanese},
    {"Hangeul", 129, QFontDatabase::Korean},
    {"Johab", 130, QFontDatabase::Korean},
    {"GB2312", 134, QFontDatabase::SimplifiedChinese},
    {"Chinese Big5", 136, QFontDatabase::TraditionalChinese},
    {"Greek", 161, QFontDatabase::Greek},
    {"Turkish", 162, QFontDatabase::Latin},
    {"Hebrew", 177, QFontDatabase::Hebrew},
    {"Arabic", 178, QFontDatabase::Arabic},
    {"Baltic", 186, QFontDatabase::Latin},
    {"Russian", 204, QFontDatabase::Cyrillic},
    {"Thai", 222, QFontDatabase::Thai},
    {"East Europe", 238, QFontDatabase::Latin},
    {"OEM", 255, QFontDatabase::Any},
};

// The installed fonts of a character set, each face once (at most 32 characters), sorted.
QStringList FontsOf(QFontDatabase::WritingSystem System)
{
    const QStringList installed = Screen().Fonts();
    QStringList fonts;
    const QStringList candidates = System == QFontDatabase::Any ? installed : QFontDatabase::families(System);
    for (const QString& family : candidates) {
        if (System != QFontDatabase::Any && !installed.contains(family))
            continue;
        const QString face = family.left(32);
        if (!fonts.isEmpty() && fonts.last().compare(face, Qt::CaseInsensitive) == 0)
            continue;
        fonts << face;
    }
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

} // namespace

int TOptionsDialog::SelectedElement() const
{
    const QListWidgetItem* item = SynElementsBox->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TOptionsDialog::StylesChanged()
{
    RefreshSamples();
    FEditor->viewport()->update();
}

void TOptionsDialog::ElementSelected()
{
    const int element = SelectedElement();
    if (element < 0 || !copy_)
        return;
    const bool before = std::exchange(updating_, true);
    const bool style = element < SelectedTextElement;
    for (QCheckBox* box : {UseBoldBox, UseItalicBox, UseUnderlineBox})
        box->setEnabled(style);
    if (element == SelectedTextElement) {
        UseDefForeBox->setEnabled(true);
        UseDefBackBox->setEnabled(true);
        ForegroundButton->SetColor(copy_->SelTextColor);
        ForegroundButton->setEnabled(!copy_->DefaultSelTextColor);
        BackgroundButton->SetColor(copy_->SelTextBack);
        BackgroundButton->setEnabled(!copy_->DefaultSelTextBack);
        UseDefForeBox->setChecked(copy_->DefaultSelTextColor);
        UseDefBackBox->setChecked(copy_->DefaultSelTextBack);
    } else if (element == LeftMarginElement || element == GutterElement) {
        const bool margin = element == LeftMarginElement;
        const std::uint8_t useDefault = margin ? copy_->DefaultMarginColor : copy_->DefaultGutterColor;
        UseDefForeBox->setEnabled(false);
        ForegroundButton->setEnabled(false);
        UseDefBackBox->setEnabled(true);
        BackgroundButton->SetColor(margin ? copy_->MarginColor : copy_->GutterColor);
        BackgroundButton->setEnabled(!useDefault);
        UseDefBackBox->setChecked(useDefault);
    } else {
        const TSM_StyleEffect& effect = copy_->GetStyleEffects(element);
        UseBoldBox->setChecked(effect.FontStyles & fsBold);
        UseItalicBox->setChecked(effect.FontStyles & fsItalic);
        UseUnderlineBox->setChecked(effect.FontStyles & fsUnderline);
        UseDefForeBox->setEnabled(true);
        UseDefBackBox->setEnabled(true);
        ForegroundButton->SetColor(effect.Foreground);
        ForegroundButton->setEnabled(!effect.UseDefaultForeground);
        BackgroundButton->SetColor(effect.Background);
        BackgroundButton->setEnabled(!effect.UseDefaultBackground);
        UseDefForeBox->setChecked(effect.UseDefaultForeground);
        UseDefBackBox->setChecked(effect.UseDefaultBackground);
    }
    updating_ = before;
}

void TOptionsDialog::FontStyleClick(QCheckBox* Box)
{
    const int element = SelectedElement();
    if (updating_ || element < 0 || element >= SelectedTextElement)
        return;
    static constexpr std::uint32_t bits[] = {0, fsBold, fsItalic, fsUnderline};
    TSM_StyleEffect effect = copy_->GetStyleEffects(element);
    const std::uint32_t bit = bits[Box->property("Tag").toInt()];
    effect.FontStyles = Box->isChecked() ? effect.FontStyles | bit : effect.FontStyles & ~bit;
    effect.InUse = 1;
    copy_->SetStyleEffects(element, effect);
    StylesChanged();
}

void TOptionsDialog::ColorChange()
{
    const int element = SelectedElement();
    if (updating_ || element < 0)
        return;
    if (element == SelectedTextElement) {
        if (!copy_->DefaultSelTextBack)
            copy_->SelTextBack = BackgroundButton->Color();
        if (!copy_->DefaultSelTextColor)
            copy_->SelTextColor = ForegroundButton->Color();
    } else if (element == LeftMarginElement) {
        if (!copy_->DefaultMarginColor)
            copy_->MarginColor = BackgroundButton->Color();
    } else if (element == GutterElement) {
        if (!copy_->DefaultGutterColor)
            copy_->GutterColor = BackgroundButton->Color();
    } else {
        TSM_StyleEffect effect = copy_->GetStyleEffects(element);
        if (!effect.UseDefaultForeground)
            effect.Foreground = ForegroundButton->Color();
        if (!effect.UseDefaultBackground)
            effect.Background = BackgroundButton->Color();
        effect.InUse = 1;
        copy_->SetStyleEffects(element, effect);
    }
    StylesChanged();
}

void TOptionsDialog::DefaultBoxClick(QCheckBox* Box)
{
    const int element = SelectedElement();
    if (updating_ || element < 0)
        return;
    const std::uint8_t state = Box->isChecked() ? 1 : 0;
    if (Box == UseDefForeBox) {
        if (element == SelectedTextElement) {
            copy_->DefaultSelTextColor = state;
        } else if (element < SelectedTextElement) {
            TSM_StyleEffect effect = copy_->GetStyleEffects(element);
            effect.UseDefaultForeground = state;
            copy_->SetStyleEffects(element, effect);
        }
    } else if (element == SelectedTextElement) {
        copy_->DefaultSelTextBack = state;
    } else if (element == LeftMarginElement) {
        copy_->DefaultMarginColor = state;
    } else if (element == GutterElement) {
        copy_->DefaultGutterColor = state;
    } else {
        TSM_StyleEffect effect = copy_->GetStyleEffects(element);
        effect.UseDefaultBackground = state;
        copy_->SetStyleEffects(element, effect);
    }
    StylesChanged();
    ElementSelected();
}

// A press in the sample picks the element of the style under it; presses within a few pixels of
// the last one pick nothing new.
void TOptionsDialog::SampleMousePress(QPoint Point)
{
    if (!FEditor->viewport()->rect().contains(Point))
        return;
    if (std::abs(Point.x() - lastMouse_.x()) < ClickThreshold && std::abs(Point.y() - lastMouse_.y()) < ClickThreshold)
        return;
    lastMouse_ = Point;
    const int position = FEditor->CharFromPoint(Point);
    if (position < 0 || position >= FEditor->TextLength())
        return;
    FEditor->SetSelection(position, position);
    std::vector<std::uint8_t> tokens(std::size_t(FEditor->TextLength()) + 1);
    FEditor->GetTokenBytes(tokens, nullptr);
    const int style = copy_->GetTokenStyle(tokens[std::size_t(position)]);
    for (int row = 0; row < SynElementsBox->count(); ++row)
        if (SynElementsBox->item(row)->data(Qt::UserRole).toInt() == style) {
            SynElementsBox->setCurrentRow(row);
            break;
        }
}

void TOptionsDialog::FontNameSelected()
{
    if (updating_ || FontNameBox->currentIndex() < 0)
        return;
    copy_->FontName = FontNameBox->currentText();
    StylesChanged();
}

void TOptionsDialog::FontSizeSelected()
{
    if (updating_ || FontSizeBox->currentIndex() < 0)
        return;
    copy_->FontSize = FontSizeBox->currentText().toInt();
    StylesChanged();
}

void TOptionsDialog::CharsetSelected()
{
    const int index = FontFamilyBox->currentIndex();
    if (index < 0)
        return;
    const TCharset* charset = nullptr;
    for (const TCharset& entry : Charsets)
        if (FontFamilyBox->currentText() == QLatin1String(entry.Name))
            charset = &entry;
    fontNames_ = FontsOf(charset->System);
    const bool before = std::exchange(updating_, true);
    FontNameBox->clear();
    FontNameBox->addItems(fontNames_);
    const int found = fontNames_.indexOf(copy_->FontName);
    FontNameBox->setCurrentIndex(found);
    if (found >= 0)
        copy_->FontCharSet = std::uint8_t(charset->Number);
    updating_ = before;
}

void TOptionsDialog::FillCharsets()
{
    QStringList names;
    for (const TCharset& entry : Charsets)
        names << QLatin1String(entry.Name);
    names.sort();
    FontFamilyBox->clear();
    FontFamilyBox->addItems(names);
    for (const TCharset& entry : Charsets)
        if (entry.Number == copy_->FontCharSet)
            FontFamilyBox->setCurrentText(QLatin1String(entry.Name));
    CharsetSelected();
    FontNameBox->setCurrentIndex(fontNames_.indexOf(copy_->FontName));
    FontSizeBox->setCurrentIndex(FontSizeBox->findText(QString::number(copy_->FontSize)));
}
