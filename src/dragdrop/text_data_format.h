// TTextDataFormat: a text of 8-bit characters, which a source also offers as one virtual file,
// "Text scrap.txt".
#pragma once

#include "dragdrop/data_format.h"

#include <QByteArray>

class TTextDataFormat : public TCustomDataFormat {
public:
    static const TDataFormatClass Class;

    explicit TTextDataFormat(TComponent* AOwner);

    // Takes the text of CF_TEXT or "FileContents".
    bool Assign(TClipboardFormat* ClipboardFormat) override;
    // Gives the text to CF_TEXT and "FileContents", and a descriptor of the one file
    // "Text scrap.txt" to both file group descriptors.
    bool AssignTo(TClipboardFormat* ClipboardFormat) override;
    void Clear() override;
    bool HoldsData() const override { return !text_.isEmpty(); }

    const QByteArray& Text() const { return text_; }
    void SetText(const QByteArray& Value);

private:
    QByteArray text_;
};
