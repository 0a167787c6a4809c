// The "HTML Format" clipboard block: a header of byte offsets in front of UTF-8 HTML.
//
//   Version:0.9
//   StartHTML:0000000105
//   EndHTML:0000000167
//   StartFragment:0000000141
//   EndFragment:0000000155
//   <html><body>
//   <!--StartFragment-->...<!--EndFragment-->
//   </body></html>
//
// Offsets count bytes from the start of the block, as ten decimal digits; lines end with CR LF.
#pragma once

#include <QByteArray>
#include <optional>

namespace win {

// The block for HTML text given as UTF-8. A document with a body gets the fragment markers
// inside its body; anything else is wrapped in a minimal document around them. The block ends
// with a NUL that the offsets do not count.
QByteArray MakeCfHtml(const QByteArray& Html);
// The HTML of a block, from StartHTML to EndHTML, or from StartFragment to EndFragment when the
// block gives no valid document range; nothing when it gives neither. Offsets are checked
// against the block (up to its first NUL).
std::optional<QByteArray> HtmlOfCfHtml(const QByteArray& Block);

// HTML text as UTF-8, whatever it was offered in: UTF-16 with a byte-order mark is converted, a
// UTF-8 byte-order mark is dropped, anything else is taken as UTF-8.
QByteArray HtmlAsUtf8(const QByteArray& Html);

} // namespace win
