// The clipboard formats the editor reads besides plain text: "HTML Format" (registered at
// start-up) and the document text its HTML becomes.
#pragma once

#include <QByteArray>

// The id of "HTML Format".
unsigned HtmlFormat();
// The HTML of an "HTML Format" block, from UTF-8 into the code page; empty when the block holds
// none.
QByteArray HtmlAsDocumentText(const QByteArray& Block);
