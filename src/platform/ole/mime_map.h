// The one map between clipboard formats and the MIME types of Qt's drag and drop and clipboard:
//
//   CF_HDROP, "FileNameW", "FileName"  <->  text/uri-list (file URLs of local files; see uri_list.h)
//   CF_UNICODETEXT, CF_TEXT            <->  text/plain (UTF-8; CF_TEXT through the ANSI code page)
//   "HTML Format"                      <->  text/html (see cf_html.h)
//   any other registered format        <->  its ClipboardFormatMimeType, as raw bytes
//
// Data that carries file URLs is offered as files only: its text/plain does not become text
// formats (a file drag from a file manager offers the names as text too, and a drop target must
// open the files, not insert their names). A file list made from a uri-list is wide (fWide 1).
// Going out, a file list also gives its paths as text/plain when no text format is offered.
#pragma once

#include "platform/ole/interfaces.h"

#include <QByteArray>
#include <optional>
#include <vector>

class QMimeData;

namespace win {

// The formats Data offers, each once, in the order of the map above.
std::vector<CLIPFORMAT> FormatsOfMimeData(const QMimeData& Data);
// The block of Format made from Data; nothing when Data does not offer it.
std::optional<QByteArray> FormatOfMimeData(const QMimeData& Data, CLIPFORMAT Format);
// Renders every format Source offers for reading (as HGLOBAL or IStream; an object that cannot
// enumerate its formats is asked for the mapped ones) into Target by the map;
// formats the map has no MIME type for are left out. Every medium received is released.
void RenderDataObject(IDataObject* Source, QMimeData& Target);

} // namespace win
