// The option dialogs' start-up work.
#include "highlighter/options/highlighter_options_init.h"

#include "highlighter/options/options_dialog.h"
#include "highlighter/syntax_memo_parser.h"

#include <QtGlobal>

void initHighlighterOptions()
{
    Q_INIT_RESOURCE(options_pictures);
    TSyntaxMemoParser::SetOptionsDialogRunner([](TSyntaxMemoParser& Parser, TPropEdPages Pages) {
        TOptionsDialog dialog;
        dialog.Parser = &Parser;
        return dialog.Execute(Pages);
    });
}
