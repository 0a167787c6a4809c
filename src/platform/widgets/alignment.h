// TAlignment: where a text lies in its width (columns of list views, captions of frames).
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
