// The print preview window, offscreen: navigation and the go-to dialog, two pages side by side,
// the zoom list's layout and the zoom tool.
#include "editor/custom_syntax_memo.h"
#include "editor/preview_printer.h"
#include "editor/widgets/go_page_form.h"
#include "editor/widgets/preview_form.h"

#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <string>

namespace {

// A preview printer with the pages of Lines numbered lines.
struct TPaginated {
    TCustomSyntaxMemo Memo;
    TPreviewPrinter Printer;

    explicit TPaginated(int Lines)
    {
        std::string text;
        for (int n = 1; n <= Lines; ++n)
            text += "line " + std::to_string(n) + "\r";
        Memo.SetText(text);
        Printer.PaginateSyntaxMemo(Memo);
    }
};

} // namespace

TEST(PreviewForm, OnePageLeavesNowhereToGo)
{
    TPaginated document(5);
    ASSERT_EQ(document.Printer.PageCount(), 1);
    TPreviewForm form(document.Printer);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview Form"));
    EXPECT_EQ(form.CurPageLabel->text(), QStringLiteral("Page 1 of 1"));
    for (QWidget* button : std::initializer_list<QWidget*>{form.NextPageBut, form.NextPageSpeed, form.LastPageSpeed,
                                                            form.PageNumSpeed, form.PrevPageBut, form.FirstPageSpeed})
        EXPECT_FALSE(button->isEnabled()) << button->toolTip().toStdString();
    EXPECT_EQ(form.PB1->PageIndex(), 0);
    EXPECT_EQ(form.PB2->PageIndex(), -1);
}

TEST(PreviewForm, MovesThroughThePages)
{
    TPaginated document(150);
    const int pages = document.Printer.PageCount();
    ASSERT_GE(pages, 3);
    TPreviewForm form(document.Printer);
    form.show();
    EXPECT_TRUE(form.NextPageBut->isEnabled());
    EXPECT_TRUE(form.PageNumSpeed->isEnabled());
    form.NextPageSpeed->click();
    EXPECT_EQ(form.CurPageLabel->text(), QStringLiteral("Page 2 of %1").arg(pages));
    EXPECT_TRUE(form.PrevPageBut->isEnabled());
    EXPECT_TRUE(form.FirstPageSpeed->isEnabled());
    form.LastPageSpeed->click();
    EXPECT_EQ(form.CurrentPage(), pages - 1);
    EXPECT_FALSE(form.NextPageBut->isEnabled());

    // Two pages on the last page: the second box stays empty.
    form.TwoPageBut->click();
    EXPECT_TRUE(form.PagePanel2->isVisible());
    EXPECT_EQ(form.ZoomBox->currentIndex(), int(TPreviewForm::ziFitToPage));
    EXPECT_EQ(form.PB1->PageIndex(), pages - 1);
    EXPECT_EQ(form.PB2->PageIndex(), -1);
    form.FirstPageSpeed->click();
    EXPECT_EQ(form.PB2->PageIndex(), 1);

    TScriptedPrompts prompts;
    prompts.Then([pages](QDialog& Dialog) {
        auto& goPage = dynamic_cast<TGoPageForm&>(Dialog);
        EXPECT_EQ(goPage.windowTitle(), QStringLiteral("Go to Page Number"));
        EXPECT_EQ(goPage.PageNum->value(), 1);
        EXPECT_EQ(goPage.PageNum->maximum(), pages);
        goPage.PageNum->setValue(2);
        goPage.OKBtn->click();
    });
    form.PageNumSpeed->click();
    EXPECT_EQ(form.CurrentPage(), 1);
    EXPECT_EQ(form.CurPageLabel->text(), QStringLiteral("Page 2 of %1").arg(pages));
}

TEST(PreviewForm, TheZoomListLaysOutThePages)
{
    TPaginated document(150);
    TPreviewPrinter& printer = document.Printer;
    TPreviewForm form(printer);
    form.show();
    QApplication::processEvents();
    const QSize room = form.ScrollBox1->viewport()->size();
    const double inch = form.logicalDpiY();
    const double pageInches = double(printer.PhysicalHeight()) / printer.PixelsPerInchY();
    EXPECT_DOUBLE_EQ(form.ZoomFactor(), (room.height() - 20) / inch / pageInches);
    EXPECT_TRUE(form.FitPageBut->isChecked());
    EXPECT_EQ(form.PagePanel->height(), int(inch * form.ZoomFactor() * pageInches));

    // A change of zoom lays out twice (the first pass may change the scroll bars).
    form.ZoomBox->setCurrentIndex(3); // 25%, which needs no scroll bars, like the fitted page
    const int layouts = form.LayoutCount();
    form.FitPageBut->click();
    EXPECT_EQ(form.LayoutCount(), layouts + 2);
    const double fitted = form.ZoomFactor();

    form.ZoomBox->setCurrentIndex(8);
    EXPECT_DOUBLE_EQ(form.ZoomFactor(), 1.5);
    EXPECT_EQ(form.ZoomLabel->text(), QStringLiteral("150%"));
    EXPECT_FALSE(form.FitPageBut->isChecked());

    form.ZoomBox->setCurrentIndex(1);
    const QSize wide = form.ScrollBox1->viewport()->size();
    const double widthInches = double(printer.PhysicalWidth()) / printer.PixelsPerInchX();
    EXPECT_DOUBLE_EQ(form.ZoomFactor(), (wide.width() - 20) / inch / widthInches);
    EXPECT_TRUE(form.FitWidthBut->isChecked());

    // The zoom tool from the fitted page: "Custom" at one and a half times, and back.
    form.FitPageBut->click();
    form.ZoomAt(*form.PB1, form.PB1->rect().center(), Qt::LeftButton);
    EXPECT_EQ(form.ZoomBox->currentText(), QStringLiteral("Custom"));
    EXPECT_DOUBLE_EQ(form.ZoomFactor(), fitted * 1.5);
    EXPECT_EQ(form.ZoomLabel->text(), QString::number(qRound(fitted * 150)) + QLatin1Char('%'));
    form.ZoomAt(*form.PB1, form.PB1->rect().center(), Qt::RightButton);
    EXPECT_DOUBLE_EQ(form.ZoomFactor(), fitted);
}
