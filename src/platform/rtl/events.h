// Firing component events: the handler is copied first, because it may free its sender.
#pragma once

#include <functional>
#include <utility>

template <class Signature, class... Args>
void Fire(const std::function<Signature>& event, Args&&... args)
{
    if (!event)
        return;
    auto handler = event;
    handler(std::forward<Args>(args)...);
}
