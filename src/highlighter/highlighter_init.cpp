// The highlighter library's start-up work.
#include "highlighter/highlighter_init.h"

#include <QtGlobal>

void initHighlighter()
{
#ifdef HFTP_PARSER_IMAGES
    Q_INIT_RESOURCE(parser_images);
#endif
}
