// The colour dialog run with a caller's custom colours, which travel as entry texts.
#include "highlighter/options/color_dialog.h"

#include "highlighter/options/color_array.h"
#include "highlighter/options/custom_color_entries.h"

#include "platform/widgets/prompt_service.h"

#include <QColorDialog>
#include <array>

namespace {

constexpr int SlotColumns = 8;
constexpr int SlotRows = 2;
constexpr int CustomSlots = SlotColumns * SlotRows;

TColor ColorFromQColor(const QColor& Color)
{
    return TColor(win::RGB(Color.red(), Color.green(), Color.blue()));
}

} // namespace

bool ExecuteColorDialog(QWidget* Owner, TColor& Color, QStringList& CustomColors)
{
    std::array<QColor, CustomSlots> saved;
    for (int i = 0; i < CustomSlots; ++i)
        saved[std::size_t(i)] = QColorDialog::customColor(i);

    // Slot i is the entry with letter "A" + i; slots without an entry are white.
    TColorArrayClass slots(SlotColumns, SlotRows);
    for (int i = 0; i < CustomSlots; ++i)
        slots.SetColor(i % SlotColumns + 1, i / SlotColumns + 1, clWhite);
    ReadCustomColorEntries(CustomColors, slots);
    for (int i = 0; i < CustomSlots; ++i)
        QColorDialog::setCustomColor(i, ColorToQColor(slots.Color(i % SlotColumns + 1, i / SlotColumns + 1)));

    QColorDialog dialog(ColorToQColor(Color), Owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = ExecModal(dialog) == QDialog::Accepted;
    if (accepted) {
        Color = ColorFromQColor(dialog.selectedColor());
        for (int i = 0; i < CustomSlots; ++i)
            slots.SetColor(i % SlotColumns + 1, i / SlotColumns + 1, ColorFromQColor(QColorDialog::customColor(i)));
        CustomColors = CustomColorEntries(slots);
    }

    for (int i = 0; i < CustomSlots; ++i)
        QColorDialog::setCustomColor(i, saved[std::size_t(i)]);
    return accepted;
}
