// TStorage2 and its two kinds: where a persistent component's published properties are kept.
#pragma once

#include "platform/rtl/object.h"

#include <QString>

class QObject;

// A storage is shared (std::shared_ptr) by whoever uses it; Name is a registry key path below
// HKEY_CURRENT_USER (ending in "\") or a file name.
class TStorage2 : public TObject {
public:
    explicit TStorage2(QString Name) : name_(std::move(Name)) {}

    QString GetName() const { return name_; }
    void SetName(const QString& Value) { name_ = Value; }

    virtual void Save(QObject* Component) = 0;
    // True when the component was read.
    virtual bool Load(QObject* Component) = 0;

private:
    QString name_;
};

// The registry form of published properties (property_persistence.h) under the key Name.
class TStorageReg2 : public TStorage2 {
public:
    using TStorage2::TStorage2;
    void Save(QObject* Component) override;
    // Always true: missing values read as 0, "" or False.
    bool Load(QObject* Component) override;
};

// The component stream (component_stream.h) in the file Name.
class TStorageCfg2 : public TStorage2 {
public:
    using TStorage2::TStorage2;
    // Replaces the file as a whole (WriteFileAtomically); raises EFCreateError when it cannot.
    void Save(QObject* Component) override;
    // False, with the component unchanged, when the file does not exist or cannot be read whole.
    bool Load(QObject* Component) override;
};
