// TClipboard: the system clipboard over QClipboard. Between Open and Close the formats that are set
// are gathered and go to the clipboard together; setting a format outside Open replaces the
// clipboard's content with that one format. Text formats follow the one map of clipboard formats
// and MIME types: CF_TEXT is text/plain through the ANSI code page (set with CR LF or LF line
// ends, it goes out with LF) and "HTML Format" is text/html read as its clipboard block.
#pragma once

#include "platform/graphics/clipboard_format.h"
#include "platform/rtl/persistent.h"

#include <QMimeData>
#include <memory>

class TClipboard : public TPersistent {
public:
    TClipboard();
    ~TClipboard() override;

    void Open();
    void Close();
    // Empties the clipboard.
    void Clear();
    bool HasFormat(unsigned Format) const;
    // The clipboard's data in the format; empty when it has none.
    TClipboardData GetAsHandle(unsigned Format) const;
    // Puts the data on the clipboard in the format; false when the clipboard refuses it (no
    // clipboard, an unknown format, or data that does not fit the format).
    bool SetAsHandle(unsigned Format, const TClipboardData& Data);

    // A graphic or a picture puts itself on the clipboard in its formats.
    void Assign(TPersistent* Source) override;

private:
    int openCount_ = 0;
    std::unique_ptr<QMimeData> pending_;
};

// The program's clipboard object.
TClipboard& Clipboard();
