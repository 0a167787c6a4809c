// The extension base, the label and application-identifier registries and class resolution.
#include "imaging/gif_extension.h"

#include "imaging/gif_app_extensions.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_frame.h"
#include "imaging/gif_stream_io.h"

#include <mutex>
#include <utility>
#include <vector>

namespace {

constexpr uint8_t ExtensionIntroducer = 0x21;

template <class Key> class Registry {
public:
    explicit Registry(std::vector<std::pair<Key, TGIFExtensionClass>> entries) : entries_(std::move(entries))
    {
    }

    void Register(const Key& key, TGIFExtensionClass cls)
    {
        std::lock_guard lock(mutex_);
        entries_.emplace_back(key, cls);
    }
    TGIFExtensionClass Find(const Key& key)
    {
        std::lock_guard lock(mutex_);
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
            if (entry->first == key)
                return entry->second;
        return nullptr;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<Key, TGIFExtensionClass>> entries_;
};

Registry<uint8_t>& Extensions()
{
    static Registry<uint8_t> registry({{0x01, GIFExtensionClass<TGIFTextExtension>()},
                                       {0xF9, GIFExtensionClass<TGIFGraphicControlExtension>()},
                                       {0xFE, GIFExtensionClass<TGIFCommentExtension>()},
                                       {0xFF, GIFExtensionClass<TGIFApplicationExtension>()}});
    return registry;
}

Registry<QByteArray>& AppExtensions()
{
    static Registry<QByteArray> registry({{"NETSCAPE2.0", GIFExtensionClass<TGIFAppExtNSLoop>()},
                                          {"ANIMEXTS1.0", GIFExtensionClass<TGIFAppExtNSLoop>()}});
    return registry;
}

} // namespace

TGIFExtension::TGIFExtension(TGIFSubImage* ASubImage)
    : TGIFItem(ASubImage ? ASubImage->Image() : nullptr), subImage_(ASubImage)
{
}

void TGIFExtension::SaveToStream(TStream& Stream)
{
    const uint8_t start[2] = {ExtensionIntroducer, ExtensionLabel()};
    Stream.WriteBuffer(start, sizeof start);
    SaveData(Stream);
}

void TGIFExtension::LoadFromStream(TStream& Stream)
{
    if (ReadGIFByte(Stream) != ExtensionIntroducer)
        throw GIFException(gifmsg::BadExtensionIntroducer);
    if (ReadGIFByte(Stream) != ExtensionLabel())
        throw GIFException(gifmsg::ExtensionLabelMismatch);
    LoadData(Stream);
}

void RegisterExtension(uint8_t Label, TGIFExtensionClass Class)
{
    Extensions().Register(Label, Class);
}

TGIFExtensionClass FindExtension(uint8_t Label)
{
    return Extensions().Find(Label);
}

void RegisterAppExtension(const QByteArray& Identifier, TGIFExtensionClass Class)
{
    AppExtensions().Register(Identifier, Class);
}

TGIFExtensionClass FindAppExtension(const QByteArray& Identifier)
{
    return AppExtensions().Find(Identifier);
}

TGIFExtensionClass ResolveExtensionClass(TStream& Stream)
{
    const int64_t start = Stream.Position();
    uint8_t label = 0;
    TGIFExtensionClass cls = TryReadByte(Stream, label) ? FindExtension(label) : nullptr;
    while (cls) {
        const TGIFExtensionClass resolved = cls->ResolveClass(cls, Stream);
        if (resolved == cls)
            break;
        cls = resolved;
    }
    Stream.SetPosition(start);
    return cls;
}
