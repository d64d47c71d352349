#pragma once

#include <functional>

namespace fw {

// Called from inside long loops so the framework may do background work. It does none of its
// own; an observer, when one is set, runs on every call and may raise to end the loop.
void RuntimeBackgroundTask();

// Sets the observer and returns the one it replaces.
std::function<void()> SetBackgroundTaskObserver(std::function<void()> observer);

} // namespace fw
