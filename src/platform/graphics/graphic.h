// TGraphic: the base of every picture class (bitmap, icon, metafile, and the codecs' pictures),
// with the change and progress events, drawing, streams, files and the clipboard.
#pragma once

#include "platform/graphics/clipboard_format.h"
#include "platform/graphics/palette.h"
#include "platform/graphics/progress.h"
#include "platform/rtl/persistent.h"
#include "platform/rtl/streams.h"

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class TCanvas;


class TGraphic : public TPersistent {
public:
    // Draws the picture into Rect of the canvas, scaled to it.
    virtual void Draw(TCanvas& ACanvas, const QRect& Rect) = 0;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    // The palette the picture is shown with; empty when it has none.
    virtual win::Palette GetPalette() { return {}; }
    virtual void SetPalette(const win::Palette&) {}
    // Whether the picture is drawn with its transparent pixels left out.
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);

    bool Modified() const { return modified_; }
    void SetModified(bool Value) { modified_ = Value; }
    // Set when the picture's palette changed since the flag was last cleared.
    bool PaletteModified = false;

    virtual void LoadFromStream(TStream& Stream) = 0;
    virtual void SaveToStream(TStream& Stream) = 0;
    // Open the file (failing with the file stream's errors) and read or write it whole.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName);

    // Takes the picture from clipboard data in the given format; an empty Data takes the
    // clipboard's current data in that format.
    virtual void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                         const win::Palette& APalette) = 0;
    // Gives the picture's clipboard format, data and palette.
    virtual void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) = 0;

    // True only when Graphic holds the same picture; the base compares the saved streams of two
    // pictures of the same class.
    virtual bool Equals(TGraphic* Graphic);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    // Marks the picture modified and fires OnChange.
    virtual void Changed(TObject* Sender);
    // Fires OnProgress.
    void Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const QRect& R,
                  const QString& Msg);

private:
    bool transparent_ = false;
    bool modified_ = false;
};

// A class of pictures, as the picture-format registry holds it: it makes a new, empty picture.
using TGraphicClass = std::unique_ptr<TGraphic> (*)();

template <class T> std::unique_ptr<TGraphic> NewGraphic()
{
    return std::make_unique<T>();
}
