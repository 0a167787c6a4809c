// initEditor: builds the built-in key map and the key-name table at start-up rather than at their
// first use.
#include "editor/editor_init.h"

#include "editor/default_key_map.h"

void initEditor()
{
    DefaultKeyController();
    KeyNameToKey(QString());
}
