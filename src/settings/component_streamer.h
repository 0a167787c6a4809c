// TCustomComponentStreamer: a component that keeps its published properties in a storage and
// saves them again when it is freed.
#pragma once

#include "platform/rtl/object.h"
#include "settings/storages.h"

#include <QObject>
#include <memory>

enum TStorageKind { skRegistry = 0, skFile = 1 };

// What a streamer tells about its storage; a collection asks its owner through it for the key
// under which its items lie.
class IComponentStreamer {
public:
    // The registry key path or file name.
    virtual QString GetName() const = 0;
    virtual void SetName(const QString& Value) = 0;
    // True for a file storage.
    virtual bool GetKind() const = 0;
    virtual void SetKind(bool IsFile) = 0;

protected:
    ~IComponentStreamer() = default;
};

// Save and Load make a fresh storage of the streamer's kind and name each time and save or load
// the streamer's own published properties through it.
//
// Freeing: with autosave on, the streamer saves itself (unless it has no storage name: one made
// without a name would otherwise write into the registry's root). In C++ only the most derived
// class still sees all its properties while it is being destroyed, so every class with stored
// properties of its own starts its destructor with SaveOnDestroy() (this base class has none, and
// saving from its destructor could only write an empty object). A failing save there is reported
// through the application and never thrown.
class TCustomComponentStreamer : public QObject, public TComponent, public IComponentStreamer {
    Q_OBJECT
public:
    // No storage yet: registry kind, empty name.
    explicit TCustomComponentStreamer(TComponent* AOwner = nullptr);
    // A storage of the kind on Name (a key for skRegistry, a file for skFile); nothing is loaded
    // here: the classes that load at once call Load at the end of their own constructor.
    TCustomComponentStreamer(TComponent* AOwner, TStorageKind Kind, const QString& Name);

    QString GetName() const override { return name_; }
    void SetName(const QString& Value) override { name_ = Value; }
    bool GetKind() const override { return kind_ == skFile; }
    void SetKind(bool IsFile) override { kind_ = IsFile ? skFile : skRegistry; }

    // On after every constructor; an owner that saves explicitly may turn it off.
    bool AutoSave = true;

    // Replaces the storage with a new one of the current kind and name.
    void CreateStorage();
    virtual void Save();
    // The storage's answer: always true for the registry, false for a missing or damaged file.
    virtual bool Load();
    // Saves or loads any component through this streamer's storage (made first when there is none).
    void SaveVia(QObject* Component);
    bool LoadVia(QObject* Component);

protected:
    // With autosave on: saves now (a failure is reported, not thrown) and turns autosave off. A
    // streamer without a storage name has nowhere to save and saves nothing.
    void SaveOnDestroy() noexcept;

private:
    std::shared_ptr<TStorage2> storage_;
    TStorageKind kind_ = skRegistry;
    QString name_;
};
