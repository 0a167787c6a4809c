// TGIFItem, the base of every part of a GIF file, and TGIFList, an owning list of such parts.
#pragma once

#include "imaging/gif_types.h"
#include "platform/rtl/object.h"
#include "platform/rtl/persistent.h"
#include "platform/rtl/streams.h"

#include <QString>
#include <memory>
#include <vector>

class TGIFImage;

// Passes a warning to the image's Warning with Sender; nothing happens without an image.
void GIFWarning(TGIFImage* Image, TObject* Sender, TGIFSeverity Severity, const QString& Message);

// A part of a GIF file, owned by one image.
class TGIFItem : public TPersistent {
public:
    explicit TGIFItem(TGIFImage* AImage) : image_(AImage) {}

    TGIFImage* Image() const { return image_; }

    // The lowest GIF version that can hold this part.
    virtual TGIFVersion GetVersion() const { return gv87a; }
    // Reports a warning to the owning image with this item as Sender.
    virtual void Warning(TGIFSeverity Severity, const QString& Message)
    {
        GIFWarning(image_, this, Severity, Message);
    }
    virtual void SaveToStream(TStream& Stream) = 0;
    virtual void LoadFromStream(TStream& Stream) = 0;
    // Creates the file, then writes this part to it.
    void SaveToFile(const QString& FileName);
    // Opens the file for reading, then reads this part from it.
    void LoadFromFile(const QString& FileName);

private:
    TGIFImage* image_;
};

// An owning list of the parts of a GIF file of one kind, in file order.
template <class T> class TGIFList : public TObject {
public:
    explicit TGIFList(TGIFImage* AImage) : image_(AImage) {}
    ~TGIFList() override { Clear(); }

    TGIFImage* Image() const { return image_; }
    int Count() const { return int(items_.size()); }
    T* Items(int Index) const { return items_.at(size_t(Index)).get(); }
    // Appends the item; returns its index.
    int Add(std::unique_ptr<T> Item)
    {
        items_.push_back(std::move(Item));
        return Count() - 1;
    }
    int IndexOf(const T* Item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[size_t(i)].get() == Item)
                return i;
        return -1;
    }
    // Frees the items from the first on until none is left.
    void Clear()
    {
        while (!items_.empty())
            Delete(0);
    }
    // Frees the item at Index.
    void Delete(int Index)
    {
        std::unique_ptr<T> item = std::move(items_.at(size_t(Index)));
        items_.erase(items_.begin() + Index);
    }
    // Takes the item out of the list without freeing it; empty when it is not in the list.
    std::unique_ptr<T> Remove(T* Item)
    {
        const int index = IndexOf(Item);
        if (index < 0)
            return nullptr;
        std::unique_ptr<T> item = std::move(items_[size_t(index)]);
        items_.erase(items_.begin() + index);
        return item;
    }

    virtual void Warning(TGIFSeverity Severity, const QString& Message)
    {
        GIFWarning(image_, this, Severity, Message);
    }
    // Writes every item in order.
    virtual void SaveToStream(TStream& Stream)
    {
        for (auto& item : items_)
            item->SaveToStream(Stream);
    }
    virtual void LoadFromStream(TStream& Stream) = 0;

private:
    TGIFImage* image_;
    std::vector<std::unique_ptr<T>> items_;
};
