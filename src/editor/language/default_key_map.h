// The editor's 48 commands, the built-in key map every new language starts from, and the key-name
// table the auto-replace activation keys are written with.
#pragma once

#include <QString>

class TKeyboardActionContoller;

// Editor command numbers.
enum TEditorCommand {
    caLEFT = 0,
    caRIGHT,
    caLINEHOME,
    caLINEEND,
    caUP,
    caDOWN,
    caPAGEUP,
    caPAGEDOWN,
    caWORDLEFT,
    caWORDRIGHT,
    caDOCSTART,
    caDOCEND,
    caCUT,
    caCOPY,
    caPASTE,
    caDELETE,
    caBACKSPACE,
    caBLOCKIND,
    caBLOCKUND,
    caINSTOGGLE,
    caSETBOOKMARK0,
    caGOTOBOOKMARK0 = caSETBOOKMARK0 + 10,
    caDELETELINE = caGOTOBOOKMARK0 + 10,
    caUNDO,
    caREDO,
    caDELPREVWORD,
    caPRINTSEL,
    caDELNEXTWORD,
    caSCROLLUP,   // the display one line up
    caSCROLLDOWN, // the display one line down
};
constexpr int EditorCommandCount = 48;

// The built-in key map: the 48 display names and the default bindings. Built on first use
// (initEditor uses it at start).
TKeyboardActionContoller& DefaultKeyController();

// The virtual key of a key name ("backspace", "delete", "down", "end", "home", "insert", "left",
// "f1".."f12", "pagedown", "pageup", "return", "right", "space", "up", "tab"), ignoring case; 0
// for any other name.
int KeyNameToKey(const QString& Name);
