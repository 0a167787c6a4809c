// Dialog positions: centred at first, restored later, fixed sizes kept, nothing kept without a
// store, no drift, off-screen places centred; the font rule.
#include "settings/forms/stream_position_form.h"

#include "platform/registry/reg_ini_file.h"
#include "platform/ui/screen.h"
#include "settings/component_position.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace {

const QString Key = DialogKey("Test Dialog");

// A dialog as the program builds them: designed size and border set after the base is made.
class TTestDialog : public TStreamPositionFrm {
public:
    explicit TTestDialog(TFormBorderStyle Border, const QString& StoreKey = Key)
        : TStreamPositionFrm(nullptr, skRegistry, StoreKey)
    {
        SetBorderStyle(Border);
        SetClientSize(300, 200);
    }
    TTestDialog() : TStreamPositionFrm(nullptr)
    {
        SetBorderStyle(bsSizeable);
        SetClientSize(300, 200);
    }
};

QRect Stored()
{
    TRegIniFile ini(Key);
    return QRect(ini.ReadInteger("", "Left", -1), ini.ReadInteger("", "Top", -1),
                 ini.ReadInteger("", "Width", -1), ini.ReadInteger("", "Height", -1));
}

void Store(const QRect& Bounds)
{
    TRegIniFile ini(Key);
    ini.WriteInteger("", "Left", Bounds.x());
    ini.WriteInteger("", "Top", Bounds.y());
    ini.WriteInteger("", "Width", Bounds.width());
    ini.WriteInteger("", "Height", Bounds.height());
}

// Shows a dialog, runs Act on it while it is up, closes it; returns its bounds as shown.
QRect ShowOnce(TStreamPositionFrm& Dialog, const std::function<void(TStreamPositionFrm&)>& Act = {})
{
    QRect shown;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog&) {
        shown = QRect(Dialog.Left(), Dialog.Top(), Dialog.Width(), Dialog.Height());
        if (Act)
            Act(Dialog);
        Dialog.reject();
    });
    EXPECT_EQ(Dialog.ShowModal(), mrCancel);
    return shown;
}

// The frame's share of a window's outer size (the offscreen platform draws a thin frame too).
QSize FrameOf(const QWidget& Window)
{
    return Window.frameGeometry().size() - Window.size();
}

QPoint CentredFor(QSize Size)
{
    const QRect area = Screen().WorkAreaRect();
    return {area.x() + (area.width() - Size.width()) / 2, area.y() + (area.height() - Size.height()) / 2};
}

} // namespace

TEST(StreamPositionForm, FirstUseCentresLaterUsesRestore)
{
    TRegistryScope scope;
    {
        TTestDialog dialog(bsSizeable);
        EXPECT_EQ(dialog.GetName(), Key);
        const QRect shown = ShowOnce(dialog, [](TStreamPositionFrm& d) { d.SetBounds(40, 30, 350, 260); });
        const QSize outer = QSize(300, 200) + FrameOf(dialog);
        EXPECT_EQ(shown, QRect(CentredFor(outer), outer));
        EXPECT_EQ(dialog.size(), QSize(350, 260) - FrameOf(dialog)); // the bounds are the outer frame's
    }
    EXPECT_EQ(Stored(), QRect(40, 30, 350, 260));
    TTestDialog again(bsSizeable);
    EXPECT_EQ(ShowOnce(again), QRect(40, 30, 350, 260));
}

TEST(StreamPositionForm, FixedSizeDialogKeepsItsDesignedSize)
{
    TRegistryScope scope;
    for (TFormBorderStyle border : {bsDialog, bsSizeToolWin}) {
        Store(QRect(50, 60, 640, 480));
        TTestDialog dialog(border);
        const QRect shown = ShowOnce(dialog);
        EXPECT_EQ(shown.topLeft(), QPoint(50, 60));
        if (border == bsDialog)
            EXPECT_EQ(dialog.size(), QSize(300, 200));
        else
            EXPECT_EQ(shown.size(), QSize(640, 480));
    }
}

TEST(StreamPositionForm, PlainFormNeitherRestoresNorStores)
{
    TRegistryScope scope;
    {
        TTestDialog dialog;
        EXPECT_EQ(dialog.PositionStore(), nullptr);
        EXPECT_EQ(dialog.GetName(), QString());
        ShowOnce(dialog, [](TStreamPositionFrm& d) { d.SetBounds(10, 10, 320, 240); });
    }
    EXPECT_FALSE(
        TRegIniFile("Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs").SectionExists("Test Dialog"));
}

TEST(StreamPositionForm, DialogFreedUnshownStoresNothingNew)
{
    TRegistryScope scope;
    Store(QRect(70, 80, 310, 210));
    {
        TTestDialog dialog(bsSizeable);
    }
    EXPECT_EQ(Stored(), QRect(70, 80, 310, 210));
}

TEST(StreamPositionForm, PlaceOnNoScreenCentres)
{
    TRegistryScope scope;
    const QRect screen = Screen().WorkAreaRect();
    for (const QRect& away : {QRect(screen.right() + 500, 10, 300, 200), QRect(-2000, -2000, 300, 200)}) {
        Store(away);
        TTestDialog dialog(bsSizeable);
        const QRect shown = ShowOnce(dialog);
        EXPECT_EQ(shown.topLeft(), CentredFor(shown.size()));
    }
}

TEST(StreamPositionForm, NoDriftOverOpenAndCloseCycles)
{
    TRegistryScope scope;
    for (TFormBorderStyle border : {bsSizeable, bsDialog}) {
        Store(QRect(120, 90, 333, 222));
        QList<QRect> seen;
        for (int cycle = 0; cycle < 5; ++cycle) {
            TTestDialog dialog(border);
            seen += ShowOnce(dialog);
            scope.Reload();
        }
        const QRect first = seen.first();
        EXPECT_EQ(first.topLeft(), QPoint(120, 90));
        for (const QRect& r : seen)
            EXPECT_EQ(r, first) << border;
        EXPECT_EQ(Stored(), first);
    }
}

TEST(StreamPositionForm, TahomaWhenInstalled)
{
    const QString designed = QFont().family();
    const struct {
        QStringList fonts;
        QString family;
    } cases[] = {
        {{"DejaVu Sans", "tahoma"}, "Tahoma"},
        {{"DejaVu Sans", "Tahoma Bold"}, designed},
    };
    for (const auto& c : cases) {
        Screen().SetFontList(c.fonts);
        TTestDialog dialog;
        EXPECT_EQ(dialog.font().family(), c.family);
        EXPECT_EQ(dialog.font().pointSizeF(), QFont().pointSizeF());
    }
    Screen().SetFontList(std::nullopt);
}
