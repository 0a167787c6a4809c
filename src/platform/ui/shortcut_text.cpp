// Short-cut texts and the Qt key translation.
#include "platform/ui/shortcut_text.h"

using namespace win;

namespace {

QString KeyName(int Key)
{
    switch (Key) {
    case VK_BACK: return QStringLiteral("BkSp");
    case VK_TAB: return QStringLiteral("Tab");
    case VK_RETURN: return QStringLiteral("Enter");
    case VK_ESCAPE: return QStringLiteral("Esc");
    case VK_SPACE: return QStringLiteral("Space");
    case VK_PRIOR: return QStringLiteral("PgUp");
    case VK_NEXT: return QStringLiteral("PgDn");
    case VK_END: return QStringLiteral("End");
    case VK_HOME: return QStringLiteral("Home");
    case VK_LEFT: return QStringLiteral("Left");
    case VK_UP: return QStringLiteral("Up");
    case VK_RIGHT: return QStringLiteral("Right");
    case VK_DOWN: return QStringLiteral("Down");
    case VK_INSERT: return QStringLiteral("Ins");
    case VK_DELETE: return QStringLiteral("Del");
    default: break;
    }
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return QString(QChar(Key));
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9)
        return QString(QChar('0' + Key - VK_NUMPAD0));
    if (Key >= VK_F1 && Key <= VK_F24)
        return QStringLiteral("F%1").arg(Key - VK_F1 + 1);
    return QStringLiteral("#%1").arg(Key);
}

// Removes Prefix from the front of Text when it is there, ignoring case.
bool TakePrefix(QString& Text, QLatin1StringView Prefix)
{
    if (!Text.startsWith(Prefix, Qt::CaseInsensitive))
        return false;
    Text.remove(0, Prefix.size());
    return true;
}

} // namespace

QString ShortCutToText(TShortCut Value)
{
    if (Value == 0)
        return {};
    QString text;
    if (Value & scShift)
        text += QStringLiteral("Shift+");
    if (Value & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (Value & scAlt)
        text += QStringLiteral("Alt+");
    return text + KeyName(Value & 0xFF);
}

TShortCut TextToShortCut(const QString& Text)
{
    QString rest = Text;
    TShortCut modifiers = 0;
    for (;;) {
        if (TakePrefix(rest, QLatin1StringView("Shift+")))
            modifiers |= scShift;
        else if (TakePrefix(rest, QLatin1StringView("^")) || TakePrefix(rest, QLatin1StringView("Ctrl+")))
            modifiers |= scCtrl;
        else if (TakePrefix(rest, QLatin1StringView("Alt+")))
            modifiers |= scAlt;
        else
            break;
    }
    if (rest.isEmpty())
        return 0;
    // Codes above 255 name their low byte; those of 256..263 give the "#0".."#7" no lower code gives.
    for (int code = 8; code <= 597; ++code) {
        if (QString::compare(ShortCutToText(TShortCut(code)), rest, Qt::CaseInsensitive) == 0)
            return TShortCut(code | modifiers);
    }
    return 0;
}

int VirtualKeyFromQt(int QtKey)
{
    if (QtKey >= Qt::Key_Space && QtKey <= Qt::Key_AsciiTilde) {
        const std::int16_t key = VkKeyScan(char(QtKey));
        return key < 0 ? 0 : key & 0xFF;
    }
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return VK_F1 + (QtKey - Qt::Key_F1);
    switch (QtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers)
{
    TShiftState shift = 0;
    if (Modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (Modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (Modifiers & Qt::AltModifier)
        shift |= ssAlt;
    return shift;
}
