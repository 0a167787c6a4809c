// The editor control's keys: a key press goes to the code templates, then to the auto-replace list,
// then to the key map of the settings shown, whose recognised commands run here.
#include "editor/custom_syntax_memo.h"

#include "editor/language/sm_settings.h"
#include "editor/memo_macro_editor.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/ui/shortcut_text.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

// With Shift these keys run their unshifted command, extending the selection.
bool ShiftExtends(int Key)
{
    switch (Key) {
    case win::VK_BACK:
    case win::VK_PRIOR:
    case win::VK_NEXT:
    case win::VK_END:
    case win::VK_HOME:
    case win::VK_LEFT:
    case win::VK_UP:
    case win::VK_RIGHT:
    case win::VK_DOWN: return true;
    default: return false;
    }
}

// A modifier pressed alone is part of the next key, not a key of its own.
bool IsModifier(int Key)
{
    return Key == win::VK_SHIFT || Key == win::VK_CONTROL || Key == win::VK_MENU;
}

bool PickListShown(TMacroKeywords& Templates)
{
    IMacroPickList* list = Templates.PickList();
    const auto* widget = list ? qobject_cast<const QWidget*>(list->Widget()) : nullptr;
    return widget && widget->isVisible();
}

} // namespace

void TCustomSyntaxMemo::HookSettings()
{
    if (destroying_)
        return;
    if (!macroEditor_)
        macroEditor_ = std::make_unique<TMemoMacroEditor>(*this);
    // The settings outlive their editors: a callback into an editor that is gone does nothing.
    const QPointer<TCustomSyntaxMemo> self(this);
    settings_->KeyController().OnCommand = [self](TObject*, int& Command) {
        if (self)
            self->CommandRecognised(Command);
    };
    const TMacroExpandEvent expand = [self](TObject* Sender, const QByteArray& Name, QByteArray& Body) {
        if (self)
            self->Expand(Sender, Name, Body);
    };
    settings_->CodeTemplates().OnExpand = expand;
    settings_->AutoReplace().OnExpand = expand;
}

// A failing command or event handler is reported to the application; the key counts as handled.
void TCustomSyntaxMemo::keyPressEvent(QKeyEvent* Event)
{
    const int key = VirtualKeyFromQt(Event->key());
    const TShiftState shift = ShiftStateFromQt(Event->modifiers());
    if (IsModifier(key) || (key == 0 && Event->text().isEmpty())) {
        Event->ignore();
        return;
    }
    bool handled = false;
    bool failed = true;
    AtBoundary([&] {
        // Every editor of a language shares its lists and key map: the editor the keys reach is
        // the one they act on.
        HookSettings();
        if (key != 0)
            KeyDown(key, shift, handled);
        // The characters the keys above leave alone are typed. With Alt alone (not as AltGr) a
        // key makes no character; with Ctrl alone only a control character (Ctrl+Enter's line
        // feed), never the printable text an X server may send along (Ctrl+S arriving as "s"):
        // such a key stays unhandled and goes on to the window's short cuts.
        const bool altOnly = (shift & ssAlt) && !(shift & ssCtrl);
        const bool ctrlOnly = (shift & ssCtrl) && !(shift & ssAlt);
        QString text = altOnly ? QString() : Event->text();
        if (ctrlOnly)
            text.removeIf([](QChar C) { return C.unicode() >= 32; });
        if (!handled && !text.isEmpty())
            handled = TypeText(text);
        failed = false;
    });
    Event->setAccepted(handled || failed);
}

void TCustomSyntaxMemo::KeyDown(int Key, TShiftState Shift, bool& Handled)
{
    TSM_Settings& settings = *settings_;
    TCodeTemplates& templates = settings.CodeTemplates();
    if (templates.HandleKey(*macroEditor_, Key, Handled, Shift))
        return;
    // The key that opened the template pick list has done its work.
    if (templates.IsTriggerKey(Key, Shift) && PickListShown(templates)) {
        Handled = true;
        return;
    }
    if (settings.AutoReplace().HandleKey(*macroEditor_, Key, Handled, Shift))
        return;
    extend_ = Shift & ssShift;
    if (ShiftExtends(Key))
        Shift &= ~ssShift;
    settings.KeyController().ProcessKey(Key, Shift, Handled);
}

void TCustomSyntaxMemo::CommandRecognised(int& Command)
{
    AtBoundary([&] {
        Fire(OnCommandRecognised, this, Command);
        ExecuteCommand(Command, 0, extend_);
    });
}
