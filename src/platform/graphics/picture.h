// TPicture: holds one graphic of any registered class; the registry of picture classes by file
// extension and by clipboard format.
#pragma once

#include "platform/graphics/graphic.h"

#include <QString>
#include <memory>

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The graphic held, or none.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Takes the graphic (none empties the picture) and reports a change.
    void SetGraphic(std::unique_ptr<TGraphic> Value);
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Loads the file through the class registered for its extension (compared without case); an
    // unregistered extension fails with EInvalidGraphic "Unknown picture file extension (.ext)".
    // On a failure the picture keeps what it held.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName);
    // Takes clipboard data in a registered format (empty data: the clipboard's own); other formats
    // fail with EInvalidGraphic "Unsupported clipboard format".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData, const win::Palette& APalette);
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette);

    // A picture or none copies nothing but the graphic's class and picture: a graphic is copied
    // through a new graphic of its registered class.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    // The registry. Extensions are given without the dot. A later registration of the same
    // extension or format wins.
    static void RegisterFileFormat(const QString& Extension, const QString& Description, TGraphicClass AClass);
    static void RegisterClipboardFormat(unsigned AFormat, TGraphicClass AClass);
    static void UnregisterGraphicClass(TGraphicClass AClass);
    static bool SupportsClipboardFormat(unsigned AFormat);
    // The class registered for an extension or a clipboard format; none when there is none.
    static TGraphicClass FileFormatClass(const QString& Extension);
    static TGraphicClass ClipboardFormatClass(unsigned AFormat);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Changed(TObject* Sender);
    void Take(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};
