// File-name texts: the name, folder and extension parts of a local path, which uses "/" only.
#pragma once

#include <QString>

// The part after the last "/" ("" for a path that ends in "/").
QString ExtractFileName(const QString& FileName);
// The part up to and including the last "/" ("" without one).
QString ExtractFilePath(const QString& FileName);
// The extension with its dot: from the last "." of the name part on; "" when the name has none.
QString ExtractFileExt(const QString& FileName);
// FileName with its extension replaced by Extension (which brings its own dot, or is empty).
QString ChangeFileExt(const QString& FileName, const QString& Extension);
