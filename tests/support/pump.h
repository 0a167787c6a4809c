// Waiting in tests without sleeping: the event loop runs until a condition holds.
#pragma once

#include <functional>

// Runs the event loop until predicate is true or timeoutMs passed; returns the predicate's value.
bool pumpUntil(const std::function<bool()>& predicate, int timeoutMs = 5000);
