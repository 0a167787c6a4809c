// TObject and TComponent: the base classes of the component model (class name, tag, name, owner).
#pragma once

#include <QString>
#include <functional>
#include <vector>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name of the most derived class, as the program's messages and registry keys use it.
    virtual QString ClassName() const;

    int Tag = 0;
};

// The event that only tells its handler who sent it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A component has a name and an owner; the owner frees the components it owns when it is freed,
// newest first, before any base class of the owner is torn down.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return int(components_.size()); }

    // Frees every owned component now (used by owners that must free them before their own teardown).
    void DestroyComponents();

    QString Name;

private:
    void Insert(TComponent* child);
    void Remove(TComponent* child);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
};
