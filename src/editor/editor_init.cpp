// initEditor: builds the built-in key map and the key-name table.
#include "editor/editor_init.h"

#include "editor/default_key_map.h"

void initEditor()
{
    DefaultKeyController();
    KeyNameToKey(QString());
}
