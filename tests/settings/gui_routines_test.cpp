// Form routines: centring, HTML colours, redraw locks, picture placement, first focus, the walks
// over check boxes, radio buttons and edits, and the bitmaps.
#include "routines/bitmap_resources.h"
#include "settings/forms/gui_routines.h"

#include "platform/widgets/std_controls.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

TEST(GuiRoutines, Centring)
{
    const struct {
        QRect rect;
        int size;
        int x;
        int y;
    } cases[] = {
        {QRect(0, 0, 100, 50), 20, 40, 15},
        {QRect(10, 20, 101, 51), 20, 50, 35}, // (10 + 111 - 20) div 2, (20 + 71 - 20) div 2
        {QRect(0, 0, 10, 10), 21, -5, -5},    // larger than the rectangle: div rounds towards 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CenterInWidth(c.rect, c.size), c.x);
        EXPECT_EQ(CenterInHeight(c.rect, c.size), c.y);
    }
    const QFontMetrics metrics(QApplication::font());
    const QRect rect(5, 5, 200, 40);
    EXPECT_EQ(CenterTextX(metrics, rect, "Wide text"),
              CenterInWidth(rect, metrics.horizontalAdvance("Wide text")));
    EXPECT_EQ(CenterTextY(metrics, rect, "Wy"), CenterInHeight(rect, metrics.height()));
}

TEST(GuiRoutines, ColorToHtml)
{
    EXPECT_EQ(ColorToHtml(QColor(0, 0, 0)), "#000000");
    EXPECT_EQ(ColorToHtml(QColor(255, 171, 10)), "#FFAB0A");
    EXPECT_EQ(ColorToHtml(QColor(1, 2, 254)), "#0102FE");
}

TEST(GuiRoutines, LockRedraw)
{
    QWidget window;
    auto* child = new QLabel("text", &window);
    LockRedraw(&window, true);
    EXPECT_FALSE(window.updatesEnabled());
    EXPECT_FALSE(child->updatesEnabled());
    LockRedraw(&window, false);
    EXPECT_TRUE(window.updatesEnabled());
    EXPECT_TRUE(child->updatesEnabled());
}

TEST(GuiRoutines, CenterImageInFormCentresOnlyWhereThePictureIsSmaller)
{
    QScrollArea box;
    box.resize(300, 200);
    auto* image = new QLabel;
    box.setWidget(image);
    box.show();
    const QSize view = box.viewport()->size();
    const struct {
        QSize size;
        int x;
    } cases[] = {
        {QSize(100, 50), (view.width() - 100) / 2},
        {QSize(900, 50), 0}, // wider than the box: at the origin across, still centred down
        {QSize(900, 700), 0},
    };
    for (const auto& c : cases) {
        image->resize(c.size);
        box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum());
        box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
        CenterImageInForm(&box, image);
        EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
        EXPECT_EQ(box.verticalScrollBar()->value(), 0);
        EXPECT_EQ(image->size(), c.size);
        EXPECT_EQ(image->x(), c.x);
        const QSize area = box.viewport()->size();
        EXPECT_EQ(image->y(), c.size.height() < area.height() ? (area.height() - c.size.height()) / 2 : 0);
    }
}

TEST(GuiRoutines, FocusFirstControl)
{
    QWidget form;
    auto* label = new QLabel("label", &form);
    auto* disabled = new TEdit(&form);
    disabled->setEnabled(false);
    auto* first = new TEdit(&form);
    auto* second = new TEdit(&form);
    Q_UNUSED(label);
    form.show();
    second->setFocus();
    FocusFirstControl(&form);
    EXPECT_EQ(form.focusWidget(), first);
}

TEST(GuiRoutines, HandlerWalksReachNestedControlsButNotTheInsidesOfControls)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* check = new TCheckBox("check");
    auto* group = new QGroupBox("group");
    auto* inner = new QVBoxLayout(group);
    auto* radio = new TRadioButton("radio");
    auto* edit = new TEdit;
    auto* spin = new QSpinBox;
    inner->addWidget(radio);
    inner->addWidget(edit);
    inner->addWidget(spin);
    layout->addWidget(check);
    layout->addWidget(group);
    auto* plain = new QCheckBox("plain Qt check box", &form);

    QList<QObject*> clicked;
    AttachClickHandlers(
        &form, [&](TObject* Sender) { clicked += dynamic_cast<QObject*>(Sender); }, false);
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(radio->isEnabled());
    EXPECT_FALSE(plain->isEnabled());
    AttachClickHandlers(
        &form, [&](TObject* Sender) { clicked += dynamic_cast<QObject*>(Sender); }, true);
    check->setChecked(true);
    radio->setChecked(true);
    EXPECT_EQ(clicked, QList<QObject*>({check, radio}));

    // the spin box's own edit is not one of the form's edits, and comes back when the box does
    edit->setText("typed");
    spin->setValue(5);
    ClearEdits(&form, false);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(spin->value(), 5);
    spin->setEnabled(true);
    group->setEnabled(true);
    EXPECT_TRUE(spin->findChild<QLineEdit*>()->isEnabled());

    DetachClickHandlers(&form);
    EXPECT_FALSE(check->OnClick);
    EXPECT_FALSE(radio->OnClick);
}

TEST(GuiRoutines, GlyphsAndBitmapResources)
{
    for (int index = 0; index < 11; ++index) {
        QImage glyph;
        EXPECT_TRUE(LoadGlyph(glyph, index)) << GlyphNames[size_t(index)];
        EXPECT_EQ(glyph.size(), QSize(32, 32));
        EXPECT_TRUE(glyph.hasAlphaChannel());
    }
    QImage kept(1, 1, QImage::Format_RGB32);
    for (int index : {-1, 11})
        EXPECT_FALSE(LoadGlyph(kept, index));
    EXPECT_FALSE(LoadBitmapResource(kept, "NO_SUCH_BITMAP"));
    EXPECT_FALSE(LoadBitmapResource(kept, "../bitmaps/INFO"));
    EXPECT_EQ(kept.size(), QSize(1, 1));

    EXPECT_TRUE(LoadBitmapFromLibrary(kept, "/opt/program/Test.dll", "INFO"));
    EXPECT_EQ(kept.size(), QSize(32, 32));
    EXPECT_FALSE(LoadBitmapFromLibrary(kept, "/opt/program/Test.dll", "NO_SUCH_BITMAP"));
    EXPECT_FALSE(LoadBitmapFromLibrary(kept, "/opt/program/Missing.dll", "INFO"));
}
