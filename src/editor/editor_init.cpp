// initEditor: builds the built-in key map, the key-name table and the gutter pictures at start-up
// rather than at their first use, and installs the editor's widgets where the documents' code
// calls on them (the templates' pick list, the printer's resolution), and registers the "HTML Format"
// clipboard format that the editor's paste and drop read.
#include "editor/editor_init.h"

#include "editor/gutter_glyphs.h"
#include "editor/language/default_key_map.h"
#include "editor/language/sm_settings.h"
#include "editor/memo_formats.h"
#include "editor/widgets/macro_pick_list.h"

#include <QPrinter>

void initEditor()
{
    DefaultKeyController();
    GutterGlyphs();
    KeyNameToKey(QString());
    HtmlFormat();
    SetMacroPickListFactory([](TMacroKeywords& Owner, IMacroEditor& Editor) -> IMacroPickList* {
        return new TMacroPickList(Owner, Editor);
    });
    SetPrinterDpiSource([] { return QPrinter(QPrinter::HighResolution).logicalDpiY(); });
}
