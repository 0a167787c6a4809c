// TObject and TComponent.
#include "platform/rtl/object.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

QString TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                      std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const qsizetype scope = name.lastIndexOf(QLatin1String("::"));
    return scope >= 0 ? name.mid(scope + 2) : name;
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->Insert(this);
}

TComponent::~TComponent()
{
    DestroyComponents();
    if (owner_)
        owner_->Remove(this);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        delete child;
    }
}

void TComponent::Insert(TComponent* child)
{
    components_.push_back(child);
    child->owner_ = this;
}

void TComponent::Remove(TComponent* child)
{
    components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
    child->owner_ = nullptr;
}
