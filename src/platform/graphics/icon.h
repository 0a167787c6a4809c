// TIcon: an icon as an image with an alpha channel; its mask is where the alpha is 0.
#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"

#include <QImage>

class TIcon : public TGraphic {
public:
    TIcon();

    // The icon's pixels (ARGB); setting them reports a change.
    const QImage& Image() const { return image_; }
    void SetImage(const QImage& Value);

    void Draw(TCanvas& ACanvas, const QRect& Rect) override;
    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    // Fail with "Cannot change the size of an icon".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    // A 1-bit bitmap (black, white) with a 1 where the icon is transparent.
    std::unique_ptr<TBitmap> MaskBitmap() const;

    // An icon file ("ICO"); anything else fails with "Icon image is not valid".
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    // Both fail with "Clipboard does not support Icons".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                 const win::Palette& APalette) override;
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) override;

    void Assign(TPersistent* Source) override;

private:
    QImage image_;
};
