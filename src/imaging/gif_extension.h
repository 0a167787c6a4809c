// TGIFExtension, the base of the blocks that precede a frame, the class references that make them,
// and the two registries that map extension labels and application identifiers to classes.
#pragma once

#include "imaging/gif_item.h"

#include <QByteArray>
#include <cstdint>
#include <memory>

class TGIFExtension;
class TGIFSubImage;
struct TGIFExtensionClassInfo;

// A class of extension, as the registries hold it.
using TGIFExtensionClass = const TGIFExtensionClassInfo*;

struct TGIFExtensionClassInfo {
    // Makes an extension of this class for the frame.
    std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage* SubImage);
    // Reads what follows the label and answers a more fitting class, or Self.
    TGIFExtensionClass (*ResolveClass)(TGIFExtensionClass Self, TStream& Stream);
};

// The class reference of T.
template <class T> TGIFExtensionClass GIFExtensionClass()
{
    static const TGIFExtensionClassInfo info{[](TGIFSubImage* subImage) -> std::unique_ptr<TGIFExtension> {
                                                 return std::make_unique<T>(subImage);
                                             },
                                             &T::ResolveClass};
    return &info;
}

// An extension block: introducer 0x21, the label, then the data of its kind.
class TGIFExtension : public TGIFItem {
public:
    explicit TGIFExtension(TGIFSubImage* ASubImage);

    TGIFSubImage* SubImage() const { return subImage_; }
    virtual uint8_t ExtensionLabel() const = 0;
    TGIFVersion GetVersion() const override { return gv89a; }
    static TGIFExtensionClass ResolveClass(TGIFExtensionClass Self, TStream&) { return Self; }

    // Writes the introducer and label, then the data.
    void SaveToStream(TStream& Stream) override;
    // Reads the introducer ("Invalid extension introducer" when it is not 0x21) and the label
    // (failing when it is not this class's), then the data.
    void LoadFromStream(TStream& Stream) override;

protected:
    virtual void SaveData(TStream& Stream) = 0;
    virtual void LoadData(TStream& Stream) = 0;

private:
    TGIFSubImage* subImage_;
};

// The registries, searched from the newest entry back, so that a later registration of the same
// label or identifier wins. They hold the standard classes from the start. Registration belongs to
// program start and tests; lookups may run on any thread.
void RegisterExtension(uint8_t Label, TGIFExtensionClass Class);
TGIFExtensionClass FindExtension(uint8_t Label);
// Identifier: the eleven bytes of application name and authentication code.
void RegisterAppExtension(const QByteArray& Identifier, TGIFExtensionClass Class);
TGIFExtensionClass FindAppExtension(const QByteArray& Identifier);

// The class of the extension whose label the stream is at: the label's registered class, asked to
// resolve itself until it answers itself. The stream is left where it was; none when the label
// is not registered.
TGIFExtensionClass ResolveExtensionClass(TStream& Stream);
