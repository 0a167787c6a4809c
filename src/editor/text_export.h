// The writer of the editor's private write-stream message: a range of a text store as bare text,
// CR LF text, UNIX text, RTF or HTML. RTF and HTML carry the highlighting: each run of characters
// with one token byte gets the look of the style the settings map that token to.
#pragma once

#include "platform/rtl/date_time.h"

#include <QString>

class TSM_Settings;
class TStream;
class TTextStore;

// What the exports need beside the text: the styles and font of the settings, and the title and
// date the HTML header shows.
struct TExportLook {
    const TSM_Settings* Settings = nullptr;
    QString Title;
    TDateTime Date = 0;
};

// Writes the characters from Start to End (ordered, within the text) in Format, a combination of
// the sm::TWriteFormat bits tested in the order RTF, HTML, UNIX; otherwise bit 0 chooses CR LF
// over the stored CR. Lines without token bytes are written through the escapes alone.
void WriteTextRange(TStream& Stream, TTextStore& Store, int Start, int End, unsigned Format,
                    const TExportLook& Look);
