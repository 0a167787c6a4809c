// TPicture and the picture class registry.
#include "platform/graphics/picture.h"

#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphics_errors.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/rtl/events.h"

#include <QFileInfo>
#include <mutex>
#include <vector>

namespace {

struct FileFormat {
    QString extension;
    QString description;
    TGraphicClass graphicClass;
};

struct ClipboardFormat {
    unsigned format;
    TGraphicClass graphicClass;
};

// The registries, with the platform's own classes from the start.
struct Registry {
    std::mutex mutex;
    std::vector<FileFormat> files{{QStringLiteral("bmp"), QStringLiteral("Bitmaps"), &NewGraphic<TBitmap>},
                                  {QStringLiteral("ico"), QStringLiteral("Icons"), &NewGraphic<TIcon>},
                                  {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), &NewGraphic<TJPEGImage>},
                                  {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), &NewGraphic<TJPEGImage>}};
    std::vector<ClipboardFormat> clipboard{{win::CF_BITMAP, &NewGraphic<TBitmap>}};
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

const FileFormat* FindFile(const std::vector<FileFormat>& files, const QString& extension)
{
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (it->extension.compare(extension, Qt::CaseInsensitive) == 0)
            return &*it;
    return nullptr;
}

QString ExtensionOf(const QString& fileName)
{
    return QFileInfo(fileName).suffix();
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_) {
        graphic_->OnChange = [this](TObject* sender) { Changed(sender); };
        graphic_->OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                      const QRect& r, const QString& msg) {
            Fire(OnProgress, sender, stage, percent, redraw, r, msg);
        };
    }
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> Value)
{
    Take(std::move(Value));
    Changed(this);
}

void TPicture::Changed(TObject*)
{
    Fire(OnChange, this);
}

void TPicture::LoadFromFile(const QString& FileName)
{
    const QString extension = ExtensionOf(FileName);
    const TGraphicClass graphicClass = FileFormatClass(extension);
    if (!graphicClass)
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    std::unique_ptr<TGraphic> graphic = graphicClass();
    graphic->OnProgress = [this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                 const QRect& r, const QString& msg) {
        Fire(OnProgress, sender, stage, percent, redraw, r, msg);
    };
    graphic->LoadFromFile(FileName);
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const QString& FileName)
{
    if (graphic_)
        graphic_->SaveToFile(FileName);
}

void TPicture::LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData, const win::Palette& APalette)
{
    const TGraphicClass graphicClass = ClipboardFormatClass(AFormat);
    if (!graphicClass)
        throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
    std::unique_ptr<TGraphic> graphic = graphicClass();
    graphic->LoadFromClipboardFormat(AFormat, AData, APalette);
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette)
{
    if (graphic_)
        graphic_->SaveToClipboardFormat(AFormat, AData, APalette);
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    TGraphic* source = dynamic_cast<TGraphic*>(Source);
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        source = picture->Graphic();
        if (!source) {
            SetGraphic(nullptr);
            return;
        }
    }
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    // A new graphic of the source's class: the first registered class that makes one.
    std::unique_ptr<TGraphic> copy;
    {
        Registry& registry = TheRegistry();
        std::lock_guard lock(registry.mutex);
        for (const FileFormat& format : registry.files) {
            std::unique_ptr<TGraphic> candidate = format.graphicClass();
            const TGraphic& made = *candidate;
            if (typeid(made) == typeid(*source)) {
                copy = std::move(candidate);
                break;
            }
        }
    }
    if (!copy) {
        TPersistent::Assign(Source);
        return;
    }
    copy->Assign(source);
    SetGraphic(std::move(copy));
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (graphic_)
        Dest->Assign(graphic_.get());
    else
        TPersistent::AssignTo(Dest);
}

void TPicture::RegisterFileFormat(const QString& Extension, const QString& Description, TGraphicClass AClass)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.files.push_back({Extension, Description, AClass});
}

void TPicture::RegisterClipboardFormat(unsigned AFormat, TGraphicClass AClass)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.clipboard.push_back({AFormat, AClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::erase_if(registry.files, [&](const FileFormat& f) { return f.graphicClass == AClass; });
    std::erase_if(registry.clipboard, [&](const ClipboardFormat& c) { return c.graphicClass == AClass; });
}

bool TPicture::SupportsClipboardFormat(unsigned AFormat)
{
    return ClipboardFormatClass(AFormat) != nullptr;
}

TGraphicClass TPicture::FileFormatClass(const QString& Extension)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const FileFormat* format = FindFile(registry.files, Extension);
    return format ? format->graphicClass : nullptr;
}

TGraphicClass TPicture::ClipboardFormatClass(unsigned AFormat)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    for (auto it = registry.clipboard.rbegin(); it != registry.clipboard.rend(); ++it)
        if (it->format == AFormat)
            return it->graphicClass;
    return nullptr;
}
