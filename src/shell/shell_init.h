// Start-up work of the shell controls: called once from main and from the test main.
#pragma once

// Registers the clipboard format of shell item lists and starts OLE on the GUI thread for the
// shell controls' drag and drop.
void initShell();

// The clipboard format "Shell IDList Array", as initShell registered it.
unsigned ShellIdListFormat();
