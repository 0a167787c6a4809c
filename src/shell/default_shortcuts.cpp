// The default keys of the shell controls.
#include "shell/default_shortcuts.h"

#include "platform/ui/shortcut_text.h"

#include <QKeyEvent>
#include <array>

TShortCut DefaultShortCut(TDefaultShortCut Which)
{
    static const std::array<TShortCut, 7> keys = [] {
        const char* const texts[] = {"Ctrl+A", "Del", "Ctrl+C", "Ctrl+X", "Ctrl+V", "F5", "F2"};
        std::array<TShortCut, 7> result{};
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = TextToShortCut(QString::fromLatin1(texts[i]));
        return result;
    }();
    return keys[std::size_t(Which)];
}

TShortCut ShortCutOfKey(const QKeyEvent& Event)
{
    return ShortCut(VirtualKeyFromQt(Event.key()), ShiftStateFromQt(Event.modifiers()));
}
