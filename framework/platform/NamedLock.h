#pragma once

#include <memory>

#include "framework/String.h"

namespace fw::platform {

// A lock shared by every process that names it the same way. Creating it does not take it.
class NamedLock {
public:
    virtual ~NamedLock() = default;
    // Takes the lock if that can be done at once; never waits.
    virtual bool TryAcquire() = 0;
    // Waits until the lock is taken.
    virtual void Acquire() = 0;
    virtual void Release() = 0;
};

// Throws RuntimeException (ErrorNumber: the platform's code) when the lock cannot be created.
std::unique_ptr<NamedLock> CreateNamedLock(const String& name);

} // namespace fw::platform
