// Start-up work of the option dialogs' library: called once from main and from the test main.
#pragma once

// Language parsers show their options dialog from here on.
void initHighlighterOptions();
